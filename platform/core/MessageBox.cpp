#include "platform/core/MessageBox.h"

#include <cstdio>

#include "platform/core/Charset.h"

namespace platform {
namespace {

MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}

int LogAndAnswer(const MessageBoxRequest& request) {
  int answer = DefaultMessageBoxAnswer(request.type);
  std::fprintf(stderr, "[message box] %s%s%s (answer %d)\n", Utf16ToUtf8(request.caption.str()).c_str(),
               request.caption.IsEmpty() ? "" : ": ", Utf16ToUtf8(request.text.str()).c_str(), answer);
  return answer;
}

}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  MessageBoxHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

int DefaultMessageBoxAnswer(UINT type) {
  int buttons[3] = {IDOK, IDOK, IDOK};
  int count = 1;
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      buttons[0] = IDOK, buttons[1] = IDCANCEL, count = 2;
      break;
    case MB_ABORTRETRYIGNORE:
      buttons[0] = IDABORT, buttons[1] = IDRETRY, buttons[2] = IDIGNORE, count = 3;
      break;
    case MB_YESNOCANCEL:
      buttons[0] = IDYES, buttons[1] = IDNO, buttons[2] = IDCANCEL, count = 3;
      break;
    case MB_YESNO:
      buttons[0] = IDYES, buttons[1] = IDNO, count = 2;
      break;
    case MB_RETRYCANCEL:
      buttons[0] = IDRETRY, buttons[1] = IDCANCEL, count = 2;
      break;
    default:
      break;
  }
  int index = static_cast<int>((type & MB_DEFMASK) >> 8);
  if (index >= count) index = 0;
  return buttons[index];
}

int ShowMessageBox(LPCWSTR text, LPCWSTR caption, UINT type, HWND owner) {
  MessageBoxRequest request{owner, CStringW(text), CStringW(caption), type};
  // A copy, so that a handler may replace itself while it runs.
  MessageBoxHandler handler = Handler();
  return handler ? handler(request) : LogAndAnswer(request);
}

}  // namespace platform

int AfxMessageBox(LPCWSTR text, UINT type, UINT) { return platform::ShowMessageBox(text, nullptr, type); }

int AfxMessageBox(LPCSTR text, UINT type, UINT helpId) {
  return AfxMessageBox(CStringW(text).GetString(), type, helpId);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId) {
  CStringW text;
  text.LoadString(promptId);
  return AfxMessageBox(text.GetString(), type, helpId);
}

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  return platform::ShowMessageBox(text, caption, type, owner);
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  return MessageBoxW(owner, CStringW(text).GetString(), CStringW(caption).GetString(), type);
}
