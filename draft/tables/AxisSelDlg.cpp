#include "draft/tables/AxisSelDlg.h"

#include "draft/host/LayerTable.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"

namespace {
constexpr int kTypeButtons[8] = {406, 407, 408, 409, 415, 416, 417, 418};
constexpr int kTypeBitmaps[8] = {652, 653, 654, 655, 659, 660, 661, 662};
constexpr int kOfferedKinds[5] = {1, 2, 5, 6, 8};
constexpr int kThinIndex = 1;
}  // namespace

int CAxisSelDlg::GetTypeButton(int type) { return type >= 0 && type < 8 ? kTypeButtons[type] : 0; }
int CAxisSelDlg::GetTypeBitmap(int type) { return type >= 0 && type < 8 ? kTypeBitmaps[type] : 0; }

int CAxisSelDlg::GetLineKindIndex(int layer) {
  for (int i = 0; i < 5; ++i)
    if (GetLineKindLayer(kOfferedKinds[i]) == layer) return i;
  return kThinIndex;
}

int CAxisSelDlg::GetLineKindLayerOf(int index) {
  return GetLineKindLayer(kOfferedKinds[index >= 0 && index < 5 ? index : kThinIndex]);
}

CAxisSelDlg::CAxisSelDlg(const TendonGraphSettings& settings, CWnd* parent) : CDialog(IDD, parent), settings_(settings) {}

BOOL CAxisSelDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (int type = 0; type < 8; ++type) {
    auto* button = static_cast<CButton*>(GetDlgItem(kTypeButtons[type]));
    if (!button) continue;
    if (pictures_[type].LoadBitmap(kTypeBitmaps[type])) button->SetBitmap(pictures_[type]);
    button->SetCheck(type == settings_.axisType ? BST_CHECKED : BST_UNCHECKED);
  }
  if (auto* kinds = static_cast<CComboBox*>(GetDlgItem(kLineKind))) kinds->SetCurSel(GetLineKindIndex(settings_.lineLayer));
  CheckRadioButton(kHorizontal, kVertical, settings_.direction == 1 ? kVertical : kHorizontal);
  const int mirror = settings_.distribution == 0 ? kMirrorHorizontal : settings_.distribution == 1 ? kMirrorVertical : kNoMirror;
  CheckRadioButton(kMirrorHorizontal, kNoMirror, mirror);
  CheckDlgButton(kClosed, settings_.closed ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

void CAxisSelDlg::OnOK() {
  for (int type = 0; type < 8; ++type)
    if (IsDlgButtonChecked(kTypeButtons[type]) == BST_CHECKED) settings_.axisType = type;
  if (auto* kinds = static_cast<CComboBox*>(GetDlgItem(kLineKind))) settings_.lineLayer = GetLineKindLayerOf(kinds->GetCurSel());
  settings_.direction = IsDlgButtonChecked(kVertical) == BST_CHECKED ? 1 : 0;
  settings_.distribution = IsDlgButtonChecked(kMirrorHorizontal) == BST_CHECKED ? 0
                           : IsDlgButtonChecked(kMirrorVertical) == BST_CHECKED ? 1
                                                                                 : 2;
  settings_.closed = IsDlgButtonChecked(kClosed) == BST_CHECKED ? 1 : 0;
  CDialog::OnOK();
}
