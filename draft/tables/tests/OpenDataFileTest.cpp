// Opening a parts-list data file with the user's help: a missing file may be
// created, another file chosen, or the open given up.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "draft/tables/TableFiles.h"
#include "draft/tables/tests/GridTestSupport.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/ModalDriver.h"

using gridtest::GridTest;

namespace {

class OpenDataFileTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    folder_ = std::filesystem::temp_directory_path() / ("opendata-" + std::to_string(::getpid()) + "-" +
                                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / "good.lst", std::ios::binary)
        << kPartsListMagic99 << "\r\n1\r\n序号;1;8;2\r\n1\r\n2\r\n";
    std::ofstream(folder_ / "wrong.lst", std::ios::binary) << "not a table\r\n";
  }
  void TearDown() override {
    std::filesystem::remove_all(folder_);
    GridTest::TearDown();
  }
  CStringA Path(const char* name) const { return CStringA((folder_ / name).string().c_str()); }
  std::string Bytes(const char* name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::filesystem::path folder_;
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
    std::vector<CStringA> shown;
    size_t answer = 0;
    platform::ScopedMessageBoxHandler boxes([&](const platform::MessageBoxRequest& r) {
      shown.push_back(CStringA(r.text));
      return answer < c.answers.size() ? c.answers[answer++] : IDOK;
    });
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
