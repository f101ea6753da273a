// Tressil's system data folder and file services.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "draft/host/SystemFiles.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/Charset.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/MessageBox.h"
#include "platform/core/PathResolve.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Wnd.h"

namespace {

std::string ReadBytes(const char* gbkPath) { return testsupport::ReadFileBytes(platform::ResolvePath(gbkPath)); }

}  // namespace

TEST(SystemFiles, TheShippedFilesAreFoundInAScratchCopyThatAHostCanRewrite) {
  CStringA shipped = GetSystemDataFolder();
  {
    CSystemDataScratch scratch;
    EXPECT_NE(GetSystemDataFolder(), shipped);
    // Every file the drafting library opens by its system name, in the
    // letter case and separators it writes.
    for (const char* name : {"Def\\item.def", "Def\\item.tyb", "Def\\Attribute.Tab", "Table\\Material.Tab",
                             "Table\\SteelBCol.Tab", "Table\\FieldWidth.Tab", "Table\\CalRelation.Tab",
                             "Table\\Default_Attrib.Tab", "Table\\VoskCurveEquation.Tab", "Font\\txt.shx",
                             "font\\MORVANE.SHX", "Def\\jshyq.tec", "Def\\jshyq.jyk"}) {
      EXPECT_TRUE(IsFileExist(GetSystemFilePath(name))) << name;
    }
    EXPECT_FALSE(IsFileExist(GetSystemFilePath("Def\\none.tec")));
    EXPECT_FALSE(IsFileExist(GetSystemFilePath("Font")));  // a folder is not a file
    EXPECT_FALSE(IsFileExist(""));
    // The table files open with their magic line and CR LF line ends.
    EXPECT_EQ(ReadBytes(GetSystemFilePath("Def\\item.def")).rfind("Wendrix99 表结构文件\r\n序号;1;8.000000;2\r\n", 0), 0u);
    EXPECT_EQ(ReadBytes(GetSystemFilePath("Def\\item.tyb")).rfind("Wendrix99 明细表数据文件\r\n8\r\n序号;1;8;2\r\n", 0),
              0u);

    // A rewrite lands in the copy only.
    std::ofstream(platform::ResolvePath(GetSystemFilePath("Table\\CalRelation.Tab").GetString()), std::ios::binary)
        << "a1=a2\r\n";
    EXPECT_EQ(ReadBytes(GetSystemFilePath("Table\\CalRelation.Tab")), "a1=a2\r\n");
  }
  EXPECT_EQ(GetSystemDataFolder(), shipped);
  EXPECT_NE(ReadBytes(GetSystemFilePath("Table\\CalRelation.Tab")), "a1=a2\r\n");
}

TEST(SystemFiles, AHostSetsTheFolderAndNamesJoinItWithOneSeparator) {
  SetSystemDataFolder("/srv/data/");
  EXPECT_EQ(GetSystemDataFolder(), "/srv/data");
  EXPECT_EQ(GetSystemFilePath("Def\\jshyq.tec"), "/srv/data\\Def\\jshyq.tec");
  EXPECT_EQ(GetSystemFilePath("\\Font"), "/srv/data\\Font");
  SetSystemDataFolder(nullptr);
  EXPECT_EQ(GetSystemDataFolder(), CStringA(platform::Utf8ToGbk(GetShippedSystemDataFolder()).c_str()));
}

TEST(SystemFiles, ExtensionsOfTheLastComponent) {
  struct Case {
    const char* path;
    const char* extension;
  } cases[] = {
      {"C:\\data\\item.LST", "LST"},   {"a.b\\file", ""},       {"dir/x.tar.gz", "gz"},  {"name.", ""},
      {"noext", ""},                   {"", ""},                {".def", "def"},         {"表\\明细表.tyb", "tyb"},
      // The second byte of "琝" is a backslash; it separates nothing.
      {"a.琝b", "琝b"},
  };
  for (const Case& c : cases) EXPECT_EQ(GetFileExtension(c.path), c.extension) << c.path;
}

TEST(SystemFiles, NumberTextLosesOnlyNeedlessZeros) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"3.500000", "3.5"}, {"7.000000", "7"},    {"-0.000000", "0"}, {"100.000000", "100"}, {"0.010000", "0.01"},
      {"12", "12"},        {"1e+20", "1e+20"},   {"inf", "inf"},     {"1.5e3", "1.5e3"},    {"-2.250000", "-2.25"},
  };
  for (const Case& c : cases) {
    CStringA text(c.in);
    TrimNumberText(text);
    EXPECT_EQ(text, c.out) << c.in;
  }
}

TEST(SystemFiles, AFileFailureIsShownWithTheFileAndTheCause) {
  drafttest::MessageBoxAnswers answered;
  std::vector<CStringA>& shown = answered.boxes;
  ReportFileException("D:\\明细表.lst", CFileException::accessDenied);
  ReportFileException(CFileException(CFileException::diskFull, 28, u"表.def"));
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], "文件\"D:\\明细表.lst\"操作失败：没有访问权限");
  EXPECT_EQ(shown[1], "文件\"表.def\"操作失败：磁盘已满");
}

TEST(SystemFiles, ATextGoesOnTheClipboardWithTwentySpareBytes) {
  CWnd owner, other;
  ASSERT_TRUE(owner.CreateEx(0, u"AfxWnd", u"o", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  ASSERT_TRUE(other.CreateEx(0, u"AfxWnd", u"p", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  ASSERT_TRUE(CopyTextToClipboard("Φ±°", owner.m_hWnd));
  ASSERT_TRUE(OpenClipboard(other.m_hWnd));
  HANDLE h = GetClipboardData(CF_TEXT);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalSize(h), std::strlen("Φ±°") + 20);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(h)), "Φ±°");
  GlobalUnlock(h);
  EXPECT_EQ(GetClipboardOwner(), owner.m_hWnd);
  // Refused while another window holds the clipboard open; what was there stays.
  EXPECT_FALSE(CopyTextToClipboard("x", owner.m_hWnd));
  EXPECT_EQ(GetClipboardData(CF_TEXT), h);
  ASSERT_TRUE(CloseClipboard());
  owner.DestroyWindow();
  other.DestroyWindow();
}
