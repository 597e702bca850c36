// Placeholders until the display procedures land; each is removed here when its real body is
// written.
#include "main_window/form1.h"

namespace linklab {
void Form1::plotCycles(Surface&, int16_t, double, double, double, double) {}
void Form1::plotData(int16_t, Surface&, int16_t, std::span<const int16_t>, std::span<const int16_t>,
                     uint32_t, double, double, bool, double, int16_t, int16_t) {}
void Form1::plotModData(int16_t, Surface&, int16_t, std::span<const double>, uint32_t, uint32_t,
                        double, double, bool, double, int16_t, int16_t) {}
void Form1::plotComponent(Surface&, int16_t, std::span<const double>, int16_t, uint32_t) {}
void Form1::plotComplexEye(std::span<const double>, Surface&, uint32_t, uint32_t, bool) {}
void Form1::PlotEye(std::span<const double>, Surface&, double, bool, uint32_t, int16_t&) {}
void Form1::Constellation(Surface&, int32_t, double, int32_t, double) {}
void Form1::plotTrajectory() {}
void Form1::placeTraceButton(int16_t) {}
void Form1::PlotSpectrum(std::span<const double>, std::span<double>, double&, Surface&, uint32_t) {}
}  // namespace linklab
