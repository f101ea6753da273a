// The table-content dialog's computations: the rows of the drawing's rebar
// labels, total lengths, unit and total weights, totals and per-diameter
// subtotals with the merged display.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/tables/ArrayRoom.h"
#include "draft/tables/GbkChars.h"
#include "draft/tables/TableDataDlg.h"
#include "platform/core/MessageBox.h"

namespace {
// Weight in kg per metre of a round bar of diameter d mm.
constexpr double kWeightFactor = 0.0061261004999999995;

bool IsMark(const CStringA& text) { return text == "@" || text == "/"; }
// A value marked with a trailing '@' (a text of its own "@" is a ditto mark);
// the trail byte of a double-byte character is no '@'.
bool EndsWithAt(const CStringA& text) { return text.GetLength() > 1 && GbkEndsWithChar(text, '@'); }
}  // namespace

double CTableDataDlg::ParseDiameter(const CStringA& text) {
  if (text.IsEmpty()) return 0.0;
  const char c = text[0];
  if ((c >= '0' && c <= '9') || c == '.') return std::atof(text);
  if (text.GetLength() > 2) return std::atof(static_cast<const char*>(text) + 2);
  return 0.0;
}

CStringA CTableDataDlg::FormatTrimmed(double value) {
  CStringA text;
  text.Format("%lf", value);
  if (text.Find('.') >= 0) {
    text.TrimRight('0');
    text.TrimRight('.');
  }
  return text;
}

int CTableDataDlg::FindColumn(std::initializer_list<const char*> parts) const {
  for (int i = 0; i < fields_.GetSize(); ++i) {
    CStringA name = fields_[i].GetName();
    CPartsListCtrl::CleanName(name);
    for (const char* p : parts)
      if (name.Find(p) >= 0) return i;
  }
  return -1;
}

int CTableDataDlg::FindTotalRow() const {
  for (int r = rowCount_ - 1; r >= 0; --r) {
    const CStringA first = Cell(r, 0);
    if (first.Find("总计") >= 0 || first.Find("合计") >= 0) return r;
  }
  return -1;
}

void CTableDataDlg::SetContents(const CFieldArray& fields, const CStringArray& rows) {
  fields_.Copy(fields);
  grid_.DeleteAllItems();
  grid_.SetColumns(fields_);
  rowCount_ = 0;
  for (INT_PTR i = 0; i < rows.GetSize(); ++i) {
    CStringArray cells;
    grid_.SplitRowText(rows[i], cells);
    grid_.InsertRowAt(rowCount_, cells, rowCount_, fields_);
  }
}

void CTableDataDlg::InstallDefaultColumns() {
  fields_.RemoveAll();
  fields_.Add(CFieldRecord("编号", kFieldInteger, 10.0, kAlignCentre));
  fields_.Add(CFieldRecord("直径(mm)", kFieldChar, 20.0, kAlignCentre));
  fields_.Add(CFieldRecord("单根长(mm)", kFieldDouble, 25.0, kAlignCentre));
  fields_.Add(CFieldRecord("根数", kFieldInteger, 10.0, kAlignCentre));
  fields_.Add(CFieldRecord("总长(m)", kFieldDouble, 25.0, kAlignCentre));
  grid_.DeleteAllItems();
  grid_.SetColumns(fields_);
  rowCount_ = 0;
}

void CTableDataDlg::FillFromRebarLabels() {
  if (!view_) return;
  for (CEntity* e : *view_->GetEntityList()) {
    if (!e->HasAttributes()) continue;
    CStringA label;
    if (!GetEntityAttribute(e, "钢筋标注", label) || label != "1") continue;
    CStringArray cells;
    for (int i = 0; i < fields_.GetSize(); ++i) cells.Add(" ");
    for (const CAttributeItem& item : e->FindEntityAttributes()->Items()) {
      int column = -1;
      if (item.name.Find("编号") >= 0)
        column = 0;
      else if (item.name.Find("直径") >= 0)
        column = 1;
      else if (item.name.Find("单根长") >= 0)
        column = 2;
      else if (item.name.Find("根数") >= 0)
        column = 3;
      else if (item.name.Find("总长") >= 0)
        column = 4;
      if (column >= 0 && column < cells.GetSize()) cells[column] = item.value;
    }
    grid_.InsertRowAt(rowCount_, cells, rowCount_, fields_);
  }
}

void CTableDataDlg::ComputeTotalLength() {
  if (fields_.GetSize() < 5) return;
  for (int r = 0; r < rowCount_; ++r) {
    const double length = std::atof(Cell(r, 2)) * std::atof(Cell(r, 3)) * 0.001;
    SetCell(r, 4, FormatTrimmed(length));
  }
}

void CTableDataDlg::ComputeUnitWeight(int column) {
  const int diameter = FindColumn({"直径", "规格"});
  if (diameter < 0) return;
  for (int r = 0; r < rowCount_; ++r) {
    const CStringA d = Cell(r, diameter);
    if (d.IsEmpty()) continue;
    if (IsMark(d)) {
      SetCell(r, column, d);
      continue;
    }
    CStringA text;
    text.Format("%lf", kWeightFactor * ParseDiameter(d) * ParseDiameter(d));
    const int dot = text.Find('.');
    if (dot >= 0) text = text.Left(dot + 4);
    if (EndsWithAt(d)) text += "@";
    SetCell(r, column, text);
  }
  MarkModified();
}

void CTableDataDlg::ComputeTotalWeight(int column) {
  const int diameter = FindColumn({"直径", "规格"});
  const int length = FindColumn({"总长"});
  const int unit = FindColumn({"单位重"});
  if (length < 0 || (diameter < 0 && unit < 0)) return;
  const int totalRow = FindTotalRow();
  double sum = 0.0;
  for (int r = 0; r < rowCount_; ++r) {
    if (r == totalRow) continue;
    const CStringA key = Cell(r, unit >= 0 ? unit : diameter);
    if (key.IsEmpty()) continue;
    if (IsMark(key)) {
      SetCell(r, column, key);
      continue;
    }
    const double l = std::atof(Cell(r, length));
    const double d = ParseDiameter(key);
    const double weight = unit >= 0 ? std::atof(key) * l : kWeightFactor * d * d * l;
    sum += weight;
    CStringA text = FormatTrimmed(weight);
    if (EndsWithAt(key)) text += "@";
    SetCell(r, column, text);
  }
  if (totalRow >= 0) SetCell(totalRow, column, FormatTrimmed(sum));
  MarkModified();
}

BOOL CTableDataDlg::ComputeTotals(const CArray<int, int>& columns) {
  for (int k = 0; k < columns.GetSize(); ++k) {
    const int column = columns[k];
    if (column < 0 || column >= fields_.GetSize()) continue;
    const int type = fields_[column].type;
    if (type == kFieldChar || type == kFieldDate || type == kFieldLogical) {
      AfxMessageBox("数据类型错误,不能进行汇总!", MB_OK);
      return FALSE;
    }
    int totalRow = FindTotalRow();
    double sum = 0.0;
    for (int r = 0; r < rowCount_; ++r) {
      if (r == totalRow) continue;
      CStringA text = Cell(r, column);
      if (IsMark(text)) continue;
      int row = r, col = column;
      if (grid_.ResolveDitto(row, col, text, fields_.GetSize()) == CPartsListCtrl::kDittoFailed) return FALSE;
      sum += std::atof(text);
    }
    if (totalRow < 0) {
      CStringArray cells;
      cells.Add("总计");
      for (int i = 1; i < fields_.GetSize(); ++i) cells.Add(" ");
      grid_.InsertRowAt(rowCount_, cells, rowCount_, fields_);
      totalRow = rowCount_ - 1;
    }
    CStringA text;
    text.Format("%lf", sum);
    if (type == kFieldInteger) {
      const int dot = text.Find('.');
      if (dot >= 0) text = text.Left(dot);
    } else {
      text = FormatTrimmed(sum);
    }
    SetCell(totalRow, column, text);
  }
  MarkModified();
  return TRUE;
}

void CTableDataDlg::ComputeDiameterSubtotals() {
  // 1. The columns, by cleaned name.
  int diameter = -1, weight = -1, subtotal = -1;
  for (int i = 0; i < fields_.GetSize() && (diameter < 0 || weight < 0 || subtotal < 0); ++i) {
    CStringA name = fields_[i].GetName();
    CPartsListCtrl::CleanName(name);
    if (name.Find("直径") >= 0 || name.Find("规格") >= 0)
      diameter = i;
    else if (name.Find("总重") >= 0)
      weight = i;
    else if (name.Find("合计") >= 0 || name.Find("总计") >= 0)
      subtotal = i;
  }
  if (diameter < 0 || weight < 0) return;
  // 2. A missing subtotal column goes right after the total weight.
  if (subtotal < 0) {
    CStringArray blanks;
    MakeRoom(blanks, static_cast<size_t>(std::max(rowCount_, 0)));
    for (int r = 0; r < rowCount_; ++r) blanks.Add(" ");
    subtotal = weight + 1;
    grid_.InsertColumn(subtotal, CFieldRecord("合计", kFieldDouble, 20.0, kAlignCentre), blanks, fields_);
    if (diameter >= subtotal) ++diameter;
    structureChanged_ = 1;
  }
  // 3. The total row keeps its total weight as its subtotal.
  int end = rowCount_;
  if (rowCount_ > 0) {
    const CStringA first = Cell(rowCount_ - 1, 0);
    if (first.Find("总计") >= 0 || first.Find("合计") >= 0) {
      SetCell(rowCount_ - 1, subtotal, grid_.GetCellText(rowCount_ - 1, weight));
      end = rowCount_ - 1;
    }
  }
  // 4. A closing row closes the last group; it goes again on every exit.
  CStringArray closing;
  for (int i = 0; i < fields_.GetSize(); ++i) closing.Add(" ");
  grid_.InsertRowAt(end, closing, rowCount_, fields_);
  const int closingRow = end;

  // 5. The walk.
  double sum = 0.0;
  int n = 1, first = 0, valueRow = -1;
  CStringA previous;
  const int columns = fields_.GetSize();
  auto writeGroup = [&](double groupSum, int lastRow) {
    const CStringA value = FormatTrimmed(groupSum);
    if (n == 1) {
      SetCell(first, subtotal, value);
      return;
    }
    const int middle = valueRow >= 0 ? valueRow : first + n / 2;
    for (int r = first; r <= lastRow; ++r) {
      if (IsMark(Cell(r, weight))) continue;
      if (r == middle)
        SetCell(r, subtotal, r == lastRow ? value : value + "@");
      else
        SetCell(r, subtotal, r == lastRow ? CStringA("/") : CStringA("@"));
    }
  };
  for (int r = 0; r <= closingRow; ++r) {
    const CStringA ownWeight = Cell(r, weight);
    CStringA w = ownWeight;
    int row = r, col = weight;
    if (grid_.ResolveDitto(row, col, w, columns) == CPartsListCtrl::kDittoFailed) break;
    const double resolvedWeight = std::atof(w);
    const bool added = !IsMark(ownWeight);
    if (added) sum += resolvedWeight;

    const CStringA ownDiameter = Cell(r, diameter);
    CStringA d = ownDiameter;
    row = r;
    col = diameter;
    if (grid_.ResolveDitto(row, col, d, columns) == CPartsListCtrl::kDittoFailed) break;
    if (IsMark(ownDiameter)) SetCell(r, subtotal, ownDiameter);
    const bool same = r == 0 || d == previous;
    if (EndsWithAt(ownDiameter) && same) valueRow = r;
    if (same) {
      if (r > 0) ++n;
      previous = d;
      continue;
    }
    writeGroup(added ? sum - resolvedWeight : sum, r - 1);
    sum = resolvedWeight;
    n = 1;
    first = r;
    valueRow = EndsWithAt(ownDiameter) ? r : -1;
    previous = d;
  }
  grid_.DeleteRow(closingRow, rowCount_, fields_, 0);
  MarkModified();
}
