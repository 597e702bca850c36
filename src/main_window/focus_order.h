#pragma once
// Who the keyboard reaches and in what order, for every front end: the block diagram on the left
// from the top, then the displays' own controls from the top. Labels, the markers beside the
// pictures, the spectrum's title and the pictures themselves take no focus.
#include <vector>

namespace linklab {

class Control;
class Form1;

bool takesFocus(const Form1& form, const Control& control);
// The order between two controls that take focus.
bool tabsBefore(const Control& a, const Control& b);
// Every control that takes focus, visible or not, in tab order.
std::vector<const Control*> tabOrder(const Form1& form);

}  // namespace linklab
