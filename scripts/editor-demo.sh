#!/usr/bin/env bash
# quindo-editor on sample data: the simulator writes its sample profiles as
# files into a fresh data directory, quindo-records sets a few holidays in a
# calendar beside them, and the editor opens both. With a display the window
# stays open until you close it; without one it runs offscreen and saves a
# screenshot of a profile with its week chart and calendar.
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
"$build/tools/records/quindo-records" calendar set "$data/holidays.cal" \
  "$year-01-01" 8 "$year-05-01" 8 "$year-12-24" 9 "$year-12-25" 8 "$year-12-26" 8 "$year-12-31" 9
echo "quindo-editor on $(ls "$data/Profiles" | wc -l) sample profile files in $data"

editor=("$build/tools/editor/quindo-editor" --data-dir "$data" --calendar "$data/holidays.cal")
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "Close the editor to end the demo."
  "${editor[@]}"
else
  shot="$out/editor-screenshot.png"
  echo "No display: the editor runs offscreen."
  QT_QPA_PLATFORM=offscreen "${editor[@]}" --screenshot "$shot" --quit-after 500
  echo "Screenshot of the editor: $shot"
fi
