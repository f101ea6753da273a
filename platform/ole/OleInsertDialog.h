// COleInsertDialog: the insert-object dialog. The user chooses "Create New"
// (IDC_IO_CREATENEW) and a kind from the list (IDC_IO_OBJECTTYPELIST, the
// registered embeddable kinds by the names users see), or "Create from
// File" (IDC_IO_CREATEFROMFILE) with a path (IDC_IO_FILEDISPLAY) and,
// unless IOF_DISABLELINK, "Link" (IDC_IO_LINKFILE). The flags IOF_... of
// m_io.dwFlags choose the starting state and, after IDOK, say what was
// chosen; CreateItem then makes the item.
#pragma once

#include "platform/ole/OleItemTypes.h"
#include "platform/ui/CommonDialog.h"

class COleClientItem;

struct OLEUIINSERTOBJECT {
  DWORD cbStruct;
  DWORD dwFlags;
};

class COleInsertDialog : public CCommonDialog {
  DECLARE_DYNAMIC(COleInsertDialog)

 public:
  enum Selection { createNewItem = 0, insertFromFile = 1, linkToFile = 2 };

  explicit COleInsertDialog(DWORD flags = IOF_SELECTCREATENEW, CWnd* parent = nullptr);

  OLEUIINSERTOBJECT m_io{};

  INT_PTR DoModal() override;
  // What the user chose; valid after IDOK.
  UINT GetSelectionType() const;
  // The chosen kind's class name (a new item) and the chosen file.
  const CStringW& GetClassName() const { return m_strClassName; }
  const CStringW& GetPathName() const { return m_strPathName; }
  DVASPECT GetDrawAspect() const { return DVASPECT_CONTENT; }
  // Makes the item that the user chose, from the empty state; FALSE when
  // it cannot be made (a file that is missing or of no kind, a kind that
  // cannot read it).
  BOOL CreateItem(COleClientItem* item);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CStringW m_strClassName;
  CStringW m_strPathName;
};
