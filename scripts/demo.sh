#!/usr/bin/env bash
# Sets up and runs the demo: the alarm-server simulator serving its sample
# profiles, and the desktop host whose profile control connects to it. With a
# display the window stays open until you close it; without one the demo runs
# offscreen, saves a screenshot and prints the tree as text. The simulator is
# stopped at the end either way. Then the editor opens the same sample
# profiles as files in a data directory. Every tool is built, so that the
# README's examples work right after.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

build=build/release
out=build/demo
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
tools=(quindo-sim quindo-demo quindo-client quindo-records quindo-editor)
# With the libraries and the Designer plugin, everything `cmake --install` takes.
cmake --build "$build" --target "${tools[@]}" quindo_core quindo_widgets quindo_designer
mkdir -p "$out"

# The simulator picks a free port and names it on its first output line.
"$build/tools/sim/quindo-sim" --port 0 --sample 12 </dev/null >"$out/sim.log" 2>&1 &
sim_pid=$!
# A stopped simulator (see below) must be woken to take the signal.
trap 'kill -CONT "$sim_pid" 2>/dev/null || true; kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT
port=""
for _ in $(seq 50); do
  port=$(awk '/^listening/ { print $3; exit }' "$out/sim.log")
  [ -n "$port" ] && break
  kill -0 "$sim_pid" 2>/dev/null || { cat "$out/sim.log"; exit 1; }
  sleep 0.1
done
[ -n "$port" ] || { echo "quindo-sim did not start"; cat "$out/sim.log"; exit 1; }
echo "quindo-sim serving 12 sample profiles on 127.0.0.1:$port"

server=(/ServerAddress:127.0.0.1 "/ServerPort:$port")
# The calendar shows the sample holidays: their day types, strips and tooltips.
holidays=(--holidays data/holidays/sample-rules.json)
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "Close the window to end the demo."
  "$build/tools/demo/quindo-demo" "${holidays[@]}" "${server[@]}"
else
  shot="$out/demo-screenshot.png"
  schedule_shot="$out/demo-week-chart.png"
  calendar_shot="$out/demo-calendar.png"
  echo "No display: running offscreen for 3.5 s. Once the demo has its profiles the"
  echo "simulator stops reading (SIGSTOP), and the demo asks to flip \"Night shift\":"
  echo "the request waits, marked in the tree and named in the control's status line."
  QT_QPA_PLATFORM=offscreen "$build/tools/demo/quindo-demo" \
    --screenshot "$shot" --schedule-screenshot "$schedule_shot" \
    --calendar-screenshot "$calendar_shot" --toggle "Night shift" --toggle-after 2000 \
    --quit-after 3500 "${holidays[@]}" "${server[@]}" >"$out/demo.txt" &
  demo_pid=$!
  for _ in $(seq 50); do
    grep -q '^recv 200' "$out/sim.log" && break
    sleep 0.1
  done
  sleep 0.5
  kill -STOP "$sim_pid"
  wait "$demo_pid" || { cat "$out/demo.txt"; exit 1; }
  kill -CONT "$sim_pid"
  cat "$out/demo.txt"
  echo "Screenshot of the window: $shot"
  echo "Screenshot of the week chart beside the tree: $schedule_shot"
  echo "Screenshot of the month calendar beside the week chart: $calendar_shot"
  sleep 0.3  # the simulator catches up with the request it did not read

  # The reason line: the same port with nobody listening.
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  down_shot="$out/demo-not-connected.png"
  echo
  echo "The simulator is stopped; the demo on its port for 1.5 s:"
  QT_QPA_PLATFORM=offscreen "$build/tools/demo/quindo-demo" --screenshot "$down_shot" \
    --quit-after 1500 "${server[@]}"
  echo "Screenshot of the disconnected control: $down_shot"
fi
echo "Frames the simulator received:"
grep '^recv' "$out/sim.log" | sort | uniq -c || true

# The editor on a data directory of the simulator's sample profile files (the
# simulator seeds an empty directory and quits), with a holiday calendar.
echo
bash scripts/editor-demo.sh "$build" "$out"

# quindo-records on the same files: looking without converting, and an alarm
# log appended to by two writers at once and dumped one JSON line a record.
echo
records="$build/tools/records/quindo-records"
echo "quindo-records profile list --read-only (first lines):"
"$records" profile list --read-only --data-dir "$out/editor-data" | sed -n 1,3p
# As a script would: options before the command, JSON lines, the answer now.
echo "quindo-records --data-dir DIR profile list --jsonl, the disabled profiles' names:"
"$records" --data-dir "$out/editor-data" profile list --jsonl --read-only |
  python3 -c 'import json, sys; print(*(p["Name"] for p in map(json.loads, sys.stdin) if p["Enabled"] == 0), sep=", ")'
echo "quindo-records profile active 13 --at now --calendar holidays.cal:"
"$records" profile active 13 --at now --calendar "$out/editor-data/holidays.cal" --data-dir "$out/editor-data" --read-only
echo "quindo-records profile show 99 (none such), and its exit status:"
"$records" profile show 99 --data-dir "$out/editor-data" || echo "exit status $?"
# The whole directory: what changes in the next 24 hours, and its check.
echo "quindo-records agenda --from now --hours 24 --calendar holidays.cal (the next 24 hours):"
"$records" agenda --from now --hours 24 --calendar "$out/editor-data/holidays.cal" --data-dir "$out/editor-data" \
  --read-only
echo "quindo-records check --calendar holidays.cal:"
"$records" check --calendar "$out/editor-data/holidays.cal" --data-dir "$out/editor-data" --read-only ||
  echo "exit status $? (1: findings)"
rm -f "$out/alarms.log"
writers=()
for writer in 1 2; do
  echo "[{\"EventId\": ${writer}01, \"Status\": 1}, {\"EventId\": ${writer}02, \"Status\": 2}]" |
    "$records" alarm append "$out/alarms.log" >/dev/null &
  writers+=($!)
done
wait "${writers[@]}"
echo "quindo-records alarm dump --jsonl --last 3 (of 4 records from two writers):"
"$records" alarm dump "$out/alarms.log" --jsonl --last 3

echo
echo "The tools are built in $build/tools/:"
for tool in "${tools[@]}"; do echo "  $build/tools/${tool#quindo-}/$tool"; done
echo "To put them on your PATH: cmake --install $build --prefix ~/.local"
echo "(then make sure ~/.local/bin is on your PATH)."
