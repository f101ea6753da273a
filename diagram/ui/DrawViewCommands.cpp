// The view's command handlers for the tools, the selection, deleting, the
// style of the selection, the z-order, groups, vertices, the zoom steps,
// the diagram levels and a block's ports, with their update handlers.
#include <algorithm>
#include <vector>

#include "diagram/model/blocks/CompositeBlock.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/canvas/CompositeBlockDiagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/objects/DrawOleObj.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/ui/ArcTool.h"
#include "diagram/ui/BlockDlg.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/LineWeightDlg.h"
#include "diagram/ui/MonitorTool.h"
#include "diagram/ui/PlacerTool.h"
#include "diagram/ui/PolyTool.h"
#include "diagram/ui/RectTool.h"
#include "diagram/ui/SelectTool.h"
#include "diagram/ui/TextTool.h"
#include "diagram/ui/ZoomTool.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/MultiDocTemplate.h"
#include "platform/ui/PropertySheet.h"

namespace {

// The update hint that repaints a view from its own diagram.
constexpr LPARAM kHintRefresh = 10;
// The notification for a vertex that cannot go.
constexpr ULONG kTooFewPointsToRemove = 28;

// The selection with what `keep` refuses left out.
CDrawList Filtered(const CDrawList& selection, void (CDrawList::*exclude)()) {
  CDrawList list(selection);
  (list.*exclude)();
  return list;
}

// Whether the object is one whose style the style commands change: groups
// and OLE objects have none of their own.
bool IsStyled(CDrawObj* object) {
  return !object->IsKindOf(RUNTIME_CLASS(CDrawGroup)) && !object->IsKindOf(RUNTIME_CLASS(CDrawOleObj));
}

}  // namespace

// Tools.

void CDrawView::OnDrawSelect() { CDrawTool::SetActiveTool(CDrawToolSet::GetSelectTool()); }
void CDrawView::OnDrawLine() { CDrawTool::SetActiveTool(CDrawToolSet::GetRectTool(dsLine)); }
void CDrawView::OnDrawRect() { CDrawTool::SetActiveTool(CDrawToolSet::GetRectTool(dsRect)); }
void CDrawView::OnDrawRoundRect() { CDrawTool::SetActiveTool(CDrawToolSet::GetRectTool(dsRoundRect)); }
void CDrawView::OnDrawEllipse() { CDrawTool::SetActiveTool(CDrawToolSet::GetRectTool(dsEllipse)); }
void CDrawView::OnDrawPolygon() { CDrawTool::SetActiveTool(CDrawToolSet::GetPolyTool(dsPolygon)); }
void CDrawView::OnDrawPolyline() { CDrawTool::SetActiveTool(CDrawToolSet::GetPolyTool(dsPolyline)); }
void CDrawView::OnDrawText() { CDrawTool::SetActiveTool(CDrawToolSet::GetTextTool()); }
void CDrawView::OnDrawArc() { CDrawTool::SetActiveTool(CDrawToolSet::GetArcTool()); }
void CDrawView::OnDrawMonitor() { CDrawTool::SetActiveTool(CDrawToolSet::GetMonitorTool()); }
void CDrawView::OnViewZoomSelect() { CDrawTool::SetActiveTool(CDrawToolSet::GetZoomTool()); }

void CDrawView::OnUpdateDrawSelect(CCmdUI* cmdUI) {
  cmdUI->SetCheck(CDrawTool::GetActiveTool() == CDrawToolSet::GetSelectTool());
}
void CDrawView::OnUpdateDrawLine(CCmdUI* cmdUI) {
  cmdUI->SetCheck(CDrawTool::GetActiveTool() == CDrawToolSet::GetRectTool(dsLine));
}
void CDrawView::OnUpdateDrawRect(CCmdUI* cmdUI) {
  cmdUI->SetCheck(CDrawTool::GetActiveTool() == CDrawToolSet::GetRectTool(dsRect));
}
void CDrawView::OnUpdateDrawRoundRect(CCmdUI* cmdUI) {
  cmdUI->SetCheck(CDrawTool::GetActiveTool() == CDrawToolSet::GetRectTool(dsRoundRect));
}
void CDrawView::OnUpdateDrawEllipse(CCmdUI* cmdUI) {
  cmdUI->SetCheck(CDrawTool::GetActiveTool() == CDrawToolSet::GetRectTool(dsEllipse));
}
void CDrawView::OnUpdateDrawPolygon(CCmdUI* cmdUI) {
  cmdUI->SetCheck(CDrawTool::GetActiveTool() == CDrawToolSet::GetPolyTool(dsPolygon));
}
void CDrawView::OnUpdateDrawPolyline(CCmdUI* cmdUI) {
  cmdUI->SetCheck(CDrawTool::GetActiveTool() == CDrawToolSet::GetPolyTool(dsPolyline));
}
void CDrawView::OnUpdateDrawText(CCmdUI* cmdUI) {
  cmdUI->SetCheck(CDrawTool::GetActiveTool() == CDrawToolSet::GetTextTool());
}
void CDrawView::OnUpdateDrawArc(CCmdUI* cmdUI) {
  cmdUI->SetCheck(CDrawTool::GetActiveTool() == CDrawToolSet::GetArcTool());
}
void CDrawView::OnUpdateDrawMonitor(CCmdUI* cmdUI) {
  cmdUI->SetCheck(CDrawTool::GetActiveTool() == CDrawToolSet::GetMonitorTool());
}

void CDrawView::OnUpdateViewZoomSelect(CCmdUI* cmdUI) {
  cmdUI->SetCheck(CDrawTool::GetActiveTool() == CDrawToolSet::GetZoomTool());
  OnUpdateViewZoomIn(cmdUI);
}

void CDrawView::OnDrawBlock() { PlaceNewBlock(FALSE); }

void CDrawView::OnCfbNew() { PlaceNewBlock(TRUE); }

void CDrawView::PlaceNewBlock(BOOL composite) {
  CBlockDlg dialog(this);
  dialog.m_bComposite = composite;
  if (dialog.DoModal() != IDOK) return;
  const UINT code = dialog.m_uInputs * 100 + dialog.m_uOutputs;
  CPlacerTool* placer = dialog.m_bComposite ? CDrawToolSet::GetCompositeBlockTool() : CDrawToolSet::GetBlockTool();
  CDrawTool::SetActiveTool(placer);
  placer->StartPlacing(this, code);
}

void CDrawView::OnUpdateDrawBlock(CCmdUI* cmdUI) {
  const CDrawTool* active = CDrawTool::GetActiveTool();
  cmdUI->SetCheck(active == CDrawToolSet::GetBlockTool() || active == CDrawToolSet::GetCompositeBlockTool());
}

// Selection.

void CDrawView::OnEditSelectAll() {
  Select(nullptr, FALSE);
  if (!m_pDiagram) return;
  const CDrawList objects(m_pDiagram->GetObjects());
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    if (object->Selectable()) Select(object, TRUE);
  }
}

void CDrawView::OnUpdateEditSelectAll(CCmdUI* cmdUI) {
  cmdUI->Enable(m_pDiagram && !m_pDiagram->GetObjects().IsEmpty());
}

void CDrawView::OnUpdateSingleSelect(CCmdUI* cmdUI) { cmdUI->Enable(m_selection.GetCount() == 1); }

void CDrawView::OnUpdateAnySelect(CCmdUI* cmdUI) { cmdUI->Enable(!m_selection.IsEmpty()); }

void CDrawView::OnUpdateAnyNonGroupOrOLE(CCmdUI* cmdUI) {
  BOOL enable = FALSE;
  for (POSITION pos = m_selection.GetHeadPosition(); pos && !enable;) enable = IsStyled(m_selection.GetNext(pos));
  cmdUI->Enable(enable);
}

void CDrawView::OnUpdateEditProperties(CCmdUI* cmdUI) {
  cmdUI->Enable(!m_selection.IsEmpty() && CDrawTool::GetActiveTool() == CDrawToolSet::GetSelectTool());
}

void CDrawView::OnEditClear() {
  if (m_selection.IsEmpty() || !m_pDiagram) return;
  const CWaitCursor wait;
  CDrawDoc* document = GetDocument();
  if (document && !document->BeginUndoRecording(u"Delete", 255)) return;
  CDiagram* diagram = m_pDiagram;
  diagram->BeginDynamicRouteChanges();
  CDrawList objects(m_selection);
  objects.ExcludeNonDeleteables();
  objects.IncludeElementComponents();
  OnUpdate(nullptr, 30, nullptr);
  m_selection.RemoveAll();
  diagram->UpdateDiagramViews(nullptr, 31, &objects);
  // Wires first, so that no element takes one with it that is still listed.
  CDrawList arcs;
  arcs.CopyFromFilter(objects, RUNTIME_CLASS(CDrawArc));
  objects -= arcs;
  for (POSITION pos = arcs.GetHeadPosition(); pos;) arcs.GetNext(pos)->Delete();
  objects.ExcludeElementComponents();
  // An element may take listed objects with it: each is looked at only
  // while the list still holds it.
  while (!objects.IsEmpty()) {
    CDrawObj* object = objects.RemoveHead();
    object->Delete();
  }
  diagram->EndDynamicRouteChanges();
  if (document) document->EndUndoRecording();
}

void CDrawView::OnUpdateEditClear(CCmdUI* cmdUI) {
  CDrawList objects(m_selection);
  objects.ExcludeElementComponents();
  objects.ExcludeNonDeleteables();
  cmdUI->Enable(!objects.IsEmpty());
}

// Style of the selection.

void CDrawView::ApplyToSelection(LPCWSTR recording, bool routeBatch, void (*apply)(CDrawObj*, int), int value) {
  if (!m_pDiagram) return;
  CDrawDoc* document = GetDocument();
  if (document && !document->BeginUndoRecording(recording, 255)) return;
  if (routeBatch) m_pDiagram->BeginDynamicRouteChanges();
  const CDrawList objects(m_selection);
  for (POSITION pos = objects.GetHeadPosition(); pos;) apply(objects.GetNext(pos), value);
  if (routeBatch) m_pDiagram->EndDynamicRouteChanges();
  if (document) document->EndUndoRecording();
}

void CDrawView::OnObjectLineWeight() {
  if (!m_pDiagram || m_selection.IsEmpty()) return;
  CLineWeightDlg dialog(this);
  dialog.m_uWeight = m_selection.GetCount() == 1 ? m_selection.GetHead()->GetPenSize() : 1;
  if (dialog.DoModal() != IDOK) return;
  ApplyToSelection(u"Line Weight", true,
                   [](CDrawObj* object, int width) {
                     if (object->GetPenSize() != static_cast<UINT>(width)) object->SetPenSize(static_cast<UINT>(width));
                   },
                   static_cast<int>(dialog.m_uWeight));
}

void CDrawView::OnObjectLineType(int style) {
  ApplyToSelection(u"Line Style", true, [](CDrawObj* object, int n) { object->SetPenStyle(static_cast<UINT>(n), TRUE); },
                   style);
}

void CDrawView::OnObjectHatchStyle(int style) {
  ApplyToSelection(u"Hatch Style", false,
                   [](CDrawObj* object, int n) {
                     object->SetHatchStyle(n);
                     object->EnableHatch(TRUE);
                   },
                   style);
}

void CDrawView::OnObjectLineTypeSolid() { OnObjectLineType(0); }
void CDrawView::OnObjectLineTypeDash() { OnObjectLineType(1); }
void CDrawView::OnObjectLineTypeDot() { OnObjectLineType(2); }
void CDrawView::OnObjectLineTypeDashdot() { OnObjectLineType(3); }
void CDrawView::OnObjectLineTypeDashdotdot() { OnObjectLineType(4); }
void CDrawView::OnObjectLineTypeNull() { OnObjectLineType(5); }
void CDrawView::OnObjectLineTypeInsideframe() { OnObjectLineType(6); }
void CDrawView::OnObjectHsHorizontal() { OnObjectHatchStyle(0); }
void CDrawView::OnObjectHsVertical() { OnObjectHatchStyle(1); }
void CDrawView::OnObjectHsFdiagonal() { OnObjectHatchStyle(2); }
void CDrawView::OnObjectHsBdiagonal() { OnObjectHatchStyle(3); }
void CDrawView::OnObjectHsCross() { OnObjectHatchStyle(4); }
void CDrawView::OnObjectHsDiagcross() { OnObjectHatchStyle(5); }

void CDrawView::OnObjectHsNone() {
  ApplyToSelection(u"Hatch Style", false, [](CDrawObj* object, int) { object->EnableHatch(FALSE); }, 0);
}

void CDrawView::OnObjectTransparent() {
  ApplyToSelection(u"Transparent Fill", false, [](CDrawObj* object, int) { object->EnableFill(FALSE); }, 0);
}

void CDrawView::OnObjectOpaque() {
  ApplyToSelection(u"Opaque Fill", false, [](CDrawObj* object, int) { object->EnableFill(TRUE); }, 0);
}

void CDrawView::OnObjectToggleUsefill() {
  if (m_selection.IsEmpty()) return;
  ApplyToSelection(u"Object Toggle Use Fill", false,
                   [](CDrawObj* object, int) { object->EnableFill(!object->IsFillEnabled()); }, 0);
}

void CDrawView::OnObjectToggleUsehatch() {
  if (m_selection.IsEmpty()) return;
  ApplyToSelection(u"Object Toggle Use Hatch", false,
                   [](CDrawObj* object, int) { object->EnableHatch(!object->IsHatchEnabled()); }, 0);
}

void CDrawView::OnUpdateObjectToggleUsefill(CCmdUI* cmdUI) {
  OnUpdateAnyNonGroupOrOLE(cmdUI);
  if (m_selection.GetCount() == 1) {
    cmdUI->SetCheck(m_selection.GetHead()->IsFillEnabled() ? 1 : 0);
  } else if (m_selection.GetCount() > 1) {
    cmdUI->SetCheck(0);
  }
}

void CDrawView::OnUpdateObjectToggleUsehatch(CCmdUI* cmdUI) {
  OnUpdateAnyNonGroupOrOLE(cmdUI);
  if (m_selection.GetCount() == 1) {
    cmdUI->SetCheck(m_selection.GetHead()->IsHatchEnabled() ? 1 : 0);
  } else if (m_selection.GetCount() > 1) {
    cmdUI->SetCheck(0);
  }
}

// Z-order.

void CDrawView::OnObjectMoveBack() {
  if (m_pDiagram && m_selection.GetCount() == 1) m_pDiagram->MoveBack(m_selection.GetHead(), TRUE);
}

void CDrawView::OnObjectMoveForward() {
  if (m_pDiagram && m_selection.GetCount() == 1) m_pDiagram->MoveFoward(m_selection.GetHead(), TRUE);
}

void CDrawView::OnObjectMoveToBack() {
  if (!m_pDiagram) return;
  CDrawDoc* document = GetDocument();
  if (document && !document->BeginUndoRecording(u"MoveToBack", 255)) return;
  CDrawList objects(m_selection);
  objects.IncludeElementComponents();
  m_pDiagram->SortInDrawOrder(objects);
  // The front-most goes back first, so that the others end up behind it
  // in their own order.
  for (POSITION pos = objects.GetTailPosition(); pos;) m_pDiagram->MoveToBack(objects.GetPrev(pos));
  if (document) document->EndUndoRecording();
}

void CDrawView::OnObjectMoveToFront() {
  if (!m_pDiagram) return;
  CDrawDoc* document = GetDocument();
  if (document && !document->BeginUndoRecording(u"MoveToFront", 255)) return;
  CDrawList objects(m_selection);
  objects.IncludeElementComponents();
  m_pDiagram->SortInDrawOrder(objects);
  for (POSITION pos = objects.GetHeadPosition(); pos;) m_pDiagram->MoveToFront(objects.GetNext(pos));
  if (document) document->EndUndoRecording();
}

// Groups.

void CDrawView::GroupSelection(LPCWSTR recording, int bFlatten) {
  if (!m_pDiagram) return;
  CDrawList members(m_selection);
  members.ExcludeNonGroupables();
  if (members.GetCount() < 2) return;
  CDrawDoc* document = GetDocument();
  if (document && !document->BeginUndoRecording(recording, 255)) return;
  if (CDrawGroup* group = m_pDiagram->MakeDrawGroup()) {
    if (m_pDiagram->Add(group)) {
      group->SetMembers(members, bFlatten);
      Select(group, FALSE);
    } else {
      delete group;
    }
  }
  if (document) document->EndUndoRecording();
}

void CDrawView::OnObjectGroup() { GroupSelection(u"Group", FALSE); }

void CDrawView::OnObjectRegroup() { GroupSelection(u"Regroup", TRUE); }

void CDrawView::OnUpdateObjectGroup(CCmdUI* cmdUI) {
  cmdUI->Enable(Filtered(m_selection, &CDrawList::ExcludeNonGroupables).GetCount() >= 2);
}

void CDrawView::OnUpdateObjectReGroup(CCmdUI* cmdUI) {
  const CDrawList members = Filtered(m_selection, &CDrawList::ExcludeNonGroupables);
  cmdUI->Enable(members.GetCount() >= 2 && members.HasA(RUNTIME_CLASS(CDrawGroup)));
}

void CDrawView::OnObjectUngroup() {
  if (m_selection.GetCount() != 1) return;
  auto* group = DYNAMIC_DOWNCAST(CDrawGroup, m_selection.GetHead());
  if (!group) return;
  CDrawDoc* document = GetDocument();
  if (document && !document->BeginUndoRecording(u"Ungroup", 255)) return;
  CDrawList released;
  group->UnGroup(released);
  group->Delete();
  if (document) document->EndUndoRecording();
  for (POSITION pos = released.GetHeadPosition(); pos;) Select(released.GetNext(pos), TRUE);
}

void CDrawView::OnUpdateObjectUngroup(CCmdUI* cmdUI) {
  cmdUI->Enable(m_selection.GetCount() == 1 && m_selection.GetHead()->IsKindOf(RUNTIME_CLASS(CDrawGroup)));
}

// Vertices.

namespace {

CDrawPoly* SolePoly(const CDrawList& selection) {
  return selection.GetCount() == 1 ? DYNAMIC_DOWNCAST(CDrawPoly, selection.GetHead()) : nullptr;
}

// The remembered handle, or the middle one when it is none or past the end.
int ChosenHandle(CDrawPoly* poly) {
  const int count = poly->GetHandleCount();
  const int remembered = static_cast<int>(poly->GetPointDownIndex());
  return remembered == 0 || remembered > count ? count / 2 : remembered;
}

}  // namespace

void CDrawView::OnPolypointAddsegment() {
  CDrawPoly* poly = SolePoly(m_selection);
  if (!poly || !poly->UserMayAddPoints() || !m_pDiagram) return;
  m_pDiagram->BeginDynamicRouteChanges();
  const int count = poly->GetHandleCount();
  const int handle = std::max(ChosenHandle(poly), 1);
  const CPoint a = poly->GetHandle(handle);
  const CPoint b = poly->GetHandle(handle == count ? 1 : handle + 1);
  poly->InsertPoint(handle, CPoint((a.x + b.x) / 2, (a.y + b.y) / 2), this);
  m_pDiagram->EndDynamicRouteChanges();
}

void CDrawView::OnPolypointRemovesegment() {
  CDrawPoly* poly = SolePoly(m_selection);
  if (!poly || !poly->UserMayRemovePoints() || !m_pDiagram) return;
  m_pDiagram->BeginDynamicRouteChanges();
  if (poly->GetHandleCount() < 3) {
    CMsgBox::Notify(kTooFewPointsToRemove);
  } else {
    const int handle = ChosenHandle(poly);
    poly->RemovePoint(handle == 1 && poly->IsPolyLine() ? 1 : std::max(handle - 1, 1), this);
  }
  m_pDiagram->EndDynamicRouteChanges();
}

void CDrawView::OnUpdatePolypointAddsegment(CCmdUI* cmdUI) {
  CDrawPoly* poly = SolePoly(m_selection);
  cmdUI->Enable(poly && poly->UserMayAddPoints());
}

void CDrawView::OnUpdatePolypointRemovesegment(CCmdUI* cmdUI) {
  CDrawPoly* poly = SolePoly(m_selection);
  cmdUI->Enable(poly && poly->UserMayRemovePoints());
}

// Zoom.

void CDrawView::ZoomTo(int scale) { Scale(CSize(scale, scale)); }

void CDrawView::UpdateZoomStep(CCmdUI* cmdUI, int scale) {
  cmdUI->Enable(m_canvasScaleLimits.cx > scale && m_canvasScaleLimits.cy > scale);
  cmdUI->SetCheck(m_scaleSize.cx == scale && m_scaleSize.cy == scale);
}

void CDrawView::OnScale25() { ZoomTo(1250); }
void CDrawView::OnScale50() { ZoomTo(2500); }
void CDrawView::OnViewNormalSize() { ZoomTo(5000); }
void CDrawView::OnScale150() { ZoomTo(7500); }
void CDrawView::OnScale200() { ZoomTo(10000); }
void CDrawView::OnScale300() { ZoomTo(15000); }
void CDrawView::OnScale400() { ZoomTo(20000); }
void CDrawView::OnUpdateScale25(CCmdUI* cmdUI) { UpdateZoomStep(cmdUI, 1250); }
void CDrawView::OnUpdateScale50(CCmdUI* cmdUI) { UpdateZoomStep(cmdUI, 2500); }
void CDrawView::OnUpdateViewNormalSize(CCmdUI* cmdUI) { UpdateZoomStep(cmdUI, 5000); }
void CDrawView::OnUpdateScale150(CCmdUI* cmdUI) { UpdateZoomStep(cmdUI, 7500); }
void CDrawView::OnUpdateScale200(CCmdUI* cmdUI) { UpdateZoomStep(cmdUI, 10000); }
void CDrawView::OnUpdateScale300(CCmdUI* cmdUI) { UpdateZoomStep(cmdUI, 15000); }
void CDrawView::OnUpdateScale400(CCmdUI* cmdUI) { UpdateZoomStep(cmdUI, 20000); }

void CDrawView::OnViewZoomIn() {
  const int most = GetScaleMaxSize();
  const int step = GetScaleIncrementSize();
  if (m_scaleSize.cx >= most || m_scaleSize.cy >= most) return;
  const auto up = [most, step](LONG c) { return std::min<LONG>(c + step - c % step, most); };
  Scale(CSize(up(m_scaleSize.cx), up(m_scaleSize.cy)));
}

void CDrawView::OnViewZoomOut() {
  const int least = GetScaleMinSize();
  const int step = GetScaleIncrementSize();
  if (m_scaleSize.cx <= least || m_scaleSize.cy <= least) return;
  const auto down = [least, step](LONG c) {
    const LONG by = c % step == 0 ? step : c % step;
    return std::max<LONG>(c - by, least);
  };
  Scale(CSize(down(m_scaleSize.cx), down(m_scaleSize.cy)));
}

void CDrawView::OnUpdateViewZoomIn(CCmdUI* cmdUI) {
  const int step = GetScaleIncrementSize();
  cmdUI->Enable(std::max(m_scaleSize.cx, m_scaleSize.cy) < GetScaleMaxSize() &&
                m_scaleSize.cx < m_canvasScaleLimits.cx - step && m_scaleSize.cy < m_canvasScaleLimits.cy - step);
}

void CDrawView::OnUpdateViewZoomOut(CCmdUI* cmdUI) {
  cmdUI->Enable(std::min(m_scaleSize.cx, m_scaleSize.cy) > GetScaleMinSize());
}

void CDrawView::OnViewRefresh() { OnUpdate(this, kHintRefresh, nullptr); }

// Diagram levels.

void CDrawView::OpenDiagramLevel(CDiagram* diagram, CDocTemplate* docTemplate) {
  if (!diagram) return;
  if (!DYNAMIC_DOWNCAST(CMDIChildWnd, GetParentFrame())) {
    SwitchToDiagram(diagram);
    return;
  }
  if (!diagram->OpenDiagramView(GetRuntimeClass())) diagram->CreateDiagramView(docTemplate);
}

void CDrawView::OnDiagramOpenTop() {
  CDrawDoc* document = GetDocument();
  if (!document || document->GetDiagram() == m_pDiagram) return;
  OpenDiagramLevel(document->GetDiagram(), document->GetDocTemplate());
}

void CDrawView::OnUpdateDiagramOpenTop(CCmdUI* cmdUI) {
  CDrawDoc* document = GetDocument();
  cmdUI->Enable(document && m_pDiagram && document->GetDiagram() != m_pDiagram);
}

void CDrawView::OnDiagramOpenParent() {
  CDiagram* parent = m_pDiagram ? m_pDiagram->GetParentDiagram() : nullptr;
  if (!parent) return;
  CDrawDoc* document = GetDocument();
  CDocTemplate* docTemplate = document ? document->GetDocTemplate() : nullptr;
  if (auto* owner = DYNAMIC_DOWNCAST(CDrawBlock, parent->GetHostObj())) {
    if (owner->GetInternalDiagram()) docTemplate = owner->GetInternalDiagram()->GetDocTemplate();
  }
  OpenDiagramLevel(parent, docTemplate);
}

void CDrawView::OnUpdateDiagramOpenParent(CCmdUI* cmdUI) {
  cmdUI->Enable(m_pDiagram && m_pDiagram->GetParentDiagram());
}

void CDrawView::OnDiagramBlockProperties() {
  auto* owner = m_pDiagram ? DYNAMIC_DOWNCAST(CCompositeBlock, m_pDiagram->GetHostObj()) : nullptr;
  if (owner) owner->OnEditProperties(this);
}

void CDrawView::OnUpdateDiagramBlockProperties(CCmdUI* cmdUI) {
  cmdUI->Enable(m_pDiagram && DYNAMIC_DOWNCAST(CCompositeBlock, m_pDiagram->GetHostObj()));
}

void CDrawView::OnCfbOpen() {
  if (CDrawObj* block = m_selection.GetLastSelectedClassType(RUNTIME_CLASS(CCompositeBlock))) block->OnOpen(this);
}

// A block's ports.

CDrawBlock* CDrawView::PortCommandBlock() const {
  if (m_selection.IsEmpty()) return m_pDiagram ? DYNAMIC_DOWNCAST(CDrawBlock, m_pDiagram->GetHostObj()) : nullptr;
  if (m_selection.GetCount() != 1) return nullptr;
  return DYNAMIC_DOWNCAST(CDrawBlock, m_selection.GetHead());
}

void CDrawView::OnFbAddInPort() {
  if (CDrawBlock* block = PortCommandBlock()) block->AddNewInPort();
}

void CDrawView::OnFbAddOutPort() {
  if (CDrawBlock* block = PortCommandBlock()) block->AddNewOutPort();
}

void CDrawView::OnUpdateFbAddInPort(CCmdUI* cmdUI) {
  CDrawBlock* block = PortCommandBlock();
  cmdUI->Enable(block && block->UserCanAddInPorts());
}

void CDrawView::OnUpdateFbAddOutPort(CCmdUI* cmdUI) {
  CDrawBlock* block = PortCommandBlock();
  cmdUI->Enable(block && block->UserCanAddOutPorts());
}

// Properties.

void CDrawView::OnEditProperties() {
  if (CDrawTool::GetActiveTool() != CDrawToolSet::GetSelectTool() || m_selection.IsEmpty()) return;
  if (m_selection.GetCount() == 1) {
    m_selection.GetHead()->OnEditProperties(this);
  } else {
    OnEditPropertiesForMultipleSelections();
  }
}

void CDrawView::OnEditPropertiesForMultipleSelections() {
  CDrawDoc* document = GetDocument();
  if (!document || !m_pDiagram) return;
  if (!document->BeginUndoRecording(u"Edit Multiple Object Properties", 255)) return;
  m_pDiagram->BeginDynamicRouteChanges();
  CPropertySheet sheet(u"Multiple Shape Properties", this);
  sheet.m_psh.dwFlags &= ~PSH_HASHELP;
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  m_pDiagram->DoGeneralPropertyPage(m_selection, &sheet);
  m_pDiagram->EndDynamicRouteChanges();
  document->EndUndoRecording();
}

// The states of the fitting zooms.

void CDrawView::UpdateFittingZoom(CCmdUI* cmdUI, CSize fit) {
  const int most = GetScaleMaxSize();
  const int least = GetScaleMinSize();
  const CSize now = m_scaleSize;
  const CSize limits = m_canvasScaleLimits;
  const bool fitsAbove = fit.cx <= most && fit.cy <= most && fit.cx <= limits.cx && fit.cy <= limits.cy;
  const bool roomAbove = (now.cx < most && now.cx < limits.cx) || (now.cy < most && now.cy < limits.cy);
  const bool fitsBelow = fit.cx >= least && fit.cy >= least;
  const bool roomBelow = now.cx > least || now.cy > least;
  cmdUI->Enable((fitsAbove || roomAbove) && (fitsBelow || roomBelow));
  cmdUI->SetCheck(now == fit);
}

void CDrawView::OnUpdateViewScaleToFit(CCmdUI* cmdUI) { UpdateFittingZoom(cmdUI, GetScaleToFit()); }

void CDrawView::OnUpdateViewScaleToWidth(CCmdUI* cmdUI) { UpdateFittingZoom(cmdUI, GetScaleToWidth()); }
