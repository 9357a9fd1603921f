#!/usr/bin/env bash
# Every command of quindo-records with each kind of bad input: the exit
# status, the one line on standard error (its start), and nothing on
# standard output. Then the command line as scripts use it (options
# anywhere, --opt=VALUE, put FILE, arrays, show ID..., list --jsonl, --at
# now, diff --all, apply-holidays --year, --png -) and the completion
# script. Usage: records_bad_input_test.sh PATH-TO-quindo-records [COMPLETION-SCRIPT]
set -euo pipefail
tool=$1
completion=${2:-}
source "$(dirname "$0")/cli_test_setup.sh"
cd "$dir"
mkdir -p d/Profiles d/Receivers adir
renders=$("$tool" --help | grep -c ' render ' || true)

empty='{}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}'
echo "[{\"DiskIdentity\": 1, \"Name\": \"Calendar\", \"UseTimeSchedule\": true,
        \"TimeSchedule\": {\"UseCalendar\": true, \"DayTypes\": [{\"Periods\": [[0, 600]]}, $empty, {}]}},
      {\"DiskIdentity\": 2, \"Name\": \"Off\", \"Enabled\": false}]" >two.json
[[ $("$tool" profile put two.json --data-dir=d) == $'1\n2' ]] || fail "put FILE of an array"
printf '\x07\x00rest' >d/Profiles/Profile_0005.dat
echo '[{"Label": "New Year", "DayType": 8, "ViewInCalendar": true, "Rule": "fixed", "Month": 1, "Day": 1}]' >rules.json
"$tool" calendar set a.cal 2024-01-01 8 2024-02-01 9
"$tool" calendar set b.cal 2024-01-01 9 2024-03-01 9

# STATUS "MESSAGE START" "STANDARD INPUT" ARGUMENT...
check() {
  local status=$1 message=$2 input=$3 got=0
  shift 3
  printf '%s' "$input" | "$tool" "$@" >out 2>err || got=$?
  ((got == status)) || fail "$* exited $got, not $status: $(cat err)"
  [[ ! -s out ]] || fail "$* wrote to standard output: $(head -c 200 out)"
  [[ $(wc -l <err) == 1 ]] || fail "$* said not one line: $(cat err)"
  [[ $(head -c ${#message} err) == "$message" ]] || fail "$* said: $(cat err)"
  ! LC_ALL=C grep -q $'[\x80-\xff\x01-\x08]' err || fail "$* wrote raw bytes: $(cat -A err)"
}
P="quindo-records: profile put:"
check 2 "quindo-records: missing command" ""
check 2 'quindo-records: unknown record kind "profil"' "" profil list
check 2 'quindo-records: unknown profile command "shw"' "" profile shw 1
check 2 "quindo-records: unknown option --bogus" "" profile list --bogus
check 2 "quindo-records: --data-dir is given twice" "" --data-dir d profile list --data-dir=d
check 2 "quindo-records: --at is given twice" "" profile active 1 --at now --at="2024-01-01 00:00" --data-dir d
check 2 "quindo-records: --read-only takes no value" "" profile list --read-only=yes
check 2 "quindo-records: --png needs a value" "" profile render 1 --png
check 2 "$P --at is no option of profile put" "" profile put --at now --data-dir d
check 2 "quindo-records: profile show: ID must be a number in 0..9999" "" profile show x --data-dir d
check 2 "quindo-records: receiver remove: usage: quindo-records receiver remove ID" "" receiver remove
check 2 "quindo-records: calendar diff: unexpected argument \"c\"" "" calendar diff a.cal b.cal c
check 2 "quindo-records: profile active: --at must be a local time" "" profile active 1 --at 7:30 --data-dir d
check 2 "quindo-records: calendar apply-holidays: --year must be a year of 2000..2039" "" \
  calendar apply-holidays rules.json a.cal --year 1999
check 2 "$P not valid JSON: parse error at line 1" "{" profile put --data-dir d
check 2 "$P not valid JSON: parse error at line 1, column 11" $'{"Name": "\xff"}' profile put --data-dir d
check 2 "$P expected a profile object or an array of them" "5" profile put --data-dir d
check 2 "$P Enabled: 1 is no flag (true, false, -1 or 0)" '{"Enabled": 1}' profile put --data-dir d
check 2 "$P TimeSchedule.DayTypes[0].Active: 2 is no flag" "{\"TimeSchedule\": {\"DayTypes\": [{\"Active\": 2}, $empty, {}]}}" \
  profile put --data-dir d
check 2 "quindo-records: receiver put: Settings[0].Value: 1 is no flag" \
  '{"Settings": [{"Kind": 11, "Value": 1}, {"Kind": 0}, {"Kind": 0}, {"Kind": 0}]}' receiver put --data-dir d
check 2 "$P DiskIdentity: -2 is outside -1..9999" '{"DiskIdentity": -2}' profile put --data-dir d
check 2 "$P [1].Name: expected a text" '[{"Name": "fine"}, {"Name": 5}]' profile put --data-dir d
check 2 "$P adir: cannot be read: is a directory" "" profile put adir --data-dir d
check 2 "quindo-records: alarm append: [1].Status: expected a whole number" '[{}, {"Status": "x"}]' alarm append log
check 2 "quindo-records: calendar set: [0].DayType: expected a whole number" '[{"Date": "2024-01-01", "DayType": "x"}]' \
  calendar set a.cal --json
check 2 "quindo-records: calendar holidays: adir: cannot be read: is a directory" "" calendar holidays adir
check 2 "quindo-records: calendar apply-holidays: none.json: cannot be read" "" calendar apply-holidays none.json a.cal
check 2 "quindo-records: receiver list: --receiver-types adir: cannot be read" "" receiver list --receiver-types adir --data-dir d
check 2 "quindo-records: calendar diff: none.cal: no such calendar file" "" calendar diff a.cal none.cal
check 1 "quindo-records: calendar show: adir: is a directory" "" calendar show adir
A="quindo-records: agenda:"
check 2 "$A give either --to or --hours" "" agenda --from "2024-01-01 00:00" --data-dir d
check 2 "$A --hours must be a whole number in 1..1, not \"2\"" "" agenda --from "2039-12-31 23:00" --hours 2 --data-dir d
check 2 "$A --to 2024-01-01 00:00 is not after --from" "" agenda --from "2024-01-01 00:00" --to "2024-01-01 00:00" --data-dir d
check 2 "$A --at takes no window" "" agenda --at now --hours 2 --data-dir d
check 2 "quindo-records: profile ics: --to 2024-01-01 lies before --from" "" \
  profile ics 1 --from 2024-02-01 --to 2024-01-01 --data-dir d
check 2 "quindo-records: check: --year must be a year of 2000..2039" "" check --year 1999 --data-dir d
check 2 "quindo-records: check: no directory none/Profiles/" "" check --data-dir none
check 2 "quindo-records: calendar import-ics: missing --day-type" "" calendar import-ics rules.json a.cal
check 2 "quindo-records: calendar import-ics: --day-type must be a whole number in 1..23" "" \
  calendar import-ics rules.json --day-type 24 a.cal
check 2 "quindo-records: calendar import-ics: rules.json: " "" calendar import-ics rules.json --day-type 8 a.cal
check 1 "$A none.cal: no such calendar file" "" agenda --at now --calendar none.cal --data-dir d
check 1 "$A no directory none/Profiles/" "" agenda --at now --data-dir none
check 1 "quindo-records: calendar show: none.cal: no such calendar file" "" calendar show none.cal
check 1 "quindo-records: alarm dump: adir: " "" alarm dump adir
check 1 "no profile file 99 (d/Profiles/Profile_0099.dat)" "" profile show 99 --data-dir d
check 1 "no profile file 99 (d/Profiles/Profile_0099.dat)" "" profile active 99 --at now --data-dir d
check 1 "no receiver file 3 (d/Receivers/Receiver_0003.dat)" "" receiver remove 3 --data-dir d
check 1 "quindo-records: profile show: no directory none/Profiles/" "" --data-dir none profile show 1
check 1 "quindo-records: receiver list: no directory none/Receivers/" "" receiver list --data-dir none
check 1 "quindo-records: profile upgrade: no directory none/Profiles/" "" profile upgrade --data-dir none
check 1 "quindo-records: profile show: Unknown file version in 'd/Profiles/Profile_0005.dat' (7)" "" \
  profile show 5 --data-dir d
check 1 "quindo-records: profile active: none.cal: no such calendar file" "" \
  profile active 1 --at now --calendar none.cal --data-dir d
if ((renders)); then
  check 1 "no profile file 99 (d/Profiles/Profile_0099.dat)" "" profile render 99 --png x.png --data-dir d
  check 2 "quindo-records: calendar render: adir: cannot be read" "" \
    calendar render a.cal --month 2024-01 --png x.png --holidays adir
fi
[[ $("$tool" profile list --data-dir d 2>/dev/null | wc -l) == 2 && ! -e log ]] || fail "bad input stored something"

# Flags: true and false are taken and written back as -1 and 0.
grep -q '"UseCalendar": -1' <<<"$("$tool" profile show 1 --data-dir d)" || fail "true was not stored as -1"
# profile active: the calendar left out is said, and a disabled profile too.
"$tool" profile active 1 --at "2024-01-01 08:00" --data-dir d >out 2>err
[[ $(cat out) == '{"Active":true,"CalendarDayType":0,"DayType":0,"DecidedBy":"weekday","Period":[0,600],"NextChange":"2024-01-01 10:00"}' ]] ||
  fail "active printed $(cat out)"
grep -q "^quindo-records: profile active: profile 1 uses the calendar, and no --calendar was given" err ||
  fail "no word on the missing calendar: $(cat err)"
[[ $("$tool" profile active 2 --data-dir d --at now) == '{"Active":true,"Enabled":false,'* ]] || fail "disabled"
# show ID... is an array; list --jsonl is show's JSON, one a line.
[[ $("$tool" profile show 1 2 --data-dir d | python3 -c 'import json,sys; print(len(json.load(sys.stdin)))') == 2 ]] ||
  fail "show of two identities"
python3 - "$("$tool" profile list --jsonl --data-dir d 2>/dev/null)" "$("$tool" profile show 1 --data-dir d)" <<'PY' || fail "--jsonl"
import json, sys
lines = [json.loads(line) for line in sys.argv[1].splitlines()]
assert [p["Name"] for p in lines] == ["Calendar", "Off"] and lines[0] == json.loads(sys.argv[2]), lines
PY
# calendar diff --all and --json; apply-holidays --year.
status=0; out=$("$tool" calendar diff a.cal b.cal --all) || status=$?
[[ $status == 1 && $out == $'2024-01-01\t8\t9\n2024-02-01\t9\t0\n2024-03-01\t0\t9' ]] || fail "diff --all: $out"
"$tool" calendar show a.cal --json | "$tool" calendar set c.cal --json
[[ $("$tool" calendar diff a.cal c.cal; echo $?) == 0 ]] || fail "show --json | set --json"
[[ $("$tool" calendar apply-holidays rules.json c.cal --year 2030) == "c.cal: 1 holiday dates applied" ]] ||
  fail "apply-holidays --year"
[[ $("$tool" calendar show c.cal | grep -c -- -01-01) == 2 ]] || fail "--year applied other years"
[[ $("$tool" --version) =~ ^quindo-records\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version"
if ((renders)); then
  "$tool" profile render 1 --png - --data-dir d >p.png 2>err
  [[ $(head -c 4 p.png | od -An -c | tr -d ' ') == '211PNG' && $(cat err) == "- 320x179" ]] ||
    fail "--png -: $(cat err)"
fi

# The completion script offers every command and each option of its synopsis.
if [[ -n $completion ]]; then
  # shellcheck disable=SC1090
  source "$completion"
  complete_words() { COMP_WORDS=(quindo-records "$@"); COMP_CWORD=$(($# )); _quindo_records; echo " ${COMPREPLY[*]} "; }
  while read -r kind command synopsis; do
    if [[ $command != [a-z]* ]]; then  # a command of one word (agenda, check)
      synopsis="$command $synopsis"
      [[ $(complete_words "") == *" $kind "* ]] || fail "completion lacks $kind"
      offered=$(complete_words "$kind" --)
    else
      [[ $(complete_words "$kind" "") == *" $command "* ]] || fail "completion lacks $kind $command"
      offered=$(complete_words "$kind" "$command" --)
    fi
    for option in $(grep -o -- '--[a-z-]*' <<<"$synopsis"); do
      [[ $offered == *" $option "* ]] || fail "completion of $kind $command lacks $option"
    done
  done < <("$tool" --help | sed -n 's/^  quindo-records \([a-z]*\) \([a-z-]*\)\(.*\)/\1 \2 \3/p')
fi
echo "quindo-records bad input and scripting: all checks passed"
