#include "platform/ui/FileDialog.h"

#include "platform/core/FileAttributes.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/ComboBox.h"

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

namespace {

bool IsSeparator(WCHAR c) { return c == u'\\' || c == u'/'; }

int LastSeparator(const CStringW& path) {
  for (int i = path.GetLength() - 1; i >= 0; --i)
    if (IsSeparator(path[i])) return i;
  return -1;
}

bool IsAbsolute(const CStringW& path) {
  if (path.IsEmpty()) return false;
  if (IsSeparator(path[0])) return true;
  return path.GetLength() >= 2 && path[1] == u':';
}

bool HasWildcard(const CStringW& name) { return name.FindOneOf(u"*?") >= 0; }

CStringW Join(const CStringW& folder, const CStringW& name) {
  if (folder.IsEmpty() || IsAbsolute(name)) return name;
  WCHAR sep = folder.Find(u'\\') >= 0 || folder.Find(u'/') < 0 ? u'\\' : u'/';
  if (IsSeparator(folder[folder.GetLength() - 1])) return folder + name;
  return folder + sep + name;
}

// The extension of the last component, without the dot; empty for none.
CStringW ExtensionOf(const CStringW& path) {
  int slash = LastSeparator(path);
  int dot = path.ReverseFind(u'.');
  return dot > slash ? path.Mid(dot + 1) : CStringW();
}

// The names of an edit that may hold several quoted names.
std::vector<CStringW> SplitNames(const CStringW& text, bool multiple) {
  std::vector<CStringW> names;
  if (multiple && text.Find(u'"') >= 0) {
    int at = 0;
    while ((at = text.Find(u'"', at)) >= 0) {
      int end = text.Find(u'"', at + 1);
      if (end < 0) break;
      CStringW name = text.Mid(at + 1, end - at - 1);
      if (!name.IsEmpty()) names.push_back(name);
      at = end + 1;
    }
    return names;
  }
  CStringW name = text;
  name.Trim();
  if (!name.IsEmpty()) names.push_back(name);
  return names;
}

}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCWSTR defaultExt, LPCWSTR fileName, DWORD flags, LPCWSTR filter,
                         CWnd* parent)
    : CCommonDialog(parent), open_(openFileDialog != FALSE) {
  m_ofn.lStructSize = sizeof(OPENFILENAME);
  m_ofn.Flags = flags | OFN_EXPLORER;
  m_ofn.lpstrDefExt = defaultExt;
  m_ofn.lpstrFilter = filter;
  fileName_ = fileName ? fileName : u"";
  ParseFilter(CStringW(filter ? filter : u""));
}

void CFileDialog::ParseFilter(const CStringW& all) {
  // "Text (*.txt)|*.txt|All (*.*)|*.*||": pairs until an empty description.
  filters_.clear();
  int at = 0;
  while (at < all.GetLength()) {
    int bar = all.Find(u'|', at);
    if (bar < 0) break;
    CStringW description = all.Mid(at, bar - at);
    if (description.IsEmpty()) break;
    int next = all.Find(u'|', bar + 1);
    CStringW pattern = next < 0 ? all.Mid(bar + 1) : all.Mid(bar + 1, next - bar - 1);
    filters_.push_back(FilterEntry{description, pattern});
    if (next < 0) break;
    at = next + 1;
  }
}

CFileDialog::CFileDialog(BOOL openFileDialog, LPCSTR defaultExt, LPCSTR fileName, DWORD flags, LPCSTR filter,
                         CWnd* parent)
    : CFileDialog(openFileDialog, static_cast<LPCWSTR>(nullptr), static_cast<LPCWSTR>(nullptr), flags,
                  static_cast<LPCWSTR>(nullptr), parent) {
  m_ofn.lpstrDefExt = defaultExt;
  m_ofn.lpstrFilter = filter;
  ParseFilter(CStringW(filter ? filter : ""));
  fileName_ = CStringW(fileName ? fileName : "");
}

INT_PTR CFileDialog::DoModal() {
  CStringW title = m_ofn.lpstrTitle.Wide();
  if (title.IsEmpty()) title = open_ ? u"Open" : u"Save As";
  defaultExt_ = m_ofn.lpstrDefExt.Wide();
  // A default extension is written without its dot; one given with it
  // would otherwise double the dot.
  while (!defaultExt_.IsEmpty() && defaultExt_[0] == u'.') defaultExt_ = defaultExt_.Mid(1);
  chosen_.clear();
  using namespace platform::rc;
  platform::DialogTemplate form = Dialog(0, title.GetString(), {0, 0, 280, 52})
                                      .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
                                      .LText(u"File &name:", stc3, {5, 10, 50, 8})
                                      .EditText(edt1, {60, 8, 150, 14}, ES_AUTOHSCROLL | WS_TABSTOP)
                                      .LText(u"Files of &type:", stc2, {5, 30, 50, 8})
                                      .ComboBox(cmb1, {60, 28, 150, 100}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)
                                      .DefPushButton(open_ ? u"&Open" : u"&Save", IDOK, {220, 8, 50, 14})
                                      .PushButton(u"Cancel", IDCANCEL, {220, 28, 50, 14});
  return RunModal(form, nullptr);
}

BOOL CFileDialog::OnInitDialog() {
  CCommonDialog::OnInitDialog();
  CComboBox* types = static_cast<CComboBox*>(GetDlgItem(cmb1));
  for (const FilterEntry& f : filters_) types->AddString(f.description.GetString());
  int index = static_cast<int>(m_ofn.nFilterIndex);
  types->SetCurSel((index >= 1 && index <= static_cast<int>(filters_.size())) ? index - 1 : 0);
  // The initial name: its folder is where the dialog starts; a pattern is
  // not a name.
  int slash = LastSeparator(fileName_);
  CStringW name = slash >= 0 ? fileName_.Mid(slash + 1) : fileName_;
  SetDlgItemText(edt1, HasWildcard(name) ? u"" : name.GetString());
  return TRUE;
}

void CFileDialog::OnOK() {
  CStringW typed;
  GetDlgItemText(edt1, typed);
  std::vector<CStringW> names = SplitNames(typed, (m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0);
  if (names.empty()) return;
  if (names.size() == 1 && HasWildcard(names[0])) return;  // a pattern only changes the listing

  CStringW folder = m_ofn.lpstrInitialDir.Wide();
  int slash = LastSeparator(fileName_);
  if (slash >= 0) folder = fileName_.Left(slash);
  CStringW title;
  GetWindowText(title);

  std::vector<CStringW> paths;
  bool extensionDifferent = false;
  for (CStringW name : names) {
    if (ExtensionOf(name).IsEmpty() && !defaultExt_.IsEmpty()) name += u"." + defaultExt_;
    if (!defaultExt_.IsEmpty() && ExtensionOf(name).CompareNoCase(defaultExt_.GetString()) != 0)
      extensionDifferent = true;
    CStringW path = Join(folder, name);
    bool exists = GetFileAttributesW(path.GetString()) != INVALID_FILE_ATTRIBUTES;
    int cut = LastSeparator(path);
    CStringW parent = cut > 0 ? path.Left(cut) : CStringW();
    bool folderExists = parent.IsEmpty() || GetFileAttributesW(parent.GetString()) != INVALID_FILE_ATTRIBUTES;
    if ((m_ofn.Flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !folderExists) {
      platform::ShowMessageBox(
          (path + u"\nPath does not exist.\nPlease verify the correct path was given.").GetString(), title.GetString(),
          MB_OK | MB_ICONEXCLAMATION, m_hWnd);
      return;
    }
    if (open_ && !exists) {
      if (m_ofn.Flags & OFN_FILEMUSTEXIST) {
        platform::ShowMessageBox(
            (path + u"\nFile not found.\nPlease verify the correct file name was given.").GetString(),
            title.GetString(), MB_OK | MB_ICONEXCLAMATION, m_hWnd);
        return;
      }
      if ((m_ofn.Flags & OFN_CREATEPROMPT) &&
          platform::ShowMessageBox((path + u"\nThis file does not exist.\nDo you want to create it?").GetString(),
                                   title.GetString(), MB_YESNO | MB_ICONQUESTION, m_hWnd) != IDYES)
        return;
    }
    if (!open_ && exists && (m_ofn.Flags & OFN_OVERWRITEPROMPT) &&
        platform::ShowMessageBox((path + u" already exists.\nDo you want to replace it?").GetString(),
                                 title.GetString(), MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, m_hWnd) != IDYES)
      return;
    paths.push_back(path);
  }
  chosen_ = paths;
  CComboBox* types = static_cast<CComboBox*>(GetDlgItem(cmb1));
  m_ofn.nFilterIndex = filters_.empty() ? 0 : static_cast<DWORD>(types->GetCurSel() + 1);
  const CStringW& first = chosen_.front();
  m_ofn.nFileOffset = static_cast<WORD>(LastSeparator(first) + 1);
  int dot = first.ReverseFind(u'.');
  m_ofn.nFileExtension = static_cast<WORD>(dot > LastSeparator(first) ? dot + 1 : 0);
  if (extensionDifferent)
    m_ofn.Flags |= OFN_EXTENSIONDIFFERENT;
  else
    m_ofn.Flags &= ~static_cast<DWORD>(OFN_EXTENSIONDIFFERENT);
  EndDialog(IDOK);
}

CStringW CFileDialog::GetPathName() const { return chosen_.empty() ? CStringW() : chosen_.front(); }

CStringW CFileDialog::GetFileName() const {
  CStringW path = GetPathName();
  return path.Mid(LastSeparator(path) + 1);
}

CStringW CFileDialog::GetFileExt() const { return ExtensionOf(GetFileName()); }

CStringW CFileDialog::GetFileTitle() const {
  CStringW name = GetFileName();
  int dot = name.ReverseFind(u'.');
  return dot >= 0 ? name.Left(dot) : name;
}

CStringW CFileDialog::GetFolderPath() const {
  CStringW path = GetPathName();
  int slash = LastSeparator(path);
  return slash >= 0 ? path.Left(slash) : CStringW();
}

POSITION CFileDialog::GetStartPosition() const {
  return chosen_.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

CStringW CFileDialog::GetNextPathName(POSITION& pos) const {
  size_t index = static_cast<size_t>(reinterpret_cast<INT_PTR>(pos)) - 1;
  if (!pos || index >= chosen_.size()) {
    pos = nullptr;
    return CStringW();
  }
  pos = index + 1 < chosen_.size() ? reinterpret_cast<POSITION>(static_cast<INT_PTR>(index + 2)) : nullptr;
  return chosen_[index];
}
