#include "control_json.h"

#include <cstdint>
#include <cstdio>
#include <type_traits>

#include "form/combo_box.h"
#include "form/picture_box.h"
#include "form/slider.h"
#include "form/widgets.h"

namespace linklab::web {

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20) {
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04x", c);
      out += code;
    } else {
      out += ch;  // UTF-8 passes through
    }
  }
  return out + '"';
}

namespace {

// Writes a control's fields as JSON, or (json false) as the same values unnamed and unescaped:
// cheaper to make and to compare, and as telling of a change. Strings there carry their length,
// so that no two different sets of values write the same bytes.
class ObjectWriter {
 public:
  ObjectWriter(std::string& out, bool json) : out(out), json(json) { out += json ? "{" : ""; }
  template <class T>
    requires std::is_integral_v<T> && (!std::is_same_v<T, bool>)
  ObjectWriter& field(const char* key, T value) {
    const auto v = static_cast<long long>(value);
    if (!key_(key)) return bytes(&v, sizeof v);
    out += std::to_string(v);
    return *this;
  }
  ObjectWriter& field(const char* key, bool value) {
    if (!key_(key)) return bytes(&value, 1);
    out += value ? "true" : "false";
    return *this;
  }
  ObjectWriter& field(const char* key, const char* value) { return field(key, std::string_view(value)); }
  ObjectWriter& field(const char* key, const std::string& value) { return field(key, std::string_view(value)); }
  ObjectWriter& field(const char* key, std::string_view value) {
    if (key_(key)) return string(value);
    const auto size = static_cast<uint32_t>(value.size());
    return bytes(&size, sizeof size).bytes(value.data(), value.size());
  }
  ObjectWriter& items(const char* key, const ComboBox& m) {
    if (!key_(key)) field("", m.ListCount());
    if (json) out += '[';
    for (int i = 0; i < m.ListCount(); ++i) {
      if (!json) field("", m.List(i));
      else string(m.List(i), i ? "," : "");
    }
    if (json) out += ']';
    return *this;
  }
  void done() { out += json ? "}" : ""; }

 private:
  // Writes the key in JSON; false in the raw form, which has none.
  bool key_(const char* key) {
    if (!json) return false;
    out += first ? "\"" : ",\"";
    first = false;
    out += key;
    out += "\":";
    return true;
  }
  ObjectWriter& string(std::string_view value, const char* before = "") {
    out += before;
    out += jsonString(value);
    return *this;
  }
  ObjectWriter& bytes(const void* data, std::size_t size) {
    out.append(static_cast<const char*>(data), size);
    return *this;
  }
  std::string& out;
  bool json;
  bool first = true;
};

const char* kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::ComboBox: return "combo";
    case ControlKind::Slider: return "slider";
    case ControlKind::CheckBox: return "check";
    case ControlKind::Label: return "label";
    case ControlKind::Button: return "button";
    case ControlKind::TextBox: return "text";
    case ControlKind::Shape: return "shape";
    case ControlKind::Line: return "line";
    case ControlKind::Timer: return "timer";
    case ControlKind::Picture: return "picture";
    case ControlKind::Image: return "image";
  }
  return "";
}

}  // namespace

std::string controlJson(const Control& c) {
  std::string out;
  describeControl(c, out, true);
  return out;
}

void describeControl(const Control& c, std::string& out, bool json) {
  ObjectWriter o(out, json);
  o.field("name", c.name).field("kind", kindName(c.kind()));
  o.field("left", c.Left).field("top", c.Top).field("width", c.Width).field("height", c.Height);
  // A setup's limits as the desktop honours them: a hidden control is not shown, a locked one is
  // shown but disabled, and its tooltip says why.
  o.field("visible", c.Visible && !c.setupHidden).field("enabled", c.Enabled && !c.setupLocked);
  o.field("setupLocked", c.setupLocked).field("z", static_cast<long long>(c.zOrder));
  switch (c.kind()) {
    case ControlKind::ComboBox: {
      const auto& m = static_cast<const ComboBox&>(c);
      o.field("text", m.Text()).field("editable", m.Editable).items("items", m);
      break;
    }
    case ControlKind::Slider: {
      const auto& m = static_cast<const Slider&>(c);
      o.field("value", m.Value()).field("min", m.Min()).field("max", m.Max());
      o.field("small", m.SmallChange).field("large", m.LargeChange).field("horizontal", m.horizontal);
      break;
    }
    case ControlKind::CheckBox: {
      const auto& m = static_cast<const CheckBox&>(c);
      o.field("caption", m.Caption).field("value", m.Value()).field("colour", m.ForeColor);
      break;
    }
    case ControlKind::Label: {
      const auto& m = static_cast<const Label&>(c);
      o.field("caption", m.Caption).field("colour", m.ForeColor).field("align", m.Alignment);
      break;
    }
    case ControlKind::Button: o.field("caption", static_cast<const Button&>(c).Caption); break;
    case ControlKind::TextBox: {
      const auto& m = static_cast<const TextBox&>(c);
      o.field("text", m.Text()).field("locked", m.Locked);
      break;
    }
    case ControlKind::Shape: {
      const auto& m = static_cast<const Shape&>(c);
      o.field("circle", m.shape == Shape::Form::Circle).field("borderColour", m.BorderColor);
      o.field("borderWidth", m.BorderWidth).field("filled", m.filled).field("fillColour", m.FillColor);
      break;
    }
    case ControlKind::Line: {
      const auto& m = static_cast<const LineShape&>(c);
      o.field("x1", m.X1).field("y1", m.Y1).field("x2", m.X2).field("y2", m.Y2);
      o.field("borderColour", m.BorderColor).field("borderWidth", m.BorderWidth).field("over", m.overDisplays);
      break;
    }
    case ControlKind::Timer: o.field("interval", static_cast<const Timer&>(c).Interval); break;
    case ControlKind::Picture: o.field("back", static_cast<const PictureBox&>(c).BackColor); break;
    case ControlKind::Image: break;
  }
  o.done();
}

}  // namespace linklab::web
