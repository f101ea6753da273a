#include "platform/ole/OlePropertiesDialog.h"

#include "platform/core/DialogTemplate.h"
#include "platform/core/MessageBox.h"
#include "platform/ole/OleClientItem.h"
#include "platform/ole/OleDialogIds.h"

IMPLEMENT_DYNAMIC(COlePropertiesDialog, CCommonDialog)

COlePropertiesDialog::COlePropertiesDialog(COleClientItem* item, UINT scaleMin, UINT scaleMax, CWnd* parent)
    : CCommonDialog(parent), m_pItem(item), m_nScaleMin(scaleMin), m_nScaleMax(scaleMax) {}

INT_PTR COlePropertiesDialog::DoModal() {
  if (!m_pItem || m_pItem->IsBlank()) return IDCANCEL;
  using namespace platform::rc;
  platform::DialogTemplate form = Dialog(0, u"Object Properties", {0, 0, 230, 80})
                                      .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
                                      .LText(u"Type:", -1, {5, 5, 40, 8})
                                      .LText(u"", IDC_GP_OBJECTTYPE, {50, 5, 110, 8})
                                      .LText(u"Size:", -1, {5, 18, 40, 8})
                                      .LText(u"", IDC_GP_OBJECTSIZE, {50, 18, 110, 8})
                                      .LText(u"Location:", -1, {5, 31, 40, 8})
                                      .LText(u"", IDC_GP_OBJECTLOCATION, {50, 31, 110, 8})
                                      .LText(u"&Scale (%):", -1, {5, 46, 40, 8})
                                      .EditText(IDC_VP_SCALETXT, {50, 44, 40, 12}, ES_NUMBER | WS_TABSTOP)
                                      .DefPushButton(u"OK", IDOK, {175, 5, 50, 14})
                                      .PushButton(u"Cancel", IDCANCEL, {175, 25, 50, 14});
  return RunModal(form, nullptr);
}

BOOL COlePropertiesDialog::OnInitDialog() {
  CCommonDialog::OnInitDialog();
  SetDlgItemText(IDC_GP_OBJECTTYPE, m_pItem->GetUserTypeName().GetString());
  CSize extent;
  CStringW size(u"Unknown");
  if (m_pItem->GetExtent(&extent)) size.Format(u"%d.%02d x %d.%02d cm", extent.cx / 1000, extent.cx % 1000 / 10,
                                               extent.cy / 1000, extent.cy % 1000 / 10);
  SetDlgItemText(IDC_GP_OBJECTSIZE, size.GetString());
  SetDlgItemText(IDC_GP_OBJECTLOCATION,
                 m_pItem->GetType() == OT_LINK ? m_pItem->GetLinkPath().GetString() : u"Embedded");
  SetDlgItemInt(IDC_VP_SCALETXT, static_cast<UINT>(m_nScale), FALSE);
  return TRUE;
}

void COlePropertiesDialog::OnOK() {
  BOOL ok = FALSE;
  const UINT scale = GetDlgItemInt(IDC_VP_SCALETXT, &ok, FALSE);
  if (!ok || scale < m_nScaleMin || scale > m_nScaleMax) {
    CStringW text;
    text.Format(u"Enter a scale between %u and %u percent.", m_nScaleMin, m_nScaleMax);
    platform::ShowMessageBox(text.GetString(), u"Object Properties", MB_OK | MB_ICONEXCLAMATION, m_hWnd);
    GetDlgItem(IDC_VP_SCALETXT)->SetFocus();
    return;
  }
  if (static_cast<int>(scale) != m_nScale) {
    m_nScale = static_cast<int>(scale);
    OnApplyScale(m_pItem, m_nScale, TRUE);
  }
  EndDialog(IDOK);
}

BOOL COlePropertiesDialog::OnApplyScale(COleClientItem*, int, BOOL) { return FALSE; }
