// One case's game: every shared global of the game (the part pointers, the
// scene numbers, the engine objects and device state, the data tables, the
// settings, the players and the current map) is saved when the world is
// made, set to the value the game starts with, and put back when it goes.
// A fixture points the globals at its own parts and fakes and needs to undo
// nothing, so no case sees what another left behind.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <type_traits>
#include <vector>

namespace testsupport {

class GameWorld {
public:
    GameWorld();
    ~GameWorld();
    GameWorld(const GameWorld&) = delete;
    GameWorld& operator=(const GameWorld&) = delete;

    // Saves `global` for this world and sets it to `value`.
    template <typename T> void Keep(T& global, std::type_identity_t<T> value)
    {
        Save(global);
        global = value;
    }
    template <typename T, std::size_t N> void Keep(T (&global)[N], std::type_identity_t<T> value)
    {
        Save(global);
        for (T& element : global)
            element = value;
    }
    // Saves `global` for this world as it is now.
    template <typename T> void Save(T& global)
    {
        restores_.push_back([&global, saved = global] { global = saved; });
    }
    template <typename T, std::size_t N> void Save(T (&global)[N])
    {
        std::array<T, N> saved;
        for (std::size_t i = 0; i < N; ++i)
            saved[i] = global[i];
        restores_.push_back([&global, saved] {
            for (std::size_t i = 0; i < N; ++i)
                global[i] = saved[i];
        });
    }

    // Notes the traced calls from now on, from an empty list; the world
    // switches the notes off, empties them and drops any hook when it goes.
    void TraceSceneCalls();

private:
    void KeepParts();
    void KeepScenes();
    void KeepEngineObjects();
    void KeepDataTables();
    void KeepSettings();
    void KeepPlayers();
    void KeepMainLoop();

    std::vector<std::function<void()>> restores_;
};

} // namespace testsupport
