#!/usr/bin/env bash
# A headless soak of the sanitizer build: a new game, then random presses of
# the assigned keys for many frames.
#   bash scripts/soak.sh [FRAMES] [SEED]     (default 20000 frames, seed 1)
# Passes when the game plays all FRAMES frames and ends cleanly with no
# sanitizer report and no Error.log, and when its peak memory over the whole
# soak stays within a quarter of its peak over a soak of a quarter of the
# frames (memory that keeps growing fails). Each of the two soaks starts from
# a fresh copy of the game folder, so no save or setting carries over.
# Random presses can choose a quit row: then the game is started again in the
# same folder for the frames still to play; a game that quits or stops before
# playing a whole stretch of CHECK frames fails the soak.
# Expects build-asan/ from scripts/run-tests.sh, or builds it. SOAK_GAME_DIR
# names another game folder to copy (its program is "Velmora").
set -euo pipefail
cd "$(dirname "$0")/.."
frames=${1:-20000}
seed=${2:-1}
readonly CHECK=500 # frames between two counted frames of a game run

game_dir=${SOAK_GAME_DIR:-build-asan/run}
if [ -z "${SOAK_GAME_DIR:-}" ] && [ ! -x build-asan/run/Velmora ]; then
  bash scripts/configure-sanitizer.sh
  cmake --build build-asan -j "$(nproc)" --target Velmora Zeph velmora_sample_data
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Key numbers of the settings file: the default assignment (confirm, cancel,
# menu and the other buttons, then the four directions).
keys=(44 45 46 47 30 31 32 33 16 17 57 200 208 203 205)
write_input() { # frames seed file
  awk -v frames="$1" -v seed="$2" -v keylist="${keys[*]}" '
  BEGIN {
    srand(seed)
    n = split(keylist, keys, " ")
    # Through the opening to the title menu, then its first row.
    print "240 key 44 down"; print "242 key 44 up"
    for (f = 400; f < frames - 10; f += 2 + int(rand() * 12)) {
      k = keys[1 + int(rand() * n)]
      hold = 1 + int(rand() * (k >= 200 ? 40 : 3))
      print f " key " k " down"
      print f + hold " key " k " up"
    }
  }' | sort -n -s -k1,1 > "$3"
}

export VELMORA_HEADLESS=1 SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_odr_violation=0:quarantine_size_mb=16"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cat tests/lsan/*.supp > "$work/lsan.supp"
export LSAN_OPTIONS="suppressions=$work/lsan.supp:print_suppressions=0"

fail() { # message (and the run's output and Error.log when there are any)
  echo "soak: $1 (seed $seed)" >&2
  if [ -n "${2:-}" ] && [ -s "$2" ]; then
    echo "soak: the game's messages:" >&2
    tail -60 "$2" >&2
  fi
  if [ -n "${3:-}" ] && [ -f "$3" ]; then
    echo "soak: its Error.log:" >&2
    cat "$3" >&2
  fi
  exit 1
}

# The frames run of one game run, as the highest frame it dumped (0 for none).
frames_dumped() { # dump folder
  local last
  last=$(find "$1" -name 'frame*.png' 2>/dev/null | sed 's/.*frame0*\([0-9][0-9]*\)\.png$/\1/' | sort -n | tail -1)
  echo "${last:-0}"
}

# Plays the frames in a fresh copy of the game folder; prints the peak
# resident kilobytes over all its game runs.
soak() { # frames name
  local folder="$work/$2" left=$1 peak=0 run=0
  mkdir "$folder"
  cp -r "$game_dir/." "$folder/"
  # The game finds its files next to its own executable.
  rm -rf "$folder/Error.log" "$folder/FrameDumps"
  while [ "$left" -gt 0 ]; do
    run=$((run + 1))
    local dumps="$folder/dumps$run" log="$folder/out$run.log" counted
    mkdir "$dumps"
    write_input "$left" "$((seed * 100 + run))" "$folder/input$run.txt"
    # A dump every CHECK frames counts the frames of a run that quits early.
    local list
    list=$(seq -s, "$CHECK" "$CHECK" "$left")
    list=${list:+$list,}$left
    if ! VELMORA_FRAME_LIMIT=$left VELMORA_INPUT_SCRIPT="$folder/input$run.txt" VELMORA_DUMP_FRAMES=$list \
      VELMORA_DUMP_DIR="$dumps" /usr/bin/time -f '%M' -o "$folder/rss" "$folder/Velmora" > "$log" 2>&1; then
      fail "the game failed within $left frames ($2 soak, game run $run)" "$log" "$folder/Error.log"
    fi
    if [ -f "$folder/Error.log" ]; then
      fail "the game wrote Error.log ($2 soak, game run $run)" "$log" "$folder/Error.log"
    fi
    local rss
    rss=$(tail -1 "$folder/rss")
    [ "$rss" -gt "$peak" ] && peak=$rss
    counted=$(frames_dumped "$dumps")
    if [ "$counted" -ge "$left" ]; then
      break
    fi
    if [ "$counted" -eq 0 ]; then
      fail "the game ended after fewer than $CHECK of its $left frames ($2 soak, game run $run)" "$log"
    fi
    echo "soak: the player quit after about $counted of $left frames; the game starts again ($2 soak)" >&2
    left=$((left - counted))
  done
  echo "$peak"
}

early=$(soak $((frames / 4)) quarter)
whole=$(soak "$frames" whole)
echo "soak: $frames frames (seed $seed): peak ${early} kB over a quarter, ${whole} kB in all"
if [ "$whole" -gt $((early + early / 4)) ]; then
  echo "soak: memory keeps growing" >&2
  exit 1
fi
