// The table-structure dialog (template 140, "定义表结构"): one row of the
// editable list (child 1188) per column, with its name, data type, width
// and alignment. It loads and saves table-structure files (.def) and dBase
// tables (.dbf, through the data source), and leaves the structure in the
// caller's array. The readers of table files also make it, without showing
// it, for its field-line parsers.
#pragma once

#include "draft/host/EditListCtrl.h"
#include "draft/tables/FieldRecord.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"
#include "platform/ui/Dialog.h"

class CTableFrameDlg : public CDialog {
 public:
  enum { IDD = 140 };
  enum ControlId { kList = 1188, kOpenButton = 1189, kSaveButton = 1190 };
  // The caption's path is cut to this many bytes.
  static constexpr int kCaptionPathLimit = 33;

  // The path is the setting TableFrameSetting / TableFrameFilePath, or the
  // system file "Def\item.def" when that names no file.
  CTableFrameDlg(CFieldArray* structure, CWnd* parent);

  // The field-line rules of the table files; the quoted form appends to
  // the dialog's structure.
  BOOL ParseFieldLine(CFieldArray& fields, const CStringA& line);
  BOOL ParseQuotedFieldLine(const CStringA& line);
  // Loads the structure from the dialog's path, with the user's help for a
  // missing file (create it, choose another, or give up) and a file of the
  // wrong kind (choose another).
  BOOL LoadStructureFile();
  // Writes the header and the prepared lines to `path`; on success the path
  // is remembered in the settings.
  BOOL SaveStructureFile(const char* path);
  // The list from the structure, and the caption with the path.
  void FillList();
  // The structure and the prepared lines from the list.
  void BuildStructure();
  // A path longer than `limit` bytes as "..." and its tail, the tail
  // starting on a whole character.
  static void ShortenPath(CStringA& out, const char* path, int limit);

  const CStringA& GetPath() const { return path_; }
  void SetPath(const char* path) { path_ = path ? path : ""; }
  const CStringArray& GetPreparedLines() const { return lines_; }
  CEditListCtrl& GetList() { return list_; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnOpenFile();
  afx_msg void OnSaveFile();
  DECLARE_MESSAGE_MAP()

 private:
  // The open dialog; FALSE when cancelled.
  BOOL ChooseFileToOpen(const char* title);
  // Reads a .def file into the structure: 1 read, 0 failed, -1 of neither
  // kind (nothing parsed, the message shown).
  int ReadDefFile();
  // Writes the built structure to `path` by its extension; FALSE on failure.
  BOOL SaveByExtension(const CStringA& path);
  // The columns of a dBase table, and an empty dBase table made from the
  // structure (TableFrameDbf.cpp).
  BOOL LoadDbfStructure(const CStringA& path);
  BOOL SaveDbfStructure(const CStringA& path);
  void SetCaption(const char* title);

  CFieldArray* structure_;
  CStringArray lines_;
  CStringA path_;
  CStringA header_;
  CEditListCtrl list_;
};
