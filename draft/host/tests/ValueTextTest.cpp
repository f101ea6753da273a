// The value-text tests, the number column's name and line normalising.
#include <gtest/gtest.h>

#include "draft/host/StringConverter.h"
#include "draft/host/ValueText.h"

TEST(ValueTextTest, WholeNumbersAndValueLists) {
  const struct {
    const char* text;
    BOOL numeric;
  } cases[] = {{"12", TRUE}, {" -3 ", TRUE}, {"+7", TRUE}, {"", FALSE}, {"-", FALSE},
               {"1.5", FALSE}, {"1a", FALSE}, {"序号", FALSE}};
  for (const auto& c : cases) EXPECT_EQ(IsNumericString(c.text), c.numeric) << c.text;
  CStringArray values;
  EXPECT_EQ(CheckValueList(values, 0), 0);
  values.Add("3");
  values.Add("10");
  EXPECT_NE(CheckValueList(values, 0), 0);
  values.Add("A1");
  EXPECT_EQ(CheckValueList(values, 0), 0);
  EXPECT_TRUE(IsTextMatch(" 5", "5 "));
  EXPECT_FALSE(IsTextMatch("5", "50"));
}

TEST(ValueTextTest, NumberColumnNameAndNormalisedLines) {
  EXPECT_EQ(GetStringConverter().GetNumberColumnName(), CStringA("序号"));
  CStringA line("\t序号;1;8.000000;2 \r\n");
  GetStringConverter().NormalizeLine(line);
  EXPECT_EQ(line, CStringA("序号;1;8.000000;2"));
}
