#include "platform/ui/View.h"

#include "platform/gdi/DC.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/CreateContext.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MessageMap.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_PAINT()
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}

BOOL CView::IsSelected(const CObject*) const { return FALSE; }

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

BOOL CView::OnScroll(UINT, UINT, BOOL) { return FALSE; }

BOOL CView::OnScrollBy(CSize, BOOL) { return FALSE; }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

int CView::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
  if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  CFrameWnd* frame = GetParentFrame();
  if (frame && frame->GetActiveView() == this) frame->SetActiveView(nullptr, FALSE);
  CWnd::OnDestroy();
}

int CView::OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message) {
  const int result = CWnd::OnMouseActivate(desktop, hitTest, message);
  if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
  CFrameWnd* frame = GetParentFrame();
  if (frame && frame->GetActiveView() != this) frame->SetActiveView(this);
  return result;
}

void CView::OnActivateView(BOOL activate, CView*, CView*) {
  if (!activate) return;
  CWnd* top = GetTopLevelParent();
  if (top && top->m_hWnd == ::GetActiveWindow()) SetFocus();
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::PostNcDestroy() {
  if (m_deleteWithWindow) delete this;
}
