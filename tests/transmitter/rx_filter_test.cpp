#include "transmitter/rx_filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "main_window/form1.h"
#include "transmitter/test_blocks.h"
#include "transmitter/uniform_random.h"

namespace linklab {
namespace {

using namespace linklab::testing;

cd directBin(const Block& b, int k) {
  cd x = 0;
  for (int n = 0; n < 4096; ++n) x += at(b, n) * std::polar(1.0, 2 * M_PI * ((n * k) % 4096) / 4096.0);
  return x;
}

struct SceneCase {
  int scene;
  bool filters;
};
class ReceiveFilterScenes : public ::testing::TestWithParam<SceneCase> {};

// A response passing bins 0..99 and their mirrors: only the receiver scenes lose the others.
TEST_P(ReceiveFilterScenes, FiltersOnlyInTheReceiverScenes) {
  auto form = std::make_unique<Form1>();
  UniformRandom rnd;
  for (int i = 0; i < 8192; ++i) form->dRxSignal[i] = rnd.next() - 0.5;
  for (int k = 0; k < 100; ++k) form->dRxFilter[2 * k] = 1.0;
  for (int k = 1; k < 100; ++k) form->dRxFilter[2 * (4096 - k)] = 1.0;
  form->lScene = GetParam().scene;
  Block before;
  std::copy(form->dRxSignal.begin(), form->dRxSignal.end(), before.begin());
  form->rxFilter();
  const Block after = form->dRxSignal;
  for (int k : {0, 5, 99, 100, 1000, 3997, 4095}) {
    const bool pass = k < 100 || k > 3996;
    const cd expected = (pass || !GetParam().filters) ? directBin(before, k) : cd(0);
    EXPECT_NEAR(std::abs(directBin(after, k) - expected), 0, 1e-9) << k;
    EXPECT_NEAR(std::abs(at(form->dRxSpectrum, k) - expected), 0, 1e-9) << k;
  }
  if (!GetParam().filters) {
    for (int i = 0; i < 8193; ++i) ASSERT_EQ(form->dRxSignal[i], before[i]) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Scenes, ReceiveFilterScenes,
                         ::testing::Values(SceneCase{1, false}, SceneCase{2, false},
                                           SceneCase{3, true}, SceneCase{4, true}));

TEST(ReceiveFilter, UnitResponseLeavesTheSignal) {
  UniformRandom rnd;
  Block rx{}, spectrum{};
  for (int i = 0; i < 8192; ++i) rx[i] = rnd.next() - 0.5;
  const Block before = rx;
  receiveFilter(rx, spectrum, unitResponse(), true);
  for (int i = 0; i < 8192; ++i) ASSERT_NEAR(rx[i], before[i], 1e-12) << i;
}

}  // namespace
}  // namespace linklab
