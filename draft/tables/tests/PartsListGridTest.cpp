// The parts-list grid: ditto marks, row and column operations with their
// undo records, keys, hit testing, typing and row painting.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "draft/tables/tests/GridTestSupport.h"
#include "platform/gdi/BorrowedWrapper.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawingRecorder.h"
#include "platform/ui/MessagePump.h"

using gridtest::Column;
using gridtest::GridTest;
using gridtest::Load;
using gridtest::RowTexts;

namespace {

// Puts back what a record of the grid's undo list changed, as an owner's
// undo does, by the record's kind.
void Undo(CPartsListCtrl& grid, const CPartsListRow& r, int& rowCount, CFieldArray& structure) {
  switch (r.kind) {
    case CPartsListRow::kAppendRow:
    case CPartsListRow::kInsertRowWithCells:
    case CPartsListRow::kInsertBlankRow:
      grid.DeleteRow(r.row, rowCount, structure, TRUE);
      break;
    case CPartsListRow::kDeleteRow:
      grid.InsertRowAt(r.row, r.cells, rowCount, structure);
      break;
    case CPartsListRow::kInsertColumn:
      grid.DeleteColumn(r.column, structure);
      break;
    case CPartsListRow::kDeleteColumn:
      grid.InsertColumn(r.column, r.field, r.cells, structure);
      break;
    case CPartsListRow::kModifyColumn:
      grid.SetColumnField(r.column, r.field, structure);
      break;
    default:
      FAIL() << r.kind;
  }
}

std::vector<CStringA> Strings(const std::vector<const char*>& v) { return {v.begin(), v.end()}; }

}  // namespace

TEST_F(GridTest, DittoMarksResolveFromTheirNeighbours) {
  struct Case {
    std::vector<const char*> rows;
    int row, column;
    const char* result;  // the value found (the text is left alone on failure)
    int code;
    const char* message;  // null: none
  };
  const char* const kAt = "找不到 @ 对应的真实值!";
  const char* const kSlash = "找不到 / 对应的真实值!";
  const char* const kDollar = "找不到 $ 对应的真实值!";
  const char* const kAmp = "找不到 & 对应的真实值!";
  const Case cases[] = {
      {{"7", "@", "@", "/", "@"}, 0, 0, "7", CPartsListCtrl::kNoDitto, nullptr},
      {{"7", "@", "@", "/", "@"}, 1, 0, "7", CPartsListCtrl::kDittoBelow, nullptr},  // down to "/", then up
      {{"7", "@", "@", "/", "@"}, 3, 0, "7", CPartsListCtrl::kDittoAbove, nullptr},
      {{"7", "@", "@", "/", "@"}, 4, 0, "@", CPartsListCtrl::kDittoFailed, kAt},  // "@" on the last row
      {{"12@", " @ ", "/"}, 0, 0, "12", CPartsListCtrl::kDittoTrailingAt, nullptr},
      {{"12@", " @ ", "/"}, 1, 0, "12", CPartsListCtrl::kDittoBelow, nullptr},
      {{"12@", " @ ", "/"}, 2, 0, "12", CPartsListCtrl::kDittoAbove, nullptr},
      {{"@", "/"}, 0, 0, "@", CPartsListCtrl::kDittoFailed, kAt},  // the "/" turns up to row 0 on "@"
      {{"/", "1"}, 0, 0, "/", CPartsListCtrl::kDittoFailed, kSlash},
      {{"@", "/"}, 1, 0, "/", CPartsListCtrl::kDittoFailed, kSlash},
      {{"$;x$;&"}, 0, 0, "x", CPartsListCtrl::kDittoRight, nullptr},
      {{"$;x$;&"}, 0, 2, "x", CPartsListCtrl::kDittoLeft, nullptr},
      {{"$;x$;&"}, 0, 1, "x", CPartsListCtrl::kDittoTrailingDollar, nullptr},
      {{"v;$;$;&"}, 0, 1, "v", CPartsListCtrl::kDittoRight, nullptr},  // "&" turns left past "$" to "v"
      {{"$;$"}, 0, 0, "$", CPartsListCtrl::kDittoFailed, kDollar},       // "$" to the last column
      {{"$;&"}, 0, 0, "$", CPartsListCtrl::kDittoFailed, kDollar},       // "&" turns left to column 0 on "$"
      {{"$;&"}, 0, 1, "&", CPartsListCtrl::kDittoFailed, kAmp},
      {{"&;1"}, 0, 0, "&", CPartsListCtrl::kDittoFailed, kAmp},
      // "丂" ends in the byte 0x40: it is a value, and found as one.
      {{"丂", "/"}, 0, 0, "丂", CPartsListCtrl::kNoDitto, nullptr},
      {{"丂", "/"}, 1, 0, "丂", CPartsListCtrl::kDittoAbove, nullptr},
      {{"@", "丂"}, 0, 0, "丂", CPartsListCtrl::kDittoBelow, nullptr},
      {{"丂@"}, 0, 0, "丂", CPartsListCtrl::kDittoTrailingAt, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rows[0] << " .. (" << c.row << "," << c.column << ")");
    const std::string first = c.rows[0];
    const int columns = 1 + static_cast<int>(std::count(first.begin(), first.end(), ';'));
    std::vector<const char*> names = {"a", "b", "c", "d"};
    names.resize(static_cast<size_t>(columns));
    Load(owner, names, c.rows);
    boxes.clear();
    CStringA text = owner.grid.GetCellText(c.row, c.column);
    const int row = c.row, column = c.column;
    EXPECT_EQ(owner.grid.ResolveDitto(row, column, text, columns), c.code);
    EXPECT_EQ(text.Trim(), c.result);
    EXPECT_EQ(boxes, c.message ? Strings({c.message}) : std::vector<CStringA>{});
  }
}

TEST_F(GridTest, TheFirstRowAndColumnMustHoldValues) {
  Load(owner, {"a", "b", "c"}, {"$;@;1", "x;@;$", "y;@;4"});
  struct Case {
    bool rowCheck;
    int row, column;
    BOOL ok;
    const char* message;
  };
  const Case cases[] = {
      {true, 2, 1, FALSE, "请在第一行输入有效值!"},
      {true, 1, 0, TRUE, nullptr},
      {false, 0, 1, TRUE, nullptr},
      {false, 0, 0, FALSE, "请在第一列输入有效值!"},
      {false, 1, 2, TRUE, nullptr},
  };
  for (const Case& c : cases) {
    boxes.clear();
    EXPECT_EQ(c.rowCheck ? owner.grid.CheckRowDitto(c.row, c.column) : owner.grid.CheckColumnDitto(c.row, c.column), c.ok)
        << c.row << "," << c.column;
    EXPECT_EQ(boxes, c.message ? Strings({c.message}) : std::vector<CStringA>{});
  }
}

TEST_F(GridTest, RowOperationsRenumberTheSerialColumnAndAreUndoneByTheirKind) {
  Load(owner, {"序号", "名称", " 数 量"}, {"1;a;2", "2;b;2", "3;c;2", "4;d;2", "5;e;2"});
  CFieldArray& s = owner.structure;
  CPartsListCtrl& g = owner.grid;
  int rows = 5;
  const auto before = RowTexts(g);

  g.SetCurrentCell(2, 1);
  g.InsertBlankRow(rows, s, undo);
  EXPECT_EQ(rows, 6);
  EXPECT_EQ(Column(g, 0), Strings({"1", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(g.GetCellText(2, 2), "1");  // the quantity column, matched without blanks

  CStringArray cells;
  cells.Add("x");
  cells.Add("new");
  cells.Add("9");
  g.InsertRow(cells, rows, s, undo);
  EXPECT_EQ(Column(g, 1), Strings({"a", "b", "new", "", "c", "d", "e"}));
  EXPECT_EQ(Column(g, 0), Strings({"1", "2", "3", "4", "5", "6", "7"}));

  EXPECT_EQ(g.AppendRow(s, rows, undo), 2);
  EXPECT_EQ(g.GetCellText(7, 0), "8");
  EXPECT_EQ(g.GetCellText(7, 2), "1");

  g.SetCurrentCell(0, 0);
  g.DeleteCurrentRow(rows, s, undo);
  EXPECT_EQ(rows, 7);
  EXPECT_EQ(Column(g, 1).front(), "b");
  EXPECT_EQ(Column(g, 0), Strings({"1", "2", "3", "4", "5", "6", "7"}));

  // The last row deleted: the row above becomes current.
  g.SetCurrentCell(6, 0);
  g.DeleteCurrentRow(rows, s, undo);
  EXPECT_EQ(g.GetCurrentRow(), 5);

  // Cells right of a column move left; the last becomes blank.
  CStringArray shifted;
  g.ShiftCellsLeft(0, 0);
  g.GetRowCells(0, shifted);
  EXPECT_EQ(shifted[0], "b");
  EXPECT_EQ(shifted[2], " ");
  g.SetItemText(0, 0, "1");
  g.SetItemText(0, 1, "b");
  g.SetItemText(0, 2, "2");

  const int kinds[] = {3, 2, 1, 4, 4};
  ASSERT_EQ(undo.GetCount(), 5);
  POSITION p = undo.GetHeadPosition();
  for (int k : kinds) EXPECT_EQ(undo.GetNext(p)->kind, k);
  while (!undo.IsEmpty()) {
    std::unique_ptr<CPartsListRow> r(undo.RemoveTail());
    Undo(g, *r, rows, s);
  }
  EXPECT_EQ(rows, 5);
  EXPECT_EQ(RowTexts(g), before);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(GridTest, ColumnOperationsKeepTheCellsAndAreUndoneByTheirKind) {
  Load(owner, {"序号", "名称", "数量"}, {"1;a;2", "2;b;3"});
  CFieldArray& s = owner.structure;
  CPartsListCtrl& g = owner.grid;
  int rows = 2;
  const auto before = RowTexts(g);

  // Without a current cell, and on the first column, nothing is deleted.
  g.SetCurrentCell(-1, 0);
  EXPECT_FALSE(g.DeleteColumnRecord(s, undo));
  g.SetCurrentCell(0, 0);
  EXPECT_FALSE(g.DeleteColumnRecord(s, undo));
  EXPECT_EQ(boxes, Strings({"请选择删除字段!", "不能删除第一列!"}));
  EXPECT_TRUE(undo.IsEmpty());

  g.SetCurrentCell(1, 2);
  ASSERT_TRUE(g.DeleteColumnRecord(s, undo));
  EXPECT_EQ(s.GetSize(), 2);
  EXPECT_EQ(g.GetColumnCount(), 2);
  EXPECT_EQ(g.GetCurrentColumn(), 1);  // it was the last column
  EXPECT_EQ(RowTexts(g), Strings({"1;a", "2;b"}));

  CStringArray cells;
  cells.Add("p");
  g.InsertColumn(1, CFieldRecord("规格", 0, 20, 2), cells, s);
  undo.AddTail(new CPartsListRow(CPartsListRow::kInsertColumn, 1, 1));
  EXPECT_EQ(RowTexts(g), Strings({"1;p;a", "2; ;b"}));
  EXPECT_EQ(s[1].GetName(), "规格");

  auto* modified = new CPartsListRow(CPartsListRow::kModifyColumn, -1, 2);
  modified->field = s[2];
  undo.AddTail(modified);
  g.SetColumnField(2, CFieldRecord("名", 0, 30, 1), s);
  EXPECT_EQ(s[2].GetName(), "名");

  while (!undo.IsEmpty()) {
    std::unique_ptr<CPartsListRow> r(undo.RemoveTail());
    Undo(g, *r, rows, s);
  }
  EXPECT_EQ(RowTexts(g), before);
  ASSERT_EQ(s.GetSize(), 3);
  EXPECT_EQ(s[1], CFieldRecord("名称", 0, 20, 2));
  EXPECT_EQ(s[2], CFieldRecord("数量", 0, 20, 2));
}

TEST_F(GridTest, KeysMoveTheCurrentCellAndWrapRound) {
  Load(owner, {"a", "b", "c"}, {"1;2;3", "4;5;6", "7;8;9"});
  struct Case {
    int row, column;
    UINT key;
    int wantRow, wantColumn;
  };
  const Case cases[] = {
      {1, 0, VK_LEFT, 1, 2}, {1, 2, VK_RIGHT, 1, 0}, {0, 1, VK_UP, 2, 1},   {2, 1, VK_DOWN, 0, 1},
      {1, 1, VK_LEFT, 1, 0}, {1, 1, VK_DOWN, 2, 1},  {1, 1, VK_HOME, 1, 0}, {1, 1, VK_END, 1, 2},
  };
  int rows = 3;
  for (const Case& c : cases) {
    owner.grid.SetCurrentCell(c.row, c.column);
    owner.grid.OnKeyDown(c.key, rows, owner.structure, undo, 0);
    EXPECT_EQ(owner.grid.GetCurrentRow(), c.wantRow) << c.key;
    EXPECT_EQ(owner.grid.GetCurrentColumn(), c.wantColumn) << c.key;
  }
  // Insert and Delete change rows unless locked.
  owner.grid.SetCurrentCell(1, 0);
  owner.grid.OnKeyDown(VK_INSERT, rows, owner.structure, undo, 1);
  owner.grid.OnKeyDown(VK_DELETE, rows, owner.structure, undo, 1);
  EXPECT_EQ(rows, 3);
  owner.grid.OnKeyDown(VK_DELETE, rows, owner.structure, undo, 0);
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(RowTexts(owner.grid), Strings({"1;2;3", "7;8;9"}));
  owner.grid.OnKeyDown(VK_INSERT, rows, owner.structure, undo, 0);
  EXPECT_EQ(RowTexts(owner.grid), Strings({"1;2;3", " ; ; ", "7;8;9"}));
}

TEST_F(GridTest, HitTestTakesEdgesIntoTheFirstRowAndColumn) {
  Load(owner, {"a", "b"}, {"1;2", "3;4", "5;6"});
  owner.grid.SetColumnWidth(0, 50);
  owner.grid.SetColumnWidth(1, 70);
  owner.grid.SetRowHeight(18);  // rows of 20 pixels below the 20-pixel header
  CRect cell;
  ASSERT_TRUE(owner.grid.GetCellRect(1, 1, cell));
  EXPECT_EQ(cell, CRect(50, 40, 120, 60));
  struct Case {
    int x, y;  // client coordinates of the grid
    int row, column;
  };
  const Case cases[] = {
      {0, 20, 0, 0},    {50, 39, 0, 0},  {51, 40, 0, 1},  // y 40 is row 0's bottom edge and row 1's top
      {120, 41, 1, 1},  {121, 41, -1, -1}, {10, 80, 2, 0}, {10, 81, -1, -1}, {10, 5, -1, -1},
  };
  for (const Case& c : cases) {
    CPoint p(c.x, c.y);
    owner.grid.ClientToScreen(&p);
    int row = 7, column = 7;
    owner.grid.HitTest(row, column, &p);
    EXPECT_EQ(row, c.row) << c.x << "," << c.y;
    EXPECT_EQ(column, c.column) << c.x << "," << c.y;
  }
}

TEST_F(GridTest, TypingKeepsNineteenCharactersAndStartsWithSymbols) {
  Load(owner, {"a", "b"}, {"1;2"});
  owner.grid.SetEditMode(1);
  owner.grid.SetCurrentCell(0, 1);
  for (int i = 0; i < 25; ++i) owner.grid.SendMessage(WM_CHAR, static_cast<WPARAM>('a' + i % 26));
  const CStringA nineteen = "abcdefghijklmnopqrs";
  EXPECT_EQ(owner.grid.GetTypedCount(), 19);
  EXPECT_EQ(CStringA(owner.grid.GetTypedBuffer()), nineteen);
  EXPECT_EQ(owner.editText, nineteen);
  EXPECT_EQ(owner.grid.GetCellText(0, 1), nineteen);
  CStringA shown;
  owner.edit.GetWindowText(shown);
  EXPECT_EQ(shown, nineteen);
  EXPECT_TRUE(owner.grid.IsModified());

  struct Case {
    UINT first;
    const char* text;
  };
  const Case cases[] = {{'^', "±x"}, {'`', "Φx"}, {'~', "°x"}, {u'长', "长x"}, {'@', "@x"}};
  for (const Case& c : cases) {
    owner.grid.ResetTypedBuffer();
    owner.grid.SendMessage(WM_CHAR, c.first);
    owner.grid.SendMessage(WM_CHAR, 'x');
    EXPECT_EQ(owner.editText, c.text);
  }

  // The owner's edit goes into the current cell when it differs.
  owner.edit.SetWindowText("typed");
  CStringA remembered = "x";
  EXPECT_TRUE(owner.grid.TakeEditText(remembered));
  EXPECT_EQ(remembered, "typed");
  EXPECT_EQ(owner.grid.GetCellText(0, 1), "typed");
  EXPECT_FALSE(owner.grid.TakeEditText(remembered));

  // A character that would not fit whole is left out.
  owner.grid.ResetTypedBuffer();
  for (int i = 0; i < 18; ++i) owner.grid.SendMessage(WM_CHAR, 'a');
  owner.grid.SendMessage(WM_CHAR, u'长');
  EXPECT_EQ(owner.grid.GetTypedCount(), 18);
  owner.grid.SendMessage(WM_CHAR, 'b');
  EXPECT_EQ(CStringA(owner.grid.GetTypedBuffer()), "aaaaaaaaaaaaaaaaaab");

  // Edit mode 6 takes nothing; a hidden column is not shown but stored.
  owner.grid.ResetTypedBuffer();
  owner.grid.SetEditMode(6);
  owner.grid.SendMessage(WM_CHAR, 'q');
  EXPECT_EQ(owner.grid.GetTypedCount(), 0);
  owner.grid.SetEditMode(2);
  owner.hiddenName = "b";
  owner.grid.SendMessage(WM_CHAR, 'q');
  EXPECT_EQ(owner.editText, "q");
  EXPECT_EQ(owner.grid.GetCellText(0, 1), "aaaaaaaaaaaaaaaaaab");
}

TEST_F(GridTest, TypingStartsAnewInAnotherCellAndWhenTheGridTakesTheFocusAgain) {
  Load(owner, {"a", "b"}, {"1;2", "3;4"});
  owner.grid.SetEditMode(1);
  int rows = 2;
  owner.grid.SetCurrentCell(0, 1);
  owner.grid.SendMessage(WM_CHAR, 'x');
  ASSERT_EQ(owner.grid.GetCellText(0, 1), "x");
  // Moved by a key of the grid, by the owner or by the cell edit: the
  // characters typed into the cell before are not typed again.
  owner.grid.OnKeyDown(VK_DOWN, rows, owner.structure, undo, 0);
  owner.grid.SendMessage(WM_CHAR, 'y');
  EXPECT_EQ(owner.grid.GetCellText(1, 1), "y");
  EXPECT_EQ(owner.editText, "y");
  owner.grid.SetCurrentCell(1, 0);
  owner.grid.SendMessage(WM_CHAR, 'z');
  EXPECT_EQ(owner.grid.GetCellText(1, 0), "z");
  // Back in the grid after editing elsewhere, the same cell starts anew.
  owner.grid.SetFocus();
  owner.grid.SendMessage(WM_CHAR, 'w');
  EXPECT_EQ(owner.grid.GetCellText(1, 0), "w");
  CStringA shown;
  owner.edit.GetWindowText(shown);
  EXPECT_EQ(shown, "w");
}

// The grid draws its rows on the DC its paint lends each item: painting it
// again and again, as a program that never idles would, gathers no
// temporary DC wrappers.
TEST_F(GridTest, PaintingTheGridGathersNoTemporaryDcWrappers) {
  Load(owner, {"a", "b"}, {"1;2", "3;4", "5;6"});
  platform::PumpPendingMessages();
  CDC::DeleteTempMap();
  for (int round = 0; round < 3; ++round) {
    owner.grid.InvalidateRect(nullptr, TRUE);
    owner.grid.UpdateWindow();
  }
  EXPECT_EQ(platform::TemporaryDcCount(), 0u);
}

TEST_F(GridTest, ARowIsPaintedWithTheOverflowMarkAndTheCurrentCellInverted) {
  Load(owner, {"a", "b"}, {"short;a text much wider than its narrow column"});
  owner.grid.SetColumnWidth(0, 60);
  owner.grid.SetColumnWidth(1, 60);
  owner.grid.SetCurrentCell(0, 0);
  auto recorder = std::make_shared<platform::DrawingRecorder>();
  CDC dc;
  ASSERT_TRUE(dc.Attach(platform::CreateRecordingDc(recorder)));
  DRAWITEMSTRUCT dis{ODT_LISTVIEW, 339, 0, ODA_DRAWENTIRE, 0, owner.grid.m_hWnd, dc.m_hDC, RECT{0, 20, 120, 40}, 0};
  owner.grid.DrawItem(&dis);

  const auto ops = recorder->Ops();
  int redMarks = 0, inverted = 0, blackTexts = 0, greyLines = 0;
  for (const platform::DrawOp& op : ops) {
    if (op.kind == platform::DrawKind::Text && op.text == u"..." && op.textColor == RGB(255, 0, 0)) {
      ++redMarks;
      EXPECT_EQ(op.logical[0].x, 60 + 60 - 1 - op.textWidth);  // at the second column's right edge
    }
    if (op.kind == platform::DrawKind::Text && op.textColor == RGB(0, 0, 0)) ++blackTexts;
    if (op.kind == platform::DrawKind::PatBlt && op.rop3 == PATINVERT) {
      ++inverted;
      EXPECT_EQ(op.brush.color, RGB(255, 255, 0));
      EXPECT_EQ(op.device[0].x, 0);
      EXPECT_EQ(op.device[1].x, 60);
      EXPECT_EQ(op.device[1].y, 41);
    }
    if (op.kind == platform::DrawKind::Polyline && op.pen.color == RGB(128, 128, 128)) ++greyLines;
  }
  EXPECT_EQ(redMarks, 1);
  EXPECT_EQ(inverted, 1);
  EXPECT_EQ(blackTexts, 2);
  EXPECT_EQ(greyLines, 2 + 2);  // item count + 1 horizontal lines, one vertical per column
}
