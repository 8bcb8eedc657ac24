# The enemy kinds of entry 2: any bytes through the parser and its checks.
velmora_add_fuzzer(enemy_kinds FuzzEnemyKinds.cpp LIBS ${GAME_LIBS})
