// A plain integer dialog (template 7260) for other modules: the caller sets
// the caption, the label and, when it wants one, a range that the value
// must lie in.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Static.h"

class CIntInputDlg : public CDialog {
 public:
  enum { IDD = 7260 };
  enum ControlId { kLabel = 11224, kValueEdit = 11225 };

  explicit CIntInputDlg(CWnd* parent = nullptr);

  // Shown as they are when the dialog opens, empty texts included.
  void SetCaption(const char* caption);
  void SetLabel(const char* label);
  // The range OK checks (the bounds in either order).
  void SetRange(int minimum, int maximum);
  // FALSE when no range was set.
  BOOL GetRange(int& minimum, int& maximum) const;

  int GetValue() const { return value_; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;

 private:
  CStatic labelCtrl_;
  int value_ = 0;
  CStringA caption_;
  CStringA label_;
  int hasRange_ = 0;
  int maximum_ = 0;
  int minimum_ = 0;
};
