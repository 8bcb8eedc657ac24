// A current map for the game-data record's questions about it: only its
// header counts, so no blob, texture or other part is needed. A GameWorld
// puts TheMap back.
#pragma once

#include "field/Map.h"

struct CurrentMapStub {
    CurrentMapStub() = default;
    CurrentMapStub(const CurrentMapStub&) = delete;
    CurrentMapStub& operator=(const CurrentMapStub&) = delete;

    // Makes a map of width × height cells with these flag words current.
    void Enter(int width, int height, std::uint32_t flagsA, std::uint32_t flagsB)
    {
        map.header.width = map.width = width;
        map.header.height = map.height = height;
        map.header.flagsA = flagsA;
        map.header.flagsB = flagsB;
        map.tiles = &tile;
        TheMap = &map;
    }
    void Leave() { TheMap = nullptr; }

    CMap map{};
    unsigned char tile = 0;
};
