// The process-table dialog and command: rows added several at once (at the
// current row and after the last), the add-rows count's limits, the
// rows-per-page rule of generation, and a process table generated and
// placed as one undo step.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "draft/framework/CmdStack.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/ProgramFolder.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TableEntity.h"
#include "draft/tables/AddRowsDlg.h"
#include "draft/tables/BillFontDlg.h"
#include "draft/tables/ProcessTableCmd.h"
#include "draft/tables/ProcessTableDlg.h"
#include "draft/tables/tests/GridTestSupport.h"
#include "draft/testsupport/DevicePoint.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/ui/ModalDriver.h"

namespace {

class ProcessTableTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  ProcessTableTest() : MessageBoxAnswers(IDNO) {}
  void SetUp() override {
    previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>());
    SetProgramFolder(scratch_.GetFolder().c_str());
    for (const char* name : {"工序号", "工序内容", "设备"}) fields.Add(CFieldRecord(name, 0, 20.0, 2));
  }
  void TearDown() override {
    SetProgramFolder(nullptr);
    SetSettingsBacking(std::move(previous_));
  }

  // Runs a process dialog: the font dialog is confirmed, the add-rows
  // dialog answered by `addRows`, and `act` works in the process dialog,
  // which is then cancelled when still open.
  using AddRowsAnswer = std::function<void(platform::ModalSession&)>;
  INT_PTR Run(CProcessTableDlg& dlg, const std::function<void(platform::ModalSession&)>& act,
              const AddRowsAnswer& addRows = nullptr) {
    dlg.SetFieldArray(&fields);
    FreshCard();
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      if (s.As<CBillFontDlg>()) {
        s.Click(IDOK);
      } else if (s.As<CAddRowsDlg>()) {
        if (addRows) addRows(s);
        if (s.IsRunning()) s.Click(IDCANCEL);
      } else {
        act(s);
        if (s.IsRunning()) s.Click(IDCANCEL);
      }
    });
    CModalDialogScope scope(nullptr);
    return dlg.DoModal();
  }
  // The next dialog starts a fresh card on the structure given (closing a
  // dialog of a new table clears the setting).
  static void FreshCard() { WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1); }
  static void Command(platform::ModalSession& s, int id) { s.Window().SendMessage(WM_COMMAND, id, 0); }
  static AddRowsAnswer Rows(int placement, const char* count) {
    return [placement, count](platform::ModalSession& s) {
      s.Click(placement == 0 ? CAddRowsDlg::kAtEnd : CAddRowsDlg::kAtCurrent);
      s.EnterText(CAddRowsDlg::kCount, CStringA(count));
      s.Click(IDOK);
    };
  }

  CSystemDataScratch scratch_;
  std::unique_ptr<CSettingsBacking> previous_;
  CFieldArray fields;
  CDraftView view;
};

TEST_F(ProcessTableTest, RowsAreAddedAtTheCurrentRowOrAfterTheLast) {
  struct {
    int placement;
    const char* count;
    int rows;        // after the addition (4 before)
    int firstNew;    // where the new blank rows begin
  } cases[] = {{1, "3", 7, 1}, {0, "3", 7, 4}, {0, "100", 104, 4}, {1, "1", 5, 1}};
  for (const auto& c : cases) {
    CProcessTableDlg dlg(&view, nullptr, 1, nullptr);
    Run(
        dlg,
        [&](platform::ModalSession& s) {
          auto& d = *s.As<CProcessTableDlg>();
          for (int i = 0; i < 3; ++i) Command(s, CDetailTableDlg::kAddRow);
          ASSERT_EQ(d.GetGrid().GetItemCount(), 4);
          EXPECT_EQ(s.Text(CProcessTableDlg::kRowsPerPage), u"4");
          d.GetGrid().SetCurrentCell(1, 1);  // the second row
          d.GetGrid().SetItemText(1, 1, "old");
          s.Click(CProcessTableDlg::kAddRows);
          EXPECT_EQ(d.GetGrid().GetItemCount(), c.rows) << c.count;
          EXPECT_EQ(CStringA(s.Text(CProcessTableDlg::kRowsPerPage)), CStringA(std::to_string(c.rows).c_str()));
          const auto column = gridtest::Column(d.GetGrid(), 1);
          const int oldAt = c.placement == 1 ? 1 + c.rows - 4 : 1;
          EXPECT_EQ(column[static_cast<size_t>(oldAt)], "old") << c.count;
          EXPECT_NE(column[static_cast<size_t>(c.firstNew)], "old");
        },
        Rows(c.placement, c.count));
  }
}

TEST_F(ProcessTableTest, AnAddRowsCountOutsideOneToAHundredIsRefused) {
  for (const char* count : {"0", "101"}) {
    boxes.clear();
    CProcessTableDlg dlg(&view, nullptr, 1, nullptr);
    bool stayed = false;
    Run(
        dlg,
        [&](platform::ModalSession& s) {
          s.Click(CProcessTableDlg::kAddRows);
          EXPECT_EQ(s.As<CProcessTableDlg>()->GetGrid().GetItemCount(), 1) << count;
        },
        [&](platform::ModalSession& s) {
          Rows(0, count)(s);
          stayed = s.IsRunning();  // the validation keeps it open
        });
    EXPECT_TRUE(stayed) << count;
    ASSERT_FALSE(boxes.empty()) << count;
  }
}

TEST_F(ProcessTableTest, ACardWithoutRowsIsNotGenerated) {
  CProcessTableDlg dlg(&view, nullptr, 1, nullptr);
  bool open = false;
  const INT_PTR result = Run(dlg, [&](platform::ModalSession& s) {
    auto& d = *s.As<CProcessTableDlg>();
    d.GetGrid().SetCurrentCell(0, 0);
    Command(s, CDetailTableDlg::kDeleteRow);
    EXPECT_EQ(s.Text(CProcessTableDlg::kRowsPerPage), u"0");
    s.Click(CDetailTableDlg::kGenerate);
    open = s.IsRunning();
  });
  EXPECT_TRUE(open);
  EXPECT_EQ(result, IDCANCEL);
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.front(), "工艺卡片每页行数必须大于或等于1,\n请定义好后再退出!");
  EXPECT_EQ(dlg.TakeResultTable(), nullptr);
}

TEST_F(ProcessTableTest, AProcessTableIsGeneratedAndPlacedInOneUndoStep) {
  view.SetSnapModes(0);
  FreshCard();
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    if (s.As<CBillFontDlg>()) {
      s.Click(IDOK);
      return;
    }
    ASSERT_NE(s.As<CProcessTableDlg>(), nullptr);
    s.Window().SendMessage(WM_COMMAND, CDetailTableDlg::kAddRow, 0);
    s.Click(CDetailTableDlg::kGenerate);
  });
  CCmdStack stack;
  auto* cmd = new CProcessTableCmd(&fields, 262);
  stack.Push(&view, cmd);
  ASSERT_EQ(stack.GetCurrent(), cmd);
  EXPECT_EQ(cmd->GetPromptOverride(), "选择停靠图元确定表格起点");
  CTableEntity* table = cmd->GetTable();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->GetTableKind(), 5);
  stack.OnLButton(0, drafttest::DevicePoint(50, 500), &view);
  stack.OnLButton(0, drafttest::DevicePoint(300, 550), &view);  // no wrap
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_TRUE(view.IsInDrawing(table));
  EXPECT_EQ(view.GetUndoCount(), 1);
  EXPECT_TRUE(view.Undo());
  EXPECT_FALSE(view.IsInDrawing(table));
}

}  // namespace
