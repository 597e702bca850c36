#include "displays/constellation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "form/recording_surface.h"

namespace linklab {
namespace {

// A circle in signal units, as a multiple of T (r = 1/sqrt 2, h = 1/3), and its colour.
struct Ref {
  double i, q;
  uint32_t colour = 0xC0;
};

struct ConstellationCase {
  std::string modulation;
  std::vector<Ref> circles;
};

constexpr double r = 0.70710678118654752;
constexpr double h = 1.0 / 3;
constexpr uint32_t G = 0xC000;

class ConstellationCircles : public ::testing::TestWithParam<ConstellationCase> {};

TEST_P(ConstellationCircles, AtTheIdealPointsInOrder) {
  const ConstellationCase& c = GetParam();
  const double t = 1.5;
  RecordingSurface pic(4335, 3855);
  drawConstellation(pic, c.modulation, t, 2168, 1445, 1928, -1285);
  ASSERT_EQ(pic.ops.size(), c.circles.size());
  for (size_t n = 0; n < c.circles.size(); ++n) {
    const DrawOp& op = pic.ops[n];
    EXPECT_EQ(op.kind, DrawOp::Kind::Circle);
    EXPECT_NEAR(op.x1, 2168 + c.circles[n].i * t * 1445, 1e-9) << n;
    EXPECT_NEAR(op.y1, 1928 - c.circles[n].q * t * 1285, 1e-9) << n;
    EXPECT_EQ(op.x2, 100);
    EXPECT_EQ(op.colour, c.circles[n].colour) << n;
  }
  EXPECT_EQ(pic.clears, 0);
}

TEST_P(ConstellationCircles, ZeroThresholdStacksEveryCircleOnTheOrigin) {
  const ConstellationCase& c = GetParam();
  RecordingSurface pic;
  drawConstellation(pic, c.modulation, 0, 500, 333, 400, -333);
  ASSERT_EQ(pic.ops.size(), c.circles.size());
  for (const DrawOp& op : pic.ops) {
    EXPECT_EQ(op.x1, 500);
    EXPECT_EQ(op.y1, 400);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Modulations, ConstellationCircles,
    ::testing::Values(
        ConstellationCase{"MSK", {}}, ConstellationCase{"FSK", {}},
        ConstellationCase{"Bogus", {}}, ConstellationCase{"bpsk", {}},
        ConstellationCase{"OOK", {{0, 0}, {1, 0}}},
        ConstellationCase{"50% AM", {{0.5, 0}, {1, 0}}},
        ConstellationCase{"BPSK", {{1, 0}, {-1, 0}}},
        ConstellationCase{"QPSK", {{r, r}, {-r, r}, {r, -r}, {-r, -r}}},
        ConstellationCase{"OQPSK", {{r, r}, {-r, r}, {r, -r}, {-r, -r}}},
        ConstellationCase{"8-PSK",
                          {{r, r}, {-r, r}, {r, -r}, {-r, -r}, {1, 0}, {-1, 0}, {0, -1}, {0, 1}}},
        ConstellationCase{"pi/4-SQPSK",
                          {{r, r, G}, {-r, r, G}, {r, -r, G}, {-r, -r, G},
                           {1, 0}, {-1, 0}, {0, -1}, {0, 1}}},
        ConstellationCase{"16-QAM",
                          {{h, h}, {-h, h}, {h, -h}, {-h, -h}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1},
                           {1, h}, {-1, h}, {1, -h}, {-1, -h}, {h, 1}, {-h, 1}, {h, -1}, {-h, -1}}}),
    [](const auto& info) {
      std::string name;
      for (char ch : info.param.modulation)
        if (std::isalnum(static_cast<unsigned char>(ch))) name += ch;
      return name;
    });

TEST(Constellation, EightPskPointsLieOnTheThresholdCircle) {
  RecordingSurface pic;
  drawConstellation(pic, "8-PSK", 1.2, 500, 300, 400, -300);
  ASSERT_EQ(pic.ops.size(), 8u);
  for (const DrawOp& op : pic.ops)
    EXPECT_NEAR(std::hypot(op.x1 - 500, op.y1 - 400), 1.2 * 300, 1e-9);
}

}  // namespace
}  // namespace linklab
