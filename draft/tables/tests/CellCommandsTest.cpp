// The cell edit and signing commands driven through the command stack: the
// dialog's code tables, the cells the boundary search gives (accepted and
// released), table cells replaced as one undo step, texts on drawn lines
// replaced in their owner, and signatures fitted into their cells.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "draft/framework/CmdStack.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineSetEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/TableCell.h"
#include "draft/host/TableCellEdit.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TableRow.h"
#include "draft/host/TextEntity.h"
#include "draft/tables/CellTextDlg.h"
#include "draft/tables/EditCellCmd.h"
#include "draft/tables/SignCellCmd.h"
#include "draft/tables/SignPadDlg.h"
#include "draft/testsupport/DevicePoint.h"
#include "platform/core/WinConstants.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/WindowApi.h"

using drafttest::DevicePoint;

namespace {

using Segment = std::array<double, 4>;

class CellCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>());
    view.SetSnapModes(0);
  }
  void TearDown() override {
    stack.EndAll(&view);
    SetSettingsBacking(std::move(previous_));
  }

  template <class Cmd>
  Cmd* Start() {
    auto* cmd = new Cmd(260, &view);
    stack.Push(&view, cmd);
    return cmd;
  }
  void Click(double x, double y) { stack.OnLButton(0, DevicePoint(x, y), &view); }
  void AddLines(const std::vector<Segment>& lines, CBlockEntity* block = nullptr) {
    for (const Segment& s : lines) {
      CEntity* line = ConstructLineEntity(0, nullptr, s[0], s[1], s[2], s[3]);
      if (block)
        block->AddMember(line);
      else
        view.AddEntityToView(line);
    }
  }
  // Every entity of the drawing of the kind, members of blocks included.
  std::vector<CTextEntity*> Texts() {
    std::vector<CTextEntity*> out;
    CEntityList all;
    for (CEntity* e : *view.GetEntityList()) e->ListInto(all);
    for (CEntity* e : all)
      if (e->IsText()) out.push_back(static_cast<CTextEntity*>(e));
    return out;
  }

  std::unique_ptr<CSettingsBacking> previous_;
  CDraftView view;
  CCmdStack stack;
};

const std::vector<Segment> kRectangle = {{0, 0, 40, 0}, {40, 0, 40, 10}, {40, 10, 0, 10}, {0, 10, 0, 0}};

// Answers the cell dialog: the text typed, the alignment and angle chosen
// (-1 leaves a combo as it is). Counts the sessions.
struct CellAnswer {
  const char* text = nullptr;
  int alignment = -1;
  int angle = -1;
  int answer = IDOK;
  int sessions = 0;
  bool angleEnabled = false;
  CStringW shownText;
};

CellAnswer Answer(const char* text, int alignment = -1, int angle = -1) {
  CellAnswer a;
  a.text = text;
  a.alignment = alignment;
  a.angle = angle;
  return a;
}

platform::ModalDriver AnswerCell(CellAnswer& a) {
  return [&a](platform::ModalSession& s) {
    ++a.sessions;
    a.angleEnabled = s.IsEnabled(CCellTextDlg::kAngleCombo);
    a.shownText = s.Text(CCellTextDlg::kTextEdit);
    if (a.text) s.EnterText(CCellTextDlg::kTextEdit, CStringA(a.text));
    if (a.alignment >= 0) s.Choose(CCellTextDlg::kAlignmentCombo, a.alignment);
    if (a.angle >= 0) s.Choose(CCellTextDlg::kAngleCombo, a.angle);
    s.Click(a.answer);
  };
}

TEST(CellTextCodes, AlignmentAndAngleTables) {
  struct {
    int code, index, back;
  } alignments[] = {{1, 0, 1}, {4, 1, 4}, {7, 2, 7}, {9, 3, 9}, {100, 1, 4}, {-1, 1, 4}, {2, 1, 4}};
  for (const auto& c : alignments) {
    EXPECT_EQ(CCellTextDlg::AlignmentIndexOf(c.code), c.index) << c.code;
    EXPECT_EQ(CCellTextDlg::AlignmentCodeOf(c.index), c.back) << c.code;
  }
  EXPECT_EQ(CCellTextDlg::AlignmentCodeOf(4), CCellTextDlg::kKeepAlignment);
  struct {
    double angle;
    int index;
    double back;
  } angles[] = {{0.0, 0, 0.0}, {90.0000001, 1, 90.0}, {180.0, 2, 180.0}, {270.0, 3, 270.0}, {45.0, 4, 720.0},
                {720.0, 4, 720.0}, {90.01, 4, 720.0}};
  for (const auto& c : angles) {
    EXPECT_EQ(CCellTextDlg::AngleIndexOf(c.angle), c.index) << c.angle;
    EXPECT_EQ(CCellTextDlg::AngleOf(c.index), c.back) << c.angle;
  }
  CCellTextDlg disabled("", 7, 1, 90.0, nullptr);
  disabled.ToCodes();
  EXPECT_EQ(disabled.m_alignment, 7);
  EXPECT_EQ(disabled.m_angle, 720.0);  // a disabled angle gives no direction
  CCellTextDlg enabled("", 9, 0, 180.0, nullptr);
  enabled.ToCodes();
  EXPECT_EQ(enabled.m_alignment, 9);
  EXPECT_EQ(enabled.m_angle, 180.0);
}

TEST_F(CellCommandsTest, BoundariesThatAreNoCellAreReleased) {
  const std::vector<std::vector<Segment>> shapes = {
      {{0, 0, 40, 0}, {40, 0, 20, 30}, {20, 30, 0, 0}},                                   // three sides
      {{0, 0, 40, 0}, {40, 0, 40, 10}, {40, 10, 20, 20}, {20, 20, 0, 10}, {0, 10, 0, 0}},  // five
      {{0, 0, 40, 5}, {40, 5, 35, 20}, {35, 20, 3, 12}, {3, 12, 0, 0}},                   // four, not parallel
  };
  for (const auto& shape : shapes) {
    CDraftView fresh;
    CellAnswer answer;
    platform::ScopedModalDriver driver(AnswerCell(answer));
    for (const Segment& s : shape) fresh.AddEntityToView(ConstructLineEntity(0, nullptr, s[0], s[1], s[2], s[3]));
    CCmdStack own;
    auto* cmd = new CEditCellCmd(260, &fresh);
    own.Push(&fresh, cmd);
    own.OnLButton(0, DevicePoint(20, 5), &fresh);
    EXPECT_EQ(answer.sessions, 0) << shape.size();
    EXPECT_TRUE(cmd->GetBoundary().IsEmpty());
    EXPECT_TRUE(fresh.GetSecondList()->IsEmpty());
    EXPECT_EQ(fresh.GetUndoCount(), 0);
    own.EndAll(&fresh);
  }
}

TEST_F(CellCommandsTest, ATableCellIsReplacedAsOneUndoStep) {
  CTableEntity* table = ConstructTableEntity(0, nullptr);
  for (int r = 0; r < 2; ++r) {
    CTableRow* row = ConstructTableRow(1);
    AddRowCell(row, ConstructTableCell(r == 0 ? "a" : "b", 30, 10, 2));
    AddRowCell(row, ConstructTableCell(r == 0 ? "c" : "d", 30, 10, 1));
    table->AddRow(row);
  }
  RecalcTable(table);
  int remaining = 2;
  table->Place(0, 20, &remaining, 1e300);
  view.AddEntityToView(table);
  // rows grow downward from y 20: the second row's second cell holds (45, 1),
  // near enough to the table's bottom line to pick the table
  CTableCell* cell = nullptr;
  int count = 0;
  ASSERT_TRUE(GetTableCells(table, &cell, &count, 45, 1));
  ASSERT_EQ(cell->GetText(), "d");

  CellAnswer answer = Answer("%%c12", 2);
  platform::ScopedModalDriver driver(AnswerCell(answer));
  Start<CEditCellCmd>();
  Click(45, 1);
  EXPECT_EQ(answer.sessions, 1);
  EXPECT_FALSE(answer.angleEnabled);
  EXPECT_EQ(answer.shownText, u"d");
  ASSERT_EQ(view.GetUndoCount(), 1);
  ASSERT_EQ(view.GetEntityList()->GetCount(), 1);
  auto* copy = static_cast<CTableEntity*>(view.GetEntityList()->GetHead());
  ASSERT_NE(copy, table);
  EXPECT_EQ(copy->GetRow(1)->GetCell(1)->GetText(), "\xA6\xB5" "12");  // the code stored as its symbol
  EXPECT_EQ(copy->GetRow(1)->GetCell(1)->GetAlignment(), 3);           // "右对齐"
  EXPECT_EQ(copy->GetRow(0)->GetCell(0)->GetText(), "a");
  EXPECT_TRUE(view.Undo());
  EXPECT_EQ(view.GetEntityList()->GetHead(), table);
  EXPECT_EQ(table->GetRow(1)->GetCell(1)->GetText(), "d");

  // "原方式对齐" with the text unchanged still replaces the cell by an equal copy
  EXPECT_TRUE(view.Redo());
  CellAnswer keep = Answer(nullptr, 4);
  platform::ScopedModalDriver keeping(AnswerCell(keep));
  Click(5, 19);
  EXPECT_EQ(view.GetUndoCount(), 2);
  auto* again = static_cast<CTableEntity*>(view.GetEntityList()->GetHead());
  EXPECT_EQ(*again->GetRow(0)->GetCell(0), *table->GetRow(0)->GetCell(0));
}

TEST_F(CellCommandsTest, ATextOnDrawnLinesIsReplacedInItsOwner) {
  CBlockEntity* block = ConstructBlockEntity(0, nullptr);
  AddLines(kRectangle, block);
  CTextAttrib attr;
  attr.SetHeight(3.5);
  CEntity* old = ConstructTextEntity(3, nullptr, "old", 10, 4, attr);
  block->AddMember(old);
  view.AddEntityToView(block);

  CellAnswer answer = Answer("new", 0, 1);
  platform::ScopedModalDriver driver(AnswerCell(answer));
  Start<CEditCellCmd>();
  Click(30, 5);
  EXPECT_TRUE(answer.angleEnabled);
  EXPECT_EQ(answer.shownText, u"old");
  ASSERT_EQ(view.GetUndoCount(), 1);
  auto texts = Texts();
  ASSERT_EQ(texts.size(), 1u);
  CTextEntity* made = texts[0];
  EXPECT_NE(made, old);
  EXPECT_EQ(made->GetText(), "new");
  EXPECT_EQ(made->GetEntityOwner(), block);  // kept in the block, in the old one's place
  EXPECT_EQ(block->GetMember(4), made);
  EXPECT_EQ(made->GetEntityLayer(), 3);
  EXPECT_EQ(made->GetPlacementCode(), 1);
  EXPECT_EQ(made->GetTextAttrib().GetAngle(), 90.0);
  EXPECT_EQ(made->GetTextAttrib().GetHeight(), 3.5);
  double x0, y0, x1, y1;
  ASSERT_TRUE(made->GetPlacementBox(x0, y0, x1, y1));
  EXPECT_EQ(x1, 40.0);
  EXPECT_TRUE(view.GetSecondList()->IsEmpty());  // the boundary is released
  EXPECT_TRUE(view.Undo());
  EXPECT_EQ(block->GetMember(4), old);
}

TEST_F(CellCommandsTest, AnUnchangedTextChangesNothing) {
  AddLines(kRectangle);
  CTextAttrib attr;
  view.AddEntityToView(ConstructTextEntity(0, nullptr, "same", 10, 4, attr));
  CellAnswer keep = Answer(nullptr, 4);
  platform::ScopedModalDriver driver(AnswerCell(keep));
  Start<CEditCellCmd>();
  Click(30, 5);
  EXPECT_EQ(keep.sessions, 1);
  EXPECT_EQ(view.GetUndoCount(), 0);
  EXPECT_TRUE(view.GetSecondList()->IsEmpty());
}

TEST_F(CellCommandsTest, ACircleCellTakesANewTextInItsSquare) {
  view.AddEntityToView(ConstructCircleEntity(0, nullptr, 50, 50, 10));
  CellAnswer answer = Answer("C", 1);
  platform::ScopedModalDriver driver(AnswerCell(answer));
  Start<CEditCellCmd>();
  Click(52, 51);
  ASSERT_EQ(view.GetUndoCount(), 1);
  auto texts = Texts();
  ASSERT_EQ(texts.size(), 1u);
  double x0, y0, x1, y1;
  ASSERT_TRUE(texts[0]->GetPlacementBox(x0, y0, x1, y1));
  EXPECT_EQ(x0, 40.0);
  EXPECT_EQ(y1, 60.0);
  EXPECT_EQ(texts[0]->GetPlacementCode(), 4);
}

// Writes strokes on the pad with mouse messages (points in pad pixels), then
// answers the pad.
platform::ModalDriver WriteOnPad(std::vector<std::vector<CPoint>> strokes, int answer = IDOK) {
  return [strokes, answer](platform::ModalSession& s) {
    HWND pad = s.Control(CSignPadDlg::kPad);
    for (const auto& stroke : strokes) {
      ::SendMessage(pad, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(stroke[0].x, stroke[0].y));
      for (const CPoint& p : stroke) ::SendMessage(pad, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
      ::SendMessage(pad, WM_LBUTTONUP, 0, MAKELPARAM(stroke.back().x, stroke.back().y));
    }
    ::SendMessage(pad, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // no button: no ink
    s.Click(answer);
  };
}

TEST_F(CellCommandsTest, SignaturesAreFittedIntoTheCell) {
  // the cell is 40 × 10: the target box 38 × 9.5 from (1, 0.25)
  struct {
    std::vector<std::vector<CPoint>> strokes;
    int segments;
    std::array<double, 4> first;  // the first segment
  } cases[] = {
      {{{{0, 0}, {100, 0}, {100, 10}}}, 2, {1, 4.05, 39, 4.05}},          // wide: scaled by the width (0.38)
      {{{{0, 0}, {0, 19}}, {{5, 19}}}, 2, {1, 9.75, 1, 0.25}},             // tall: by the height (0.5)
      {{{{7, 3}}}, 1, {1, 0.25, 1, 0.25}},                                 // one point: a dot, scale 1
      {{}, 0, {}},                                                          // an empty pad
  };
  AddLines(kRectangle);
  Start<CSignCellCmd>();
  int pushed = 0;
  for (const auto& c : cases) {
    platform::ScopedModalDriver driver(WriteOnPad(c.strokes));
    Click(20, 5);
    ASSERT_EQ(view.GetUndoCount(), ++pushed);
    auto* set = dynamic_cast<CLineSetEntity*>(view.GetEntityList()->GetTail());
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(set->GetSegmentCount(), c.segments);
    if (c.segments == 0) continue;
    double v[kMaxGeometryValues];
    set->GetMember(0)->GetGeometry(v);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(v[i], c.first[static_cast<size_t>(i)], 1e-9) << i;
    EXPECT_TRUE(view.GetSecondList()->IsEmpty());
  }
  platform::ScopedModalDriver cancel(WriteOnPad({{{0, 0}, {4, 4}}}, IDCANCEL));
  Click(20, 5);
  EXPECT_EQ(view.GetUndoCount(), pushed);
}

// A cell command that only searches: its boundary stays held.
class CellProbeCmd : public CTableCellCmd {
 public:
  CellProbeCmd(int id, CDraftView* view) : CTableCellCmd(id, view) {}
  void Execute(CDraftView* view) override {
    Cell cell;
    found = FindCell(view, cursor_.x, cursor_.y, cell);
  }
  BOOL found = FALSE;
};

TEST_F(CellCommandsTest, TheRightButtonFreesTheBoundaryBeforeEmptyingTheRegisteredList) {
  AddLines(kRectangle);
  auto* cmd = Start<CellProbeCmd>();
  Click(20, 5);
  ASSERT_TRUE(cmd->found);
  EXPECT_EQ(view.GetSecondList()->GetCount(), 4);  // registered and selected
  EXPECT_EQ(view.GetSelectionCount(), 4);
  stack.OnRButton(0, DevicePoint(20, 5), &view);  // no point kept: the command ends
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_TRUE(view.GetSecondList()->IsEmpty());
  EXPECT_EQ(view.GetSelectionCount(), 0);
  EXPECT_EQ(view.GetEntityList()->GetCount(), 4);
}

TEST(SignPadFit, InkWithoutExtentHasScaleOne) {
  for (std::vector<CSignPadWnd::Stroke> strokes :
       {std::vector<CSignPadWnd::Stroke>{{CPoint(3, 4)}}, {{CPoint(3, 4), CPoint(3, 4)}, {CPoint(3, 4)}}}) {
    CSignPadDlg dlg(nullptr);
    dlg.GetStrokes() = strokes;
    double s = -1;
    dlg.FitScale(38, 9.5, &s);
    EXPECT_EQ(s, 1.0);
    EXPECT_EQ(dlg.GetStrokes()[0][0], CPoint(0, 0));
  }
}

}  // namespace
