#include "draft/tables/TableDataDlg.h"

#include "draft/framework/ResourceSwitch.h"
#include "draft/host/DraftView.h"
#include "draft/host/PathCompact.h"
#include "draft/host/ProgramFolder.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TableEntity.h"
#include "draft/tables/ColumnChoiceDlg.h"
#include "draft/tables/SortKeyDlg.h"
#include "draft/tables/SummaryDlg.h"
#include "draft/tables/TableFiles.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MessageBox.h"
#include "platform/core/Module.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"

namespace {
constexpr char kSettingSection[] = "SteelSetting";
constexpr char kSettingPath[] = "SteelTableFilePath";
constexpr char kOpenFilter[] = "数据库文件(*.dbf)|*.dbf|||";
constexpr char kSaveFilter[] = "数据库文件(*.dbf)|*.dbf|";
constexpr int kCaptionPathLimit = 40;

}  // namespace

BEGIN_MESSAGE_MAP(CTableDataDlg, CPartsListDlg)
ON_BN_CLICKED(CTableDataDlg::kAddRow, OnAddRow)
ON_BN_CLICKED(CTableDataDlg::kInsertRow, OnInsertRow)
ON_BN_CLICKED(CTableDataDlg::kDeleteRow, OnDeleteRow)
ON_BN_CLICKED(CTableDataDlg::kCopyRow, OnCopyRow)
ON_BN_CLICKED(CTableDataDlg::kPasteRow, OnPasteRow)
ON_BN_CLICKED(CTableDataDlg::kAddColumn, OnAddColumn)
ON_BN_CLICKED(CTableDataDlg::kDeleteColumn, OnDeleteColumn)
ON_BN_CLICKED(CTableDataDlg::kModifyColumn, OnModifyColumn)
ON_BN_CLICKED(CTableDataDlg::kClear, OnClear)
ON_BN_CLICKED(CTableDataDlg::kUndo, OnUndo)
ON_BN_CLICKED(CTableDataDlg::kGenerate, OnGenerate)
ON_BN_CLICKED(CTableDataDlg::kCompute, OnCompute)
ON_BN_CLICKED(CTableDataDlg::kSort, OnSort)
ON_BN_CLICKED(CTableDataDlg::kSummary, OnSummary)
ON_BN_CLICKED(CTableDataDlg::kMaterialReport, OnMaterialReport)
ON_BN_CLICKED(CTableDataDlg::kAppendTables, OnAppendTables)
ON_BN_CLICKED(CTableDataDlg::kSpecialChar, OnSpecialChar)
ON_BN_CLICKED(CTableDataDlg::kReadFile, OnReadFile)
ON_BN_CLICKED(CTableDataDlg::kSaveFile, OnSaveFile)
ON_EN_UPDATE(CTableDataDlg::kCellEdit, OnCellEditUpdate)
ON_NOTIFY(NM_CLICK, CTableDataDlg::kGrid, OnGridClick)
ON_NOTIFY(NM_DBLCLK, CTableDataDlg::kGrid, OnGridDoubleClick)
ON_NOTIFY(LVN_KEYDOWN, CTableDataDlg::kGrid, OnGridKeyDown)
END_MESSAGE_MAP()

CTableDataDlg::CTableDataDlg(UINT templateId, CDraftView* view, CTableEntity* table, int mode, CWnd* parent)
    : CPartsListDlg(templateId, view, table, mode, parent) {
  path_ = GetProfileStringSetting(kSettingSection, kSettingPath, "");
  if (path_.IsEmpty() || !IsFileExist(path_)) path_ = GetSystemFilePath("Def\\steel.dbf");
  scratchPath_ = GetProgramFolder() + "qxwtmp.dbf";
}

CTableDataDlg::~CTableDataDlg() = default;

void CTableDataDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_Control(dx, kGrid, grid_);
  DDX_Control(dx, kCellEdit, cellEdit_);
}

BOOL CTableDataDlg::OnInitDialog() {
  if (mode_ == 2 && !table_) return TRUE;
  CBaseDialog::OnInitDialog();
  grid_.SetRowHeight(18);
  cellEdit_.SetParentKind(4);
  if (view_) grid_.SetDrawingSettings(nullptr);
  if (mode_ == 1) {
    InstallDefaultColumns();
    FillFromRebarLabels();
    ComputeTotalLength();
  } else {
    path_ = table_->GetTableName();
    grid_.LoadFromTableEntity(fontDlg_.GetFontDef(), table_, fields_);
    rowCount_ = grid_.GetItemCount();
  }
  return TRUE;
}

CStringA CTableDataDlg::Cell(int row, int column) const {
  CStringA text = grid_.GetCellText(row, column);
  text.Trim();
  return text;
}

void CTableDataDlg::SetCell(int row, int column, const CStringA& text) { grid_.SetItemText(row, column, text); }

// ---- Rows and columns.

void CTableDataDlg::OnPasteRow() {
  if (!copiedRow_.IsEmpty()) InsertCopiedRow();
}

void CTableDataDlg::OnAddColumn() {
  if (!grid_.InsertColumnDialog(fields_, undo_)) return;
  structureChanged_ = 1;
  MarkModified();
  const int column = undo_.IsEmpty() ? -1 : undo_.GetTail()->column;
  if (column < 0 || column >= fields_.GetSize()) return;
  CStringA name = fields_[column].GetName();
  CPartsListCtrl::CleanName(name);
  if (name.Find("单位重") >= 0)
    ComputeUnitWeight(column);
  else if (name.Find("总重") >= 0)
    ComputeTotalWeight(column);
}

// ---- Closing.

BOOL CTableDataDlg::AskToSave() {
  if (!(modified_ || grid_.IsModified()) || saved_) return TRUE;
  const int answer = AfxMessageBox("是否保存刚才打开的文件?", MB_YESNOCANCEL);
  if (answer == IDCANCEL) return FALSE;
  if (answer != IDYES) return TRUE;
  // A changed structure goes to the structure file first.
  if (structureChanged_ && !grid_.WriteStructureFile(ReplaceFileExtension(path_, "def"), fields_)) return FALSE;
  return SaveTableFile(path_);
}

void CTableDataDlg::OnGenerate() {
  if (!AskToSave()) return;
  EndDialog(IDOK);
  if (mode_ == 1) {
    CTableEntity* made = nullptr;
    grid_.GenerateTable(rowCount_, fields_, &made, view_, path_, 2, 2);
    delete result_;
    result_ = made;
  } else if (table_) {
    table_->SetTableName(path_);
    grid_.UpdateTableEntity(&fontDlg_, table_, fields_, modified_ || grid_.IsModified(), view_);
  }
}

// Enter: from the grid, the current cell goes into the edit; from the edit,
// a changed text goes into the cell and the next cell becomes current (the
// next row's first after the last column; a new row after the last cell).
void CTableDataDlg::OnOK() {
  if (CWnd::GetFocus() != &cellEdit_) {
    EditCurrentCell();
    return;
  }
  int row = 0, column = 0;
  grid_.GetCurrentCell(row, column);
  if (!grid_.HasCurrentCell()) return;
  if (cellEdit_.GetModify()) {
    CStringA typed;
    cellEdit_.GetWindowText(typed);
    typed.Trim();
    if (typed != currentText_) {
      currentText_ = typed;
      grid_.SetItemText(row, column, typed.GetString());
      MarkModified();
    }
  }
  if (++column >= fields_.GetSize()) {
    column = 0;
    if (++row >= rowCount_) {
      grid_.AppendRow(fields_, rowCount_, undo_);
      MarkModified();
      row = rowCount_ - 1;
    }
  }
  grid_.SetCurrentCell(row, column);
  grid_.RedrawRow(row - 1 >= 0 ? row - 1 : row);
  grid_.RedrawRow(row);
  ShowCurrentCellText();
  grid_.SetFocus();
}

// ---- The grid.

void CTableDataDlg::ShowCurrentCellText() {
  if (!grid_.HasCurrentCell()) return;
  currentText_ = Cell(grid_.GetCurrentRow(), grid_.GetCurrentColumn());
  cellEdit_.SetWindowText(currentText_);
  cellEdit_.SetModify(FALSE);
}

void CTableDataDlg::EditCurrentCell() {
  ShowCurrentCellText();
  cellEdit_.SetFocus();
  cellEdit_.SetSel(0, -1);
}

void CTableDataDlg::OnGridKeyDown(NMHDR* header, LRESULT* result) {
  const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(header);
  grid_.OnKeyDown(key->wVKey, rowCount_, fields_, undo_, 0);
  if (key->wVKey == VK_INSERT || key->wVKey == VK_DELETE) MarkModified();
  ShowCurrentCellText();
  *result = 0;
}

// ---- Files.

void CTableDataDlg::ShowPathInCaption() {
  SetWindowText("表内容 (文件路径: " + CompactPath(path_, kCaptionPathLimit) + " )");
}

void CTableDataDlg::ResetChangeState() {
  saved_ = modified_ = structureChanged_ = 0;
  grid_.SetModified(0);
  while (!undo_.IsEmpty()) delete undo_.RemoveHead();
}

BOOL CTableDataDlg::LoadTableFile(const char* path) {
  if (!grid_.LoadDbfIntoList(path, fields_, rowCount_, 1)) return FALSE;
  path_ = path;
  WriteProfileStringSetting(kSettingSection, kSettingPath, path_);
  ShowPathInCaption();
  return TRUE;
}

BOOL CTableDataDlg::SaveTableFile(const char* path) {
  const CStringA target = path;
  if (grid_.ExportTable(target, fields_, 1, 2, 0, -1, 0) != 2) return FALSE;
  path_ = target;
  WriteProfileStringSetting(kSettingSection, kSettingPath, path_);
  ShowPathInCaption();
  saved_ = 1;
  structureChanged_ = 0;
  return TRUE;
}

void CTableDataDlg::OnReadFile() {
  CFileDialog dialog(TRUE, ".dbf", path_, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kOpenFilter, this);
  dialog.m_ofn.lpstrTitle = "打开表文件";
  if (dialog.DoModal() != IDOK) return;
  // A file that cannot be read leaves the table, its changes and their
  // undo as they were.
  if (LoadTableFile(CStringA(dialog.GetPathName()))) ResetChangeState();
}

void CTableDataDlg::OnSaveFile() {
  CFileDialog dialog(FALSE, ".dbf", path_, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kSaveFilter, this);
  dialog.m_ofn.lpstrTitle = "保存表内容文件";
  if (dialog.DoModal() != IDOK) return;
  SaveTableFile(CStringA(dialog.GetPathName()));
}

// ---- Computing.

void CTableDataDlg::GetFieldNames(CStringArray& names) const {
  names.RemoveAll();
  for (INT_PTR i = 0; i < fields_.GetSize(); ++i) names.Add(fields_[i].GetName());
}

void CTableDataDlg::OnCompute() {
  // The total row holds no values to compute with (its first cell is text):
  // it is taken off while the relation runs over the other rows and put
  // back where it was. The grid's relation works on all the rows it has;
  // its last argument adds a row-number column, which this table does not
  // have.
  const int totalRow = FindTotalRow();
  CStringArray rows;
  if (totalRow >= 0) {
    grid_.GetRowTexts(rowCount_, rows);
    CStringArray others;
    others.Copy(rows);
    others.RemoveAt(totalRow);
    grid_.FillRows(others);
    rowCount_ = grid_.GetItemCount();
  }
  const BOOL computed = grid_.ComputeRelation(scratchPath_, fields_, 0);
  if (totalRow >= 0) {
    CStringArray after;
    grid_.GetRowTexts(rowCount_, after);
    after.InsertAt(totalRow, rows[totalRow]);
    grid_.FillRows(after);
    rowCount_ = grid_.GetItemCount();
  }
  if (computed) MarkModified();
}

void CTableDataDlg::OnSort() {
  CStringArray names;
  GetFieldNames(names);
  int key = -1;
  BOOL descending = FALSE, merged = FALSE;
  CArray<int, int> columns;
  {
    CResourceSwitch resources(kScrivelModuleName);
    CSortKeyDlg dialog(names, this);
    if (dialog.DoModal() != IDOK) return;
    key = dialog.GetKeyColumn();
    descending = dialog.IsDescending();
    merged = dialog.IsMerged();
    columns.Copy(dialog.GetMergedColumns());
  }
  if (key < 0) return;
  SortRows(key, descending, merged ? &columns : nullptr);
}

void CTableDataDlg::OnSummary() {
  CStringArray names;
  GetFieldNames(names);
  CArray<int, int> columns;
  BOOL perDiameter = FALSE;
  {
    CResourceSwitch resources("Korrin.DLL");
    CSummaryDlg dialog(names, this);
    if (dialog.DoModal() != IDOK) return;
    columns.Copy(dialog.GetColumns());
    perDiameter = dialog.IsPerDiameter();
  }
  if (columns.GetSize() > 0 && !ComputeTotals(columns)) return;
  if (perDiameter) ComputeDiameterSubtotals();
}

void CTableDataDlg::OnMaterialReport() {
  CStringArray names;
  GetFieldNames(names);
  CArray<int, int> columns;
  BOOL merged = FALSE;
  int basis = -1;
  {
    CResourceSwitch resources("Korrin.DLL");
    CColumnChoiceDlg dialog(names, this);
    if (dialog.DoModal() != IDOK) return;
    columns.Copy(dialog.GetColumns());
    merged = dialog.IsMerged();
    basis = dialog.GetBasis();
  }
  MaterialReport(columns, merged, basis);
}

void CTableDataDlg::OnSpecialChar() { PasteSymbol(nullptr); }

