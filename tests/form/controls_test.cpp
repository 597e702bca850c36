// The controls' events: a list, a slider or a check box raises its change once for a real change
// only.
#include "form/combo_box.h"
#include "form/form_tests.h"
#include "form/slider.h"
#include "form/widgets.h"

namespace linklab {
namespace {

TEST(ComboBox, RaisesOneChangeOnlyOnARealChangeNoneOnClearAndKeepsEntriesAtPositions) {
  ComboBox list;
  int changes = 0;
  list.onChange = [&] { ++changes; };
  list.setText("BPSK");
  list.setText("BPSK");
  EXPECT_EQ(changes, 1);
  list.setText("QPSK");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(list.Text(), "QPSK");
  list.AddItem("a");
  list.Clear();
  EXPECT_EQ(std::pair(list.ListCount(), changes), std::pair(0, 2));
  EXPECT_EQ(list.Text(), "");
  // Entries at positions, and indices out of range are safe.
  list.AddItem("None", 0);
  list.AddItem("Gaussian", 1);
  list.AddItem("OFDM", 5);  // past the end appends
  list.AddItem("Steep Cutoff", 1);
  ASSERT_EQ(list.ListCount(), 4);
  EXPECT_EQ(list.List(1) + "|" + list.List(3), "Steep Cutoff|OFDM");
  for (int gone : {3, 9, -1}) list.RemoveItem(gone);
  EXPECT_EQ(list.ListCount(), 3);
  EXPECT_EQ(list.List(7), "");
  EXPECT_EQ(list.indexOf("Gaussian"), 2);
  EXPECT_EQ(list.indexOf("OFDM"), -1);
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

// A value set beyond either end stops at it, whichever way round the range was given; moving a
// bound past the value moves the value with one change.
TEST(Slider, ValueStaysInRangeAndFollowsAMovedBound) {
  for (const auto& [min, max, start, set, expected] : std::vector<std::array<int, 5>>{
           {2, 8, 2, 9, 8}, {2, 8, 5, 1, 2}, {-64, 64, 0, -100, -64}, {-1, 1, 0, 1, 1}, {10, 0, 5, 20, 10}, {10, 0, 5, -3, 0}}) {
    Slider s;
    s.setRange(min, max);
    s.setValue(start);
    s.setValue(set);
    EXPECT_EQ(s.Value(), expected) << min << ".." << max << " set " << set;
  }
  Slider scroll;
  scroll.setRange(0, 104);
  scroll.setValue(100);
  int changes = 0;
  scroll.onChange = [&] { ++changes; };
  scroll.setMax(80);
  EXPECT_EQ(std::pair(scroll.Value(), changes), std::pair(80, 1));
  scroll.setMax(104);  // the value fits: nothing moves
  scroll.setMin(90);
  EXPECT_EQ(std::pair(scroll.Value(), changes), std::pair(90, 2));
  scroll.setValue(90);
  EXPECT_EQ(changes, 2);
}

TEST(CheckBox, ClickOnlyOnChange) {
  CheckBox box;
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  box.setValue(1);
  box.setValue(7);  // any non-zero is checked
  EXPECT_EQ(std::pair(box.Value(), clicks), std::pair(1, 1));
  box.setValue(0);
  EXPECT_EQ(clicks, 2);
}

}  // namespace
}  // namespace linklab
