#include "draft/tables/ProcessTableDlg.h"

#include "draft/framework/ResourceSwitch.h"
#include "draft/host/ProgramFolder.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/tables/AddRowsDlg.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/MessageMap.h"

BEGIN_MESSAGE_MAP(CProcessTableDlg, CDetailTableDlg)
ON_COMMAND(CDetailTableDlg::kClear, OnClearRows)
ON_COMMAND(CDetailTableDlg::kUndo, OnUndoRows)
ON_COMMAND(CDetailTableDlg::kPasteRow, OnPasteRows)
ON_COMMAND(CDetailTableDlg::kInsertRow, OnInsertRows)
ON_COMMAND(CDetailTableDlg::kDeleteRow, OnDeleteRows)
ON_COMMAND(CDetailTableDlg::kAddRow, OnAddOneRow)
ON_COMMAND(CDetailTableDlg::kReadFile, OnReadRows)
ON_BN_CLICKED(CProcessTableDlg::kAddRows, OnAddRowsDialog)
ON_BN_CLICKED(CDetailTableDlg::kGenerate, OnGenerateCard)
END_MESSAGE_MAP()

namespace {

CStringA ProcessDataPath() {
  CStringA path = GetProfileStringSetting("SystemSetting", "GykTableFilePath", "");
  if (path.IsEmpty() || !IsFileExist(path)) path = GetProgramFolder() + "卡片模板\\机加工过程卡.dbf";
  return path;
}

CStringA ProcessStructurePath() {
  CStringA path = GetProfileStringSetting("TableFrameSetting", "TableFrameFilePath", "");
  if (path.IsEmpty() || !IsFileExist(path)) path = GetSystemFilePath("CAPPTable\\jjgk.def");
  return path;
}

}  // namespace

CProcessTableDlg::CProcessTableDlg(CDraftView* view, CTableEntity* table, int mode, CWnd* parent)
    : CDetailTableDlg(IDD, view, table, mode, parent) {
  SetPurpose(2, kProcessTableKind, ProcessDataPath(), ProcessStructurePath());
}

BOOL CProcessTableDlg::OnInitDialog() {
  const BOOL result = CDetailTableDlg::OnInitDialog();
  ShowRowsPerPage();
  return result;
}

void CProcessTableDlg::ShowRowsPerPage() {
  if (!::IsWindow(GetSafeHwnd())) return;
  CStringA text;
  text.Format("%d", grid_.GetItemCount());
  SetDlgItemText(kRowsPerPage, text.GetString());
}

void CProcessTableDlg::OnOK() {
  const int row = grid_.GetCurrentRow();
  CDetailTableDlg::OnOK();
  if (::IsWindow(GetSafeHwnd()) && grid_.GetCurrentRow() != row) ShowRowsPerPage();
}

void CProcessTableDlg::OnClearRows() {
  OnClear();
  ShowRowsPerPage();
}

void CProcessTableDlg::OnUndoRows() {
  OnUndo();
  ShowRowsPerPage();
}

void CProcessTableDlg::OnPasteRows() {
  OnPasteRow();
  ShowRowsPerPage();
}

void CProcessTableDlg::OnInsertRows() {
  OnInsertRow();
  ShowRowsPerPage();
}

void CProcessTableDlg::OnDeleteRows() {
  OnDeleteRow();
  ShowRowsPerPage();
}

void CProcessTableDlg::OnAddOneRow() {
  OnAddRow();
  ShowRowsPerPage();
}

void CProcessTableDlg::OnReadRows() {
  OnReadFile();
  ShowRowsPerPage();
}

void CProcessTableDlg::AddRows(int count, bool atCurrent) {
  for (int i = 0; i < count; ++i) {
    if (atCurrent)
      OnInsertRow();
    else
      OnAddRow();
    ShowRowsPerPage();
  }
}

void CProcessTableDlg::OnAddRowsDialog() {
  int count = 0;
  bool atCurrent = false;
  {
    CResourceSwitch resources(kScrivelModuleName);
    CAddRowsDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    count = dlg.m_count;
    atCurrent = dlg.m_placement == 1;
  }
  AddRows(count, atCurrent);
}

void CProcessTableDlg::OnGenerateCard() {
  if (grid_.GetItemCount() < 1) {
    AfxMessageBox("工艺卡片每页行数必须大于或等于1,\n请定义好后再退出!", MB_OK);
    return;
  }
  OnGenerate();
}
