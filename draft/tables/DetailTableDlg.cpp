#include "draft/tables/DetailTableDlg.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "draft/framework/ResourceSwitch.h"
#include "draft/host/DraftView.h"
#include "draft/host/PathCompact.h"
#include "draft/host/ProgramFolder.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TabFile.h"
#include "draft/host/TableEntity.h"
#include "draft/tables/TableFiles.h"
#include "platform/core/Charset.h"
#include "platform/core/DynamicLibrary.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MessageBox.h"
#include "platform/core/Module.h"
#include "platform/core/MoveFile.h"
#include "platform/core/ResourceModule.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"

namespace {
constexpr int kCaptionPathLimit = 40;
constexpr char kDbfOrTyb[] = "请存为数据库文件(*.dbf) 或\n通用表文件(*.tyb)!";

CStringA LowerExtension(const char* path) {
  CStringA ext = GetFileExtension(path);
  ext.MakeLower();
  return ext;
}

// A table's data file takes the general-table extension (a .dbf stays).
void MoveToGeneralFile(CTableEntity* table) {
  const CStringA path = table->GetTableName();
  if (LowerExtension(path) == "dbf" || path.IsEmpty()) return;
  const CStringA target = ReplaceFileExtension(path, "tyb");
  if (IsFileExist(path)) MoveFileA(path, target);
  table->SetTableName(target);
}
}  // namespace

BEGIN_MESSAGE_MAP(CDetailTableDlg, CPartsListDlg)
ON_COMMAND(CDetailTableDlg::kAddRow, OnAddRow)
ON_COMMAND(CDetailTableDlg::kInsertRow, OnInsertRow)
ON_COMMAND(CDetailTableDlg::kDeleteRow, OnDeleteRow)
ON_COMMAND(CDetailTableDlg::kCopyRow, OnCopyRow)
ON_COMMAND(CDetailTableDlg::kPasteRow, OnPasteRow)
ON_COMMAND(CDetailTableDlg::kAddColumn, OnAddColumn)
ON_COMMAND(CDetailTableDlg::kDeleteColumn, OnDeleteColumn)
ON_COMMAND(CDetailTableDlg::kModifyColumn, OnModifyColumn)
ON_COMMAND(CDetailTableDlg::kClear, OnClear)
ON_COMMAND(CDetailTableDlg::kUndo, OnUndo)
ON_COMMAND(CDetailTableDlg::kReadFile, OnReadFile)
ON_COMMAND(CDetailTableDlg::kSaveFile, OnSaveFile)
ON_COMMAND(CDetailTableDlg::kMaterialQuery, OnMaterialQuery)
ON_BN_CLICKED(CDetailTableDlg::kCompute, OnCompute)
ON_BN_CLICKED(CDetailTableDlg::kSpecialChar, OnSpecialChar)
ON_BN_CLICKED(CDetailTableDlg::kSetDataSource, OnSetDataSource)
ON_BN_CLICKED(CDetailTableDlg::kDataSourceValue, OnDataSourceValue)
ON_BN_CLICKED(CDetailTableDlg::kDetailType, OnDetailType)
ON_BN_CLICKED(CDetailTableDlg::kGeneralType, OnGeneralType)
ON_BN_CLICKED(CDetailTableDlg::kGenerate, OnGenerate)
ON_EN_UPDATE(CDetailTableDlg::kCellEdit, OnCellEditUpdate)
ON_CBN_EDITUPDATE(CDetailTableDlg::kMaterialBox, OnMaterialEditUpdate)
ON_CBN_SELCHANGE(CDetailTableDlg::kMaterialBox, OnMaterialSelected)
ON_NOTIFY(NM_CLICK, CDetailTableDlg::kGrid, OnGridClick)
ON_NOTIFY(NM_DBLCLK, CDetailTableDlg::kGrid, OnGridDoubleClick)
END_MESSAGE_MAP()

CDetailTableDlg::CDetailTableDlg(UINT templateId, CDraftView* view, CTableEntity* table, int mode, CWnd* parent)
    : CPartsListDlg(templateId, view, table, mode, parent), fields_(&ownFields_) {
  SetDataPath(GetProfileStringSetting("SystemSetting", "TableDataFilePath", ""));
  if (dataPath_.IsEmpty() || !IsFileExist(dataPath_)) SetDataPath(GetSystemFilePath("Def\\item.tyb"));
  structurePath_ = GetProfileStringSetting("TableFrameSetting", "TableFrameFilePath", "");
  if (structurePath_.IsEmpty() || !IsFileExist(structurePath_)) structurePath_ = GetSystemFilePath("Def\\item.def");
  const CStringA ext = LowerExtension(dataPath_);
  if (ext == "dbf")
    tableType_ = GetProfileIntSetting("SystemSetting", "TableType", 0);
  else
    tableType_ = ext == "lst" ? 1 : 0;
}

CDetailTableDlg::~CDetailTableDlg() = default;

void CDetailTableDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_Control(dx, kCellEdit, cellEdit_);
  DDX_Control(dx, kMaterialBox, materialBox_);
  DDX_Control(dx, kGrid, grid_);
}

CStringA CDetailTableDlg::Extension() const { return LowerExtension(dataPath_); }

void CDetailTableDlg::SetDataPath(const CStringA& path) {
  dataPath_ = path;
  extension_ = LowerExtension(path);
}

BOOL CDetailTableDlg::OnInitDialog() {
  if (mode_ == 2 && !table_) return TRUE;
  CBaseDialog::OnInitDialog();
  CreateToolBar();
  grid_.SetRowHeight(18);
  cellEdit_.SetParentKind(2);
  if (mode_ == 1) {
    SetDlgItemText(kGenerate, "生成表格");
    if (GetProfileIntSetting("DefineFrameSetting", "DefineFrame", 0)) {
      grid_.SetColumns(*fields_);
      if (purpose_ == 1) SetWindowText("填写表内容");
      StartFreshTable();
      SetDataPath(GetProgramFolder() + "temp.tyb");
      tableType_ = 0;
    } else if (!LoadDataFile(dataPath_)) {
      return TRUE;
    }
  } else {
    SetDataPath(table_->GetTableName());
    SetDlgItemText(kGenerate, "确认");
    SetWindowText("修改表");
    if (purpose_ != 2) tableType_ = table_->GetTableKind() == 1 ? 1 : 0;
    grid_.LoadFromTableEntity(fontDlg_.GetFontDef(), table_, *fields_);
    rowCount_ = grid_.GetItemCount();
  }
  CheckRadioButton(kDetailType, kGeneralType, tableType_ == 1 ? kDetailType : kGeneralType);
  ShowWidth();
  FindSpecialColumns();
  columnCount_ = static_cast<int>(fields_->GetSize());
  rowCount_ = grid_.GetItemCount();
  if (materialColumn_ >= 0) {
    FillMaterialBox();
    if (materialColumn_ == 0) {
      materialBox_.ShowWindow(SW_SHOW);
      cellEdit_.ShowWindow(SW_HIDE);
      if (rowCount_ > 0 && grid_.GetCellText(0, 0).Trim().IsEmpty() && materialBox_.GetCount() > 0) {
        CStringA first;
        materialBox_.GetLBText(0, first);
        grid_.SetItemText(0, 0, first);
        MarkModified();
      }
    } else {
      materialBox_.ShowWindow(SW_HIDE);
      cellEdit_.ShowWindow(SW_SHOW);
    }
  } else {
    // The box shares the cell edit's place; without a material column the
    // cell edit is the only editor, so symbols and values go there.
    materialBox_.ShowWindow(SW_HIDE);
    cellEdit_.ShowWindow(SW_SHOW);
  }
  return TRUE;
}

UINT CDetailTableDlg::ChooseToolBar() {
  WCHAR module[MAX_PATH] = {};
  if (!GetModuleFileNameW(AfxGetResourceHandle(), module, MAX_PATH)) return kToolBar;
  const std::filesystem::path library = platform::ResolveLibraryFile(u"Tilbrack.dll");
  if (library.empty()) return kToolBar;
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::path(platform::Utf16ToUtf8(module)).parent_path();
  return std::filesystem::equivalent(library.parent_path(), folder, ec) ? kToolBarWithQuery : kToolBar;
}

void CDetailTableDlg::CreateToolBar() {
  if (!toolBar_.Create(this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS) ||
      !toolBar_.LoadToolBar(ChooseToolBar()))
    return;
  CRect client;
  GetClientRect(&client);
  const int height = toolBar_.CalcFixedLayout(FALSE, TRUE).cy;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (child == toolBar_.GetSafeHwnd()) continue;
    CRect r;
    ::GetWindowRect(child, &r);
    ScreenToClient(&r);
    ::MoveWindow(child, r.left, r.top + height, r.Width(), r.Height(), FALSE);
  }
  CRect window;
  GetWindowRect(&window);
  MoveWindow(window.left, window.top, window.Width(), window.Height() + height, FALSE);
  toolBar_.MoveWindow(0, 0, client.Width(), height);
}

void CDetailTableDlg::FillMaterialBox() {
  CStringArrayA entries, comments;
  ReadTabFile(GetSystemFilePath("Table\\Material.Tab"), entries, comments);
  materialBox_.ResetContent();
  for (INT_PTR i = 0; i < entries.GetSize(); ++i) {
    CStringA first = entries[i];
    const int cut = first.FindOneOf("\t,");
    if (cut >= 0) first = first.Left(cut);
    first.Trim();
    if (!first.IsEmpty()) materialBox_.AddString(first);
  }
  if (materialBox_.GetCount() > 0) materialBox_.SetCurSel(0);
}

void CDetailTableDlg::FindSpecialColumns() {
  serialColumn_ = materialColumn_ = -1;
  for (int i = 0; i < fields_->GetSize(); ++i) {
    const CStringA name = (*fields_)[i].GetName();
    if (serialColumn_ < 0 && name.Find("序号") >= 0) serialColumn_ = i;
    if (materialColumn_ < 0 && name.Find("材料") >= 0) materialColumn_ = i;
  }
}

CStringA CDetailTableDlg::GetWidthText() const {
  double width = 0.0;
  for (INT_PTR i = 0; i < fields_->GetSize(); ++i) width += (*fields_)[i].width;
  CStringA text;
  text.Format("%lf", width);
  text.TrimRight('0');
  text.TrimRight('.');
  return text + " mm";
}

void CDetailTableDlg::ShowWidth() { SetDlgItemText(kWidthLabel, GetWidthText()); }

void CDetailTableDlg::StartFreshTable() {
  grid_.DeleteAllItems();
  rowCount_ = 0;
  CStringArray cells;
  for (INT_PTR i = 0; i < fields_->GetSize(); ++i) {
    const CStringA name = (*fields_)[i].GetName();
    cells.Add(name.Find("序号") >= 0 || name.Find("数量") >= 0 ? "1" : " ");
  }
  grid_.InsertRowAt(0, cells, rowCount_, *fields_);
}

// ---- Files.

BOOL CDetailTableDlg::LoadDataFile(const char* path) {
  const CStringA ext = LowerExtension(path);
  if (ext == "dbf") {
    if (!grid_.LoadDbfIntoList(path, *fields_, rowCount_, 1)) return FALSE;
  } else if (ext == "txt") {
    if (!ImportTextFile(path)) return FALSE;
  } else {
    CStringArray rows;
    CFieldArray read;
    if (!grid_.ReadDataFile(path, rows, read)) return FALSE;
    if (read.GetSize() == 0) grid_.ReadStructureFile(read, structurePath_, tableType_);
    fields_->Copy(read);
    grid_.DeleteAllItems();
    grid_.SetColumns(*fields_);
    if (rows.GetSize() == 0)
      StartFreshTable();
    else
      grid_.FillRows(rows);
    rowCount_ = grid_.GetItemCount();
  }
  SetDataPath(path);
  FindSpecialColumns();
  if (purpose_ == 1) {
    SetWindowText("表内容 (文件路径: " + CompactPath(path, kCaptionPathLimit) + " )");
    WriteProfileStringSetting("SystemSetting", "TableDataFilePath", path);
  } else {
    WriteProfileStringSetting("SystemSetting", "GykTableFilePath", path);
  }
  return TRUE;
}

BOOL CDetailTableDlg::SaveDataFile(const char* path) {
  const CStringA target = path;
  const CStringA ext = LowerExtension(target);
  if (purpose_ == 2 && ext != "dbf" && ext != "tyb") {
    AfxMessageBox(kDbfOrTyb, MB_OK);
    return FALSE;
  }
  if (ext == "lst" || ext == "tyb") {
    CStringArray rows;
    grid_.GetRowTexts(rowCount_, rows);
    if (!grid_.WriteDataFile(target, *fields_, rows)) return FALSE;
  } else if (ext == "dbf") {
    if (!grid_.WriteStructureFile(ReplaceFileExtension(target, "def"), *fields_)) return FALSE;
    if (grid_.ExportTable(target, *fields_, 1, 2, 0, -1, 0) != 2) return FALSE;
  } else {
    return FALSE;
  }
  saved_ = 1;
  SetDataPath(target);
  if (purpose_ == 1) {
    WriteProfileStringSetting("SystemSetting", "TableDataFilePath", target);
    if (ext == "dbf") WriteProfileIntSetting("SystemSetting", "TableType", tableType_);
    if (ext == "tyb") tableType_ = 0;
    if (ext == "lst") tableType_ = 1;
    if (::IsWindow(GetSafeHwnd()))
      CheckRadioButton(kDetailType, kGeneralType, tableType_ == 1 ? kDetailType : kGeneralType);
  } else {
    WriteProfileStringSetting("SystemSetting", "GykTableFilePath", target);
  }
  const char* title = !table_ ? "表内容信息" : (tableType_ == 1 ? "修改明细表" : "修改表");
  if (::IsWindow(GetSafeHwnd()))
    SetWindowText(CStringA(title) + " (" + "文件路径: " + CompactPath(target, kCaptionPathLimit) + ")");
  if (structureChanged_ && ext != "dbf") grid_.WriteStructureFile(ReplaceFileExtension(target, "def"), *fields_);
  structureChanged_ = 0;
  return TRUE;
}

BOOL CDetailTableDlg::AskToSave() {
  CStringA ext = Extension();
  if (ext.IsEmpty()) ext = "tyb";
  if (ext != "dbf" && ext != "txt") {
    const char* wanted = tableType_ == 1 ? "lst" : "tyb";
    if (ext != wanted) {
      const CStringA target = ReplaceFileExtension(dataPath_, wanted);
      if (IsFileExist(dataPath_)) MoveFileA(dataPath_, target);
      SetDataPath(target);
    }
  }
  if (modified_ && !saved_) {
    const int answer = AfxMessageBox("是否保存刚才打开的文件?", MB_YESNOCANCEL);
    if (answer == IDCANCEL) return FALSE;
    if (answer == IDYES && !SaveDataFile(dataPath_)) return FALSE;
  }
  StoreFileSettings();
  if (mode_ == 1) WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 0);
  return TRUE;
}

void CDetailTableDlg::StoreFileSettings() const {
  if (purpose_ == 1) {
    WriteProfileStringSetting("SystemSetting", "TableDataFilePath", dataPath_);
    if (Extension() == "dbf") WriteProfileIntSetting("SystemSetting", "TableType", tableType_);
  } else {
    WriteProfileStringSetting("SystemSetting", "GykTableFilePath", dataPath_);
  }
}

CStringA CDetailTableDlg::GetOpenFilter() const {
  if (purpose_ == 2) return "数据库文件(*.dbf)|*.dbf|通用表文件(*.tyb)|*.tyb|BOM文件(*.bom)|*.bom|||";
  if (extension_ == "dbf")
    return "数据库文件(*.dbf)|*.dbf|通用表文件(*.tyb)|*.tyb|明细表文件(*.lst)|*.lst|文本文件(*.txt)|*.txt|"
           "BOM文件(*.bom)|*.bom|所有文件(*.*)|*.*|||";
  if (tableType_ == 0)
    return "通用表文件(*.tyb)|*.tyb|明细表文件(*.lst)|*.lst|数据库文件(*.dbf)|*.dbf|文本文件(*.txt)|*.txt|"
           "BOM文件(*.bom)|*.bom|所有文件(*.*)|*.*|||";
  return "明细表文件(*.lst)|*.lst|通用表文件(*.tyb)|*.tyb|数据库文件(*.dbf)|*.dbf|文本文件(*.txt)|*.txt|"
         "BOM文件(*.bom)|*.bom|所有文件(*.*)|*.*|||";
}

CStringA CDetailTableDlg::GetSaveFilter() const {
  if (purpose_ == 2) return "数据库文件(*.dbf)|*.dbf|通用表文件(*.tyb)|*.tyb||";
  if (extension_ == "dbf") return "数据库文件(*.dbf)|*.dbf|通用表文件(*.tyb)|*.tyb|明细表文件(*.lst)|*.lst|||";
  if (tableType_ == 0) return "通用表文件(*.tyb)|*.tyb|明细表文件(*.lst)|*.lst|数据库文件(*.dbf)|*.dbf|||";
  return "明细表文件(*.lst)|*.lst|通用表文件(*.tyb)|*.tyb|数据库文件(*.dbf)|*.dbf|||";
}

BOOL CDetailTableDlg::OpenChosenFile(const char* path) {
  const CStringA ext = LowerExtension(path);
  if (ext == "bom") return ImportFixedColumns(path);
  if (purpose_ == 2 && ext != "dbf" && ext != "tyb") {
    AfxMessageBox(kDbfOrTyb, MB_OK);
    return FALSE;
  }
  if (!LoadDataFile(path)) return FALSE;
  ShowWidth();
  saved_ = modified_ = structureChanged_ = 0;
  grid_.SetModified(0);
  while (!undo_.IsEmpty()) delete undo_.RemoveHead();
  if (purpose_ == 1 && (ext == "tyb" || ext == "lst")) {
    tableType_ = ext == "lst" ? 1 : 0;
    CheckRadioButton(kDetailType, kGeneralType, tableType_ == 1 ? kDetailType : kGeneralType);
  }
  if (materialColumn_ >= 0 && materialBox_.GetCount() == 0) FillMaterialBox();
  grid_.SetFocus();
  return TRUE;
}

void CDetailTableDlg::OnReadFile() {
  // The dialog keeps pointers to its texts until it closes.
  const CStringA ext = extension_;
  const CStringA filter = GetOpenFilter();
  CFileDialog dialog(TRUE, ext, dataPath_, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter, this);
  dialog.m_ofn.lpstrTitle = "打开表内容文件";
  if (dialog.DoModal() != IDOK) return;
  OpenChosenFile(CStringA(dialog.GetPathName()));
}

void CDetailTableDlg::OnSaveFile() {
  const int dot = dataPath_.ReverseFind('.');
  const int slash = std::max(dataPath_.ReverseFind('\\'), dataPath_.ReverseFind('/'));
  const CStringA proposed = dot > slash ? dataPath_.Left(dot) : dataPath_;
  // The dialog keeps pointers to its texts until it closes.
  const CStringA ext = extension_;
  const CStringA filter = GetSaveFilter();
  CFileDialog dialog(FALSE, ext, proposed, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
  dialog.m_ofn.lpstrTitle = "保存表内容文件";
  if (dialog.DoModal() != IDOK) return;
  SaveDataFile(CStringA(dialog.GetPathName()));
}

// ---- Rows and columns.

void CDetailTableDlg::OnPasteRow() {
  if (copiedRow_.IsEmpty()) return;
  if (tableType_ != 1) {
    InsertCopiedRow();
    return;
  }
  // A bill of materials: the current row takes the copied cells, its serial number kept.
  if (!grid_.HasCurrentCell()) return;
  const int row = grid_.GetCurrentRow();
  auto* record = new CPartsListRow(CPartsListRow::kInsertRowWithCells, row, -1);
  grid_.GetRowCells(row, record->cells);
  undo_.AddTail(record);
  for (int c = 0; c < fields_->GetSize() && c < copiedRow_.GetSize(); ++c)
    if (c != serialColumn_) grid_.SetItemText(row, c, copiedRow_[c]);
  MarkModified();
}

void CDetailTableDlg::OnAddColumn() {
  if (!grid_.InsertColumnDialog(*fields_, undo_)) return;
  const int column = undo_.GetTail()->column;
  CStringA name = (*fields_)[column].GetName();
  if (name.Find("数量") >= 0)
    for (int r = 0; r < rowCount_; ++r) grid_.SetItemText(r, column, "1");
  structureChanged_ = 1;
  MarkModified();
  OnColumnsChanged();
}

void CDetailTableDlg::OnColumnsChanged() {
  FindSpecialColumns();
  ShowWidth();
}

BOOL CDetailTableDlg::UndoPastedCells(const CPartsListRow& record) {
  if (tableType_ != 1) return FALSE;
  for (int c = 0; c < record.cells.GetSize() && c < fields_->GetSize(); ++c)
    if (c != serialColumn_) grid_.SetItemText(record.row, c, record.cells[c]);
  return TRUE;
}

void CDetailTableDlg::OnDetailType() {
  tableType_ = 1;
  extension_ = "lst";
  MarkModified();
}

void CDetailTableDlg::OnGeneralType() {
  tableType_ = 0;
  extension_ = "tyb";
  MarkModified();
}

// ---- Closing.

void CDetailTableDlg::OnGenerate() {
  if (grid_.IsModified()) MarkModified();
  if (!AskToSave()) return;
  EndDialog(IDOK);
  if (mode_ == 1) {
    CTableEntity* made = nullptr;
    grid_.GenerateTable(rowCount_, *fields_, &made, view_, dataPath_, 0, purpose_ == 2 ? 5 : tableType_);
    delete result_;
    result_ = made;
    return;
  }
  if (!table_) return;
  table_->SetTableName(dataPath_);
  if (tableType_ == 1) {
    CBillFontDef& def = fontDlg_.GetFontDef();
    def.m_bBTHave = def.m_bBGHave = def.m_nBTSort = 1;
  }
  if (tableType_ != table_->GetTableKind()) {
    CTableEntity* existing = view_ ? static_cast<CTableEntity*>(view_->GetPartsListTable()) : nullptr;
    if (tableType_ == 1 && existing && existing != table_) {
      if (AfxMessageBox("图中已经有明细表,是否代替它?", MB_YESNO) == IDYES) {
        existing->SetTableKind(0);
        MoveToGeneralFile(existing);
        table_->SetTableKind(1);
      } else {
        table_->SetTableKind(0);
        MoveToGeneralFile(table_);
        tableType_ = 0;
      }
    } else {
      table_->SetTableKind(tableType_);
    }
    // The settings follow the entity's data file and kind as they are now.
    SetDataPath(table_->GetTableName());
    StoreFileSettings();
  }
  grid_.UpdateTableEntity(&fontDlg_, table_, *fields_, modified_, view_);
}

// ---- Editing cells.

bool CDetailTableDlg::InLockedSerialCell() const {
  return tableType_ == 1 && serialColumn_ >= 0 && grid_.GetCurrentColumn() == serialColumn_;
}

void CDetailTableDlg::WriteCurrentCell(const CStringA& text) {
  if (!grid_.HasCurrentCell()) return;
  const int row = grid_.GetCurrentRow();
  grid_.SetItemText(row, grid_.GetCurrentColumn(), text);
  grid_.RedrawRow(row);
  currentText_ = text;
  MarkModified();
}

CWnd& CDetailTableDlg::ShowEditorForCurrentCell() {
  CStringA text;
  if (grid_.HasCurrentCell()) {
    text = grid_.GetCellText(grid_.GetCurrentRow(), grid_.GetCurrentColumn());
    text.Trim();
  }
  currentText_ = text;
  const bool material = materialColumn_ >= 0 && grid_.GetCurrentColumn() == materialColumn_;
  materialBox_.ShowWindow(material ? SW_SHOW : SW_HIDE);
  cellEdit_.ShowWindow(material ? SW_HIDE : SW_SHOW);
  if (material) {
    materialBox_.SetWindowText(text);
    return materialBox_;
  }
  cellEdit_.SetWindowText(text);
  cellEdit_.SetModify(FALSE);
  return cellEdit_;
}

void CDetailTableDlg::EditCurrentCell() {
  CWnd& editor = ShowEditorForCurrentCell();
  editor.SetFocus();
  if (&editor == &cellEdit_) cellEdit_.SetSel(0, -1);
}

void CDetailTableDlg::OnMaterialEditUpdate() {
  CStringA text;
  materialBox_.GetWindowText(text);
  text.Trim();
  if (text != currentText_ && !InLockedSerialCell()) WriteCurrentCell(text);
}

void CDetailTableDlg::OnMaterialSelected() {
  const int at = materialBox_.GetCurSel();
  if (at < 0) return;
  CStringA text;
  materialBox_.GetLBText(at, text);
  WriteCurrentCell(text);
}

// Enter: from the grid, the current cell goes into its editor; from an
// editor, its text goes into the cell (never into a bill of materials'
// serial number) and the next cell becomes current: after the last cell a
// bill of materials starts again at its first row, another table gets a
// new row.
void CDetailTableDlg::OnOK() {
  if (CWnd::GetFocus() == &grid_) {
    EditCurrentCell();
    return;
  }
  if (!grid_.HasCurrentCell()) return;
  if (!InLockedSerialCell()) {
    if (materialColumn_ >= 0 && grid_.GetCurrentColumn() == materialColumn_) {
      CStringA text;
      materialBox_.GetWindowText(text);
      text.Trim();
      if (text != currentText_) WriteCurrentCell(text);
    } else if (cellEdit_.GetModify() && grid_.TakeEditText(currentText_)) {
      MarkModified();
    }
  }
  int row = grid_.GetCurrentRow(), column = grid_.GetCurrentColumn();
  if (++column >= fields_->GetSize()) {
    column = 0;
    if (++row >= rowCount_) {
      if (tableType_ == 1) {
        row = 0;
      } else {
        grid_.AppendRow(*fields_, rowCount_, undo_);
        MarkModified();
        row = rowCount_ - 1;
      }
    }
  }
  const int oldRow = grid_.GetCurrentRow();
  grid_.SetCurrentCell(row, column);
  grid_.RedrawRow(oldRow);
  grid_.RedrawRow(row);
  ShowEditorForCurrentCell();
  grid_.SetFocus();
}

// ---- Computing and symbols.

void CDetailTableDlg::OnCompute() {
  if (grid_.ComputeRelation(GetProgramFolder() + "qxwtmp.dbf", *fields_, 0)) MarkModified();
}

void CDetailTableDlg::OnSpecialChar() { PasteSymbol(materialBox_.IsWindowVisible() ? &materialBox_ : nullptr); }

// ---- The outside libraries, each loaded for one call.

namespace {
using SetExternalDsProc = int (*)(char*);
using GetDataContextProc = int (*)(int, const char*, HWND, int, const char*, char*);
using QueryCodeProc = const char* (*)(const char*);

// The library, or null after "没有找到<file>" in a box of `owner`.
HMODULE LoadOutsideLibrary(const char* file, CWnd* owner) {
  HMODULE module = LoadLibraryA(file);
  if (!module) {
    CStringA message;
    message.Format("没有找到%s", file);
    owner->MessageBox(message, nullptr, MB_OK);
  }
  return module;
}
}  // namespace

void CDetailTableDlg::OnSetDataSource() {
  HMODULE module = LoadOutsideLibrary("Sarnowe.dll", this);
  if (!module) return;
  auto set = reinterpret_cast<SetExternalDsProc>(GetProcAddress(module, "SetExternalDS"));
  if (set) {
    char buffer[1024] = {};
    const int n = std::min(dataSource_.GetLength(), static_cast<int>(sizeof(buffer)) - 1);
    std::memcpy(buffer, dataSource_.GetString(), static_cast<size_t>(n));
    set(buffer);
    buffer[sizeof(buffer) - 1] = '\0';
    dataSource_ = buffer;
  }
  FreeLibrary(module);
}

void CDetailTableDlg::OnDataSourceValue() {
  const bool boxEditor = materialBox_.IsWindowVisible() != 0;
  int start = 0, end = 0;
  if (!boxEditor) cellEdit_.GetSel(start, end);
  HMODULE module = LoadOutsideLibrary("Sarnowe.dll", this);
  if (!module) return;
  auto get = reinterpret_cast<GetDataContextProc>(GetProcAddress(module, "GetDataContext"));
  if (!get) {
    FreeLibrary(module);
    return;
  }
  char result[2048] = {};
  const int found = get(1, dataSource_.GetString(), GetSafeHwnd(), 0, "", result);
  result[sizeof(result) - 1] = '\0';
  FreeLibrary(module);
  CWnd& editor = boxEditor ? static_cast<CWnd&>(materialBox_) : static_cast<CWnd&>(cellEdit_);
  editor.SetFocus();
  if (!boxEditor) cellEdit_.SetSel(start, end);
  if (!found) return;
  if (!CopyTextToClipboard(result, GetSafeHwnd())) {
    if (!boxEditor) AfxMessageBox("剪贴板打不开", MB_OK);
    return;
  }
  editor.SendMessage(WM_PASTE, 0, 0);
}

void CDetailTableDlg::OnMaterialQuery() {
  if (fields_->GetSize() == 0) return;
  const CStringA bomPath = GetProgramFolder() + "bom.dat";
  WriteBomFile(bomPath);
  CStringA report;
  {
    CResourceSwitch resources;
    HMODULE module = LoadLibraryA("Tilbrack.dll");
    if (!module) {
      AfxMessageBox("加载动态连接库(Tilbrack.dll)发生错误，找不到动态连接库文件.", MB_OK);
      return;
    }
    resources.SwitchToModule("Tilbrack.dll");
    auto query = reinterpret_cast<QueryCodeProc>(GetProcAddress(module, "querycode"));
    // The text lives in the library: it is copied before the library goes.
    if (query) {
      const char* text = query(bomPath);
      report = text ? text : "";
    }
    resources.Restore();
    FreeLibrary(module);
  }
  if (!report.IsEmpty()) ImportFixedColumns(bomPath);
}

