// The technical-requirements editor (template 267, "技术要求"): a title, the
// numbered items in a multi-line edit, and a library of reusable texts (a
// .jyk tree) from which a double-clicked leaf joins the items. The items
// are read from and written to .tec files (TecReqText.h); the library is
// read with CTextTreeFile and written as an indented brace tree. Both files
// are replaced whole: a failed write keeps the old file.
#pragma once

#include "draft/host/BaseDialog.h"
// LoadLibrary is a macro of the platform: the member is named through it in
// every unit that sees this header.
#include "platform/core/DynamicLibrary.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/TreeCtrl.h"

class CEntity;

class CTecReqDlg : public CBaseDialog {
 public:
  enum { IDD = 267 };
  enum ControlId {
    kTitleEdit = 1019,
    kItemsEdit = 61562,
    kLibraryTree = 1016,
    kAddToLibrary = 1286,
    kReadFile = 61557,
    kWriteFile = 61553,
    kClearItems = 2274,
    kDeleteQuotes = 686,
    kSymbol = 1312,
    kOptions = 1022,
    kOpenLibrary = 61559,
    kSaveLibrary = 61560,
  };

  // `block`, a requirement text block or null, gives the first title and items.
  CTecReqDlg(const CEntity* block, CWnd* parent);

  // After DoModal: the title and the items.
  void GetResult(CStringA& title, CStringArrayA& items) const;

  // ---- The steps the buttons run (public for the command and its tests).
  // Reads the items edit into the items (the title trimmed); their count.
  int ParseItems();
  // Shows the items in the items edit.
  void ShowItems();
  BOOL LoadLibrary(const char* path);
  BOOL SaveLibraryFile(const char* path);
  // The library tree as .jyk text.
  CStringA FormatLibrary() const;
  void AddLeafToItems(HTREEITEM item);
  void AddSelectionToLibrary();
  void DeleteQuotes();
  void InsertSymbol();
  void ReadTecFileCmd();
  void WriteTecFileCmd();
  void OpenLibrary();
  void SaveLibrary();
  void ClearItems();
  void RunOptions();
  const CStringA& GetTecPath() const { return tecPath_; }
  const CStringA& GetLibraryPath() const { return libraryPath_; }
  BOOL IsLibraryModified() const { return libraryModified_; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;
  void OnCancel() override;
  afx_msg void OnTreeDoubleClick(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()

 private:
  CEdit* ItemsEdit();
  // The save question: IDYES, IDNO or IDCANCEL.
  int AskSave(const char* question);
  // Nonzero when the dialog may close (the close check).
  bool CloseCheck();
  bool WriteTecTo(const char* path);
  void UpdateCaption();
  CStringA ItemsEditText();
  // The lines of the items edit, whole.
  void ItemsEditLines(CStringArrayA& lines);

  CStringA title_;
  CStringArrayA items_;
  CStringA tecPath_;
  CStringA libraryPath_;
  BOOL libraryModified_ = FALSE;
  CTreeCtrl tree_;
  CToolTipCtrl tips_;
};

// The .tec file the dialog starts with: the setting "JshyqFilePath", or
// the system file "Def\jshyq.tec" when it is empty or names no file.
CStringA GetTecFilePath();
// The library likewise ("JshyqLibFilePath", "Def\jshyq.jyk").
CStringA GetTecLibraryPath();
