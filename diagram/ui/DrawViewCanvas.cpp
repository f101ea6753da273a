// The view's canvas-size and custom-zoom commands.
#include <algorithm>
#include <iterator>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/undo/UndoRecordingScope.h"
#include "diagram/ui/CustomScaleDlg.h"
#include "diagram/ui/DocSizeConfigmDlg.h"
#include "diagram/ui/DocSizeDlg.h"
#include "diagram/ui/DrawView.h"
#include "platform/ui/CmdTarget.h"

namespace {

// Scale units per percent.
constexpr int kScalePerPercent = 50;

// A page count the dialogs can hold.
BYTE PageCount(LONG pages) { return static_cast<BYTE>(std::clamp<LONG>(pages, 1, 255)); }

// The canvas of `pages` pages of `page` units in the diagram's canvas mode,
// normalised: centred on the origin (mode 0) or starting at it.
CRect CanvasRect(int canvasMode, CSize pages, CSize page) {
  const LONG width = pages.cx * page.cx;
  const LONG height = pages.cy * page.cy;
  if (canvasMode == 0) return CRect(-width / 2, -height / 2, width - width / 2, height - height / 2);
  return CRect(0, 0, width, height);
}

}  // namespace

void CDrawView::OnViewCanvassize() {
  CDiagram* diagram = m_pDiagram;
  if (!diagram) return;
  const CSize pages = diagram->GetCanvasSize();
  int minAcross = 1;
  int minDown = 1;
  diagram->GetMinPagesToCover(diagram->ComputeDrawingExtent(), diagram->GetCanvasMode(), diagram->IsUpwardPositive(),
                              minAcross, minDown);

  CDocSizeDlg dialog(this);
  dialog.m_nPagesAcross = PageCount(pages.cx);
  dialog.m_nPagesDown = PageCount(pages.cy);
  // The diagram holds at most its largest canvas; the present size is
  // always accepted.
  const CSize most = diagram->GetMaxCanvasSize();
  dialog.m_nMaxAcross = std::max(PageCount(most.cx), dialog.m_nPagesAcross);
  dialog.m_nMaxDown = std::max(PageCount(most.cy), dialog.m_nPagesDown);
  if (dialog.DoModal() != IDOK) return;
  CSize chosen(dialog.m_nPagesAcross, dialog.m_nPagesDown);
  if (chosen == pages) return;
  if (chosen.cx < minAcross || chosen.cy < minDown) {
    // The objects must move. A drawing larger than the chosen canvas keeps
    // the pages it needs on that axis, so that the moved objects lie on the
    // new canvas and the canvas never grows past its old size.
    CRect extent = diagram->ComputeDrawingExtent();
    extent.NormalizeRect();
    const CSize page = diagram->GetPageSize();
    CRect forced;
    for (;;) {
      const CRect bounds = CanvasRect(diagram->GetCanvasMode(), chosen, page);
      forced = extent;
      diagram->ForceRectWithinBounds(forced, bounds);
      const bool widthFits = forced.left >= bounds.left && forced.right <= bounds.right;
      const bool heightFits = forced.top >= bounds.top && forced.bottom <= bounds.bottom;
      const bool growAcross = !widthFits && chosen.cx < pages.cx;
      const bool growDown = !heightFits && chosen.cy < pages.cy;
      if (!growAcross && !growDown) break;
      chosen += CSize(growAcross ? 1 : 0, growDown ? 1 : 0);
    }
    if (chosen == pages) return;
    if (chosen.cx < minAcross || chosen.cy < minDown) {
      CDocSizeConfigmDlg confirm(this);
      confirm.m_nPagesAcross = PageCount(chosen.cx);
      confirm.m_nPagesDown = PageCount(chosen.cy);
      if (confirm.DoModal() != IDOK) return;
      MoveObjectsAndSetCanvasSize(forced.TopLeft() - extent.TopLeft(), PageCount(chosen.cx), PageCount(chosen.cy));
      return;
    }
  }
  diagram->SetCanvasSize(PageCount(chosen.cx), PageCount(chosen.cy));
}

void CDrawView::MoveObjectsAndSetCanvasSize(CSize shift, BYTE across, BYTE down) {
  CDiagram* diagram = m_pDiagram;
  CUndoRecordingScope recording(GetDocument());
  if (!recording.Begin(u"Move Objects and Set Canvas Size", 255)) return;
  const CWaitCursor wait;
  // Automatic routing is off while the objects move, and back as it was
  // however the move ends.
  const UINT routeMode = diagram->GetAutoRouteMode();
  const UINT routeMethod = diagram->GetAutoRouteMethod();
  diagram->SetAutoRouteModeAndMethod(0, 0);
  try {
    CDrawList objects(diagram->GetObjects());
    objects.ExcludeElementComponents();
    // Wires first: a block that moves after them takes their ends along.
    CDrawList ordered;
    ordered.CopyFromFilter(objects, RUNTIME_CLASS(CDrawArc));
    objects -= ordered;
    for (POSITION pos = objects.GetHeadPosition(); pos;) ordered.AddTail(objects.GetNext(pos));
    for (POSITION pos = ordered.GetHeadPosition(); pos;) {
      CDrawObj* object = ordered.GetNext(pos);
      object->InitializeRepositioning();
      object->FinalizeDrawing(object->GetPosition() + shift, this, 1);
    }
    // The extent grew with every move; the canvas is sized for where the
    // objects are now.
    diagram->ComputeDrawingExtent();
    diagram->SetCanvasSize(across, down);
  } catch (...) {
    diagram->SetAutoRouteModeAndMethod(routeMode, routeMethod);
    throw;
  }
  diagram->SetAutoRouteModeAndMethod(routeMode, routeMethod);
  recording.End();
}

// Custom zoom.

void CDrawView::OnViewCustom() {
  CCustomScaleDlg dialog(this);
  dialog.m_nChoice = CCustomScaleDlg::kPercentChoice;
  dialog.m_uPercent = static_cast<UINT>(std::min(m_scaleSize.cx, m_scaleSize.cy) / kScalePerPercent);
  dialog.m_uMinPercent = static_cast<UINT>(GetScaleMinSize() / kScalePerPercent);
  const LONG largest = std::min<LONG>(std::min(m_canvasScaleLimits.cx, m_canvasScaleLimits.cy), GetScaleMaxSize());
  dialog.m_uMaxPercent = static_cast<UINT>(std::max<LONG>(largest, 0) / kScalePerPercent);
  const INT_PTR result = dialog.DoModal();
  if (result == CCustomScaleDlg::kZoomLastResult) {
    OnViewLastZoom();
    return;
  }
  if (result != IDOK) return;
  // The presets in the dialog's order of choices.
  static void (CDrawView::*const presets[])() = {&CDrawView::OnScale400, &CDrawView::OnScale300,
                                                 &CDrawView::OnScale200, &CDrawView::OnScale150,
                                                 &CDrawView::OnViewNormalSize, &CDrawView::OnScale50,
                                                 &CDrawView::OnScale25};
  const int choice = dialog.m_nChoice;
  if (choice >= 0 && choice < static_cast<int>(std::size(presets))) {
    (this->*presets[choice])();
  } else if (choice == CCustomScaleDlg::kAllPagesChoice) {
    OnViewScaleToFit();
  } else if (choice == CCustomScaleDlg::kPercentChoice) {
    const long long wanted = static_cast<long long>(dialog.m_uPercent) * kScalePerPercent;
    const int scale = static_cast<int>(std::min<long long>(wanted, GetScaleMaxSize()));
    Scale(CSize(scale, scale));
  }
}

void CDrawView::OnUpdateViewCustom(CCmdUI* cmdUI) { cmdUI->Enable(TRUE); }
