#include "draft/regions/AttribInfoDlg.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "draft/host/AttributeItems.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingAttributes.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/GroupTable.h"
#include "draft/host/Messages.h"
#include "draft/host/Settings.h"
#include "draft/host/StringConverter.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TabFile.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageMap.h"

namespace {
constexpr const char* kSystemGroup = "系统图组";
constexpr const char* kDefaultFile = "Table\\Default_Attrib.Tab";
constexpr const char* kTemplateFilter = "属性模板文件(*.tab)|*.tab|||";

CStringA Converted(CStringA text) {
  GetStringConverter().ConvertText(text);
  return text;
}

std::string Key(const CStringA& text) { return std::string(text.GetString(), static_cast<size_t>(text.GetLength())); }

CStringA KeptTemplatePath(bool requireFile) {
  CStringA path = GetProfileStringSetting("SystemSetting", "AttrNameFilePath", "");
  if (path.IsEmpty() || (requireFile && !IsFileExist(path))) path = GetSystemFilePath("Def\\Attribute.Tab");
  return path;
}

}  // namespace

BEGIN_MESSAGE_MAP(CAttribInfoDlg, CDialog)
  ON_CBN_SELCHANGE(573, ShowGroupAttributes)
  ON_LBN_DBLCLK(1025, OnNameDoubleClick)
  ON_BN_CLICKED(571, OnAddSelectedNames)
  ON_BN_CLICKED(2328, OnAddAllNames)
  ON_BN_CLICKED(2322, OnAddName)
  ON_BN_CLICKED(1030, OnDeleteNames)
  ON_BN_CLICKED(2330, OnLoadTemplate)
  ON_BN_CLICKED(333, OnSaveTemplateAs)
  ON_BN_CLICKED(569, SaveAttributes)
  ON_BN_CLICKED(2331, SaveDefaults)
  ON_BN_CLICKED(1032, OnAddRow)
  ON_BN_CLICKED(1027, OnDeleteRow)
  ON_BN_CLICKED(299, OnClearRows)
  ON_BN_CLICKED(998, OnExit)
END_MESSAGE_MAP()

CAttribInfoDlg::CAttribInfoDlg(CWnd* parent) : CDialog(IDD, parent), templatePath_(KeptTemplatePath(true)) {}

CAttribInfoDlg::CAttribInfoDlg(CAttributeItemList* items, const char* entryText, CWnd* parent)
    : CDialog(IDD, parent), entryText_(entryText ? entryText : ""), templatePath_(KeptTemplatePath(true)),
      items_(items) {}

CAttribInfoDlg::CAttribInfoDlg(CDrawingGroup* group, CDraftView* view, CWnd* parent)
    : CDialog(IDD, parent), templatePath_(KeptTemplatePath(false)), view_(view), group_(group) {
  if (view) {
    groupTable_ = view->GetGroupTable();
    items_ = view->GetDrawingAttributeList();
  }
}

CAttribInfoDlg::~CAttribInfoDlg() = default;

void CAttribInfoDlg::ReadTabFile(const CStringA& path, CStringArrayA& entries, CStringArrayA& comments) {
  ::ReadTabFile(path, entries, comments);
}

// ---- Initialisation.

BOOL CAttribInfoDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  names_.SubclassDlgItem(kNameList, this);
  list_.SubclassDlgItem(kAttribList, this);
  groups_.SubclassDlgItem(kGroupCombo, this);
  list_.EnableCellEdit(TRUE);
  ReloadNames();
  FillGroupChoice();
  list_.AddEditColumn("属性名", 80, CEditListCtrl::kCellText);
  list_.AddEditColumn("属性值", 80, CEditListCtrl::kCellText);
  ShowGroupAttributes();
  if (tip_.Create(this)) {
    tip_.Activate(TRUE);
    tip_.SetTipBkColor(0);
    tip_.SetTipTextColor(0x00FF00);
    tip_.SetMaxTipWidth(180);
    tip_.AddTool(&list_, "双击列表控制中的项目进行在线编辑");
  }
  return TRUE;
}

BOOL CAttribInfoDlg::PreTranslateMessage(MSG* msg) {
  if (tip_.GetSafeHwnd()) tip_.RelayEvent(msg);
  return CDialog::PreTranslateMessage(msg);
}

void CAttribInfoDlg::OnOK() {
  CWnd* focus = CWnd::GetFocus();
  CWnd* edit = GetDlgItem(kNameEdit);
  if (focus && edit && focus->GetSafeHwnd() == edit->GetSafeHwnd()) OnAddName();
}

void CAttribInfoDlg::ReloadNames() {
  CStringArrayA names;
  ReadTabFile(templatePath_, names, templateComments_);
  names_.ResetContent();
  std::unordered_set<std::string> shown;
  for (INT_PTR i = 0; i < names.GetSize(); ++i) {
    const CStringA name = Converted(names.GetAt(i));
    if (shown.insert(Key(name)).second) names_.AddString(name);
  }
}

void CAttribInfoDlg::FillGroupChoice() {
  if (groupTable_)
    for (CDrawingGroup* g : groupTable_->GetGroupList()) groups_.AddString(g->GetGroupName());
  if (!group_ && !view_ && !groupTable_) {
    groups_.AddString(entryText_);
  } else {
    bool hasSystem = false;
    for (int i = 0; i < groups_.GetCount() && !hasSystem; ++i) {
      CStringA entry;
      groups_.GetLBText(i, entry);
      hasSystem = entry.Find(kSystemGroup) == 0;
    }
    if (!hasSystem && items_) {
      groups_.InsertString(0, kSystemGroup);
      systemGroup_ = 1;
    }
  }
  const CStringA chosen = group_ ? group_->GetGroupName() : view_ ? CStringA(kSystemGroup) : entryText_;
  for (int i = 0; i < groups_.GetCount(); ++i) {
    CStringA entry;
    groups_.GetLBText(i, entry);
    if (entry == chosen) {
      groups_.SetCurSel(i);
      break;
    }
  }
}

// ---- Rows.

CAttributeItemList* CAttribInfoDlg::ItemListOf(const CStringA& entry) {
  if (systemGroup_ == 0 || entry != kSystemGroup) {
    if (groupTable_) return GetGroupItemList(groupTable_->FindGroup(entry));
    return items_;
  }
  return items_;
}

CAttributeItemList* CAttribInfoDlg::GetChosenItemList(bool* isSystem) {
  if (isSystem) *isSystem = false;
  const int sel = groups_.GetCurSel();
  if (sel < 0) return nullptr;
  CStringA entry;
  groups_.GetLBText(sel, entry);
  if (isSystem) *isSystem = entry.Find(kSystemGroup) >= 0;
  return ItemListOf(entry);
}

CStringA CAttribInfoDlg::RowText(int row, int column) const { return CStringA(list_.GetItemText(row, column)); }

int CAttribInfoDlg::FindRow(const CStringA& name) const {
  const CStringA wanted = Converted(name);
  for (int row = 0; row < list_.GetItemCount(); ++row)
    if (Converted(RowText(row, 0)) == wanted) return row;
  return -1;
}

void CAttribInfoDlg::ShowGroupAttributes() {
  bool isSystem = false;
  CAttributeItemList* list = GetChosenItemList(&isSystem);
  if (!list) return;
  list_.DeleteAllItems();
  RowsByName rows;
  if (isSystem) {
    LoadDefaults();
    rows = IndexRows();
  }
  for (const CAttributeItem& item : std::vector<CAttributeItem>(list->Items())) {
    if (item.name.IsEmpty()) continue;
    // A system-group item that no default row names gets a row of its own.
    int row = -1;
    if (isSystem) {
      const auto found = rows.find(Key(Converted(item.name)));
      if (found != rows.end()) row = found->second;
    }
    if (row < 0) {
      row = list_.InsertItem(list_.GetItemCount(), item.name);
      if (isSystem) rows.emplace(Key(Converted(item.name)), row);
    }
    list_.SetItemText(row, 1, item.value);
  }
  rowsChanged_ = 0;
}

void CAttribInfoDlg::LoadDefaults() {
  CStringArrayA entries;
  ReadTabFile(GetSystemFilePath(kDefaultFile), entries, defaultComments_);
  list_.DeleteAllItems();
  for (INT_PTR i = 0; i < entries.GetSize(); ++i) {
    const CStringA entry = Converted(entries.GetAt(i));
    const int colon = entry.Find(':');
    CStringA name = colon < 0 ? entry : entry.Left(colon);
    CStringA value = colon < 0 ? CStringA() : entry.Mid(colon + 1);
    name = Converted(name);
    value.Trim();
    if (name.Find("日期") >= 0) value = GetCurrentDateString(1);
    if (name.IsEmpty()) continue;
    const int row = list_.InsertItem(list_.GetItemCount(), name);
    list_.SetItemText(row, 1, value);
    // The drawing keeps a value it has; a default only fills a missing item.
    if (systemGroup_) AddAttributeItem(items_, name, "字符串", value, 0, 1);
  }
}

void CAttribInfoDlg::SaveAttributes() {
  bool isSystem = false;
  CAttributeItemList* list = GetChosenItemList(&isSystem);
  if (!list) return;
  ClearAttributes(list);
  for (int row = 0; row < list_.GetItemCount(); ++row) {
    CStringA name = RowText(row, 0), value = RowText(row, 1);
    name.Trim();
    value.Trim();
    if (name.IsEmpty()) continue;
    if (value.IsEmpty()) value = " ";
    AddAttributeItem(list, name, "字符型", value, 1, 1);
  }
  if (isSystem && view_) view_->SetDrawingModified(1);
  rowsChanged_ = 0;
  list_.ResetListModified();
}

void CAttribInfoDlg::SaveDefaults() {
  std::vector<CStringA> lines;
  for (INT_PTR i = 0; i < defaultComments_.GetSize(); ++i) lines.push_back(defaultComments_.GetAt(i));
  for (int row = 0; row < list_.GetItemCount(); ++row) {
    CStringA text = Converted(RowText(row, 0) + ":");
    if (text.Find("日期") < 0) text += RowText(row, 1);
    text.Trim();
    if (!text.IsEmpty()) lines.push_back(text);
  }
  WriteTabFileLines(GetSystemFilePath(kDefaultFile), lines);
}

void CAttribInfoDlg::MarkRowsChanged() {
  rowsChanged_ = 1;
  drawingChanged_ = 1;
}

CAttribInfoDlg::RowsByName CAttribInfoDlg::IndexRows() const {
  RowsByName rows;
  for (int row = 0; row < list_.GetItemCount(); ++row) rows.emplace(Key(Converted(RowText(row, 0))), row);
  return rows;
}

BOOL CAttribInfoDlg::AppendNameRow(const CStringA& name, RowsByName& rows) {
  const std::string key = Key(Converted(name));
  if (rows.count(key)) return FALSE;
  const int row = list_.InsertItem(list_.GetItemCount(), name);
  rows.emplace(key, row);
  list_.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
  MarkRowsChanged();
  return TRUE;
}

void CAttribInfoDlg::OnAddSelectedNames() {
  RowsByName rows = IndexRows();
  for (int i = 0; i < names_.GetCount(); ++i) {
    if (names_.GetSel(i) <= 0) continue;
    names_.SetSel(i, FALSE);
    CStringA name;
    names_.GetText(i, name);
    AppendNameRow(name, rows);
  }
}

void CAttribInfoDlg::OnNameDoubleClick() {
  const int i = names_.GetCaretIndex();
  if (i < 0 || i >= names_.GetCount()) return;
  CStringA name;
  names_.GetText(i, name);
  RowsByName rows = IndexRows();
  AppendNameRow(name, rows);
}

void CAttribInfoDlg::OnAddAllNames() {
  RowsByName rows = IndexRows();
  for (int i = 0; i < names_.GetCount(); ++i) {
    CStringA name;
    names_.GetText(i, name);
    AppendNameRow(name, rows);
  }
}

void CAttribInfoDlg::OnAddName() {
  CStringA typed;
  GetDlgItemText(kNameEdit, typed);
  typed = Converted(typed);
  if (!typed.IsEmpty()) {
    bool present = false;
    for (int j = 0; j < names_.GetCount() && !present; ++j) {
      CStringA shown;
      names_.GetText(j, shown);
      present = shown == typed;
    }
    if (!present) {
      names_.AddString(typed);
      namesChanged_ = 1;
    }
  }
  SetDlgItemText(kNameEdit, "");
  if (CWnd* edit = GetDlgItem(kNameEdit)) edit->SetFocus();
}

void CAttribInfoDlg::OnDeleteNames() {
  for (int i = names_.GetCount() - 1; i >= 0; --i) {
    if (names_.GetSel(i) <= 0) continue;
    names_.DeleteString(static_cast<UINT>(i));
    namesChanged_ = 1;
  }
}

void CAttribInfoDlg::OnAddRow() {
  const int row = list_.InsertItem(list_.GetItemCount(), " ");
  list_.EnsureVisible(row, FALSE);
  list_.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
  MarkRowsChanged();
}

void CAttribInfoDlg::OnDeleteRow() {
  const int row = list_.GetNextItem(-1, LVNI_SELECTED);
  if (row < 0) return;
  list_.DeleteItem(row);
  MarkRowsChanged();
  const int count = list_.GetItemCount();
  if (count > 0) list_.SetItemState(row < count ? row : count - 1, LVIS_SELECTED, LVIS_SELECTED);
}

void CAttribInfoDlg::OnClearRows() {
  if (list_.GetItemCount() == 0) return;
  list_.DeleteAllItems();
  MarkRowsChanged();
}

// ---- Template file.

void CAttribInfoDlg::OnLoadTemplate() {
  CFileDialog dlg(TRUE, "tab", templatePath_, OFN_HIDEREADONLY, kTemplateFilter, this);
  dlg.m_ofn.lpstrTitle = "取属性模板文件";
  if (dlg.DoModal() != IDOK) return;
  templatePath_ = CStringA(dlg.GetPathName());
  ReloadNames();
  namesChanged_ = 0;
}

void CAttribInfoDlg::OnSaveTemplateAs() {
  CFileDialog dlg(FALSE, "tab", templatePath_, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kTemplateFilter, this);
  dlg.m_ofn.lpstrTitle = "存属性模板文件";
  if (dlg.DoModal() != IDOK) return;
  templatePath_ = CStringA(dlg.GetPathName());
  WriteTemplate();
}

void CAttribInfoDlg::WriteTemplate() {
  std::vector<CStringA> lines;
  for (INT_PTR i = 0; i < templateComments_.GetSize(); ++i) lines.push_back(templateComments_.GetAt(i));
  for (int i = 0; i < names_.GetCount(); ++i) {
    CStringA name;
    names_.GetText(i, name);
    lines.push_back(name);
  }
  // Names that did not reach the file are still unsaved.
  if (WriteTabFileLines(templatePath_, lines)) namesChanged_ = 0;
}

// ---- Leaving.

void CAttribInfoDlg::CopySystemAttributes() {
  if (!view_) return;
  int first = -1;
  for (int i = 0; i < groups_.GetCount() && first < 0; ++i) {
    CStringA entry;
    groups_.GetLBText(i, entry);
    if (entry.Find(kSystemGroup) == 0) first = i;
  }
  if (first < 0) return;
  CStringA chosen;
  for (int i = first; i < groups_.GetCount(); ++i) {
    CStringA entry;
    groups_.GetLBText(i, entry);
    if (entry.Find(kSystemGroup) >= 0) chosen = entry;
  }
  CAttributeItemList* list = ItemListOf(chosen);
  if (!list) return;
  for (const CAttributeItem& item : std::vector<CAttributeItem>(list->Items()))
    SetDrawingAttribute(view_, item.name, "字符串", item.value, 1);
}

void CAttribInfoDlg::OnExit() {
  WriteProfileStringSetting("SystemSetting", "AttrNameFilePath", templatePath_);
  if (list_.IsListModified()) rowsChanged_ = 1;
  if (namesChanged_ || rowsChanged_) {
    if (ShowMessage("是否保存修改后的内容?", MB_YESNO | MB_ICONQUESTION) == IDYES) {
      if (namesChanged_) WriteTemplate();
      if (rowsChanged_) SaveAttributes();
    }
  }
  if (view_ && drawingChanged_) view_->SetDrawingModified(1);
  CopySystemAttributes();
  EndDialog(IDOK);
}
