// Modal windows (dialogs, property sheets, common dialogs, pop-up menus) run headless: when
// one starts its modal loop, it is handed to the modal driver that the host
// or a test installed. The driver acts as the user (reads and sets controls,
// sends notifications, clicks buttons); the window's own handlers end it
// (OnOK, OnCancel, EndDialog). Messages posted meanwhile run between the
// driver's actions, as the modal loop runs them between inputs.
//
// When the driver returns and the window is still open, it is closed as its
// close box does (for a dialog: IDCANCEL, through OnCancel). Without a
// driver, that is all that happens, so a modal dialog is cancelled.
#pragma once

#include <functional>

#include "platform/core/String.h"
#include "platform/ui/WinUser.h"

class CWnd;

namespace platform {

// The running modal window, as the driver sees it.
class ModalSession {
 public:
  explicit ModalSession(CWnd& window) : window_(window) {}

  CWnd& Window() const { return window_; }
  HWND Handle() const;
  // The window as a class of the framework (a CDialog, a CFileDialog, ...),
  // or null when it is not one.
  template <typename T>
  T* As() const {
    return dynamic_cast<T*>(&window_);
  }
  bool IsRunning() const;
  CStringW Caption() const;

  // Controls by id.
  HWND Control(int id) const;
  CStringW Text(int id) const;
  bool IsEnabled(int id) const;
  bool IsVisible(int id) const;
  int CheckState(int id) const;

  // User actions on the window's controls (see UserInput.h); each returns
  // false when the user could not do it.
  bool Click(int id);
  bool EnterText(int id, const CStringW& text);
  bool EnterText(int id, const CStringA& text);
  bool Choose(int id, int index);
  bool DoubleClick(int id, int index);
  bool PressKey(int virtualKey);
  // A pop-up menu being tracked (TrackPopupMenu): its menu; null for other
  // windows.
  HMENU Menu() const;
  // The state of the menu item with command `id` (GetMenuState flags), after
  // opening the sub-menus on its way (their owner updates them first);
  // (UINT)-1 when the menu has no such item.
  UINT MenuItemState(UINT id);
  // Chooses the menu item: false when it is missing, grayed, disabled, a
  // separator or a sub-menu. Close() dismisses the menu.
  bool ChooseMenuItem(UINT id);
  // Runs the messages that are ready (they also run after each action).
  void Pump();
  // The close box.
  void Close();

 private:
  CWnd& window_;
};

using ModalDriver = std::function<void(ModalSession&)>;

// Installs the driver and returns the one it replaces.
ModalDriver SetModalDriver(ModalDriver driver);

class ScopedModalDriver {
 public:
  explicit ScopedModalDriver(ModalDriver driver) : previous_(SetModalDriver(std::move(driver))) {}
  ~ScopedModalDriver() { SetModalDriver(std::move(previous_)); }
  ScopedModalDriver(const ScopedModalDriver&) = delete;
  ScopedModalDriver& operator=(const ScopedModalDriver&) = delete;

 private:
  ModalDriver previous_;
};

// The modal loop of a window whose WF_CONTINUEMODAL flag is set (CWnd's
// RunModalLoop): shows it, runs what is pending, hands it to the driver and
// closes it when the driver leaves it open.
void RunModalSession(CWnd& window, DWORD flags);

}  // namespace platform
