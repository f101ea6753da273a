// The view's "Avoid Page Boundary" command (57027): the margins it passes,
// seen in where the objects land, and its enabling.
#include <gtest/gtest.h>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/ui/CmdTarget.h"

namespace {

constexpr UINT kAvoidPageBoundary = 57027;

// A command-state probe that remembers what the handler set.
struct EnableProbe : CCmdUI {
  BOOL enabled = -1;
  void Enable(BOOL on) override {
    enabled = on;
    CCmdUI::Enable(on);
  }
};

class AvoidPageBoundaryCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    CDiagram::m_autoRouteOption = AutoRouteOption{};
    if (h.diagram->IsSnapToGridEnabled()) h.diagram->ToggleSnapToGrid();
    ASSERT_NO_FATAL_FAILURE(h.Open(2, 2));
    page = h.diagram->GetPageSize();
  }
  void TearDown() override { CDiagram::m_autoRouteOption = savedOption; }

  // A plain object 100 x 100 whose top-left corner lies `right` and `down`
  // from the canvas's (y grows upward).
  CDrawObj* Place(int right, int down) {
    const CRect canvas = h.diagram->GetRect();
    const CPoint at(canvas.left + right, canvas.top - down);
    auto* object = new CDrawObj(CRect(at.x, at.y, at.x + 100, at.y - 100));
    if (!h.diagram->Add(object)) {
      delete object;
      return nullptr;
    }
    return object;
  }
  CPoint Where(CDrawObj* object) const {
    const CRect canvas = h.diagram->GetRect();
    return CPoint(object->GetPosition().left - canvas.left, canvas.top - object->GetPosition().top);
  }
  BOOL Enabled() {
    EnableProbe probe;
    probe.m_nID = kAvoidPageBoundary;
    probe.DoUpdate(&h.view, TRUE);
    return probe.enabled;
  }

  AutoRouteOption savedOption = CDiagram::m_autoRouteOption;
  viewtest::ViewHarness<CDrawView> h;
  CSize page;
};

// With the default options (margins 21, 15, 15, 15 and distance 10) the
// command keeps 61 above and 55 below a horizontal boundary, 75 left and
// right of a vertical one.
TEST_F(AvoidPageBoundaryCommand, PassesTheRoutingMarginsWidenedByTheMinimumDistance) {
  const int w = page.cx;
  const int hgt = page.cy;
  // The first object goes to (75, 61): every other one moves by (-5, -9)
  // with it before the boundaries are looked at.
  CDrawObj* first = Place(80, 70);
  CDrawObj* clearBelow = Place(200, hgt - 146);    // ends 55 above the boundary
  CDrawObj* intoBelow = Place(400, hgt - 145);     // ends 54 above it
  CDrawObj* clearRight = Place(w - 170, 300);      // ends 75 left of the boundary
  CDrawObj* intoRight = Place(w - 169, 450);       // ends 74 left of it
  ASSERT_TRUE(first && clearBelow && intoBelow && clearRight && intoRight);
  h.doc.ClearUndoStack();

  h.view.SendMessage(WM_COMMAND, kAvoidPageBoundary);
  EXPECT_EQ(Where(first), CPoint(75, 61));
  EXPECT_EQ(Where(clearBelow), CPoint(195, hgt - 155));
  EXPECT_EQ(Where(intoBelow), CPoint(395, hgt + 61));
  EXPECT_EQ(Where(clearRight), CPoint(w - 175, 291));
  EXPECT_EQ(Where(intoRight), CPoint(w + 75, 441));
  EXPECT_EQ(h.doc.GetNumberUndosOnStack(), 1);
}

TEST_F(AvoidPageBoundaryCommand, IsEnabledWhileTheDiagramHasObjects) {
  EXPECT_FALSE(Enabled());
  CDrawObj* object = Place(100, 100);
  ASSERT_NE(object, nullptr);
  EXPECT_TRUE(Enabled());
}

}  // namespace
