// One frame of the map objects with 1,000 wandering enemy symbols of every
// moving pattern (some reacting to the player) and 100 rolling objects on a
// 64 × 64 looping map. The counter gives the share of a 16 ms frame.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "MapBlobBuilder.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/Object.h"
#include "field/event/Event.h"
#include "record/Pipkorn.h"

namespace {

constexpr double kFrameSeconds = 0.016;
constexpr int kSide = 64;
constexpr int kSymbols = 1000;
constexpr int kObjects = 100;

struct ObjectWorld {
    std::vector<unsigned char> blob = fieldtest::MapBlobBuilder(kSide, kSide).Looping().Build();
    std::unique_ptr<GameData> data = std::make_unique<GameData>();
    std::unique_ptr<CMap> map = std::make_unique<CMap>();
    std::unique_ptr<CMapCharacter> player = std::make_unique<CMapCharacter>();
    std::unique_ptr<CEvent> event = std::make_unique<CEvent>();
    std::unique_ptr<CObject> objects = std::make_unique<CObject>();

    ObjectWorld()
    {
        TheGameData = data.get();
        TheMap = map.get();
        TheMapCharacter = player.get();
        TheEvent = event.get();
        TheObject = objects.get();
        // The map as the field keeps it, without the parts a map change also sets.
        ReadMapHeader(blob.data(), blob.size(), map->header);
        map->tiles = blob.data() + mapblob::kGridOffset;
        map->width = map->height = kSide;
        map->mapExtentX = map->mapExtentY = map->symbolLimitX = map->symbolLimitY = kSide * 32.0f;
        event->mapWidth = event->mapHeight = kSide;
        event->CellGrid.assign(static_cast<std::size_t>(kSide) * kSide, 0);
        player->mapX = player->mapY = 32.0f * kSide / 2;
        player->cellX = player->cellY = kSide / 2;
        SeedGameRandom(1);
        objects->SeedObjectRandom(1);
        for (int i = 0; i < kSymbols; ++i) {
            const int pattern = 2 + i % 5; // 2 to 6
            const int behaviour = (i % 8) << 7 | (i % 4) << 1 | (i % 3) << 3;
            objects->SpawnEnemySymbol(i % kSide, i / kSide * 4 % kSide, 1.5f, pattern, behaviour, false);
        }
        for (int i = 0; i < kObjects; ++i)
            objects->CreateMapObject(i % kSide, (i * 7 + 3) % kSide, 2 + i % 4, i % 4);
    }
    ~ObjectWorld()
    {
        objects->ClearMapObjects();
        TheObject = nullptr;
        TheEvent = nullptr;
        TheMapCharacter = nullptr;
        TheMap = nullptr;
        TheGameData = nullptr;
    }
};

void UpdateMapObjects(benchmark::State& state)
{
    ObjectWorld world;
    for (auto _ : state)
        world.objects->UpdateMapObjects();
    state.counters["symbols"] = world.objects->SymbolCount();
    state.counters["share_of_16ms_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kFrameSeconds,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(UpdateMapObjects)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
