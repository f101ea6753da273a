// Buttons: push buttons, check boxes (two and three states), radio buttons
// (an automatic radio button takes the check from the others of its group),
// group boxes and owner-drawn buttons. A click reaches the parent as
// BN_CLICKED (WM_COMMAND).
#pragma once

#include "platform/ui/Wnd.h"

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)

 public:
  BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
  BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetCheck() const;
  void SetCheck(int check);
  UINT GetState() const;
  void SetState(BOOL highlight);
  UINT GetButtonStyle() const;
  void SetButtonStyle(UINT style, BOOL redraw = TRUE);
  HBITMAP SetBitmap(HBITMAP bitmap);
  HBITMAP GetBitmap() const;
  HICON SetIcon(HICON icon);
  HICON GetIcon() const;

  // Owner-drawn buttons draw themselves here (BS_OWNERDRAW).
  virtual void DrawItem(LPDRAWITEMSTRUCT dis);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
