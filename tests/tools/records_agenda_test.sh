#!/usr/bin/env bash
# Drives quindo-records through calendar import-ics, agenda, check and
# profile ics in a temporary data directory, and reads the exported
# iCalendar files back with a second, independent reader
# (ics_round_trip.py) whose events must be exactly the agenda's active
# stretches, across both daylight-saving Sundays of Europe/Berlin.
# Usage: records_agenda_test.sh PATH-TO-quindo-records PATH-TO-ics_round_trip.py
set -euo pipefail
tool=$1
checker=$2
source "$(dirname "$0")/cli_test_setup.sh"
mkdir "$dir/Profiles"
run() { "$tool" "$@" --data-dir "$dir"; }
export TZ=Europe/Berlin

# Night: Monday 22:00 to Tuesday 06:00, special day type 1 (calendar 8) 10:00-12:00.
# Early: Sunday 02:30-04:00, the hour that daylight saving skips or repeats; no special day.
empty='{}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}'
echo "[{\"DiskIdentity\": 7, \"Name\": \"Night\", \"UseTimeSchedule\": -1, \"ParallellReceivers\": \"1\",
        \"TimeSchedule\": {\"UseCalendar\": -1, \"DayTypes\": [{\"Periods\": [[1320, 1440]]},
          {\"Periods\": [[0, 360]]}, {}, {}, {}, {}, {}, {\"Active\": -1, \"Periods\": [[600, 720]]}, $empty]}},
      {\"DiskIdentity\": 8, \"Name\": \"Always\", \"UseTimeSchedule\": 0},
      {\"DiskIdentity\": 9, \"Name\": \"Off\", \"Enabled\": 0},
      {\"DiskIdentity\": 10, \"Name\": \"Early\", \"UseTimeSchedule\": -1, \"ParallellReceivers\": \"1\",
        \"TimeSchedule\": {\"UseCalendar\": -1, \"DayTypes\": [{}, {}, {}, {}, {}, {}, {\"Periods\": [[150, 240]]}, {}, $empty]}}]" |
  run profile put >/dev/null

# import-ics: a one-off holiday, a yearly one expanded to 2039, and one of 1990 skipped.
cat >"$dir/holidays.ics" <<'ICS'
BEGIN:VCALENDAR
VERSION:2.0
PRODID:-//test//holidays//EN
BEGIN:VEVENT
UID:easter-monday-2024
DTSTAMP:20240101T000000Z
DTSTART;VALUE=DATE:20240401
SUMMARY:Easter Monday
END:VEVENT
BEGIN:VEVENT
UID:new-year
DTSTAMP:20240101T000000Z
DTSTART;VALUE=DATE:20240101
RRULE:FREQ=YEARLY
SUMMARY:New Year
END:VEVENT
BEGIN:VEVENT
UID:old
DTSTAMP:20240101T000000Z
DTSTART;VALUE=DATE:19900101
SUMMARY:Long ago
END:VEVENT
END:VCALENDAR
ICS
[[ $("$tool" calendar import-ics "$dir/holidays.ics" --day-type 8 "$dir/cal.dat") == \
   "$dir/cal.dat: 17 dates given day type 8 from 3 all-day events; 1 outside 2000..2039 skipped" ]] ||
  fail "import-ics said: $("$tool" calendar import-ics "$dir/holidays.ics" --day-type 8 "$dir/cal.dat")"
[[ $("$tool" calendar show "$dir/cal.dat" | grep -c $'\t8$') == 17 ]] || fail "import-ics dates"

# agenda: Easter Monday's calendar day decides for Night; the two that never change come first.
expected='{"Time":"2024-04-01 00:00","DiskIdentity":8,"Name":"Always","Active":true,"CalendarDayType":0,"DayType":null,"DecidedBy":"no schedule","Period":null}
{"Time":"2024-04-01 00:00","DiskIdentity":9,"Name":"Off","Active":false,"CalendarDayType":0,"DayType":null,"DecidedBy":"disabled","Period":null}
{"Time":"2024-04-01 10:00","DiskIdentity":7,"Name":"Night","Active":true,"CalendarDayType":8,"DayType":7,"DecidedBy":"calendar","Period":[600,720]}
{"Time":"2024-04-01 12:00","DiskIdentity":7,"Name":"Night","Active":false,"CalendarDayType":8,"DayType":7,"DecidedBy":"calendar","Period":[600,720]}'
got=$(run agenda --from "2024-04-01 00:00" --hours 24 --calendar "$dir/cal.dat" --jsonl)
[[ $got == "$expected" ]] || fail "agenda --jsonl: $got"
[[ $(run agenda --at "2024-04-01 10:30" --calendar "$dir/cal.dat" --jsonl | head -1) == \
   '{"DiskIdentity":7,"Name":"Night","Active":true,"CalendarDayType":8,"DayType":7,"DecidedBy":"calendar","Period":[600,720],"NextChange":"2024-04-01 12:00"}' ]] ||
  fail "agenda --at: $(run agenda --at "2024-04-01 10:30" --calendar "$dir/cal.dat" --jsonl | head -1)"
# The skipped minute 02:30 is listed as the wall clock shows it.
run agenda --from "2024-03-31 00:00" --to "2024-04-01 00:00" | grep -q '^2024-03-31 02:30    10  Early ' ||
  fail "agenda text: $(run agenda --from "2024-03-31 00:00" --to "2024-04-01 00:00")"

# Round trip: the events a second reader expands from the file are the agenda's stretches.
for window in "2024-03-30 2024-04-02" "2024-10-26 2024-10-29"; do
  read -r first end <<<"$window"
  for utc in "" --utc; do
    run agenda --at "$first 00:00" --calendar "$dir/cal.dat" --jsonl >"$dir/states.jsonl"
    run agenda --from "$first 00:00" --to "$end 00:00" --calendar "$dir/cal.dat" --jsonl >"$dir/changes.jsonl"
    run agenda --from "$first 00:00" --to "$end 00:00" --calendar "$dir/cal.dat" --ics $utc >"$dir/all.ics"
    /usr/bin/python3 "$checker" "$dir/states.jsonl" "$dir/changes.jsonl" "$dir/all.ics" "$first 00:00" "$end 00:00" \
      "$TZ" || fail "round trip of $window $utc"
  done
done

# check: findings exit 1, none 0, unreadable input 2.
printf '\x07\x00rest' >"$dir/Profiles/Profile_0011.dat"
run check --year 2024 --calendar "$dir/cal.dat" --jsonl >"$dir/findings.jsonl" && fail "check found nothing"
[[ $(head -1 "$dir/findings.jsonl") == '{"Kind":"unreadable-file","DiskIdentity":11,'* ]] || fail "unreadable file"
grep -q '^{"Kind":"weekday-decides","DiskIdentity":10,"Dates":\["2024-01-01","2024-04-01"\]' "$dir/findings.jsonl" ||
  fail "weekday-decides: $(cat "$dir/findings.jsonl")"
mkdir -p "$dir/clean/Profiles"
echo '{"DiskIdentity": 1, "Name": "Always", "UseTimeSchedule": 0}' | "$tool" profile put --data-dir "$dir/clean" >/dev/null
(($(status_of "$tool" check --data-dir "$dir/clean") == 0)) || fail "check of a clean directory"
(($(status_of run check --calendar "$dir/none.dat") == 2)) || fail "check with a missing calendar"
(($(status_of "$tool" check --data-dir "$dir/nowhere") == 2)) || fail "check of a missing directory"
