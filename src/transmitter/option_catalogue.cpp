#include "transmitter/option_catalogue.h"

namespace linklab::catalogue {

const std::array<std::string_view, 6> kData = {"Random Data",    "Exponential Runs",
                                               "All Zeros",      "All Ones",
                                               "Random 1/2 Rate", "Random 1/4 Rate"};
const std::array<std::string_view, 10> kModulations = {"OOK", "50% AM", "FSK",        "BPSK",  "MSK",
                                                       "QPSK", "8-PSK", "pi/4-SQPSK", "OQPSK", "16-QAM"};
const std::array<std::string_view, 5> kFilters = {"None", "Steep Cutoff", "Raised Cosine", "Root RC",
                                                  "Gaussian"};
const std::array<std::string_view, 7> kBandwidths = {"2.00", "1.00", "0.75", "0.50",
                                                     "0.35", "0.25", "0.20"};
const std::array<std::string_view, 5> kExcessBandwidths = {"100", "80", "50", "30", "10"};
const std::array<std::string_view, 5> kSubcarriers = {"2", "4", "8", "16", "64"};
const std::array<std::string_view, 7> kNoise = {"None", "0.1", "0.2", "0.4", "0.6", "0.8", "1.0"};
const std::array<std::string_view, 7> kMultipathDelay = {"0.0", "0.2", "0.4", "0.6",
                                                         "0.8", "1.0", "1.5"};
const std::array<std::string_view, 6> kMultipathMag = {"0", "20", "40", "60", "80", "100"};
const std::array<std::string_view, 4> kScenes = {"Baseband Demo", "Modulation", "Scatter", "Full"};
const std::array<std::string_view, 2> kNonlinear = {"Linear", "Non-Linear"};

}  // namespace linklab::catalogue
