// The print and print-setup dialogs, over the drawing layer's printers
// (platform/gdi/PdfPrinter.h). With PD_RETURNDEFAULT the dialog shows
// nothing and gives the default printer's device mode and names. Otherwise
// the modal driver fills it in: the setup form has the orientation radios
// (rad1 portrait, rad2 landscape) and the paper combo box (cmb2); the print
// form the range radios (rad1 all, rad2 selection, rad3 pages), the page
// edits (edt1 from, edt2 to) and the copies edit (edt3). OK writes the
// choices into the device mode; with PD_RETURNDC a printer DC is made.
//
// As with the framework, the device-mode and names blocks belong to the
// caller (or to the application after SelectPrinter), and so does the DC.
#pragma once

#include "platform/gdi/GdiTypes.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/CommonDialog.h"

class CPrintDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CPrintDialog)

 public:
  explicit CPrintDialog(BOOL printSetupOnly,
                        DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                      PD_NOSELECTION,
                        CWnd* parent = nullptr);

 private:
  PRINTDLG m_pdActual{};

 public:
  PRINTDLG& m_pd = m_pdActual;

  INT_PTR DoModal() override;
  // The default printer without showing anything.
  BOOL GetDefaults();
  // The device mode (locked in its block), or null.
  DEVMODEW* GetDevMode() const;
  CStringW GetDriverName() const;
  CStringW GetDeviceName() const;
  CStringW GetPortName() const;
  HDC GetPrinterDC() const { return m_pd.hDC; }
  // A DC of the chosen printer, which the caller deletes.
  HDC CreatePrinterDC();
  int GetCopies() const;
  BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
  BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
  BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
  int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
  int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  bool FillDefaults();
  bool setupOnly_;
};
