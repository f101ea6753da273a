// Korrin's special-symbol dialog (template 4650 in "Korrin.DLL", caption
// "特殊字符"): a list of symbols, one chosen with OK or a double click. Mode 1
// offers the symbols of dimension texts, any other mode the general ones.
// The dialog opens with its top left corner at the position it is given (in
// screen coordinates). A caller runs it within a resource switch to
// "Korrin.DLL" and reads the chosen symbol after IDOK.
#pragma once

#include <vector>

#include "platform/core/Geometry.h"
#include "platform/core/String.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"

class CSymbolMenuDlg : public CDialog {
 public:
  enum { IDD = 4650 };
  enum ControlId { kSymbolList = 1000 };

  CSymbolMenuDlg(int mode, CWnd* parent, CPoint position);

  // The symbols the mode offers, in list order.
  static std::vector<CStringA> SymbolsOf(int mode);
  // The chosen symbol (empty until OK).
  const CStringA& GetSymbolText() const { return symbol_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnSymbolDoubleClick();
  DECLARE_MESSAGE_MAP()

 private:
  int mode_;
  CPoint position_;
  CListBox list_;
  CStringA symbol_;
};

// A new symbol dialog for the caller, who runs it and frees it with
// DestroySymbolMenuDlg.
CSymbolMenuDlg* ConstructSymbolMenuDlg(int mode, CWnd* parent, CPoint position);
void DestroySymbolMenuDlg(CSymbolMenuDlg* dlg);
