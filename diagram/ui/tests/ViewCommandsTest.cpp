// The view's command handlers: zoom steps, deleting, z-order, groups,
// vertices, style commands, the block command and the enabling rules.
#include <gtest/gtest.h>

#include <vector>

#include "diagram/model/blocks/CompositeBlock.h"
#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/canvas/CompositeBlockDiagram.h"
#include "diagram/model/objects/DrawOleObj.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/testsupport/BlockDiagramFixture.h"
#include "diagram/testsupport/MessageBoxCapture.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/PlacerTool.h"
#include "diagram/ui/SelectTool.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/ModalDriver.h"

namespace {

// What an update handler said.
struct CommandState : CCmdUI {
  int enabled = -1;
  int checked = -1;
  void Enable(BOOL on) override { enabled = on ? 1 : 0; }
  void SetCheck(int check) override { checked = check; }
};

class ViewCommands : public blocktest::BlockDiagram {
 protected:
  CommandState State(void (CDrawView::*update)(CCmdUI*)) {
    CommandState state;
    (view.*update)(&state);
    return state;
  }
  CDrawRect* Rect(int left) {
    auto* rect = new CDrawRect(CRect(left, Down(0, 0), left + 40, Down(0, 40)), CDrawRect::rectangle);
    EXPECT_TRUE(diagram->Add(rect));
    return rect;
  }
  void SelectOnly(std::initializer_list<CDrawObj*> objects) {
    view.Select(nullptr, FALSE);
    for (CDrawObj* object : objects) view.Select(object, TRUE);
  }
  std::vector<CDrawObj*> Order() {
    std::vector<CDrawObj*> order;
    for (POSITION pos = diagram->GetObjects().GetHeadPosition(); pos;) order.push_back(diagram->GetObjects().GetNext(pos));
    return order;
  }
};

TEST_P(ViewCommands, ZoomStepsRoundToTheIncrementWithinTheLimits) {
  const struct {
    int from;
    bool in;
    int to;
  } cases[] = {{2600, true, 3000}, {3000, true, 3500}, {3000, false, 2500},
               {2600, false, 2500}, {20000, true, 20000}, {250, false, 250}};
  for (const auto& c : cases) {
    view.Scale(CSize(c.from, c.from));
    ASSERT_EQ(view.GetScaleSize(), CSize(c.from, c.from)) << c.from;
    if (c.in) {
      view.OnViewZoomIn();
    } else {
      view.OnViewZoomOut();
    }
    EXPECT_EQ(view.GetScaleSize(), CSize(c.to, c.to)) << c.from << (c.in ? " in" : " out");
  }
  view.Scale(CSize(20000, 20000));
  EXPECT_EQ(State(&CDrawView::OnUpdateViewZoomIn).enabled, 0);
  view.Scale(CSize(250, 250));
  EXPECT_EQ(State(&CDrawView::OnUpdateViewZoomOut).enabled, 0);
  view.OnScale200();
  EXPECT_EQ(view.GetScaleSize(), CSize(10000, 10000));
  EXPECT_EQ(State(&CDrawView::OnUpdateScale200).checked, 1);
  EXPECT_EQ(State(&CDrawView::OnUpdateScale50).checked, 0);
  view.OnViewNormalSize();
  EXPECT_EQ(view.GetScaleSize(), CSize(5000, 5000));
}

TEST_P(ViewCommands, DeletingABlockTakesItsWireFirstInOneEntry) {
  CDrawBlock* a = PlaceBlock(1, CPoint(-200, 0));
  CDrawBlock* b = PlaceBlock(100, CPoint(200, 0));
  CDrawArc* wire = Wire(PortOf(a, 0), PortOf(b, 0));
  SelectOnly({a, wire});
  EXPECT_EQ(State(&CDrawView::OnUpdateEditClear).enabled, 1);
  doc.ClearUndoStack();
  view.OnEditClear();
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"Delete"));
  EXPECT_TRUE(diagram->DoesTrashInclude(a));
  EXPECT_TRUE(diagram->DoesTrashInclude(wire));
  EXPECT_TRUE(view.GetSelection().IsEmpty());
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_TRUE(diagram->GetObjects().Find(a));
  EXPECT_TRUE(diagram->GetObjects().Find(wire));
  EXPECT_EQ(wire->GetSrcOutPort(), PortOf(a, 0));
}

TEST_P(ViewCommands, ToFrontAndToBackKeepTheSelectedObjectsOrder) {
  CDrawRect* r1 = Rect(0);
  CDrawRect* r2 = Rect(50);
  CDrawRect* r3 = Rect(100);
  CDrawRect* r4 = Rect(150);
  SelectOnly({r3, r1});
  doc.ClearUndoStack();
  view.OnObjectMoveToFront();
  EXPECT_EQ(Order(), (std::vector<CDrawObj*>{r2, r4, r1, r3}));
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"MoveToFront"));
  view.OnObjectMoveToBack();
  EXPECT_EQ(Order(), (std::vector<CDrawObj*>{r1, r3, r2, r4}));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 2);
  EXPECT_EQ(State(&CDrawView::OnUpdateSingleSelect).enabled, 0);
  EXPECT_EQ(State(&CDrawView::OnUpdateAnySelect).enabled, 1);
}

TEST_P(ViewCommands, GroupRegroupAndUngroup) {
  CDrawRect* r1 = Rect(0);
  CDrawRect* r2 = Rect(50);
  CDrawRect* r3 = Rect(100);
  SelectOnly({r1});
  EXPECT_EQ(State(&CDrawView::OnUpdateObjectGroup).enabled, 0);
  view.OnObjectGroup();
  EXPECT_EQ(r1->GetGroup(), nullptr) << "one object is not grouped";
  SelectOnly({r1, r2});
  EXPECT_EQ(State(&CDrawView::OnUpdateObjectGroup).enabled, 1);
  EXPECT_EQ(State(&CDrawView::OnUpdateObjectReGroup).enabled, 0);
  view.OnObjectGroup();
  CDrawGroup* group = r1->GetGroup();
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(r2->GetGroup(), group);
  EXPECT_TRUE(view.GetSelection().Find(group));
  SelectOnly({group, r3});
  EXPECT_EQ(State(&CDrawView::OnUpdateObjectReGroup).enabled, 1);
  view.OnObjectRegroup();
  CDrawGroup* merged = r3->GetGroup();
  ASSERT_NE(merged, nullptr);
  EXPECT_EQ(r1->GetGroup(), merged) << "the group's members were merged";
  EXPECT_EQ(State(&CDrawView::OnUpdateObjectUngroup).enabled, 1);
  view.OnObjectUngroup();
  EXPECT_EQ(r1->GetGroup(), nullptr);
  EXPECT_EQ(view.GetSelection().GetCount(), 3);
  EXPECT_TRUE(view.GetSelection().Find(r3));
}

TEST_P(ViewCommands, VerticesAreAddedAndRemovedDownToThree) {
  CDrawBlock* a = PlaceBlock(1, CPoint(-200, 0));
  CDrawBlock* b = PlaceBlock(100, CPoint(200, Down(0, 60)));
  CDrawArc* wire = Wire(PortOf(a, 0), PortOf(b, 0));
  SelectOnly({wire});
  ASSERT_EQ(State(&CDrawView::OnUpdatePolypointAddsegment).enabled, wire->UserMayAddPoints() ? 1 : 0);
  if (!wire->UserMayAddPoints()) GTEST_SKIP();
  const int before = wire->GetHandleCount();
  view.OnPolypointAddsegment();
  EXPECT_EQ(wire->GetHandleCount(), before + 1);
  diagramtest::MessageBoxCapture boxes;
  while (wire->GetHandleCount() >= 3) view.OnPolypointRemovesegment();
  EXPECT_EQ(wire->GetHandleCount(), 2);
  EXPECT_EQ(State(&CDrawView::OnUpdatePolypointRemovesegment).enabled, 0);

  // A shape that lets the user try anyway is told no below 3 points.
  struct Stubborn : CDrawPoly {
    BOOL UserMayRemovePoints() const override { return TRUE; }
  };
  auto* poly = new Stubborn;
  poly->AddPoint(CPoint(0, 0), nullptr);
  poly->AddPoint(CPoint(50, Down(0, 50)), nullptr);
  ASSERT_TRUE(diagram->Add(poly));
  SelectOnly({poly});
  view.OnPolypointRemovesegment();
  EXPECT_EQ(boxes.Count(), 1);
  EXPECT_EQ(poly->GetHandleCount(), 2);
}

TEST_P(ViewCommands, EachStyleCommandIsOneUndoEntry) {
  CDrawRect* r1 = Rect(0);
  CDrawRect* r2 = Rect(50);
  SelectOnly({r1, r2});
  EXPECT_EQ(State(&CDrawView::OnUpdateAnyNonGroupOrOLE).enabled, 1);
  const struct {
    void (CDrawView::*command)();
    const char16_t* name;
  } commands[] = {{&CDrawView::OnObjectLineTypeDash, u"Line Style"},
                  {&CDrawView::OnObjectHsCross, u"Hatch Style"},
                  {&CDrawView::OnObjectHsNone, u"Hatch Style"},
                  {&CDrawView::OnObjectTransparent, u"Transparent Fill"},
                  {&CDrawView::OnObjectOpaque, u"Opaque Fill"},
                  {&CDrawView::OnObjectToggleUsefill, u"Object Toggle Use Fill"},
                  {&CDrawView::OnObjectToggleUsehatch, u"Object Toggle Use Hatch"}};
  int entries = 0;
  doc.ClearUndoStack();
  for (const auto& c : commands) {
    (view.*c.command)();
    EXPECT_EQ(doc.GetNumberUndosOnStack(), ++entries);
    EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(c.name));
  }
  EXPECT_FALSE(r1->IsFillEnabled()) << "opaque, then toggled";
  EXPECT_EQ(State(&CDrawView::OnUpdateObjectToggleUsefill).checked, 0);
  SelectOnly({r1});
  view.OnObjectOpaque();
  EXPECT_EQ(State(&CDrawView::OnUpdateObjectToggleUsefill).checked, 1);
}

TEST_P(ViewCommands, TheStyleCommandsSkipGroupsAndOleObjects) {
  Rect(0);
  Rect(50);
  view.OnEditSelectAll();
  view.OnObjectGroup();
  ASSERT_EQ(view.GetSelection().GetCount(), 1);
  CDrawObj* group = view.GetSelection().GetHead();
  ASSERT_TRUE(group->IsKindOf(RUNTIME_CLASS(CDrawGroup)));
  // An OLE object made at a point, before it has an item, stands in for
  // one; it stays outside the diagram.
  CDrawOleObj ole(CPoint(100, Down(0, 10)));
  ASSERT_TRUE(ole.IsKindOf(RUNTIME_CLASS(CDrawOleObj)));
  CDrawRect* r3 = Rect(200);
  const struct {
    std::vector<CDrawObj*> selection;
    int enabled;
  } cases[] = {{{group}, 0}, {{&ole}, 0}, {{group, &ole}, 0}, {{&ole, r3}, 1}, {{group, r3}, 1}};
  for (const auto& c : cases) {
    view.Select(nullptr, FALSE);
    for (CDrawObj* object : c.selection) view.GetSelection().AddTail(object);
    EXPECT_EQ(State(&CDrawView::OnUpdateAnyNonGroupOrOLE).enabled, c.enabled) << c.selection.size();
    EXPECT_EQ(State(&CDrawView::OnUpdateObjectToggleUsefill).enabled, c.enabled) << c.selection.size();
  }
  view.Select(nullptr, FALSE);
}

TEST_P(ViewCommands, SelectAllAndTheEditPropertiesRule) {
  EXPECT_EQ(State(&CDrawView::OnUpdateEditSelectAll).enabled, 0);
  CDrawRect* r1 = Rect(0);
  Rect(50);
  EXPECT_EQ(State(&CDrawView::OnUpdateEditSelectAll).enabled, 1);
  view.OnEditSelectAll();
  EXPECT_EQ(view.GetSelection().GetCount(), 2);
  CDrawTool::SetActiveTool(CDrawToolSet::GetSelectTool());
  EXPECT_EQ(State(&CDrawView::OnUpdateEditProperties).enabled, 1);
  view.OnDrawRect();
  EXPECT_EQ(State(&CDrawView::OnUpdateDrawRect).checked, 1);
  EXPECT_EQ(State(&CDrawView::OnUpdateDrawSelect).checked, 0);
  EXPECT_EQ(State(&CDrawView::OnUpdateEditProperties).enabled, 0);
  view.OnDrawSelect();
  EXPECT_TRUE(view.GetSelection().Find(r1));
}

TEST_P(ViewCommands, TheBlockCommandPlacesACompositeBlockWhenItsCheckIsSet) {
  platform::ScopedModalDriver driver([](platform::ModalSession& m) {
    m.EnterText(28091, CStringW(u"1"));
    m.EnterText(28092, CStringW(u"2"));
    m.Click(28080);
    m.Click(IDOK);
  });
  view.OnDrawBlock();
  EXPECT_EQ(CDrawTool::GetActiveTool(), CDrawToolSet::GetCompositeBlockTool());
  EXPECT_EQ(State(&CDrawView::OnUpdateDrawBlock).checked, 1);
  CPoint client(400, 300);
  CDrawToolSet::GetCompositeBlockTool()->OnLButtonDown(&view, 0, client);
  auto* block = DYNAMIC_DOWNCAST(CCompositeBlock, CDrawToolSet::GetCompositeBlockTool()->GetBlockPlaced());
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->GetPorts().GetCount(), 3);
  EXPECT_EQ(block->GetInternalDiagram()->GetInternalPorts().GetCount(), 3);
  CDrawTool::SetActiveTool(CDrawToolSet::GetSelectTool());
}

TEST_P(ViewCommands, PortAndLevelCommandsFollowTheSelectionAndTheLevel) {
  CDrawBlock* a = PlaceBlock(101, CPoint(-200, 0));
  CDrawBlock* b = PlaceBlock(101, CPoint(200, 0));
  SelectOnly({a, b});
  EXPECT_EQ(State(&CDrawView::OnUpdateFbAddInPort).enabled, 0);
  EXPECT_EQ(State(&CDrawView::OnUpdateFbAddOutPort).enabled, 0);
  SelectOnly({a});
  EXPECT_EQ(State(&CDrawView::OnUpdateFbAddInPort).enabled, 1);
  view.OnFbAddInPort();
  EXPECT_EQ(a->GetPorts().GetCount(), 3);

  view.OnObjectNest();
  auto* composite = DYNAMIC_DOWNCAST(CCompositeBlock, view.GetSelection().GetHead());
  ASSERT_NE(composite, nullptr);
  EXPECT_EQ(State(&CDrawView::OnUpdateDiagramOpenParent).enabled, 0);
  EXPECT_EQ(State(&CDrawView::OnUpdateDiagramBlockProperties).enabled, 0);
  view.OnCfbOpen();  // not in an MDI child frame: this view shows the inner diagram
  ASSERT_EQ(view.GetDiagram(), composite->GetInternalDiagram());
  EXPECT_EQ(State(&CDrawView::OnUpdateDiagramOpenParent).enabled, 1);
  EXPECT_EQ(State(&CDrawView::OnUpdateDiagramOpenTop).enabled, 1);
  EXPECT_EQ(State(&CDrawView::OnUpdateDiagramBlockProperties).enabled, 1);
  EXPECT_EQ(State(&CDrawView::OnUpdateFbAddOutPort).enabled, 1) << "nothing selected: the owning block";
  view.OnFbAddOutPort();
  EXPECT_EQ(composite->GetNumberOfOutputPorts(), 1);
  view.OnDiagramOpenParent();
  EXPECT_EQ(view.GetDiagram(), diagram);
}

TEST_P(ViewCommands, SeveralSelectedObjectsShareOneShapeSheet) {
  CDrawRect* r1 = Rect(0);
  CDrawRect* r2 = Rect(50);
  SelectOnly({r1, r2});
  CDrawTool::SetActiveTool(CDrawToolSet::GetSelectTool());
  CStringW caption;
  platform::ScopedModalDriver driver([&caption](platform::ModalSession& m) {
    caption = m.Caption();
    m.Click(IDCANCEL);
  });
  doc.ClearUndoStack();
  view.OnEditProperties();
  EXPECT_EQ(caption, CStringW(u"Multiple Shape Properties"));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0) << "cancelled: nothing to undo";
}

INSTANTIATE_TEST_SUITE_P(BothDirections, ViewCommands, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Upward" : "Downward"; });

}  // namespace
