// CRecordInfoDlg: the record work without the dialog, and the drawing's
// parts list brought up to date with the records.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "draft/host/CellText.h"
#include "draft/host/DraftView.h"
#include "draft/host/EntityList.h"
#include "draft/host/Settings.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TextAttrib.h"
#include "draft/host/UndoRecord.h"
#include "draft/tables/RecordInfoDlg.h"
#include "draft/tables/RecordRows.h"
#include "draft/tables/RowText.h"
#include "platform/core/MessageBox.h"

namespace {
const char* const kInsertFailed = "未找到相同%s!插入失败!";

double SettingReal(const char* section, const char* key, const char* fallback) {
  return std::atof(GetProfileStringSetting(section, key, fallback).GetString());
}

// What the body cells of new rows take.
struct BodyValues {
  double rowHeight = 7.0;
  double textHeight = 3.5;
  double spacing = 0.0;
  BYTE chineseFont = 0;
  BYTE westernFont = 0;
  double widthFactor = 1.0;
  double lineSpacing = 0.0;

  // From the settings, for a table that has only its header row.
  void FromSettings() {
    rowHeight = SettingReal("MXBFontSetting", "BgeHei", "7.0");
    chineseFont = static_cast<BYTE>(GetProfileIntSetting("MXBFontSetting", "BgeCfont", 0));
    westernFont = static_cast<BYTE>(GetProfileIntSetting("MXBFontSetting", "BgeEfont", 0));
    textHeight = SettingReal("MXBFontSetting", "BgeTextHei", "3.5");
    spacing = SettingReal("MXBFontSetting", "BgeTextSpace", "0.0");
    widthFactor = SettingReal("SYSVAR_FONT", "SET_FONT_WIDTHHEI", "1");
    lineSpacing = SettingReal("SYSVAR_FONT", "SET_FONT_LINEBETWEEN", "2.0");
  }
  // From the cells of the first data row: the largest text height, the
  // other values of the last cell.
  void FromRow(const CTableRow& row, int fields) {
    for (int c = 0; c < row.GetCellCount() && c < fields; ++c) {
      const CTableCell& cell = *row.GetCell(c);
      const CTextAttrib& a = cell.GetTextAttrib();
      textHeight = std::max(textHeight, a.GetHeight());
      rowHeight = cell.GetRowHeight();
      spacing = a.GetSpacing();
      chineseFont = a.GetChineseFontIndex();
      westernFont = a.GetWesternFontIndex();
      widthFactor = a.GetWidthFactor();
      lineSpacing = a.GetLineSpacing();
    }
  }
  CTextAttrib MakeAttrib() const {
    CTextAttrib a;
    ConstructTextAttribDefault(a, textHeight, 0, 0);
    a.SetChineseFontIndex(chineseFont);
    a.SetWesternFontIndex(westernFont);
    a.SetHeight(textHeight);
    a.SetWidthFactor(widthFactor);
    a.SetSpacing(spacing);
    a.SetLineSpacing(lineSpacing);
    a.SetAngle(0.0);
    return a;
  }
};
}  // namespace

BOOL CRecordInfoDlg::StartUpdate(CStringArray& rows) {
  rows.RemoveAll();
  modified_ = 0;
  if (!grid_.OpenDataFile(path_, rows, fields_)) return FALSE;
  WriteProfileStringSetting("SystemSetting", "TableDataFilePath", path_);
  WriteProfileIntSetting("SystemSetting", "TableType", 1);
  if (fields_.GetSize() == 0) grid_.ReadStructureFile(fields_, structurePath_, 1);
  return FindColumns(true);
}

void CRecordInfoDlg::RecordLists() {
  const bool any = (oldEntities_ && !oldEntities_->IsEmpty()) || (newEntities_ && !newEntities_->IsEmpty());
  if (any && view_) {
    CUndoRecord* record = ConstructUndoReplaceEntities();
    record->SetLists(oldEntities_ ? *oldEntities_ : CEntityList(), newEntities_ ? *newEntities_ : CEntityList());
    view_->PushUndoRecord(record);
  }
  if (oldEntities_) oldEntities_->RemoveAll();
  if (newEntities_) newEntities_->RemoveAll();
}

void CRecordInfoDlg::FinishUpdate(const CStringArray& rows) {
  if (!modified_) {
    RecordLists();
    return;
  }
  grid_.WriteDataFile(path_, fields_, rows);
  UpdatePartsListTable(rows);
}

void CRecordInfoDlg::UpdateRecordsByNumber() {
  CStringArray rows;
  if (!StartUpdate(rows)) return;
  CRecordRows records = MakeRecordRows(rows);
  if (rows.GetSize() == 0) {
    records.AppendNumbers(first_, last_);
    modified_ = 1;
  } else if (mode_ == 1) {
    if (!records.InsertNumbers(first_, last_)) {
      CStringA text;
      text.Format(kInsertFailed, numberName_.GetString());
      AfxMessageBox(text, MB_OK);
      return;
    }
    modified_ = 1;
  } else if (mode_ == 2) {
    if (records.DeleteNumbers(first_, last_)) modified_ = 1;
  } else if (mode_ == 3) {
    if (records.AddNumbers(first_, last_)) modified_ = 1;
  }
  FinishUpdate(rows);
}

void CRecordInfoDlg::UpdateRecordsByValue() {
  CStringArray rows;
  if (!StartUpdate(rows)) return;
  CRecordRows records = MakeRecordRows(rows);
  if (mode_ == 1 || mode_ == 3) records.AppendValues(values_);
  else if (mode_ == 2) records.DeleteValues(values_);
  modified_ = 1;
  FinishUpdate(rows);
}

void CRecordInfoDlg::UpdatePartsListTable(const CStringArray& rows) {
  auto* old = view_ ? dynamic_cast<CTableEntity*>(view_->GetPartsListTable()) : nullptr;
  std::unique_ptr<CTableEntity> copy(old ? static_cast<CTableEntity*>(old->Clone(1)) : nullptr);
  if (!copy) {
    RecordLists();
    return;
  }
  const int fields = static_cast<int>(fields_.GetSize());
  const int records = static_cast<int>(rows.GetSize());
  rowCount_ = records;
  const int t = copy->GetRowCount();
  BodyValues body;
  if (t == 1) body.FromSettings();
  else if (t > 1) body.FromRow(*copy->GetRow(1), fields);

  CStringArray cells;
  for (int k = 1; k < t && k - 1 < records; ++k) {
    SplitRowText(rows[k - 1], cells);
    CTableRow& row = *copy->GetRow(k);
    for (int c = 0; c < row.GetCellCount() && c < fields; ++c) {
      CTableCell& cell = *row.GetCell(c);
      cell.SetText(ConvertCellTextToStored(c < cells.GetSize() ? cells[c].GetString() : ""));
      CTextAttrib a = cell.GetTextAttrib();
      a.SetHeight(body.textHeight);
      cell.SetTextAttrib(a);
    }
  }
  for (int r = std::max(t - 1, 0); r < records; ++r) {
    SplitRowText(rows[r], cells);
    CTableRow* row = ConstructTableRow(1);
    for (int f = 0; f < fields; ++f) {
      CTableCell* cell = ConstructTableCell(ConvertCellTextToStored(f < cells.GetSize() ? cells[f].GetString() : ""),
                                            fields_[f].width, body.rowHeight, fields_[f].alignment);
      cell->SetType(fields_[f].type);
      cell->SetTextAttrib(body.MakeAttrib());
      AddRowCell(row, cell);
    }
    if (copy->GetSegmentCount() > 0) {
      CTableSegment& last = copy->GetSegment(copy->GetSegmentCount() - 1);
      if (!last.IsOpen()) {
        double width = 0.0, step = 0.0;
        GetRowPosition(copy.get(), row, width, step);
        last.endY += step * (copy->GetDirection() == 0 ? -1.0 : 1.0);
      }
    }
    copy->AddRow(row);
  }
  while (copy->GetRowCount() > records + 1 && copy->GetRowCount() > 1) copy->DeleteRow(copy->GetRowCount() - 1);

  CEntityList localOld, localNew;
  CEntityList& oldList = oldEntities_ ? *oldEntities_ : localOld;
  CEntityList& newList = newEntities_ ? *newEntities_ : localNew;
  RecalcTable(copy.get());
  view_->RemoveEntity(old);
  if (copy->GetRowCount() > 1) {
    CTableEntity* made = copy.release();
    view_->AddEntityToView(made);
    newList.AddTail(made);
  }
  oldList.AddTail(old);
  CUndoRecord* record = ConstructUndoReplaceEntities();
  record->SetLists(oldList, newList);
  view_->PushUndoRecord(record);
  oldList.RemoveAll();
  newList.RemoveAll();
}
