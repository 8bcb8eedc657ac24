#!/usr/bin/env bash
# Builds everything and runs the whole test suite twice: a plain g++ build,
# then a clang build under AddressSanitizer and UndefinedBehaviorSanitizer;
# then a short headless soak of the sanitizer build and a brief run of every
# fuzz target, linked from the sanitizer build's objects. Each stage prints
# its wall time, and the total comes last.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
started=$SECONDS
stage_times=()
# stage NAME COMMAND...: runs one stage and notes how long it took.
stage() {
  local name=$1 begun=$SECONDS
  shift
  echo "== $name"
  "$@"
  stage_times+=("$(printf '%-34s %5d s' "$name" $((SECONDS - begun)))")
  echo "== $name took $((SECONDS - begun)) s"
}

stage "install" bash scripts/install-deps.sh

# The plain test build carries no debug information: it compiles a quarter
# faster, and the sanitizer build below keeps it for the reports.
stage "plain build" bash -c "cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO='-O2 -DNDEBUG' -DCMAKE_C_FLAGS_RELWITHDEBINFO='-O2 -DNDEBUG' \
  && cmake --build build -j $jobs"
stage "plain suite" ctest --test-dir build -j "$jobs" --output-on-failure --timeout 300

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_odr_violation=0"
mkdir -p build-asan
cat tests/lsan/*.supp > build-asan/lsan.supp
export LSAN_OPTIONS="suppressions=$PWD/build-asan/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
stage "sanitizer build (clang)" bash -c "bash scripts/configure-sanitizer.sh && cmake --build build-asan -j $jobs"
stage "sanitizer suite" ctest --test-dir build-asan -j "$jobs" --output-on-failure --timeout 600

stage "soak (headless random presses)" bash scripts/soak.sh "${SOAK_FRAMES:-1200}"

# Each target runs on one core at a time: a shorter run on a small machine.
if [ "$jobs" -le 2 ]; then : "${FUZZ_SECONDS:=10}"; fi
stage "fuzz targets, ${FUZZ_SECONDS:=20} s each" env FUZZ_SECONDS="$FUZZ_SECONDS" bash scripts/fuzz.sh

echo "== wall time per stage"
printf '%s\n' "${stage_times[@]}"
echo "total: $((SECONDS - started)) s"
