#include "platform/core/NumberText.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseNumber, TakesAWholeFiniteNumberWithBlanksAround) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"12.5", 12.5}, {"  -3e2\t", -300.0}, {"\t7 ", 7.0}, {"+.5", 0.5}, {"0x10", 16.0}, {"1e-300", 1e-300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    double value = -1.0;
    EXPECT_TRUE(platform::ParseNumber(c.text, value));
    EXPECT_EQ(value, c.value);
  }
}

TEST(ParseNumber, RefusesAnythingElseAndKeepsTheValue) {
  const char* const texts[] = {
      "", "   ", "\t", "1,5", "12abc", "- 1", "1 2", ".", "e5",
      "1e400", "-1e400", "1e-400",         // out of range
      "inf", "-infinity", "nan", "NAN(1)",  // not finite
      "5\n", "\n5", "\r\n5",                // line ends are no blanks
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    double value = 42.0;
    EXPECT_FALSE(platform::ParseNumber(text, value));
    EXPECT_EQ(value, 42.0);
  }
  double value = 42.0;
  EXPECT_FALSE(platform::ParseNumber(nullptr, value));
  EXPECT_EQ(value, 42.0);
}

}  // namespace
