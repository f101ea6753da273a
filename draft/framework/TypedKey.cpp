#include "draft/framework/TypedKey.h"

#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/Wnd.h"

CStringA TypedKeyText(UINT ch) {
  if (ch == 0 || ch >= 0x80) return CStringA();
  return CStringA(static_cast<char>(ch));
}

bool StartEditWithTypedKey(CWnd& dialog, int editId, UINT ch) {
  const CStringA text = TypedKeyText(ch);
  if (text.IsEmpty()) return false;
  HWND edit = nullptr;
  dialog.GetDlgItem(editId, &edit);
  if (!edit) return false;
  dialog.SetDlgItemText(editId, text.GetString());
  ::SetFocus(edit);
  const auto end = static_cast<WPARAM>(text.GetLength());
  ::SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
  return true;
}
