// The routing-failure dialog (template 28069, "Failed To Route Some Arcs"):
// how many arcs were not routed, whether they have been selected, and what
// the user can do about it.
#pragma once

#include "platform/ui/Dialog.h"

class CFailed2RouteDlg : public CDialog {
 public:
  enum { IDD = 28069 };
  enum ControlId { kCountText = 28158, kSelectedText = 28159 };

  // `selected` above 0 tells that the failed arcs are the view's selection.
  CFailed2RouteDlg(UINT count, int selected, CWnd* parent = nullptr);
  ~CFailed2RouteDlg() override;

  UINT m_nFailureCount;
  int m_nSelected;

 protected:
  BOOL OnInitDialog() override;
};
