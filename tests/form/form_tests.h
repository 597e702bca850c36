#pragma once
// The standard headers and gtest, for the form tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
