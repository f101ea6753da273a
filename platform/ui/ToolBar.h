// A tool bar: a row of buttons loaded from a tool-bar resource (button ids
// in order, 0 for a separator) with their images from the resource's bitmap.
// A released button sends its command to the frame (to its parent window
// when the bar sits in a dialog); with CBRS_FLYBY the frame's status bar
// shows the button's fly-by text while the mouse is over it, and with
// CBRS_TOOLTIPS the button's tip is the bar's current tip. The texts come
// from the string of the button's id: "fly-by text\ntip"; a bar outside a
// frame asks its parent for the tip first (TTN_NEEDTEXT).
#pragma once

#include <vector>

#include "platform/gdi/Bitmap.h"
#include "platform/ui/ControlBar.h"

#define TBSTYLE_FLAT 0x0800
#define TBBS_BUTTON 0x0000
#define TBBS_SEPARATOR 0x0001
#define TBBS_CHECKED 0x0100
#define TBBS_DISABLED 0x0400

class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)

 public:
  CToolBar() = default;
  ~CToolBar() override;

  BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT id = AFX_IDW_TOOLBAR);
  BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = TBSTYLE_FLAT, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                CRect borders = CRect(0, 0, 0, 0), UINT id = AFX_IDW_TOOLBAR);
  // The buttons and images of tool-bar resource `id`; FALSE when there is
  // no such resource or its bitmap is missing.
  BOOL LoadToolBar(UINT id);

  int GetCount() const { return static_cast<int>(m_buttons.size()); }
  UINT GetItemID(int index) const;
  int CommandToIndex(UINT id) const;
  void GetItemRect(int index, LPRECT rect) const;
  UINT GetButtonStyle(int index) const;
  void SetButtonStyle(int index, UINT style);
  CSize GetButtonSize() const { return m_sizeButton; }
  // The fly-by text and the tip of a command, from its string.
  static void GetCommandTexts(UINT id, CStringW& flyBy, CStringW& tip);
  // The tip of the button under the mouse (CBRS_TOOLTIPS), else empty.
  const CStringW& GetCurrentTip() const { return m_strTip; }

  CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;

 protected:
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  int HitTest(CPoint point) const;
  bool IsHorizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || !(m_dwStyle & CBRS_ALIGN_ANY); }
  struct Button {
    UINT id;
    UINT style;
    int image;
  };
  std::vector<Button> m_buttons;
  CSize m_sizeImage{16, 15};
  CSize m_sizeButton{23, 22};
  CBitmap m_bitmap;
  int m_nPressed = -1;
  int m_nHot = -1;
  CStringW m_strTip;
};
