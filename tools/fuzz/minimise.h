#pragma once
// Makes a failing script small: drops lines, halves first, then one at a time, as long as the
// same failure remains.
#include <functional>
#include <string>
#include <vector>

namespace linklab::fuzz {

//  lines    : the failing script
//  fails    : true when a candidate still fails the same way
//  attempts : at most this many candidates are tried
std::vector<std::string> minimise(std::vector<std::string> lines,
                                  const std::function<bool(const std::vector<std::string>&)>& fails,
                                  int attempts);

}  // namespace linklab::fuzz
