#include "draft/host/BaseDialog.h"

#include <algorithm>
#include <string>

#include "platform/core/String.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WindowApi.h"

BEGIN_MESSAGE_MAP(CBaseDialog, CDialog)
  ON_WM_RBUTTONUP()
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

CBaseDialog::CBaseDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CBaseDialog::~CBaseDialog() = default;

BOOL CBaseDialog::OnInitDialog() { return CDialog::OnInitDialog(); }

void CBaseDialog::OnRButtonUp(UINT, CPoint) { OnCancel(); }

BOOL CBaseDialog::OnToolTipText(UINT, NMHDR* header, LRESULT* result) {
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
  UINT_PTR id = header->idFrom;
  if (info->uFlags & TTF_IDISHWND) id = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(id)));
  std::u16string text;
  if (id == 0 || !platform::LoadStringResource(static_cast<UINT>(id), text)) return FALSE;
  const size_t lineBreak = text.find(u'\n');
  if (lineBreak != std::u16string::npos) text = text.substr(lineBreak + 1);
  const size_t n = std::min(text.size(), std::size(info->szText) - 1);
  std::copy_n(text.data(), n, info->szText);
  info->szText[n] = 0;
  info->lpszText = info->szText;
  if (result) *result = 0;
  return TRUE;
}
