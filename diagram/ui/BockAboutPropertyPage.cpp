#include "diagram/ui/BockAboutPropertyPage.h"

#include "diagram/model/blocks/AboutItem.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/MsgBox.h"
#include "platform/ole/OleConvertDialog.h"
#include "platform/ui/MessageMap.h"

IMPLEMENT_DYNAMIC(CBockAboutPropertyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CBockAboutPropertyPage, CPropertyPage)
  ON_BN_CLICKED(CBockAboutPropertyPage::kCreateButton, OnCreate)
  ON_BN_CLICKED(CBockAboutPropertyPage::kEditButton, OnEdit)
  ON_BN_CLICKED(CBockAboutPropertyPage::kDeleteButton, OnDelete)
  ON_BN_CLICKED(CBockAboutPropertyPage::kConvertButton, OnConvert)
END_MESSAGE_MAP()

CBockAboutPropertyPage::CBockAboutPropertyPage(CDrawBlock* block) : CPropertyPage(IDD), m_pBlock(block) {}

BOOL CBockAboutPropertyPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  if (!m_pBlock || !m_pBlock->IsAboutAllowed()) {
    // A block without descriptions has nothing for this page to do.
    if (CWnd* sheet = GetParent()) sheet->PostMessage(WM_COMMAND, IDCANCEL, 0);
    return TRUE;
  }
  UpdateButtons();
  return TRUE;
}

void CBockAboutPropertyPage::UpdateButtons() {
  const BOOL has = m_pBlock && m_pBlock->GetAboutItem() != nullptr;
  GetDlgItem(kCreateButton)->EnableWindow(!has);
  GetDlgItem(kEditButton)->EnableWindow(has);
  GetDlgItem(kDeleteButton)->EnableWindow(has);
  GetDlgItem(kConvertButton)->EnableWindow(has);
}

void CBockAboutPropertyPage::OnCreate() {
  m_pBlock->OpenAbout(0);
  UpdateButtons();
}

void CBockAboutPropertyPage::OnEdit() {
  m_pBlock->OpenAbout(0);
  UpdateButtons();
}

void CBockAboutPropertyPage::OnDelete() {
  if (m_pBlock->GetAboutItem() && CMsgBox::Confirm(2)) m_pBlock->DeleteAbout();
  UpdateButtons();
}

void CBockAboutPropertyPage::OnConvert() {
  if (CAboutItem* item = m_pBlock->GetAboutItem()) {
    COleConvertDialog dialog(item, CF_SELECTCONVERTTO | CF_DISABLEDISPLAYASICON | CF_HIDECHANGEICON, this);
    if (dialog.DoModal() == IDOK && dialog.DoConvert(item)) {
      if (CDiagram* diagram = m_pBlock->GetDiagram()) diagram->SetModifiedFlag(TRUE);
    }
  }
  UpdateButtons();
}
