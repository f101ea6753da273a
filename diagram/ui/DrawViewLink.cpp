// The user interface's side of what the model asks of it (ViewLink.h):
// each function hands the request to the view or tool that answers it.
#include "diagram/model/document/ViewLink.h"
#include "diagram/ui/BockAboutPropertyPage.h"

#include "diagram/ui/ArcTool.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/PolyTool.h"
#include "diagram/ui/SysInfo.h"
#include "diagram/ui/TextDlg.h"
#include "platform/gdi/DC.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/WindowDC.h"

namespace viewlink {

CDiagram* DiagramOf(CDrawView* view) { return view->GetDiagram(); }

CDrawDoc* DocumentOf(CDrawView* view) { return view->GetDocument(); }

CDrawView* AsDrawView(CWnd* window) { return DYNAMIC_DOWNCAST(CDrawView, window); }

CView* ViewOf(CDrawView* view) { return view; }

std::unique_ptr<CPropertyPage> NewBlockAboutPage(CDrawBlock* block) {
  return std::make_unique<CBockAboutPropertyPage>(block);
}

void DocToClient(CDrawView* view, CPoint& point) { view->DocToClient(point); }

void DocToClient(CDrawView* view, CRect& rect) { view->DocToClient(rect); }

void ClientToDoc(CDrawView* view, CRect& rect) { view->ClientToDoc(rect); }

void ClientToDoc(CDrawView* view, CPoint& point) { view->ClientToDoc(point); }

BOOL IsInMdiChildFrame(CDrawView* view) { return DYNAMIC_DOWNCAST(CMDIChildWnd, view->GetParentFrame()) != nullptr; }

const CRuntimeClass* ViewClassOf(CDrawView* view) { return view->GetRuntimeClass(); }

void SwitchToDiagram(CDrawView* view, CDiagram* diagram) { view->SwitchToDiagram(diagram); }

CRect SensitivityRect(CDrawView* view, CPoint point) { return view->GetDocSenstivityRectForClientPoint(point); }

BOOL IsActive(CDrawView* view) { return view->IsActive(); }

BOOL IsSelected(CDrawView* view, const CObject* object) { return view->IsSelected(object); }

const CDrawList& Selection(CDrawView* view) { return view->GetSelection(); }

void Select(CDrawView* view, CDrawObj* object, int add) { view->Select(object, add); }

BOOL ShowsCrossLabels(CDrawView* view) { return view->ShowCrossLabels(); }

void InvalidateObject(CDrawView* view, CDrawObj* object) { view->InvalObj(object); }

void InvalidateClientRect(CDrawView* view, const CRect& rect) { view->InvalidateRect(rect, FALSE); }

CRect MeasureText(CDrawView* view, const CStringW& text, CFont* font, UINT format, CRect rect) {
  CClientDC dc(view);
  view->OnPrepareDC(&dc, nullptr);
  CFont* old = font ? dc.SelectObject(font) : nullptr;
  dc.DrawText(text, rect, format | DT_CALCRECT);
  if (old) dc.SelectObject(old);
  return rect;
}

void DrawFocusRect(CDrawView* view, const CRect& rect) {
  CRect client = rect;
  view->DocToClient(client);
  CClientDC dc(view);
  dc.DrawFocusRect(&client);
}

BOOL IsGdi16Bit() { return CSysInfo::IsGdi16Bit(); }

CMenu* PopupMenu(CDrawView* view, int index) { return view->GetPopupMenu(index); }

void SendUpdate(CObject* view, CView* sender, LPARAM hint, CObject* hintObject) {
  if (auto* drawView = DYNAMIC_DOWNCAST(CDrawView, view)) drawView->OnUpdate(sender, hint, hintObject);
}

void ReleaseCapture(CDrawView* view) { view->ReleaseCapture(); }

bool EditText(CDrawView* view, CStringW& text) {
  CTextDlg dialog(view);
  dialog.m_text = text;
  if (dialog.DoModal() != IDOK) return false;
  text = dialog.m_text;
  return true;
}

CDrawArc* ArcInProgress() {
  CArcTool* tool = CDrawToolSet::GetArcTool();
  return tool ? tool->GetArcInProgress() : nullptr;
}

int ResumeArc(CDrawArc* arc) {
  CArcTool* tool = CDrawToolSet::GetArcTool();
  return tool ? tool->ResumeArc(arc) : 0;
}

void ForgetArc(const CDrawArc* arc) {
  if (CArcTool* tool = CDrawToolSet::GetArcTool()) tool->ForgetArc(arc);
}

int FinishArc(CDrawPort* port) {
  CArcTool* tool = CDrawToolSet::GetArcTool();
  return tool ? tool->FinishArc(port) : 0;
}

int UnFinishArc(CDrawArc* arc, CDrawPort* port) {
  CArcTool* tool = CDrawToolSet::GetArcTool();
  return tool ? tool->UnFinishArc(arc, port) : 0;
}

void ForgetPoly(const CDrawPoly* poly) { CPolyTool::ForgetPoly(poly); }

}  // namespace viewlink
