#!/usr/bin/env bash
# Builds everything and runs the whole test suite twice: a plain build, then
# one under AddressSanitizer and UndefinedBehaviorSanitizer; then a short
# headless soak of the sanitizer build and a brief run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
echo "== plain build"
# The plain test build carries no debug information: it compiles a quarter
# faster, and the sanitizer build below keeps it for the reports.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG"
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --output-on-failure --timeout 300

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_odr_violation=0"
mkdir -p build-asan
cat tests/lsan/*.supp > build-asan/lsan.supp
export LSAN_OPTIONS="suppressions=$PWD/build-asan/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_BENCH=OFF
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan -j "$jobs" --output-on-failure --timeout 600

echo "== soak (headless random presses, sanitizer build)"
bash scripts/soak.sh "${SOAK_FRAMES:-1200}"

# Each target runs on one core at a time: a shorter run on a small machine.
if [ "$jobs" -le 2 ]; then : "${FUZZ_SECONDS:=10}"; fi
echo "== fuzz targets (clang, libFuzzer), ${FUZZ_SECONDS:=20} s each"
FUZZ_SECONDS=$FUZZ_SECONDS bash scripts/fuzz.sh
