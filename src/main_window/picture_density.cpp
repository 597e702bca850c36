// Which hits a density display counts: the signal's traces and points, never the guides drawn
// with them (the sampling marker, the reference constellation, the Baseband Demo's phasor).
#include "displays/trajectory.h"
#include "main_window/form1.h"

namespace linklab {

void Form1::countHits(bool on) {
  if (!on) {
    for (PictureBox* picture : {&picEye[0], &picScatter[0], &picScatter[2]}) picture->density().countColours({});
  } else {
    picEye[0].density().countColours({0xC000, 0xC0});  // the I and Q eyes, as the chain draws them
    picScatter[0].density().countColours({TrajectoryColour});
    picScatter[2].density().countColours({0xC00000});  // the received points; the reference is red
  }
  // Counted strokes reach the counts only, so either way the pictures start clean; while paused
  // they are drawn again at once from the signals in hand (one run of the chain, no new data),
  // so the picture is never left blank.
  for (PictureBox* picture : {&picEye[0], &picScatter[0], &picScatter[2]}) picture->Cls();
  if (!Timer1.Enabled && lScene != 1 && lTick >= 1) runSimulation();
}

}  // namespace linklab
