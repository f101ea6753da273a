// COlePasteSpecialDialog: chooses how the data on the clipboard (or given
// data) are pasted as an OLE item. "Paste" (IDC_PS_PASTE) lists the formats
// offered that make an item (IDC_PS_DISPLAYLIST): an embedded object
// ("Embed Source"), text (a note) and a picture (a static picture); "Paste
// Link" (IDC_PS_PASTELINK) the linked file ("Link Source"). The standard
// formats are these (AddStandardFormats); CreateItem makes the chosen one.
#pragma once

#include <vector>

#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleItemTypes.h"
#include "platform/ui/CommonDialog.h"

class COleClientItem;

class COlePasteSpecialDialog : public CCommonDialog {
  DECLARE_DYNAMIC(COlePasteSpecialDialog)

 public:
  enum Selection { pasteLink = 1, pasteNormal = 2, pasteOther = 3, pasteStatic = 4 };

  // Without `data` the dialog reads the clipboard when it runs.
  explicit COlePasteSpecialDialog(DWORD flags = PSF_SELECTPASTE, COleDataObject* data = nullptr,
                                  CWnd* parent = nullptr);

  DWORD m_dwFlags;

  void AddStandardFormats(BOOL enableLink = TRUE);
  // IDCANCEL without running when none of the formats is offered.
  INT_PTR DoModal() override;
  // What the user chose; valid after IDOK.
  UINT GetSelectionType() const { return m_nSelection; }
  DVASPECT GetDrawAspect() const { return DVASPECT_CONTENT; }
  // Makes the chosen item from the data; FALSE when it cannot be made.
  BOOL CreateItem(COleClientItem* item);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnPaste();
  afx_msg void OnPasteLink();
  DECLARE_MESSAGE_MAP()

 private:
  struct Entry {
    CStringW name;
    UINT format;
    UINT selection;
  };
  COleDataObject* Data();
  // Lists the offered entries of the mode (link or not).
  void FillList(bool link);

  COleDataObject* m_pData;
  COleDataObject m_clipboard;
  std::vector<Entry> m_entries;
  std::vector<const Entry*> m_shown;
  UINT m_nSelection = 0;
};
