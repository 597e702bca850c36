#pragma once
// A picture's persistent raster: an image in device pixels onto which the displays draw in twips.
// A pixel covers 15 twips at 100 %, so a trace drawn twice 15 twips apart is a solid two-pixel
// line. Lines and circles are set by the shared pixel kernel as row spans: crisp, and fast
// enough for the tens of thousands of segments of one tick, with no allocation. What a tick
// draws waits until drawPending (or finished), so that several pictures can be drawn at once on
// different threads. The operations since the last Cls are kept (up to a bound), so a change of
// resolution draws the picture again rather than stretching its pixels.
#include <QImage>
#include <string>
#include <vector>

#include "form/recording_surface.h"
#include "form/ring_memo.h"

#include "form/surface.h"

namespace linklab {

class RasterSurface : public Raster {
 public:
  // Not copied: a copy would share the image and write through the same pixel pointer.
  RasterSurface() = default;
  RasterSurface(const RasterSurface&) = delete;
  RasterSurface& operator=(const RasterSurface&) = delete;
  // Keeps what was drawn where it still fits.
  void resize(int widthTwips, int heightTwips, double devicePixelRatio, uint32_t background);
  void fitTo(int w, int h) override {
    if (w != widthTwips || h != heightTwips) resize(w, h, dpr, background);
  }

  void Cls() override;
  double ScaleWidth() const override { return widthTwips; }
  double ScaleHeight() const override { return heightTwips; }
  uint32_t ForeColor() const override { return foreColor; }
  void setForeColor(uint32_t colour) override { foreColor = colour; }
  void Line(double x1, double y1, double x2, double y2) override;
  void Circle(double x, double y, double r, uint32_t colour) override;

  // Device pixels per 100 % pixel (layout scale x device pixel ratio). A new ratio draws the
  // logged operations again at the new resolution; past the log's bound it scales the pixels.
  void setPixelRatio(double ratio);
  double pixelRatio() const { return dpr; }
  // What was drawn since the last Cls, in twips; complete unless more than kLogLimit operations
  // came since.
  const std::vector<DrawOp>& drawLog() const { return log; }
  bool logComplete() const { return !logOverflowed; }
  static constexpr std::size_t kLogLimit = 1 << 17;

  // Moves every pixel towards the background, keeping keep256 / 256 of its difference (rounded
  // towards the background). The log can no longer draw the picture again as it stands, so a new
  // resolution then scales its pixels.
  void fade(int keep256);

  // Sets the pixels of what was drawn since the last call; one raster is drawn by one thread.
  void drawPending();
  // Roughly how many pixels drawPending has to set, to share the work between threads.
  double pendingWork() const { return pending.empty() && !clearPending ? 0 : work; }
  QSize pixelSize() const { return image.size(); }
  // The pixels with everything drawn so far.
  const QImage& finished() {
    drawPending();
    return image;
  }
  // Empty, or why the picture has no pixels: a size past the cap below is refused rather than
  // allocated, and the picture then draws nothing.
  std::string error() const;
  static constexpr double kMaxSide = 16384;
  static constexpr double kMaxPixels = 64.0 * 1024 * 1024;

 private:
  void drawLine(double x1, double y1, double x2, double y2, uint32_t colour);
  void drawCircle(double x, double y, double r, uint32_t colour);
  void remember(const DrawOp& op);
  void fillBackground();
  std::vector<DrawOp> log;
  std::vector<DrawOp> pending;  // since the last drawPending, after a clear if clearPending
  bool clearPending = false;
  double work = 0;
  bool logOverflowed = false;
  // Taken whenever the image changes or is cleared, not at each line: a line then makes no call
  // into Qt. A copy of finished() kept past a Cls is detached from here by the Cls's bits().
  void takePixels();
  uint32_t* pixels = nullptr;
  RingMemo rings;  // rings that still stand as drawn are not drawn again
  int stride = 0;             // in pixels
  int columns = 0, rows = 0;
  QImage image;
  int widthTwips = 0, heightTwips = 0;
  double dpr = 1.0;
  bool tooLarge = false;
  double scale = 1 / 15.0;  // device pixels per twip
  int pen = 1;              // pen size in device pixels
  uint32_t foreColor = 0;
  uint32_t background = 0xFFFFFF;
};

}  // namespace linklab
