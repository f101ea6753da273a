// Window classes registered by the framework for its own windows: one class
// per combination of class style, cursor, background brush and icon, made
// on first use and named after them.
#pragma once

#include "platform/core/WinTypes.h"

// The name of a registered class (UTF-16 and GBK forms; the name is ASCII).
LPCWSTR AfxRegisterWndClassW(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                             HICON icon = nullptr);
LPCSTR AfxRegisterWndClassA(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);
// The form of the calling translation unit.
static inline LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                          HICON icon = nullptr) {
#if defined(UNICODE) || defined(_UNICODE)
  return AfxRegisterWndClassW(classStyle, cursor, background, icon);
#else
  return AfxRegisterWndClassA(classStyle, cursor, background, icon);
#endif
}
