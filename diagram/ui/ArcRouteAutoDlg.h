// The "Automatic" page of the routing options (template 28010): whether wires
// are routed automatically, when, and by which router.
#pragma once

#include "platform/ui/PropertyPage.h"

class CDataExchange;

class CArcRouteAutoDlg : public CPropertyPage {
  DECLARE_DYNAMIC(CArcRouteAutoDlg)

 public:
  enum { IDD = 28010 };
  enum ControlId {
    kDisableCheck = 28084,
    kNewArcsRadio = 28128,
    kDisturbedRadio = 28126,
    kShortestPathRadio = 28122,
    kMinimizeBendsRadio = 28123,
    kSharedPathsRadio = 28157,
  };

  CArcRouteAutoDlg();
  ~CArcRouteAutoDlg() override;

  BOOL m_bDisable = FALSE;
  int m_nRouteWhen = -1;  // 0: only new arcs, 1: any time arcs are disturbed
  int m_nAlgorithm = -1;  // 0: shortest path, 1: minimize bends, 2: maximize shared paths

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;

  // Disables the when and algorithm buttons while automatic routing is
  // disabled.
  afx_msg void OnDisableClicked();
  DECLARE_MESSAGE_MAP()
};
