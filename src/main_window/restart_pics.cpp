#include "main_window/form1.h"

namespace linklab {

void Form1::RestartPics(int16_t index) {
  if (index != 0 && index != 1) return;
  restartCounts();
  if (index == 0) {
    picEye[0].Cls();
    picSpectrum[0].Cls();
    picScatter[0].Cls();
    dSpectrums = 0;
  } else {
    picEye[0].Cls();
    picScatter[0].Cls();
  }
  for (int i : {2, 1}) {
    picEye[i].Cls();
    picSpectrum[i].Cls();
    picScatter[i].Cls();
  }
}

}  // namespace linklab
