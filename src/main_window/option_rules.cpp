// The change rules of the option lists: the receiver follows the transmitter, the modulation
// decides which filters and legends apply, the filter type decides which parameter list shows.
// Setting another list's text runs that list's rule at once, before the calling rule goes on.
#include <algorithm>
#include <string>

#include "filters/filter_design.h"
#include "form/numbers.h"
#include "main_window/form1.h"
#include "transmitter/option_catalogue.h"
#include "transmitter/tx_shaping.h"

namespace linklab {

namespace {

constexpr uint32_t Purple = 0xC000C0;  // (192, 0, 192)
constexpr uint32_t Cyan = 0xC0C000;    // (0, 192, 192)
constexpr uint32_t Green = 0xC000;     // (0, 192, 0)
constexpr uint32_t Red = 0xC0;         // (192, 0, 0)
constexpr uint32_t Black = 0x0;

constexpr int OfdmPosition = 5;

bool isAngleModulation(const std::string& t) { return t == "FSK" || t == "MSK"; }

bool isReceiveFilterName(const std::string& t) {
  return t == catalogue::kRxOnlyFilter ||
         std::find(catalogue::kFilters.begin(), catalogue::kFilters.end(), t) != catalogue::kFilters.end();
}

}  // namespace

void Form1::cmbMod_Change(int16_t Index) {
  if (Index != 0 && Index != 1) return;
  ComboBox& mod = cmbMod[Index];

  // The receiver's demodulation follows the transmitter; its rule runs inside this assignment.
  if (Index == 0) cmbMod[1].setText(cmbMod[0].Text());

  // "Baseband Demo" shows no transmitter, so the index controls stay hidden there.
  const bool fsk = mod.Text() == "FSK" && lScene != 1;
  vscFSK.Visible = fsk;
  txtFSK.Visible = fsk;

  if (isAngleModulation(mod.Text())) {
    // OFDM carries linear symbols only, so it leaves the transmit list while it cannot be used.
    if (cmbFilter[0].Text() == "OFDM") {
      cmbFilter[0].setText("None");
      if (cmbFilter[0].List(OfdmPosition) == "OFDM") cmbFilter[0].RemoveItem(OfdmPosition);
      cmbFilter_Change(0);
    }
    cmbFilter[0].setText("None");
    cmbFilter[1].setText("None");
  } else if (cmbFilter[0].ListCount() == 5) {
    cmbFilter[0].AddItem("OFDM", OfdmPosition);
  }

  if (isAngleModulation(mod.Text())) {
    // Transmit shaping reads "Exponential" as the sign to apply the phase mapping.
    lblLinear[1].Caption = "Exponential";
    lblLinear[2].Caption = "Frequency";
    lblLinear[2].ForeColor = Purple;
    lblLinear[3].Caption = "";
    lblLinear[3].ForeColor = Cyan;
    lblLinear[3].ZOrder(1);
    cmbFilter[1].setText("None");
    chkModData.Caption = "F";
    chkModData.ForeColor = Purple;
  } else {
    lblLinear[1].Caption = "Linear";
    lblLinear[2].Caption = "I";
    lblLinear[2].ForeColor = Green;
    lblLinear[3].Caption = "Q";
    lblLinear[3].ForeColor = Red;
    lblLinear[3].ZOrder(0);
    chkModData.Caption = "";
    chkModData.ForeColor = Black;
  }

  if (dBitsPerSymbol == 0) dBitsPerSymbol = 1.0;
  hscDataZoom_Change();

  const std::string& t = mod.Text();
  iBitsPerSymbol = 1;
  if (t == "QPSK" || t == "pi/4-SQPSK" || t == "OQPSK") iBitsPerSymbol = 2;
  if (t == "8-PSK") iBitsPerSymbol = 3;
  if (t == "16-QAM") iBitsPerSymbol = 4;

  RestartPics(Index);
  bFiltersValid = 0;
  tickOnce();
}

void Form1::cmbFilter_Change(int16_t Index) {
  if (Index != 0 && Index != 1) return;
  // The receive list takes typed text, but only its entries name a filter: the design's message
  // says so once, and the list goes back to the filter it had, so the link keeps receiving.
  if (Index == 1 && !isReceiveFilterName(cmbFilter[1].Text())) {
    message(kUnknownFilterMessage);
    cmbFilter[1].refuseChange();
    return;
  }
  const std::string& f = cmbFilter[Index].Text();

  const bool excessBandwidth = f == "Root RC" || f == "Raised Cosine";
  const bool bandwidth = f == "Gaussian" || f == "Steep Cutoff";
  const bool subcarriers = f == "OFDM";
  cmbTxEB[Index].Visible = excessBandwidth;
  cmbTxBW[Index].Visible = bandwidth;
  cmbTxSC[Index].Visible = subcarriers;
  if (excessBandwidth) lblPCkHz[Index].Caption = "EB";
  if (bandwidth) lblPCkHz[Index].Caption = "kHz";
  if (subcarriers) lblPCkHz[Index].Caption = "SCs";
  lblPCkHz[Index].Visible = excessBandwidth || bandwidth || subcarriers;

  // The receive filter follows only while the receiver is on screen and the symbols are linear.
  if (Index == 0 && lblFilter[1].Visible) {
    if (lblLinear[1].Caption != "Linear") {
      cmbFilter[1].setText("None");
    } else if (cmbFilter[0].Text() != "OFDM") {
      cmbFilter[1].setText(cmbFilter[0].Text());
    } else {
      cmbFilter[1].setText("None");
    }
  }

  bFiltersValid = 0;
  RestartPics(Index);
  tickOnce();
}

void Form1::cmbTxEB_Change(int16_t Index) {
  if (Index != 0 && Index != 1) return;
  if (refusedTyped(cmbTxEB[Index], TypedField::ExcessBandwidth)) return;
  if (Index == 0) cmbTxEB[1].setText(cmbTxEB[0].Text());
  bFiltersValid = 0;
  RestartPics(Index);
  tickOnce();
}

void Form1::cmbTxBW_Change(int16_t Index) {
  if (Index != 0 && Index != 1) return;
  if (refusedTyped(cmbTxBW[Index], TypedField::Bandwidth)) return;
  if (Index == 0) cmbTxBW[1].setText(cmbTxBW[0].Text());
  bFiltersValid = 0;
  RestartPics(Index);
}

void Form1::cmbTxSC_Change(int16_t Index) {
  if (Index != 0 && Index != 1) return;
  if (refusedTyped(cmbTxSC[Index], TypedField::Subcarriers)) return;
  if (Index == 0) {
    // OFDM can only use a power of two from 1 to 128 subcarriers and rounds a typed count to the
    // nearest one; show that count, as the filter parameters show the values in use. The
    // assignment runs this rule again, which copies the tidy text to the receiver.
    const double typed = Val(cmbTxSC[0].Text());
    const int used = ofdmSubcarrierCount(typed);
    if (typed != used) cmbTxSC[0].setText(Str(used));
    cmbTxSC[1].setText(cmbTxSC[0].Text());
  }
  bFiltersValid = 0;
  RestartPics(Index);
}

}  // namespace linklab
