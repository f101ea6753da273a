// The process-table dialog (template 783, "定义为工艺表格"): the grid of a
// machining process card on the bill-of-materials dialog. Its rows are the
// rows one page of the card has, which the label 1793 always shows; it
// generates a process table (kind 5) and needs at least one row for that.
// "增加多行..." adds several rows at once through the add-rows dialog.
#pragma once

#include "draft/tables/DetailTableDlg.h"

class CProcessTableDlg : public CDetailTableDlg {
 public:
  enum { IDD = 783 };
  enum ControlId { kRowsPerPage = 1793, kAddRows = 882 };
  static constexpr int kProcessTableKind = 5;

  // The data path is SystemSetting/GykTableFilePath, else the program
  // folder's "卡片模板\机加工过程卡.dbf"; the structure path
  // TableFrameSetting/TableFrameFilePath, else the system file
  // "CAPPTable\jjgk.def".
  CProcessTableDlg(CDraftView* view, CTableEntity* table, int mode, CWnd* parent);

  // Adds `count` rows, at the current row (`atCurrent`) or after the last,
  // the label following each.
  void AddRows(int count, bool atCurrent);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnClearRows();
  afx_msg void OnUndoRows();
  afx_msg void OnPasteRows();
  afx_msg void OnInsertRows();
  afx_msg void OnDeleteRows();
  afx_msg void OnAddOneRow();
  afx_msg void OnReadRows();
  afx_msg void OnAddRowsDialog();
  afx_msg void OnGenerateCard();
  DECLARE_MESSAGE_MAP()

 private:
  void ShowRowsPerPage();
};
