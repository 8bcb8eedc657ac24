#!/usr/bin/env bash
# The game in a real window on a private X display: Alt+Enter switches to
# full screen and back, F2 writes numbered screenshots, and closing the game
# writes the settings with the window mode it ended in. (Without a window
# manager X keeps the window's size, so the mode is read from the settings.)
# Usage: game-window-test.sh RUN_FOLDER (DISPLAY set by with-xvfb.sh)
set -u
. "$(dirname "$0")/../support/game-folder.sh"
make_game_folder "$1"
trap 'kill "$game" 2>/dev/null; rm -rf "$GAME_FOLDER"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

start_game() {
  SDL_AUDIODRIVER=dummy VELMORA_SOUNDFONT=/nonexistent ./Velmora 2>/dev/null &
  game=$!
  # SDL may replace the window it first maps (a renderer made after it), so
  # a window found can be gone by the time it is focused: search again.
  for _ in $(seq 20); do
    window=$(timeout 20 xdotool search --sync --onlyvisible --class Velmora | tail -n1)
    [ -n "$window" ] || fail "the game window did not appear"
    timeout 10 xdotool windowfocus --sync "$window" 2>/dev/null && return
    sleep 0.5
  done
  fail "cannot focus the window"
}

# SDL turns the termination signal into a quit: the game closes normally
# and writes its settings.
close_game() {
  kill -TERM "$game"
  wait "$game"
  local status=$?
  [ "$status" -eq 0 ] || fail "the game exited with $status"
  [ ! -f Error.log ] || fail "the run logged an error: $(cat Error.log)"
}

cd "$GAME_FOLDER"

# Alt+Enter switches the mode, then F2 must write the screenshot file $1.
# The pauses give a loaded machine time to map, focus and settle the window
# before the keys arrive; the keys themselves are held long enough to be seen.
switch_mode_and_take_screenshot() {
  sleep 2
  xdotool key --clearmodifiers --delay 200 alt+Return
  sleep 2
  xdotool key --delay 200 F2
  # A loaded machine may take a while to get round to the keys: up to 30 s.
  for _ in $(seq 300); do
    [ -f "ScreenShot/$1" ] && break
    sleep 0.1
  done
  [ -f "ScreenShot/$1" ] || fail "F2 wrote no $1"
  [ "$(head -c 2 "ScreenShot/$1")" = "BM" ] || fail "$1 is not a bitmap"
}

# Windowed at first: Alt+Enter switches to full screen, F2 writes a screenshot.
start_game
switch_mode_and_take_screenshot ScreenShot000.bmp
close_game
grep -Eq '^Window +0' SaveData/Config.cfg || fail "the settings do not keep full screen"

# The next run starts in full screen; Alt+Enter goes back to the window, and
# a second F2 takes the next free number.
start_game
switch_mode_and_take_screenshot ScreenShot001.bmp
close_game
grep -Eq '^Window +1' SaveData/Config.cfg || fail "the settings do not keep the window mode"
echo "PASS: full screen and back, two screenshots, settings saved"
