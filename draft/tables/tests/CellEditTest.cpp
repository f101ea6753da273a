// The in-place cell edit beside a grid: Up and Down move the grid's current
// row and load its cell; three keys type symbols.
#include <gtest/gtest.h>

#include "draft/tables/CellEdit.h"
#include "draft/tables/tests/GridTestSupport.h"

using gridtest::GridTest;
using gridtest::Load;

namespace {

class CellEditTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    ASSERT_TRUE(cellEdit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 260, 200, 280), &owner, 400));
    cellEdit.SetParentKind(4);
    Load(owner, {"a", "b"}, {"1;x", "2;y", "3;z"});
  }
  CStringA Text() const {
    CStringA t;
    cellEdit.GetWindowText(t);
    return t;
  }
  CCellEdit cellEdit;
};

}  // namespace

TEST_F(CellEditTest, UpAndDownMoveTheCurrentRowWithinTheGrid) {
  struct Case {
    int kind, row, column;
    UINT key;
    int wantRow;
    const char* text;  // the field's text after the key
  };
  const Case cases[] = {
      {4, 1, 1, VK_DOWN, 2, "z"},  {4, 1, 1, VK_UP, 0, "x"},    {4, 0, 1, VK_UP, 0, "keep"},
      {4, 2, 0, VK_DOWN, 2, "keep"}, {4, -1, 1, VK_DOWN, -1, "keep"}, {4, 1, -1, VK_DOWN, 1, "keep"},
      {2, 0, 0, VK_DOWN, 1, "2"},  {3, 0, 0, VK_DOWN, 0, "keep"},  // kind 3's grid (1285) is not there
      {0, 0, 0, VK_DOWN, 0, "keep"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.kind << ":" << c.row << "," << c.column << " key " << c.key);
    cellEdit.SetParentKind(c.kind);
    cellEdit.SetWindowText("keep");
    owner.grid.SetCurrentCell(c.row, c.column);
    cellEdit.SendMessage(WM_KEYDOWN, c.key);
    EXPECT_EQ(owner.grid.GetCurrentRow(), c.wantRow);
    EXPECT_EQ(owner.grid.GetCurrentColumn(), c.column);
    EXPECT_EQ(Text(), c.text);
  }
}

TEST_F(CellEditTest, ThreeKeysTypeSymbolsAsOneUndoableReplacement) {
  struct Case {
    UINT ch;
    const char* text;
  };
  const Case cases[] = {{'^', "±"}, {'`', "Φ"}, {'~', "°"}, {'a', "a"}};
  for (const Case& c : cases) {
    cellEdit.SetWindowText("");
    cellEdit.SendMessage(WM_CHAR, c.ch);
    EXPECT_EQ(Text(), c.text) << c.ch;
  }
  cellEdit.SetWindowText("12");
  cellEdit.SetSel(2, 2);
  cellEdit.SendMessage(WM_CHAR, '^');
  EXPECT_EQ(Text(), "12±");
  ASSERT_TRUE(cellEdit.CanUndo());
  cellEdit.Undo();
  EXPECT_EQ(Text(), "12");
}
