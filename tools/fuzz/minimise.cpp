#include "minimise.h"

namespace linklab::fuzz {

std::vector<std::string> minimise(std::vector<std::string> lines,
                                  const std::function<bool(const std::vector<std::string>&)>& fails,
                                  int attempts) {
  std::size_t chunk = lines.size() / 2;
  while (chunk >= 1 && attempts > 0) {
    bool dropped = false;
    for (std::size_t start = 0; start < lines.size() && attempts > 0;) {
      std::vector<std::string> candidate(lines.begin(), lines.begin() + static_cast<long>(start));
      const std::size_t end = std::min(lines.size(), start + chunk);
      candidate.insert(candidate.end(), lines.begin() + static_cast<long>(end), lines.end());
      --attempts;
      if (!candidate.empty() && fails(candidate)) {
        lines = std::move(candidate);
        dropped = true;
      } else {
        start += chunk;
      }
    }
    if (!dropped) chunk /= 2;
  }
  return lines;
}

}  // namespace linklab::fuzz
