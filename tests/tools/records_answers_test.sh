#!/usr/bin/env bash
# Drives quindo-records through profile active, calendar holidays and
# calendar apply-holidays in a temporary data directory.
# Usage: records_answers_test.sh PATH-TO-quindo-records
set -euo pipefail
tool=$1
source "$(dirname "$0")/cli_test_setup.sh"
mkdir "$dir/Profiles"
run() { "$tool" "$@"; }

# Night shift: Monday 22:00 to Tuesday 06:00; special day type 1 (calendar 8) 10:00-12:00.
empty='{}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}'
echo "{\"DiskIdentity\": 7, \"Name\": \"Night\", \"UseTimeSchedule\": -1,
       \"TimeSchedule\": {\"UseCalendar\": -1, \"DayTypes\": [{\"Periods\": [[1320, 1440]]},
         {\"Periods\": [[0, 360]]}, {}, {}, {}, {}, {}, {\"Active\": -1, \"Periods\": [[600, 720]]}, $empty]}}" |
  run profile put --data-dir "$dir" >/dev/null
echo '{"DiskIdentity": 8, "Name": "Always", "UseTimeSchedule": 0}' | run profile put --data-dir "$dir" >/dev/null

cat >"$dir/rules.json" <<'RULES'
[
  {"Label": "New Year", "DayType": 8, "ViewInCalendar": true, "Rule": "fixed", "Month": 1, "Day": 1},
  {"Label": "Easter Monday", "DayType": 8, "ViewInCalendar": true, "Rule": "easter", "Offset": 1},
  {"Label": "Memorial\tDay", "DayType": 9, "ViewInCalendar": false, "Rule": "nth-weekday",
   "Month": 5, "Weekday": 1, "N": -1, "ToYear": 2030}
]
RULES

# holidays: one line per date, the label on one line.
expected=$(printf '2024-01-01\t8\tNew Year\n2024-04-01\t8\tEaster Monday\n2024-05-27\t9\tMemorial Day\n')
[[ $(run calendar holidays "$dir/rules.json" --year 2024) == "$expected" ]] ||
  fail "holidays printed: $(run calendar holidays "$dir/rules.json" --year 2024)"
(($(run calendar holidays "$dir/rules.json" | wc -l) == 40 + 40 + 31)) || fail "holidays of all years"
[[ $(run calendar holidays "$dir/rules.json" --year 2031) != *Memorial* ]] || fail "ToYear ignored"

# apply-holidays creates the calendar; days no rule covers keep their type.
run calendar apply-holidays "$dir/rules.json" "$dir/cal.dat" >/dev/null || fail "apply-holidays failed"
(($(stat -c %s "$dir/cal.dat") == 29220)) || fail "calendar file size"
# 2024-07-04 is day 8951: offset 17902; give it type 12 and apply again.
printf '\x0c\x00' | dd of="$dir/cal.dat" bs=1 seek=17902 conv=notrunc status=none
run calendar apply-holidays "$dir/rules.json" "$dir/cal.dat" >/dev/null
[[ $(od -An -tx1 -j17902 -N2 "$dir/cal.dat" | tr -d ' ') == 0c00 ]] || fail "an uncovered day lost its type"
expected=$(printf '2024-01-01\t8\n2024-04-01\t8\n2024-05-27\t9\n2024-07-04\t12\n')
[[ $(run calendar show "$dir/cal.dat" | grep '^2024-') == "$expected" ]] || fail "calendar show after apply"

# profile active: the calendar decides on Easter Monday, the weekday without it.
active() { run profile active "$@" --data-dir "$dir"; }
[[ $(active 7 --at "2024-04-01 10:30" --calendar "$dir/cal.dat") == \
   '{"Active":true,"CalendarDayType":8,"DayType":7,"DecidedBy":"calendar","Period":[600,720],"NextChange":"2024-04-01 12:00"}' ]] ||
  fail "Easter Monday: $(active 7 --at "2024-04-01 10:30" --calendar "$dir/cal.dat")"
# Memorial Day's type 9 (schedule 8) is inactive: Monday decides, its night shift runs into Tuesday.
[[ $(active 7 --at "2024-05-27 23:00" --calendar "$dir/cal.dat") == \
   '{"Active":true,"CalendarDayType":9,"DayType":0,"DecidedBy":"weekday","Period":[1320,1440],"NextChange":"2024-05-28 06:00"}' ]] ||
  fail "Memorial Day: $(active 7 --at "2024-05-27 23:00" --calendar "$dir/cal.dat")"
[[ $(active 7 --at "2024-04-01 10:30") == \
   '{"Active":false,"CalendarDayType":0,"DayType":0,"DecidedBy":"weekday","Period":null,"NextChange":"2024-04-01 22:00"}' ]] ||
  fail "without calendar: $(active 7 --at "2024-04-01 10:30")"
[[ $(active 8 --at "2039-12-31 23:59" --calendar "$dir/cal.dat") == \
   '{"Active":true,"CalendarDayType":0,"DayType":null,"DecidedBy":"no schedule","Period":null,"NextChange":null}' ]] ||
  fail "no schedule: $(active 8 --at "2039-12-31 23:59")"

# Bad times and dates are usage errors; a missing profile or calendar fails.
for at in "2024-02-30 10:00" "1999-12-31 23:59" "2040-01-01 00:00" "2024-01-01 24:00" "2024-01-01 7:30" \
          "2024-01-01T07:30" "2024-01-01 07:60" ""; do
  (($(status_of active 7 --at "$at") == 2)) || fail "--at '$at' accepted"
done
(($(status_of active 7) == 2)) || fail "missing --at accepted"
(($(status_of active 99 --at "2024-01-01 00:00") == 1)) || fail "missing profile"
(($(status_of active 7 --at "2024-01-01 00:00" --calendar "$dir/none.dat") == 1)) || fail "missing calendar"

# Bad rules files are refused with status 2 and change nothing.
before=$(md5sum <"$dir/cal.dat")
for bad in '[{"Label": "x", "DayType": 8, "ViewInCalendar": true, "Rule": "fixed", "Month": 2, "Day": 30}]' \
           '[{"Label": "x", "DayType": 8, "ViewInCalendar": true, "Rule": "easter", "Offset": 1, "Day": 3}]' \
           '[{"Label": "x", "DayType": 24, "ViewInCalendar": true, "Rule": "easter", "Offset": 1}]' \
           '[{"Label": "x", "DayType": 8, "ViewInCalendar": 1, "Rule": "easter", "Offset": 1}]' \
           '[{"Label": "x", "DayType": 8, "ViewInCalendar": true, "Rule": "nth-weekday", "Month": 5, "N": 1}]' \
           '[{"Label": "x", "DayType": 8, "ViewInCalendar": true, "Rule": "weekly"}]' \
           '{"Label": "x"}' '[' ; do
  echo "$bad" >"$dir/bad.json"
  (($(status_of run calendar apply-holidays "$dir/bad.json" "$dir/cal.dat") == 2)) || fail "applied $bad"
  (($(status_of run calendar holidays "$dir/bad.json") == 2)) || fail "listed $bad"
done
[[ $(md5sum <"$dir/cal.dat") == "$before" ]] || fail "a bad rules file changed the calendar"
(($(status_of run calendar holidays "$dir/rules.json" --year 2040) == 2)) || fail "--year 2040 accepted"
(($(status_of run calendar apply-holidays "$dir/rules.json" "$dir/no/such/dir/cal.dat") == 1)) ||
  fail "unwritable calendar"
# A hidden file or a directory is refused as calendar set refuses it.
printf 'keep' >"$dir/.hidden.cal"
mkdir "$dir/folder.cal"
for name in .hidden.cal folder.cal; do
  (($(status_of run calendar apply-holidays "$dir/rules.json" "$dir/$name") == 1)) || fail "applied to $name"
done
[[ $(cat "$dir/.hidden.cal") == keep && -d $dir/folder.cal ]] || fail "apply-holidays saved over what it refused"

echo "quindo-records answers and holidays: all checks passed"
