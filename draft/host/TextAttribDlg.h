// Korrin's text-attribute dialog ("字体设置"): the height, width factor,
// angle (degrees) and slant of a text attribute. It edits its own copy of the
// attribute it is given; after IDOK the caller reads the edited one.
#pragma once

#include "draft/host/TextAttrib.h"
#include "platform/ui/Dialog.h"

class CTextAttribDlg : public CDialog {
 public:
  enum { IDD = 4654 };
  enum ControlId { kHeightEdit = 1001, kWidthEdit = 1002, kAngleEdit = 1003, kSlantEdit = 1004 };

  CTextAttribDlg(CWnd* source, const CTextAttrib& attr);

  const CTextAttrib& GetTextAttrib() const { return attr_; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  CTextAttrib attr_;
  double height_, width_, angle_, slant_;
};

// A new dialog for the caller (who runs it modally and frees it with
// DestroyTextAttribDialog), editing `attr` or, for null, the default
// attribute.
CTextAttribDlg* ConstructTextAttribDialog(CWnd* source, const CTextAttrib* attr = nullptr);
void DestroyTextAttribDialog(CTextAttribDlg* dlg);
