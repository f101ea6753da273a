// The record work a host asks for without the dialog: the file read,
// changed and written, the drawing's parts list brought up to date, and the
// caller's own entity changes recorded with it as one undo step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draft/host/TableCell.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TableRow.h"
#include "draft/tables/RecordInfoDlg.h"
#include "draft/tables/tests/RecordTestSupport.h"

namespace {

// A parts list of a header row and `rows` data rows numbered from 1.
CTableEntity* MakePartsList(int rows) {
  CTableEntity* t = ConstructTableEntity(0, nullptr);
  t->SetTableKind(1);
  for (int r = 0; r <= rows; ++r) {
    CTableRow* row = ConstructTableRow(r == 0 ? 0 : 1);
    for (const char* name : {"序号", "零件名称", "数量", "材料"})
      AddRowCell(row, ConstructTableCell(r == 0 ? name : (name == std::string("序号") ? std::to_string(r).c_str() : "x"),
                                         10, 7, 2));
    t->AddRow(row);
  }
  RecalcTable(t);
  return t;
}

std::vector<std::string> TableNumbers(const CEntity* e) {
  std::vector<std::string> out;
  const auto* t = dynamic_cast<const CTableEntity*>(e);
  if (!t) return out;
  for (int r = 1; r < t->GetRowCount(); ++r) out.push_back(t->GetRow(r)->GetCell(0)->GetText().GetString());
  return out;
}

class RecordUpdateTest : public recordtest::RecordFixture {
 protected:
  // The caller's own change: a line taken out and another put in.
  void CallerChanges() {
    gone = AddPart({});
    view->RemoveEntity(gone);
    added = AddPart({});
    oldList.AddTail(gone);
    newList.AddTail(added);
  }
  void ByNumber(const CStringA& path, int first, int last, int mode) {
    CRecordInfoDlg dlg(first, last, mode, 0, &entities, path, view, &oldList, &newList, nullptr);
    dlg.UpdateRecordsByNumber();
  }
  void ByValue(const CStringA& path, std::initializer_list<const char*> values, int mode) {
    CStringArray v;
    for (const char* s : values) v.Add(s);
    CRecordInfoDlg dlg(v, mode, &entities, path, view, &oldList, &newList, nullptr);
    dlg.UpdateRecordsByValue();
  }

  CEntityList entities, oldList, newList;
  CEntity* gone = nullptr;
  CEntity* added = nullptr;
};

}  // namespace

TEST_F(RecordUpdateTest, AnEmptyFileTakesOneRecordPerNumberInEveryMode) {
  for (int mode : {1, 2, 3}) {
    SCOPED_TRACE(mode);
    const CStringA path = PathOf(("empty" + std::to_string(mode) + ".lst").c_str());
    ASSERT_TRUE(CreateTableFile(path, kPartsListMagic99));
    ByNumber(path, 4, 6, mode);
    EXPECT_EQ(ReadNumbers(path), (std::vector<std::string>{"4", "5", "6"}));
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(RecordUpdateTest, TheRangesAndValuesChangeTheFile) {
  const struct {
    const char* name;
    int first, last, mode;
    std::vector<const char*> values;  // the value form when given
    std::vector<std::string> numbers;
  } cases[] = {
      {"insert 3..4", 3, 4, 1, {}, {"1", "2", "3", "4", "5", "6", "7"}},
      {"delete 3..4", 3, 4, 2, {}, {"1", "2", "3"}},
      {"add 7", 7, 7, 3, {}, {"1", "2", "3", "4", "5", "7"}},
      {"values deleted leave a gap", 0, 0, 2, {"2", "4"}, {"1", "3", "5"}},
      {"values appended in their order", 0, 0, 3, {"9", "6"}, {"1", "2", "3", "4", "5", "9", "6"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CStringA path = WriteRecords("r.lst", recordtest::NumberedRows({1, 2, 3, 4, 5}));
    if (c.values.empty()) {
      ByNumber(path, c.first, c.last, c.mode);
    } else {
      CStringArray v;
      for (const char* s : c.values) v.Add(s);
      CRecordInfoDlg dlg(v, c.mode, &entities, path, view, &oldList, &newList, nullptr);
      dlg.UpdateRecordsByValue();
    }
    EXPECT_EQ(ReadNumbers(path), c.numbers);
  }
}

TEST_F(RecordUpdateTest, FailuresChangeNothingAndRecordNothing) {
  CallerChanges();
  const CStringA noNumber = WriteRecords("n.lst", {"1;a;1;b"}, "编号");
  ByNumber(noNumber, 1, 2, 3);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], CStringA("请在表头输入 \"序号\" 一栏!"));
  const CStringA numbered = WriteRecords("m.lst", recordtest::NumberedRows({1, 2}));
  ByNumber(numbered, 5, 6, 1);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1], CStringA("未找到相同序号!插入失败!"));
  EXPECT_EQ(ReadNumbers(numbered), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(view->GetUndoCount(), 0);
  EXPECT_EQ(oldList.GetCount(), 1);
  EXPECT_EQ(newList.GetCount(), 1);
  delete gone;  // out of the drawing and named by no record: the caller's
}

TEST_F(RecordUpdateTest, TheCallersChangesAndThePartsListAreOneStepInEveryOutcome) {
  const struct {
    const char* name;
    int first, last, mode;
    bool tableChanges;
  } cases[] = {
      {"records added", 6, 6, 3, true},
      {"nothing changed", 9, 9, 2, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    NewView();
    CTableEntity* table = MakePartsList(5);
    view->AddEntityToView(table);
    CallerChanges();
    const int before = view->GetUndoCount();
    const CStringA path = WriteRecords("u.lst", recordtest::NumberedRows({1, 2, 3, 4, 5}));
    ByNumber(path, c.first, c.last, c.mode);
    EXPECT_EQ(view->GetUndoCount(), before + 1);
    EXPECT_TRUE(oldList.IsEmpty());
    EXPECT_TRUE(newList.IsEmpty());
    CEntity* now = view->GetPartsListTable();
    EXPECT_EQ(now != table, c.tableChanges);
    if (c.tableChanges) {
      EXPECT_EQ(TableNumbers(now).size(), 6u);
    }
    ASSERT_TRUE(view->Undo());
    EXPECT_TRUE(view->IsInDrawing(gone));
    EXPECT_FALSE(view->IsInDrawing(added));
    EXPECT_EQ(view->GetPartsListTable(), table);
  }
}

TEST_F(RecordUpdateTest, ThePartsListFollowsTheRecords) {
  const struct {
    const char* name;
    std::vector<int> rows;
    int first, last, mode;
    std::vector<std::string> numbers;  // empty: the table left the drawing
  } cases[] = {
      {"more records grow the table", {1, 2, 3}, 4, 5, 3, {"1", "2", "3", "4", "5"}},
      {"fewer records shrink it from the end", {1, 2, 3}, 2, 3, 2, {"1"}},
      {"no records take it out", {1}, 1, 1, 2, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    NewView();
    CTableEntity* table = MakePartsList(static_cast<int>(c.rows.size()));
    view->AddEntityToView(table);
    std::vector<std::string> rows;
    for (int n : c.rows) rows.push_back(std::to_string(n) + ";p;1;m");
    const CStringA path = WriteRecords("t.lst", rows);
    ByNumber(path, c.first, c.last, c.mode);
    EXPECT_FALSE(view->IsInDrawing(table));
    CEntity* now = view->GetPartsListTable();
    if (c.numbers.empty()) {
      EXPECT_EQ(now, nullptr);
    } else {
      ASSERT_NE(now, nullptr);
      EXPECT_EQ(TableNumbers(now), c.numbers);
    }
    ASSERT_TRUE(view->Undo());
    EXPECT_EQ(view->GetPartsListTable(), table);
  }
}

TEST_F(RecordUpdateTest, NewRowsGrowAClosedLastSegment) {
  CTableEntity* table = MakePartsList(4);
  table->ClearSegments();
  table->AddSegment(ConstructTableSegment(0, 100, 100 - 3 * 7.0));
  table->AddSegment(ConstructTableSegment(50, 100, 100 - 2 * 7.0));
  view->AddEntityToView(table);
  const CStringA path = WriteRecords("s.lst", recordtest::NumberedRows({1, 2, 3, 4}));
  ByNumber(path, 5, 6, 3);
  auto* now = dynamic_cast<CTableEntity*>(view->GetPartsListTable());
  ASSERT_NE(now, nullptr);
  ASSERT_EQ(now->GetSegmentCount(), 2);
  EXPECT_DOUBLE_EQ(now->GetSegment(0).endY, 100 - 3 * 7.0);
  EXPECT_DOUBLE_EQ(now->GetSegment(1).endY, 100 - 4 * 7.0);
  EXPECT_EQ(now->GetRowCount(), 7);
}
