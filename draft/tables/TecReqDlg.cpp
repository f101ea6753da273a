#include "draft/tables/TecReqDlg.h"

#include <algorithm>

#include "draft/framework/ResourceSwitch.h"
#include "draft/host/Settings.h"
#include "draft/host/SymbolMenuDlg.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TextBlockEntity.h"
#include "draft/tables/TecReqOptionDlg.h"
#include "draft/tables/TecReqText.h"
#include "draft/tables/TextTreeFile.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WindowApi.h"

namespace {
const char* const kSection = "SystemSetting";
const char* const kTecPathKey = "JshyqFilePath";
const char* const kLibPathKey = "JshyqLibFilePath";
const char* const kDefaultTitle = "技术要求";
const char* const kTreeTip = "双击目录树中的节点，对应的内容将添加到上面的编辑框中";
const char* const kNoText = "没有输入技术要求文本.";
const char* const kNoTecName = "没有输入技术要求文件名.";
const char* const kNoLibName = "没有输入技术要求库文件名.";
const char* const kLibraryModified = "当前技术要求库文件已被修改.\n要保存吗?";
const char* const kSaveChanged = "是否保存修改后的文件?";
const char* const kOpenFailed = "打开文件[%s]未能成功.";
const char* const kEmptyFile = "文件[%s]为空.";
constexpr int kMaxIndent = 255;

CStringA PathOrSystemFile(const char* key, const char* systemFile) {
  CStringA path = GetProfileStringSetting(kSection, key, "");
  if (path.IsEmpty() || !IsFileExist(path)) path = GetSystemFilePath(systemFile);
  return path;
}

void ShowPath(const char* format, const char* path) {
  CStringA message;
  message.Format(format, path);
  AfxMessageBox(message);
}

// The text after a leading "N." number and the blanks after it.
CStringA StripNumber(CStringA line) {
  if (TecItemNumber(line) > 0) line = line.Mid(line.Find('.') + 1);
  TrimBlanks(line);
  return line;
}
}  // namespace

CStringA GetTecFilePath() { return PathOrSystemFile(kTecPathKey, "Def\\jshyq.tec"); }
CStringA GetTecLibraryPath() { return PathOrSystemFile(kLibPathKey, "Def\\jshyq.jyk"); }

BEGIN_MESSAGE_MAP(CTecReqDlg, CBaseDialog)
ON_NOTIFY(NM_DBLCLK, CTecReqDlg::kLibraryTree, OnTreeDoubleClick)
ON_BN_CLICKED(CTecReqDlg::kAddToLibrary, AddSelectionToLibrary)
ON_BN_CLICKED(CTecReqDlg::kReadFile, ReadTecFileCmd)
ON_BN_CLICKED(CTecReqDlg::kWriteFile, WriteTecFileCmd)
ON_BN_CLICKED(CTecReqDlg::kClearItems, ClearItems)
ON_BN_CLICKED(CTecReqDlg::kDeleteQuotes, DeleteQuotes)
ON_BN_CLICKED(CTecReqDlg::kSymbol, InsertSymbol)
ON_BN_CLICKED(CTecReqDlg::kOptions, RunOptions)
ON_BN_CLICKED(CTecReqDlg::kOpenLibrary, OpenLibrary)
ON_BN_CLICKED(CTecReqDlg::kSaveLibrary, SaveLibrary)
END_MESSAGE_MAP()

CTecReqDlg::CTecReqDlg(const CEntity* block, CWnd* parent) : CBaseDialog(IDD, parent) {
  if (block && block->IsRequirementText()) {
    const auto* b = static_cast<const CTextBlockEntity*>(block);
    title_ = b->GetTitle();
    items_.Copy(b->GetItems());
  }
}

void CTecReqDlg::GetResult(CStringA& title, CStringArrayA& items) const {
  title = title_;
  items.Copy(items_);
}

CEdit* CTecReqDlg::ItemsEdit() { return static_cast<CEdit*>(GetDlgItem(kItemsEdit)); }

void CTecReqDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_Text(dx, kTitleEdit, title_);
}

BOOL CTecReqDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  tree_.SubclassDlgItem(kLibraryTree, this);
  tips_.Create(this);
  tips_.Activate(TRUE);
  tips_.SetTipBkColor(0);
  tips_.SetTipTextColor(0x00FF00);
  tips_.SetMaxTipWidth(180);
  tips_.AddTool(&tree_, kTreeTip);
  tecPath_ = GetTecFilePath();
  if (items_.GetSize() == 0) ReadTecFile(tecPath_, title_, items_);
  if (title_.IsEmpty()) title_ = kDefaultTitle;
  UpdateData(FALSE);
  ShowItems();
  if (CEdit* edit = ItemsEdit()) edit->SetModify(FALSE);
  libraryPath_ = GetTecLibraryPath();
  if (!libraryPath_.IsEmpty()) LoadLibrary(libraryPath_);
  libraryModified_ = FALSE;
  UpdateCaption();
  return TRUE;
}

void CTecReqDlg::UpdateCaption() { SetWindowText(CStringA("当前技术要求 (文件路径:") + tecPath_ + ")"); }

// ---- Items.

CStringA CTecReqDlg::ItemsEditText() {
  CStringA text;
  if (CEdit* edit = ItemsEdit()) edit->GetWindowText(text);
  return text;
}

void CTecReqDlg::ItemsEditLines(CStringArrayA& lines) {
  const CStringA text = ItemsEditText();
  int start = 0;
  while (start < text.GetLength()) {
    int end = text.Find('\n', start);
    if (end < 0) end = text.GetLength();
    lines.Add(text.Mid(start, end - start));
    start = end + 1;
  }
}

void CTecReqDlg::ShowItems() {
  if (CEdit* edit = ItemsEdit()) edit->SetWindowText(FormatTecItems(items_));
}

int CTecReqDlg::ParseItems() {
  if (GetSafeHwnd()) UpdateData(TRUE);
  TrimBlanks(title_);
  items_.RemoveAll();
  CStringArrayA lines;
  ItemsEditLines(lines);
  CTecItemCollector collector(items_);
  for (INT_PTR i = 0; i < lines.GetSize(); ++i) collector.AddLine(lines[i]);
  collector.Finish();
  return static_cast<int>(items_.GetSize());
}

void CTecReqDlg::AddLeafToItems(HTREEITEM item) {
  if (!item || tree_.ItemHasChildren(item)) return;
  ParseItems();
  CStringA text(tree_.GetItemText(item));
  items_.Add(text + "\r\n");
  ShowItems();
  CEdit* edit = ItemsEdit();
  if (!edit) return;
  edit->SetModify(TRUE);
  const int end = CStringW(ItemsEditText()).GetLength();
  edit->SetSel(end, end);
}

void CTecReqDlg::OnTreeDoubleClick(NMHDR*, LRESULT* result) {
  HTREEITEM item = tree_.GetSelectedItem();
  if (item && !tree_.ItemHasChildren(item)) {
    AddLeafToItems(item);
    *result = 1;
    return;
  }
  *result = 0;  // the tree opens or closes the item
}

void CTecReqDlg::AddSelectionToLibrary() {
  HTREEITEM parent = tree_.GetSelectedItem();
  CEdit* edit = ItemsEdit();
  if (!parent || !edit) return;
  int start = 0, end = 0;
  edit->GetSel(start, end);
  if (start == end) {
    AfxMessageBox("没有选中技术文本.");
    return;
  }
  CStringArrayA lines;
  ItemsEditLines(lines);
  const int first = edit->LineFromChar(start);
  const int last = edit->LineFromChar(std::max(start, end - 1));
  for (int i = first; i <= last && i < lines.GetSize(); ++i) {
    CStringA line = lines[i];
    TrimBlanks(line);
    line = StripNumber(line);
    if (!line.IsEmpty()) tree_.InsertItem(line, parent, TVI_LAST);
  }
  tree_.Expand(parent, TVE_EXPAND);
  tree_.SelectItem(parent);
  libraryModified_ = TRUE;
  edit->SetSel(start, end);
}

void CTecReqDlg::DeleteQuotes() {
  CEdit* edit = ItemsEdit();
  if (!edit) return;
  int start = 0, end = 0;
  edit->GetSel(start, end);
  if (start == end) {
    AfxMessageBox("只能在选定的文本中删除引号.");
    return;
  }
  // The edit's indexes count characters: the text is walked by character.
  const CStringW text(ItemsEditText());
  CStringW changed = text;
  bool any = false;
  for (int i = start; i < end && i < changed.GetLength(); ++i)
    if (changed[i] == u'"') {
      changed.SetAt(i, u' ');
      any = true;
    }
  if (any) {
    edit->SetWindowText(CStringA(changed));
    edit->SetModify(TRUE);
  }
  edit->SetSel(start, end);
  edit->ScrollCaret();
}

void CTecReqDlg::InsertSymbol() {
  CEdit* edit = ItemsEdit();
  if (!edit) return;
  POINT cursor{0, 0};
  ::GetCursorPos(&cursor);
  CStringA symbol;
  INT_PTR answer = IDCANCEL;
  {
    CResourceSwitch resources("Korrin.DLL");
    CSymbolMenuDlg* dialog = ConstructSymbolMenuDlg(0, this, CPoint(cursor.x, cursor.y));
    answer = dialog->DoModal();
    if (answer == IDOK) symbol = dialog->GetSymbolText();
    DestroySymbolMenuDlg(dialog);
  }
  if (answer != IDOK) return;
  edit->SetFocus();
  if (!CopyTextToClipboard(symbol, edit->GetSafeHwnd())) {
    AfxMessageBox("打开剪贴板未能成功.");
    return;
  }
  edit->SendMessage(WM_PASTE, 0, 0);
  edit->SetModify(TRUE);
}

void CTecReqDlg::ClearItems() {
  items_.RemoveAll();
  ShowItems();
  if (CEdit* edit = ItemsEdit()) edit->SetModify(TRUE);
}

void CTecReqDlg::RunOptions() {
  CTecReqOptionDlg dlg(this);
  dlg.DoModal();
}

// ---- Files.

int CTecReqDlg::AskSave(const char* question) { return AfxMessageBox(question, MB_YESNOCANCEL | MB_ICONQUESTION); }

bool CTecReqDlg::WriteTecTo(const char* path) {
  if (!WriteTecFile(path, title_, items_)) return false;
  tecPath_ = path;
  WriteProfileStringSetting(kSection, kTecPathKey, path);
  if (CEdit* edit = ItemsEdit()) edit->SetModify(FALSE);
  UpdateCaption();
  return true;
}

void CTecReqDlg::ReadTecFileCmd() {
  CEdit* edit = ItemsEdit();
  if (edit && edit->GetModify()) {
    const int answer = AskSave(kSaveChanged);
    if (answer == IDCANCEL) return;
    if (answer == IDYES) {
      ParseItems();
      if (!WriteTecTo(tecPath_)) return;
    }
  }
  const CStringA initial = GetProfileStringSetting(kSection, kTecPathKey, "*.tec");
  CFileDialog dialog(TRUE, "tec", initial, OFN_HIDEREADONLY,
                     "技术要求文件 (*.tec)|*.tec|所有文件 (*.*)|*.*|||", this);
  dialog.m_ofn.lpstrTitle = "技术要求文件";
  if (dialog.DoModal() != IDOK) return;
  const CStringA path(dialog.GetPathName());
  if (path.IsEmpty()) {
    AfxMessageBox(kNoTecName);
    return;
  }
  const CStringA oldTitle = title_;
  CStringArrayA read;
  title_.Empty();
  if (!ReadTecFile(path, title_, read)) {
    title_ = oldTitle;
    ShowPath(kOpenFailed, path);
    return;
  }
  items_.Copy(read);
  UpdateData(FALSE);
  ShowItems();
  tecPath_ = path;
  WriteProfileStringSetting(kSection, kTecPathKey, path);
  if (edit) edit->SetModify(FALSE);
  UpdateCaption();
}

void CTecReqDlg::WriteTecFileCmd() {
  if (ParseItems() == 0) {
    AfxMessageBox(kNoText);
    return;
  }
  CFileDialog dialog(FALSE, "tec", tecPath_, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "技术要求文件 (*.tec)|*.tec||",
                     this);
  dialog.m_ofn.lpstrTitle = "保存技术要求文件";
  if (dialog.DoModal() != IDOK) return;
  const CStringA path(dialog.GetPathName());
  if (path.IsEmpty()) {
    AfxMessageBox(kNoTecName);
    return;
  }
  WriteTecTo(path);
}

BOOL CTecReqDlg::LoadLibrary(const char* path) {
  CTextTreeFile file;
  if (!file.Read(path)) return FALSE;
  if (!file.GetRoot()) {
    ShowPath(kEmptyFile, path);
    return FALSE;
  }
  tree_.DeleteAllItems();
  // Each node's children under it, in file order; an explicit stack keeps a
  // deep library off the call stack.
  struct Pending {
    const CTextTreeFile::Node* node;
    HTREEITEM parent;
  };
  std::vector<Pending> pending{{file.GetRoot(), TVI_ROOT}};
  while (!pending.empty()) {
    Pending p = pending.back();
    pending.pop_back();
    for (const CTextTreeFile::Node* n = p.node; n; n = n->next) {
      HTREEITEM item = tree_.InsertItem(n->text, p.parent, TVI_LAST);
      if (n->child) pending.push_back({n->child, item});
    }
  }
  if (HTREEITEM first = tree_.GetRootItem()) {
    tree_.Expand(first, TVE_EXPAND);
    tree_.SelectItem(first);
  }
  return TRUE;
}

CStringA CTecReqDlg::FormatLibrary() const {
  std::string out;
  struct Frame {
    HTREEITEM item;
    int depth;
    bool closing;
  };
  std::vector<Frame> stack;
  if (HTREEITEM root = tree_.GetRootItem()) stack.push_back({root, 0, false});
  while (!stack.empty()) {
    const Frame f = stack.back();
    stack.pop_back();
    const std::string indent(static_cast<size_t>(std::min(f.depth, kMaxIndent)), ' ');
    if (f.closing) {
      out += indent + "}\r\n";
      continue;
    }
    out += indent + CStringA(tree_.GetItemText(f.item)).str() + "\r\n";
    if (HTREEITEM next = tree_.GetNextSiblingItem(f.item)) stack.push_back({next, f.depth, false});
    if (HTREEITEM child = tree_.GetChildItem(f.item)) {
      out += indent + "{\r\n";
      stack.push_back({nullptr, f.depth, true});
      stack.push_back({child, f.depth + 1, false});
    }
  }
  return CStringA(out.c_str());
}

BOOL CTecReqDlg::SaveLibraryFile(const char* path) { return ReplaceTextFileBytes(path, FormatLibrary()); }

void CTecReqDlg::OpenLibrary() {
  if (libraryModified_) {
    const int answer = AskSave(kLibraryModified);
    if (answer == IDCANCEL) return;
    if (answer == IDYES && !SaveLibraryFile(libraryPath_)) return;
  }
  const CStringA initial = GetProfileStringSetting(kSection, kLibPathKey, "*.jyk");
  CFileDialog dialog(TRUE, "jyk", initial, OFN_HIDEREADONLY,
                     "技术要求库文件(*.jyk)|*.jyk|所有文件(*.*)|*.*|||", this);
  dialog.m_ofn.lpstrTitle = "浏览技术要求库文件";
  if (dialog.DoModal() != IDOK) return;
  const CStringA path(dialog.GetPathName());
  if (path.IsEmpty()) {
    AfxMessageBox(kNoLibName);
    return;
  }
  if (!LoadLibrary(path)) return;
  libraryModified_ = FALSE;
  libraryPath_ = path;
  WriteProfileStringSetting(kSection, kLibPathKey, path);
}

void CTecReqDlg::SaveLibrary() {
  if (!tree_.GetRootItem()) {
    AfxMessageBox("没有在树视中输入文本.");
    return;
  }
  if (libraryPath_.IsEmpty()) libraryPath_ = GetProfileStringSetting(kSection, kLibPathKey, "temp.jyk");
  CFileDialog dialog(FALSE, "jyk", libraryPath_, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     "技术要求库文件 (*.jyk)|*.jyk|所有文件 (*.*)|*.*||", this);
  dialog.m_ofn.lpstrTitle = "保存技术要求库文件";
  if (dialog.DoModal() != IDOK) return;
  const CStringA path(dialog.GetPathName());
  if (path.IsEmpty()) {
    AfxMessageBox(kNoLibName);
    return;
  }
  if (!SaveLibraryFile(path)) return;
  libraryModified_ = FALSE;
  libraryPath_ = path;
  WriteProfileStringSetting(kSection, kLibPathKey, path);
}

// ---- Closing.

bool CTecReqDlg::CloseCheck() {
  CEdit* edit = ItemsEdit();
  const bool itemsModified = edit && edit->GetModify();
  if (!itemsModified && !libraryModified_) return true;
  const int answer = AskSave(kSaveChanged);
  if (answer == IDCANCEL) return false;
  if (answer == IDNO) return true;
  if (itemsModified && ParseItems() > 0 && !WriteTecTo(tecPath_)) return false;
  if (libraryModified_ && tree_.GetRootItem()) {
    if (!SaveLibraryFile(libraryPath_)) return false;
    libraryModified_ = FALSE;
  }
  return true;
}

void CTecReqDlg::OnOK() {
  // Enter on a library item with children opens or closes it.
  if (CWnd::GetFocus() == &tree_) {
    HTREEITEM item = tree_.GetSelectedItem();
    if (item && tree_.ItemHasChildren(item)) {
      tree_.Expand(item, TVE_TOGGLE);
      return;
    }
  }
  if (ParseItems() == 0) {
    AfxMessageBox(kNoText);
    return;
  }
  if (!CloseCheck()) return;
  EndDialog(IDOK);
}

void CTecReqDlg::OnCancel() {
  if (!CloseCheck()) return;
  EndDialog(IDCANCEL);
}
