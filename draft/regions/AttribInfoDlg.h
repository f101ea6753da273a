// The attribute dialog (template 5001, "属性信息"): the name/value rows of a
// group's or the drawing's attributes and the list of known attribute names
// kept in a template file (a tab file, draft/host/TabFile.h).
//
// The group combo lists the drawing's groups and, when none of them is the
// system group "系统图组" and an item list is given, "系统图组" on top: the
// drawing's own attributes, shown over the rows of the default attribute
// file "Table\Default_Attrib.Tab" (entries "name:value"; a name holding
// "日期" shows today's date). "存属性" writes the rows into the chosen item
// list, "缺省属性" writes them to the default file, "退出" offers to save
// what changed and copies the system group's items to the drawing.
#pragma once

#include <string>
#include <unordered_map>

#include "draft/host/EditListCtrl.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ToolTipCtrl.h"

class CAttributeItemList;
class CDraftView;
class CDrawingGroup;
class CGroupTable;

class CAttribInfoDlg : public CDialog {
 public:
  enum { IDD = 5001 };
  enum ControlId {
    kGroupCombo = 573, kNameList = 1025, kNameEdit = 2325, kAddSelected = 571, kAddAll = 2328, kAddName = 2322,
    kDeleteNames = 1030, kLoadTemplate = 2330, kSaveTemplate = 333, kSaveAttributes = 569, kSaveDefaults = 2331,
    kAddRow = 1032, kDeleteRow = 1027, kClearRows = 299, kExit = 998, kAttribList = 1021,
  };

  // A dialog without entry text, view or group. The template path is the one kept under
  // "SystemSetting"/"AttrNameFilePath", or the system path of
  // "Def\Attribute.Tab" when that is empty or names no file.
  explicit CAttribInfoDlg(CWnd* parent);
  // An item list of its own, shown under `entryText`; template path as above.
  CAttribInfoDlg(CAttributeItemList* items, const char* entryText, CWnd* parent);
  // A group (or null: the drawing's attributes) of a view (or null). With a
  // view, its group table and the drawing's attribute list. The template
  // path is the kept one, the system path of "Def\Attribute.Tab" when none
  // is kept.
  CAttribInfoDlg(CDrawingGroup* group, CDraftView* view, CWnd* parent);
  ~CAttribInfoDlg() override;

  // Reads the tab file at `path` as ::ReadTabFile (draft/host/TabFile.h) does.
  void ReadTabFile(const CStringA& path, CStringArrayA& entries, CStringArrayA& comments);

  const CStringA& GetTemplatePath() const { return templatePath_; }

  BOOL OnInitDialog() override;
  // Every message passes the tool tip first.
  BOOL PreTranslateMessage(MSG* msg) override;
  // Enter: adds the typed name when the name edit has the focus; the dialog
  // stays open (it closes through "退出" or Cancel).
  void OnOK() override;

  // The handlers of the controls.
  afx_msg void ShowGroupAttributes();
  afx_msg void OnNameDoubleClick();
  afx_msg void OnAddSelectedNames();
  afx_msg void OnAddAllNames();
  afx_msg void OnAddName();
  afx_msg void OnDeleteNames();
  afx_msg void OnLoadTemplate();
  afx_msg void OnSaveTemplateAs();
  afx_msg void SaveAttributes();
  afx_msg void SaveDefaults();
  afx_msg void OnAddRow();
  afx_msg void OnDeleteRow();
  afx_msg void OnClearRows();
  afx_msg void OnExit();

  // The row whose name (first column) equals `name` after both pass the
  // string converter; -1 when none.
  int FindRow(const CStringA& name) const;

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  void ReloadNames();
  void FillGroupChoice();
  // The item list of the chosen combo entry (null when none is chosen);
  // *isSystem tells whether the entry holds "系统图组".
  CAttributeItemList* GetChosenItemList(bool* isSystem = nullptr);
  CAttributeItemList* ItemListOf(const CStringA& entry);
  // The rows of the default attribute file.
  void LoadDefaults();
  void WriteTemplate();
  void CopySystemAttributes();
  // The rows by their converted names: each name to its first row.
  using RowsByName = std::unordered_map<std::string, int>;
  RowsByName IndexRows() const;
  // Appends a row when no row of `rows` (the rows indexed by name) has the
  // name, and indexes it; TRUE when one was appended.
  BOOL AppendNameRow(const CStringA& name, RowsByName& rows);
  void MarkRowsChanged();
  CStringA RowText(int row, int column) const;

  // Members, in order.
  CStringA entryText_;
  int systemGroup_ = 0;
  int namesChanged_ = 0;
  int rowsChanged_ = 0;
  int drawingChanged_ = 0;
  CStringA templatePath_;
  CStringArrayA templateComments_;
  CStringArrayA defaultComments_;
  CDraftView* view_ = nullptr;
  CGroupTable* groupTable_ = nullptr;
  CAttributeItemList* items_ = nullptr;
  CDrawingGroup* group_ = nullptr;
  CListBox names_;
  CEditListCtrl list_;
  CComboBox groups_;
  CToolTipCtrl tip_;
};
