// The record-information dialog run modally: the record work of its two
// forms on the grid, pasting and undoing rows, deleting surplus records,
// Enter moving through the cells, and what "退出(&Q)" leaves; and the
// record table command around it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "draft/framework/CmdStack.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/TableCell.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TableRow.h"
#include "draft/tables/BillFontDlg.h"
#include "draft/tables/RecordInfoDlg.h"
#include "draft/tables/RecordTableCmd.h"
#include "draft/tables/tests/RecordTestSupport.h"
#include "draft/testsupport/DevicePoint.h"
#include "platform/ui/ModalDriver.h"

namespace {

using RecordAct = std::function<void(CRecordInfoDlg&, platform::ModalSession&)>;

std::vector<std::string> GridColumn(CPartsListCtrl& grid, int column) {
  std::vector<std::string> out;
  for (int r = 0; r < grid.GetItemCount(); ++r) out.push_back(grid.GetCellText(r, column).GetString());
  return out;
}

class RecordInfoDlgTest : public recordtest::RecordFixture {
 protected:
  // Runs the dialog: the font dialog is confirmed; `act` works in the
  // record dialog, which is then closed when still running.
  INT_PTR Run(CRecordInfoDlg& dlg, const RecordAct& act) {
    int acted = 0;
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      if (s.As<CBillFontDlg>()) {
        EXPECT_TRUE(s.Click(IDOK));
        return;
      }
      ++acted;
      act(*s.As<CRecordInfoDlg>(), s);
      if (s.IsRunning()) s.Close();
    });
    CModalDialogScope scope(view);
    const INT_PTR result = dlg.DoModal();
    EXPECT_EQ(acted, 1);
    return result;
  }
  void Select(CRecordInfoDlg& dlg, int row, int column) { dlg.GetGrid().SetCurrentCell(row, column); }

  CEntityList entities, oldList, newList;
};

}  // namespace

TEST_F(RecordInfoDlgTest, TheNumericFormWorksOnTheGridAsTheFileOperationsDo) {
  const CStringA path = WriteRecords("d.lst", recordtest::NumberedRows({1, 2, 3, 4, 5}));
  CRecordInfoDlg dlg(3, 4, 1, 0, &entities, path, view, &oldList, &newList, nullptr);
  Run(dlg, [](CRecordInfoDlg& d, platform::ModalSession& s) {
    EXPECT_EQ(GridColumn(d.GetGrid(), 0), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(d.GetNumberColumn(), 0);
    EXPECT_EQ(d.GetMaterialColumn(), 3);
    EXPECT_TRUE(d.IsModified());
    EXPECT_TRUE(s.IsEnabled(CRecordInfoDlg::kDeleteSurplus));
    EXPECT_EQ(s.Caption(), CStringW(u"显示明细表记录信息 (文件路径: ") + CStringW(d.GetFilePath()) + u")");
  });
}

TEST_F(RecordInfoDlgTest, PastedCellsLeaveTheNumberAndUndoPutsThemBack) {
  const CStringA path = WriteRecords("p.lst", recordtest::NumberedRows({1, 2, 3}));
  CRecordInfoDlg dlg(1, 1, 3, 0, &entities, path, view, &oldList, &newList, nullptr);
  Run(dlg, [&](CRecordInfoDlg& d, platform::ModalSession& s) {
    s.Click(CRecordInfoDlg::kPasteRow);
    ASSERT_EQ(boxes.back(), CStringA("请选择复制对象!"));
    Select(d, 0, 1);
    s.Click(CRecordInfoDlg::kCopyRow);
    Select(d, 2, 1);
    s.Click(CRecordInfoDlg::kPasteRow);
    EXPECT_EQ(GridColumn(d.GetGrid(), 0), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(GridColumn(d.GetGrid(), 1), (std::vector<std::string>{"p1", "p2", "p1"}));
    s.Click(CRecordInfoDlg::kUndo);
    EXPECT_EQ(GridColumn(d.GetGrid(), 1), (std::vector<std::string>{"p1", "p2", "p3"}));
  });
}

TEST_F(RecordInfoDlgTest, SurplusRecordsGoAndComeBackInTheirOrder) {
  const CStringA path = WriteRecords("s.lst", recordtest::NumberedRows({1, 2, 3, 4, 5, 6}));
  CRecordInfoDlg dlg(1, 1, 3, 3, &entities, path, view, &oldList, &newList, nullptr);
  Run(dlg, [](CRecordInfoDlg& d, platform::ModalSession& s) {
    s.Click(CRecordInfoDlg::kDeleteSurplus);
    EXPECT_EQ(GridColumn(d.GetGrid(), 1), (std::vector<std::string>{"p1", "p2", "p3"}));
    s.Click(CRecordInfoDlg::kUndo);
    EXPECT_EQ(GridColumn(d.GetGrid(), 1), (std::vector<std::string>{"p1", "p2", "p3", "p4", "p5", "p6"}));
  });
}

TEST_F(RecordInfoDlgTest, EnterMovesThroughTheCellsPastTheNumberColumn) {
  const CStringA path = WriteRecords("e.lst", recordtest::NumberedRows({1, 2}));
  CRecordInfoDlg dlg(1, 1, 3, 0, &entities, path, view, &oldList, &newList, nullptr);
  Run(dlg, [&](CRecordInfoDlg& d, platform::ModalSession& s) {
    const struct {
      int row, column;
      int nextRow, nextColumn;
    } steps[] = {{0, 1, 0, 2}, {0, 3, 1, 1}, {1, 3, 0, 1}};
    for (const auto& step : steps) {
      Select(d, step.row, step.column);
      // The material column (3) is edited in the box.
      if (step.column == 3) {
        d.GetDlgItem(CRecordInfoDlg::kMaterialBox)->SetFocus();
        d.SendMessage(WM_COMMAND, IDOK, 0);  // Enter, as the dialog gets it
      } else {
        d.GetDlgItem(CRecordInfoDlg::kCellEdit)->SetFocus();
        s.PressKey(VK_RETURN);
      }
      EXPECT_EQ(d.GetGrid().GetCurrentRow(), step.nextRow);
      EXPECT_EQ(d.GetGrid().GetCurrentColumn(), step.nextColumn);
    }
    Select(d, 0, 2);
    d.GetDlgItem(CRecordInfoDlg::kCellEdit)->SetFocus();
    s.PressKey(VK_RETURN);
    EXPECT_TRUE(s.IsVisible(CRecordInfoDlg::kMaterialBox));
    EXPECT_FALSE(s.IsVisible(CRecordInfoDlg::kCellEdit));
  });
}

TEST_F(RecordInfoDlgTest, TheStringFormOverwritesARowAndLeavesAnEmptyOne) {
  const CStringA path = WriteRecords("v.lst", recordtest::NumberedRows({1, 2}));
  CStringArray values;
  values.Add("2");
  values.Add("A");  // not a number: the string form
  CRecordInfoDlg dlg(values, 3, &entities, path, view, &oldList, &newList, nullptr);
  EXPECT_FALSE(dlg.IsNumeric());
  Run(dlg, [](CRecordInfoDlg& d, platform::ModalSession& s) {
    EXPECT_EQ(GridColumn(d.GetGrid(), 0), (std::vector<std::string>{"1", "2", " ", "A"}));
    EXPECT_EQ(GridColumn(d.GetGrid(), 2), (std::vector<std::string>{"2", "1", "", "1"}));
    EXPECT_FALSE(s.IsEnabled(CRecordInfoDlg::kDeleteSurplus));
  });
}

TEST_F(RecordInfoDlgTest, AListOfNumbersWorksOverItsRange) {
  CStringArray values;
  values.Add("7");
  values.Add("4");
  CRecordInfoDlg dlg(values, 3, &entities, "", view, &oldList, &newList, nullptr);
  EXPECT_TRUE(dlg.IsNumeric());
  EXPECT_EQ(dlg.GetFirstNumber(), 4);
  EXPECT_EQ(dlg.GetLastNumber(), 7);
}

TEST_F(RecordInfoDlgTest, QuittingReplacesTheDrawingsPartsListOrMakesANewOne) {
  for (const bool hasPartsList : {true, false}) {
    SCOPED_TRACE(hasPartsList);
    NewView();
    CTableEntity* existing = nullptr;
    if (hasPartsList) {
      existing = ConstructTableEntity(0, nullptr);
      existing->SetTableKind(1);
      CTableRow* header = ConstructTableRow(0);
      AddRowCell(header, ConstructTableCell("序号", 10, 7, 2));
      existing->AddRow(header);
      view->AddEntityToView(existing);
    }
    const CStringA path = WriteRecords("q.lst", recordtest::NumberedRows({1}));
    CRecordInfoDlg dlg(2, 3, 3, 0, &entities, path, view, &oldList, &newList, nullptr);
    const INT_PTR result =
        Run(dlg, [](CRecordInfoDlg&, platform::ModalSession& s) { s.Click(CRecordInfoDlg::kQuit); });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ReadNumbers(path), (std::vector<std::string>{"1", "2", "3"}));
    std::unique_ptr<CTableEntity> made(dlg.TakeResultTable());
    if (hasPartsList) {
      EXPECT_EQ(made, nullptr);
      auto* now = dynamic_cast<CTableEntity*>(view->GetPartsListTable());
      ASSERT_NE(now, nullptr);
      EXPECT_NE(now, existing);
      EXPECT_EQ(now->GetRowCount(), 4);
      EXPECT_EQ(view->GetUndoCount(), 1);
    } else {
      ASSERT_NE(made, nullptr);
      EXPECT_EQ(made->GetTableKind(), 1);
      EXPECT_EQ(made->GetRowCount(), 4);
      EXPECT_EQ(view->GetUndoCount(), 0);
    }
    EXPECT_EQ(GetProfileIntSetting("SystemSetting", "TableType", 0), 1);
  }
}

TEST_F(RecordInfoDlgTest, TheRecordTableCommandPlacesTheTableWithTheCallersChanges) {
  const struct {
    const char* name;
    bool quit;          // the dialog ends with "退出(&Q)", else it is closed
    bool place;         // two clicks place the table, else the right button
    bool started;
    int undoSteps;
  } cases[] = {
      {"closed dialog", false, false, false, 0},
      {"placed", true, true, true, 1},
      {"right button after the dialog", true, false, true, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    NewView();
    view->SetSnapModes(0);
    CEntity* gone = AddPart({});
    view->RemoveEntity(gone);
    CEntity* added = AddPart({});
    CEntityList oldEntities, newEntities;
    oldEntities.AddTail(gone);
    newEntities.AddTail(added);
    const CStringA path = WriteRecords("c.lst", recordtest::NumberedRows({1, 2}));
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      if (s.As<CBillFontDlg>()) s.Click(IDOK);
      else if (c.quit) s.Click(CRecordInfoDlg::kQuit);
      else s.Close();
    });
    auto* cmd = new CRecordTableCmd(3, 3, 3, 0, &entities, path, 270, &oldEntities, &newEntities);
    EXPECT_TRUE(oldEntities.IsEmpty());
    CCmdStack stack;
    stack.Push(view, cmd);
    EXPECT_EQ(stack.GetCurrent() == cmd, c.started);
    if (c.started) {
      if (c.place) {
        stack.OnLButton(0, drafttest::DevicePoint(300, 500), view);
        stack.OnLButton(0, drafttest::DevicePoint(300, 550), view);
        EXPECT_NE(view->GetPartsListTable(), nullptr);
      } else {
        stack.OnRButton(0, drafttest::DevicePoint(300, 500), view);
        EXPECT_EQ(view->GetPartsListTable(), nullptr);
      }
    }
    stack.EndAll(view);
    EXPECT_EQ(view->GetUndoCount(), c.undoSteps);
    if (c.undoSteps) {
      ASSERT_TRUE(view->Undo());
      EXPECT_TRUE(view->IsInDrawing(gone));
      EXPECT_FALSE(view->IsInDrawing(added));
      EXPECT_EQ(view->GetPartsListTable(), nullptr);
    } else {
      delete gone;  // the caller's, recorded by no one
    }
  }
}

// The command takes the entities selected when it is made; a command that
// the push ends before this one begins may free its own selected entities
// (registered ones, such as a contour's copies): the dialog reads only what
// the drawing still holds. Checked by the sanitizer's use-after-free
// detection.
TEST_F(RecordInfoDlgTest, SelectedEntitiesFreedBeforeTheCommandBeginsAreNotRead) {
  NewView();
  CEntity* part = AddPart({{"名称", "p"}});
  view->SelectEntity(part);
  CEntityList own;
  own.AddTail(ConstructLineEntity(0, nullptr, 0, 50, 10, 50));
  view->RegisterInsertedEntities(own);
  view->SelectEntity(own.GetHead());
  const CStringA path = WriteRecords("f.lst", recordtest::NumberedRows({1, 2}));
  auto* cmd = new CRecordTableCmd(1, 3, 3, 0, view->GetSelectionList(), path, 270, nullptr, nullptr);
  delete own.GetHead();  // its command ended: it leaves the view as it goes
  int dialogs = 0;
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    if (s.As<CRecordInfoDlg>()) ++dialogs;
    s.Close();
  });
  CCmdStack stack;
  stack.Push(view, cmd);
  stack.EndAll(view);
  EXPECT_EQ(dialogs, 1);
  EXPECT_TRUE(view->IsInDrawing(part));
}
