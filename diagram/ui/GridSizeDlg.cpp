#include "diagram/ui/GridSizeDlg.h"

#include "platform/core/Module.h"
#include "platform/core/String.h"
#include "platform/ui/DataExchange.h"

const int CGridSizeDlg::kPresets[7] = {2, 4, 5, 10, 20, 25, 50};
UINT CGridSizeDlg::c_uFirstExplanationID = 0;
UINT CGridSizeDlg::c_uSecondExplanationID = 0;

CGridSizeDlg::CGridSizeDlg(CSize gridSize, CSize interval, CWnd* parent)
    : CDialog(IDD, parent), m_sizeGridLineInterval(interval), m_sizeGridSize(gridSize), m_nChoice(kCustomChoice) {
  for (int k = 0; k < kCustomChoice; ++k) {
    const int size = kPresets[k];
    const int lines = 100 / size;
    if (gridSize.cx == size && gridSize.cy == size && interval.cx == lines && interval.cy == lines) {
      m_nChoice = k;
      break;
    }
  }
}

CGridSizeDlg::~CGridSizeDlg() = default;

void CGridSizeDlg::TakePreset() {
  if (m_nChoice < 0 || m_nChoice >= kCustomChoice) return;
  const int size = kPresets[m_nChoice];
  m_sizeGridSize = CSize(size, size);
  m_sizeGridLineInterval = CSize(100 / size, 100 / size);
}

CSize CGridSizeDlg::GetGridSize() {
  TakePreset();
  return m_sizeGridSize;
}

CSize CGridSizeDlg::GetGridLineInterval() {
  TakePreset();
  return m_sizeGridLineInterval;
}

void CGridSizeDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Radio(dx, kFirstChoiceRadio, m_nChoice);
  DDX_Text(dx, kGridWidthEdit, m_sizeGridSize.cx);
  DDV_MinMaxInt(dx, m_sizeGridSize.cx, 1, 32000);
  DDX_Text(dx, kGridHeightEdit, m_sizeGridSize.cy);
  DDV_MinMaxInt(dx, m_sizeGridSize.cy, 1, 32000);
  DDX_Text(dx, kIntervalWidthEdit, m_sizeGridLineInterval.cx);
  DDV_MinMaxInt(dx, m_sizeGridLineInterval.cx, 1, 100);
  DDX_Text(dx, kIntervalHeightEdit, m_sizeGridLineInterval.cy);
  DDV_MinMaxInt(dx, m_sizeGridLineInterval.cy, 1, 100);
}

BOOL CGridSizeDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const UINT ids[2] = {c_uFirstExplanationID, c_uSecondExplanationID};
  const int statics[2] = {kFirstExplanation, kSecondExplanation};
  for (int i = 0; i < 2; ++i) {
    CStringW text;
    if (ids[i] != 0 && text.LoadString(ids[i])) SetDlgItemText(statics[i], text);
  }
  return TRUE;
}
