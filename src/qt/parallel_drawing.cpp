#include "qt/parallel_drawing.h"

#include <algorithm>
#include <array>

#include "qt/raster_surface.h"

namespace linklab {

namespace {
constexpr std::size_t kMaxRasters = 64;
// Below this much work (about a millisecond's worth of pixels) a hand-over costs more than it saves.
constexpr double kWorthSharing = 50000;
}  // namespace

ParallelDrawing::ParallelDrawing() {
  helperShare.reserve(kMaxRasters);
  if (std::thread::hardware_concurrency() > 1) helper = std::thread([this] { helperLoop(); });
}

ParallelDrawing::~ParallelDrawing() {
  if (!helper.joinable()) return;
  {
    std::lock_guard lock(mutex);
    quitting = true;
  }
  wake.notify_one();
  helper.join();
}

void ParallelDrawing::drawAll(std::span<RasterSurface* const> rasters) {
  for (RasterSurface* r : rasters) r->drawPending();
}

void ParallelDrawing::draw(std::span<RasterSurface* const> rasters) {
  std::array<RasterSurface*, kMaxRasters> busy;
  std::size_t count = 0;
  double total = 0;
  for (RasterSurface* r : rasters)
    if (r->pendingWork() > 0 && count < kMaxRasters) {
      busy[count++] = r;
      total += r->pendingWork();
    }
  if (count < 2 || total < kWorthSharing || !helper.joinable()) return drawAll(rasters);
  // The heaviest first, each to the share that has less so far.
  std::sort(busy.begin(), busy.begin() + count,
            [](const RasterSurface* a, const RasterSurface* b) { return a->pendingWork() > b->pendingWork(); });
  std::array<RasterSurface*, kMaxRasters> own;
  std::size_t owned = 0;
  double ownWork = 0, helperWork = 0;
  {
    std::lock_guard lock(mutex);
    helperShare.clear();
    for (std::size_t i = 0; i < count; ++i) {
      if (helperWork < ownWork) {
        helperShare.push_back(busy[i]);
        helperWork += busy[i]->pendingWork();
      } else {
        own[owned++] = busy[i];
        ownWork += busy[i]->pendingWork();
      }
    }
    shareReady = true;
  }
  wake.notify_one();
  drawAll({own.data(), owned});
  std::unique_lock lock(mutex);
  done.wait(lock, [this] { return !shareReady; });
}

void ParallelDrawing::helperLoop() {
  std::unique_lock lock(mutex);
  for (;;) {
    wake.wait(lock, [this] { return shareReady || quitting; });
    if (quitting) return;
    lock.unlock();
    drawAll(helperShare);
    lock.lock();
    shareReady = false;
    done.notify_one();
  }
}

}  // namespace linklab
