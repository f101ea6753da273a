#include "draft/host/ResultListDlg.h"

#include <algorithm>
#include <cmath>

#include "draft/host/HostResources.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/ListCtrl.h"

namespace {
// Pixels per character of the dialog font (the template's 9-point face).
constexpr int kCharWidth = 7;

platform::DialogTemplate BuildTemplate() {
  using namespace platform::rc;
  return Dialog(kResultListTemplate, "结果", {0, 0, 180, 150})
      .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
      .Font(9, "宋体")
      .Control("", kResultListControl, WC_LISTVIEWW,
               LVS_REPORT | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP | WS_VISIBLE | WS_CHILD, {7, 7, 166, 112})
      .DefPushButton("确定", IDOK, {65, 128, 50, 14}, WS_TABSTOP);
}
}  // namespace

CResultListDlg::CResultListDlg(CWnd* parent, const CStringArray& labels, const CStringArray& values, int left,
                               int top, double sizeFactor, const char* caption, int selectedRow, int labelWidth)
    : CBaseDialog(kResultListTemplate, parent),
      left_(left),
      top_(top),
      sizeFactor_(sizeFactor > 0 && std::isfinite(sizeFactor) ? sizeFactor : 1.0),
      caption_(caption ? caption : ""),
      selectedRow_(selectedRow),
      labelWidth_(std::max(1, labelWidth)) {
  EnsureHostDialogTemplate(u"Korrin.DLL", kResultListTemplate, &BuildTemplate);
  for (INT_PTR i = 0; i < labels.GetSize(); ++i) {
    labels_.Add(labels.GetAt(i));
    values_.Add(i < values.GetSize() ? values.GetAt(i) : CString());
  }
}

BOOL CResultListDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  if (!caption_.IsEmpty()) SetWindowText(caption_);
  CRect frame;
  GetWindowRect(&frame);
  const int width = static_cast<int>(std::lround(frame.Width() * sizeFactor_));
  const int height = static_cast<int>(std::lround(frame.Height() * sizeFactor_));
  if (left_ == 0 && top_ == 0) {
    MoveWindow(frame.left, frame.top, width, height);
    CenterWindow();
  } else {
    CPoint at(left_, top_);
    if (CWnd* parent = GetParent()) parent->ClientToScreen(&at);
    MoveWindow(at.x, at.y, width, height);
  }
  auto* list = static_cast<CListCtrl*>(GetDlgItem(kResultListControl));
  if (list) {
    list->SetExtendedStyle(LVS_EX_FULLROWSELECT);
    list->InsertColumn(0, "项目", LVCFMT_LEFT, labelWidth_ * kCharWidth);
    list->InsertColumn(1, "数值", LVCFMT_RIGHT, std::max(1, m_valueWidth) * kCharWidth);
    for (int row = 0; row < GetRowCount(); ++row) {
      list->InsertItem(row, static_cast<const char*>(labels_.GetAt(row)));
      list->SetItemText(row, 1, static_cast<const char*>(values_.GetAt(row)));
    }
    if (selectedRow_ >= 0 && selectedRow_ < GetRowCount())
      list->SetItemState(selectedRow_, LVIS_SELECTED, LVIS_SELECTED);
  }
  return TRUE;
}

CResultListDlg* ConstructResultListDlg(CWnd* parent, const CStringArray& labels, const CStringArray& values, int left,
                                       int top, double sizeFactor, const char* caption, int selectedRow,
                                       int labelWidth) {
  return new CResultListDlg(parent, labels, values, left, top, sizeFactor, caption, selectedRow, labelWidth);
}

void DestroyResultListDlg(CResultListDlg* dialog) { delete dialog; }
