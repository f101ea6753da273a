#include "platform/ole/OleConvertDialog.h"

#include "platform/core/DialogTemplate.h"
#include "platform/ole/EmbeddableKind.h"
#include "platform/ole/OleClientItem.h"
#include "platform/ole/OleDialogIds.h"
#include "platform/ui/ListBox.h"

IMPLEMENT_DYNAMIC(COleConvertDialog, CCommonDialog)

COleConvertDialog::COleConvertDialog(COleClientItem* item, DWORD flags, CWnd* parent)
    : CCommonDialog(parent), m_dwFlags(flags), m_pItem(item) {}

INT_PTR COleConvertDialog::DoModal() {
  if (!m_pItem || m_pItem->IsBlank() || !platform::FindEmbeddableKind(m_pItem->GetClassName())) return IDCANCEL;
  using namespace platform::rc;
  platform::DialogTemplate form = Dialog(0, u"Convert", {0, 0, 220, 100})
                                      .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
                                      .LText(u"Current Type:", -1, {5, 5, 60, 8})
                                      .LText(u"", IDC_CV_OBJECTTYPE, {65, 5, 90, 8})
                                      .AutoRadioButton(u"&Convert to:", IDC_CV_CONVERTTO, {5, 20, 60, 10})
                                      .ListBox(IDC_CV_ACTIVATELIST, {65, 20, 90, 70}, WS_BORDER | WS_TABSTOP)
                                      .DefPushButton(u"OK", IDOK, {165, 5, 50, 14})
                                      .PushButton(u"Cancel", IDCANCEL, {165, 25, 50, 14});
  return RunModal(form, nullptr);
}

BOOL COleConvertDialog::OnInitDialog() {
  CCommonDialog::OnInitDialog();
  SetDlgItemText(IDC_CV_OBJECTTYPE, m_pItem->GetUserTypeName().GetString());
  CheckDlgButton(IDC_CV_CONVERTTO, BST_CHECKED);
  auto* list = static_cast<CListBox*>(GetDlgItem(IDC_CV_ACTIVATELIST));
  const platform::EmbeddableKind* own = platform::FindEmbeddableKind(m_pItem->GetClassName());
  list->SetItemData(list->AddString(own->GetUserTypeName()), reinterpret_cast<DWORD_PTR>(own));
  for (int i = 0; i < platform::GetEmbeddableKindCount(); ++i) {
    const platform::EmbeddableKind* kind = platform::GetEmbeddableKind(i);
    if (kind == own || !kind->NewContent()->Load(m_pItem->GetData())) continue;
    list->SetItemData(list->AddString(kind->GetUserTypeName()), reinterpret_cast<DWORD_PTR>(kind));
  }
  list->SetCurSel(0);
  return TRUE;
}

void COleConvertDialog::OnOK() {
  auto* list = static_cast<CListBox*>(GetDlgItem(IDC_CV_ACTIVATELIST));
  const int selected = list->GetCurSel();
  if (selected < 0) return;
  m_strClassName = reinterpret_cast<const platform::EmbeddableKind*>(list->GetItemData(selected))->GetClassName();
  EndDialog(IDOK);
}

BOOL COleConvertDialog::DoConvert(COleClientItem* item) {
  if (!item || m_strClassName.IsEmpty()) return FALSE;
  if (m_strClassName == item->GetClassName()) return TRUE;
  return item->ConvertTo(m_strClassName);
}
