// The status bar: panes along the frame's bottom edge, from an indicator
// list. ID_SEPARATOR makes the stretching message pane; ID_INDICATOR_CAPS,
// _NUM and _SCRL show their text ("CAP", "NUM", "SCRL", or the string of
// their id) while the key's toggle is on.
#pragma once

#include <vector>

#include "platform/core/String.h"
#include "platform/ui/ControlBar.h"

#define ID_SEPARATOR 0
#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define ID_INDICATOR_OVR 0xE704
#define ID_INDICATOR_REC 0xE705

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)

 public:
  CStatusBar() = default;
  ~CStatusBar() override;

  BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);
  BOOL SetIndicators(const UINT* ids, int count);

  int GetCount() const { return static_cast<int>(m_panes.size()); }
  UINT GetItemID(int index) const;
  int CommandToIndex(UINT id) const;
  void GetItemRect(int index, LPRECT rect) const;
  // The text the pane shows now (a key indicator's only while its key is
  // toggled on).
  CStringW GetPaneText(int index) const;
  BOOL SetPaneText(int index, LPCWSTR text, BOOL update = TRUE);

  CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;

 protected:
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  struct Pane {
    UINT id;
    CStringW text;
    int width;
  };
  std::vector<Pane> m_panes;
};
