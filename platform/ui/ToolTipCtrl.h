// Tool tips: a list of tools (a window, or a rectangle of one, with its
// text), active or not, with colours and a maximum width. RelayEvent takes
// the mouse messages of the tools' windows; the tip of the tool under the
// last mouse message is the one shown (GetCurrentTool), as far as a screen
// without a mouse pointer allows.
#pragma once

#include "platform/ui/CommCtrl.h"
#include "platform/ui/Wnd.h"

class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)

 public:
  BOOL Create(CWnd* parent, DWORD style = 0);
  void Activate(BOOL activate);
  BOOL IsActive() const;
  BOOL AddTool(CWnd* wnd, LPCWSTR text, LPCRECT toolRect = nullptr, UINT_PTR toolId = 0);
  BOOL AddTool(CWnd* wnd, LPCSTR text, LPCRECT toolRect = nullptr, UINT_PTR toolId = 0);
  void DelTool(CWnd* wnd, UINT_PTR toolId = 0);
  int GetToolCount() const;
  CStringW GetText(CWnd* wnd, UINT_PTR toolId = 0) const;
  void UpdateTipText(LPCWSTR text, CWnd* wnd, UINT_PTR toolId = 0);
  void UpdateTipText(LPCSTR text, CWnd* wnd, UINT_PTR toolId = 0);
  void RelayEvent(LPMSG msg);
  // The window of the tool whose tip shows, or null.
  HWND GetCurrentTool() const;

  COLORREF GetTipBkColor() const;
  void SetTipBkColor(COLORREF color);
  COLORREF GetTipTextColor() const;
  void SetTipTextColor(COLORREF color);
  int GetMaxTipWidth() const;
  int SetMaxTipWidth(int width);
};
