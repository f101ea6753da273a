#include "draft/tables/CellTextDlg.h"

#include <cmath>

#include "draft/framework/ResourceSwitch.h"
#include "draft/host/SymbolMenuDlg.h"
#include "draft/host/SystemFiles.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WindowApi.h"

BEGIN_MESSAGE_MAP(CCellTextDlg, CDialog)
ON_BN_CLICKED(CCellTextDlg::kSymbolButton, InsertSymbol)
END_MESSAGE_MAP()

namespace {
constexpr double kRightAngles[] = {0.0, 90.0, 180.0, 270.0};
constexpr int kAlignmentCodes[] = {1, 4, 7, 9, CCellTextDlg::kKeepAlignment};
}  // namespace

CCellTextDlg::CCellTextDlg(const char* text, int alignCode, int angleDisabled, double angle, CWnd* parent)
    : CDialog(IDD, parent),
      m_text(text ? text : ""),
      m_angleDisabled(angleDisabled),
      m_angleIndex(AngleIndexOf(angle)),
      m_alignment(AlignmentIndexOf(alignCode)) {}

int CCellTextDlg::AlignmentIndexOf(int code) {
  switch (code) {
    case 1: return 0;
    case 7: return 2;
    case 9: return 3;
    default: return 1;
  }
}

int CCellTextDlg::AlignmentCodeOf(int index) { return index >= 0 && index < 5 ? kAlignmentCodes[index] : 4; }

int CCellTextDlg::AngleIndexOf(double angle) {
  for (int i = 0; i < 4; ++i)
    if (std::fabs(angle - kRightAngles[i]) < 1e-6) return i;
  return 4;
}

double CCellTextDlg::AngleOf(int index) { return index >= 0 && index < 4 ? kRightAngles[index] : 720.0; }

void CCellTextDlg::ToCodes() {
  m_alignment = AlignmentCodeOf(m_alignment);
  m_angle = m_angleDisabled ? 720.0 : AngleOf(m_angleIndex);
}

BOOL CCellTextDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (auto* edit = static_cast<CEdit*>(GetDlgItem(kTextEdit))) edit->LimitText(kMaxTextLength);
  SetDlgItemText(kTextEdit, m_text.GetString());
  if (auto* alignments = static_cast<CComboBox*>(GetDlgItem(kAlignmentCombo))) alignments->SetCurSel(m_alignment);
  if (auto* angles = static_cast<CComboBox*>(GetDlgItem(kAngleCombo))) {
    angles->SetCurSel(m_angleIndex);
    angles->EnableWindow(!m_angleDisabled);
  }
  return TRUE;
}

void CCellTextDlg::OnOK() {
  CStringA text;
  GetDlgItemText(kTextEdit, text);
  m_text = text;
  if (auto* alignments = static_cast<CComboBox*>(GetDlgItem(kAlignmentCombo))) m_alignment = alignments->GetCurSel();
  if (auto* angles = static_cast<CComboBox*>(GetDlgItem(kAngleCombo))) m_angleIndex = angles->GetCurSel();
  CDialog::OnOK();
}

void CCellTextDlg::InsertSymbol() {
  auto* edit = static_cast<CEdit*>(GetDlgItem(kTextEdit));
  POINT cursor{0, 0};
  ::GetCursorPos(&cursor);
  CStringA symbol;
  INT_PTR answer = IDCANCEL;
  {
    CResourceSwitch resources("Korrin.DLL");
    CSymbolMenuDlg* dialog = ConstructSymbolMenuDlg(0, this, CPoint(cursor.x, cursor.y));
    answer = dialog->DoModal();
    if (answer == IDOK) symbol = dialog->GetSymbolText();
    DestroySymbolMenuDlg(dialog);
  }
  if (!edit) return;
  edit->SetFocus();
  if (answer == IDOK) {
    if (CopyTextToClipboard(symbol, edit->GetSafeHwnd()))
      edit->SendMessage(WM_PASTE, 0, 0);
    else
      AfxMessageBox("剪贴板打不开", MB_OK);
  }
  int start = 0, end = 0;
  edit->GetSel(start, end);
  if (start != end) {
    edit->SetSel(end, end);
    edit->SendMessage(EM_SCROLLCARET, 0, 0);
  }
}
