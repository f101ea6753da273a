// The sort-key dialog of the table-content dialog (template 262, "定义排序的
// 关键字"): one key column, ascending ("顺序", the default) or descending
// ("逆序"), and, while "表格合并显示" is checked, the columns to show merged
// (a multiple choice, enabled only while the box is checked).
#pragma once

#include "platform/core/Array.h"
#include "platform/core/StringArray.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"

class CSortKeyDlg : public CDialog {
 public:
  enum { IDD = 262 };
  enum ControlId { kKeyList = 604, kAscending = 605, kDescending = 606, kMerged = 632, kMergedList = 633 };

  CSortKeyDlg(const CStringArray& names, CWnd* parent);

  // After OK: the key column (-1 for none), the order and the merged columns.
  int GetKeyColumn() const { return key_; }
  BOOL IsDescending() const { return descending_; }
  BOOL IsMerged() const { return merged_; }
  const CArray<int, int>& GetMergedColumns() const { return mergedColumns_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnMergedClicked();
  DECLARE_MESSAGE_MAP()

 private:
  CStringArray names_;
  CListBox keyList_;
  CListBox mergedList_;
  int key_ = -1;
  BOOL descending_ = FALSE;
  BOOL merged_ = FALSE;
  CArray<int, int> mergedColumns_;
};
