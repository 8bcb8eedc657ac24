# Frame dumps of the headless mode are written as PNG.
find_package(PNG REQUIRED)
target_link_libraries(velmora_game_parts PUBLIC PNG::PNG)
