#!/usr/bin/env bash
# Runs every test: the core under AddressSanitizer + UndefinedBehaviorSanitizer,
# short runs of every fuzz target, then the full build (Qt widget, tools,
# benchmarks) and all its tests. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
fuzz_seconds=${FUZZ_SECONDS:-10}

echo "== Core tests under ASan + UBSan =="
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUINDO_SANITIZE=ON \
  -DQUINDO_WITH_QT=OFF -DQUINDO_BENCH=OFF > build-asan.log 2>&1 || { cat build-asan.log; exit 1; }
rm -f build-asan.log
cmake --build build/asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure

if command -v clang++ >/dev/null; then
  echo "== Fuzz targets (${fuzz_seconds}s each) =="
  cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DQUINDO_FUZZ=ON -DQUINDO_WITH_QT=OFF -DQUINDO_BENCH=OFF >/dev/null
  cmake --build build/fuzz
  while IFS= read -r target; do
    name=$(basename "$target")
    corpus=build/fuzz/corpus/$name
    mkdir -p "$corpus" build/fuzz/artifacts
    seeds=()
    [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
    echo "-- $name"
    "$target" -max_total_time="$fuzz_seconds" -artifact_prefix=build/fuzz/artifacts/ "$corpus" "${seeds[@]}" 2>&1 | tail -n 2
  done < <(find build/fuzz/fuzz -type f -executable -name 'fuzz_*' | sort)
fi

echo "== Full build and all tests =="
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release
ctest --test-dir build/release --output-on-failure
