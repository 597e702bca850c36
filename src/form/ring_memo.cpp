#include "form/ring_memo.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace linklab {

void RingMemo::ring(PixelGrid grid, double cx, double cy, double r, int pen, FillSpans fill) {
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r)) return;  // draws nothing
  if (recent.empty()) {
    recent.resize(kSlots);
    standing.reserve(kSlots);
  }
  auto bits = [](double v) {  // the page's library has no std::bit_cast
    uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
  };
  uint64_t key = bits(cx) * 0x9E3779B97F4A7C15u ^ bits(cy) * 0xC2B2AE3D27D4EB4Fu ^ bits(r) * 0x165667B19E3779F9u ^
                 (uint64_t{fill.colour} << 8 | static_cast<uint64_t>(pen));
  key = (key ^ (key >> 33)) * 0xFF51AFD7ED558CCDu;  // every bit into the low ones, which pick the slot
  key ^= key >> 33;
  auto same = [&](const Ring& slot) {
    return slot.count >= 0 && slot.cx == cx && slot.cy == cy && slot.r == r && slot.pen == pen &&
           slot.colour == fill.colour && slot.columns == grid.columns && slot.rows == grid.rows;
  };
  // Two slots a key; a ring is kept from its second drawing on, so one-off rings (the scatter's
  // points) pass through without pushing out the ones that come back.
  const int pair = static_cast<int>(key % (kSlots / 2)) * 2;
  const int found = same(recent[pair]) ? pair : same(recent[pair + 1]) ? pair + 1 : -1;
  if (found >= 0 && recent[found].standing) return;
  const double reach = std::fabs(r) + pen + 1;  // what it covers, a pixel beyond its pen either side
  const Box box{cx - reach, cy - reach, cx + reach, cy + reach};
  drawnOver(box);  // it may cover other rings; unmarks its own slot too
  uint64_t& sighting = seen[key % seen.size()];
  if (found < 0 && sighting != key) {
    sighting = key;
    return ringSpans(grid, cx, cy, r, pen, fill);
  }
  const int index = found >= 0 ? found : recent[pair].standing && !recent[pair + 1].standing ? pair + 1 : pair;
  Ring& slot = recent[index];
  if (found >= 0) {
    for (int i = 0; i < slot.count; ++i) fill(slot.spans[i].row, slot.spans[i].from, slot.spans[i].to);
  } else {
    if (slot.standing) std::erase(standing, index);  // another ring's pixels, no longer kept here
    slot.cx = cx;
    slot.cy = cy;
    slot.r = r;
    slot.pen = pen;
    slot.columns = grid.columns;
    slot.rows = grid.rows;
    slot.colour = fill.colour;
    slot.count = 0;
    slot.standing = false;
    slot.box = box;
    ringSpans(grid, cx, cy, r, pen, [&slot, fill](int row, int from, int to) {
      fill(row, from, to);
      if (slot.count < 0) return;
      if (slot.count == kSpans) {
        slot.count = -1;
        return;
      }
      slot.spans[slot.count++] = {row, from, to};
    });
  }
  if (slot.count >= 0) {
    slot.standing = true;
    standing.push_back(index);
  }
}

void RingMemo::lineOver(double ax, double ay, double bx, double by, int pen) {
  // Its cells lie from the floors of its ends to a pen beyond them; a pixel more either side.
  if (!standing.empty())
    drawnOver(Box{std::min(ax, bx) - 1, std::min(ay, by) - 1, std::max(ax, bx) + pen + 1, std::max(ay, by) + pen + 1});
}

void RingMemo::drawnOver(const Box& box) {
  for (std::size_t i = 0; i < standing.size();) {
    Ring& ring = recent[standing[i]];
    if (ring.box.meets(box)) {
      ring.standing = false;
      standing[i] = standing.back();
      standing.pop_back();
    } else {
      ++i;
    }
  }
}

void RingMemo::forget() {
  for (int index : standing) recent[index].standing = false;
  standing.clear();
}

}  // namespace linklab
