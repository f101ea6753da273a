// The add-rows dialog (template 781, "输入行数"): how many rows (1 to 100)
// and where they go: after the last row ("加到尾部", choice 0) or at the
// current row ("加到当前位置", choice 1).
#pragma once

#include "platform/ui/Dialog.h"

class CAddRowsDlg : public CDialog {
 public:
  enum { IDD = 781 };
  enum ControlId { kAtEnd = 871, kAtCurrent = 482, kCount = 1004 };
  static constexpr int kMaxRows = 100;

  explicit CAddRowsDlg(CWnd* parent);

  int m_placement = 0;
  int m_count = 1;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
