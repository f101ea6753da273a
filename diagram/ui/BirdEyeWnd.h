// The bird's-eye window: a small floating overview of one diagram view. It
// draws the whole canvas scaled down with a red tracker over the part the
// view shows; dragging the tracker, clicking beside it or pressing the arrow
// keys scrolls the view when the move ends. It closes itself on Enter,
// Escape, a double click and, with "AutoHide", when it loses the focus.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/String.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/ui/Wnd.h"

class CDrawView;
class CFont;

// The parts of the tracker's outline (0: none).
enum DrawRectDirection {
  drdNone = 0,
  drdTop = 1,
  drdBottom = 2,
  drdLeft = 3,
  drdRight = 4,
  drdTopLeft = 5,
  drdTopRight = 6,
  drdBottomLeft = 7,
  drdBottomRight = 8,
};

class CBirdEyeWnd : public CWnd {
 public:
  enum { kIconId = 28015, kTrackerCursorId = 28077, kZoomTextId = 57094 };

  CBirdEyeWnd();
  ~CBirdEyeWnd() override;

  // The "DrawBirdEyeView" options, read with the host's defaults; a width
  // or height percentage outside 20..100 is reported (Notify 5 or 6) and
  // replaced by 33 or 50.
  static void GetProfile(int disableGridLines, int invertFocusRect, unsigned maxWidthPercent,
                         unsigned maxHeightPercent);
  static void WriteProfile();

  virtual BOOL Create(CDrawView* view, const CString& title);
  virtual CFont* GetDrawFont();
  // The client area less the bottom strip (as high as a scroll-bar arrow).
  virtual CRect GetAdjustedClientRect();
  virtual void DrawView(CDC& dc);
  virtual void DrawBirdeyeView(CDC& dc);
  virtual void ScaleViewAndScroll();

  // Between client and document coordinates, through the canvas rectangle
  // and the adjusted client rectangle; nothing changes while either is
  // empty.
  void ClientToDoc(CPoint& point);
  void ClientToDoc(CRect& rect);
  void DocToClient(CPoint& point);
  void DocToClient(CRect& rect);

  // The tracker becomes the view's client area; the view calls these when
  // it scrolls or zooms.
  void UpdateTracker(CDC* dc = nullptr);
  void UpdateTrackerAndInvalidateOld(CDC* dc = nullptr);
  void DrawTracker(CDC* dc);
  void RestrictPointToClientArea(CPoint& point);

  // The part of the outline under a point (only while tracker resizing is
  // enabled; drdNone otherwise).
  DrawRectDirection GetTrackerDirection(CPoint point) const;
  BOOL IsPointOnTrackerLine(CPoint point) const;

  CDrawView* GetView() const { return m_pView; }
  const CRect& GetTracker() const { return m_tracker; }
  BOOL IsViewLargerThanCanvas() const { return m_bViewLargerThanCanvas; }

  static BOOL m_bDisableGridLines;
  static BOOL m_bInvertFocusRect;
  static unsigned m_nMaxWidthPercentOfScreen;
  static unsigned m_nMaxHeightPercentOfScreen;
  static CString m_birdEyeWndClassName;
  static HCURSOR cursor_inside_tracker;
  // The profile's section and key names, writable so that a host can point
  // them elsewhere before use.
  static WCHAR c_szSection[64];
  static WCHAR c_szDisableGridLines[64];
  static WCHAR c_szInvertFocusRect[64];
  static WCHAR c_szMaxWidthPercent[64];
  static WCHAR c_szMaxHeightPercent[64];
  static WCHAR c_szPosition[64];
  static WCHAR c_szAutoHide[64];
  static WCHAR c_szKeepProportions[64];

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;
  void OnPrepareDC(CDC* dc);
  void InvalidateTrackerRect(BOOL update);
  // Scrolls the view so that its top left is the tracker's.
  void ScrollViewToTracker();
  void RepositionTrackerFromKeyboard(int dx, int dy);
  void ResizeTrackerFromKeyboard(int dx, int dy);
  void AdjustTrackerBasedOnDirection(CPoint point);
  // The canvas rectangle, grown to the view's extent where the view shows
  // more than the canvas.
  CRect GetSourceRect();
  // The view's client area in document units.
  CSize GetViewExtent();
  CRect GetCanvasRect();

  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnSetFocus(CWnd* old);
  afx_msg void OnKillFocus(CWnd* next);
  DECLARE_MESSAGE_MAP()

  CDrawView* m_pView = nullptr;
  CRect m_tracker;
  CRect m_trackerAtPress;
  int m_nDragMode = 0;  // 0 none, 1 moving the tracker, 2 pressed outside it
  DrawRectDirection m_resizeDirection = drdNone;
  CPoint m_anchor;
  CPoint m_pressPoint;
  CDC m_memDC;
  CBitmap m_memBitmap;
  BYTE m_bTrackerResizingEnabled = 0;
  BYTE m_bViewLargerThanCanvas = 0;
  int m_nAutoHide = 1;
};
