// The draws of a scene, kept per tile of their target and drawn tile by tile
// when the scene's pixels are needed: a tile's pixels stay in the cache while
// every draw over it is done, in the order the draws were made, so the
// picture is the one the draws would have made one after another. The tiles
// of one flush may be shared out among worker threads.
//
// A tile is a band of 32 rows across the whole target: narrower tiles cut
// the runs of sprites and glyphs into pieces, and the work per piece cost
// more than the cache saved (measured on the battle frame of bench/graphics).
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "PixelShading.h"
#include "Rasteriser.h"

class SoftwareTexture;

constexpr int kTileRows = 32;

class TileBins {
public:
    TileBins() = default;
    ~TileBins();
    TileBins(const TileBins&) = delete;
    TileBins& operator=(const TileBins&) = delete;

    bool Empty() const { return drawCount_ == 0 && !clearKept_; }

    // Keeps a clear of the whole of `target` to `colour` (with `fill`), done
    // band by band before the draws kept after it. Only when nothing is kept.
    void KeepClear(PixelImage& target, std::uint32_t colour, FillKernel fill);

    // Keeps a copy of `setup` for a new draw, holding the textures of its
    // stages until it is drawn, and gives the span target to prepare its
    // primitives for. A draw on another target than the kept ones draws
    // those first.
    const SpanTarget& BeginDraw(const ShadingSetup& setup, SoftwareTexture* const* stageTextures, int stageCount);
    // A primitive of the draw begun last.
    void Add(const PreparedPrimitive& primitive);

    // Draws everything kept, tile by tile, and lets go of the held textures.
    void DrawAll();

    // Threads besides the caller's that draw tiles (0: the caller alone).
    void SetWorkers(int count);
    int Workers() const { return static_cast<int>(workers_.size()); }

private:
    struct PendingDraw {
        ShadingSetup setup;
        SpanShader shader;
        SpanTarget target;
        std::vector<SoftwareTexture*> held;
    };
    struct BinnedPrimitive {
        PreparedPrimitive primitive;
        std::uint32_t draw;
    };

    void StartGrid(PixelImage& target);
    void DrawTiles(SpanScratch& scratch);
    void DrawTile(int tile, SpanScratch& scratch);
    void WorkerLoop();
    void StopWorkers();

    std::vector<std::unique_ptr<PendingDraw>> draws_; // reused from flush to flush
    std::size_t drawCount_ = 0;
    std::vector<BinnedPrimitive> primitives_;
    std::vector<std::vector<std::uint32_t>> tiles_; // primitive numbers per tile, top to bottom
    PixelImage* target_ = nullptr;
    bool clearKept_ = false;
    std::uint32_t clearColour_ = 0;
    FillKernel clearFill_ = nullptr;
    std::uint64_t coveredPixels_ = 0; // of the kept primitives' bounds, overlaps counted again
    SpanScratch scratch_;

    // Worker threads: each flush is a generation; the workers take tiles
    // from `nextTile_` until none is left.
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable start_;
    std::condition_variable finished_;
    std::uint64_t generation_ = 0;
    int workersDone_ = 0;
    bool stopping_ = false;
    std::atomic<int> nextTile_{0};
};
