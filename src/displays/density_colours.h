#pragma once
// The colours of a density display: a pixel hit once is pale yellow, the most-hit pixel of the
// picture dark slate blue, through green and teal, in proportion to the count. A linear scale
// keeps the clusters of a noisy scatter and the crossings of a closed eye apart, whose counts
// differ by a factor of two or three (a log scale would paint them alike); a rare excursion of
// the noise still shows, as every hit is at least pale yellow on the white background. Every
// step of the map is darker than the one before, so the picture also reads in grey on a
// projector, and no step is red: the reference constellation drawn over the scatter in red
// stands out on all of them.
#include <algorithm>
#include <array>
#include <cstdint>

namespace linklab {

// 0x00BBGGRR, as every colour of the model.
inline constexpr uint32_t DensityLowColour = 0x50E1F5;   // one hit: (245, 225, 80)
inline constexpr uint32_t DensityHighColour = 0x3C230F;  // the maximum: (15, 35, 60)

// Where a count stands between one hit (0) and the maximum (1): (count - 1) / (maximum - 1). A
// maximum of one puts every hit at 1; a count of 0 (no hit) is below the scale at 0.
double densityPosition(uint32_t count, uint32_t maximum);

// The colour at a position 0 .. 1 of the scale (clamped).
uint32_t densityColour(double position);

// The map for one maximum in 256 steps: a pixel's colour by one multiplication and a table.
class DensityScale {
 public:
  explicit DensityScale(uint32_t maximum = 1);
  uint32_t maximum() const { return most; }
  // 0 .. 255: floor(255 (count - 1) / (maximum - 1)); counts of 0 and 1 both give step 0.
  // Worked out for each pixel of a picture: a multiplication by the reciprocal rather than a
  // division, and no branch a dense picture would mispredict.
  int step(uint32_t count) const {
    if (most == 1) return count == 0 ? 0 : 255;  // every hit is the maximum
    const uint64_t span = most - 1;
    const uint64_t n = std::min<uint64_t>(count > 1 ? count - 1 : 0, span);  // n * reciprocal <= 255 * 2^32
    uint64_t s = (n * reciprocal) >> 32;
    s += (s + 1) * span <= 255 * n;  // the reciprocal is rounded down: at most one short
    return static_cast<int>(s);
  }
  uint32_t colour(uint32_t count) const { return colours[step(count)]; }

 private:
  uint32_t most;
  uint64_t reciprocal;  // floor(255 * 2^32 / (most - 1))
  std::array<uint32_t, 256> colours{};
};

// The counts a colour bar labels: 1, round counts (1, 2 or 5 times a power of ten, and their
// multiples) that stand clear of both ends, and the maximum. Returns how many it wrote (at most
// out.size()), in rising order.
int densityBarTicks(uint32_t maximum, std::array<uint32_t, 12>& out);

}  // namespace linklab
