// The windows of the example host: an MDI main frame (the application's
// main window) with one child frame whose active view is the drafting
// view's window. That window does what a host's view window does with the
// messages the commands send it: the right button goes to the command stack,
// WM_USER+12 brings a command to push, and WM_USER+10 and WM_USER+11 tell
// that a view rectangle was picked (the host prints it). The application
// object is made here when the process has none; the main window it had
// before comes back when the frames go.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/View.h"

class CCmdStack;
class CDraftView;
class CMDIFrameWnd;
class CWinApp;
class CWnd;

namespace draftsession {

class CSessionViewWnd : public CView {
  DECLARE_DYNCREATE(CSessionViewWnd)

 public:
  // The stack and view the messages go to, and where a picked view
  // rectangle is printed.
  void Connect(CCmdStack* stack, CDraftView* view, std::function<void(const std::string&)> print);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // The drawing is painted through the player's surface, not here.
  void OnDraw(CDC*) override {}

 private:
  CCmdStack* stack_ = nullptr;
  CDraftView* view_ = nullptr;
  std::function<void(const std::string&)> print_;
};

class SessionFrames {
 public:
  // Makes the frames and gives the drafting view its window (SetHwnd).
  SessionFrames(CCmdStack& stack, CDraftView& view, std::function<void(const std::string&)> print);
  ~SessionFrames();
  SessionFrames(const SessionFrames&) = delete;
  SessionFrames& operator=(const SessionFrames&) = delete;

  CMDIFrameWnd* MainFrame() const { return main_; }
  CSessionViewWnd* ViewWindow() const { return viewWnd_; }

 private:
  std::unique_ptr<CWinApp> app_;
  CWnd* previousMain_ = nullptr;
  CMDIFrameWnd* main_ = nullptr;
  CSessionViewWnd* viewWnd_ = nullptr;
  CDraftView& view_;
};

}  // namespace draftsession
