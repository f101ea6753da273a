#include "diagram/ui/DrawView.h"

#include <vector>

#include "diagram/model/Diagram.h"
#include "diagram/model/DrawDoc.h"
#include "diagram/model/DrawHint.h"
#include "diagram/model/DrawObj.h"
#include "platform/gdi/DC.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"

IMPLEMENT_DYNCREATE(CDrawView, CView)

int CDrawView::c_nSelectionProximity = 4;

namespace {

// The scale at which a document unit is a hundredth of an inch.
constexpr int kFullScale = 5000;

}  // namespace

CDrawView::CDrawView()
    : m_bCapture(FALSE), m_bActive(FALSE), m_scaleSize(kFullScale, kFullScale), m_bShowCrossLabels(FALSE), m_bInitialized(FALSE),
      m_pDiagram(nullptr) {}

CDrawView::~CDrawView() {
  if (m_pDiagram) m_pDiagram->RemoveViewRef(this);
}

CMenu* CDrawView::GetPopupMenu(int) { return nullptr; }

CWnd* CDrawView::SetCapture() {
  m_bCapture = TRUE;
  return CWnd::SetCapture();
}

void CDrawView::ReleaseCapture() {
  m_bCapture = FALSE;
  ::ReleaseCapture();
}

BOOL CDrawView::IsSelected(const CObject* object) const {
  return m_selection.Find(const_cast<CObject*>(object)) != nullptr;
}

CDrawDoc* CDrawView::GetDocument() const { return static_cast<CDrawDoc*>(m_pDocument); }

void CDrawView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
  CView::OnPrepareDC(dc, info);
  const BOOL upward = m_pDiagram ? m_pDiagram->IsUpwardPositive() : TRUE;
  dc->SetMapMode(MM_ANISOTROPIC);
  dc->SetWindowExt(100, upward ? -100 : 100);
  int x = dc->GetDeviceCaps(LOGPIXELSX);
  int y = dc->GetDeviceCaps(LOGPIXELSY);
  if (!dc->IsPrinting()) {
    x = x * m_scaleSize.cx / kFullScale;
    y = y * m_scaleSize.cy / kFullScale;
  }
  dc->SetViewportExt(x, y);
  if (!dc->IsPrinting() && m_pDiagram) {
    const CRect canvas = m_pDiagram->GetRect();
    dc->OffsetWindowOrg(canvas.left, canvas.top);
  }
}

void CDrawView::OnInitialUpdate() {
  CDrawDoc* document = GetDocument();
  CDiagram* diagram = document ? document->GetActiveDiagram() : nullptr;
  if (diagram != m_pDiagram) {
    if (m_pDiagram) m_pDiagram->RemoveViewRef(this);
    m_pDiagram = diagram;
    if (m_pDiagram) m_pDiagram->AddViewRef(this);
  }
  m_selection.RemoveAll();
  m_bInitialized = TRUE;
}

void CDrawView::SwitchToDiagram(CDiagram* diagram) {
  CDrawDoc* document = GetDocument();
  if (!document) return;
  if (m_pDiagram) m_pDiagram->RemoveViewRef(this);
  m_pDiagram = nullptr;
  CDiagram* current = document->GetActiveDiagram();
  document->SetActiveDiagram(diagram);
  OnInitialUpdate();
  if (!m_bActive) document->SetActiveDiagram(current);
}

void CDrawView::ClientToDoc(CPoint& point) {
  CClientDC dc(this);
  OnPrepareDC(&dc, nullptr);
  dc.DPtoLP(&point);
}

void CDrawView::ClientToDoc(CRect& rect) {
  CClientDC dc(this);
  OnPrepareDC(&dc, nullptr);
  dc.DPtoLP(rect);
}

void CDrawView::DocToClient(CPoint& point) {
  CClientDC dc(this);
  OnPrepareDC(&dc, nullptr);
  dc.LPtoDP(&point);
}

void CDrawView::DocToClient(CRect& rect) {
  CClientDC dc(this);
  OnPrepareDC(&dc, nullptr);
  dc.LPtoDP(rect);
  rect.NormalizeRect();
}

CRect CDrawView::GetDocSenstivityRectForClientPoint(CPoint point) {
  int side = c_nSelectionProximity;
  if (m_scaleSize.cx > kFullScale) side = side * m_scaleSize.cx / kFullScale;
  const int left = point.x - side / 2;
  const int top = point.y - side / 2;
  CRect rect(left, top, left + side, top + side);
  ClientToDoc(rect);
  rect.NormalizeRect();
  if (rect.Width() == 0) rect.right = rect.left + 1;
  if (rect.Height() == 0) rect.bottom = rect.top + 1;
  return rect;
}

void CDrawView::InvalObj(CDrawObj* object) { object->ViewInvalidate(this); }

void CDrawView::InvalidateObjects(const CObList* objects) {
  const CObList& list = objects ? *objects : m_selection;
  for (POSITION pos = list.GetHeadPosition(); pos;) InvalObj(static_cast<CDrawObj*>(list.GetNext(pos)));
}

void CDrawView::OnUpdate(CView*, LPARAM hint, CObject* hintObject) {
  if (!m_bInitialized) return;
  if (auto* drawHint = DYNAMIC_DOWNCAST(CDrawHint, hintObject)) {
    // A diagram's hints concern only the views that show it.
    if (drawHint->GetDiagram() != m_pDiagram) return;
    hintObject = drawHint->GetOther();
  }
  switch (hint) {
    case 0:
      if (!hintObject) Invalidate(FALSE);
      break;
    case CDrawHint::paperColorChanged:
    case CDrawHint::gridChanged:
      Invalidate(FALSE);
      break;
    case CDrawHint::diagramDestroyed:
      m_pDiagram = nullptr;
      m_selection.RemoveAll();
      break;
    case CDrawHint::contentsCleared:
      m_selection.RemoveAll();
      Invalidate(FALSE);
      break;
    case CDrawHint::objectChanged:
      if (auto* object = DYNAMIC_DOWNCAST(CDrawObj, hintObject)) InvalObj(object);
      break;
    case CDrawHint::objectRemoved:
      if (auto* object = DYNAMIC_DOWNCAST(CDrawObj, hintObject)) m_selection -= object;
      break;
    case 30:
      InvalidateObjects(DYNAMIC_DOWNCAST(CObList, hintObject));
      break;
    case 31: {
      const CObList* objects = DYNAMIC_DOWNCAST(CObList, hintObject);
      InvalidateObjects(objects);
      if (objects) {
        m_selection -= *objects;
      } else {
        m_selection.RemoveAll();
      }
      break;
    }
    default:
      break;
  }
}

void CDrawView::OnDraw(CDC* dc) {
  if (!m_pDiagram) return;
  CRect clip;
  if (dc->GetClipBox(clip) == NULLREGION) return;
  m_pDiagram->Draw(dc, clip, this);
}
