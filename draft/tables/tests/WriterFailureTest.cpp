// ScrivelDraft's writers with their writes failing at every point (see
// platform/core/tests/WriteFailureSweep.h): the drawing file of the example
// host, the parts-list and table-structure files, the tab files (the
// attribute, attribute-template, equation and relation tables are all
// written by WriteTabFileLines), a .dbf table exported through the data
// source and the technical-requirements file. Each keeps the old file byte
// for byte, leaves no other file and reports the failure.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "draft/host/DraftView.h"
#include "draft/host/DrawingFile.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/TabFile.h"
#include "draft/tables/TableFiles.h"
#include "draft/tables/TecReqText.h"
#include "draft/tables/TendonFile.h"
#include "draft/tables/tests/GridTestSupport.h"
#include "platform/core/Charset.h"
#include "platform/testsupport/ScratchFolder.h"
#include "platform/core/tests/WriteFailureSweep.h"

using testsupport::SweepWriteFailures;
using testsupport::WriteOutcome;

namespace {

class WriterFailureTest : public gridtest::GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>());
    Load(owner, {"序号", "名称", "数量"}, {"1;螺栓 M10;4", "2;垫圈;8"});
  }
  void TearDown() override {
    SetSettingsBacking(std::move(previous_));
    GridTest::TearDown();
  }
  // A GBK path in the scratch folder.
  CStringA Path(const char* name) const { return CStringA(platform::Utf8ToGbk(folder_ / name).c_str()); }
  // Runs `write` counting the message boxes it shows.
  WriteOutcome Boxed(const std::function<BOOL()>& write) {
    boxes.clear();
    const BOOL ok = write();
    return WriteOutcome{ok != FALSE, static_cast<int>(boxes.size())};
  }
  // Sweeps a writer of `file`, whose old bytes are `old`.
  void Sweep(const char* name, const char* file, const std::string& old, const std::function<WriteOutcome()>& write) {
    SweepWriteFailures(name, folder_.path(), [&] { testsupport::PutFileBytes(folder_ / file, old); }, write);
  }

  testsupport::ScratchFolder folder_{"scrivel-writers"};
  std::unique_ptr<CSettingsBacking> previous_;
};

TEST_F(WriterFailureTest, TheDrawingFile) {
  CDraftView view;
  view.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 0, 10, 20));
  view.AddEntityToView(ConstructLineEntity(0, nullptr, 10, 20, 30, 5));
  Sweep("drawing file", "a.drawing", "line 0 - 1 1 2 2\n", [&] {
    std::string error;
    const bool ok = WriteDrawingFile(view, folder_ / "a.drawing", &error);
    return WriteOutcome{ok, error.empty() ? 0 : 1};
  });
}

TEST_F(WriterFailureTest, ThePartsListFile) {
  CStringArray rows;
  owner.grid.GetRowTexts(owner.grid.GetItemCount(), rows);
  Sweep("parts-list file", "a.lst", "old list\r\n",
        [&] { return Boxed([&] { return owner.grid.WriteDataFile(Path("a.lst"), owner.structure, rows); }); });
}

TEST_F(WriterFailureTest, TheStructureFile) {
  Sweep("structure file", "a.def", "old structure\r\n",
        [&] { return Boxed([&] { return WriteStructureFileFields(Path("a.def"), owner.structure); }); });
}

TEST_F(WriterFailureTest, TheTendonFile) {
  TendonTableData data;
  data.fields.Add(CFieldRecord("Y", 4, 20.0, 2));
  data.rows.Add("0;1.5");
  Sweep("tendon file", "a.zbb", "old contents",
        [&] { return Boxed([&] { return WriteTendonFile(Path("a.zbb"), data); }); });
}

// The requirements library is written by the same replacement
// (ReplaceTextFileBytes).
TEST_F(WriterFailureTest, TheRequirementsFile) {
  CStringArrayA items;
  items.Add("未注倒角C1.\r\n");
  Sweep("requirements file", "a.tec", "old\r\n1.x\r\n",
        [&] { return Boxed([&] { return WriteTecFile(Path("a.tec"), "技术要求", items); }); });
}

TEST_F(WriterFailureTest, TheTabFiles) {
  const std::vector<CStringA> lines = {"; 关系式", "a3=a1*a2", "a2=a1+1"};
  Sweep("tab file", "CalRelation.Tab", "; old\r\na1=1\r\n",
        [&] { return Boxed([&] { return WriteTabFileLines(Path("CalRelation.Tab"), lines); }); });
}

TEST_F(WriterFailureTest, ATableExportedThroughTheDataSource) {
  // The old table: other rows, written by an export that works.
  const CStringA file = Path("parts.dbf");
  CFieldArray structure;
  structure.Copy(owner.structure);
  ASSERT_EQ(owner.grid.ExportTable(file, structure, 1, 2, 0, -1, 0), 2);
  const std::string old = testsupport::FileBytes(folder_ / "parts.dbf");
  Load(owner, {"序号", "名称", "数量"}, {"1;螺母 M12;6", "2;开口销;2", "3;键;1"});
  Sweep("dBase export", "parts.dbf", old, [&] {
    return Boxed([&] { return owner.grid.ExportTable(file, owner.structure, 1, 2, 0, -1, 0) == 2; });
  });
}

}  // namespace
