// COleConvertDialog: changes the kind of an item. The list
// (IDC_CV_ACTIVATELIST) holds the registered kinds that can read the item's
// object, its own kind first and selected; DoConvert makes the item an
// object of the chosen kind (CF_SELECTCONVERTTO; activating as another
// kind is not offered).
#pragma once

#include "platform/ole/OleItemTypes.h"
#include "platform/ui/CommonDialog.h"

class COleClientItem;

class COleConvertDialog : public CCommonDialog {
  DECLARE_DYNAMIC(COleConvertDialog)

 public:
  explicit COleConvertDialog(COleClientItem* item, DWORD flags = CF_SELECTCONVERTTO, CWnd* parent = nullptr);

  DWORD m_dwFlags;

  // IDCANCEL without running for an item that is empty or of no known
  // kind.
  INT_PTR DoModal() override;
  // The chosen kind's class name; valid after IDOK.
  const CStringW& GetClassName() const { return m_strClassName; }
  // Converts the item to the chosen kind; TRUE when it now is of it.
  BOOL DoConvert(COleClientItem* item);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  COleClientItem* m_pItem;
  CStringW m_strClassName;
};
