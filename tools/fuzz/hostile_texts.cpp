#include "random_source.h"

namespace linklab::fuzz {

std::vector<std::string> hostileTexts() {
  return {"",         " ",          "0",           "-0",         "-1",          "1",
          "2.00",     "0.1e1",      " 0.4 W",      "-32768",     "32767",       "32768",
          "-32769",   "65536",      "2147483647",  "-2147483648", "2147483648", "4294967296",
          "1e308",    "-1e308",     "1e309",       "1e-320",     "1e999",       "-1e999",
          "nan",      "NaN",        "-nan",        "inf",        "-inf",        "Infinity",
          "0x10",     "1,5",        "1.5.5",       ".",          "-",           "+",
          "e5",       "1e",         "5e-",         "None",       "OFDM",        "Matched",
          "FSK",      "\xd9\xa1\xd9\xa2",          "\xc3\xa9t\xc3\xa9",         "\xe6\x97\xa5\xe6\x9c\xac",
          "\xff\xfe", "\xf0\x9f\x93\xbb",          "\t",          "#",          "x",           "0.",
          "  7  ",    "1 2 3",      "()",          "(1)",        "(-1)",        "(99999)"};
}

std::string hostileText(RandomSource& rnd) {
  static const std::vector<std::string> fixed = hostileTexts();
  switch (rnd.below(8)) {
    case 0: {  // a number of many digits, maybe with a point and an exponent
      std::string s = rnd.chance(0.3) ? "-" : "";
      const int digits = rnd.between(20, 400);
      for (int i = 0; i < digits; ++i) s += static_cast<char>('0' + rnd.below(10));
      if (rnd.chance(0.5)) s.insert(s.size() / 2, ".");
      if (rnd.chance(0.3)) s += "e" + std::to_string(rnd.between(-400, 400));
      return s;
    }
    case 1: {  // a very long line of letters
      return std::string(static_cast<std::size_t>(rnd.between(100, 5000)), static_cast<char>('a' + rnd.below(26)));
    }
    case 2: {  // random bytes, no line breaks
      std::string s;
      const int n = rnd.between(1, 40);
      for (int i = 0; i < n; ++i) {
        char c = static_cast<char>(rnd.between(1, 255));
        if (c == '\n' || c == '\r') c = '?';
        s += c;
      }
      return s;
    }
    default: return rnd.pick(fixed);
  }
}

}  // namespace linklab::fuzz
