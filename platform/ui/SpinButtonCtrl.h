// Up-down (spin) controls: a range (which may run downwards), a position,
// a base (10 or 16) and a buddy window that shows the position as text
// (UDS_SETBUDDYINT). The arrows send UDN_DELTAPOS, which the parent may
// refuse, then WM_VSCROLL (WM_HSCROLL with UDS_HORZ) with the new position.
#pragma once

#include "platform/ui/Wnd.h"

class CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  void SetRange(short lower, short upper);
  void SetRange32(int lower, int upper);
  void GetRange(int& lower, int& upper) const;
  void GetRange32(int& lower, int& upper) const;
  DWORD GetRange() const;
  int SetPos(int pos);
  int GetPos() const;
  int SetPos32(int pos);
  int GetPos32(LPBOOL error = nullptr) const;
  int SetBase(int base);
  UINT GetBase() const;
  CWnd* SetBuddy(CWnd* buddy);
  CWnd* GetBuddy() const;
};
