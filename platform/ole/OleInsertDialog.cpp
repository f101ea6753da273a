#include "platform/ole/OleInsertDialog.h"

#include "platform/core/DialogTemplate.h"
#include "platform/core/MessageBox.h"
#include "platform/ole/EmbeddableKind.h"
#include "platform/ole/OleClientItem.h"
#include "platform/ole/OleDialogIds.h"
#include "platform/ui/ListBox.h"

IMPLEMENT_DYNAMIC(COleInsertDialog, CCommonDialog)

COleInsertDialog::COleInsertDialog(DWORD flags, CWnd* parent) : CCommonDialog(parent) {
  m_io.cbStruct = sizeof(OLEUIINSERTOBJECT);
  m_io.dwFlags = flags;
}

INT_PTR COleInsertDialog::DoModal() {
  using namespace platform::rc;
  platform::DialogTemplate form =
      Dialog(0, u"Insert Object", {0, 0, 250, 120})
          .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
          .AutoRadioButton(u"Create &New", IDC_IO_CREATENEW, {5, 10, 70, 10}, WS_GROUP | WS_TABSTOP)
          .AutoRadioButton(u"Create from &File", IDC_IO_CREATEFROMFILE, {5, 25, 70, 10})
          .LText(u"Object &Type:", -1, {80, 5, 100, 8})
          .ListBox(IDC_IO_OBJECTTYPELIST, {80, 15, 110, 50}, WS_BORDER | WS_VSCROLL | WS_TABSTOP)
          .LText(u"F&ile:", -1, {80, 70, 30, 8})
          .EditText(IDC_IO_FILEDISPLAY, {80, 80, 110, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
          .AutoCheckBox(u"&Link", IDC_IO_LINKFILE, {80, 97, 60, 10}, WS_TABSTOP)
          .DefPushButton(u"OK", IDOK, {195, 5, 50, 14})
          .PushButton(u"Cancel", IDCANCEL, {195, 25, 50, 14});
  return RunModal(form, nullptr);
}

BOOL COleInsertDialog::OnInitDialog() {
  CCommonDialog::OnInitDialog();
  auto* list = static_cast<CListBox*>(GetDlgItem(IDC_IO_OBJECTTYPELIST));
  for (int i = 0; i < platform::GetEmbeddableKindCount(); ++i) {
    const int at = list->AddString(platform::GetEmbeddableKind(i)->GetUserTypeName());
    list->SetItemData(at, static_cast<DWORD_PTR>(i));
  }
  if (list->GetCount() > 0) list->SetCurSel(0);
  const bool fromFile = (m_io.dwFlags & IOF_SELECTCREATEFROMFILE) != 0;
  CheckRadioButton(IDC_IO_CREATENEW, IDC_IO_CREATEFROMFILE, fromFile ? IDC_IO_CREATEFROMFILE : IDC_IO_CREATENEW);
  CheckDlgButton(IDC_IO_LINKFILE, (m_io.dwFlags & IOF_CHECKLINK) ? BST_CHECKED : BST_UNCHECKED);
  if (m_io.dwFlags & IOF_DISABLELINK) {
    CheckDlgButton(IDC_IO_LINKFILE, BST_UNCHECKED);
    GetDlgItem(IDC_IO_LINKFILE)->EnableWindow(FALSE);
  }
  return TRUE;
}

void COleInsertDialog::OnOK() {
  const bool fromFile = IsDlgButtonChecked(IDC_IO_CREATEFROMFILE) == BST_CHECKED;
  if (fromFile) {
    CStringW path;
    GetDlgItem(IDC_IO_FILEDISPLAY)->GetWindowText(path);
    path.Trim();
    if (path.IsEmpty()) {
      platform::ShowMessageBox(u"Enter the name of a file.", u"Insert Object", MB_OK | MB_ICONEXCLAMATION, m_hWnd);
      GetDlgItem(IDC_IO_FILEDISPLAY)->SetFocus();
      return;
    }
    m_strPathName = path;
    m_strClassName.Empty();
  } else {
    auto* list = static_cast<CListBox*>(GetDlgItem(IDC_IO_OBJECTTYPELIST));
    const int selected = list->GetCurSel();
    const platform::EmbeddableKind* kind =
        selected < 0 ? nullptr : platform::GetEmbeddableKind(static_cast<int>(list->GetItemData(selected)));
    if (!kind) {
      platform::ShowMessageBox(u"Choose an object type.", u"Insert Object", MB_OK | MB_ICONEXCLAMATION, m_hWnd);
      return;
    }
    m_strClassName = kind->GetClassName();
    m_strPathName.Empty();
  }
  m_io.dwFlags &= ~(IOF_SELECTCREATENEW | IOF_SELECTCREATEFROMFILE | IOF_CHECKLINK);
  m_io.dwFlags |= fromFile ? IOF_SELECTCREATEFROMFILE : IOF_SELECTCREATENEW;
  if (fromFile && !(m_io.dwFlags & IOF_DISABLELINK) && IsDlgButtonChecked(IDC_IO_LINKFILE) == BST_CHECKED)
    m_io.dwFlags |= IOF_CHECKLINK;
  EndDialog(IDOK);
}

UINT COleInsertDialog::GetSelectionType() const {
  if (m_io.dwFlags & IOF_SELECTCREATEFROMFILE) return (m_io.dwFlags & IOF_CHECKLINK) ? linkToFile : insertFromFile;
  return createNewItem;
}

BOOL COleInsertDialog::CreateItem(COleClientItem* item) {
  if (!item) return FALSE;
  BOOL made = FALSE;
  switch (GetSelectionType()) {
    case createNewItem: made = item->CreateNewItem(m_strClassName); break;
    case insertFromFile: made = item->CreateFromFile(m_strPathName.GetString()); break;
    case linkToFile: made = item->CreateLinkFromFile(m_strPathName.GetString()); break;
    default: break;
  }
  if (made) item->SetDrawAspect(GetDrawAspect());
  return made;
}
