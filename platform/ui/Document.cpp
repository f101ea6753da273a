#include "platform/ui/Document.h"

#include <vector>

#include "platform/ui/View.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::~CDocument() {
  while (!m_viewList.IsEmpty()) static_cast<CView*>(m_viewList.RemoveHead())->m_pDocument = nullptr;
}

void CDocument::AddView(CView* view) {
  if (!view || view->m_pDocument == this) return;
  if (view->m_pDocument) view->m_pDocument->RemoveView(view);
  m_viewList.AddTail(view);
  view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
  if (POSITION pos = m_viewList.Find(view)) {
    m_viewList.RemoveAt(pos);
    view->m_pDocument = nullptr;
  }
}

CView* CDocument::GetNextView(POSITION& position) const { return static_cast<CView*>(m_viewList.GetNext(position)); }

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
  // A view may leave the document while it handles the update.
  std::vector<CView*> views;
  for (POSITION pos = m_viewList.GetHeadPosition(); pos;) views.push_back(GetNextView(pos));
  for (CView* view : views) {
    if (view != sender && m_viewList.Find(view)) view->OnUpdate(sender, hint, hintObject);
  }
}
