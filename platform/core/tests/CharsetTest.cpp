#include "platform/core/Charset.h"

#include <gtest/gtest.h>

namespace {

// "明细表" in GBK and UTF-16.
const std::string kGbk = "\xC3\xF7\xCF\xB8\xB1\xED";
const std::u16string kUtf16 = u"\u660E\u7EC6\u8868";
const std::string kUtf8 = "\xE6\x98\x8E\xE7\xBB\x86\xE8\xA1\xA8";

TEST(Charset, ConvertsBetweenGbkUtf16AndUtf8) {
  EXPECT_EQ(platform::GbkToUtf16(kGbk), kUtf16);
  EXPECT_EQ(platform::Utf16ToGbk(kUtf16), kGbk);
  EXPECT_EQ(platform::Utf16ToUtf8(kUtf16), kUtf8);
  EXPECT_EQ(platform::Utf8ToUtf16(kUtf8), kUtf16);
  EXPECT_EQ(platform::GbkToUtf8("Wendrix99 " + kGbk), "Wendrix99 " + kUtf8);
  EXPECT_EQ(platform::Utf8ToGbk(kUtf8), kGbk);
}

TEST(Charset, ReplacesWhatCannotBeConvertedWithQuestionMark) {
  // A lone lead byte at the end, and a character GBK cannot hold.
  EXPECT_EQ(platform::GbkToUtf16("a\xC3"), u"a?");
  EXPECT_EQ(platform::Utf16ToGbk(u"x\U0001F600y"), "x??y");
  EXPECT_EQ(platform::GbkToUtf16(""), u"");
}

}  // namespace
