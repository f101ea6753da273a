// The record-information dialog (template 2316, "显示记录信息"): the records
// of a parts-list data file in a grid (1285). Opened for a range of part
// numbers (the numeric form) or a list of number values (the string form),
// it inserts (mode 1), deletes (mode 2) or adds (mode 3) the records of
// those numbers, their cells taken from the attributes of the caller's
// entities (see RecordRows.h); the user then edits cells in place (the edit
// 314, or the material box 1313 in the material column), copies and pastes
// rows, undoes row changes and deletes surplus records. Enter moves through
// the cells (there is no OK button); "退出(&Q)" saves the file and brings
// the drawing's parts list up to date, or makes a new parts list that the
// calling command places.
//
// The same object serves a host that wants the record work done without
// the dialog: UpdateRecordsByNumber and UpdateRecordsByValue read the file,
// change the records, write the file and replace the drawing's parts list,
// the caller's own entity changes (the old-entity and new-entity lists)
// recorded with it as one undo step.
#pragma once

#include <memory>
#include <vector>

#include "draft/host/BaseDialog.h"
#include "draft/tables/CellEdit.h"
#include "draft/tables/FieldRecord.h"
#include "draft/tables/PartsListCtrl.h"
#include "draft/tables/PartsListOwner.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"
#include "platform/ui/ComboBox.h"

class CDraftView;
class CEntity;
class CEntityList;
class CRecordRows;
class CTableEntity;

class CRecordInfoDlg : public CBaseDialog, public CPartsListOwner {
 public:
  enum { IDD = 2316 };
  enum ControlId {
    kCellEdit = 314, kMaterialBox = 1313, kGrid = 1285, kCopyRow = 334, kPasteRow = 1111, kUndo = 2315,
    kDeleteSurplus = 565, kQuit = 998,
  };
  // Row-undo kinds: one row changed, rows deleted.
  enum { kRowChanged = 2, kRowsDeleted = 5 };

  // The numeric form: the numbers first to last.
  CRecordInfoDlg(int first, int last, int mode, int extra, const CEntityList* entities, const char* path,
                 CDraftView* view, CEntityList* oldEntities, CEntityList* newEntities, CWnd* parent);
  // The string form: the number values. When they are all whole numbers the
  // dialog works in the numeric form over the range from the smallest to the
  // largest of them.
  CRecordInfoDlg(const CStringArray& values, int mode, const CEntityList* entities, const char* path,
                 CDraftView* view, CEntityList* oldEntities, CEntityList* newEntities, CWnd* parent);
  ~CRecordInfoDlg() override;

  // ---- Without the dialog (the lists are the caller's, shared).
  void UpdateRecordsByNumber();
  void UpdateRecordsByValue();
  // Rebuilds a copy of the drawing's parts list from the records and puts
  // it in place of the old one, with the lists, as one undo step.
  void UpdatePartsListTable(const CStringArray& rows);

  // ---- The running dialog.
  // The grid row whose number is greater than (how 1), at least (2) or
  // equal to (3) the value; -1 when none.
  int FindRowByNumber(int value, int how) const;
  // The first grid row whose number cell matches the value; -1 when none.
  int FindRowByValue(const CStringA& value) const;
  // The string form's record work on the grid (modes 1 and 3, mode 2).
  void AddRowsForValues();
  void DeleteRowsForValues();

  // ---- CPartsListOwner.
  CFieldArray& GetListStructure() override { return fields_; }
  void SetListEditText(const CStringA& text) override;

  // ---- State.
  CTableEntity* TakeResultTable();
  CPartsListCtrl& GetGrid() { return grid_; }
  const CFieldArray& GetFields() const { return fields_; }
  int IsNumeric() const { return numeric_; }
  int GetFirstNumber() const { return first_; }
  int GetLastNumber() const { return last_; }
  int GetNumberColumn() const { return numberColumn_; }
  int GetMaterialColumn() const { return materialColumn_; }
  int IsModified() const { return modified_; }
  const CStringA& GetFilePath() const { return path_; }
  int GetRowCount() const { return rowCount_; }
  int GetUndoCount() const { return static_cast<int>(undo_.size()); }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  // Enter: moves to the next cell.
  void OnOK() override;
  afx_msg void OnCopyRow();
  afx_msg void OnPasteRow();
  afx_msg void OnUndo();
  afx_msg void OnDeleteSurplus();
  afx_msg void OnQuit();
  afx_msg void OnCellEditUpdate();
  afx_msg void OnMaterialEditUpdate();
  afx_msg void OnMaterialSelected();
  afx_msg void OnGridClick(NMHDR* header, LRESULT* result);
  afx_msg void OnGridDoubleClick(NMHDR* header, LRESULT* result);
  afx_msg void OnGridKeyDown(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()

 private:
  struct RowUndo {
    int kind;
    int first;
    int last;
    std::vector<std::vector<CStringA>> rows;
  };

  void InitCommon(const CEntityList* entities, const char* path, CEntityList* oldEntities,
                  CEntityList* newEntities);
  CRecordRows MakeRecordRows(CStringArray& rows) const;
  // The number column (first field whose cleaned name is the number
  // column's) and the material column; the message when there is no
  // number column. FALSE without one.
  BOOL FindColumns(bool tell);
  // The shared start of the two operations without the dialog; FALSE ends
  // the operation (nothing written, nothing recorded).
  BOOL StartUpdate(CStringArray& rows);
  // The shared end: write and update the parts list, or record the lists.
  void FinishUpdate(const CStringArray& rows);
  void RecordLists();
  // The numeric record work on the grid (OnInitDialog).
  void ApplyNumericMode();
  void FillMaterialBox();
  // The editor of the current cell: the material box in the material
  // column, else the edit; shows it and hides the other.
  CWnd* ShowEditor();
  // The current cell's text into its editor (an empty material cell takes
  // the box's text); with `select` the editor takes the focus, all selected.
  void ShowCurrentCell(bool select);
  void ClickCell();
  // The editor's text into the current cell (not the number column).
  void CommitEditor();
  void SaveRowUndo(int kind, int first, int last);

  CCellEdit cellEdit_;
  CComboBox materialBox_;
  CPartsListCtrl grid_;
  CStringA path_;
  CStringA structurePath_;
  int numberColumn_ = -1;
  int materialColumn_ = -1;
  CStringArray copiedRow_;
  std::vector<RowUndo> undo_;
  CStringA currentText_;
  int numeric_ = 1;
  CStringArray values_;
  CFieldArray fields_;
  int first_ = 0;
  int last_ = 0;
  int mode_ = 0;
  int extra_ = 0;
  CDraftView* view_;
  std::vector<const CEntity*> entities_;
  CEntityList* oldEntities_ = nullptr;
  CEntityList* newEntities_ = nullptr;
  CStringA numberName_;
  CTableEntity* result_ = nullptr;
  int modified_ = 0;
  int rowCount_ = 0;
};
