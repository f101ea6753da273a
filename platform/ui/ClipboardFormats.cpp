#include "platform/ui/ClipboardFormats.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/String.h"

namespace {

constexpr UINT kFirstFormat = 0xC000;
constexpr UINT kLastFormat = 0xFFFF;

struct Registry {
  std::mutex mutex;
  std::vector<std::u16string> names;  // format kFirstFormat + i
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

bool SameName(const std::u16string& a, const std::u16string& b) {
  return CStringW(a.c_str()).CompareNoCase(b.c_str()) == 0;
}

int CopyOut(const std::u16string& name, LPWSTR buffer, int size) {
  if (!buffer || size <= 0) return 0;
  const int n = std::min(static_cast<int>(name.size()), size - 1);
  std::copy(name.begin(), name.begin() + n, buffer);
  buffer[n] = 0;
  return n;
}

}  // namespace

UINT RegisterClipboardFormatW(LPCWSTR name) {
  if (!name || !*name) return 0;
  const std::u16string wanted(name);
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  for (size_t i = 0; i < r.names.size(); ++i) {
    if (SameName(r.names[i], wanted)) return kFirstFormat + static_cast<UINT>(i);
  }
  if (kFirstFormat + r.names.size() > kLastFormat) return 0;
  r.names.push_back(wanted);
  return kFirstFormat + static_cast<UINT>(r.names.size() - 1);
}

UINT RegisterClipboardFormatA(LPCSTR name) {
  if (!name || !*name) return 0;
  return RegisterClipboardFormatW(CStringW(name));
}

int GetClipboardFormatNameW(UINT format, LPWSTR buffer, int size) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  if (format < kFirstFormat || format - kFirstFormat >= r.names.size()) return 0;
  return CopyOut(r.names[format - kFirstFormat], buffer, size);
}

int GetClipboardFormatNameA(UINT format, LPSTR buffer, int size) {
  if (!buffer || size <= 0) return 0;
  std::vector<WCHAR> wide(1024);
  if (GetClipboardFormatNameW(format, wide.data(), static_cast<int>(wide.size())) == 0) return 0;
  const CStringA narrow(wide.data());
  const int n = std::min(narrow.GetLength(), size - 1);
  std::copy(narrow.GetString(), narrow.GetString() + n, buffer);
  buffer[n] = 0;
  return n;
}
