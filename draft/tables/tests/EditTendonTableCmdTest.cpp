// The table editor command: a picked table reopens in the dialog of its
// kind, in the editing mode (the tendon pairs are in SteelCoordGraphTest).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "draft/framework/CmdStack.h"
#include "draft/host/DraftView.h"
#include "draft/host/ProgramFolder.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TableCell.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TableRow.h"
#include "draft/tables/EditTendonTableCmd.h"
#include "draft/tables/ProcessTableDlg.h"
#include "draft/tables/TableDataDlg.h"
#include "draft/testsupport/DevicePoint.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/ui/ModalDriver.h"

namespace {

class EditTendonTableCmdTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  EditTendonTableCmdTest() : MessageBoxAnswers(IDNO) {}
  void SetUp() override {
    previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>());
    SetProgramFolder(scratch_.GetFolder().c_str());
    view.SetSnapModes(0);
  }
  void TearDown() override {
    stack.EndAll(&view);
    SetProgramFolder(nullptr);
    SetSettingsBacking(std::move(previous_));
  }
  // A table of the kind, one column 40 wide, a header and a row 10 high,
  // laid out downward from (0, 20).
  CTableEntity* AddTable(int kind) {
    CTableEntity* t = ConstructTableEntity(0, nullptr);
    t->SetTableKind(kind);
    for (int r = 0; r < 2; ++r) {
      CTableRow* row = ConstructTableRow(r == 0 ? 0 : 1);
      AddRowCell(row, ConstructTableCell(r == 0 ? "h" : "v", 40, 10, 2));
      t->AddRow(row);
    }
    int remaining = 1;
    t->Place(0, 20, &remaining, 1e300);
    view.AddEntityToView(t);
    return t;
  }

  CSystemDataScratch scratch_;
  std::unique_ptr<CSettingsBacking> previous_;
  CDraftView view;
  CCmdStack stack;
  CFieldArray fields;
};

TEST_F(EditTendonTableCmdTest, ATableReopensInTheDialogOfItsKind) {
  struct {
    int kind;
    const char* editor;
  } cases[] = {{0, "detail"}, {1, "detail"}, {2, "data"}, {5, "process"}};
  for (const auto& c : cases) {
    CTableEntity* table = AddTable(c.kind);
    std::string opened;
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      opened = s.As<CProcessTableDlg>() ? "process"
               : s.As<CDetailTableDlg>() ? "detail"
               : s.As<CTableDataDlg>()   ? "data"
                                         : "other";
      s.Click(IDCANCEL);
    });
    stack.Push(&view, new CEditTendonTableCmd(&fields, 263));
    EXPECT_EQ(stack.GetPrompt(), "选择需要修改的表或钢束图");
    stack.OnLButton(0, drafttest::DevicePoint(20, 1), &view);  // near the table's lower line
    EXPECT_EQ(opened, c.editor) << c.kind;
    EXPECT_FALSE(stack.IsEmpty());  // the command waits for the next table
    EXPECT_EQ(stack.OnRButton(0, drafttest::DevicePoint(300, 300), &view), 1);
    EXPECT_TRUE(stack.IsEmpty());
    view.DiscardEntity(table);
  }
}

}  // namespace
