#!/usr/bin/env bash
# Builds the game with its sample data and runs it. Without a display it runs
# headless for a few seconds instead (see README).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
cd build/run
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run-game: no display; running headless"
  export VELMORA_HEADLESS=1
fi
exec ./Velmora
