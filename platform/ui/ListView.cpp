#include "platform/ui/ListView.h"

#include "platform/ui/MessageMap.h"

IMPLEMENT_DYNCREATE(CListView, CView)

BEGIN_MESSAGE_MAP(CListView, CView)
  ON_WM_PAINT()
  ON_WM_CREATE()
  ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CListView::~CListView() { list_.m_hWnd = nullptr; }

CListCtrl& CListView::GetListCtrl() const {
  list_.m_hWnd = m_hWnd;
  return list_;
}

BOOL CListView::PreCreateWindow(CREATESTRUCT& cs) {
  cs.lpszClass = WC_LISTVIEWW;
  return CView::PreCreateWindow(cs);
}

void CListView::OnInitialUpdate() { CView::OnInitialUpdate(); }

void CListView::OnDraw(CDC*) {}

void CListView::OnPaint() { Default(); }

int CListView::OnCreate(LPCREATESTRUCT cs) {
  if (CView::OnCreate(cs) == -1) return -1;
  list_.m_hWnd = m_hWnd;
  return 0;
}

void CListView::OnNcDestroy() {
  list_.m_hWnd = nullptr;
  CView::OnNcDestroy();
}
