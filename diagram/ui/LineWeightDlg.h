// The line-weight dialog (template 28035): a weight of 0 to 20 in an edit
// with a spin button.
#pragma once

#include "platform/ui/Dialog.h"

class CDataExchange;

class CLineWeightDlg : public CDialog {
 public:
  enum { IDD = 28035 };
  enum ControlId { kWeightEdit = 28096, kWeightSpin = 28132 };
  static constexpr UINT kMaxWeight = 20;

  explicit CLineWeightDlg(CWnd* parent = nullptr);
  ~CLineWeightDlg() override;

  UINT m_uWeight = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
};
