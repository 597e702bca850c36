#include "batch/measure_calls.h"

#include "batch/script_words.h"
#include "main_window/form1.h"
#include "measurements/constellations.h"
#include "measurements/error_rate_sweep.h"

namespace linklab {

namespace {
// More points than anyone plots; keeps a typo from starting an endless run.
constexpr std::size_t kMaxSweepPoints = 1000;

std::string measureErrorRate(Form1& form, const std::vector<std::string_view>& args, std::ostream& out) {
  if (args.size() != 4) return "measureErrorRate takes FROM TO STEP";
  const auto from = number(args[1]), to = number(args[2]), step = number(args[3]);
  if (!from || !to || !step) return "malformed measureErrorRate arguments";
  if (!(*step > 0)) return "measureErrorRate needs a step above 0";
  if (*to < *from) return "measureErrorRate needs FROM not above TO";
  if (sweepValueCount(*from, *to, *step) > kMaxSweepPoints) return "measureErrorRate: too many points";
  const std::vector<double> values = sweepValues(*from, *to, *step);
  const LinkSettings settings = form.linkSettings();
  if (!makesDecisions(settings.mod, settings.ofdm)) return "measureErrorRate: this link makes no symbol decisions";
  ErrorRateSweep sweep(settings, values);
  sweep.start();
  sweep.wait();
  for (const SweepPoint& p : sweep.points())
    out << formatNumber(p.ebN0dB) << ' ' << p.symbols << ' ' << p.symbolErrors << ' ' << p.bits << ' '
        << p.bitErrors << ' ' << formatNumber(p.ser) << ' ' << formatNumber(p.ber) << ' '
        << formatNumber(p.serTheory) << ' ' << formatNumber(p.berTheory) << '\n';
  return {};
}
}  // namespace

std::optional<std::string> callMeasurement(Form1& form, std::string_view proc,
                                           const std::vector<std::string_view>& args, std::ostream& out) {
  if (proc == "measureErrorRate") return measureErrorRate(form, args, out);
  if (proc == "restartCounts") {
    if (args.size() != 1) return "restartCounts takes no arguments";
    form.restartCounts();
    return std::string();
  }
  return std::nullopt;
}

}  // namespace linklab
