#include "help/tooltips.h"

#include <array>
#include <utility>

namespace linklab {

namespace {

// Shared by a control and the label that names it.
constexpr const char* kScene =
    "Teaching scene: how much of the link the window shows, from the phasor demo to the full link with noise and "
    "synchronisation.";
constexpr const char* kTxModulation =
    "Modulation of the transmitter: how the data bits become I/Q symbols; the receiver follows it.";
constexpr const char* kRxModulation = "Demodulation of the receiver; it follows the transmitter's modulation.";
constexpr const char* kTxFilter =
    "Transmit filter that shapes the symbols before the amplifier (OFDM spreads them over subcarriers instead); its "
    "parameter shows beside it.";
constexpr const char* kRxFilter =
    "Receive filter applied before the eye and scatter pictures; it follows the transmit filter and can be set on "
    "its own. Matched is matched to the whole transmitted pulse and gives the decisions the channel's full Eb/N0.";
constexpr const char* kParameterUnit =
    "Unit of the filter parameter beside it. kHz: the filter's bandwidth in kHz (1 kHz is the bit rate). EB: excess "
    "bandwidth, how much wider than the narrowest possible pulse spectrum, in percent. SCs: subcarriers, how many "
    "OFDM subcarriers carry the symbols.";
constexpr const char* kExcessBandwidth =
    "EB, excess bandwidth of the raised-cosine filter in percent, 1 to 100: 1 is nearly the narrowest pulse "
    "spectrum, 100 twice the narrowest; type a whole percent and press Enter to try your own.";
constexpr const char* kBandwidth =
    "Bandwidth of the filter in kHz, where 1 kHz is the bit rate; type a value from 0.10 to 6.00 and press Enter "
    "to try your own.";
constexpr const char* kSubcarriers =
    "SCs, subcarriers: the number of OFDM subcarriers the symbols are spread over; a typed count from 1 to 128 is "
    "moved to the nearest power of two.";
constexpr const char* kAmplifier =
    "RF power amplifier: Linear passes the signal unchanged, Non-Linear compresses its peaks and shifts their phase, "
    "which widens the spectrum.";
constexpr const char* kNoise =
    "Noise level of the channel: the one-sided noise density N0 in W/kHz at the bit rate of 1 kbit/s, so "
    "Eb/N0 = 10 log10(10 P / N) dB with P the transmitter's mean power (level 1: 10 dB for BPSK). Pick one or type "
    "a level from 0 to 1000 and press Enter.";
constexpr const char* kMultipathDelay = "Delay of a multipath echo in symbol periods (not yet simulated).";
constexpr const char* kMultipathMagnitude = "Strength of a multipath echo in percent (not yet simulated).";
constexpr const char* kEqualiser = "Equaliser of the receiver (not yet simulated).";
constexpr const char* kSync =
    "Sync, the receiver's synchronisation to the transmitter's carrier: the small arrows nudge the carrier phase, "
    "the tall slider sets a frequency offset.";

constexpr std::pair<std::string_view, const char*> kTooltips[] = {
    // Lists and their labels
    {"cmbScene", kScene},
    {"Label1", kScene},
    {"cmbData",
     "Pattern of the data bits: random, runs of equal bits of random length, all zeros, all ones, or random bits each sent 2 or "
     "4 times."},
    {"cmbMod(0)", kTxModulation},
    {"lblModulation(0)", kTxModulation},
    {"cmbMod(1)", kRxModulation},
    {"lblModulation(1)", kRxModulation},
    {"cmbFilter(0)", kTxFilter},
    {"lblFilter(0)", kTxFilter},
    {"cmbFilter(1)", kRxFilter},
    {"lblFilter(1)", kRxFilter},
    {"cmbTxEB(0)", kExcessBandwidth},
    {"cmbTxEB(1)", kExcessBandwidth},
    {"cmbTxBW(0)", kBandwidth},
    {"cmbTxBW(1)", kBandwidth},
    {"cmbTxSC(0)", kSubcarriers},
    {"cmbTxSC(1)", kSubcarriers},
    {"lblPCkHz(0)", kParameterUnit},
    {"lblPCkHz(1)", kParameterUnit},
    {"cmbNonlinear", kAmplifier},
    {"lblNonLinear", kAmplifier},
    {"cmbNoise", kNoise},
    {"lblNoise", kNoise},
    {"lblNoiseW", kNoise},
    {"cmbMultipathDelay", kMultipathDelay},
    {"lblMultipathDelay", kMultipathDelay},
    {"cmbMultipathMag", kMultipathMagnitude},
    {"lblMultipathPC", kMultipathMagnitude},
    {"lblMultipath", "Multipath echo of the channel (not yet simulated)."},
    {"cmbEqualiser", kEqualiser},
    {"lblEqualiser", kEqualiser},
    {"lblSync", kSync},
    // The row of labels in the transmitter block
    {"lblLinear(0)",
     "FM / AM: whether the modulation below moves the carrier's frequency (FM, frequency modulation: FSK, MSK) or "
     "its amplitude and phase (AM, amplitude modulation in the wide sense: OOK to 16-QAM)."},
    {"lblLinear(1)",
     "Class of the chosen modulation: Linear moves amplitude and phase, Exponential (FSK, MSK) moves the "
     "frequency."},
    {"lblLinear(2)",
     "Colour of the first trace of the modulated symbols: the in-phase part I in green, or the frequency in "
     "purple."},
    {"lblLinear(3)", "Colour of the second trace of the modulated symbols: the quadrature part Q in red."},
    // Sliders
    {"hscCarrier",
     "Carrier frequency of the passband picture: from 2 to 8 carrier cycles per two symbols (v/64 cycles per "
     "sample)."},
    {"hscSpectrum",
     "Frequency zoom of the spectrum, 1 to 6: the picture spans plus and minus 4 kHz divided by the zoom around zero "
     "frequency."},
    {"hscSample",
     "Sampling instant: moves the blue marker pair across the eye, over the four bit periods it shows. It starts on "
     "the symbol centre; the scatter, the error counts and the eye's figures take their samples there."},
    {"hscDataScroll",
     "Start of the data window: moves the traces along the block, one symbol per arrow click, four per page."},
    {"hscDataZoom", "Length of the data window: 12, 24, 36 or 48 bits."},
    {"vscSync",
     "Phase nudge: each arrow click turns the received signal by 3.6 degrees (pi/50), down anticlockwise, up clockwise."},
    {"vscFreq",
     "Receive frequency offset: turns the received constellation by up to 5 degrees per run either way; in the "
     "middle it stops turning and keeps its angle."},
    {"vscFSK", "FSK modulation index: up raises it, down lowers it, in steps of 1/6 from 5 down to 1/6."},
    {"vscSpectrumRange",
     "Vertical range of the spectrum: further down fits more decibels into the picture (about 16 dB at the top "
     "end, 61 dB at the start, over 3000 dB at the bottom)."},
    {"vscTxEyeScale",
     "Zoom of the eye and both scatter pictures: up enlarges the received signal, down shrinks it, from 0.2 to 2 "
     "times (1 at the start)."},
    {"vscYThreshold",
     "Size of the red reference constellation over the scatter: up enlarges it, down shrinks it, its amplitude "
     "from 0.2 to 2 (1 at the start)."},
    {"hscXThreshold", "Unused slider."},
    // Check boxes, buttons, text box
    {"chkLinear", "Switches the spectrum between a logarithmic (decibel) and a linear power axis."},
    {"chkMemory", "Freezes the current spectrum average as a green trace, to compare a later change against it."},
    {"chkPassband", "Shows the passband signal, I and Q on the carrier, with the carrier frequency slider."},
    {"chkEye(0)", "Marker of the eye diagram."},
    {"chkEye(1)", "Marks the trace beside it: the in-phase part I of the transmitted signal."},
    {"chkEye(2)", "Marks the trace beside it: the quadrature part Q of the transmitted signal."},
    {"chkModData", "Marker of the modulated symbols; it reads F when the trace shows the frequency of FSK or MSK."},
    {"chkData", "Marker of the data trace."},
    {"chkRxData", "Marker of the received data trace."},
    {"chkDemodData", "Marker of the demodulated data trace."},
    {"cmdPause",
     "Pauses the link or lets it run on; while paused in Modulation, drag the marker over the data trace to follow "
     "one sample."},
    {"cmdSpectrum", "Title of the transmit spectrum picture."},
    {"cmdTrace", "The sample under the scan marker of the data trace, shown on the received I/Q path."},
    {"txtFSK",
     "FSK modulation index h: each bit turns the carrier phase by plus or minus h times 180 degrees. Type one from "
     "1/6 to 5 and press Enter; it is used as typed."},
    // Pictures
    {"picData", "The data bits in the data window, as a blue trace: high is 1, low is 0."},
    {"picModData",
     "The modulated symbols in the data window: I in green, Q in red, the frequency of FSK or MSK in purple; in "
     "Baseband Demo the carrier (green) and the carrier your phasor makes (blue)."},
    {"picEye(0)",
     "Eye diagram of the received signal, I in green and Q in red, drawn run over run; the blue lines mark the "
     "sampling instant."},
    {"picEye(1)", "The in-phase part I of the transmitted signal after the filter and the amplifier."},
    {"picEye(2)", "The quadrature part Q of the transmitted signal after the filter and the amplifier."},
    {"picScatter(0)",
     "Path of the received signal in the I/Q plane, sample by sample; in Baseband Demo the tip of your phasor "
     "and its trail. Click to clear it."},
    {"picScatter(1)", "Unused picture."},
    {"picScatter(2)",
     "Received symbols at the sampling instant (blue dots) under the ideal constellation (red circles), gathered "
     "run after run. OQPSK reads Q half a symbol after I, each rail at its own centre, so it shows four clusters."},
    {"picSpectrum(0)",
     "Averaged power spectrum of the transmitted signal, zero frequency in the middle; click to restart the "
     "average."},
    {"picSpectrum(1)", "The transmitted signal on its carrier: I times cosine minus Q times sine."},
    {"picSpectrum(2)", "Unused picture."},
    {"imgGarvoch", "LinkLab, a simulator of the physical layer of a digital radio link."},
    // The handles and blocks the window paints
    {"shpDrag",
     "Tip of the phasor: drag it to set the complex value whose carrier is drawn below; a right click puts it back "
     "at 0.5."},
    {"shpDragged", "Tip of the phasor: drag it to set the complex value whose carrier is drawn below."},
    {"shpCircle", "Circle of amplitude 0.5 in the complex plane; the plane reaches amplitude 1 at the arrow tips."},
    {"shpDragger", "Scan marker: drag it along the data trace to follow one sample on the received I/Q path."},
    {"shpDataBox", "The data source."},
    {"shpTxBox", "The transmitter: modulator, transmit filter and RF power amplifier."},
    {"shpRxBox", "The receiver: its noise and its receive filter."},
    {"shpChannelBox", "The channel between transmitter and receiver: its multipath echo and its noise."},
    {"shpOutputBox", "The data out of the receiver's decisions."},
};

}  // namespace

std::string_view tooltipFor(std::string_view controlName) {
  for (const auto& [name, text] : kTooltips)
    if (name == controlName) return text;
  return {};
}

}  // namespace linklab
