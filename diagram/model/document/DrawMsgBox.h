// The library's built-in message box: shows the texts of the library's
// string table in ordinary message boxes.
#pragma once

#include "diagram/model/document/MsgBox.h"

class CDrawMsgBox : public CMsgBox {
  DECLARE_DYNAMIC(CDrawMsgBox)

 public:
  explicit CDrawMsgBox(CMsgBox* replaced = nullptr) : CMsgBox(replaced) {}

  // The instance that the library installs when it loads.
  static CDrawMsgBox* GetInstance() { return &c_msgBoxCDrawMsgBox; }

  // Notification codes 1 to 32: shown with an OK button.
  int HandleNotify(ULONG code, LPCWSTR s1, LPCWSTR s2) override;
  // Question codes 1 to 7: asked with Yes and No buttons.
  int HandleConfirm(ULONG code, LPCWSTR s, int& answer) override;

  static CDrawMsgBox c_msgBoxCDrawMsgBox;

 private:
  // The code of the last notification shown (see HandleNotify).
  static ULONG c_lastNotifyCode;
};
