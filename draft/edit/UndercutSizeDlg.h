// The two sizes of an undercut groove (edits 388 and 2218, each a number
// from 0.00001 to 32867), written on OK under "depth" and "width" of the
// dialog's settings section. CAxialUndercutDlg (template 383) and
// CObliqueUndercutDlg (template 1283) are its two forms.
#pragma once

#include "platform/ui/Dialog.h"

class CUndercutSizeDlg : public CDialog {
 public:
  enum ControlId { kFirstEdit = 388, kSecondEdit = 2218 };

  // The values the dialog shows first; the caller may overwrite them
  // before DoModal.
  double first;
  double second;

 protected:
  CUndercutSizeDlg(UINT templateId, CWnd* parent, const char* section, double firstValue, double secondValue);
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;

 private:
  const char* section_;
};

// The axial undercut ("轴向退刀槽"): the groove's diameter and width, kept
// in "TuiDaoCao".
class CAxialUndercutDlg : public CUndercutSizeDlg {
 public:
  enum { IDD = 383 };
  static constexpr const char* kSection = "TuiDaoCao";
  explicit CAxialUndercutDlg(CWnd* parent) : CUndercutSizeDlg(IDD, parent, kSection, 20.0, 5.0) {}
};

// The oblique undercut ("斜向退刀槽参数"): the slot's depth and width, kept
// in "XieTuiDaoCao".
class CObliqueUndercutDlg : public CUndercutSizeDlg {
 public:
  enum { IDD = 1283 };
  static constexpr const char* kSection = "XieTuiDaoCao";
  explicit CObliqueUndercutDlg(CWnd* parent) : CUndercutSizeDlg(IDD, parent, kSection, 3.0, 4.0) {}
};
