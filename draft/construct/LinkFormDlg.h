// The join-form dialog of the line-copy command (template 223, "连线形式"):
// two push-like picture radio buttons, 1208 (form 1: where two bands meet,
// the wider one's cap closes the step) and 1112 (form 2: step lines on
// each side of the picked line). A click on either picture is taken as OK
// at once; "执行" takes the selected one, "放弃" cancels.
#pragma once

#include "platform/gdi/Bitmap.h"
#include "platform/ui/Dialog.h"

class CLinkFormDlg : public CDialog {
 public:
  enum { IDD = 223 };
  enum ControlId { kFormOne = 1208, kFormTwo = 1112 };
  enum BitmapId { kFormOneBitmap = 225, kFormTwoBitmap = 213 };

  explicit CLinkFormDlg(CWnd* parent);

  // 1 or 2; 1 before the dialog runs.
  int GetForm() const { return form_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnPictureClicked();
  DECLARE_MESSAGE_MAP()

 private:
  int form_ = 1;
  CBitmap formOne_;
  CBitmap formTwo_;
};
