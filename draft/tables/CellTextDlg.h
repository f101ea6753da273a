// The cell dialog (template 329, "修改单元表格"): the text of one table
// cell (at most 40 characters), its alignment and its direction. The
// alignment and angle come in as codes and go back as codes (ToCodes).
#pragma once

#include "platform/core/String.h"
#include "platform/ui/Dialog.h"

class CCellTextDlg : public CDialog {
 public:
  enum { IDD = 329 };
  enum ControlId { kTextEdit = 563, kAlignmentCombo = 1017, kAngleCombo = 1020, kSymbolButton = 1023 };
  static constexpr int kMaxTextLength = 40;
  // The code of "原方式对齐": the cell keeps its alignment.
  static constexpr int kKeepAlignment = -1;

  CCellTextDlg(const char* text, int alignCode, int angleDisabled, double angle, CWnd* parent);

  // The combo index a code selects: 0 for 1, 2 for 7, 3 for 9, else 1.
  static int AlignmentIndexOf(int code);
  // The code an index gives back: 1, 4, 7, 9, -1 for 0 to 4 (4 otherwise).
  static int AlignmentCodeOf(int index);
  // The combo index an angle selects: 0 to 3 within 1e-6 of 0, 90, 180 or
  // 270, else 4.
  static int AngleIndexOf(double angle);
  // The angle an index gives back: 0, 90, 180, 270; 720 (no direction
  // given) for 4 and any other index.
  static double AngleOf(int index);

  // After DoModal: the alignment index becomes the code and the angle is
  // set from the angle index (720 when the angle is disabled).
  void ToCodes();

  CStringA m_text;
  int m_angleDisabled;
  int m_angleIndex;
  int m_alignment;
  double m_angle = 0.0;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void InsertSymbol();
  DECLARE_MESSAGE_MAP()
};
