#include "platform/ui/MDIChildWnd.h"

#include <vector>

#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
  ON_WM_MDIACTIVATE()
  ON_WM_CLOSE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CMDIChildWnd::Create(LPCWSTR className, LPCWSTR title, DWORD style, const RECT& rect, CMDIFrameWnd* parent,
                          CCreateContext* context) {
  if (!parent) parent = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
  if (!parent || !parent->m_wndMDIClient.m_hWnd) return FALSE;
  CRect place = rect;
  if (rect.left == CW_USEDEFAULT) parent->m_wndMDIClient.GetClientRect(&place);
  return CreateEx(WS_EX_MDICHILD, className, title, (style | WS_CHILD) & ~WS_POPUP, place.left, place.top,
                  place.Width(), place.Height(), parent->m_wndMDIClient.m_hWnd, nullptr, context);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  HWND client = ::GetParent(m_hWnd);
  HWND frame = client ? ::GetParent(client) : nullptr;
  return frame ? dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(frame)) : nullptr;
}

void CMDIChildWnd::MDIActivate() {
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->MDIActivate(this);
}

void CMDIChildWnd::OnMDIActivate(BOOL activate, CWnd*, CWnd*) {
  if (activate && m_pViewActive && m_pViewActive->m_hWnd) m_pViewActive->SetFocus();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  CMDIFrameWnd* frame = GetMDIFrame();
  if (frame) frame->OnUpdateFrameTitle(addToTitle);
  CDocument* doc = GetActiveDocument();
  if (!addToTitle || !doc || !m_hWnd) return;
  CStringW title = doc->GetTitle();
  if (m_nWindow > 0) {
    CStringW number;
    number.Format(u":%d", m_nWindow);
    title += number;
  }
  SetWindowText(title.GetString());
}

void CMDIChildWnd::UpdateFrameCounts(CDocument* doc) {
  if (!doc) return;
  std::vector<CMDIChildWnd*> frames;
  for (POSITION pos = doc->GetFirstViewPosition(); pos;) {
    CView* view = doc->GetNextView(pos);
    auto* frame = view ? dynamic_cast<CMDIChildWnd*>(view->GetParentFrame()) : nullptr;
    if (!frame) continue;
    bool seen = false;
    for (CMDIChildWnd* each : frames) seen = seen || each == frame;
    if (!seen) frames.push_back(frame);
  }
  int number = 0;
  for (CMDIChildWnd* frame : frames) frame->m_nWindow = frames.size() > 1 ? ++number : 0;
  for (CMDIChildWnd* frame : frames) frame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnClose() {
  CDocument* doc = GetActiveDocument();
  if (doc && !doc->CanCloseFrame(this)) return;
  DestroyWindow();
  if (!doc) return;
  if (doc->GetFirstViewPosition()) {
    UpdateFrameCounts(doc);
    return;
  }
  // The document's last frame went: the document closes with it.
  if (CDocTemplate* docTemplate = doc->GetDocTemplate()) docTemplate->RemoveDocument(doc);
  doc->OnCloseDocument();
}

void CMDIChildWnd::OnDestroy() {
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->OnChildDestroyed(this);
  CFrameWnd::OnDestroy();
}
