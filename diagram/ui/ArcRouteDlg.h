// The "Manual" page of the routing options (template 28012): which arcs a
// routing run takes and by which router, and the "Route Now" button that
// closes the options sheet with the result kRouteNowButton.
#pragma once

#include "platform/ui/PropertyPage.h"

class CDataExchange;

class CArcRouteDlg : public CPropertyPage {
  DECLARE_DYNAMIC(CArcRouteDlg)

 public:
  enum { IDD = 28012 };
  enum ControlId {
    kSelectedCheck = 28081,
    kBlockNodesCheck = 28082,
    kSelectedNodesCheck = 28083,
    kBlockNodesText = 28029,
    kSelectedNodesText = 28028,
    kShortestPathRadio = 28122,
    kAllArcsRadio = 28124,
    kOnlyRadio = 28129,
    kAllButRadio = 28125,
    kRouteNowButton = 28137,
  };

  CArcRouteDlg();
  ~CArcRouteDlg() override;

  BOOL m_bSelected = FALSE;        // the selected arcs
  BOOL m_bSelectedBlocks = FALSE;  // arcs at any port of the selected blocks
  BOOL m_bSelectedNodes = FALSE;   // arcs at the selected ports
  int m_nAlgorithm = -1;           // 0: shortest path, 1: minimize bends, 2: maximize shared paths
  int m_nRouteWhat = -1;           // 0: all arcs, 1: only the arcs checked, 2: all but them
  BOOL m_bRouteNow = FALSE;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;

  // Disables the three checks and their texts while all arcs are routed.
  afx_msg void OnRouteWhatClicked();
  afx_msg void OnRouteNowButtonClicked();
  DECLARE_MESSAGE_MAP()
};
