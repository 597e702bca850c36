#pragma once
// Draws what the pictures were given during a tick on two threads. At a large pixel ratio the
// eye and the trajectory each take milliseconds of line stepping, and the pictures share nothing,
// so one helper thread takes the heaviest share while the calling thread draws the rest.
#include <condition_variable>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace linklab {

class RasterSurface;

class ParallelDrawing {
 public:
  // Starts the helper thread, unless the machine has one core.
  ParallelDrawing();
  ~ParallelDrawing();
  ParallelDrawing(const ParallelDrawing&) = delete;
  ParallelDrawing& operator=(const ParallelDrawing&) = delete;

  // Draws every raster's pending strokes and returns when all are drawn. At most 64 rasters.
  void draw(std::span<RasterSurface* const> rasters);

 private:
  void helperLoop();
  static void drawAll(std::span<RasterSurface* const> rasters);

  std::thread helper;
  std::mutex mutex;
  std::condition_variable wake, done;
  std::vector<RasterSurface*> helperShare;  // reserved once: a tick allocates nothing
  bool shareReady = false, quitting = false;
};

}  // namespace linklab
