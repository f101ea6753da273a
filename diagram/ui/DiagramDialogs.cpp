// The members of CDiagram that open dialogs: the routing option sheet, the
// report of wires that could not be routed and the shape page of the
// property sheet. They belong to the user interface, above the model.
#include "diagram/model/canvas/Diagram.h"

#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/ui/ArcRouteAutoDlg.h"
#include "diagram/ui/ArcRouteDlg.h"
#include "diagram/ui/ArcRouteGeneralDlg.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/Failed2RouteDlg.h"
#include "diagram/ui/RectDlg.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/WinApp.h"

CDrawView* CDiagram::GetActiveViewOfThis() const {
  CDrawView* view = nullptr;
  if (auto* main = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd())) {
    if (CFrameWnd* frame = main->GetActiveFrame()) view = DYNAMIC_DOWNCAST(CDrawView, frame->GetActiveView());
  }
  return view && view->GetDiagram() == this ? view : nullptr;
}

void CDiagram::ReportArcRoutingFailure(const CDrawList& failedArcs) {
  if (failedArcs.IsEmpty()) return;
  // The failed arcs become the selection of the active view when that view
  // shows this diagram, so that the user finds them.
  int selected = 0;
  if (CDrawView* view = GetActiveViewOfThis()) {
    int add = 0;
    for (POSITION pos = failedArcs.GetHeadPosition(); pos;) {
      view->Select(failedArcs.GetNext(pos), add);
      add = 1;
    }
    selected = 1;
  }
  CFailed2RouteDlg dialog(static_cast<UINT>(failedArcs.GetCount()), selected);
  dialog.DoModal();
}

void CDiagram::ChangeRouteOptions() {
  if (m_nManualRouteMethod == 0) m_nManualRouteMethod = GetPreferredAutoRouteMethod();

  CArcRouteDlg manual;
  manual.m_nRouteWhat = m_nRouteWhat;
  manual.m_bSelected = m_bSelectedArcs;
  manual.m_bSelectedNodes = m_bSelectedNodes;
  manual.m_bSelectedBlocks = m_bSelectedBlocks;
  manual.m_nAlgorithm = static_cast<int>(m_nManualRouteMethod) - 1;

  CArcRouteGeneralDlg general;
  general.m_nTopMargin = static_cast<UINT>(m_autoRouteOption.m_nTopMargin);
  general.m_nBottomMargin = static_cast<UINT>(m_autoRouteOption.m_nBottomMargin);
  general.m_nLeftMargin = static_cast<UINT>(m_autoRouteOption.m_nLeftMargin);
  general.m_nRightMargin = static_cast<UINT>(m_autoRouteOption.m_nRightMargin);
  general.m_nMinDistance = m_autoRouteOption.m_nMinDistance - CArcRouteGeneralDlg::kFirstDistance;
  general.m_bJustBlocks = m_autoRouteOption.m_bRouteJustBlocks;

  CArcRouteAutoDlg automatic;
  const UINT liveMode = GetAutoRouteMode();
  const UINT liveMethod = GetAutoRouteMethod();
  automatic.m_bDisable = m_pRouter ? FALSE : TRUE;
  automatic.m_nRouteWhen = static_cast<int>(liveMode != 0 ? liveMode : m_nLastValidAutoRouteMode) - 1;
  automatic.m_nAlgorithm = static_cast<int>(liveMethod != 0 ? liveMethod : m_nLastValidAutoRouteMethod) - 1;

  CPropertySheet sheet(u"Arc/Link Routing & Page Boundary Options");
  sheet.AddPage(&manual);
  sheet.AddPage(&general);
  sheet.AddPage(&automatic);
  const INT_PTR result = sheet.DoModal();
  if (result == IDCANCEL) return;

  m_nRouteWhat = manual.m_nRouteWhat;
  m_bSelectedArcs = manual.m_bSelected;
  m_bSelectedNodes = manual.m_bSelectedNodes;
  m_bSelectedBlocks = manual.m_bSelectedBlocks;
  if (manual.m_nAlgorithm >= 0) m_nManualRouteMethod = static_cast<UINT>(manual.m_nAlgorithm) + 1;

  if (automatic.m_bDisable) {
    SetAutoRouteModeAndMethod(0, 0);
    m_nDefaultArcAutoRouteMode = 0;
  } else if (automatic.m_nRouteWhen >= 0 && automatic.m_nAlgorithm >= 0) {
    const UINT mode = static_cast<UINT>(automatic.m_nRouteWhen) + 1;
    const UINT method = static_cast<UINT>(automatic.m_nAlgorithm) + 1;
    SetAutoRouteModeAndMethod(mode, method);
    m_nDefaultArcAutoRouteMode = mode;
    m_nDefaultArcAutoRouteMethod = method;
    m_nLastValidAutoRouteMode = mode;
    m_nLastValidAutoRouteMethod = method;
  }

  m_autoRouteOption.m_nTopMargin = static_cast<int>(general.m_nTopMargin);
  m_autoRouteOption.m_nBottomMargin = static_cast<int>(general.m_nBottomMargin);
  m_autoRouteOption.m_nLeftMargin = static_cast<int>(general.m_nLeftMargin);
  m_autoRouteOption.m_nRightMargin = static_cast<int>(general.m_nRightMargin);
  const int distance = general.m_nMinDistance + CArcRouteGeneralDlg::kFirstDistance;
  if (general.m_nMinDistance >= 0 && distance != m_autoRouteOption.m_nMinDistance) {
    m_autoRouteOption.m_nMinDistance = distance;
    // A live router's model is laid out on the old spacing: start it again.
    if (m_pRouter) {
      const UINT mode = GetAutoRouteMode();
      const UINT method = GetAutoRouteMethod();
      SetAutoRouteModeAndMethod(0, 0);
      SetAutoRouteModeAndMethod(mode, method);
    }
  }
  m_autoRouteOption.m_bRouteJustBlocks = general.m_bJustBlocks;

  if (result == CArcRouteDlg::kRouteNowButton) {
    CDrawView* view = GetActiveViewOfThis();
    RouteArcs(view ? view->GetSelection() : CDrawList(), 0);
  }
}

int CDiagram::DoGeneralPropertyPage(CDrawList& objects, CPropertySheet* sheet) {
  if (!sheet || objects.IsEmpty()) return 2;
  CDiagram* diagram = objects.GetHead()->GetDiagram();
  if (!diagram) return 2;
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    if (objects.GetNext(pos)->GetDiagram() != diagram) return 2;
  }
  CDrawDoc* document = diagram->GetDocument();
  if (!document || !document->BeginUndoRecording(u"Edit General Properties", 255)) return 2;
  diagram->BeginDynamicRouteChanges();
  int result = 2;
  try {
    CRectDlg page;
    const CDrawObj* first = objects.GetHead();
    page.m_uLineWeight = first->GetPenSize();
    page.m_nPenStyle = first->GetPenStyle();
    page.m_crLineColor = first->GetLineColor();
    page.m_crFillColor = first->GetFillColor();
    page.m_crHatchColor = first->GetHatchColor();
    page.m_nHatchStyle = static_cast<UINT>(first->GetHatchStyle());
    page.m_bUseHatch = first->IsHatchEnabled();
    page.m_bNoFill = !first->IsFillEnabled();
    sheet->AddPage(&page);
    const INT_PTR answer = sheet->DoModal();
    sheet->RemovePage(&page);
    if (answer == IDOK) {
      for (POSITION pos = objects.GetHeadPosition(); pos;) ApplyGeneralProperties(objects.GetNext(pos), page);
      result = 1;
    }
  } catch (...) {
    diagram->EndDynamicRouteChanges();
    document->EndUndoRecording();
    throw;
  }
  diagram->EndDynamicRouteChanges();
  document->EndUndoRecording();
  return result;
}

void CDiagram::ApplyGeneralProperties(CDrawObj* object, const CRectDlg& page) {
  // Only what differs is set, so that each object's undo record holds its
  // real changes.
  const BOOL fill = !page.m_bNoFill;
  if (!object->IsFillEnabled() != !fill) object->EnableFill(fill);
  if (object->GetPenStyle() != page.m_nPenStyle || object->GetPenSize() != page.m_uLineWeight) {
    object->SetPenStyle(page.m_nPenStyle, page.m_uLineWeight);
  }
  if (object->GetLineColor() != page.m_crLineColor) object->SetLineColor(page.m_crLineColor);
  if (object->GetFillColor() != page.m_crFillColor) object->SetFillColor(page.m_crFillColor);
  if (object->GetHatchColor() != page.m_crHatchColor) object->SetHatchColor(page.m_crHatchColor);
  if (!object->IsHatchEnabled() != !page.m_bUseHatch) object->EnableHatch(page.m_bUseHatch);
  if (static_cast<UINT>(object->GetHatchStyle()) != page.m_nHatchStyle) {
    object->SetHatchStyle(static_cast<LONG>(page.m_nHatchStyle));
  }
}
