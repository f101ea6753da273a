// The bill-of-materials dialog (template 2311, "输入表格内容"): the rows of
// a general table (通用表, kind 0, data file .tyb) or a bill of materials
// (明细表, kind 1, .lst) in the parts-list grid (339) over the columns of a
// table structure. The serial-number column ("序号") is renumbered by the
// grid; the material column ("材料") is edited in a drop-down box listing
// "Table\Material.Tab". Data files are read and written as table-data
// files (.lst, .tyb) or as .dbf tables; "生成表格" makes a new table of the
// chosen kind (mode 1) or rewrites the edited one (mode 2). The file, row
// and column commands are the buttons of a tool bar across the top.
#pragma once

#include "draft/tables/FieldRecord.h"
#include "draft/tables/PartsListDlg.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ToolBar.h"

class CDraftView;
class CTableEntity;

class CDetailTableDlg : public CPartsListDlg {
 public:
  enum { IDD = 2311 };
  enum ControlId {
    kGrid = 339, kCellEdit = 314, kMaterialBox = 1313, kWidthLabel = 685, kDetailType = 567, kGeneralType = 568,
    kGenerate = 998, kCompute = 608, kSpecialChar = 1312, kSetDataSource = 1050, kDataSourceValue = 1051,
    kReadFile = 1037, kSaveFile = 302, kCopyRow = 334, kPasteRow = 1111, kInsertRow = 1035, kDeleteRow = 301,
    kAddRow = 1040, kAddColumn = 372, kDeleteColumn = 362, kModifyColumn = 1202, kClear = 305, kUndo = 2315,
    kMaterialQuery = 32775,
  };
  // The tool bars: file, row and column commands; 139 adds the material
  // query and is chosen when the query library sits beside the resource
  // module.
  enum { kToolBar = 138, kToolBarWithQuery = 139 };

  // The data path is SystemSetting/TableDataFilePath, else the system file
  // "Def\item.tyb"; the structure path TableFrameSetting/TableFrameFilePath,
  // else "Def\item.def". A .dbf data path takes its table type from
  // SystemSetting/TableType, an .lst path is a bill of materials.
  CDetailTableDlg(UINT templateId, CDraftView* view, CTableEntity* table, int mode, CWnd* parent);
  ~CDetailTableDlg() override;

  // The calling command's structure (set before the dialog runs).
  void SetFieldArray(CFieldArray* fields) { fields_ = fields; }

  // ---- CPartsListOwner.
  CFieldArray& GetListStructure() override { return *fields_; }

  // ---- Files. Reads a table-data file (.lst, .tyb, either generation) or
  // a .dbf table into the grid; the serial and material columns are found
  // again. FALSE leaves the grid as it was.
  BOOL LoadDataFile(const char* path);
  // Writes the grid by the extension: .lst and .tyb as table-data files,
  // .dbf through the data source (with its structure file). FALSE for any
  // other extension or a failed write.
  BOOL SaveDataFile(const char* path);
  // The grid as fixed-column text: the field names, then each row that
  // holds anything, every column as wide as its widest cell plus two
  // blanks. FALSE without columns (nothing written) or after a failed
  // write (reported).
  BOOL WriteBomFile(const char* path);
  // A fixed-column file (.bom: the second line skipped; .dat) into the
  // grid's current columns: the header's blank-separated words give where
  // each column starts. FALSE for any other extension or a failed read.
  BOOL ImportFixedColumns(const char* path);
  // A text file of quoted cells ("a","b",...) into the grid, one row a line
  // up to a line without cells, over the columns of the structure file; a
  // line with more cells adds unnamed columns. A file with no row shows
  // "文件类型不匹配,请重新选择!" and fails.
  BOOL ImportTextFile(const char* path);
  // The filters of the open and save dialogs, by purpose and table state.
  CStringA GetOpenFilter() const;
  CStringA GetSaveFilter() const;
  // "读文件" with the file chosen: a purpose-2 table takes only .dbf and
  // .tyb files; on success the change state is reset and an .lst or .tyb
  // file sets the table type.
  BOOL OpenChosenFile(const char* path);
  // The save question before generating or cancelling (a data file whose
  // extension does not match the table type is renamed first); FALSE keeps
  // the dialog open.
  BOOL AskToSave() override;

  // The external data-source description kept for Sarnowe.
  const CStringA& GetDataSourceText() const { return dataSource_; }
  void SetDataSourceText(const char* text) { dataSource_ = text ? text : ""; }

  // ---- Results.
  const CStringA& GetDataPath() const { return dataPath_; }
  int GetTableType() const { return tableType_; }
  int GetSerialColumn() const { return serialColumn_; }
  int GetMaterialColumn() const { return materialColumn_; }
  CComboBox& GetMaterialBox() { return materialBox_; }
  CToolBar& GetToolBar() { return toolBar_; }
  // 139 when "Tilbrack.dll" is found beside the resource module, else 138.
  static UINT ChooseToolBar();
  // The sum of the field widths as the width label shows it ("%lf" tidied, " mm").
  CStringA GetWidthText() const;

 protected:
  // A dialog of another purpose (2: a process card) on this one: the table
  // kind it generates and edits, its data and structure paths.
  void SetPurpose(int purpose, int tableType, const CStringA& dataPath, const CStringA& structurePath) {
    purpose_ = purpose;
    tableType_ = tableType;
    SetDataPath(dataPath);
    structurePath_ = structurePath;
  }
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void EditCurrentCell() override;
  void ShowCurrentCellText() override { ShowEditorForCurrentCell(); }
  // A bill of materials takes back the cells a paste wrote over.
  BOOL UndoPastedCells(const CPartsListRow& record) override;
  // The special columns are found again and the width shown.
  void OnColumnsChanged() override;
  afx_msg void OnPasteRow();
  afx_msg void OnAddColumn();
  afx_msg void OnDetailType();
  afx_msg void OnGeneralType();
  afx_msg void OnGenerate();
  afx_msg void OnReadFile();
  afx_msg void OnSaveFile();
  afx_msg void OnMaterialEditUpdate();
  afx_msg void OnMaterialSelected();
  afx_msg void OnCompute();
  afx_msg void OnSpecialChar();
  afx_msg void OnSetDataSource();
  afx_msg void OnDataSourceValue();
  afx_msg void OnMaterialQuery();
  DECLARE_MESSAGE_MAP()

 private:
  // The serial ("序号") and material ("材料") columns by name.
  void FindSpecialColumns();
  void ShowWidth();
  // A fresh table: one row, "1" in the serial and quantity columns.
  void StartFreshTable();
  void FillMaterialBox();
  // The tool bar across the top; the controls move down under it and the
  // dialog grows by its height.
  void CreateToolBar();
  // The editor of the current cell (the material box in the material
  // column, else the cell edit) shown with the cell's text.
  CWnd& ShowEditorForCurrentCell();
  void WriteCurrentCell(const CStringA& text);
  bool InLockedSerialCell() const;
  // The data path (and, for a .dbf file, the table type) in the settings.
  void StoreFileSettings() const;
  // The data path's extension, in lower case.
  CStringA Extension() const;
  // The data path, and the extension the file dialogs start from.
  void SetDataPath(const CStringA& path);

  CFieldArray* fields_ = nullptr;
  CFieldArray ownFields_;  // used until the caller gives its array
  int purpose_ = 1;
  CStringA dataPath_;
  CStringA structurePath_;
  int columnCount_ = 0;
  int serialColumn_ = -1;
  int materialColumn_ = -1;
  // The extension of the file kind in hand: the data path's, or the one
  // that a table-type button chose ("lst", "tyb"); the file dialogs' filters
  // and default extension follow it.
  CStringA extension_;
  CStringA dataSource_;
  CComboBox materialBox_;
  CToolBar toolBar_;
  int tableType_ = 0;
};
