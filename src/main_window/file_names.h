#pragma once
// Names for saved files that say what they hold: the picture's role in the scene shown and the
// settings that made it ("LinkLab eye 16-QAM Root RC Matched"), safe as a file name anywhere.
#include <string>
#include <string_view>

namespace linklab {

class Form1;

// picture: a picture's name as the batch runner prints it ("picEye(0)"); the stem has no suffix
std::string pictureFileStem(const Form1& form, std::string_view picture);
// The whole window: "LinkLab Full 16-QAM Root RC Matched".
std::string windowFileStem(const Form1& form);
// The error-rate curve of the current settings: "LinkLab error rates BPSK Root RC Matched".
std::string errorRateFileStem(const Form1& form);

}  // namespace linklab
