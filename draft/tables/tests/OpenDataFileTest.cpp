// Opening a parts-list data file with the user's help: a missing file may be
// created, another file chosen, or the open given up.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "draft/tables/TableFiles.h"
#include "draft/tables/tests/GridTestSupport.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/testsupport/ScratchFolder.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/ModalDriver.h"

using gridtest::GridTest;

namespace {

class OpenDataFileTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    testsupport::WriteFileBytes(folder_ / "good.lst",
                                std::string(kPartsListMagic99) + "\r\n1\r\n序号;1;8;2\r\n1\r\n2\r\n");
    testsupport::WriteFileBytes(folder_ / "wrong.lst", "not a table\r\n");
  }
  CStringA Path(const char* name) const { return CStringA((folder_ / name).c_str()); }
  std::string Bytes(const char* name) const { return testsupport::ReadFileBytes(folder_ / name); }

  testsupport::ScratchFolder folder_{"opendata"};
};

}  // namespace

TEST_F(OpenDataFileTest, AMissingOrWrongFileIsCreatedReplacedOrGivenUp) {
  struct Case {
    const char* name;                // the path asked for
    std::vector<int> answers;        // the answers to the boxes, in order
    const char* chosen;              // what the open dialog takes (null: Cancel)
    BOOL result;
    const char* pathAfter;           // file name the path ends with
    int rows;
    std::vector<const char*> boxes;  // the boxes' texts, the question's after its path
  };
  const char* const kAsk = "文件不存在,是否新建?";
  const Case cases[] = {
      {"good.lst", {}, nullptr, TRUE, "good.lst", 2, {}},
      {"new.lst", {IDYES}, nullptr, TRUE, "new.lst", 0, {kAsk}},
      {"gone.lst", {IDCANCEL}, nullptr, FALSE, "gone.lst", 0, {kAsk}},
      {"gone.lst", {IDNO}, "good.lst", TRUE, "good.lst", 2, {kAsk}},
      {"gone.lst", {IDNO}, nullptr, FALSE, "gone.lst", 0, {kAsk}},
      {"wrong.lst", {IDOK}, "good.lst", TRUE, "good.lst", 2, {kFileKindMismatch}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    drafttest::MessageBoxAnswers boxes;
    boxes.answers.assign(c.answers.begin(), c.answers.end());
    std::vector<CStringA>& shown = boxes.boxes;
    int dialogs = 0;
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      ++dialogs;
      if (!c.chosen) return;  // closed: Cancel
      EXPECT_TRUE(s.EnterText(edt1, CStringA(Path(c.chosen))));
      EXPECT_TRUE(s.Click(IDOK));
    });
    CStringA path = Path(c.name);
    CStringArray rows;
    CFieldArray fields;
    EXPECT_EQ(owner.grid.OpenDataFile(path, rows, fields), c.result);
    EXPECT_EQ(path, Path(c.pathAfter));
    EXPECT_EQ(rows.GetSize(), c.rows);
    ASSERT_EQ(shown.size(), c.boxes.size());
    for (size_t i = 0; i < shown.size(); ++i) EXPECT_NE(shown[i].Find(c.boxes[i]), -1) << shown[i].GetString();
    if (!c.boxes.empty() && CStringA(c.boxes[0]) == kAsk) {
      EXPECT_EQ(shown[0].Find(Path(c.name)), 0);
    }
  }
  EXPECT_EQ(Bytes("new.lst"), kPartsListMagic99);  // 24 bytes, no line end
  EXPECT_FALSE(std::filesystem::exists(folder_ / "gone.lst"));

  // ReadDataFile tells of a file of the wrong kind.
  CStringArray rows;
  CFieldArray fields;
  EXPECT_FALSE(owner.grid.ReadDataFile(Path("wrong.lst"), rows, fields));
  EXPECT_EQ(boxes, std::vector<CStringA>{kFileKindMismatch});
}
