# Sourced by test scripts: copies the game's run folder ($1) into a fresh
# temporary folder and sets GAME_FOLDER. The program is copied, not linked,
# because the game finds its files next to its own executable.
make_game_folder() {
  GAME_FOLDER=$(mktemp -d)
  cp -r "$1"/. "$GAME_FOLDER"/
  rm -rf "$GAME_FOLDER/SaveData" "$GAME_FOLDER/ScreenShot" "$GAME_FOLDER/FrameDumps" \
         "$GAME_FOLDER/Error.log" "$GAME_FOLDER"/*.lock
}
