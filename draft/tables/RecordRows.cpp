#include "draft/tables/RecordRows.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "draft/host/Entity.h"
#include "draft/host/ValueText.h"
#include "draft/tables/PartsListCtrl.h"
#include "draft/tables/RowText.h"

namespace {
const char* const kPartName = "零件名称";
const char* const kName = "名称";
const char* const kQuantity = "数量";

CStringA CleanedName(const CFieldRecord& field) {
  CStringA name(field.GetName());
  CPartsListCtrl::CleanName(name);
  return name;
}
}  // namespace

CStringA GetRecordAttribute(const CEntity* entity, const CStringA& name) {
  CStringA value;
  if (!entity) return value;
  if (GetEntityAttribute(entity, name, value)) return value;
  if (name == kPartName) GetEntityAttribute(entity, kName, value);
  else if (name == kName) GetEntityAttribute(entity, kPartName, value);
  return value;
}

CStringA RecordQuantity(const CStringA& value) {
  const int n = std::atoi(value.GetString());
  return n <= 0 || n == 32 ? CStringA("1") : value;
}

CRecordRows::CRecordRows(CStringArray& rows, const CFieldArray& fields, int numberColumn,
                         std::vector<const CEntity*> entities)
    : rows_(rows), fields_(fields), numberColumn_(numberColumn), entities_(std::move(entities)) {}

const CEntity* CRecordRows::EntityAt(int index) const {
  if (entities_.empty()) return nullptr;
  if (index < 0) index = 0;
  return index < static_cast<int>(entities_.size()) ? entities_[static_cast<size_t>(index)] : entities_.back();
}

void CRecordRows::BuildRecordCells(const CStringA& number, const CEntity* entity, CStringArray& cells) const {
  cells.RemoveAll();
  for (INT_PTR f = 0; f < fields_.GetSize(); ++f) {
    const CStringA name = CleanedName(fields_[f]);
    if (f == numberColumn_) {
      cells.Add(number);
      continue;
    }
    CStringA value = GetRecordAttribute(entity, name);
    if (name == kQuantity) value = RecordQuantity(value);
    cells.Add(value);
  }
}

CStringA CRecordRows::BuildRecordText(int number, const CEntity* entity) const {
  CStringA n;
  n.Format("%d", number);
  return BuildRecordTextForValue(n, entity);
}

CStringA CRecordRows::BuildRecordTextForValue(const CStringA& value, const CEntity* entity) const {
  CStringArray cells;
  BuildRecordCells(value, entity, cells);
  return JoinRowCells(cells);
}

CStringA CRecordRows::NumberCell(int row) const {
  CStringArray cells;
  SplitRowText(rows_[row], cells);
  return numberColumn_ >= 0 && numberColumn_ < cells.GetSize() ? cells[numberColumn_] : CStringA();
}

int CRecordRows::GetNumber(int row) const { return std::atoi(NumberCell(row).GetString()); }

BOOL CRecordRows::IsNumbered(int row) const { return IsNumericString(NumberCell(row)); }

void CRecordRows::SetNumber(int row, int number) {
  CStringArray cells;
  SplitRowText(rows_[row], cells);
  while (cells.GetSize() <= numberColumn_) cells.Add(" ");
  cells[numberColumn_].Format("%d", number);
  rows_[row] = JoinRowCells(cells);
}

int CRecordRows::FindRecordByNumber(int n, int how) const {
  for (int i = 0; i < rows_.GetSize(); ++i) {
    const int v = GetNumber(i);
    if ((how == 1 && v > n) || (how == 2 && v >= n) || (how == 3 && v == n)) return i;
  }
  return -1;
}

int CRecordRows::FindRecordByValue(const CStringA& value, int how) const {
  for (int i = 0; i < rows_.GetSize(); ++i) {
    const int c = std::strcmp(NumberCell(i).GetString(), value.GetString());
    if ((how == 1 && c > 0) || (how == 2 && c >= 0) || (how == 3 && c == 0)) return i;
  }
  return -1;
}

void CRecordRows::AppendNumbers(int first, int last) {
  for (int n = first; n <= last; ++n) rows_.Add(BuildRecordText(n, EntityAt(n - first)));
}

BOOL CRecordRows::InsertNumbers(int first, int last) {
  bool found = false;
  for (int n = first; n <= last && !found; ++n) found = FindRecordByNumber(n, 3) >= 0;
  if (!found) return FALSE;
  int p = FindRecordByNumber(first, 2);
  if (p < 0) p = static_cast<int>(rows_.GetSize());
  for (int n = first; n <= last; ++n) rows_.InsertAt(p + (n - first), BuildRecordText(n, EntityAt(n - first)));
  // Each numbered row after the new ones takes the next number free of the
  // rows in the window before it; the window moves on with each of them.
  int w = p;
  for (int i = p + (last - first + 1); i < rows_.GetSize(); ++i) {
    if (!IsNumbered(i)) continue;
    int v = GetNumber(i);
    for (int j = w; j < i; ++j) {
      if (IsNumbered(j) && GetNumber(j) == v) {
        ++v;
        SetNumber(i, v);
      }
    }
    ++w;
  }
  return TRUE;
}

BOOL CRecordRows::DeleteNumbers(int first, int last) {
  int place = -1;
  for (int n = first; n <= last; ++n) {
    const int row = FindRecordByNumber(n, 3);
    if (row < 0) continue;
    rows_.RemoveAt(row);
    place = row;
  }
  if (place < 0) return FALSE;
  int next = first;
  for (int i = place; i < rows_.GetSize(); ++i)
    if (IsNumbered(i)) SetNumber(i, next++);
  return TRUE;
}

BOOL CRecordRows::AddNumbers(int first, int last) {
  BOOL modified = FALSE;
  for (int n = first; n <= last; ++n) {
    const CEntity* entity = EntityAt(n - first);
    const int row = FindRecordByNumber(n, 3);
    if (row < 0) {
      const int before = FindRecordByNumber(n, 1);
      if (before < 0) rows_.Add(BuildRecordText(n, entity));
      else rows_.InsertAt(before, BuildRecordText(n, entity));
      modified = TRUE;
      continue;
    }
    CStringArray cells;
    SplitRowText(rows_[row], cells);
    for (int c = 0; c < cells.GetSize(); ++c) {
      if (c == numberColumn_) continue;
      cells[c].Trim();
      if (!cells[c].IsEmpty()) continue;
      const CStringA value = c < fields_.GetSize() ? GetRecordAttribute(entity, CleanedName(fields_[c])) : CStringA();
      if (value.IsEmpty()) {
        cells[c] = " ";
      } else {
        cells[c] = value;
        modified = TRUE;
      }
    }
    if (modified) rows_[row] = JoinRowCells(cells);
  }
  return modified;
}

void CRecordRows::AppendValues(const CStringArray& values) {
  for (int i = 0; i < values.GetSize(); ++i) rows_.Add(BuildRecordTextForValue(values[i], EntityAt(i)));
}

void CRecordRows::DeleteValues(const CStringArray& values) {
  for (int i = 0; i < values.GetSize(); ++i) {
    const int row = FindRecordByValue(values[i], 3);
    if (row >= 0) rows_.RemoveAt(row);
  }
}
