// The file open and save dialog. The user (the modal driver) types a name
// into the file-name edit (edt1) and may choose a filter in the file-type
// combo box (cmb1), then presses OK. The dialog then does what the system's
// does: a name without an extension gets the default extension; with
// OFN_FILEMUSTEXIST a missing file is refused with a message; with
// OFN_OVERWRITEPROMPT saving over an existing file asks first; with
// OFN_ALLOWMULTISELECT several quoted names may be given. A name is taken
// relative to the initial folder. nFilterIndex (1-based) chooses the filter
// shown first and gives back the one chosen.
#pragma once

#include <vector>

#include "platform/ui/CommDlg.h"
#include "platform/ui/CommonDialog.h"

// The file dialog's record. The texts take GBK or UTF-16; the chosen names
// come from GetPathName and the others.
struct OPENFILENAME {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  platform::AnyText lpstrFilter;
  DWORD nFilterIndex;
  platform::AnyText lpstrInitialDir;
  platform::AnyText lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  platform::AnyText lpstrDefExt;
  LPARAM lCustData;
};
typedef OPENFILENAME OPENFILENAMEW;
typedef OPENFILENAME OPENFILENAMEA;

class CFileDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFileDialog)

 public:
  CFileDialog(BOOL openFileDialog, LPCWSTR defaultExt = nullptr, LPCWSTR fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR filter = nullptr, CWnd* parent = nullptr);
  CFileDialog(BOOL openFileDialog, LPCSTR defaultExt, LPCSTR fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR filter = nullptr, CWnd* parent = nullptr);

  OPENFILENAME m_ofn{};

  INT_PTR DoModal() override;

  // The chosen file (the first of several): full path, name, extension,
  // name without extension.
  CStringW GetPathName() const;
  CStringW GetFileName() const;
  CStringW GetFileExt() const;
  CStringW GetFileTitle() const;
  CStringW GetFolderPath() const;
  // Each chosen file, with OFN_ALLOWMULTISELECT.
  POSITION GetStartPosition() const;
  CStringW GetNextPathName(POSITION& pos) const;
  BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  struct FilterEntry {
    CStringW description;
    CStringW pattern;
  };
  void ParseFilter(const CStringW& filter);
  bool open_;
  std::vector<FilterEntry> filters_;
  CStringW fileName_;
  CStringW defaultExt_;
  std::vector<CStringW> chosen_;  // full paths
};
