// CPartsListCtrl: the table generators. They turn the grid's rows into a
// table entity of the drawing (a new one, the drawing's parts list
// replaced, or an edited table rebuilt), read a table back into the grid
// and write a table as a parts-list data file.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/CellText.h"
#include "draft/host/DraftView.h"
#include "draft/host/EntityList.h"
#include "draft/host/Settings.h"
#include "draft/host/TableEntity.h"
#include "draft/host/UndoRecord.h"
#include "draft/tables/ArrayRoom.h"
#include "draft/tables/BillFontDef.h"
#include "draft/tables/BillFontDlg.h"
#include "draft/tables/GbkChars.h"
#include "draft/tables/PartsListCtrl.h"
#include "draft/tables/RowText.h"
#include "platform/core/MessageBox.h"

namespace {

// The width factor, line spacing and style the settings give table texts.
struct FontSettings {
  double widthFactor;
  double lineSpacing;
  int style;

  static FontSettings Read() {
    return {std::atof(GetProfileStringSetting("SYSVAR_FONT", "SET_FONT_WIDTHHEI", "1").GetString()),
            std::atof(GetProfileStringSetting("SYSVAR_FONT", "SET_FONT_LINEBETWEEN", "0").GetString()),
            GetProfileIntSetting("SYSVAR_FONT", "SET_FONT_STYLE", 0)};
  }
};

// The values a made or restyled cell of one part (header or body) takes.
struct PartValues {
  double rowHeight = 0.0;
  double textHeight = 0.0;
  double spacing = 0.0;
  BYTE chineseFont = 0;
  BYTE westernFont = 0;
  CStringA trueType, shx, bigFont;
  int fontType = 0;
  int style = 0;
  double widthFactor = 1.0;
  double lineSpacing = 0.0;

  void FromDef(const CBillFontDef& def, bool header) {
    rowHeight = header ? def.m_fBTHeight : def.m_fBGHeight;
    CTextAttrib a;
    def.ToTextAttrib(a, header);
    FromAttrib(a);
  }
  void FromAttrib(const CTextAttrib& a) {
    textHeight = a.GetHeight();
    spacing = a.GetSpacing();
    chineseFont = a.GetChineseFontIndex();
    westernFont = a.GetWesternFontIndex();
    trueType = a.GetTrueTypeName();
    shx = a.GetShxFontName();
    bigFont = a.GetBigFontName();
    fontType = a.GetFontStyle();
  }
  CTextAttrib MakeAttrib() const {
    CTextAttrib a;
    ConstructTextAttribDefault(a, textHeight, 0, style);
    a.SetSpacing(spacing);
    a.SetChineseFontIndex(chineseFont);
    a.SetWesternFontIndex(westernFont);
    a.SetTrueTypeName(trueType);
    a.SetShxFontName(shx);
    a.SetBigFontName(bigFont);
    a.SetFontStyle(fontType);
    a.SetWidthFactor(widthFactor);
    a.SetLineSpacing(lineSpacing);
    a.SetAngle(0.0);
    a.SetSlant(0.0);
    return a;
  }
};

// A cell's attribute from the font definition's part; with settings, it
// also takes their style, width factor and line spacing.
CTextAttrib AttribFromDef(const CBillFontDef& def, bool header, const FontSettings* settings) {
  CTextAttrib a;
  ConstructTextAttribDefault(a, header ? def.m_fBTChrHeight : def.m_fBGChrHeight, 0, 0);
  def.ToTextAttrib(a, header);
  a.SetAngle(0.0);
  a.SetSlant(0.0);
  if (settings) {
    a.SetStyle(settings->style);
    a.SetWidthFactor(settings->widthFactor);
    a.SetLineSpacing(settings->lineSpacing);
  }
  return a;
}

// The stored text and ditto-mark code of a typed cell. A trailing mark is
// the text's last character, never the trail byte of a double-byte one.
void StoreCellText(CTableCell& cell, const CStringA& typed) {
  CStringA text = ConvertCellTextToStored(typed);
  int code = CPartsListCtrl::kNoDitto;
  const int n = text.GetLength();
  if (text == "@") {
    code = CPartsListCtrl::kDittoBelow;
  } else if (text == "/") {
    code = CPartsListCtrl::kDittoAbove;
  } else if (text == "$") {
    code = CPartsListCtrl::kDittoRight;
  } else if (text == "&") {
    code = CPartsListCtrl::kDittoLeft;
  } else if (GbkEndsWithChar(text, '@')) {
    code = CPartsListCtrl::kDittoTrailingAt;
  } else if (GbkEndsWithChar(text, '$')) {
    code = CPartsListCtrl::kDittoTrailingDollar;
  }
  switch (code) {
    case CPartsListCtrl::kDittoBelow:
    case CPartsListCtrl::kDittoAbove:
    case CPartsListCtrl::kDittoRight:
    case CPartsListCtrl::kDittoLeft:
      text = " ";
      break;
    case CPartsListCtrl::kDittoTrailingAt:
    case CPartsListCtrl::kDittoTrailingDollar:
      text = text.Left(n - 1);
      break;
    default:
      break;
  }
  cell.SetText(text);
  cell.SetDittoCode(code);
}

// The typed text of a stored cell, its ditto mark restored.
CStringA TypedCellText(const CTableCell& cell) {
  CStringA text = ConvertStoredToCellText(cell.GetText());
  auto append = [&text](char mark) {
    if (!GbkEndsWithChar(text, mark)) text += mark;
  };
  switch (cell.GetDittoCode()) {
    case CPartsListCtrl::kDittoBelow: return "@";
    case CPartsListCtrl::kDittoTrailingAt: append('@'); break;
    case CPartsListCtrl::kDittoAbove: return "/";
    case CPartsListCtrl::kDittoRight: return "$";
    case CPartsListCtrl::kDittoTrailingDollar: append('$'); break;
    case CPartsListCtrl::kDittoLeft: return "&";
    default: break;
  }
  return text;
}

void SetFieldValues(CTableCell& cell, const CFieldRecord& field) {
  cell.SetType(field.type);
  cell.SetWidth(field.width);
  cell.SetAlignment(field.alignment);
}

// Moves the end of the table's last segment by one row's step in the growth
// direction, so that the last segment takes a row appended to the table
// (an open end stays open).
void GrowLastSegment(CTableEntity& table, const CTableRow& row) {
  if (table.GetSegmentCount() == 0) return;
  CTableSegment& last = table.GetSegment(table.GetSegmentCount() - 1);
  if (last.IsOpen()) return;
  double width = 0.0, step = 0.0;
  GetRowPosition(&table, &row, width, step);
  last.endY += step * table.GetDirectionFactor();
}

// Removes the old table from the view, adds its replacement and pushes one
// replace record for the pair.
void ReplaceInView(CDraftView& view, CTableEntity* oldTable, CTableEntity* copy) {
  RecalcTable(copy);
  view.RemoveEntity(oldTable);
  view.AddEntityToView(copy);
  view.PushUndoRecord(ConstructUndoReplaceEntity(oldTable, copy));
}

}  // namespace

BOOL CPartsListCtrl::GenerateTable(int rowCount, const CFieldArray& structure, CTableEntity** table, CDraftView* view,
                                   const char* name, int force, int kind) {
  if (table) *table = nullptr;
  CModalDialogScope scope(view);
  CBillFontDlg dlg(1, GetSafeHwnd() ? GetParent() : nullptr);
  CBillFontDef& def = dlg.GetFontDef();
  def.m_bBTHave = 1;
  def.m_bBGHave = 1;
  def.m_nBTSort = 1;
  if (dlg.DoModal() != IDOK) return FALSE;
  if (rowCount <= 0 && !def.m_bBTHave) return FALSE;
  if (force == 0 && kind == 1 &&
      ReplacePartsListTable(view, rowCount, structure, name, &dlg, 1, 1, nullptr, nullptr) == 1)
    return FALSE;
  if (!table) return FALSE;

  std::unique_ptr<CTableEntity> t(ConstructTableEntity(view ? view->GetCurrentLayer() : 0, nullptr));
  t->SetTableName(name);
  t->SetTableKind(kind);
  t->SetDirection(def.m_nBTSort);
  t->SetHeaderShown(def.m_bBTHave);
  t->SetGridShown(def.m_bBGHave);
  const int fields = static_cast<int>(structure.GetSize());
  CTableRow* header = ConstructTableRow(0);
  t->AddRow(header);
  const CTextAttrib headerAttr = AttribFromDef(def, true, nullptr);
  for (int f = 0; f < fields; ++f) {
    CTableCell* cell = ConstructTableCell(structure[f].GetName(), structure[f].width, def.m_fBTHeight,
                                          structure[f].alignment);
    cell->SetType(structure[f].type);
    cell->SetTextAttrib(headerAttr);
    AddRowCell(header, cell);
  }
  const CTextAttrib bodyAttr = AttribFromDef(def, false, nullptr);
  CStringArray cells;
  for (int r = 0; r < rowCount; ++r) {
    GetRowCells(r, cells);
    CTableRow* row = ConstructTableRow(1);
    t->AddRow(row);
    for (int f = 0; f < fields; ++f) {
      CTableCell* cell = ConstructTableCell("", structure[f].width, def.m_fBGHeight, structure[f].alignment);
      cell->SetType(structure[f].type);
      cell->SetTextAttrib(bodyAttr);
      StoreCellText(*cell, f < cells.GetSize() ? cells[f] : CStringA());
      AddRowCell(row, cell);
    }
  }
  *table = t.release();
  return TRUE;
}

int CPartsListCtrl::ReplacePartsListTable(CDraftView* view, int rowCount, const CFieldArray& structure,
                                          const char* name, CBillFontDlg* fontDlg, int add, int mode,
                                          CEntityList* oldList, CEntityList* newList) {
  if (!view) return -1;
  auto* old = dynamic_cast<CTableEntity*>(view->GetPartsListTable());
  const int result = old ? 1 : -1;
  if (!add) {
    const bool any = (oldList && !oldList->IsEmpty()) || (newList && !newList->IsEmpty());
    if (any) {
      CUndoRecord* record = ConstructUndoReplaceEntities();
      record->SetLists(oldList ? *oldList : CEntityList(), newList ? *newList : CEntityList());
      view->PushUndoRecord(record);
    }
    if (oldList) oldList->RemoveAll();
    if (newList) newList->RemoveAll();
    return result;
  }
  if (!old) return result;
  std::unique_ptr<CTableEntity> copy(static_cast<CTableEntity*>(old->Clone(1)));
  if (!copy) return result;
  if (mode == 1) {
    if (AfxMessageBox("是否替代已生成的明细表?", MB_YESNO | MB_ICONQUESTION) != IDYES) return result;
  } else if (mode != 2) {
    return result;
  }
  copy->SetTableName(name);

  PartValues head, body;
  head.rowHeight = 14.0;
  head.textHeight = 5.0;
  body.rowHeight = 7.0;
  body.textHeight = 3.5;
  if (fontDlg) {
    const CBillFontDef& def = fontDlg->GetFontDef();
    copy->SetDirection(def.m_nBTSort);
    copy->SetHeaderShown(def.m_bBTHave);
    copy->SetGridShown(def.m_bBGHave);
    head.FromDef(def, true);
    body.FromDef(def, false);
    const FontSettings s = FontSettings::Read();
    head.widthFactor = body.widthFactor = s.widthFactor;
    head.lineSpacing = body.lineSpacing = s.lineSpacing;
  }

  const int fields = static_cast<int>(structure.GetSize());
  const int copyRows = copy->GetRowCount();
  CStringArray cells;
  for (int k = 0; k < copyRows && k <= rowCount; ++k) {
    CTableRow& row = *copy->GetRow(k);
    const bool isHeader = k == 0;
    if (!isHeader) GetRowCells(k - 1, cells);
    PartValues& part = isHeader ? head : body;
    if (!fontDlg) {
      // The values of the existing cells: the header's last cell, the
      // first data row's last cell, the largest text heights.
      for (int c = 0; c < row.GetCellCount(); ++c) {
        const CTableCell& cell = *row.GetCell(c);
        part.textHeight = std::max(part.textHeight, cell.GetTextAttrib().GetHeight());
        if (isHeader || k == 1) {
          const double keep = part.textHeight;
          part.FromAttrib(cell.GetTextAttrib());
          part.textHeight = keep;
          part.rowHeight = cell.GetRowHeight();
          if (isHeader) {
            part.widthFactor = cell.GetTextAttrib().GetWidthFactor();
            part.lineSpacing = cell.GetTextAttrib().GetLineSpacing();
            part.style = cell.GetTextAttrib().GetStyle();
          }
        }
      }
    }
    for (int f = 0; f < fields; ++f) {
      CTableCell* cell = f < row.GetCellCount() ? row.GetCell(f) : nullptr;
      if (!cell) {
        cell = ConstructTableCell("", 0, part.rowHeight, 0);
        cell->SetTextAttrib(part.MakeAttrib());
        row.AddCell(cell);
      } else if (fontDlg) {
        cell->SetRowHeight(part.rowHeight);
        cell->SetTextAttrib(part.MakeAttrib());
      }
      SetFieldValues(*cell, structure[f]);
      cell->SetText(isHeader ? CStringA(structure[f].GetName())
                             : ConvertCellTextToStored(f < cells.GetSize() ? cells[f] : CStringA()));
      cell->SetDittoCode(kNoDitto);
    }
    row.TruncateCells(fields);
  }

  if (copyRows == 1 && !fontDlg) {
    CBillFontDef stored;
    stored.Read();
    body.FromDef(stored, false);
    const FontSettings s = FontSettings::Read();
    body.widthFactor = s.widthFactor;
    body.lineSpacing = s.lineSpacing;
  }
  for (int r = std::max(copyRows - 1, 0); r < rowCount; ++r) {
    GetRowCells(r, cells);
    CTableRow* row = ConstructTableRow(1);
    for (int f = 0; f < fields; ++f) {
      CTableCell* cell = ConstructTableCell("", 0, body.rowHeight, 0);
      SetFieldValues(*cell, structure[f]);
      cell->SetText(ConvertCellTextToStored(f < cells.GetSize() ? cells[f] : CStringA()));
      cell->SetTextAttrib(body.MakeAttrib());
      AddRowCell(row, cell);
    }
    GrowLastSegment(*copy, *row);
    copy->AddRow(row);
  }
  while (copy->GetRowCount() > rowCount + 1) copy->DeleteRow(copy->GetRowCount() - 1);

  CTableEntity* made = copy.release();
  if (oldList && newList) {
    RecalcTable(made);
    view->RemoveEntity(old);
    view->AddEntityToView(made);
    oldList->AddTail(old);
    newList->AddTail(made);
    CUndoRecord* record = ConstructUndoReplaceEntities();
    record->SetLists(*oldList, *newList);
    view->PushUndoRecord(record);
    oldList->RemoveAll();
    newList->RemoveAll();
  } else {
    ReplaceInView(*view, old, made);
  }
  return result;
}

void CPartsListCtrl::UpdateTableEntity(CBillFontDlg* fontDlg, CTableEntity* table, const CFieldArray& structure,
                                       int listChanged, CDraftView* view) {
  if (!table || !fontDlg || !view) return;
  CModalDialogScope scope(view);
  const CBillFontDef before = fontDlg->GetFontDef();
  if (fontDlg->DoModal() != IDOK) return;
  const CBillFontDef& def = fontDlg->GetFontDef();
  const int rowCount = GetItemCount();
  if (rowCount == 0 && !def.m_bBTHave) {
    // The emptied table leaves the drawing as an undoable step.
    if (view->RemoveEntity(table)) view->PushUndoRecord(ConstructUndoDeleteEntity(table));
    return;
  }
  const bool optionsChanged = def.m_nBTSort != table->GetDirection() || def.m_bBTHave != table->GetHeaderShown() ||
                              def.m_bBGHave != table->GetGridShown();
  const FontSettings settings = FontSettings::Read();
  const bool settingsChanged = settings.widthFactor != loadedWidthFactor_ ||
                               settings.lineSpacing != loadedLineSpacing_ || settings.style != loadedStyle_;
  const bool fontChanged = !(def == before);
  if (!listChanged && !fontChanged && !optionsChanged && !settingsChanged) return;

  std::unique_ptr<CTableEntity> copy(static_cast<CTableEntity*>(table->Clone(1)));
  if (!copy) return;
  if (optionsChanged) {
    copy->SetDirection(def.m_nBTSort);
    copy->SetHeaderShown(def.m_bBTHave);
    copy->SetGridShown(def.m_bBGHave);
  }
  if (listChanged || fontChanged || settingsChanged) {
    bool removed = false;
    for (int r = copy->GetRowCount() - 1; r > 0; --r) {
      if (copy->GetRow(r)->IsHeader()) {
        copy->DeleteRow(r);
        removed = true;
      }
    }
    if (removed && copy->GetHeaderShown() && copy->GetTableKind() != 1 && copy->GetRowCount() > 0) {
      double width = 0.0, step = 0.0;
      GetRowPosition(copy.get(), copy->GetRow(0), width, step);
      for (int s = 0; s < copy->GetSegmentCount(); ++s) {
        CTableSegment& seg = copy->GetSegment(s);
        if (!seg.IsOpen()) seg.endY += def.m_nBTSort != 0 ? -step : step;
      }
    }

    const bool restyle = fontChanged || settingsChanged;
    const FontSettings* apply = restyle ? &settings : nullptr;
    CStringArray cells;
    // Rewrites a cell from the field and the list (when the list changed)
    // and restyles it from the font definition (when the fonts changed).
    auto fill = [&](CTableCell& cell, int f, bool header, bool fresh) {
      if (listChanged || fresh) {
        SetFieldValues(cell, structure[f]);
        if (header) {
          cell.SetText(structure[f].GetName());
          cell.SetDittoCode(kNoDitto);
        } else {
          StoreCellText(cell, f < cells.GetSize() ? cells[f] : CStringA());
        }
      }
      if (listChanged || restyle || fresh) {
        cell.SetRowHeight(header ? def.m_fBTHeight : def.m_fBGHeight);
        cell.SetTextAttrib(AttribFromDef(def, header, apply));
      }
    };
    const int fields = static_cast<int>(structure.GetSize());
    const int copyRows = copy->GetRowCount();
    for (int k = 0; k < copyRows && k <= rowCount; ++k) {
      CTableRow& row = *copy->GetRow(k);
      const bool header = k == 0;
      row.SetFlag(header ? 0 : 1);
      if (!header) GetRowCells(k - 1, cells);
      for (int f = 0; f < fields; ++f) {
        const bool fresh = f >= row.GetCellCount();
        if (fresh) row.AddCell(new CTableCell);
        fill(*row.GetCell(f), f, header, fresh);
      }
      row.TruncateCells(fields);
    }
    for (int r = std::max(copyRows - 1, 0); r < rowCount; ++r) {
      GetRowCells(r, cells);
      CTableRow* row = ConstructTableRow(copy->GetRowCount() == 0 ? 0 : 1);
      const bool header = copy->GetRowCount() == 0;
      for (int f = 0; f < fields; ++f) {
        auto* cell = new CTableCell;
        fill(*cell, f, header, true);
        row->AddCell(cell);
      }
      GrowLastSegment(*copy, *row);
      copy->AddRow(row);
    }
    while (copy->GetRowCount() > rowCount + 1) copy->DeleteRow(copy->GetRowCount() - 1);

    double oldWidth = 0.0, oldHeight = 0.0, newWidth = 0.0, newHeight = 0.0;
    GetTableSize(table, oldWidth, oldHeight);
    GetTableSize(copy.get(), newWidth, newHeight);
    const int segments = copy->GetSegmentCount();
    if (segments > 1 && newWidth != oldWidth) {
      const double d = newWidth - oldWidth;
      const double sign = copy->GetSegment(segments - 1).startX >= copy->GetSegment(0).startX ? 1.0 : -1.0;
      for (int s = 1; s < segments; ++s) copy->GetSegment(s).startX += sign * d * s;
    }
  }
  ReplaceInView(*view, table, copy.release());
}

void CPartsListCtrl::LoadFromTableEntity(CBillFontDef& def, const CTableEntity* table, CFieldArray& structure) {
  structure.RemoveAll();
  if (!table) return;
  def.m_nBTSort = table->GetDirection();
  def.m_bBTHave = static_cast<BYTE>(table->GetHeaderShown());
  def.m_bBGHave = static_cast<BYTE>(table->GetGridShown());
  const CTableCell* textCell = nullptr;
  if (table->GetRowCount() > 0) {
    const CTableRow& header = *table->GetRow(0);
    for (int c = 0; c < header.GetCellCount(); ++c) {
      const CTableCell& cell = *header.GetCell(c);
      structure.Add(CFieldRecord(cell.GetText(), cell.GetType(), cell.GetWidth(), cell.GetAlignment()));
      def.FromTextAttrib(cell.GetTextAttrib(), TRUE);
      def.m_fBTHeight = cell.GetRowHeight();
      textCell = &cell;
    }
  }
  SetColumns(structure);
  for (int c = 0; c < GetColumnCount(); ++c) SetColumnWidth(c, 85);

  CStringArray rowTexts;
  MakeRoom(rowTexts, static_cast<size_t>(table->GetRowCount()));
  bool firstData = true;
  for (int r = 0; r < table->GetRowCount(); ++r) {
    const CTableRow& row = *table->GetRow(r);
    if (row.GetFlag() == 0) continue;
    CStringArray cells;
    for (int c = 0; c < row.GetCellCount(); ++c) cells.Add(TypedCellText(*row.GetCell(c)));
    rowTexts.Add(JoinRowCells(cells));
    if (firstData && row.GetCellCount() > 0) {
      def.FromTextAttrib(row.GetCell(0)->GetTextAttrib(), FALSE);
      def.m_fBGHeight = row.GetCell(0)->GetRowHeight();
      textCell = row.GetCell(0);
      firstData = false;
    }
  }
  FillRows(rowTexts);
  if (textCell) {
    loadedWidthFactor_ = textCell->GetTextAttrib().GetWidthFactor();
    loadedLineSpacing_ = textCell->GetTextAttrib().GetLineSpacing();
    loadedStyle_ = textCell->GetTextAttrib().GetStyle();
  }
}

BOOL CPartsListCtrl::SaveTableEntityToFile(const CTableEntity* table, const char* path) {
  if (!table) return FALSE;
  CFieldArray fields;
  CStringArray rows;
  MakeRoom(rows, static_cast<size_t>(table->GetRowCount()));
  for (int r = 0; r < table->GetRowCount(); ++r) {
    const CTableRow& row = *table->GetRow(r);
    if (r == 0) {
      for (int c = 0; c < row.GetCellCount(); ++c) {
        const CTableCell& cell = *row.GetCell(c);
        fields.Add(CFieldRecord(cell.GetText().IsEmpty() ? " " : cell.GetText().GetString(), cell.GetType(),
                                cell.GetWidth(), cell.GetAlignment()));
      }
      continue;
    }
    // Every ';' inside a cell is doubled, so that the cell reads back whole.
    CStringA text;
    for (int c = 0; c < row.GetCellCount(); ++c) {
      CStringA cell = ConvertStoredToCellText(row.GetCell(c)->GetText());
      if (cell.IsEmpty()) cell = " ";
      cell = DoubleSemicolons(cell);
      if (c > 0) text += ';';
      text += cell;
    }
    rows.Add(text);
  }
  return WriteDataFile(path, fields, rows);
}
