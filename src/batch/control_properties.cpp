#include "batch/control_properties.h"

#include "batch/script_words.h"
#include "form/combo_box.h"
#include "form/picture_box.h"
#include "form/slider.h"
#include "form/widgets.h"

namespace linklab {

namespace {
std::string boolean(bool b) { return b ? "True" : "False"; }
std::string whole(long v) { return std::to_string(v); }
}  // namespace

std::optional<std::string> readProperty(const Control& c, std::string_view property) {
  if (property == "Visible") return boolean(c.Visible);
  if (property == "Enabled") return boolean(c.Enabled);
  // The limits an opened setup put on the control (the window disables or hides it).
  if (property == "SetupLocked") return boolean(c.setupLocked);
  if (property == "SetupHidden") return boolean(c.setupHidden);
  const bool isLine = c.kind() == ControlKind::Line;
  if (!isLine) {
    if (property == "Left") return whole(c.Left);
    if (property == "Top") return whole(c.Top);
    if (property == "Width") return whole(c.Width);
    if (property == "Height") return whole(c.Height);
  }

  switch (c.kind()) {
    case ControlKind::ComboBox: {
      const auto& combo = static_cast<const ComboBox&>(c);
      if (property == "Text") return combo.Text();
      if (property == "ListCount") return whole(combo.ListCount());
      const Indexed item = splitIndex(property);
      if (item.ok && item.base == "List" && item.index) return combo.List(static_cast<int>(*item.index));
      break;
    }
    case ControlKind::Slider: {
      const auto& s = static_cast<const Slider&>(c);
      if (property == "Value") return whole(s.Value());
      if (property == "Min") return whole(s.Min());
      if (property == "Max") return whole(s.Max());
      if (property == "SmallChange") return whole(s.SmallChange);
      if (property == "LargeChange") return whole(s.LargeChange);
      break;
    }
    case ControlKind::CheckBox: {
      const auto& box = static_cast<const CheckBox&>(c);
      if (property == "Value") return whole(box.Value());
      if (property == "Caption") return box.Caption;
      if (property == "ForeColor") return whole(box.ForeColor);
      break;
    }
    case ControlKind::Label: {
      const auto& label = static_cast<const Label&>(c);
      if (property == "Caption") return label.Caption;
      if (property == "ForeColor") return whole(label.ForeColor);
      break;
    }
    case ControlKind::Button:
      if (property == "Caption") return static_cast<const Button&>(c).Caption;
      break;
    case ControlKind::TextBox:
      if (property == "Text") return static_cast<const TextBox&>(c).Text();
      break;
    case ControlKind::Shape: {
      const auto& shape = static_cast<const Shape&>(c);
      if (property == "BorderColor") return whole(shape.BorderColor);
      if (property == "BorderWidth") return whole(shape.BorderWidth);
      break;
    }
    case ControlKind::Line: {
      const auto& line = static_cast<const LineShape&>(c);
      if (property == "X1") return whole(line.X1);
      if (property == "Y1") return whole(line.Y1);
      if (property == "X2") return whole(line.X2);
      if (property == "Y2") return whole(line.Y2);
      if (property == "BorderColor") return whole(line.BorderColor);
      if (property == "BorderWidth") return whole(line.BorderWidth);
      break;
    }
    case ControlKind::Timer:
      if (property == "Interval") return whole(static_cast<const Timer&>(c).Interval);
      break;
    case ControlKind::Picture: {
      const auto& picture = static_cast<const PictureBox&>(c);
      if (property == "ScaleWidth") return formatNumber(picture.ScaleWidth());
      if (property == "ScaleHeight") return formatNumber(picture.ScaleHeight());
      if (property == "ForeColor") return whole(picture.ForeColor());
      break;
    }
    case ControlKind::Image: break;
  }
  return std::nullopt;
}

}  // namespace linklab
