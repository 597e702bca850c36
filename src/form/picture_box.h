#pragma once
// A picture of the window: a persistent drawing surface whose scale is its own size in twips.
// What is drawn goes to the raster that the view attached (if any), into a bounded history that
// vector export reads, and, while recording, into a log of operations that tests and the batch
// runner read.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "form/control.h"
#include "form/density_grid.h"
#include "form/recording_surface.h"
#include "form/surface.h"

namespace linklab {

class PictureBox : public Control, public Surface {
 public:
  ControlKind kind() const override { return ControlKind::Picture; }

  void Cls() override;
  double ScaleWidth() const override { return Width; }
  double ScaleHeight() const override { return Height; }
  uint32_t ForeColor() const override { return foreColor; }
  void setForeColor(uint32_t colour) override { foreColor = colour; }
  void Line(double x1, double y1, double x2, double y2) override;
  void Circle(double x, double y, double r, uint32_t colour) override;

  void attachRaster(Raster* surface) { raster = surface; }
  void setRecording(bool on);
  bool recording() const { return isRecording; }
  const std::vector<DrawOp>& log() const { return ops; }

  // What was drawn since the last Cls, as long as it fitted in kHistoryLimit operations; past
  // that, historyComplete() is false and only the raster holds the picture. The history is
  // reserved on the first drawing and never grows, so the tick does not allocate for it.
  static constexpr std::size_t kHistoryLimit = 65536;
  std::span<const DrawOp> history() const { return drawHistory; }
  bool historyComplete() const { return !historyOverflowed; }

  // How often each pixel was hit since the last Cls, for a density display; counts nothing
  // until a front end names the colours that count. While the grid holds counts, a stroke in a
  // counted colour goes to the counts only: the display colours those pixels from their counts,
  // and the raster keeps the rest (background and guides).
  DensityGrid& density() { return hits; }
  const DensityGrid& density() const { return hits; }

  uint32_t BackColor = 0xFFFFFF;
  bool drawn = false;  // something changed since the view last copied the raster
  uint32_t clears = 0;  // how often it was cleared: readouts of what it shows restart with it
  std::function<void()> onClick;

 private:
  uint32_t foreColor = 0;
  Raster* raster = nullptr;
  bool isRecording = false;
  std::vector<DrawOp> ops;
  void remember(const DrawOp& op);
  bool countedOnly(uint32_t colour);
  std::vector<DrawOp> drawHistory;
  bool historyOverflowed = false;
  DensityGrid hits;
};

}  // namespace linklab
