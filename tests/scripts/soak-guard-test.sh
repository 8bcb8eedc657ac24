#!/usr/bin/env bash
# The soak's guard, run on a stand-in program instead of the game: a game
# that quits early or fails makes the soak fail and say why, with the game's
# messages and Error.log; each soak starts in a fresh folder; a player who
# quits part way is started again until every frame is played.
#   bash soak-guard-test.sh PROJECT_FOLDER
set -uo pipefail
project=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# The stand-in: BEHAVIOUR says what it does; it dumps the frames the soak asks
# for as the game would, up to the frame it stops at.
make_game() { # behaviour
  mkdir -p "$work/game"
  cat > "$work/game/Velmora" <<STANDIN
#!/usr/bin/env bash
here=\$(dirname "\$0")
stop=\$VELMORA_FRAME_LIMIT
case $1 in
  quits-at-once) exit 0 ;;
  fails) echo "stand-in: the device went away"; printf 'File : Stand.cpp\r\nLine : 7\r\nboom\r\n' > "\$here/Error.log"; exit 1 ;;
  logs) printf 'File : Stand.cpp\r\nLine : 9\r\nwarned\r\n' > "\$here/Error.log" ;;
  quits-once) [ -e "\$here/quit-before" ] || { touch "\$here/quit-before"; stop=700; } ;;
esac
# A fresh folder has no save yet.
[ -e "\$here/SaveData/mark" ] && { echo "stand-in: a save of an earlier soak is here"; exit 3; }
for f in \${VELMORA_DUMP_FRAMES//,/ }; do
  [ "\$f" -le "\$stop" ] && printf '' > "\$VELMORA_DUMP_DIR/\$(printf 'frame%05d.png' "\$f")"
done
[ "$1" = quits-once ] || { mkdir -p "\$here/SaveData"; touch "\$here/SaveData/mark"; }
exit 0
STANDIN
  chmod +x "$work/game/Velmora"
}

expect() { # behaviour wanted-status text-in-output
  rm -rf "$work/game"
  make_game "$1"
  local status=0
  SOAK_GAME_DIR="$work/game" bash "$project/scripts/soak.sh" 4000 5 > "$work/out" 2>&1 || status=$?
  if [ "$2" = 0 ] && [ "$status" != 0 ] || [ "$2" != 0 ] && [ "$status" = 0 ] || ! grep -q -- "$3" "$work/out"; then
    echo "FAILED: a stand-in that $1: status $status, output:"
    cat "$work/out"
    failures=$((failures + 1))
  fi
}

expect quits-at-once 1 "ended after fewer than 500 of its 1000 frames"
expect fails 1 "the device went away"
expect fails 1 "boom"
expect logs 1 "the game wrote Error.log"
expect logs 1 "warned"
expect plays 0 "soak: 4000 frames (seed 5)"
expect quits-once 0 "the player quit after about 500 of 1000 frames"

[ "$failures" = 0 ] && echo "soak guard: all cases passed"
exit "$failures"
