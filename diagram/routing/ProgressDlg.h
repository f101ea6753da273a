// CProgressDlg: a modeless progress window with a bar, a percentage, a
// status line and a Cancel button. While it exists its owner is disabled;
// every position change and every cancel check pumps the thread's messages,
// so a long computation on the window thread stays responsive and can be
// cancelled. With no cancel the button is hidden and nothing is pumped.
#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/ProgressCtrl.h"

class CProgressDlg : public CDialog {
  DECLARE_DYNAMIC(CProgressDlg)

 public:
  enum { IDD = 28076, kCaptionId = 28000 };
  enum { IDC_PROGRESS = 28074, IDC_PERCENT = 28073, IDC_STATUS = 28075 };

  // A caption id of 0 means the string "Progress".
  CProgressDlg(int lower = 0, int upper = 100, int step = 10, UINT captionId = 0, int noCancel = 0);
  ~CProgressDlg() override;

  // Disables the (safe) owner when it is enabled, then creates the window;
  // a failed creation enables the owner again and gives 0.
  BOOL Create(CWnd* parent = nullptr);
  BOOL DestroyWindow() override;

  void SetStatus(LPCWSTR text);
  void SetRange(int lower, int upper);
  int SetStep(int step);
  int SetPos(int pos);
  int OffsetPos(int delta);
  int StepIt();
  // Pumps messages; whether Cancel was pressed since the last check.
  int CheckCancelButton();

  BOOL OnInitDialog() override;
  void OnCancel() override;
  void OnOK() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void PumpMessages();
  void UpdatePercent(int pos);

  CProgressCtrl m_Progress;
  UINT m_nCaptionID;
  int m_nLower;
  int m_nUpper;
  int m_nStep;
  int m_bCancel;
  int m_bParentDisabled;
  int m_bNoCancel;
  CWnd* m_pOwner = nullptr;
};
