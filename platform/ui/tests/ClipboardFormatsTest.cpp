// Registered clipboard formats: one number per name, whatever its case.
#include <gtest/gtest.h>

#include "platform/ui/ClipboardFormats.h"

namespace {

TEST(ClipboardFormatsTest, ANameKeepsItsNumberWhateverItsCase) {
  const UINT draw = RegisterClipboardFormatW(u"Test Draw Format");
  ASSERT_GE(draw, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormatW(u"TEST draw FORMAT"), draw);
  EXPECT_EQ(RegisterClipboardFormatA("test draw format"), draw);
  const UINT other = RegisterClipboardFormatW(u"Test Other Format");
  EXPECT_NE(other, draw);
  EXPECT_GE(other, 0xC000u);
}

TEST(ClipboardFormatsTest, NoNameNoFormat) {
  EXPECT_EQ(RegisterClipboardFormatW(u""), 0u);
  EXPECT_EQ(RegisterClipboardFormatW(nullptr), 0u);
  EXPECT_EQ(RegisterClipboardFormatA(""), 0u);
}

TEST(ClipboardFormatsTest, TheNameOfAFormatAsRegisteredFirst) {
  const UINT format = RegisterClipboardFormatW(u"Test Named Format");
  RegisterClipboardFormatW(u"test named format");
  WCHAR name[64] = {};
  ASSERT_EQ(GetClipboardFormatNameW(format, name, 64), 17);
  EXPECT_EQ(std::u16string(name), u"Test Named Format");
  char shortName[5] = {};
  EXPECT_EQ(GetClipboardFormatNameA(format, shortName, 5), 4);
  EXPECT_STREQ(shortName, "Test");
  EXPECT_EQ(GetClipboardFormatNameW(1, name, 64), 0);  // a standard format has no registered name
}

}  // namespace
