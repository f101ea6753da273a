#include <gtest/gtest.h>

#include <vector>

#include "draft/edit/DeleteCmd.h"
#include "draft/edit/ExplodeCmd.h"
#include "draft/edit/MirrorCmd.h"
#include "draft/edit/tests/EditCmdFixture.h"
#include "draft/framework/CmdStack.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/ExplodeDlg.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "draft/testsupport/DevicePoint.h"
#include "draft/testsupport/EntityValues.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/Wnd.h"

using drafttest::DevicePoint;

namespace {

using drafttest::Geometry;

// A compound that editing keeps whole (a dimension, say).
class CKeptWhole : public CBlockEntity {
 public:
  CKeptWhole() : CBlockEntity(0, nullptr) {}
  BOOL IsKeptWhole() const override { return TRUE; }
  CEntity* Clone(int) const override { return new CKeptWhole(*this); }
};

// A host object the notification window is told about (a table).
class CRegisteredLine : public CLineEntity {
 public:
  using CLineEntity::CLineEntity;
  BOOL IsRegisteredObject() const override { return TRUE; }
  CEntity* Clone(int) const override { return new CRegisteredLine(*this); }
};

// The notification window: keeps what it is told about and frees it.
class CNotifyWnd : public CWnd {
 public:
  ~CNotifyWnd() override {
    for (CEntity* e : told) delete e;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kDeletedObjectMessage) {
      EXPECT_EQ(wParam, 0u);
      told.push_back(reinterpret_cast<CEntity*>(lParam));
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<CEntity*> told;
};

class MirrorDeleteExplodeTest : public EditCmdFixture {
 protected:
  ~MirrorDeleteExplodeTest() override { stack.DeleteAll(); }

  CEntity* Line(double x1, double y1, double x2, double y2) {
    auto* l = new CLineEntity(0, nullptr, x1, y1, x2, y2);
    view.AddEntityToView(l);
    return l;
  }
  void Select(std::initializer_list<CEntity*> entities) {
    CEntityList list;
    for (CEntity* e : entities) list.AddTail(e);
    view.SelectEntities(list);
  }
  void Click(double x, double y) { stack.OnLButton(0, DevicePoint(x, y), &view); }
  void Move(double x, double y) { stack.OnMouseMove(0, DevicePoint(x, y), &view); }
  void RButton() { stack.OnRButton(0, DevicePoint(0, 0), &view); }
  void Tab() { stack.OnChar(DevicePoint(0, 0), 9, 1, 0, &view); }
  int Count() const { return const_cast<CDraftView&>(view).GetEntityList()->GetCount(); }

  CDraftView view;
  CCmdStack stack;
};

}  // namespace

TEST_F(MirrorDeleteExplodeTest, MirrorPicksTheAxisOnAnEvenTabCountAndTypesItOnAnOddOne) {
  CEntity* source = Line(10, 10, 20, 30);
  Line(100, 0, 100, 200);  // the axis line x = 100
  Select({source});
  answers = {IDNO};
  stack.Push(&view, new CMirrorCmd(60, 0x2000, 0));
  EXPECT_EQ(stack.GetPrompt(), "选择对称线(TAB：输入对称线起点)");
  EXPECT_EQ(stack.GetCurrent()->IsPickMode(), 1);
  Click(100, 50);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "保留原图？");
  ASSERT_EQ(Count(), 2);  // the axis and the mirrored copy; the source is gone
  std::vector<std::vector<double>> lines;
  for (CEntity* e : *view.GetEntityList()) lines.push_back(Geometry(e));
  const std::vector<double> mirrored{190, 10, 180, 30};
  for (size_t i = 0; i < mirrored.size(); ++i) EXPECT_NEAR(lines[1][i], mirrored[i], 1e-9);
  RButton();  // back in selection, nothing selected: the command ends
  ASSERT_TRUE(stack.IsEmpty());
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Geometry(view.GetEntityList()->GetHead()), (std::vector<double>{10, 10, 20, 30}));

  // An odd count: two typed points give the axis y = 0; the sources stay.
  Select({view.GetEntityList()->GetHead()});
  answers = {IDYES};
  stack.Push(&view, new CMirrorCmd(60, 0x2000, 0));
  Tab();
  EXPECT_EQ(stack.GetPrompt(), "输入对称线起点(TAB：选择对称线)");
  EXPECT_EQ(stack.GetCurrent()->IsPickMode(), 0);
  stack.OnTypedInput(&view, "0,0");
  EXPECT_EQ(stack.GetPrompt(), "输入对称线终点");
  RButton();  // back to the first axis point
  EXPECT_EQ(stack.GetCurrent()->GetStep(), 0);
  stack.OnTypedInput(&view, "0,0");
  stack.OnTypedInput(&view, "50,0");
  EXPECT_EQ(Count(), 3);
}

// Two points taken give the axis, whatever the TAB count says when the
// second one comes: a line under the first point is not picked instead.
TEST_F(MirrorDeleteExplodeTest, MirrorTakesTheTypedAxisOnceItsTwoPointsAreThere) {
  CEntity* source = Line(10, 10, 20, 30);
  Line(100, 0, 100, 200);  // a line through the first axis point
  Select({source});
  answers = {IDNO};
  stack.Push(&view, new CMirrorCmd(60, 0x2000, 0));
  Tab();
  stack.OnTypedInput(&view, "100,0");
  Tab();  // an even count again before the second point
  stack.OnTypedInput(&view, "200,0");
  ASSERT_EQ(view.GetUndoCount(), 1);
  const std::vector<double> expected{10, -10, 20, -30};  // mirrored about y = 0
  const std::vector<double> made = Geometry(view.GetLastUndoRecord()->GetNewEntities().front());
  ASSERT_EQ(made.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(made[i], expected[i], 1e-9);
}

TEST_F(MirrorDeleteExplodeTest, MirrorRefusesADegenerateAxisAndWaits) {
  CEntity* source = Line(10, 10, 20, 30);
  Select({source});
  stack.Push(&view, new CMirrorCmd(60, 0x2000, 0));
  Tab();
  stack.OnTypedInput(&view, "5,5");
  stack.OnTypedInput(&view, "5,5");
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(stack.GetCurrent()->GetStep(), 0);
  EXPECT_EQ(view.GetSelectionCount(), 1);
  EXPECT_EQ(view.GetUndoCount(), 0);
  // A pick that finds no line is refused the same way.
  Tab();
  Click(300, 300);
  EXPECT_EQ(view.GetUndoCount(), 0);
  EXPECT_EQ(view.GetSelectionCount(), 1);
}

TEST_F(MirrorDeleteExplodeTest, DeleteTakesTheSelectionAtOnceAndStays) {
  CEntity* a = Line(0, 0, 10, 0);
  CEntity* b = Line(0, 20, 10, 20);
  Line(0, 40, 10, 40);
  Select({a, b});
  stack.Push(&view, new CDeleteCmd(61));
  EXPECT_FALSE(stack.IsEmpty());
  EXPECT_EQ(stack.GetPrompt(), "选择需删除的图元");
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(view.GetUndoCount(), 1);
  EXPECT_EQ(view.GetLastUndoRecord()->GetOldEntities().size(), 2u);
  Click(5, 40);
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(view.GetUndoCount(), 2);
  ASSERT_TRUE(view.Undo());
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(Count(), 3);
}

// The right button after a window's first corner drops the corner only:
// the next click deletes what it picks, as the prompt says.
TEST_F(MirrorDeleteExplodeTest, DeleteAfterACancelledWindowPicksAgain) {
  CEntity* kept = Line(0, 40, 10, 40);
  Line(0, 0, 10, 0);
  stack.Push(&view, new CDeleteCmd(61));
  Click(300, 300);  // nothing there: the first corner
  EXPECT_EQ(stack.GetPrompt(), "输入选择框的另一角点");
  RButton();
  ASSERT_FALSE(stack.IsEmpty());
  EXPECT_EQ(stack.GetPrompt(), "选择需删除的图元");
  Click(5, 0);
  EXPECT_EQ(Count(), 1);
  EXPECT_TRUE(view.IsInDrawing(kept));
  EXPECT_EQ(view.GetUndoCount(), 1);
  EXPECT_EQ(stack.GetCurrent()->GetStep(), 0);
}

TEST_F(MirrorDeleteExplodeTest, DeleteTakesACompoundDeletedWholeOnceForAClickOrAWindow) {
  struct Case {
    bool window;
  } cases[] = {{false}, {true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.window);
    CDraftView v;
    CCmdStack s;
    auto* dim = new CKeptWhole;
    for (int i = 0; i < 3; ++i) dim->AddMember(new CLineEntity(0, nullptr, 0, 10.0 * i, 10, 10.0 * i));
    v.AddEntityToView(dim);
    s.Push(&v, new CDeleteCmd(61));
    if (c.window) {
      s.OnLButton(0, DevicePoint(-5, -5), &v);  // nothing there: the first corner
      EXPECT_EQ(s.GetPrompt(), "输入选择框的另一角点");
      s.OnLButton(0, DevicePoint(20, 30), &v);
    } else {
      s.OnLButton(0, DevicePoint(5, 10), &v);  // on the middle member
    }
    EXPECT_TRUE(v.GetEntityList()->IsEmpty());
    ASSERT_EQ(v.GetUndoCount(), 1);
    EXPECT_EQ(v.GetLastUndoRecord()->GetOldEntities(), std::vector<CEntity*>{dim});
    ASSERT_TRUE(v.Undo());
    EXPECT_EQ(dim->GetMemberCount(), 3);
    s.DeleteAll();
  }
}

TEST_F(MirrorDeleteExplodeTest, DeleteAnnouncesOnlyRegisteredObjectsToTheNotificationWindowAndRecordsTheRest) {
  CNotifyWnd window;
  ASSERT_TRUE(window.CreateEx(0, u"AfxWnd", u"tables", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  view.SetNotifyWindow(window.GetSafeHwnd());
  auto* table = new CRegisteredLine(0, nullptr, 0, 0, 10, 0);
  view.AddEntityToView(table);
  CEntity* plain = Line(0, 20, 10, 20);
  CEntity* inWindow = Line(50, 50, 60, 50);
  auto* table2 = new CRegisteredLine(0, nullptr, 50, 55, 60, 55);
  view.AddEntityToView(table2);
  stack.Push(&view, new CDeleteCmd(61));

  Click(5, 0);  // the table: told, no record
  EXPECT_EQ(window.told, std::vector<CEntity*>{table});
  EXPECT_EQ(view.GetUndoCount(), 0);
  Click(5, 20);  // a plain line: recorded, not told
  EXPECT_EQ(window.told.size(), 1u);
  EXPECT_EQ(view.GetUndoCount(), 1);
  Click(45, 45);  // a window over a line and a table
  Click(65, 60);
  EXPECT_EQ(window.told, (std::vector<CEntity*>{table, table2}));
  ASSERT_EQ(view.GetUndoCount(), 2);
  EXPECT_EQ(view.GetLastUndoRecord()->GetOldEntities(), std::vector<CEntity*>{inWindow});
  ASSERT_TRUE(view.Undo());
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(Count(), 2);
  EXPECT_TRUE(view.IsInDrawing(plain));
  stack.DeleteAll();
  window.DestroyWindow();
}

TEST_F(MirrorDeleteExplodeTest, DeleteWithRegisteredOnlyPassesOverOtherEntities) {
  Line(0, 0, 10, 0);
  auto* table = new CRegisteredLine(0, nullptr, 0, 1, 10, 1);
  view.AddEntityToView(table);
  auto* cmd = new CDeleteCmd(61);
  cmd->SetRegisteredOnly();
  stack.Push(&view, cmd);
  Click(5, 0);  // nearest is the plain line, which is filtered out
  EXPECT_EQ(Count(), 1);
  EXPECT_FALSE(view.IsInDrawing(table));
}

TEST_F(MirrorDeleteExplodeTest, ExplodeWithoutOptionBearingEntitiesUsesTheStoredTypeWithoutADialog) {
  struct Case {
    int stored;
    int parts;  // entities in the drawing afterwards
  } cases[] = {{80, 2}, {0x40, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    CDraftView v;
    CCmdStack s;
    WriteProfileIntSetting("Explode", "Explode Type", c.stored);
    auto* block = ConstructBlockEntity(0, nullptr);
    block->AddMember(new CLineEntity(0, nullptr, 0, 0, 10, 0));
    block->AddMember(new CLineEntity(0, nullptr, 0, 5, 10, 5));
    v.AddEntityToView(block);
    CEntityList list;
    list.AddTail(block);
    v.SelectEntities(list);
    platform::ScopedModalDriver driver([](platform::ModalSession&) { ADD_FAILURE() << "no dialog expected"; });
    s.Push(&v, new CExplodeCmd(62, nullptr, 0, 0));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(v.GetEntityList()->GetCount(), c.parts);
    EXPECT_EQ(v.GetUndoCount(), c.parts == 2 ? 1 : 0);
  }
}

TEST_F(MirrorDeleteExplodeTest, ExplodeAsksForTheTypeWhenAKeptWholeCompoundIsSelected) {
  auto* dim = new CKeptWhole;
  dim->AddMember(new CLineEntity(0, nullptr, 0, 0, 10, 0));
  view.AddEntityToView(dim);
  Select({dim});
  platform::ScopedModalDriver driver([](platform::ModalSession& m) {
    EXPECT_EQ(CStringA(m.Caption()), "分解");
    EXPECT_TRUE(m.IsEnabled(CExplodeDlg::kKeptWholeCheck));
    EXPECT_FALSE(m.IsEnabled(CExplodeDlg::kNestedCheck));
    m.Click(CExplodeDlg::kKeptWholeCheck);
    m.Click(IDOK);
  });
  stack.Push(&view, new CExplodeCmd(62, nullptr, 0, 0));
  EXPECT_EQ(GetProfileIntSetting("Explode", "Explode Type", 0), 80 | kExplodeKeptWhole);
  ASSERT_EQ(Count(), 1);
  EXPECT_TRUE(view.GetEntityList()->GetHead()->IsLine());
}
