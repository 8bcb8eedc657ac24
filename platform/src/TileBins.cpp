#include "TileBins.h"

#include <algorithm>

#include "SoftwareResources.h"

namespace {

// Waking the workers costs more than it saves for less than a target's worth
// of pixels (a few draws kept before a lock in the middle of a scene).
constexpr std::uint64_t kWorthSharingTargets = 1;

} // namespace

TileBins::~TileBins()
{
    DrawAll();
    StopWorkers();
}

void TileBins::StartGrid(PixelImage& target)
{
    target_ = &target;
    tiles_.resize((target.height + kTileRows - 1) / kTileRows);
}

void TileBins::KeepClear(PixelImage& target, std::uint32_t colour, FillKernel fill)
{
    StartGrid(target);
    clearKept_ = true;
    clearColour_ = colour;
    clearFill_ = fill;
    coveredPixels_ += static_cast<std::uint64_t>(target.width) * target.height;
}

const SpanTarget& TileBins::BeginDraw(const ShadingSetup& setup, SoftwareTexture* const* stageTextures, int stageCount)
{
    if (!Empty() && setup.target != target_)
        DrawAll();
    if (Empty())
        StartGrid(*setup.target);
    if (drawCount_ == draws_.size())
        draws_.push_back(std::make_unique<PendingDraw>());
    PendingDraw& draw = *draws_[drawCount_++];
    draw.setup = setup;
    draw.target = MakeSpanTarget(draw.setup, draw.shader);
    for (int s = 0; s < stageCount; ++s) {
        if (stageTextures[s] != nullptr) {
            stageTextures[s]->AddRef();
            draw.held.push_back(stageTextures[s]);
        }
    }
    return draw.target;
}

void TileBins::Add(const PreparedPrimitive& primitive)
{
    const auto number = static_cast<std::uint32_t>(primitives_.size());
    primitives_.push_back({primitive, static_cast<std::uint32_t>(drawCount_ - 1)});
    const PixelRect& bounds = primitive.bounds;
    coveredPixels_ += static_cast<std::uint64_t>(bounds.right - bounds.left) * (bounds.bottom - bounds.top);
    for (int tile = bounds.top / kTileRows; tile <= (bounds.bottom - 1) / kTileRows; ++tile)
        tiles_[static_cast<std::size_t>(tile)].push_back(number);
}

void TileBins::DrawTile(int tile, SpanScratch& scratch)
{
    const int top = tile * kTileRows;
    const PixelRect clip{0, top, static_cast<int>(target_->width),
                         std::min(top + kTileRows, static_cast<int>(target_->height))};
    if (clearKept_) // the band's rows lie one after another
        clearFill_(target_->pixels.data() + static_cast<std::size_t>(top) * target_->width,
                   (clip.bottom - top) * clip.right, clearColour_);
    for (std::uint32_t number : tiles_[static_cast<std::size_t>(tile)]) {
        const BinnedPrimitive& binned = primitives_[number];
        DrawPrepared(draws_[binned.draw]->target, binned.primitive, clip, &scratch);
    }
}

void TileBins::DrawTiles(SpanScratch& scratch)
{
    const int count = static_cast<int>(tiles_.size());
    for (int tile = nextTile_.fetch_add(1, std::memory_order_relaxed); tile < count;
         tile = nextTile_.fetch_add(1, std::memory_order_relaxed))
        DrawTile(tile, scratch);
}

void TileBins::DrawAll()
{
    if (Empty())
        return;
    nextTile_.store(0, std::memory_order_relaxed);
    const std::uint64_t targetPixels = static_cast<std::uint64_t>(target_->width) * target_->height;
    if (workers_.empty() || coveredPixels_ < kWorthSharingTargets * targetPixels) {
        DrawTiles(scratch_);
    } else {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++generation_;
            workersDone_ = 0;
        }
        start_.notify_all();
        DrawTiles(scratch_);
        std::unique_lock<std::mutex> lock(mutex_);
        finished_.wait(lock, [this] { return workersDone_ == static_cast<int>(workers_.size()); });
    }
    target_->everyPixelOpaque = -1; // drawn on since last asked
    for (auto& tile : tiles_)
        tile.clear();
    primitives_.clear();
    coveredPixels_ = 0;
    clearKept_ = false;
    for (std::size_t i = 0; i < drawCount_; ++i) {
        for (SoftwareTexture* texture : draws_[i]->held)
            texture->Release();
        draws_[i]->held.clear();
    }
    drawCount_ = 0;
}

void TileBins::WorkerLoop()
{
    SpanScratch scratch;
    std::uint64_t seen = 0;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            start_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_)
                return;
            seen = generation_;
        }
        DrawTiles(scratch);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++workersDone_;
        }
        finished_.notify_one();
    }
}

void TileBins::StopWorkers()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    start_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
    workers_.clear();
    stopping_ = false;
}

void TileBins::SetWorkers(int count)
{
    DrawAll();
    StopWorkers();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        generation_ = 0;
    }
    for (int i = 0; i < count; ++i)
        workers_.emplace_back([this] { WorkerLoop(); });
}
