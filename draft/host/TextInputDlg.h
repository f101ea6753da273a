// Korrin's text dialog ("输入文本", or "修改文本" for an edit): one line of
// text and a "字体设置" button that edits the dialog's text attributes in the
// text-attribute dialog. The change flag is set when the attributes are
// changed there. After IDOK the caller reads the text, the attributes and
// the flag.
#pragma once

#include "draft/host/TextAttrib.h"
#include "platform/core/String.h"
#include "platform/ui/Dialog.h"

class CTextInputDlg : public CDialog {
 public:
  enum { IDD = 4656 };
  enum ControlId { kTextEdit = 1001, kFontButton = 1002 };

  // `flag` 1: a new text; 0: an edited one.
  CTextInputDlg(CWnd* parent, const char* text, int flag);

  // The attributes the font button starts from and the caller reads back.
  void SetTextAttrib(const CTextAttrib& attr) { attr_ = attr; }
  const CTextAttrib& GetTextAttrib() const { return attr_; }
  const CStringA& GetText() const { return text_; }
  int IsChanged() const { return changed_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void EditFont();
  DECLARE_MESSAGE_MAP()

 private:
  CStringA text_;
  int flag_;
  CTextAttrib attr_;
  int changed_ = 0;
};

// A new dialog for the caller, who runs it (with Korrin's resources current)
// and frees it with DestroyTextInputDlg.
CTextInputDlg* ConstructTextInputDlg(CWnd* parent, const char* text, int flag);
// Hands the dialog the attributes of the text it edits.
void SetTextInputMode(CTextInputDlg* dlg, const CTextAttrib& attr);
void DestroyTextInputDlg(CTextInputDlg* dlg);
