// Compiled with the multibyte build's flags: UTF-8 sources, GBK literals.
#include <gtest/gtest.h>

#include "platform/core/Charset.h"
#include "platform/core/String.h"

namespace {

TEST(GbkLiterals, QuotedTextsAreGbkBytes) {
  EXPECT_EQ(sizeof("Wendrix99 明细表数据文件") - 1, 24u);
  CString magic = "Wendrix99 表结构文件";
  EXPECT_EQ(magic.GetLength(), 20);
  EXPECT_EQ(magic.Mid(10, 2), CStringA("\xB1\xED"));
  EXPECT_EQ(platform::GbkToUtf8("输入数据不正确"), "\xE8\xBE\x93\xE5\x85\xA5\xE6\x95\xB0\xE6\x8D\xAE"
                                                   "\xE4\xB8\x8D\xE6\xAD\xA3\xE7\xA1\xAE");
  CString prompt;
  prompt.Format("面积%d", 3);
  EXPECT_EQ(prompt, CString("面积3"));
  EXPECT_EQ(CStringW(prompt), CStringW(u"\u9762\u79EF3"));
}

}  // namespace
