#!/usr/bin/env bash
# A headless soak of the sanitizer build: a new game, then random presses of
# the assigned keys for many frames.
#   bash scripts/soak.sh [FRAMES] [SEED]     (default 20000 frames, seed 1)
# Passes when the game ends cleanly with no sanitizer report and no
# Error.log, and when its peak memory over the whole run stays within a
# quarter of its peak over the first quarter (memory that keeps growing
# fails). Expects build-asan/ from scripts/run-tests.sh, or builds it.
set -euo pipefail
cd "$(dirname "$0")/.."
frames=${1:-20000}
seed=${2:-1}

if [ ! -x build-asan/run/Velmora ]; then
  bash scripts/configure-sanitizer.sh
  cmake --build build-asan -j "$(nproc)" --target Velmora Zeph velmora_sample_data
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r build-asan/run "$work/game"
# The game finds its files next to its own executable.
rm -f "$work/game/Error.log"

# Key numbers of the settings file: the default assignment (confirm, cancel,
# menu and the other buttons, then the four directions).
keys=(44 45 46 47 30 31 32 33 16 17 57 200 208 203 205)
awk -v frames="$frames" -v seed="$seed" -v keylist="${keys[*]}" '
BEGIN {
  srand(seed)
  n = split(keylist, keys, " ")
  # Through the opening to the title menu, then new game.
  print "240 key 44 down"; print "242 key 44 up"
  for (f = 400; f < frames - 10; f += 2 + int(rand() * 12)) {
    k = keys[1 + int(rand() * n)]
    hold = 1 + int(rand() * (k >= 200 ? 40 : 3))
    print f " key " k " down"
    print f + hold " key " k " up"
  }
}' | sort -n -s -k1,1 > "$work/input.txt"

export VELMORA_HEADLESS=1 SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export VELMORA_INPUT_SCRIPT="$work/input.txt"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_odr_violation=0:quarantine_size_mb=16"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cat tests/lsan/*.supp > "$work/lsan.supp"
export LSAN_OPTIONS="suppressions=$work/lsan.supp:print_suppressions=0"

peak_kb() { # frames -> peak resident kilobytes of a run of that length
  VELMORA_FRAME_LIMIT=$1 /usr/bin/time -f '%M' -o "$work/rss" "$work/game/Velmora" > "$work/out.log" 2>&1 || {
    echo "soak: the game failed after at most $1 frames (seed $seed)"; tail -40 "$work/out.log"; exit 1; }
  if [ -f "$work/game/Error.log" ]; then
    echo "soak: the game wrote Error.log (seed $seed):"; cat "$work/game/Error.log"; exit 1
  fi
  tail -1 "$work/rss"
}

early=$(peak_kb $((frames / 4)))
whole=$(peak_kb "$frames")
echo "soak: $frames frames (seed $seed): peak ${early} kB after a quarter, ${whole} kB in all"
if [ "$whole" -gt $((early + early / 4)) ]; then
  echo "soak: memory keeps growing"
  exit 1
fi
