// Placing turned copies of a picked contour, as a block or loose, and
// turning a contour into a block.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "draft/framework/CmdStack.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/UndoRecord.h"
#include "draft/regions/ContourPlaceCmd.h"
#include "draft/testsupport/DevicePoint.h"
#include "draft/testsupport/MessageBoxAnswers.h"

namespace {

using PlaceSeg = std::array<double, 4>;

// The square (100,100)-(140,130) as four lines on an 800 × 600 view at zoom
// 1, with the placement command pushed.
class PlaceBench : public drafttest::MessageBoxAnswers {
 public:
  explicit PlaceBench(int chainMode) {
    view.SetSnapModes(0);
    const double p[4][2] = {{100, 100}, {140, 100}, {140, 130}, {100, 130}};
    for (int i = 0; i < 4; ++i) {
      sides[i] = ConstructLineEntity(0, nullptr, p[i][0], p[i][1], p[(i + 1) % 4][0], p[(i + 1) % 4][1]);
      view.AddEntityToView(sides[i]);
    }
    stack.Push(&view, new CContourPlaceCmd(295, &view, chainMode));
  }
  ~PlaceBench() { stack.DeleteAll(); }
  void Click(double x, double y) {
    stack.OnMouseMove(0, drafttest::DevicePoint(x, y), &view);
    stack.OnLButton(0, drafttest::DevicePoint(x, y), &view);
  }
  void Move(double x, double y) { stack.OnMouseMove(0, drafttest::DevicePoint(x, y), &view); }
  void Tab() { stack.OnChar(view.GetCursorPos(), 9, 1, 0, &view); }
  void Shift() { stack.OnKeyDown(view.GetCursorPos(), 16, 1, 0, &view); }
  void Right() { stack.OnRButton(0, view.GetCursorPos(), &view); }
  std::string Prompt() { return CStringA(stack.GetPrompt()).GetString(); }

  // The lines of `list`, blocks opened, ends ordered and rounded, sorted.
  static std::vector<PlaceSeg> LinesOf(const std::vector<CEntity*>& list) {
    std::vector<PlaceSeg> out;
    for (CEntity* e : list) {
      if (e->IsBlock()) {
        auto* b = static_cast<CBlockEntity*>(e);
        std::vector<CEntity*> members;
        for (int i = 0; i < b->GetMemberCount(); ++i) members.push_back(b->GetMember(i));
        for (const PlaceSeg& s : LinesOf(members)) out.push_back(s);
        continue;
      }
      double v[kMaxGeometryValues];
      e->GetGeometry(v);
      PlaceSeg s{v[0], v[1], v[2], v[3]};
      for (double& d : s) d = std::round(d * 1e6) / 1e6 + 0.0;
      if (std::make_pair(s[2], s[3]) < std::make_pair(s[0], s[1])) s = {s[2], s[3], s[0], s[1]};
      out.push_back(s);
    }
    std::sort(out.begin(), out.end());
    return out;
  }
  std::vector<CEntity*> Drawing() {
    std::vector<CEntity*> out;
    for (CEntity* e : *view.GetEntityList()) out.push_back(e);
    return out;
  }

  CDraftView view;
  CCmdStack stack;
  CEntity* sides[4] = {};
};

TEST(ContourPlaceCmdTest, ThreeTabsTurnTheCopyBy270Degrees) {
  PlaceBench b(0);
  EXPECT_EQ(b.Prompt(), "选取目标");
  b.Click(120, 100);
  EXPECT_TRUE(b.Drawing().empty()) << "the picked contour is held out of the drawing";
  EXPECT_EQ(b.Prompt(), "确定移动基点");
  b.Click(100, 100);
  EXPECT_EQ(b.Prompt(), "确定目标点(左Shift键不自动成块,Tab键转90度)");
  b.Tab();
  b.Tab();
  b.Tab();
  b.Click(300, 300);
  const std::vector<CEntity*> added = b.view.GetLastUndoRecord()->GetNewEntities();
  EXPECT_EQ(PlaceBench::LinesOf(added), (std::vector<PlaceSeg>{
                                            {300, 260, 300, 300}, {300, 260, 330, 260}, {300, 300, 330, 300},
                                            {330, 260, 330, 300}}));
}

TEST(ContourPlaceCmdTest, ShiftParityGivesABlockOrLooseCopiesInOneUndoStep) {
  for (int shifts : {0, 1, 2}) {
    SCOPED_TRACE(shifts);
    PlaceBench b(0);
    b.Click(120, 100);
    b.Click(100, 100);
    for (int i = 0; i < shifts; ++i) b.Shift();
    b.Move(200, 200);
    EXPECT_EQ(b.Prompt(), shifts % 2 ? "确定目标点(左Shift键自动成块,Tab键转90度)"
                                     : "确定目标点(左Shift键不自动成块,Tab键转90度)");
    b.Click(200, 200);
    b.Click(300, 200);  // a second copy from the same base
    EXPECT_EQ(b.view.GetUndoCount(), 2);
    const std::vector<CEntity*> added = b.view.GetLastUndoRecord()->GetNewEntities();
    if (shifts % 2 == 0) {
      ASSERT_EQ(added.size(), 1u);
      EXPECT_TRUE(added[0]->IsBlock());
    } else {
      EXPECT_EQ(added.size(), 4u);
    }
    EXPECT_EQ(PlaceBench::LinesOf(added).front(), (PlaceSeg{300, 200, 300, 230}));
  }
}

TEST(ContourPlaceCmdTest, TheRightButtonPutsThePickedContourBackOnce) {
  PlaceBench b(0);
  b.Click(120, 100);
  b.Click(100, 100);
  b.Click(200, 200);
  b.Right();
  EXPECT_EQ(b.Prompt(), "选取目标");
  std::vector<CEntity*> drawing = b.Drawing();
  EXPECT_EQ(drawing.size(), 5u);  // the four sides and the placed block
  for (CEntity* side : b.sides) EXPECT_EQ(std::count(drawing.begin(), drawing.end(), side), 1);
  EXPECT_EQ(b.stack.GetCount(), 1);
  b.Right();
  EXPECT_TRUE(b.stack.IsEmpty());
  EXPECT_EQ(b.Drawing().size(), 5u);
  // Undo takes the copy away and leaves the contour.
  ASSERT_TRUE(b.view.Undo());
  EXPECT_EQ(b.Drawing().size(), 4u);
}

TEST(ContourPlaceCmdTest, ChainModeOneTurnsTheContourIntoABlock) {
  PlaceBench b(1);
  b.Click(120, 100);
  EXPECT_EQ(b.Prompt(), "左键确认");
  b.Click(500, 500);
  std::vector<CEntity*> drawing = b.Drawing();
  ASSERT_EQ(drawing.size(), 1u);
  ASSERT_TRUE(drawing[0]->IsBlock());
  EXPECT_EQ(static_cast<CBlockEntity*>(drawing[0])->GetMemberCount(), 4);
  EXPECT_EQ(b.Prompt(), "选取目标");
  ASSERT_TRUE(b.view.Undo());
  drawing = b.Drawing();
  EXPECT_EQ(drawing.size(), 4u);
  for (CEntity* side : b.sides) EXPECT_EQ(std::count(drawing.begin(), drawing.end(), side), 1);
}

}  // namespace
