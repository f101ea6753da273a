// The tolerance table's deviations and the dimension texts composed of
// their parts.
#include <gtest/gtest.h>

#include "draft/host/DimensionText.h"
#include "draft/host/ToleranceTable.h"

TEST(ToleranceTable, SizeAndCodePairsGiveTheStandardDeviations) {
  struct Case {
    const char* size;
    const char* code;
    const char* upper;
    const char* lower;
  };
  const Case cases[] = {
      {"50", "H7", "+0.025", "0"},        {"50", "k6", "+0.018", "+0.002"},   {"50", "K7", "+0.007", "-0.018"},
      {"50", "M7", "0", "-0.025"},         {"50", "N7", "-0.008", "-0.033"},   {"50", "P7", "-0.017", "-0.042"},
      {"25", "f7", "-0.020", "-0.041"},    {"25", "js6", "+0.0065", "-0.0065"}, {"30", "JS7", "+0.010", "-0.010"},
      {"10", "g6", "-0.005", "-0.014"},    {"10.5", "g6", "-0.006", "-0.017"}, {"3", "h7", "0", "-0.010"},
      {"2", "K7", "0", "-0.010"},          {"2", "N9", "-0.004", "-0.029"},    {"5", "N9", "0", "-0.030"},
      {"100", "D10", "+0.260", "+0.120"},  {"500", "e8", "-0.135", "-0.232"}, {"120", "K8", "+0.016", "-0.038"},
  };
  for (const Case& c : cases) {
    CStringA upper, lower;
    EXPECT_EQ(LookupToleranceDeviation(c.size, c.code, upper, lower), 1) << c.size << c.code;
    EXPECT_EQ(upper, c.upper) << c.size << c.code;
    EXPECT_EQ(lower, c.lower) << c.size << c.code;
  }
}

TEST(ToleranceTable, UnknownPairsGiveZeroAndEmptyDeviations) {
  const char* const pairs[][2] = {{"600", "H7"}, {"0", "H7"}, {"50", "X7"}, {"50", "H"},
                                  {"50", "H13"}, {"50", "H7/g6"}, {"abc", "h6"}, {"50", "h6x"}};
  for (const auto& p : pairs) {
    CStringA upper = "keep", lower = "keep";
    EXPECT_EQ(LookupToleranceDeviation(p[0], p[1], upper, lower), 0) << p[0] << p[1];
    EXPECT_TRUE(upper.IsEmpty() && lower.IsEmpty()) << p[0] << p[1];
  }
}

TEST(DimensionText, PartsComposeByTheSwitches) {
  struct Case {
    const char *prefix, *size, *code, *upper, *lower;
    int showCode, showDeviations, same;
    const char* text;
  };
  const Case cases[] = {
      {"Φ", "50", "H7", "+0.025", "0", 1, 1, 0, "Φ50H7(+0.025/0)"},
      {"Φ", "50", "H7", "+0.025", "0", 1, 0, 0, "Φ50H7"},
      {"", "50", "H7", "+0.025", "0", 0, 1, 1, "50(+0.025/0)"},
      {"", "20", "", "+0.05", "-0.05", 0, 1, 1, "20±0.05"},
      {"", "20", "", "+0.05", "-0.05", 0, 1, 0, "20(+0.05/-0.05)"},
      {"R", "8", "", "", "", 1, 1, 1, "R8"},
  };
  for (const Case& c : cases) {
    CStringA text;
    ComposeDimensionText(text, c.prefix, c.size, c.code, c.upper, c.lower, c.showCode, c.showDeviations, c.same);
    EXPECT_EQ(text, c.text);
  }
}

TEST(DimensionText, TheExtraIsWhatThePartsDoNotExplain) {
  struct Case {
    const char *text, *prefix, *size, *code, *upper, *lower, *extra;
  };
  const Case cases[] = {
      {"Φ50深10H7(+0.025/0)", "Φ", "50", "H7", "+0.025", "0", "深10"},
      {"Φ50H7", "Φ", "50", "H7", "+0.025", "0", ""},
      {"20±0.05", "", "20", "", "+0.05", "-0.05", ""},
      {"4×M6", "", "4", "", "", "", "×M6"},
  };
  for (const Case& c : cases) {
    CStringA extra = "stale";
    GetDimensionTextExtra(c.text, c.prefix, c.size, extra, c.code, c.upper, c.lower);
    EXPECT_EQ(extra, c.extra) << c.text;
  }
}
