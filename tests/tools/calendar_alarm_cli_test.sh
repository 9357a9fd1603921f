#!/usr/bin/env bash
# Drives quindo-records calendar (set, show, diff) and alarm (append, dump)
# in a temporary directory. Usage: calendar_alarm_cli_test.sh PATH-TO-quindo-records
set -euo pipefail
tool=$1
source "$(dirname "$0")/cli_test_setup.sh"
cd "$dir"

# set creates the file; negative types are values; show lists in date order.
"$tool" calendar set c.cal 2039-12-31 -1 2000-01-01 8 2024-02-29 100 || fail "set failed"
[[ $(stat -c %s c.cal) == 29220 ]] || fail "calendar file is $(stat -c %s c.cal) bytes"
[[ $(head -c 2 c.cal | od -An -tx1 | tr -d ' ') == 0800 ]] || fail "day 0 is not 08 00"
expected=$(printf '2000-01-01\t8\n2024-02-29\t100\n2039-12-31\t-1')
[[ $("$tool" calendar show c.cal) == "$expected" ]] || fail "show printed: $("$tool" calendar show c.cal)"
"$tool" calendar set c.cal 2024-02-29 0 || fail "second set failed"
[[ $("$tool" calendar show c.cal | wc -l) == 2 ]] || fail "setting 0 did not clear the day"

# Bad dates and types: status 2, and the file is not touched.
cp c.cal before.cal
for bad in "2023-02-29 1" "1999-12-31 1" "2040-01-01 1" "2024-1-01 1" "2024-01-01 32768" \
           "2024-01-01 -32769" "2024-01-01 x" "2024-01-01 1 2024-13-01 2" "2024-01-01"; do
  # shellcheck disable=SC2086
  [[ $(status_of "$tool" calendar set c.cal $bad) == 2 ]] || fail "set $bad was accepted"
done
cmp -s c.cal before.cal || fail "a refused set changed the file"
[[ $(status_of "$tool" calendar set new.cal 2023-02-29 1) == 2 && ! -e new.cal ]] || fail "refused set created a file"

# A hidden or special name is not overwritten by a new calendar.
printf 'keep' >.hidden.cal
[[ $(status_of "$tool" calendar set .hidden.cal 2024-01-01 1) == 1 ]] || fail "set on a hidden file"
[[ $(cat .hidden.cal) == keep ]] || fail "the hidden file was overwritten"

# A symbolic link stays a link: the calendar it names is the one changed.
mkdir real
cp c.cal real/linked.cal
ln -s real/linked.cal link.cal
"$tool" calendar set link.cal 2024-01-01 9 || fail "set through a link"
[[ -L link.cal && $("$tool" calendar show real/linked.cal | grep -c 2024-01-01) == 1 ]] || fail "the link was replaced"

# diff: equal, the first difference, trouble.
[[ $(status_of "$tool" calendar diff c.cal before.cal) == 0 ]] || fail "equal files differ"
[[ -z $("$tool" calendar diff c.cal before.cal) ]] || fail "diff of equal files printed"
"$tool" calendar set before.cal 2039-12-31 3 2030-06-01 7
status=0
out=$("$tool" calendar diff c.cal before.cal) || status=$?
[[ $status == 1 && $out == $(printf '2030-06-01\t0\t7') ]] || fail "diff printed '$out' ($status)"
[[ $(status_of "$tool" calendar diff c.cal missing.cal) == 2 ]] || fail "diff with a missing file"

# show: a missing or short file fails with a message.
[[ $(status_of "$tool" calendar show missing.cal) == 1 ]] || fail "show of a missing file"
head -c 29218 c.cal >short.cal
[[ $(status_of "$tool" calendar show short.cal) == 1 ]] || fail "show of a short file"
{ "$tool" calendar show short.cal 2>&1 || true; } | grep -q "Input past end of file" || fail "short file message"

# alarm append prints 1-based locations; dump -> append -> dump is exact.
locations=$(echo '[{"EventId": 74565, "Status": -2, "TimeStampFromSCADA": 45000.25,
                    "Conditions": ["a", "b", "c", "d", "e", "f"], "ParallellReceivers": "Pager"},
                   {"EventId": -1, "TimeStampFromPC": 1.5, "EventIdHex": "ignored"}]' |
            "$tool" alarm append a.dat)
[[ $locations == $(printf '1\n%d' $((104 + 6 + 5 + 1))) ]] || fail "append printed: $locations"
echo '{"SequenceReceivers": "S"}' | "$tool" alarm append a.dat >/dev/null
dump=$("$tool" alarm dump a.dat)
grep -q '"EventIdHex": "2345"' <<<"$dump" || fail "dump lost the hexadecimal identity"
grep -q '"EventIdHex": "FFFF"' <<<"$dump" || fail "dump of -1"
echo "$dump" | "$tool" alarm append b.dat >/dev/null
cmp -s a.dat b.dat || fail "dump -> append did not give the same records"

# Bad alarms: status 2 and nothing written.
size=$(stat -c %s a.dat)
long=$(head -c 32768 /dev/zero | tr '\0' x)
for bad in '{"Nope": 1}' '{"Status": 32768}' '{"EventId": 2147483648}' '{"Conditions": ["a"]}' \
           '[{"Status": 1}, {"Status": "x"}]' "{\"ParallellReceivers\": \"$long\"}" '{' '5'; do
  [[ $(echo "$bad" | status_of "$tool" alarm append a.dat) == 2 ]] || fail "append of ${bad:0:40} accepted"
done
[[ $(stat -c %s a.dat) == "$size" ]] || fail "a refused append wrote"

# A trailing incomplete record: the complete ones, its location, status 1.
head -c $((size - 1)) a.dat >cut.dat
status=0
"$tool" alarm dump cut.dat >cut.json 2>cut.err || status=$?
[[ $status == 1 ]] || fail "dump of a cut file exited $status"
[[ $(grep -c EventIdHex cut.json) == 2 ]] || fail "dump of a cut file printed $(grep -c EventIdHex cut.json) records"
grep -q "location $((2 * 104 + 6 + 5 + 1))" cut.err || fail "cut record named as: $(cat cut.err)"
[[ $(status_of "$tool" alarm dump missing.dat) == 1 ]] || fail "dump of a missing file"

# --jsonl prints the same records one a line; --from and --last choose them.
python3 - "$dump" "$("$tool" alarm dump a.dat --jsonl)" <<'PY' || fail "--jsonl differs from the array"
import json, sys
array, lines = json.loads(sys.argv[1]), [json.loads(l) for l in sys.argv[2].splitlines()]
assert array == lines and len(lines) == 3, (array, lines)
PY
[[ $("$tool" alarm dump a.dat --jsonl --from 116) == "$("$tool" alarm dump a.dat --jsonl --last 2)" ]] ||
  fail "--from and --last chose different records"
[[ $("$tool" alarm dump a.dat --jsonl --last 1) == *'"SequenceReceivers":"S"'* ]] || fail "--last 1"
[[ $("$tool" alarm dump a.dat --last 0) == "[]" ]] || fail "--last 0"
[[ $(status_of "$tool" alarm dump a.dat --from 0) == 2 ]] || fail "--from 0 accepted"

# A full disk mid-append leaves the log as it was, so the next append and
# every record stay whole.
cp a.dat full.dat
status=0
(trap '' XFSZ; ulimit -f 1; echo '{"Conditions": ["a", "b", "c", "d", "e", "'"$(head -c 2000 /dev/zero | tr '\0' y)"'"]}' |
  "$tool" alarm append full.dat >/dev/null 2>full.err) || status=$?
[[ $status == 1 ]] && grep -q "Disk full" full.err || fail "append on a full disk exited $status: $(cat full.err)"
cmp -s a.dat full.dat || fail "a failed append left bytes behind"
echo '{"EventId": 9}' | "$tool" alarm append full.dat >/dev/null
[[ $("$tool" alarm dump full.dat --jsonl | tail -1) == *'"EventId":9,'* ]] || fail "the next append is not whole"

# Texts the code page cannot hold: refused, or stored as "?" with --lossy.
[[ $(echo '{"SequenceReceivers": "→"}' | status_of "$tool" alarm append a.dat) == 2 ]] || fail "unmappable text"
echo '{"SequenceReceivers": "→"}' | "$tool" alarm append a.dat --lossy >/dev/null || fail "--lossy append"
[[ $("$tool" alarm dump a.dat --jsonl --last 1) == *'"SequenceReceivers":"?"'* ]] || fail "--lossy stored"

echo "quindo-records calendar and alarm: all checks passed"
