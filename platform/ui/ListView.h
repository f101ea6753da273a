// CListView: a view that is a list control. Its window is of the list
// view's class ("SysListView32", set in PreCreateWindow), so the view's
// window shows and keeps the columns and items; GetListCtrl gives the list
// control's operations over that same window. The list draws itself: OnDraw
// draws nothing of its own. Created by the framework through its run-time
// class (dynamic creation), as a frame's view or a host's. The list
// control paints the window; a derived view's OnDraw serves printing.
#pragma once

#include "platform/ui/ListCtrl.h"
#include "platform/ui/View.h"

class CListView : public CView {
  DECLARE_DYNCREATE(CListView)

 public:
  ~CListView() override;

  // The list control over the view's window (no window before it is made).
  CListCtrl& GetListCtrl() const;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void OnInitialUpdate() override;

 protected:
  CListView() = default;
  void OnDraw(CDC* dc) override;

  // The list control paints the window itself.
  afx_msg void OnPaint();
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnNcDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // The list control's operations over the view's own window: it shares the
  // handle but is no window object of its own (not in the handle map, and
  // never destroys the window).
  mutable CListCtrl list_;
};
