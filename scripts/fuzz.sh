#!/usr/bin/env bash
# Runs the libFuzzer targets: builds them (clang, optimised, ASan + UBSan),
# runs each on its corpus (build/fuzz/corpus/TARGET) and seeds
# (fuzz/seeds/TARGET), and merges the inputs that reached new code into the
# seeds (libFuzzer's set-cover merge: the fewest that reach it all), so that
# the next run starts there.
# A finding stops the script; its input stays under build/fuzz/artifacts/.
#
#   scripts/fuzz.sh [--minutes N | --seconds N] [--no-merge] [TARGET...]
#
# Without targets every one runs, one after the other, 10 minutes each.
# --no-merge leaves fuzz/seeds/ alone (the short run of scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=600
merge=1
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --minutes) seconds=$(( $2 * 60 )); shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --no-merge) merge=0; shift ;;
    -h|--help) sed -n '2,13p' "$0"; exit 0 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done

if ! command -v clang++ >/dev/null; then
  echo "clang++ is missing: the fuzz targets need it" >&2
  exit 1
fi
build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DQUINDO_FUZZ=ON -DQUINDO_WITH_QT=OFF -DQUINDO_BENCH=OFF >/dev/null
if [ ${#targets[@]} -eq 0 ]; then
  while IFS= read -r source; do targets+=("$(basename "$source" .cc)"); done \
    < <(find fuzz -name 'fuzz_*.cc' | sort)
fi
cmake --build "$build" --target "${targets[@]}"

mkdir -p "$build/artifacts"
for name in "${targets[@]}"; do
  target=$(find "$build/fuzz" -type f -executable -name "$name" | head -n 1)
  corpus=$build/corpus/$name
  seeds=fuzz/seeds/$name
  mkdir -p "$corpus" "$seeds"
  log=$build/$name.log
  echo "-- $name (${seconds}s)"
  if ! "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/artifacts/" \
       "$corpus" "$seeds" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "$name: finding, input under $build/artifacts/ (log $log)" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  echo "   $runs inputs, $speed exec/s, no finding"
  if [ "$merge" -eq 1 ]; then
    before=$(find "$seeds" -type f | wc -l)
    # The set-cover merge keeps the fewest inputs that still reach everything.
    "$target" -set_cover_merge=1 "$seeds" "$corpus" >"$build/$name.merge.log" 2>&1
    echo "   seeds: $before -> $(find "$seeds" -type f | wc -l) files in $seeds"
  fi
done
