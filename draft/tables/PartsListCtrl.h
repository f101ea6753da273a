// The parts-list grid: a CGridListCtrl whose columns are the fields of a
// table structure and whose rows are table rows. It adds typing into the
// current cell, keyboard navigation, row and column insertion and deletion
// with undo records (CPartsListRow), the serial-number ("序号") and
// quantity ("数量") columns, the ditto marks, and the table data files.
//
// The dialog that owns the grid (a CPartsListOwner, its parent window)
// keeps the structure, the row count and the undo list and passes them to
// these operations.
#pragma once

#include "draft/tables/FieldRecord.h"
#include "draft/tables/GridListCtrl.h"
#include "draft/tables/PartsListRow.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"
#include "platform/odbc/Sql.h"

class CBillFontDef;
class CBillFontDlg;
class CDraftView;
class CDrawingSettings;
class CEntityList;
class CPartsListOwner;
class CTableEntity;

class CPartsListCtrl : public CGridListCtrl {
  DECLARE_DYNAMIC(CPartsListCtrl)

 public:
  // The typed buffer holds at most this many bytes of typed text.
  static constexpr int kTypedLimit = 19;

  enum DittoCode {
    kNoDitto = 0,
    kDittoBelow = 1,       // "@"
    kDittoTrailingAt = 2,  // a text ending in '@'
    kDittoAbove = 3,       // "/"
    kDittoRight = 4,       // "$"
    kDittoTrailingDollar = 5,
    kDittoLeft = 6,  // "&"
    kDittoFailed = 7,
  };

  CPartsListCtrl();

  // ---- Table data files (see TableFiles.h).
  // Reads a parts-list data file of either generation; a file of neither
  // kind shows "文件类型不匹配,请重新选择!" and fails.
  BOOL ReadDataFile(const char* path, CStringArray& rows, CFieldArray& fields);
  // Reads with the user's help: a missing file may be created empty (Yes),
  // or another file chosen (No, and after a file of the wrong kind);
  // Cancel fails. The path chosen is left in `path`.
  BOOL OpenDataFile(CStringA& path, CStringArray& rows, CFieldArray& fields);
  // Writes the generation-99 file with the grid's header string.
  BOOL WriteDataFile(const char* path, const CFieldArray& fields, const CStringArray& rows);
  int ReadStructureFile(CFieldArray& fields, const char* path, int tableKind);
  BOOL WriteStructureFile(const char* path, const CFieldArray& fields);
  void SetDefaultStructure(CFieldArray& fields, int tableKind);

  // ---- Tables in the drawing (PartsListGenerate.cpp). The grid's first
  // `rowCount` rows are the table's data rows; `structure` its columns.
  // Runs the table font dialog (header and grid lines present, header at
  // the bottom) and, on OK with rows or the header, makes a new table of
  // `kind` named `name` into *table (the caller places it). A parts list
  // (kind 1) that is not forced first offers to replace the drawing's
  // parts list and then makes nothing when the drawing has one. TRUE when
  // a table was made.
  BOOL GenerateTable(int rowCount, const CFieldArray& structure, CTableEntity** table, CDraftView* view,
                     const char* name, int force, int kind);
  // Replaces the drawing's parts list by a copy rebuilt from the grid (see
  // the source). 1 when the drawing has a parts list, -1 when not.
  int ReplacePartsListTable(CDraftView* view, int rowCount, const CFieldArray& structure, const char* name,
                            CBillFontDlg* fontDlg, int add, int mode, CEntityList* oldList, CEntityList* newList);
  // Runs the font dialog and rebuilds the table from the grid when anything
  // changed, as one replace step.
  void UpdateTableEntity(CBillFontDlg* fontDlg, CTableEntity* table, const CFieldArray& structure, int listChanged,
                         CDraftView* view);
  // Columns, rows and fonts from a table of the drawing.
  void LoadFromTableEntity(CBillFontDef& def, const CTableEntity* table, CFieldArray& structure);
  // Writes the table as a parts-list data file.
  BOOL SaveTableEntityToFile(const CTableEntity* table, const char* path);

  // ---- Row texts.
  void FormatRowText(int row, CStringA& text) const;
  void SplitRowText(const CStringA& text, CStringArray& cells) const;
  // The row texts of rows 0 to count - 1.
  void GetRowTexts(int count, CStringArray& texts) const;

  // ---- Columns and rows.
  void SetColumns(const CFieldArray& structure);
  void FillRows(const CStringArray& rowTexts);
  void GetRowCells(int row, CStringArray& cells) const;
  void GetCurrentRowCells(CStringArray& cells) const;

  // ---- Keys and typing.
  // Navigation (Home, End, Left, Right, Up, Down, wrapping round) and the
  // row keys (Insert a blank row, Delete the current row) unless `locked`.
  void OnKeyDown(UINT key, int& rowCount, CFieldArray& structure, CPartsListUndo& undo, int locked);
  // Typing into the current cell: the character message's handler. The
  // typed buffer holds what was typed into one cell since the grid last
  // took the focus: it starts anew in another cell and when the grid takes
  // the focus again.
  void TypeCharacter(UINT ch);
  void ResetTypedBuffer();
  const char* GetTypedBuffer() const { return typed_; }
  int GetTypedCount() const { return typedCount_; }

  // ---- Row operations (each keeps the row count in step).
  // Appends a row with the serial number and quantity 1; kind 1. Returns
  // the field count minus 1 (nothing is done without fields).
  int AppendRow(const CFieldArray& structure, int& rowCount, CPartsListUndo& undo);
  // A blank row at the current row (at the end without a current cell); kind 3.
  void InsertBlankRow(int& rowCount, const CFieldArray& structure, CPartsListUndo& undo);
  // A row with the given cells at the current row; kind 2.
  void InsertRow(const CStringArray& cells, int& rowCount, const CFieldArray& structure, CPartsListUndo& undo);
  // Inserts the cells at `row` and renumbers; no undo record.
  void InsertRowAt(int row, const CStringArray& cells, int& rowCount, const CFieldArray& structure);
  // Deletes the current row; kind 4 with its cells.
  void DeleteCurrentRow(int& rowCount, const CFieldArray& structure, CPartsListUndo& undo);
  // Deletes the row and renumbers the rows after it; with `keepCurrent` and
  // the last row deleted, the row above becomes current.
  void DeleteRow(int row, int& rowCount, const CFieldArray& structure, int keepCurrent);
  void ShiftCellsLeft(int row, int column);

  // ---- Column operations.
  // Inserts `field` at `index` into the structure and the grid; the new
  // column's cells come from `cells` (blank where it has none).
  void InsertColumn(int index, const CFieldRecord& field, const CStringArray& cells, CFieldArray& structure);
  // Deletes the current column with an undo record (kind 8); the first
  // column cannot be deleted.
  BOOL DeleteColumnRecord(CFieldArray& structure, CPartsListUndo& undo);
  void DeleteColumn(int index, CFieldArray& structure);
  // Asks for a new column ("插入字段") and inserts it right of the current
  // column; kind 6. Without a current cell: "请选择插入位置!".
  BOOL InsertColumnDialog(CFieldArray& structure, CPartsListUndo& undo);
  // Asks for the current column's new definition ("修改字段"); kind 9 with
  // the field before. Without a current cell: "请选择修改字段!".
  BOOL ModifyColumnDialog(CFieldArray& structure, CPartsListUndo& undo);
  // Puts `field` in place of column `index` (its title follows).
  void SetColumnField(int index, const CFieldRecord& field, CFieldArray& structure);

  // Copies the owner's edit (child 314) into the current cell when it
  // differs from `text`; TRUE when it did (`text` then holds it).
  BOOL TakeEditText(CStringA& text);

  // ---- Ditto marks.
  // Resolves the marks of `text`, the cell at (row, column), into the value
  // they stand for; the code tells which mark (kDittoFailed after the
  // failure's message).
  int ResolveDitto(const int& row, const int& column, CStringA& text, int columnCount);
  // "@": the column above must hold a value before row 0 is reached.
  BOOL CheckRowDitto(int row, int column);
  // "$": the row to the left must hold a value before column 0.
  BOOL CheckColumnDitto(int row, int column);

  // ---- ODBC tables (PartsListSql.cpp). The data source is "Qelvo", a
  // folder of dBase tables; a table is named by its .dbf file. Texts put
  // into statements have every "'" doubled, and values are read whole.
  // The process-wide availability flag: 1 until the data source could not
  // be reached once, then 0 for the life of the process.
  static int GetDataSourceFlag();
  // Opens "DSN=Qelvo" read-only; a failure clears the flag.
  static BOOL IsDataSourceAvailable();
  static BOOL Connect(SQLHENV& env, SQLHDBC& dbc, SQLHSTMT& stmt);
  static void Disconnect(SQLHENV& env, SQLHDBC& dbc, SQLHSTMT& stmt);
  static BOOL ExecuteSql(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, const char* sql);
  // Any result but SQL_ERROR passes; an error shows the driver's message.
  static BOOL CheckSql(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, SQLRETURN result);
  static void CleanName(CStringA& text);
  // Pads or cuts (never rounds) to the host's number of decimals; a number
  // in exponent form ("2.2e-05") is written in fixed notation first.
  void FormatDecimals(CStringA& text) const;
  static int MapSqlType(int sqlType);
  static const char* GetSqlType(int fieldType);
  void AppendColumnDef(CStringA& definitions, const char* name, int fieldType, double width, int mode) const;
  BOOL CreateTable(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, const char* file, const CStringA& definitions);
  BOOL CreateTableFromStructure(const char* file, const CFieldArray& structure, int mode);
  BOOL FormatRowValues(int row, CStringA& values, const CFieldArray& structure, int mode, int symbolColumn,
                       int serial);
  int FirstDataRow() const;
  // 0 failed, 1 a row was refused in the quiet pass (kind 1, mode 2), 2 done.
  // A file already there is replaced only by a finished export; otherwise
  // it is left as it was (CreateTableFromStructure likewise).
  int ExportTable(const char* file, const CFieldArray& structure, int mode, int kind, int dropLastRow,
                  int symbolColumn, int serial);
  BOOL ReadDbfStructure(const char* file, CFieldArray& structure);
  BOOL ReadDbfTable(const char* file, CStringArray& rows, CFieldArray& structure, const char* filter = nullptr,
                    const char* sort = nullptr);
  // Reads the structure and makes it the grid's columns.
  BOOL LoadDbfStructure(const char* file, CFieldArray& structure);
  BOOL AppendDbfRows(const char* file);
  BOOL LoadDbfIntoList(const char* file, CFieldArray& structure, int& rowCount, int useStructureFile);
  // "SELECT expression FROM table": the values go into the target column
  // of the rows from FirstDataRow on, the rows ExportTable wrote.
  BOOL QueryColumn(const char* table, const char* expression, int targetColumn, const CFieldArray& structure);
  BOOL QueryTotals(const char* table, const char* selectList, const CArray<int, int>& columns,
                   const CFieldArray& structure);
  BOOL SortTable(const char* table, const char* column, int descending, const CFieldArray& structure);
  BOOL QueryAll(const char* table, const char* columns, const CFieldArray& structure);
  // Empties the grid and fills it with every row of the statement's result.
  BOOL FillFromStatement(SQLHSTMT stmt, const CFieldArray& structure);
  // The first row whose key column holds the value fills the cells of
  // `row`, column for column.
  BOOL LookupRow(const char* table, const char* keyColumn, const char* keyValue, int row,
                 const CFieldArray& structure);
  // The same for the columns listed (SQL names joined with ','), whose
  // values go to the grid columns `targets` of `row`.
  BOOL LookupColumns(const char* table, const char* keyColumn, const char* keyValue, const char* columns, int row,
                     const CArray<int, int>& targets, const CFieldArray& structure);
  // Asks for a relation ("a3=a1*a2") and computes its target column.
  BOOL ComputeRelation(const char* file, const CFieldArray& structure, int serial);
  // The drawing whose system values (the number of decimals) the SQL layer
  // uses; without one, the host's defaults.
  void SetDrawingSettings(const CDrawingSettings* settings) { drawingSettings_ = settings; }

  void SetEditMode(int mode) { editMode_ = mode; }
  int GetEditMode() const { return editMode_; }
  int IsModified() const { return modified_; }
  void SetModified(int modified) { modified_ = modified; }
  const CStringA& GetHeaderString() const { return header_; }

 protected:
  afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnSetFocus(CWnd* oldWnd);
  DECLARE_MESSAGE_MAP()

 private:
  CPartsListOwner* GetOwnerDialog() const;
  // Writes i + 1 into every column named exactly "序号", rows `from` to the end.
  void Renumber(int from, const CFieldArray& structure);
  // "1" into every column whose cleaned name contains "数量".
  void SetQuantityOne(int row, const CFieldArray& structure);
  void InsertCells(int row, const CStringArray& cells);
  // The cell text, trimmed.
  CStringA TrimmedCell(int row, int column) const;
  // Redraws the old and new current rows and brings the new one into view.
  void ShowCurrentRowChange(int oldRow);

  int typedCount_ = 0;
  char typed_[kTypedLimit + 1];
  // The cell the typed buffer was typed into.
  int typedRow_ = -1;
  int typedColumn_ = -1;
  CStringA header_;
  int editMode_ = 0;
  int modified_ = 0;
  // The text's width factor, line spacing and style of the table last
  // loaded (LoadFromTableEntity).
  double loadedWidthFactor_ = 1.0;
  double loadedLineSpacing_ = 0.0;
  int loadedStyle_ = 0;
  const CDrawingSettings* drawingSettings_ = nullptr;
};
