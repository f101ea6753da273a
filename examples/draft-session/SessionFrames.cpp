#include "examples/draft-session/SessionFrames.h"

#include <sstream>
#include <utility>

#include "draft/framework/CmdBase.h"
#include "draft/framework/CmdStack.h"
#include "draft/host/DraftView.h"
#include "platform/core/WinConstants.h"
#include "platform/ui/CreateContext.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/WinApp.h"

namespace draftsession {

IMPLEMENT_DYNCREATE(CSessionViewWnd, CView)

void CSessionViewWnd::Connect(CCmdStack* stack, CDraftView* view, std::function<void(const std::string&)> print) {
  stack_ = stack;
  view_ = view;
  print_ = std::move(print);
}

LRESULT CSessionViewWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (stack_ && view_) {
    if (message == WM_RBUTTONUP) {
      const CPoint at(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      stack_->OnRButton(static_cast<UINT>(wParam), at, view_);
      return 0;
    }
    if (message == WM_USER + 12) {
      if (auto* command = reinterpret_cast<CCmdBase*>(lParam)) stack_->Push(view_, command);
      return 0;
    }
    if (message == WM_USER + 10 || message == WM_USER + 11) {
      const double* r = view_->GetClipRect();
      std::ostringstream s;
      s << "  view rectangle " << r[0] << " " << r[1] << " " << r[2] << " " << r[3]
        << (message == WM_USER + 11 ? " (second kind)" : "") << "\n";
      if (print_) print_(s.str());
      return 0;
    }
  }
  return CView::WindowProc(message, wParam, lParam);
}

SessionFrames::SessionFrames(CCmdStack& stack, CDraftView& view, std::function<void(const std::string&)> print)
    : view_(view) {
  if (!AfxGetApp()) app_ = std::make_unique<CWinApp>("demo_draft_session");
  CWinApp* app = AfxGetApp();
  previousMain_ = app->m_pMainWnd;
  main_ = new CMDIFrameWnd;  // a frame deletes itself when its window goes
  if (!main_->Create(u"AfxWnd", u"ScrivelDraft", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 700))) {
    delete main_;
    main_ = nullptr;
    return;
  }
  app->m_pMainWnd = main_;
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(CSessionViewWnd);
  auto* child = new CMDIChildWnd;
  if (!child->Create(u"AfxWnd", u"drawing", WS_CHILD | WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600), main_, &context))
    return;
  viewWnd_ = static_cast<CSessionViewWnd*>(context.m_pLastView);
  if (!viewWnd_) return;
  viewWnd_->Connect(&stack, &view, std::move(print));
  child->SetActiveView(viewWnd_);
  child->MDIActivate();
  view.SetHwnd(viewWnd_->GetSafeHwnd());
}

SessionFrames::~SessionFrames() {
  view_.SetHwnd(nullptr);
  if (viewWnd_) viewWnd_->Connect(nullptr, nullptr, nullptr);
  // No longer the main window when it goes, so that its going does not end
  // the application's message loop (a quit message left for the next loop).
  if (CWinApp* app = AfxGetApp()) app->m_pMainWnd = previousMain_;
  if (main_ && ::IsWindow(main_->GetSafeHwnd())) main_->DestroyWindow();
}

}  // namespace draftsession
