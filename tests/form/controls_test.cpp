#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/combo_box.h"
#include "form/picture_box.h"
#include "form/slider.h"
#include "form/widgets.h"

namespace linklab {
namespace {

TEST(ComboBox, RaisesOneChangeOnlyOnARealChange) {
  ComboBox list;
  int changes = 0;
  list.onChange = [&] { ++changes; };
  list.setText("BPSK");
  list.setText("BPSK");
  EXPECT_EQ(changes, 1);
  list.setText("QPSK");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(list.Text(), "QPSK");
}

TEST(ComboBox, NestedChangesFinishBeforeTheSetterReturns) {
  ComboBox transmit, receive;
  std::vector<std::string> order;
  receive.onChange = [&] { order.push_back("receive " + receive.Text()); };
  transmit.onChange = [&] {
    order.push_back("transmit start");
    receive.setText(transmit.Text());
    order.push_back("transmit end");
  };
  transmit.setText("MSK");
  order.push_back("returned");
  EXPECT_EQ(order, (std::vector<std::string>{"transmit start", "receive MSK", "transmit end", "returned"}));
}

TEST(ComboBox, EntriesAtPositionsAndSafeIndices) {
  ComboBox list;
  list.AddItem("None", 0);
  list.AddItem("Gaussian", 1);
  list.AddItem("OFDM", 5);  // past the end appends
  list.AddItem("Steep Cutoff", 1);
  ASSERT_EQ(list.ListCount(), 4);
  EXPECT_EQ(list.List(1), "Steep Cutoff");
  EXPECT_EQ(list.List(3), "OFDM");
  list.RemoveItem(3);
  list.RemoveItem(9);
  list.RemoveItem(-1);
  EXPECT_EQ(list.ListCount(), 3);
  EXPECT_EQ(list.List(7), "");
  EXPECT_EQ(list.indexOf("Gaussian"), 2);
  EXPECT_EQ(list.indexOf("OFDM"), -1);
}

TEST(ComboBox, ClearEmptiesSilently) {
  ComboBox list;
  list.AddItem("a");
  list.setText("a");
  int changes = 0;
  list.onChange = [&] { ++changes; };
  list.Clear();
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_EQ(list.Text(), "");
  EXPECT_EQ(changes, 0);
}

struct ClampCase {
  int min, max, start, set, expected;
};

class SliderClamp : public ::testing::TestWithParam<ClampCase> {};

TEST_P(SliderClamp, ValueStaysInRange) {
  const auto c = GetParam();
  Slider s;
  s.setRange(c.min, c.max);
  s.setValue(c.start);
  s.setValue(c.set);
  EXPECT_EQ(s.Value(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SliderClamp,
                         ::testing::Values(ClampCase{2, 8, 2, 9, 8}, ClampCase{2, 8, 5, 1, 2},
                                           ClampCase{-64, 64, 0, -100, -64}, ClampCase{-1, 1, 0, 1, 1},
                                           ClampCase{10, 0, 5, 20, 10}, ClampCase{10, 0, 5, -3, 0}));

TEST(Slider, MovingABoundPastTheValueMovesItAndRaisesOneChange) {
  Slider scroll;
  scroll.setRange(0, 104);
  scroll.setValue(100);
  int changes = 0;
  scroll.onChange = [&] { ++changes; };
  scroll.setMax(80);
  EXPECT_EQ(scroll.Value(), 80);
  EXPECT_EQ(changes, 1);
  scroll.setMax(104);  // the value fits: nothing moves
  EXPECT_EQ(changes, 1);
  scroll.setMin(90);
  EXPECT_EQ(scroll.Value(), 90);
  EXPECT_EQ(changes, 2);
  scroll.setValue(90);
  EXPECT_EQ(changes, 2);
}

TEST(CheckBox, ClickOnlyOnChange) {
  CheckBox box;
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  box.setValue(1);
  box.setValue(7);  // any non-zero is checked
  EXPECT_EQ(box.Value(), 1);
  EXPECT_EQ(clicks, 1);
  box.setValue(0);
  EXPECT_EQ(clicks, 2);
}

TEST(PictureBox, LogsWhileRecordingAndForgetsOnCls) {
  PictureBox picture;
  picture.Width = 8895;
  picture.Height = 795;
  EXPECT_EQ(picture.ScaleWidth(), 8895);
  EXPECT_EQ(picture.ScaleHeight(), 795);
  picture.Line(0, 0, 1, 1);
  EXPECT_TRUE(picture.log().empty());
  picture.setRecording(true);
  picture.setForeColor(0xC000);
  picture.Line(1, 2, 3, 4);
  picture.Circle(5, 6, 10, 0xC0);
  ASSERT_EQ(picture.log().size(), 2u);
  EXPECT_EQ(picture.log()[0].colour, 0xC000u);
  EXPECT_EQ(picture.log()[1].kind, DrawOp::Kind::Circle);
  EXPECT_EQ(picture.log()[1].colour, 0xC0u);
  picture.Cls();
  EXPECT_TRUE(picture.log().empty());
}

}  // namespace
}  // namespace linklab
