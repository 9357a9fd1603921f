#!/usr/bin/env bash
# quindo-records run by many processes at once, and killed at random moments:
# ten new profiles racing for 14 free identities all land; saves of one
# profile follow one another whole; and a profile put, a calendar set or an
# alarm append killed at any moment never leaves a file that cannot be read.
# (Concurrent appenders: alarm_test.cc.)
# Usage: records_races_test.sh PATH-TO-quindo-records
set -euo pipefail
tool=$1
source "$(dirname "$0")/cli_test_setup.sh"
mkdir "$dir/Profiles"
run() { "$tool" "$@" --data-dir "$dir"; }

# Every identity but 14 is taken (700, 1400, ... 9800 are free).
python3 - "$dir/Profiles" <<'PY'
import sys
for i in range(1, 9992):
    if i % 700:
        open(f"{sys.argv[1]}/Profile_{i:04d}.dat", "wb").close()
PY
pids=()
for n in $(seq 10); do
  echo "{\"Name\": \"New $n\"}" | run profile put >"$dir/put.$n" &
  pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid" || fail "a racing put failed"; done
[[ $(cat "$dir"/put.* | sort -u | wc -l) == 10 ]] || fail "racing puts printed: $(cat "$dir"/put.*)"
find "$dir/Profiles" -name 'Profile_*.dat' -size 0 -delete
[[ $(run profile list | cut -f3 | sort | tr '\n' ,) == "New 1,New 10,New 2,New 3,New 4,New 5,New 6,New 7,New 8,New 9," ]] ||
  fail "racing puts stored: $(run profile list)"

# Saves of one profile by six processes: the file is always one of them whole.
pids=()
for n in $(seq 6); do
  (for _ in $(seq 5); do echo "{\"DiskIdentity\": 42, \"Name\": \"Writer $n\"}" | run profile put >/dev/null; done) &
  pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid" || fail "a concurrent save failed"; done
grep -q '"Name": "Writer [1-6]"' <<<"$(run profile show 42)" || fail "concurrent saves left: $(run profile show 42)"

alarms=$(python3 -c 'import json; print(json.dumps([{"EventId": n, "SequenceReceivers": "r" * n} for n in range(20)]))')

# Killed at random moments, each command leaves a file that reads whole.
kill_at_random() {
  "$@" &
  local pid=$!
  sleep "$(printf '0.%03d' $((RANDOM % 80)))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
big=$(head -c 30000 /dev/zero | tr '\0' t)
pairs=$(for d in $(seq 10 28); do printf '2024-01-%02d %d ' "$d" "$d"; done)
# The files exist before the first kill, which may come before a write.
"$tool" calendar set "$dir/days.cal" 2024-01-01 1
"$tool" alarm append "$dir/alarms.log" <<<"$alarms" >/dev/null
for round in $(seq 15); do
  kill_at_random run profile put <<<"{\"DiskIdentity\": 42, \"Name\": \"Round $round\", \"ExternalFileText\": \"$big\"}"
  run profile show 42 --read-only >/dev/null 2>&1 || fail "a killed put left profile 42 unreadable (round $round)"
  # shellcheck disable=SC2086
  kill_at_random "$tool" calendar set "$dir/days.cal" $pairs
  [[ $("$tool" calendar show "$dir/days.cal" | sed -n 1p) == $'2024-01-01\t1' ]] ||
    fail "a killed set left the calendar unreadable (round $round)"
  kill_at_random "$tool" alarm append "$dir/alarms.log" <<<"$alarms"
  "$tool" alarm dump "$dir/alarms.log" --jsonl >/dev/null || fail "a killed append left a torn record (round $round)"
done
# The temporaries of killed saves go with the next save.
echo '{"DiskIdentity": 42, "Name": "Last"}' | run profile put >/dev/null
[[ -z $(find "$dir/Profiles" -name '.Profile_0042.dat.tmp-*') ]] || fail "temporaries of killed saves are left"

echo "quindo-records races: all checks passed"
