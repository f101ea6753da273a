#include "draft/tables/SteelCoordTableDlg.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "draft/host/DraftView.h"
#include "draft/host/LayerTable.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TendonGraphEntity.h"
#include "draft/tables/TendonFile.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageMap.h"

namespace {
constexpr char kCoordFilter[] = "坐标表文件(*.zbb)|*.zbb|||";
constexpr double kNoValue = -1e300;

// The largest value so far: a value counts as larger unless it is more than
// 1e-6 below it.
void TrackLargest(double value, double& largest) {
  if (value >= largest - 1e-6) largest = value;
}
}  // namespace

BEGIN_MESSAGE_MAP(CSteelCoordTableDlg, CTableDataDlg)
ON_BN_CLICKED(CSteelCoordTableDlg::kGraph, OnFinish)
ON_BN_CLICKED(CTableDataDlg::kReadFile, OnReadCoordFile)
ON_BN_CLICKED(CTableDataDlg::kSaveFile, OnSaveCoordFile)
END_MESSAGE_MAP()

CSteelCoordTableDlg::CSteelCoordTableDlg(CDraftView* view, CTendonGraphEntity* graph, CTableEntity* table,
                                         int direction, CWnd* parent)
    : CTableDataDlg(IDD, view, table, 0, parent),
      source_(graph),
      direction_(graph ? graph->GetSettings().direction : direction) {}

CSteelCoordTableDlg::~CSteelCoordTableDlg() { delete graph_; }

CTendonGraphEntity* CSteelCoordTableDlg::TakeGraph() {
  CTendonGraphEntity* graph = graph_;
  graph_ = nullptr;
  return graph;
}

CStringA CSteelCoordTableDlg::FormatCoordinate(double value) {
  char text[400];
  std::snprintf(text, sizeof text, "%f", value);
  CStringA s = text;
  if (s.Find('.') >= 0) {
    s.TrimRight('0');
    s.TrimRight('.');
  }
  return s;
}

BOOL CSteelCoordTableDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  grid_.SetRowHeight(18);
  cellEdit_.SetParentKind(4);
  if (view_) grid_.SetDrawingSettings(nullptr);
  CheckDlgButton(kCoordTable, BST_CHECKED);
  CheckDlgButton(kAxis, BST_CHECKED);
  CWnd* read = GetDlgItem(kReadFile);
  if (source_) {
    if (read) read->EnableWindow(FALSE);
    FillFromGraph(*source_);
    if (!source_->GetAxisFlag()) CheckDlgButton(kAxis, BST_UNCHECKED);
  } else if (table_) {
    if (read) read->EnableWindow(FALSE);
    grid_.LoadFromTableEntity(fontDlg_.GetFontDef(), table_, GetFields());
    rowCount_ = grid_.GetItemCount();
  } else {
    InstallCoordinateColumns();
  }
  return TRUE;
}

void CSteelCoordTableDlg::InstallCoordinateColumns() {
  CFieldArray fields;
  const char* const* names = nullptr;
  static const char* const kVertical[] = {"Y", "X1", "X2"};
  static const char* const kHorizontal[] = {"X", "Y1", "Y2"};
  names = direction_ == 1 ? kVertical : kHorizontal;
  for (int i = 0; i < 3; ++i) fields.Add(CFieldRecord(names[i], 4, 20.0, 2));
  SetContents(fields, CStringArray());
  CStringArray empty;
  grid_.InsertRowAt(0, empty, rowCount_, GetFields());
}

// Curve k's point j goes into row j: the station into column 0, the offset
// into column k. Rows are added for the longest curve, so that no point of
// a curve longer than the first is lost.
void CSteelCoordTableDlg::FillFromGraph(const CTendonGraphEntity& graph) {
  CFieldArray fields;
  const auto& names = graph.GetColumnNames();
  const auto& widths = graph.GetColumnWidths();
  for (size_t i = 0; i < names.size(); ++i)
    fields.Add(CFieldRecord(names[i], 4, i < widths.size() ? widths[i] : 20.0, 2));
  const auto& curves = graph.GetCurves();
  int rows = 0;
  for (const TendonCurve& c : curves) rows = c.GetPointCount() > rows ? c.GetPointCount() : rows;
  const int columns = static_cast<int>(fields.GetSize());
  std::vector<std::vector<CStringA>> cells(static_cast<size_t>(rows), std::vector<CStringA>(static_cast<size_t>(columns)));
  const bool vertical = graph.GetSettings().direction == 1;
  for (size_t k = 0; k < curves.size(); ++k) {
    const TendonCurve& c = curves[k];
    const int column = static_cast<int>(k) + 1;
    for (int j = 0; j < c.GetPointCount(); ++j) {
      const double station = vertical ? c.second[static_cast<size_t>(j)] : c.first[static_cast<size_t>(j)];
      const double offset = vertical ? c.first[static_cast<size_t>(j)] : c.second[static_cast<size_t>(j)];
      auto& row = cells[static_cast<size_t>(j)];
      if (columns > 0) row[0] = FormatCoordinate(station);
      if (column < columns) row[static_cast<size_t>(column)] = FormatCoordinate(offset);
    }
  }
  SetContents(fields, CStringArray());
  for (int j = 0; j < rows; ++j) {
    CStringArray rowCells;
    for (const CStringA& text : cells[static_cast<size_t>(j)]) rowCells.Add(text);
    grid_.InsertRowAt(j, rowCells, rowCount_, GetFields());
  }
}

CTendonGraphEntity* CSteelCoordTableDlg::BuildGraph() const {
  const CFieldArray& fields = const_cast<CSteelCoordTableDlg*>(this)->GetFields();
  const int columns = static_cast<int>(fields.GetSize());
  std::vector<TendonCurve> curves;
  double max1 = kNoValue, max2 = kNoValue;
  for (int c = 1; c < columns; ++c) {
    TendonCurve curve;
    for (int r = 0; r < rowCount_; ++r) {
      CStringA offset = grid_.GetCellText(r, c);
      offset.Trim();
      if (offset.IsEmpty()) continue;
      CStringA station = grid_.GetCellText(r, 0);
      station.Trim();
      const double s = std::strtod(station.GetString(), nullptr);
      const double o = std::strtod(offset.GetString(), nullptr);
      const double x = direction_ == 1 ? o : s;
      const double y = direction_ == 1 ? s : o;
      curve.first.push_back(x);
      curve.second.push_back(y);
      TrackLargest(x, max1);
      TrackLargest(y, max2);
    }
    if (!curve.first.empty()) curves.push_back(std::move(curve));
  }
  if (curves.empty()) return nullptr;
  CDrawingGroup* group = view_ ? view_->GetCurrentGroup() : nullptr;
  CTendonGraphEntity* graph = ConstructTendonGraphEntity(GetLineKindLayer(2), group, "");
  graph->GetCurves() = std::move(curves);
  TendonGraphSettings settings = graph->GetSettings();
  settings.direction = direction_;
  graph->SetSettings(settings);
  graph->SetAxisFlag(axisFlag_);
  for (int i = 0; i < columns; ++i) {
    graph->GetColumnNames().push_back(fields[i].GetName());
    graph->GetColumnWidths().push_back(fields[i].width);
  }
  graph->SetMaxima(max1 == kNoValue ? 0.0 : max1, max2 == kNoValue ? 0.0 : max2);
  return graph;
}

void CSteelCoordTableDlg::OnFinish() {
  EndDialog(IDOK);
  tableWanted_ = IsDlgButtonChecked(kCoordTable) == BST_CHECKED ? 1 : 0;
  axisFlag_ = IsDlgButtonChecked(kAxis) == BST_CHECKED ? 1 : 0;
  delete graph_;
  graph_ = BuildGraph();
  if (!graph_ || !tableWanted_) return;
  CTableEntity* made = nullptr;
  grid_.GenerateTable(rowCount_, GetFields(), &made, view_, coordPath_, 2, 3);
  delete result_;
  result_ = made;
}

// ---- .zbb files.

BOOL CSteelCoordTableDlg::ReadCoordFile(const char* path) {
  TendonTableData data;
  const TendonFileRead read = ReadTendonFile(path, data);
  if (read == TendonFileRead::kWrongType) AfxMessageBox("文件类型布匹配!");
  if (read != TendonFileRead::kRead) return FALSE;
  direction_ = data.direction;
  fileFlag_ = data.fileFlag;
  SetContents(data.fields, data.rows);
  coordPath_ = path;
  grid_.SetFocus();
  return TRUE;
}

BOOL CSteelCoordTableDlg::WriteCoordFile(const char* path) {
  TendonTableData data;
  data.direction = direction_;
  data.fileFlag = fileFlag_;
  data.fields.Copy(GetFields());
  grid_.GetRowTexts(rowCount_, data.rows);
  if (!WriteTendonFile(path, data)) return FALSE;
  coordPath_ = path;
  return TRUE;
}

void CSteelCoordTableDlg::OnReadCoordFile() {
  CFileDialog dialog(TRUE, ".zbb", coordPath_, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kCoordFilter, this);
  dialog.m_ofn.lpstrTitle = "打开表内容文件";
  if (dialog.DoModal() != IDOK) return;
  ReadCoordFile(CStringA(dialog.GetPathName()));
}

void CSteelCoordTableDlg::OnSaveCoordFile() {
  CFileDialog dialog(FALSE, ".zbb", coordPath_, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kCoordFilter, this);
  dialog.m_ofn.lpstrTitle = "保存表内容文件";
  if (dialog.DoModal() != IDOK) return;
  WriteCoordFile(CStringA(dialog.GetPathName()));
}
