#include "draft/construct/ChangeLayerDlg.h"

#include "draft/host/LayerTable.h"
#include "platform/ui/ComboBox.h"

CChangeLayerDlg::CChangeLayerDlg(BYTE layer, CLayerTable* table, CWnd* parent)
    : CDialog(IDD, parent), layer_(layer), table_(table) {}

BOOL CChangeLayerDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  auto* list = static_cast<CComboBox*>(GetDlgItem(kLayerList));
  if (!list || !table_) return TRUE;
  for (int layer = 0; layer < CLayerTable::kLayerCount; ++layer) {
    const CLayerRecord* record = table_->GetLayerRecord(layer);
    if (!record) continue;
    const int index = list->AddString(record->GetName().GetString());
    if (index < 0) continue;
    list->SetItemData(index, static_cast<DWORD_PTR>(layer));
    if (layer == layer_) list->SetCurSel(index);
  }
  return TRUE;
}

void CChangeLayerDlg::OnOK() {
  auto* list = static_cast<CComboBox*>(GetDlgItem(kLayerList));
  if (table_ && list) {
    const int index = list->GetCurSel();
    if (index >= 0) layer_ = static_cast<BYTE>(list->GetItemData(index));
  }
  EndDialog(IDOK);
}
