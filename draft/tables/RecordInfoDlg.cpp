#include "draft/tables/RecordInfoDlg.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "draft/host/DraftView.h"
#include "draft/host/EntityList.h"
#include "draft/host/Settings.h"
#include "draft/host/StringConverter.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TabFile.h"
#include "draft/host/TableEntity.h"
#include "draft/host/ValueText.h"
#include "draft/tables/RecordRows.h"
#include "draft/tables/RowText.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageApi.h"

namespace {
constexpr int kColumnWidth = 90;
const char* const kNoNumberColumn = "请在表头输入 \"%s\" 一栏!";
const char* const kInsertFailedInDialog = "未找到相同%s! 插入失败!";
}  // namespace

BEGIN_MESSAGE_MAP(CRecordInfoDlg, CBaseDialog)
ON_BN_CLICKED(CRecordInfoDlg::kCopyRow, OnCopyRow)
ON_BN_CLICKED(CRecordInfoDlg::kPasteRow, OnPasteRow)
ON_BN_CLICKED(CRecordInfoDlg::kUndo, OnUndo)
ON_BN_CLICKED(CRecordInfoDlg::kDeleteSurplus, OnDeleteSurplus)
ON_BN_CLICKED(CRecordInfoDlg::kQuit, OnQuit)
ON_EN_UPDATE(CRecordInfoDlg::kCellEdit, OnCellEditUpdate)
ON_CBN_EDITUPDATE(CRecordInfoDlg::kMaterialBox, OnMaterialEditUpdate)
ON_CBN_SELCHANGE(CRecordInfoDlg::kMaterialBox, OnMaterialSelected)
ON_NOTIFY(NM_CLICK, CRecordInfoDlg::kGrid, OnGridClick)
ON_NOTIFY(NM_DBLCLK, CRecordInfoDlg::kGrid, OnGridDoubleClick)
ON_NOTIFY(LVN_KEYDOWN, CRecordInfoDlg::kGrid, OnGridKeyDown)
END_MESSAGE_MAP()

CRecordInfoDlg::CRecordInfoDlg(int first, int last, int mode, int extra, const CEntityList* entities,
                               const char* path, CDraftView* view, CEntityList* oldEntities,
                               CEntityList* newEntities, CWnd* parent)
    : CBaseDialog(IDD, parent), first_(first), last_(last), mode_(mode), extra_(extra), view_(view) {
  InitCommon(entities, path, oldEntities, newEntities);
  numeric_ = 1;
}

CRecordInfoDlg::CRecordInfoDlg(const CStringArray& values, int mode, const CEntityList* entities, const char* path,
                               CDraftView* view, CEntityList* oldEntities, CEntityList* newEntities, CWnd* parent)
    : CBaseDialog(IDD, parent), mode_(mode), view_(view) {
  InitCommon(entities, path, oldEntities, newEntities);
  values_.Copy(values);
  numeric_ = CheckValueList(values_, 0) != 0 ? 1 : 0;
  if (numeric_) {
    // The numbers' range is that of the values.
    first_ = INT_MAX;
    last_ = INT_MIN;
    for (INT_PTR i = 0; i < values_.GetSize(); ++i) {
      const int n = std::atoi(values_[i].GetString());
      first_ = std::min(first_, n);
      last_ = std::max(last_, n);
    }
  }
}

void CRecordInfoDlg::InitCommon(const CEntityList* entities, const char* path, CEntityList* oldEntities,
                                CEntityList* newEntities) {
  if (entities)
    for (CEntity* e : *entities)
      if (e) entities_.push_back(e);
  path_ = path ? path : "";
  structurePath_ = GetProfileStringSetting("TableFrameSetting", "TableFrameFilePath", "");
  oldEntities_ = oldEntities;
  newEntities_ = newEntities;
  numberName_ = GetStringConverter().GetNumberColumnName();
}

CRecordInfoDlg::~CRecordInfoDlg() {
  undo_.clear();
  entities_.clear();
  delete result_;
}

CTableEntity* CRecordInfoDlg::TakeResultTable() {
  CTableEntity* t = result_;
  result_ = nullptr;
  return t;
}

CRecordRows CRecordInfoDlg::MakeRecordRows(CStringArray& rows) const {
  return CRecordRows(rows, fields_, numberColumn_, entities_);
}

BOOL CRecordInfoDlg::FindColumns(bool tell) {
  numberColumn_ = materialColumn_ = -1;
  for (int i = 0; i < fields_.GetSize(); ++i) {
    CStringA name = fields_[i].GetName();
    CPartsListCtrl::CleanName(name);
    if (numberColumn_ < 0 && name == numberName_) numberColumn_ = i;
    if (materialColumn_ < 0 && name.Find("材料") >= 0) materialColumn_ = i;
  }
  if (numberColumn_ >= 0) return TRUE;
  if (tell) {
    CStringA text;
    text.Format(kNoNumberColumn, numberName_.GetString());
    AfxMessageBox(text, MB_OK);
  }
  return FALSE;
}

// ---- The dialog ---------------------------------------------------------------------------------------------

void CRecordInfoDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_Control(dx, kCellEdit, cellEdit_);
  DDX_Control(dx, kMaterialBox, materialBox_);
  DDX_Control(dx, kGrid, grid_);
}

BOOL CRecordInfoDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  grid_.SetRowHeight(18);
  cellEdit_.SetParentKind(3);
  CStringArray rows;
  if (!grid_.OpenDataFile(path_, rows, fields_)) {
    // A file that cannot be read (or not chosen) is not shown, and so never
    // written over with what little of it was read.
    EndDialog(IDCANCEL);
    return TRUE;
  }
  SetWindowText("显示明细表记录信息 (文件路径: " + path_ + ")");
  if (fields_.GetSize() == 0) grid_.ReadStructureFile(fields_, structurePath_, 1);
  grid_.SetColumns(fields_);
  for (int i = 0; i < fields_.GetSize(); ++i) grid_.SetColumnWidth(i, kColumnWidth);
  grid_.FillRows(rows);
  rowCount_ = grid_.GetItemCount();
  if (FindColumns(true)) {
    if (numeric_) {
      ApplyNumericMode();
    } else if (mode_ == 1 || mode_ == 3) {
      AddRowsForValues();
    } else if (mode_ == 2) {
      DeleteRowsForValues();
    }
  }
  if (materialColumn_ >= 0) FillMaterialBox();
  if (grid_.GetItemCount() > 0 && fields_.GetSize() > 0 && !grid_.HasCurrentCell()) grid_.SetCurrentCell(0, 0);
  ShowCurrentCell(false);
  if (!numeric_) GetDlgItem(kDeleteSurplus)->EnableWindow(FALSE);
  return TRUE;
}

void CRecordInfoDlg::ApplyNumericMode() {
  CStringArray rows;
  grid_.GetRowTexts(grid_.GetItemCount(), rows);
  CRecordRows records = MakeRecordRows(rows);
  int shown = -1;
  switch (mode_) {
    case 1:
      if (!records.InsertNumbers(first_, last_)) {
        CStringA text;
        text.Format(kInsertFailedInDialog, numberName_.GetString());
        AfxMessageBox(text, MB_OK);
        return;
      }
      shown = records.FindRecordByNumber(first_, 2);
      break;
    case 2:
      records.DeleteNumbers(first_, last_);
      break;
    case 3:
      records.AddNumbers(first_, last_);
      break;
    default:
      return;
  }
  grid_.FillRows(rows);
  rowCount_ = grid_.GetItemCount();
  if (shown >= 0) {
    grid_.RedrawRow(shown);
    grid_.EnsureVisible(shown, FALSE);
  }
  modified_ = 1;
}

int CRecordInfoDlg::FindRowByNumber(int value, int how) const {
  if (numberColumn_ < 0) return -1;
  for (int i = 0; i < grid_.GetItemCount(); ++i) {
    const int n = std::atoi(grid_.GetCellText(i, numberColumn_).GetString());
    if ((how == 1 && n > value) || (how == 2 && n >= value) || (how == 3 && n == value)) return i;
  }
  return -1;
}

int CRecordInfoDlg::FindRowByValue(const CStringA& value) const {
  if (numberColumn_ < 0) return -1;
  for (int i = 0; i < grid_.GetItemCount(); ++i)
    if (IsTextMatch(grid_.GetCellText(i, numberColumn_), value)) return i;
  return -1;
}

void CRecordInfoDlg::AddRowsForValues() {
  CStringArray scratch;
  CRecordRows records = MakeRecordRows(scratch);
  int written = -1;
  for (int i = 0; i < values_.GetSize(); ++i) {
    const int fresh = grid_.InsertItem(grid_.GetItemCount(), " ");
    CStringArray cells;
    SplitRowText(records.BuildRecordTextForValue(values_[i], records.EntityAt(i)), cells);
    int row = FindRowByValue(values_[i]);
    if (row < 0 || row == fresh) row = fresh;
    for (int c = 0; c < cells.GetSize() && c < grid_.GetColumnCount(); ++c) grid_.SetItemText(row, c, cells[c]);
    ++rowCount_;
    written = row;
  }
  if (written >= 0) {
    grid_.SetCurrentCell(written, std::max(grid_.GetCurrentColumn(), 0));
    grid_.RedrawRow(written);
    UpdateWindow();
    grid_.EnsureVisible(written, FALSE);
  }
  modified_ = 1;
}

void CRecordInfoDlg::DeleteRowsForValues() {
  for (int i = 0; i < values_.GetSize(); ++i) {
    const int row = FindRowByValue(values_[i]);
    if (row < 0) continue;
    grid_.DeleteItem(row);
    --rowCount_;
  }
  modified_ = 1;
}

void CRecordInfoDlg::FillMaterialBox() {
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

// ---- Cells --------------------------------------------------------------------------------------------------

CWnd* CRecordInfoDlg::ShowEditor() {
  const bool material = materialColumn_ >= 0 && grid_.GetCurrentColumn() == materialColumn_;
  materialBox_.ShowWindow(material ? SW_SHOW : SW_HIDE);
  cellEdit_.ShowWindow(material ? SW_HIDE : SW_SHOW);
  return material ? static_cast<CWnd*>(&materialBox_) : static_cast<CWnd*>(&cellEdit_);
}

void CRecordInfoDlg::ShowCurrentCell(bool select) {
  CWnd* editor = ShowEditor();
  if (!grid_.HasCurrentCell()) return;
  const int row = grid_.GetCurrentRow(), column = grid_.GetCurrentColumn();
  CStringA text = grid_.GetCellText(row, column);
  text.Trim();
  if (editor == &materialBox_ && text.IsEmpty() && materialBox_.GetCount() > 0) {
    materialBox_.GetWindowText(text);
    text.Trim();
    if (text.IsEmpty()) materialBox_.GetLBText(std::max(materialBox_.GetCurSel(), 0), text);
    grid_.SetItemText(row, column, text);
    modified_ = 1;
  }
  currentText_ = text;
  editor->SetWindowText(text);
  if (editor == &cellEdit_) cellEdit_.SetModify(FALSE);
  if (!select) return;
  editor->SetFocus();
  if (editor == &cellEdit_) cellEdit_.SetSel(0, -1);
}

void CRecordInfoDlg::SetListEditText(const CStringA& text) {
  currentText_ = text;
  if (::IsWindow(cellEdit_.GetSafeHwnd())) cellEdit_.SetWindowText(text);
}

void CRecordInfoDlg::ClickCell() {
  int row = -1, column = -1;
  grid_.HitTest(row, column, nullptr);
  if (row < 0 || column < 0) return;
  if (row == grid_.GetCurrentRow() && column == grid_.GetCurrentColumn()) {
    ShowCurrentCell(true);
    return;
  }
  const int oldRow = grid_.GetCurrentRow();
  grid_.SetCurrentCell(row, column);
  if (oldRow >= 0) grid_.RedrawRow(oldRow);
  grid_.RedrawRow(row);
  ShowCurrentCell(false);
}

void CRecordInfoDlg::OnGridClick(NMHDR*, LRESULT* result) {
  ClickCell();
  *result = 0;
}

void CRecordInfoDlg::OnGridDoubleClick(NMHDR*, LRESULT* result) {
  ClickCell();
  ClickCell();
  *result = 0;
}

void CRecordInfoDlg::OnGridKeyDown(NMHDR* header, LRESULT* result) {
  const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(header);
  // Moving only: the record dialog's rows change through its buttons.
  CPartsListUndo none;
  grid_.OnKeyDown(key->wVKey, rowCount_, fields_, none, 1);
  ShowCurrentCell(false);
  *result = 0;
}

void CRecordInfoDlg::CommitEditor() {
  if (!grid_.HasCurrentCell() || grid_.GetCurrentColumn() == numberColumn_) return;
  CStringA text;
  if (materialColumn_ >= 0 && grid_.GetCurrentColumn() == materialColumn_) {
    materialBox_.GetWindowText(text);
    text.Trim();
  } else {
    cellEdit_.GetWindowText(text);
  }
  if (text == currentText_) return;
  currentText_ = text;
  grid_.SetItemText(grid_.GetCurrentRow(), grid_.GetCurrentColumn(), text);
  modified_ = 1;
}

void CRecordInfoDlg::OnCellEditUpdate() {
  if (!grid_.HasCurrentCell() || grid_.GetCurrentColumn() == numberColumn_) return;
  if (grid_.TakeEditText(currentText_)) modified_ = 1;
}

void CRecordInfoDlg::OnMaterialEditUpdate() { CommitEditor(); }

void CRecordInfoDlg::OnMaterialSelected() {
  const int sel = materialBox_.GetCurSel();
  if (sel < 0) return;
  CStringA text;
  materialBox_.GetLBText(sel, text);
  materialBox_.SetWindowText(text);
  CommitEditor();
}

void CRecordInfoDlg::OnOK() {
  CWnd* focus = GetFocus();
  if (focus && focus->GetSafeHwnd() == grid_.GetSafeHwnd()) {
    ShowCurrentCell(true);
    return;
  }
  if (!grid_.HasCurrentCell()) return;
  CommitEditor();
  const int columns = static_cast<int>(fields_.GetSize());
  const int rows = grid_.GetItemCount();
  int row = grid_.GetCurrentRow(), column = grid_.GetCurrentColumn();
  const int oldRow = row;
  // The next cell that is not in the number column, row by row, round to
  // the first row.
  for (int tries = 0; tries <= columns; ++tries) {
    if (++column >= columns) {
      column = 0;
      row = row + 1 >= rows ? 0 : row + 1;
    }
    if (column != numberColumn_) break;
  }
  grid_.SetCurrentCell(row, column);
  grid_.RedrawRow(oldRow);
  grid_.RedrawRow(row);
  grid_.EnsureVisible(row, FALSE);
  ShowCurrentCell(true);
}

// ---- Rows ---------------------------------------------------------------------------------------------------

void CRecordInfoDlg::SaveRowUndo(int kind, int first, int last) {
  RowUndo entry{kind, first, last, {}};
  for (int r = first; r <= last; ++r) {
    CStringArray cells;
    grid_.GetRowCells(r, cells);
    entry.rows.emplace_back(cells.GetData(), cells.GetData() + cells.GetSize());
  }
  undo_.push_back(entry);
}

void CRecordInfoDlg::OnCopyRow() {
  if (grid_.HasCurrentCell()) grid_.GetCurrentRowCells(copiedRow_);
}

void CRecordInfoDlg::OnPasteRow() {
  if (!grid_.HasCurrentCell()) {
    AfxMessageBox("请选择粘贴位置!", MB_OK);
    return;
  }
  if (copiedRow_.GetSize() == 0) {
    AfxMessageBox("请选择复制对象!", MB_OK);
    return;
  }
  const int row = grid_.GetCurrentRow();
  SaveRowUndo(kRowChanged, row, row);
  for (int c = 0; c < grid_.GetColumnCount() && c < copiedRow_.GetSize(); ++c)
    if (c != numberColumn_) grid_.SetItemText(row, c, copiedRow_[c]);
  modified_ = 1;
  ShowCurrentCell(false);
}

void CRecordInfoDlg::OnUndo() {
  if (undo_.empty()) return;
  RowUndo entry = std::move(undo_.back());
  undo_.pop_back();
  if (entry.kind == kRowChanged) {
    if (entry.first < grid_.GetItemCount() && !entry.rows.empty())
      for (int c = 0; c < static_cast<int>(entry.rows[0].size()) && c < grid_.GetColumnCount(); ++c)
        if (c != numberColumn_) grid_.SetItemText(entry.first, c, entry.rows[0][c]);
  } else if (entry.kind == kRowsDeleted) {
    for (size_t i = 0; i < entry.rows.size(); ++i) {
      const int at = grid_.InsertItem(entry.first + static_cast<int>(i), " ");
      for (int c = 0; c < static_cast<int>(entry.rows[i].size()) && c < grid_.GetColumnCount(); ++c)
        grid_.SetItemText(at, c, entry.rows[i][c]);
      ++rowCount_;
    }
  }
  ShowCurrentCell(false);
}

void CRecordInfoDlg::OnDeleteSurplus() {
  if (!numeric_) return;
  const int last = FindRowByNumber(extra_, 3);
  const int from = last + 1;
  const int count = grid_.GetItemCount();
  if (from >= count) return;
  SaveRowUndo(kRowsDeleted, from, count - 1);
  for (int r = count - 1; r >= from; --r) {
    grid_.DeleteItem(r);
    --rowCount_;
  }
  if (grid_.GetCurrentRow() >= grid_.GetItemCount())
    grid_.SetCurrentCell(grid_.GetItemCount() - 1, grid_.GetItemCount() > 0 ? grid_.GetCurrentColumn() : -1);
  modified_ = 1;
  ShowCurrentCell(false);
}

// ---- Exit ---------------------------------------------------------------------------------------------------

void CRecordInfoDlg::OnQuit() {
  WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 0);
  const int rows = grid_.GetItemCount();
  if (modified_) {
    CStringArray texts;
    grid_.GetRowTexts(rows, texts);
    grid_.WriteDataFile(path_, fields_, texts);
  }
  WriteProfileStringSetting("SystemSetting", "TableDataFilePath", path_);
  WriteProfileIntSetting("SystemSetting", "TableType", 1);
  EndDialog(IDOK);
  // The drawing's parts list takes the records (with the caller's lists as
  // one step); without one, a new parts list is made for the command to
  // place, the lists staying with the command for its own undo step.
  if (view_ && view_->GetPartsListTable()) {
    grid_.ReplacePartsListTable(view_, rows, fields_, path_, nullptr, modified_, 2, oldEntities_, newEntities_);
    return;
  }
  delete result_;
  result_ = nullptr;
  grid_.GenerateTable(rows, fields_, &result_, view_, path_, 1, 1);
}
