// The "General / Page" page of the routing options (template 28011): the
// margins kept clear on each side of a page boundary, whether only blocks are
// kept off them, and the minimum distance between arcs, chosen from the
// combo's items "2" to "20" and exchanged as its index (distance - 2).
#pragma once

#include "platform/ui/PropertyPage.h"

class CDataExchange;

class CArcRouteGeneralDlg : public CPropertyPage {
  DECLARE_DYNCREATE(CArcRouteGeneralDlg)

 public:
  enum { IDD = 28011 };
  enum ControlId {
    kBottomMarginEdit = 28079,
    kJustBlocksCheck = 28105,
    kLeftMarginEdit = 28106,
    kMinDistanceCombo = 28108,
    kRightMarginEdit = 28131,
    kTopMarginEdit = 28133,
  };
  // The smallest distance the combo offers: its index 0.
  static constexpr int kFirstDistance = 2;

  CArcRouteGeneralDlg();
  ~CArcRouteGeneralDlg() override;

  UINT m_nBottomMargin = 0;
  BOOL m_bJustBlocks = FALSE;
  UINT m_nLeftMargin = 0;
  int m_nMinDistance = -1;  // the combo index: distance - kFirstDistance
  UINT m_nRightMargin = 0;
  UINT m_nTopMargin = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
