// Message boxes go through one replaceable handler: a host shows them, a test
// records or answers them. Without a handler the text is written to the log
// (standard error, UTF-8) and the box's default button is the answer.
#pragma once

#include <functional>

#include "platform/core/String.h"
#include "platform/core/WinConstants.h"

namespace platform {

struct MessageBoxRequest {
  HWND owner = nullptr;
  CStringW text;
  CStringW caption;
  UINT type = MB_OK;
};

using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;

// Installs a handler and returns the one it replaces (empty for the default).
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The answer of the default button of a box of that type (IDOK, IDYES, ...).
int DefaultMessageBoxAnswer(UINT type);

// Shows a box through the installed handler.
int ShowMessageBox(LPCWSTR text, LPCWSTR caption, UINT type, HWND owner = nullptr);

// Installs a handler for the life of the object and restores the previous one.
class ScopedMessageBoxHandler {
 public:
  explicit ScopedMessageBoxHandler(MessageBoxHandler handler) : previous_(SetMessageBoxHandler(std::move(handler))) {}
  ~ScopedMessageBoxHandler() { SetMessageBoxHandler(std::move(previous_)); }
  ScopedMessageBoxHandler(const ScopedMessageBoxHandler&) = delete;
  ScopedMessageBoxHandler& operator=(const ScopedMessageBoxHandler&) = delete;

 private:
  MessageBoxHandler previous_;
};

}  // namespace platform

// The framework's message box: the caption is the application's name.
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);
// The text is the string resource `promptId`.
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = (UINT)-1);
// The Win32 message box with an owner window and a caption.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
