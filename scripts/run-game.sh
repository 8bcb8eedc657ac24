#!/usr/bin/env bash
# Builds the game with its sample data and runs it. Without a display it runs
# headless for a few seconds instead (see README).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Only what the game needs: the program, the engine, the settings program and
# the sample data (the test command builds everything else).
cmake --build build -j "$(nproc)" --target Velmora Zeph VelmoraConfig velmora_sample_data
cd build/run
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No display: run the opening and the title menu headless (about five
  # seconds of game time) and leave pictures of them to look at.
  echo "run-game: no display found; running the game headless for 300 frames"
  export VELMORA_HEADLESS=1 SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
  export VELMORA_FRAME_LIMIT="${VELMORA_FRAME_LIMIT:-300}"
  export VELMORA_DUMP_FRAMES="${VELMORA_DUMP_FRAMES:-20,60,300}"
  export VELMORA_DUMP_DIR="${VELMORA_DUMP_DIR:-$PWD/FrameDumps}"
  ./Velmora
  echo "run-game: frame dumps are in $VELMORA_DUMP_DIR"
  exit 0
fi
exec ./Velmora
