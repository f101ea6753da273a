// The tab-file reader of the attribute dialog and its reader's constructor.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/regions/AttribInfoDlg.h"
#include "platform/core/Charset.h"
#include "platform/core/MessageBox.h"

namespace {

std::vector<std::string> Lines(const CStringArrayA& a) {
  std::vector<std::string> out;
  for (int i = 0; i < a.GetSize(); ++i) out.push_back(a[i].GetString());
  return out;
}

// Settings held in memory for one test.
class MemorySettingsScope {
 public:
  MemorySettingsScope() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {}
  ~MemorySettingsScope() { SetSettingsBacking(std::move(previous_)); }

 private:
  std::unique_ptr<CSettingsBacking> previous_;
};

}  // namespace

TEST(ReadTabFile, SortsLinesIntoEntriesAndCommentsAsTheyStand) {
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::string> entries;
    std::vector<std::string> comments;
  };
  const std::vector<Case> cases = {
      {"CR LF", "a\r\n;note\r\nb\r\n", {"a", "b"}, {";note"}},
      {"LF", "a\n;note\nb", {"a", "b"}, {";note"}},
      {"blank lines", "\r\n\r\na\r\n\r\n;c\r\n\r\n", {"a"}, {";c"}},
      {"no trimming", "  a b  \r\n\t;x\r\n; y \r\n", {"  a b  ", "\t;x"}, {"; y "}},
      {"GBK", "名称:值\r\n;注释\r\n", {"名称:值"}, {";注释"}},
      {"empty file", "", {}, {}},
  };
  CSystemDataScratch scratch;
  const std::string file = scratch.GetFolder() + "/Table/Case.Tab";
  CAttribInfoDlg reader(nullptr);
  for (const Case& c : cases) {
    std::ofstream(file, std::ios::binary) << c.bytes;
    CStringArrayA entries, comments;
    entries.Add("old entry");
    comments.Add(";old comment");
    reader.ReadTabFile(GetSystemFilePath("table\\case.tab"), entries, comments);
    EXPECT_EQ(Lines(entries), c.entries) << c.what;
    EXPECT_EQ(Lines(comments), c.comments) << c.what;
  }
}

TEST(ReadTabFile, AMissingFileIsReportedAndEmptiesOnlyTheEntries) {
  std::vector<std::string> shown;
  platform::ScopedMessageBoxHandler boxes([&](const platform::MessageBoxRequest& r) {
    shown.push_back(platform::Utf16ToUtf8(r.text.str()));
    return IDOK;
  });
  CSystemDataScratch scratch;
  CAttribInfoDlg reader(nullptr);
  CStringArrayA entries, comments;
  entries.Add("old entry");
  comments.Add(";old comment");
  reader.ReadTabFile(GetSystemFilePath("Table\\Missing.Tab"), entries, comments);
  EXPECT_EQ(entries.GetSize(), 0);
  EXPECT_EQ(Lines(comments), std::vector<std::string>{";old comment"});
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].find("Missing.Tab"), std::string::npos) << shown[0];
}

TEST(ReadTabFile, TheShippedTablesRead) {
  CSystemDataScratch scratch;
  CAttribInfoDlg reader(nullptr);
  for (const char* name : {"Table\\SteelBCol.Tab", "Table\\FieldWidth.Tab", "Table\\CalRelation.Tab",
                           "Table\\Default_Attrib.Tab", "Def\\Attribute.Tab"}) {
    CStringArrayA entries, comments;
    reader.ReadTabFile(GetSystemFilePath(name), entries, comments);
    EXPECT_GT(entries.GetSize(), 0) << name;
  }
}

TEST(AttribInfoDlg, TheReadersTemplatePathFallsBackToTheSystemFile) {
  MemorySettingsScope settings;
  CSystemDataScratch scratch;
  const CStringA fallback = GetSystemFilePath("Def\\Attribute.Tab");
  EXPECT_EQ(CAttribInfoDlg(nullptr).GetTemplatePath(), fallback);  // nothing kept

  const CStringA mine = GetSystemFilePath("Table\\Material.Tab");
  WriteProfileStringSetting("SystemSetting", "AttrNameFilePath", mine);
  EXPECT_EQ(CAttribInfoDlg(nullptr).GetTemplatePath(), mine);

  WriteProfileStringSetting("SystemSetting", "AttrNameFilePath", GetSystemFilePath("Def\\gone.tab"));
  EXPECT_EQ(CAttribInfoDlg(nullptr).GetTemplatePath(), fallback);
}
