// A document with a view of its diagram in a window of 800 x 600 pixels, for
// the view's tests; the class-wide view and tool options are restored after
// each test.
#pragma once

#include <gtest/gtest.h>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/tests/LinkDiagramLibrary.h"
#include "diagram/ui/DrawTool.h"
#include "diagram/ui/DrawView.h"
#include "platform/gdi/DC.h"
#include "platform/ui/WinUser.h"

namespace viewtest {

// The class-wide options a test may change.
struct SavedViewOptions {
  SavedViewOptions()
      : percent(CDrawView::c_uNewViewScalePercent),
        nesting(CDrawView::c_bOpenDiagramWhenNesting),
        proximity(CDrawView::c_nSelectionProximity),
        grid(CDrawView::c_bShowGrid),
        gridColor(CDrawView::c_crGridColor),
        tool(CDrawTool::GetActiveTool()) {}
  ~SavedViewOptions() {
    CDrawView::c_uNewViewScalePercent = percent;
    CDrawView::c_bOpenDiagramWhenNesting = nesting;
    CDrawView::c_nSelectionProximity = proximity;
    CDrawView::c_bShowGrid = grid;
    CDrawView::c_crGridColor = gridColor;
    CDrawTool::c_pActiveTool = tool;
  }
  UINT percent;
  BOOL nesting;
  int proximity;
  BOOL grid;
  COLORREF gridColor;
  CDrawTool* tool;
};

// An object that draws its rectangle filled in its fill colour.
class Box : public CDrawObj {
 public:
  using CDrawObj::CDrawObj;
  void Draw(CDC* dc) override {
    CBrush brush(m_logbrush.lbColor);
    CBrush* old = dc->SelectObject(&brush);
    dc->Rectangle(&m_position);
    dc->SelectObject(old);
  }
};

// `ViewType` is CDrawView or a class derived from it for the test, and
// `DocType` CDrawDoc or a class derived from it. The window is created when
// `Open` runs; the canvas is `across` x `down` pages.
template <class ViewType, class DocType = CDrawDoc>
class ViewHarness {
 public:
  ViewHarness() {
    LinkDiagramLibrary();
    diagram = doc.GetDiagram();
    diagram->SetDocument(&doc);
  }
  ~ViewHarness() {
    doc.ClearUndoStack();
    doc.ClearRedoStack();
    if (view.GetSafeHwnd()) view.DestroyWindow();
  }
  ViewHarness(const ViewHarness&) = delete;
  ViewHarness& operator=(const ViewHarness&) = delete;

  // Opens the view at `percent` (0: scaled to fit).
  void Open(BYTE across = 1, BYTE down = 1, UINT percent = 100, int width = 800, int height = 600) {
    ASSERT_TRUE(diagram->SetCanvasSize(across, down));
    doc.AddView(&view);
    ASSERT_TRUE(view.CreateEx(0, u"AfxWnd", u"view", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, width, height),
                              nullptr, 0));
    CDrawView::c_uNewViewScalePercent = percent;
    view.OnInitialUpdate();
    ASSERT_EQ(view.GetDiagram(), diagram);
    view.SetActive(TRUE);
  }
  CSize Client() const {
    CRect r;
    view.GetClientRect(r);
    return r.Size();
  }

  SavedViewOptions saved;
  DocType doc;
  CDiagram* diagram = nullptr;
  ViewType view;
};

}  // namespace viewtest
