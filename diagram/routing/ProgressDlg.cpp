#include "diagram/routing/ProgressDlg.h"

#include <cstdio>

#include "platform/core/String.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"

IMPLEMENT_DYNAMIC(CProgressDlg, CDialog)

CProgressDlg::CProgressDlg(int lower, int upper, int step, UINT captionId, int noCancel)
    : m_nCaptionID(captionId != 0 ? captionId : static_cast<UINT>(kCaptionId)),
      m_nLower(lower),
      m_nUpper(upper),
      m_nStep(step),
      m_bCancel(0),
      m_bParentDisabled(0),
      m_bNoCancel(noCancel) {
  m_nIDTemplate = IDD;
}

CProgressDlg::~CProgressDlg() {
  if (GetSafeHwnd()) DestroyWindow();
}

BOOL CProgressDlg::Create(CWnd* parent) {
  m_pOwner = CWnd::GetSafeOwner(parent);
  if (m_pOwner && m_pOwner->IsWindowEnabled()) {
    m_pOwner->EnableWindow(FALSE);
    m_bParentDisabled = 1;
  }
  if (!CDialog::Create(IDD, parent)) {
    if (m_bParentDisabled && m_pOwner) m_pOwner->EnableWindow(TRUE);
    m_bParentDisabled = 0;
    return FALSE;
  }
  return TRUE;
}

BOOL CProgressDlg::DestroyWindow() {
  if (m_bParentDisabled && m_pOwner) m_pOwner->EnableWindow(TRUE);
  m_bParentDisabled = 0;
  return CDialog::DestroyWindow();
}

void CProgressDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_PROGRESS, m_Progress);
}

BOOL CProgressDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_Progress.SetRange32(m_nLower, m_nUpper);
  m_Progress.SetStep(m_nStep);
  m_Progress.SetPos(m_nLower);
  if (m_bNoCancel) {
    if (CWnd* cancel = GetDlgItem(IDCANCEL)) {
      cancel->ShowWindow(SW_HIDE);
      cancel->EnableWindow(FALSE);
    }
  }
  CString caption;
  caption.LoadString(m_nCaptionID);
  SetWindowText(caption);
  return TRUE;
}

void CProgressDlg::OnCancel() { m_bCancel = 1; }

void CProgressDlg::OnOK() {}

void CProgressDlg::SetStatus(LPCWSTR text) {
  if (CWnd* status = GetDlgItem(IDC_STATUS)) status->SetWindowText(text ? text : u"");
}

void CProgressDlg::SetRange(int lower, int upper) {
  m_nLower = lower;
  m_nUpper = upper;
  m_Progress.SetRange32(lower, upper);
}

int CProgressDlg::SetStep(int step) {
  m_nStep = step;
  return m_Progress.SetStep(step);
}

int CProgressDlg::SetPos(int pos) {
  PumpMessages();
  const int previous = m_Progress.SetPos(pos);
  UpdatePercent(pos);
  return previous;
}

int CProgressDlg::OffsetPos(int delta) {
  PumpMessages();
  const int previous = m_Progress.OffsetPos(delta);
  UpdatePercent(previous + delta);
  return previous;
}

int CProgressDlg::StepIt() {
  PumpMessages();
  const int previous = m_Progress.StepIt();
  UpdatePercent(previous + m_nStep);
  return previous;
}

int CProgressDlg::CheckCancelButton() {
  PumpMessages();
  const int cancelled = m_bCancel;
  m_bCancel = 0;
  return cancelled;
}

void CProgressDlg::PumpMessages() {
  if (m_bNoCancel) return;
  MSG msg;
  while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!GetSafeHwnd() || !IsDialogMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
    }
  }
}

void CProgressDlg::UpdatePercent(int pos) {
  // Equal bounds leave nothing to divide: the work is complete.
  const int64_t span = static_cast<int64_t>(m_nUpper) - m_nLower;
  int percent = 100;
  if (span != 0) {
    percent = static_cast<int>((static_cast<int64_t>(pos) - m_nLower) * 100 / span);
    if (percent != 100) percent %= 100;
  }
  char text[16];
  std::snprintf(text, sizeof text, "%d%c", percent, '%');
  CWnd* control = GetDlgItem(IDC_PERCENT);
  if (!control) return;
  CStringW current;
  control->GetWindowText(current);
  CStringW next;
  for (const char* p = text; *p; ++p) next += static_cast<char16_t>(*p);
  if (current != next) control->SetWindowText(next);
}
