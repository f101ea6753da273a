#include "platform/ui/CommonDialog.h"

#include "platform/core/Charset.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

namespace platform {

CStringW AnyText::Wide() const {
  if (!text_) return CStringW();
  if (wide_) return CStringW(static_cast<LPCWSTR>(text_));
  return CStringW(GbkToUtf16(static_cast<LPCSTR>(text_)).c_str());
}

}  // namespace platform
