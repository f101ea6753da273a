// The block dialog (template 28005, "Block Definition"): the numbers of
// inputs and outputs (0 to 99 each) and whether the block is composite.
#pragma once

#include "platform/ui/Dialog.h"

class CDataExchange;

class CBlockDlg : public CDialog {
 public:
  enum { IDD = 28005 };
  enum ControlId { kInputsEdit = 28091, kOutputsEdit = 28092, kCompositeCheck = 28080 };
  static constexpr UINT kMaxPorts = 99;

  explicit CBlockDlg(CWnd* parent = nullptr);
  ~CBlockDlg() override;

  UINT m_uInputs = 0;
  UINT m_uOutputs = 0;
  BOOL m_bComposite = FALSE;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
