#!/usr/bin/env bash
# Runs every test: the core under AddressSanitizer + UndefinedBehaviorSanitizer,
# short runs of every fuzz target (scripts/fuzz.sh runs them long), then the
# full build (Qt widget, tools, benchmarks) and all its tests. Installs what
# is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
fuzz_seconds=${FUZZ_SECONDS:-10}
# Rebuilds of unchanged sources come from the compiler cache.
launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

echo "== Core tests under ASan + UBSan =="
cmake -S . -B build/asan -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=Debug -DQUINDO_SANITIZE=ON \
  -DQUINDO_WITH_QT=OFF -DQUINDO_BENCH=OFF > build-asan.log 2>&1 || { cat build-asan.log; exit 1; }
rm -f build-asan.log
cmake --build build/asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure

if command -v clang++ >/dev/null; then
  echo "== Fuzz targets (${fuzz_seconds}s each) =="
  # Everything is built with clang first, tests included, as a second compiler's check.
  cmake -S . -B build/fuzz -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DQUINDO_FUZZ=ON -DQUINDO_WITH_QT=OFF -DQUINDO_BENCH=OFF >/dev/null
  cmake --build build/fuzz
  bash scripts/fuzz.sh --seconds "$fuzz_seconds" --no-merge
fi

echo "== Full build and all tests =="
cmake -S . -B build/release -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release
ctest --test-dir build/release --output-on-failure
