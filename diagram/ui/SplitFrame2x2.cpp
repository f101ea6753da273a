#include "diagram/ui/SplitFrame2x2.h"

#include "platform/ui/Document.h"
#include "platform/ui/MDIFrameWnd.h"

IMPLEMENT_DYNCREATE(CSplitFrame2x2, CMultiControlBarChildFrame)

CSplitFrame2x2::CSplitFrame2x2() : m_strViewType(u"(Graph)") {}

BOOL CSplitFrame2x2::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  return m_wndSplitter.Create(this, 2, 2, CSize(10, 10), context,
                              WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | SPLS_DYNAMIC_SPLIT, AFX_IDW_PANE_FIRST);
}

void CSplitFrame2x2::OnUpdateFrameTitle(BOOL addToTitle) {
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->OnUpdateFrameTitle(addToTitle);
  CDocument* doc = GetActiveDocument();
  if (!addToTitle || !doc || !m_hWnd) return;
  CStringW title = doc->GetTitle();
  if (!m_strViewType.IsEmpty()) title += u" " + m_strViewType;
  if (!m_strHostName.IsEmpty()) title += u":" + m_strHostName;
  if (m_nWindow >= 1) {
    CStringW numbered;
    numbered.Format(u"%s:%d", title.GetString(), m_nWindow);
    title = numbered;
  }
  SetWindowText(title);
}
