// The page's heaviest tick run natively: the same WebApp and rasters as the page's module, at the
// page's pixel scale, so the browser test can set its tick beside native code doing the same
// drawing. Prints one JSON object of median times in ms.
//   linklab_page_tick DEVICE_PIXELS_PER_TWIP [TICKS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "form/numbers.h"
#include "web_app.h"

int main(int argc, char** argv) {
  double scale = 0;
  if (argc > 1) linklab::readDouble(argv[1], argv[1] + std::strlen(argv[1]), scale);
  const int ticks = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
  if (!(scale > 0 && scale < 1)) {
    std::fprintf(stderr, "usage: linklab_page_tick DEVICE_PIXELS_PER_TWIP [TICKS]\n");
    return 2;
  }
  linklab::web::WebApp app;
  app.setPixelScale(scale);
  app.load();
  app.changes();
  // As the browser test picks it: "Full", 16-QAM, Gaussian, noise 1.0, Non-Linear.
  for (const auto& [name, text] : std::vector<std::pair<std::string, std::string>>{
           {"cmbScene", "Full"}, {"cmbMod(0)", "16-QAM"}, {"cmbFilter(0)", "Gaussian"}, {"cmbNoise", "1.0"},
           {"cmbNonlinear", "Non-Linear"}}) {
    app.setText(name, text);
    app.changes();
  }
  for (int i = 0; i < 10; ++i) {
    app.tick();
    app.changes();
  }
  using Clock = std::chrono::steady_clock;
  std::vector<double> model, whole;
  for (int i = 0; i < ticks; ++i) {
    const auto start = Clock::now();
    app.tick();
    const auto ticked = Clock::now();
    app.changes();
    const auto end = Clock::now();
    model.push_back(std::chrono::duration<double, std::milli>(ticked - start).count());
    whole.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  std::printf("{\"tickMs\": %.3f, \"tickAndChangesMs\": %.3f, \"ticks\": %d}\n", median(model), median(whole), ticks);
  return 0;
}
