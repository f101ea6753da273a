#include "platform/ui/View.h"

#include "platform/gdi/DC.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/Document.h"
#include "platform/ui/MessageMap.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_PAINT()
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
