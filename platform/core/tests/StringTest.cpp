#include "platform/core/String.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {

// GBK bytes written out, so that this file does not depend on the compiler's
// execution character set: "表" is B1 ED, "\" is 5C, and "螺" (C2 DD) has no
// backslash; "擦" B2 C1; "乗" has trail byte 5C: 81 5C.
const char kTrail5C[] = "\x81\x5C";  // a double-byte character whose trail byte is '\'

TEST(CStringA, SearchesNeverMatchATrailByte) {
  CStringA path = CStringA("dir\\") + kTrail5C + "x";
  EXPECT_EQ(path.ReverseFind('\\'), 3);
  EXPECT_EQ(path.Find('\\', 4), -1);
  EXPECT_EQ(CStringA(kTrail5C).Find("\\"), -1);
  EXPECT_EQ(path.FindOneOf("\\"), 3);
  CStringA replaced = path;
  EXPECT_EQ(replaced.Replace('\\', '/'), 1);
  EXPECT_EQ(replaced, CStringA("dir/") + kTrail5C + "x");
}

TEST(CStringA, CaseInsensitiveComparisonFoldsAsciiOnly) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"Table\\Material.Tab", "TABLE\\MATERIAL.TAB", 0},
      {"abc", "ABD", -1},
      {"b", "A", 1},
      {"", "", 0},
      {"a", "", 1},
      // Trail bytes 0x41 ('A') and 0x61 ('a') are not letters: no folding.
      {"\x81\x41", "\x81\x61", -1},
      {"\xB1\xED" "A", "\xB1\xED" "a", 0},
  };
  for (const Case& c : cases) {
    int r = CStringA(c.a).CompareNoCase(c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
  }
  // Bytes compare unsigned.
  EXPECT_GT(CStringA("\xB1\xED").Compare("z"), 0);
}

TEST(CStringA, UpperLowerAndTrimLeaveDoubleByteCharactersAlone) {
  CStringA s = CStringA("  ab") + "\x81\x61" + "cd \t";
  s.Trim();
  EXPECT_EQ(s, CStringA("ab\x81\x61" "cd"));
  s.MakeUpper();
  EXPECT_EQ(s, CStringA("AB\x81\x61" "CD"));
  s.MakeLower();
  EXPECT_EQ(s, CStringA("ab\x81\x61" "cd"));
  CStringA r("a\xB1\xED" "b");
  r.MakeReverse();
  EXPECT_EQ(r, CStringA("b\xB1\xED" "a"));
  // A trailing "\x81\x20" is a character, not a space.
  CStringA t("x\x81\x20");
  t.TrimRight();
  EXPECT_EQ(t.GetLength(), 3);
}

TEST(CString, ExtractionClampsLikeTheFramework) {
  CStringW s(u"hello");
  EXPECT_EQ(s.Left(2), CStringW(u"he"));
  EXPECT_EQ(s.Left(-1), CStringW());
  EXPECT_EQ(s.Left(99), s);
  EXPECT_EQ(s.Mid(3), CStringW(u"lo"));
  EXPECT_EQ(s.Mid(9), CStringW());
  EXPECT_EQ(s.Mid(-2, 2), CStringW(u"he"));
  EXPECT_EQ(s.Right(3), CStringW(u"llo"));
  EXPECT_EQ(s.Right(10), s);
  EXPECT_EQ(s.Find(u"l"), 2);
  EXPECT_EQ(s.Find(u'l', 3), 3);
  EXPECT_EQ(s.Find(u"lo", 4), -1);
  EXPECT_EQ(s.ReverseFind(u'l'), 3);
  CStringA parts("1.5,2");
  EXPECT_EQ(parts.Left(parts.Find(',')), CStringA("1.5"));
  EXPECT_EQ(parts.Mid(parts.Find(',') + 1), CStringA("2"));
}

TEST(CString, EditingOperations) {
  CStringA s("a;;b;c");
  EXPECT_EQ(s.Replace(";;", ";"), 1);
  EXPECT_EQ(s, CStringA("a;b;c"));
  EXPECT_EQ(s.Remove(';'), 2);
  EXPECT_EQ(s, CStringA("abc"));
  s.Insert(1, "XY");
  EXPECT_EQ(s, CStringA("aXYbc"));
  s.Delete(1, 2);
  EXPECT_EQ(s, CStringA("abc"));
  s.Delete(2, 10);
  EXPECT_EQ(s, CStringA("ab"));
  int pos = 0;
  CStringA line("x; y ;;z"), tok;
  std::vector<CStringA> tokens;
  while (!(tok = line.Tokenize(";", pos)).IsEmpty()) tokens.push_back(tok);
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[1], CStringA(" y "));
  EXPECT_EQ(pos, -1);
}

TEST(CString, OrdersByContentAlsoInsidePairs) {
  std::map<std::pair<CStringA, CStringA>, int> settings;
  settings[{CStringA("DimText"), CStringA("Height")}] = 1;
  CStringA section("DimText"), key("Height");
  EXPECT_EQ(settings.count({section, key}), 1u);
  EXPECT_TRUE(CStringW(u"a") < CStringW(u"b"));
  EXPECT_TRUE(CStringA("b") >= CStringA("a"));
}

TEST(CString, BufferAccess) {
  CStringA s;
  char* p = s.GetBuffer(10);
  std::snprintf(p, 11, "%s", "abc");
  s.ReleaseBuffer();
  EXPECT_EQ(s.GetLength(), 3);
  s.GetBufferSetLength(2);
  EXPECT_EQ(s, CStringA("ab"));
}

TEST(CString, FormatFollowsTheFrameworkConventions) {
  CStringA a;
  a.Format("%d|%5.2f|%lf|%s|%-4s|%S|%c|%x", -7, 3.14159, 2.5, "gb", "x", u"w", 'q', 255u);
  EXPECT_EQ(a, CStringA("-7| 3.14|2.500000|gb|x   |w|q|ff"));
  CStringW w;
  w.Format(u"%s=%d %S %ld %I64d %%", u"\u8868", 12, "abc", static_cast<LONG>(-1), 1LL << 40);
  EXPECT_EQ(w, CStringW(u"\u8868=12 abc -1 1099511627776 %"));
  // Cross-flavour strings convert through GBK.
  CStringA g;
  g.Format("%S", u"\u8868");
  EXPECT_EQ(g, CStringA("\xB1\xED"));
  CStringA stars;
  stars.Format("[%*d][%.*f][%.2s]", 4, 7, 1, 2.25, "abcdef");
  EXPECT_EQ(stars, CStringA("[   7][2.2][ab]"));
  a.AppendFormat("!%d", 1);
  EXPECT_TRUE(a.Right(2) == "!1");
}

TEST(CString, FormatMessageInsertsArgumentsByNumber) {
  struct Case {
    const char16_t* format;
    const char16_t* expected;
  };
  // The arguments are always 100, u"doc", 2.5 in that order, as the inserts
  // %1!d!, %2 and %3!.1f! read them; unused trailing ones are not read.
  const Case cases[] = {
      {u"%1!d!%% zoom", u"100% zoom"},
      {u"%2 at %1!d!", u"doc at 100"},
      {u"%1!5d!|%1!x!", u"  100|64"},
      {u"%3!.1f! %2%n", u"2.5 doc\r\n"},
      {u"stop%0 here", u"stop"},
      {u"%. %! 50%", u". ! 50"},
  };
  for (const Case& k : cases) {
    CStringW w;
    if (std::u16string_view(k.format).find(u"%3") != std::u16string_view::npos) {
      w.FormatMessage(k.format, 100, u"doc", 2.5);
    } else {
      w.FormatMessage(k.format, 100, u"doc");
    }
    EXPECT_EQ(w, CStringW(k.expected)) << CStringA(k.format).GetString();
  }
  CStringA a;
  a.FormatMessage("%1 %2!d!", "GB", -3);
  EXPECT_EQ(a, CStringA("GB -3"));
}

TEST(CString, ConvertsBetweenFlavoursThroughGbk) {
  CStringW w(CStringA("\xC3\xF7\xCF\xB8\xB1\xED"));
  EXPECT_EQ(w, CStringW(u"\u660E\u7EC6\u8868"));
  CStringA a = w;
  EXPECT_EQ(a, CStringA("\xC3\xF7\xCF\xB8\xB1\xED"));
  EXPECT_EQ(a.GetLength(), 6);
  EXPECT_EQ(w.GetLength(), 3);
}

}  // namespace
