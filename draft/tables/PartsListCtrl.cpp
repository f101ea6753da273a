#include "draft/tables/PartsListCtrl.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "draft/tables/ArrayRoom.h"
#include "draft/tables/PartsListOwner.h"
#include "draft/tables/RowText.h"
#include "draft/tables/TableFiles.h"
#include "platform/core/Charset.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/MessageMap.h"

IMPLEMENT_DYNAMIC(CPartsListCtrl, CGridListCtrl)

BEGIN_MESSAGE_MAP(CPartsListCtrl, CGridListCtrl)
ON_WM_CHAR()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

namespace {

const char kSerialName[] = "序号";
const char kQuantityName[] = "数量";
constexpr int kOwnerEdit = 314;
constexpr int kOwnerOtherEdit = 2326;
constexpr int kOwnerCombo = 1313;

// The name without blanks, as row insertion compares names.
CStringA BlanklessName(const CFieldRecord& field) {
  CStringA name = field.GetName();
  name.Remove(' ');
  name.Remove('\t');
  return name;
}

}  // namespace

CPartsListCtrl::CPartsListCtrl() : header_(kPartsListMagic99) {
  verticalLines_ = 1;
  horizontalLines_ = 1;
  ResetTypedBuffer();
}

CPartsListOwner* CPartsListCtrl::GetOwnerDialog() const { return dynamic_cast<CPartsListOwner*>(GetParent()); }

void CPartsListCtrl::ResetTypedBuffer() {
  std::memset(typed_, ' ', kTypedLimit + 1);
  typed_[0] = '\0';
  typedCount_ = 0;
  typedRow_ = typedColumn_ = -1;
}

// ---- Row texts ----------------------------------------------------------------------------------------------

void CPartsListCtrl::FormatRowText(int row, CStringA& text) const {
  CStringArray cells;
  GetRowCells(row, cells);
  text = JoinRowCells(cells);
}

void CPartsListCtrl::SplitRowText(const CStringA& text, CStringArray& cells) const { ::SplitRowText(text, cells); }

void CPartsListCtrl::GetRowTexts(int count, CStringArray& texts) const {
  texts.RemoveAll();
  MakeRoom(texts, static_cast<size_t>(std::max(count, 0)));
  CStringA text;
  for (int i = 0; i < count; ++i) {
    FormatRowText(i, text);
    texts.Add(text);
  }
}

// ---- Columns and rows ---------------------------------------------------------------------------------------

void CPartsListCtrl::SetColumns(const CFieldArray& structure) {
  const int count = static_cast<int>(structure.GetSize());
  while (GetColumnCount() > count) CListCtrl::DeleteColumn(GetColumnCount() - 1);
  for (int i = 0; i < count; ++i) {
    const CStringA name = structure[i].GetName();
    if (i < GetColumnCount()) {
      LVCOLUMNA column{};
      column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
      column.fmt = LVCFMT_LEFT;
      column.cx = 80;
      column.pszText = const_cast<char*>(name.GetString());
      SetColumn(i, &column);
    } else {
      CListCtrl::InsertColumn(i, name.GetString(), LVCFMT_LEFT, 80, i);
    }
  }
  columnCount_ = count;
}

void CPartsListCtrl::FillRows(const CStringArray& rowTexts) {
  DeleteAllItems();
  CStringArray cells;
  for (INT_PTR i = 0; i < rowTexts.GetSize(); ++i) {
    ::SplitRowText(rowTexts[i], cells);
    InsertCells(static_cast<int>(i), cells);
  }
}

void CPartsListCtrl::InsertCells(int row, const CStringArray& cells) {
  const int at = InsertItem(row, " ");
  if (at < 0) return;
  const int n = std::min(GetColumnCount(), static_cast<int>(cells.GetSize()));
  for (int c = 0; c < n; ++c) SetItemText(at, c, cells[c].GetString());
}

void CPartsListCtrl::GetRowCells(int row, CStringArray& cells) const {
  cells.RemoveAll();
  if (row < 0 || row >= GetItemCount()) return;
  for (int c = 0; c < GetColumnCount(); ++c) cells.Add(GetCellText(row, c));
}

void CPartsListCtrl::GetCurrentRowCells(CStringArray& cells) const {
  if (!HasCurrentCell()) return;
  GetRowCells(currentRow_, cells);
}

CStringA CPartsListCtrl::TrimmedCell(int row, int column) const {
  CStringA text = GetCellText(row, column);
  text.Trim();
  return text;
}

void CPartsListCtrl::Renumber(int from, const CFieldArray& structure) {
  CStringA number;
  for (int c = 0; c < structure.GetSize() && c < GetColumnCount(); ++c) {
    if (structure[c].GetName() != kSerialName) continue;
    for (int r = std::max(from, 0); r < GetItemCount(); ++r) {
      number.Format("%d", r + 1);
      SetItemText(r, c, number.GetString());
    }
  }
}

void CPartsListCtrl::SetQuantityOne(int row, const CFieldArray& structure) {
  for (int c = 0; c < structure.GetSize() && c < GetColumnCount(); ++c)
    if (BlanklessName(structure[c]).Find(kQuantityName) >= 0) SetItemText(row, c, "1");
}

int CPartsListCtrl::AppendRow(const CFieldArray& structure, int& rowCount, CPartsListUndo& undo) {
  const int fields = static_cast<int>(structure.GetSize());
  if (fields == 0) return -1;
  const int row = InsertItem(GetItemCount(), " ");
  CStringA number;
  number.Format("%d", row + 1);
  for (int c = 0; c < fields && c < GetColumnCount(); ++c) {
    const CStringA name = BlanklessName(structure[c]);
    if (name.Find(kSerialName) >= 0) SetItemText(row, c, number.GetString());
    if (name.Find(kQuantityName) >= 0) SetItemText(row, c, "1");
  }
  undo.AddTail(new CPartsListRow(CPartsListRow::kAppendRow, row, -1));
  ++rowCount;
  return fields - 1;
}

void CPartsListCtrl::InsertBlankRow(int& rowCount, const CFieldArray& structure, CPartsListUndo& undo) {
  const int at = HasCurrentCell() ? currentRow_ : GetItemCount();
  const int row = InsertItem(at, " ");
  ++rowCount;
  SetQuantityOne(row, structure);
  Renumber(row, structure);
  undo.AddTail(new CPartsListRow(CPartsListRow::kInsertBlankRow, row, -1));
}

void CPartsListCtrl::InsertRow(const CStringArray& cells, int& rowCount, const CFieldArray& structure,
                               CPartsListUndo& undo) {
  const int at = HasCurrentCell() ? currentRow_ : GetItemCount();
  InsertRowAt(at, cells, rowCount, structure);
  undo.AddTail(new CPartsListRow(CPartsListRow::kInsertRowWithCells, at, -1));
}

void CPartsListCtrl::InsertRowAt(int row, const CStringArray& cells, int& rowCount, const CFieldArray& structure) {
  const int at = std::clamp(row, 0, GetItemCount());
  InsertCells(at, cells);
  ++rowCount;
  Renumber(at, structure);
}

void CPartsListCtrl::DeleteCurrentRow(int& rowCount, const CFieldArray& structure, CPartsListUndo& undo) {
  if (!HasCurrentCell() || GetItemCount() == 0) return;
  auto* record = new CPartsListRow(CPartsListRow::kDeleteRow, currentRow_, -1);
  undo.AddTail(record);
  for (int c = 0; c < GetColumnCount(); ++c) {
    CStringA text = GetCellText(currentRow_, c);
    record->cells.Add(text.IsEmpty() ? CStringA(" ") : text);
  }
  DeleteRow(currentRow_, rowCount, structure, TRUE);
}

void CPartsListCtrl::DeleteRow(int row, int& rowCount, const CFieldArray& structure, int keepCurrent) {
  if (row < 0 || row >= GetItemCount()) return;
  const bool wasLast = row == GetItemCount() - 1;
  DeleteItem(row);
  if (keepCurrent && wasLast && currentRow_ == row && currentRow_ > 0) --currentRow_;
  --rowCount;
  Renumber(row, structure);
}

void CPartsListCtrl::ShiftCellsLeft(int row, int column) {
  const int last = GetColumnCount() - 1;
  if (row < 0 || row >= GetItemCount() || column < 0 || column > last) return;
  for (int c = column; c < last; ++c) SetItemText(row, c, GetCellText(row, c + 1).GetString());
  SetItemText(row, last, " ");
}

// ---- Columns ------------------------------------------------------------------------------------------------

void CPartsListCtrl::InsertColumn(int index, const CFieldRecord& field, const CStringArray& cells,
                                  CFieldArray& structure) {
  const int at = std::clamp(index, 0, static_cast<int>(structure.GetSize()));
  // The cells of every row, with the new column's put in, are set again
  // after the column is in place.
  const int rows = GetItemCount();
  std::vector<std::vector<CStringA>> table(static_cast<size_t>(rows));
  for (int r = 0; r < rows; ++r) {
    auto& row = table[static_cast<size_t>(r)];
    for (int c = 0; c < GetColumnCount(); ++c) row.push_back(GetCellText(r, c));
    row.insert(row.begin() + std::min(at, static_cast<int>(row.size())),
               r < cells.GetSize() ? cells[r] : CStringA(" "));
  }
  structure.InsertAt(at, field);
  CListCtrl::InsertColumn(at, field.GetName().GetString(), LVCFMT_LEFT, 80, at);
  columnCount_ = GetColumnCount();
  for (int r = 0; r < rows; ++r) {
    const auto& row = table[static_cast<size_t>(r)];
    for (int c = 0; c < static_cast<int>(row.size()) && c < columnCount_; ++c)
      SetItemText(r, c, row[static_cast<size_t>(c)].GetString());
  }
}

BOOL CPartsListCtrl::DeleteColumnRecord(CFieldArray& structure, CPartsListUndo& undo) {
  if (!HasCurrentCell()) {
    AfxMessageBox("请选择删除字段!");
    return FALSE;
  }
  if (currentColumn_ == 0) {
    AfxMessageBox("不能删除第一列!");
    return FALSE;
  }
  auto* record = new CPartsListRow(CPartsListRow::kDeleteColumn, currentRow_, currentColumn_);
  undo.AddTail(record);
  MakeRoom(record->cells, static_cast<size_t>(GetItemCount()));
  for (int r = 0; r < GetItemCount(); ++r) record->cells.Add(GetCellText(r, currentColumn_));
  if (currentColumn_ < structure.GetSize()) record->field = structure[currentColumn_];
  DeleteColumn(currentColumn_, structure);
  return TRUE;
}

void CPartsListCtrl::DeleteColumn(int index, CFieldArray& structure) {
  if (index < 0 || index >= GetColumnCount()) return;
  const int rows = GetItemCount();
  std::vector<std::vector<CStringA>> table(static_cast<size_t>(rows));
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < GetColumnCount(); ++c)
      if (c != index) table[static_cast<size_t>(r)].push_back(GetCellText(r, c));
  if (index < structure.GetSize()) structure.RemoveAt(index);
  CListCtrl::DeleteColumn(index);
  columnCount_ = GetColumnCount();
  for (int r = 0; r < rows; ++r) {
    const auto& row = table[static_cast<size_t>(r)];
    for (int c = 0; c < static_cast<int>(row.size()); ++c) SetItemText(r, c, row[static_cast<size_t>(c)].GetString());
  }
  if (currentColumn_ >= columnCount_ && currentColumn_ > 0) currentColumn_ = columnCount_ - 1;
}

void CPartsListCtrl::SetColumnField(int index, const CFieldRecord& field, CFieldArray& structure) {
  if (index < 0 || index >= structure.GetSize()) return;
  structure[index] = field;
  if (index >= GetColumnCount()) return;
  const CStringA name = field.GetName();
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT;
  column.pszText = const_cast<char*>(name.GetString());
  SetColumn(index, &column);
}

BOOL CPartsListCtrl::TakeEditText(CStringA& text) {
  CWnd* parent = GetParent();
  CWnd* edit = parent ? parent->GetDlgItem(kOwnerEdit) : nullptr;
  if (!edit || !HasCurrentCell()) return FALSE;
  CStringA typed;
  edit->GetWindowText(typed);
  if (typed == text) return FALSE;
  text = typed;
  SetItemText(currentRow_, currentColumn_, text.GetString());
  return TRUE;
}

// ---- Keys and typing ----------------------------------------------------------------------------------------

void CPartsListCtrl::ShowCurrentRowChange(int oldRow) {
  RedrawRow(oldRow);
  if (currentRow_ != oldRow) RedrawRow(currentRow_);
  if (currentRow_ >= 0) EnsureVisible(currentRow_, FALSE);
}

void CPartsListCtrl::OnKeyDown(UINT key, int& rowCount, CFieldArray& structure, CPartsListUndo& undo, int locked) {
  const int oldRow = currentRow_;
  const int n = GetItemCount();
  const int m = GetColumnCount();
  switch (key) {
    case VK_HOME:
      currentColumn_ = 0;
      break;
    case VK_END:
      if (m > 0) currentColumn_ = m - 1;
      break;
    case VK_LEFT:
      if (m > 0) currentColumn_ = currentColumn_ <= 0 ? m - 1 : currentColumn_ - 1;
      break;
    case VK_RIGHT:
      if (m > 0) currentColumn_ = currentColumn_ >= m - 1 ? 0 : currentColumn_ + 1;
      break;
    case VK_UP:
      if (n > 0) currentRow_ = currentRow_ <= 0 ? n - 1 : currentRow_ - 1;
      break;
    case VK_DOWN:
      if (n > 0) currentRow_ = currentRow_ >= n - 1 ? 0 : currentRow_ + 1;
      break;
    case VK_INSERT:
      if (!locked) InsertBlankRow(rowCount, structure, undo);
      break;
    case VK_DELETE:
      if (!locked) DeleteCurrentRow(rowCount, structure, undo);
      break;
    default:
      break;
  }
  ShowCurrentRowChange(oldRow);
}

void CPartsListCtrl::OnChar(UINT ch, UINT, UINT) { TypeCharacter(ch); }

void CPartsListCtrl::OnSetFocus(CWnd* oldWnd) {
  ResetTypedBuffer();
  CGridListCtrl::OnSetFocus(oldWnd);
}

void CPartsListCtrl::TypeCharacter(UINT ch) {
  if (!HasCurrentCell() || editMode_ == 6 || ch == VK_BACK) return;
  // What was typed into another cell is not typed again into this one.
  if (currentRow_ != typedRow_ || currentColumn_ != typedColumn_) ResetTypedBuffer();
  typedRow_ = currentRow_;
  typedColumn_ = currentColumn_;
  CPartsListOwner* owner = GetOwnerDialog();
  CFieldRecord field;
  if (owner && currentColumn_ < owner->GetListStructure().GetSize())
    field = owner->GetListStructure()[currentColumn_];

  // The character's GBK bytes (the message carries a UTF-16 code unit);
  // the first character may stand for a symbol.
  std::string bytes = ch < 0x80 ? std::string(1, static_cast<char>(ch))
                                 : platform::Utf16ToGbk(std::u16string(1, static_cast<char16_t>(ch)));
  if (typedCount_ == 0) {
    if (ch == '`') bytes = "Φ";
    if (ch == '^') bytes = "±";
    if (ch == '~') bytes = "°";
  }
  // A character that does not fit whole is not appended.
  if (!bytes.empty() && typedCount_ + static_cast<int>(bytes.size()) <= kTypedLimit) {
    std::memcpy(typed_ + typedCount_, bytes.data(), bytes.size());
    typedCount_ += static_cast<int>(bytes.size());
    typed_[typedCount_] = '\0';
  }
  const CStringA text(typed_, typedCount_);

  bool hidden = false;
  if (owner && (editMode_ == 2 || (editMode_ == 1 && owner->GetHideTypedTextFlag() == 1))) {
    const CStringA name = owner->GetHiddenFieldName();
    hidden = !name.IsEmpty() && field.GetName() == name;
  }
  if ((typedCount_ > 1 || (ch >= 32 && ch <= 126)) && !hidden) {
    CWnd* parent = GetParent();
    CWnd* edit = parent ? parent->GetDlgItem(kOwnerEdit) : nullptr;
    if (!edit && parent) edit = parent->GetDlgItem(kOwnerOtherEdit);
    const int end = text.GetLength();
    if (edit && edit->IsWindowVisible()) {
      edit->SetWindowText(text.GetString());
      edit->SetFocus();
      edit->SendMessage(EM_SETSEL, static_cast<WPARAM>(end), end);
      if (editMode_ != 4) SetItemText(currentRow_, currentColumn_, text.GetString());
    } else if (CWnd* combo = parent ? parent->GetDlgItem(kOwnerCombo) : nullptr) {
      combo->SetWindowText(text.GetString());
      combo->SetFocus();
      combo->SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(end, end));
      SetItemText(currentRow_, currentColumn_, text.GetString());
    }
  }
  if (owner && editMode_ >= 1 && editMode_ <= 3) owner->SetListEditText(text);
  modified_ = 1;
}
