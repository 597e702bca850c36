#include "help/help_window.h"

namespace linklab {

const char* helpProse() {
  return "LinkLab simulates the physical layer of a digital radio link: a data source, a "
         "modulator, a transmit filter, an RF power amplifier, a noisy channel and a receive "
         "filter, with a picture of the signal at every point.\r\n\r\n"
         "State of the simulator\r\n"
         "The transmitter, the channel and the receive filter are complete. The multipath and "
         "equaliser choices of the channel block are placeholders: the simulation does not read "
         "them yet, so they change nothing but the pictures' restart. There is no demodulator "
         "and no bit error count; the eye diagram and the scatter plot are where you judge the "
         "quality of the link.\r\n\r\n"
         "Units and calibration\r\n"
         "The data stream runs at a nominal 1 kbit/s, with 32 samples in every symbol and 128 "
         "symbols in every block. A filter bandwidth of B kHz is B times the bit rate, so the "
         "same number gives the same shape whatever the modulation. The noise level is given in "
         "W/kHz and is calibrated in these units: the noise added to a symbol grows with the "
         "number of bits it carries, so that the energy per bit is compared fairly. The power "
         "that leaves the transmit filter is not calibrated; the amplifier model assumes a signal "
         "of about unit amplitude.\r\n\r\n"
         "What the results are good for\r\n"
         "Use LinkLab to see how pulse shaping narrows a spectrum, how a filter closes or opens "
         "an eye, how noise spreads the received points around the ideal constellation, how a "
         "non-linear amplifier regrows the spectrum and how a frequency offset turns the "
         "constellation. The pictures show shapes and relations faithfully; the absolute levels "
         "are teaching values, not measurements, and must not be used to size a real link or "
         "to quote error rates.\r\n\r\n"
         "Every start of the program draws the same sequence of random data and noise, so a "
         "demonstration can be repeated exactly.";
}

const char* instructionsProse() {
  return "Choose a scene in the Simulation list: Baseband Demo shows how a complex value makes "
         "a carrier; Modulation shows the transmitter; Scatter adds the receive filter, the eye "
         "diagram and the scatter plot; Full adds the noise and the synchronisation controls.\r\n\r\n"
         "Data window\r\n"
         "The two sliders below the scatter picture choose which part of the block the traces "
         "show. The left one scrolls through the block, one symbol per click on an arrow and "
         "four symbols per click beside the thumb. The right one widens the window in steps of "
         "twelve bits, from 12 up to 48 bits.\r\n\r\n"
         "Check boxes beside the graphs\r\n"
         "The small boxes beside the traces name the rails: I is drawn green, Q red, and F marks "
         "the frequency of an FSK or MSK signal. Passband shows the modulated carrier under the I "
         "and Q traces, with a slider above it for the carrier frequency. On the spectrum, Log "
         "Plot switches between decibels and a linear power axis, and Memory freezes the present "
         "average as a green trace to compare later settings with. Click the spectrum to restart "
         "its average, and click the trajectory picture to clear it.\r\n\r\n"
         "Eye diagram and thresholds\r\n"
         "The slider under the eye moves the sampling instant, marked by two blue lines; the "
         "scatter plot shows the received points at that instant. The slider beside the eye "
         "zooms the eye and the scatter plot together. The slider beside the scatter plot sets "
         "the size of the red reference constellation, so you can fit it to the received "
         "clusters.\r\n\r\n"
         "Pause and trace\r\n"
         "Pause stops the animation (the button then reads Cont). In the Modulation scene a "
         "marker appears over the data trace: drag it to follow the signal sample by sample on "
         "the trajectory picture. In Baseband Demo drag the blue dot to set the complex value; "
         "the right mouse button puts it back.";
}

}  // namespace linklab
