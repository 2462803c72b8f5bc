#include "save/report_text.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <limits>
#include <string>

namespace {

using bondscope::append_left;
using bondscope::append_right;

// The report's columns must stay exactly what printf would print, so each
// case is checked against printf itself.
std::string printf_right(std::int64_t value, int width) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%*" PRId64, width, value);
  return buffer;
}

TEST(ReportText, RightAlignedNumbersMatchPrintf) {
  const std::int64_t values[] = {0,
                                 1,
                                 9,
                                 10,
                                 99,
                                 100,
                                 255,
                                 999,
                                 1000,
                                 65535,
                                 99999,
                                 100000,
                                 2147483648,
                                 4294967295,
                                 -1,
                                 -42,
                                 -999,
                                 -1000,
                                 std::numeric_limits<std::int64_t>::max(),
                                 std::numeric_limits<std::int64_t>::min()};
  for (const int width : {0, 1, 3, 5, 10, 25}) {
    for (const std::int64_t v : values) {
      std::string line = "x";
      append_right(line, v, static_cast<std::size_t>(width));
      EXPECT_EQ(line, "x" + printf_right(v, width))
          << "value " << v << " width " << width;
    }
  }
}

TEST(ReportText, LeftAlignedTextMatchesPrintf) {
  const char* texts[] = {"",
                         "A",
                         "\x83\x54\x83\x4e\x83\x89",
                         "ABCDEFGHIJK",
                         "ABCDEFGHIJKL",
                         "ABCDEFGHIJKLM",
                         "\x83\x6f\x83\x6f\x83\x6f\x83\x6f\x83\x6f\x83\x6f"
                         "\x83\x6f"};
  for (const char* t : texts) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%-12s|", t);
    std::string line;
    append_left(line, t, 12);
    line += '|';
    EXPECT_EQ(line, expected)
        << "text of " << std::string(t).size() << " bytes";
  }
}

}  // namespace
