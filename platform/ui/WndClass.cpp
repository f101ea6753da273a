#include "platform/ui/WndClass.h"

#include <cstdio>
#include <map>
#include <mutex>
#include <string>

#include "platform/ui/WindowApi.h"

namespace {

struct Names {
  std::u16string wide;
  std::string narrow;
};

const Names& Register(UINT style, HCURSOR cursor, HBRUSH background, HICON icon) {
  static std::mutex mutex;
  static std::map<std::string, Names> classes;  // names live as long as the process
  char name[96];
  std::snprintf(name, sizeof name, "Afx:%x:%p:%p:%p", style, static_cast<void*>(cursor), static_cast<void*>(background),
                static_cast<void*>(icon));
  std::lock_guard lock(mutex);
  auto it = classes.find(name);
  if (it != classes.end()) return it->second;
  Names names{std::u16string(name, name + std::char_traits<char>::length(name)), name};
  WNDCLASSW wc{style, &DefWindowProcW, 0, 0, nullptr, icon, cursor, background, nullptr, names.wide.c_str()};
  RegisterClassW(&wc);
  return classes.emplace(name, std::move(names)).first->second;
}

}  // namespace

LPCWSTR AfxRegisterWndClassW(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
  return Register(classStyle, cursor, background, icon).wide.c_str();
}

LPCSTR AfxRegisterWndClassA(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
  return Register(classStyle, cursor, background, icon).narrow.c_str();
}
