// The attribute dialog (template 5001, "属性信息"): the name/value rows of a
// group's or the drawing's attributes and the list of known attribute names
// kept in a template file. Its line reader ReadTabFile is the reader of the
// system's ".Tab" text files: table dialogs and the equation table make the
// dialog with its parent-only constructor, read through it and destroy it
// without showing it.
//
// A tab file is a text file (GBK, CR LF or LF line ends) of one entry a
// line: empty lines are skipped, a line whose first character is ';' is a
// comment, every other line an entry, each kept whole (no trimming) in file
// order.
#pragma once

#include "platform/core/String.h"
#include "platform/core/StringArray.h"
#include "platform/ui/Dialog.h"

class CDraftView;
class CDrawingGroup;

class CAttribInfoDlg : public CDialog {
 public:
  enum { IDD = 5001 };

  // The reader's constructor, for objects that only call ReadTabFile: no
  // entry text, view or group. The template path is the one kept under
  // "SystemSetting"/"AttrNameFilePath", or the system path of
  // "Def\Attribute.Tab" when that is empty or names no file.
  explicit CAttribInfoDlg(CWnd* parent);

  // Reads the tab file at `path`: the entries empty first, the comments once
  // the file is open; then every non-empty line, in file order, into the
  // comments (first character ';') or the entries. A file that cannot be
  // opened or read is reported (ReportFileException); what was read stays.
  void ReadTabFile(const CStringA& path, CStringArrayA& entries, CStringArrayA& comments);

  const CStringA& GetTemplatePath() const { return templatePath_; }

 private:
  CStringA entryText_;
  CStringA templatePath_;
  CDraftView* view_ = nullptr;
  CDrawingGroup* group_ = nullptr;
};
