#!/usr/bin/env bash
# Builds the libFuzzer targets in the clang sanitizer tree (build-asan/, the
# one the test command's sanitizer suite runs in) and runs them.
#   bash scripts/fuzz.sh                  every target for FUZZ_SECONDS (default 20), in parallel
#   bash scripts/fuzz.sh TARGET SECONDS   one target for longer, e.g. scripts/fuzz.sh save 600
# Targets: the fuzz_* programs of build-asan/fuzz/ without the prefix. Each
# starts from its seed corpus (made from the sample data) and keeps what it
# finds new in build-asan/fuzz/work/<target>/; a crash, leak or hang leaves
# its input in build-asan/fuzz/findings/<target>/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

mkdir -p build-asan
# One build at a time when several runs start together.
(
  flock 9
  [ -f build-asan/build.ninja ] || bash scripts/configure-sanitizer.sh ${FUZZ_CMAKE_ARGS:-}
  cmake --build build-asan -j "$(nproc)" --target velmora_fuzzers
) 9> build-asan/.build.lock

fuzz_dir=build-asan/fuzz
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_odr_violation=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cat tests/lsan/*.supp > build-asan/lsan.supp
export LSAN_OPTIONS="suppressions=$PWD/build-asan/lsan.supp:print_suppressions=0"

run_one() {
  local target=$1 seconds=$2
  local work=$fuzz_dir/work/$target findings=$fuzz_dir/findings/$target log=$fuzz_dir/logs/$target.log
  mkdir -p "$work" "$findings" "$(dirname "$log")"
  local dict=()
  [ -f "$fuzz_dir/dict/$target.dict" ] && dict=(-dict="$fuzz_dir/dict/$target.dict")
  if "$fuzz_dir/fuzz_$target" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 -max_len=65536 \
      -print_final_stats=1 -artifact_prefix="$findings/" "${dict[@]}" "$work" "$fuzz_dir/corpus/$target" \
      > "$log" 2>&1; then
    echo "fuzz $target: $(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}') runs," \
         "corpus $(ls "$work" | wc -l), $(grep -oE 'cov: [0-9]+' "$log" | tail -1)"
  else
    echo "fuzz $target: FINDING (log $log, input in $findings/)"
    tail -40 "$log"
    return 1
  fi
}

if [ $# -ge 1 ]; then
  run_one "$1" "${2:-600}"
  exit
fi

targets=$(cd "$fuzz_dir" && ls fuzz_* | grep -v '^fuzz_seeds$' | sed 's/^fuzz_//')
export -f run_one
export fuzz_dir
# Two targets a core: each is single-threaded and mostly waits on nothing.
printf '%s\n' $targets | xargs -P "$(nproc)" -I{} bash -c "run_one {} ${FUZZ_SECONDS:-20}"
