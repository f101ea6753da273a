#include "platform/ole/OlePasteAsDialog.h"

#include "platform/core/DialogTemplate.h"
#include "platform/ole/OleClientItem.h"
#include "platform/ole/OleDialogIds.h"
#include "platform/ole/OleItemFormats.h"
#include "platform/ole/PictureFormat.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/MessageMap.h"

IMPLEMENT_DYNAMIC(COlePasteSpecialDialog, CCommonDialog)

BEGIN_MESSAGE_MAP(COlePasteSpecialDialog, CCommonDialog)
  ON_BN_CLICKED(IDC_PS_PASTE, OnPaste)
  ON_BN_CLICKED(IDC_PS_PASTELINK, OnPasteLink)
END_MESSAGE_MAP()

COlePasteSpecialDialog::COlePasteSpecialDialog(DWORD flags, COleDataObject* data, CWnd* parent)
    : CCommonDialog(parent), m_dwFlags(flags), m_pData(data) {}

COleDataObject* COlePasteSpecialDialog::Data() {
  if (m_pData) return m_pData;
  if (!m_clipboard.GetIDataObject()) m_clipboard.AttachClipboard();
  return &m_clipboard;
}

void COlePasteSpecialDialog::AddStandardFormats(BOOL enableLink) {
  m_entries.push_back({u"Embedded Object", platform::EmbedSourceClipboardFormat(), pasteNormal});
  m_entries.push_back({u"Unformatted Text", CF_UNICODETEXT, pasteNormal});
  m_entries.push_back({u"Picture", platform::PictureClipboardFormat(), pasteStatic});
  if (enableLink) m_entries.push_back({u"Linked File", platform::LinkSourceClipboardFormat(), pasteLink});
}

INT_PTR COlePasteSpecialDialog::DoModal() {
  COleDataObject* data = Data();
  bool any = false;
  for (const Entry& entry : m_entries) any = any || data->IsDataAvailable(static_cast<CLIPFORMAT>(entry.format));
  if (!any) return IDCANCEL;
  using namespace platform::rc;
  platform::DialogTemplate form =
      Dialog(0, u"Paste Special", {0, 0, 230, 100})
          .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
          .AutoRadioButton(u"&Paste", IDC_PS_PASTE, {5, 10, 60, 10}, WS_GROUP | WS_TABSTOP)
          .AutoRadioButton(u"Paste &Link", IDC_PS_PASTELINK, {5, 25, 60, 10})
          .LText(u"&As:", -1, {70, 5, 40, 8})
          .ListBox(IDC_PS_DISPLAYLIST, {70, 15, 95, 70}, WS_BORDER | WS_VSCROLL | WS_TABSTOP)
          .DefPushButton(u"OK", IDOK, {175, 5, 50, 14})
          .PushButton(u"Cancel", IDCANCEL, {175, 25, 50, 14});
  return RunModal(form, nullptr);
}

void COlePasteSpecialDialog::FillList(bool link) {
  auto* list = static_cast<CListBox*>(GetDlgItem(IDC_PS_DISPLAYLIST));
  list->ResetContent();
  m_shown.clear();
  COleDataObject* data = Data();
  for (const Entry& entry : m_entries) {
    if ((entry.selection == pasteLink) != link || !data->IsDataAvailable(static_cast<CLIPFORMAT>(entry.format)))
      continue;
    list->SetItemData(list->AddString(entry.name.GetString()), m_shown.size());
    m_shown.push_back(&entry);
  }
  if (!m_shown.empty()) list->SetCurSel(0);
}

BOOL COlePasteSpecialDialog::OnInitDialog() {
  CCommonDialog::OnInitDialog();
  bool linkOffered = false;
  for (const Entry& entry : m_entries) {
    if (entry.selection == pasteLink && Data()->IsDataAvailable(static_cast<CLIPFORMAT>(entry.format)))
      linkOffered = true;
  }
  GetDlgItem(IDC_PS_PASTELINK)->EnableWindow(linkOffered);
  const bool link = linkOffered && (m_dwFlags & PSF_SELECTPASTELINK);
  CheckRadioButton(IDC_PS_PASTE, IDC_PS_PASTELINK, link ? IDC_PS_PASTELINK : IDC_PS_PASTE);
  FillList(link);
  return TRUE;
}

void COlePasteSpecialDialog::OnPaste() { FillList(false); }

void COlePasteSpecialDialog::OnPasteLink() { FillList(true); }

void COlePasteSpecialDialog::OnOK() {
  auto* list = static_cast<CListBox*>(GetDlgItem(IDC_PS_DISPLAYLIST));
  const int selected = list->GetCurSel();
  if (selected < 0) return;
  m_nSelection = m_shown[list->GetItemData(selected)]->selection;
  m_dwFlags &= ~(PSF_SELECTPASTE | PSF_SELECTPASTELINK);
  m_dwFlags |= m_nSelection == pasteLink ? PSF_SELECTPASTELINK : PSF_SELECTPASTE;
  EndDialog(IDOK);
}

BOOL COlePasteSpecialDialog::CreateItem(COleClientItem* item) {
  if (!item) return FALSE;
  switch (m_nSelection) {
    case pasteLink: return item->CreateLinkFromData(Data());
    case pasteStatic: return item->CreateStaticFromData(Data());
    case pasteNormal: return item->CreateFromData(Data());
    default: return FALSE;
  }
}
