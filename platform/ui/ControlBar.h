// Control bars: windows along a frame's edges (tool bars, the status bar) and
// the dock bars that hold dockable bars on each side. The frame lays them out
// (CFrameWnd::RecalcLayout) before its view takes the rest of the client
// area.
#pragma once

#include <vector>

#include "platform/core/Geometry.h"
#include "platform/ui/Wnd.h"

class CDockBar;
class CFrameWnd;

// Bar styles (the low bits are the bar's own window style bits).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_SIZE_DYNAMIC 0x0080L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)

// Window ids of the standard bars and of the four dock bars.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)

 public:
  CControlBar() = default;
  ~CControlBar() override;

  // The size the bar wants along its edge: `horz` for a top or bottom one.
  virtual CSize CalcFixedLayout(BOOL stretch, BOOL horz);
  virtual BOOL IsDockBar() const { return FALSE; }

  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBarStyle(DWORD style) { m_dwStyle = style; }
  // The sides (CBRS_ALIGN_*) the bar may dock on; 0: not dockable.
  void EnableDocking(DWORD style) { m_dwDockStyle = style & CBRS_ALIGN_ANY; }
  DWORD GetDockStyle() const { return m_dwDockStyle; }
  BOOL IsVisible() const;
  BOOL IsFloating() const { return FALSE; }
  CFrameWnd* GetDockingFrame() const { return m_pDockSite; }
  CDockBar* GetDockBar() const { return m_pDockBar; }

 protected:
  friend class CFrameWnd;
  friend class CDockBar;
  // Makes the bar's window, a child of `parent`; a frame parent enters it
  // in its bar list and lays it out, any other (a dialog) places it itself.
  BOOL CreateBar(LPCWSTR className, DWORD style, CWnd* parent, UINT id);
  void PostNcDestroy() override;
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

  DWORD m_dwStyle = 0;
  DWORD m_dwDockStyle = 0;
  CFrameWnd* m_pDockSite = nullptr;
  CDockBar* m_pDockBar = nullptr;
  // A show or hide asked with a delay, done at the frame's next idle layout:
  // 0 none, 1 show, 2 hide.
  int m_nDelayed = 0;
};

// The holder of docked bars along one side of a frame, in rows.
class CDockBar : public CControlBar {
  DECLARE_DYNAMIC(CDockBar)

 public:
  CDockBar() = default;
  BOOL Create(CFrameWnd* frame, UINT id);
  BOOL IsDockBar() const override { return TRUE; }
  BOOL IsHorizontal() const;
  CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;

  // Takes `bar`: with a rectangle (screen coordinates) into the row that the
  // rectangle's middle falls in, or a new row above or below, placed in its
  // row after the bars whose middles lie before its own; without one in a
  // new row at the end.
  void DockControlBar(CControlBar* bar, LPCRECT rect = nullptr);
  void RemoveControlBar(CControlBar* bar);
  // Places the bar into row `row` at position `pos` (rows are made as needed).
  void PlaceAt(CControlBar* bar, int row, int pos);
  // The bar's row and position; false when it is not here.
  bool Locate(const CControlBar* bar, int& row, int& pos) const;
  const std::vector<std::vector<CControlBar*>>& Rows() const { return m_rows; }

 protected:
  // Dock bars are made by the frame with new and end with their window.
  void PostNcDestroy() override;
  afx_msg void OnSize(UINT type, int cx, int cy);
  DECLARE_MESSAGE_MAP()

 private:
  friend class CFrameWnd;
  void Arrange();
  std::vector<std::vector<CControlBar*>> m_rows;
};
