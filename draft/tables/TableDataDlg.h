// The table-content dialog (template 285, "钢筋表"): the rows of a
// schedule-type table in the parts-list grid (339), its columns as field
// records. A new rebar schedule starts with five columns and a row per
// rebar label of the drawing (entities whose attribute "钢筋标注" is "1");
// the dialog computes total lengths, unit and total weights, totals and
// per-diameter subtotals shown merged ("@" above, "/" last, the value in
// the middle row), edits rows and columns with undo, and on "生成表格"
// makes a rebar table (mode 1) or rewrites the table it edits (mode 2).
#pragma once

#include "draft/tables/FieldRecord.h"
#include "draft/tables/PartsListDlg.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"

class CDraftView;
class CTableEntity;

class CTableDataDlg : public CPartsListDlg {
 public:
  enum { IDD = 285 };
  enum ControlId {
    kGrid = 339, kCellEdit = 314, kCompute = 608, kSort = 612, kSummary = 2440, kMaterialReport = 614,
    kAppendTables = 631, kSpecialChar = 1312, kGenerate = 998, kAddRow = 1040, kInsertRow = 1035,
    kDeleteRow = 301, kCopyRow = 334, kPasteRow = 1111, kAddColumn = 372, kDeleteColumn = 362,
    kModifyColumn = 1202, kClear = 305, kUndo = 2315, kReadFile = 1037, kSaveFile = 302,
  };
  // Mode 1: a new rebar schedule; mode 2: the contents of `table`. The file
  // path is the setting SteelSetting/SteelTableFilePath, else the system
  // file "Def\steel.dbf"; the scratch file is the program folder's
  // "qxwtmp.dbf".
  CTableDataDlg(UINT templateId, CDraftView* view, CTableEntity* table, int mode, CWnd* parent);
  ~CTableDataDlg() override;

  // ---- CPartsListOwner.
  CFieldArray& GetListStructure() override { return fields_; }

  // ---- Contents (each works on the grid and the field array).
  // The grid takes the columns and the rows (row texts).
  void SetContents(const CFieldArray& fields, const CStringArray& rows);
  // The five columns of a new rebar schedule.
  void InstallDefaultColumns();
  // A row per entity of the drawing whose "钢筋标注" is "1", its attribute
  // items placed by name.
  void FillFromRebarLabels();
  // Column 4 = column 2 × column 3 × 0.001 in every row.
  void ComputeTotalLength();
  // Unit weights into `column` from the diameter column.
  void ComputeUnitWeight(int column);
  // Total weights into `column` from the length and the unit weight (or
  // diameter) columns, their sum into the total row.
  void ComputeTotalWeight(int column);
  // The sums of the columns into the total row (made when missing); FALSE
  // after a column that cannot be totalled (its message shown).
  BOOL ComputeTotals(const CArray<int, int>& columns);
  // Per-diameter subtotals into the "合计" column (made when missing).
  void ComputeDiameterSubtotals();
  // Sorts the rows by the key column's values in numeric order (the total
  // row stays last); the columns of `merged`, when given, are shown merged
  // per key: the key's value, the last unit weight of a "单位重" column, the
  // sum of any other. FALSE for an empty key cell (its message shown).
  BOOL SortRows(int key, BOOL descending, const CArray<int, int>* merged);
  // The material report from the chosen columns: without merging the other
  // columns are deleted; merged, one row per distinct value of the basis
  // column (in numeric order, the basis first) holds the sums of the other
  // chosen columns. FALSE when nothing changed.
  BOOL MaterialReport(const CArray<int, int>& columns, BOOL merged, int basis);
  // "多表汇总" with the files chosen: asks whether to append; Yes appends
  // the rows of each file whose structure is the grid's, No loads all files
  // (of one structure) in place of the grid. FALSE when nothing was loaded.
  BOOL AppendTables(const CStringArray& files);
  // Same column count, types, and names (cut before their last "(") that
  // contain one another.
  static BOOL IsSameStructure(const CFieldArray& a, const CFieldArray& b);
  // Reads a .dbf table into the grid (its structure file when it matches);
  // the path is remembered and shown in the caption.
  BOOL LoadTableFile(const char* path);
  // Writes the table as a .dbf file through the data source (no structure
  // file: the save question writes that first for a changed structure); on
  // success the path is remembered and shown, and the table counts as saved.
  BOOL SaveTableFile(const char* path);
  // The row of the total row ("总计" or "合计" in its first cell), or -1.
  int FindTotalRow() const;

  // ---- Results.
  CTableEntity* GetResultTable() const { return result_; }
  const CStringA& GetFilePath() const { return path_; }
  const CStringA& GetScratchPath() const { return scratchPath_; }
  int IsModified() const { return modified_; }
  CFieldArray& GetFields() { return fields_; }

  // The diameter of a cell text: a number from its start, or from its third
  // byte past a two-byte sign ("Φ20"); 0 otherwise.
  static double ParseDiameter(const CStringA& text);
  // "%lf" with needless trailing zeros (and a bare point) cut off.
  static CStringA FormatTrimmed(double value);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL AskToSave() override;
  // The current cell's text into the edit, with the focus and all selected.
  void EditCurrentCell() override;
  void ShowCurrentCellText() override;
  afx_msg void OnPasteRow();
  afx_msg void OnAddColumn();
  afx_msg void OnGenerate();
  afx_msg void OnReadFile();
  afx_msg void OnSaveFile();
  afx_msg void OnSort();
  afx_msg void OnSummary();
  afx_msg void OnCompute();
  afx_msg void OnSpecialChar();
  afx_msg void OnAppendTables();
  afx_msg void OnMaterialReport();
  afx_msg void OnGridKeyDown(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()

 private:
  void ShowPathInCaption();
  // After a file was read: nothing to save or undo.
  void ResetChangeState();
  void SetCell(int row, int column, const CStringA& text);
  CStringA Cell(int row, int column) const;
  int FindColumn(std::initializer_list<const char*> parts) const;
  void GetFieldNames(CStringArray& names) const;
  // The structure file beside a .dbf table, else the table's own columns.
  BOOL ReadTableStructure(const CStringA& path, CFieldArray& fields);

  CFieldArray fields_;
  CStringA path_;
  CStringA scratchPath_;
};
