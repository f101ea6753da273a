// The common dialogs (file open and save, colour): dialogs of the system,
// here made from templates held in memory and run like any modal dialog, so
// that the modal driver fills them in as a user would.
//
// Their text fields (titles, filters, folders) take GBK or UTF-16 text, so
// that one class serves both builds; the results are UTF-16 strings, which a
// CStringA takes as GBK.
#pragma once

#include "platform/ui/Dialog.h"

namespace platform {

// A text given in either form, kept as given (the pointer must live as long
// as the dialog uses it, as with the framework's records).
class AnyText {
 public:
  AnyText() = default;
  AnyText(std::nullptr_t) {}
  AnyText(LPCSTR text) : text_(text), wide_(false) {}
  AnyText(LPCWSTR text) : text_(text), wide_(true) {}
  explicit operator bool() const { return text_ != nullptr; }
  // The text as UTF-16 (empty for none).
  CStringW Wide() const;

 private:
  const void* text_ = nullptr;
  bool wide_ = false;
};

}  // namespace platform

class CCommonDialog : public CDialog {
  DECLARE_DYNAMIC(CCommonDialog)

 public:
  explicit CCommonDialog(CWnd* parent) { m_pParentWnd = parent; }
};
