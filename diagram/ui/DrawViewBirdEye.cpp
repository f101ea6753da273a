// The view's side of the bird's-eye window: the command that shows and
// hides it, the tracker updates after scrolling and zooming, and its end.
#include "diagram/ui/BirdEyeWnd.h"
#include "diagram/ui/DrawView.h"

#include "diagram/model/document/DrawDoc.h"
#include "platform/ole/OleClientItem.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/WindowApi.h"

CBirdEyeWnd* CDrawView::GetBirdEyeWnd() const {
  return m_bBirdEyeShown ? static_cast<CBirdEyeWnd*>(m_pBirdEyeWnd) : nullptr;
}

void CDrawView::OnViewBirdeye() {
  if (m_bBirdEyeShown) {
    DestroyBirdEye();
    return;
  }
  if (!m_pDiagram) return;
  CString title(u"Bird's eye of ");
  if (CFrameWnd* frame = GetParentFrame()) {
    CString frameTitle;
    frame->GetWindowText(frameTitle);
    title += frameTitle;
  }
  auto* window = new CBirdEyeWnd;
  m_pBirdEyeWnd = window;
  m_bBirdEyeShown = TRUE;
  if (!window->Create(this, title)) {
    // When the window itself cannot be made, its PostNcDestroy has already
    // handed the object back (YourBirdEyeHaveBeenDestroyed deleted it); one
    // refused before that is dropped here.
    if (m_pBirdEyeWnd == window) {
      m_pBirdEyeWnd = nullptr;
      m_bBirdEyeShown = FALSE;
      delete window;
    }
    return;
  }
  window->UpdateTracker();
}

void CDrawView::OnUpdateViewBirdeye(CCmdUI* cmdUI) { cmdUI->SetCheck(m_bBirdEyeShown ? 1 : 0); }

void CDrawView::YourBirdEyeHaveBeenDestroyed() {
  CWnd* window = m_pBirdEyeWnd;
  m_pBirdEyeWnd = nullptr;
  m_bBirdEyeShown = FALSE;
  delete window;
}

void CDrawView::DestroyBirdEye() {
  if (!m_bBirdEyeShown || !m_pBirdEyeWnd) return;
  // The window's end calls YourBirdEyeHaveBeenDestroyed, which deletes it.
  if (m_pBirdEyeWnd->GetSafeHwnd()) {
    m_pBirdEyeWnd->DestroyWindow();
  } else {
    YourBirdEyeHaveBeenDestroyed();
  }
}

void CDrawView::InvalidateBirdEye() {
  if (CBirdEyeWnd* window = GetBirdEyeWnd(); window && window->GetSafeHwnd()) window->Invalidate(TRUE);
}

void CDrawView::UpdateBirdEyeTracker() {
  if (CBirdEyeWnd* window = GetBirdEyeWnd(); window && window->GetSafeHwnd()) window->UpdateTrackerAndInvalidateOld();
}

void CDrawView::UpdateBirdEyeAfterZoom() {
  CBirdEyeWnd* window = GetBirdEyeWnd();
  if (!window || !window->GetSafeHwnd()) return;
  window->UpdateTrackerAndInvalidateOld();
  // The bottom strip shows the zoom percentage.
  CRect strip;
  window->GetClientRect(strip);
  strip.top = window->GetAdjustedClientRect().bottom;
  window->InvalidateRect(&strip, FALSE);
}

void CDrawView::OnSetFocus(CWnd* old) {
  // An item being edited in place keeps the focus in its own window.
  if (CDrawDoc* document = GetDocument()) {
    COleClientItem* item = document->GetInPlaceActiveItem(this);
    if (item && item->GetItemState() == COleClientItem::activeUIState && item->GetInPlaceWindow()) {
      item->GetInPlaceWindow()->SetFocus();
      return;
    }
  }
  CScrollView::OnSetFocus(old);
  if (CBirdEyeWnd* window = GetBirdEyeWnd(); window && window->GetSafeHwnd()) {
    ::SetWindowPos(window->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}
