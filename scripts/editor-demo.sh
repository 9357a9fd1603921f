#!/usr/bin/env bash
# quindo-editor on sample data: the simulator writes its sample profiles as
# files into a fresh data directory, quindo-records sets a few holidays in a
# calendar beside them and adds a profile that uses the calendar, and the
# editor opens both, showing that profile. With a display the window stays
# open until you close it; without one it runs offscreen and saves a
# screenshot of the profile with its week chart and calendar.
#
#   bash scripts/editor-demo.sh [BUILD_DIR [OUT_DIR]]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
out=${2:-build/demo}
if [ ! -x "$build/tools/editor/quindo-editor" ]; then
  bash scripts/install-deps.sh
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target quindo-sim quindo-editor quindo-records
fi

data="$out/editor-data"
rm -rf "$data"
mkdir -p "$data"
echo quit | "$build/tools/sim/quindo-sim" --port 0 --data-dir "$data" --sample 12 >/dev/null
year=$(date +%Y)
month=$(date +%m)
# Special day types 1 (calendar day type 8) and 2 (9) on holidays, and two
# days of this month so that the month shown has some.
"$build/tools/records/quindo-records" calendar set "$data/holidays.cal" \
  "$year-01-01" 8 "$year-05-01" 8 "$year-12-24" 9 "$year-12-25" 8 "$year-12-26" 8 "$year-12-31" 9 \
  "$year-$month-10" 8 "$year-$month-11" 9
# A profile that uses the calendar: evenings and weekends on call, all day on
# special day type 1, 08:00-20:00 on special day type 2.
evening='{"Active": -1, "Periods": [[1020, 1440]]}'
all_day='{"Active": -1, "Periods": [[0, 1440]]}'
"$build/tools/records/quindo-records" profile put --data-dir "$data" >/dev/null <<JSON
{"DiskIdentity": 13, "Name": "Holiday on-call", "Enabled": -1, "UseTimeSchedule": -1,
 "ParallellReceivers": "K1;K3", "Conditions": ["Priority<=1", "", "", "", "", ""],
 "TimeSchedule": {"UseCalendar": -1, "DayTypes": [
   $evening, $evening, $evening, $evening, $evening, $all_day, $all_day,
   $all_day, {"Active": -1, "Periods": [[480, 1200]]},
   {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}]}}
JSON
echo "quindo-editor on $(ls "$data/Profiles" | wc -l) sample profile files in $data"

editor=("$build/tools/editor/quindo-editor" --data-dir "$data" --calendar "$data/holidays.cal" --select 13)
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "Close the editor to end the demo."
  "${editor[@]}"
else
  shot="$out/editor-screenshot.png"
  echo "No display: the editor runs offscreen."
  QT_QPA_PLATFORM=offscreen "${editor[@]}" --screenshot "$shot" --quit-after 500
  echo "Screenshot of the editor: $shot"
  agenda_shot="$out/editor-agenda.png"
  QT_QPA_PLATFORM=offscreen "${editor[@]}" --tab Agenda --screenshot "$agenda_shot" --quit-after 800
  echo "Screenshot of its Agenda tab (the next 24 hours) and Check list: $agenda_shot"
fi
