#include "platform/core/Registry.h"

#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/core/Charset.h"

namespace {

struct Value {
  DWORD type = REG_NONE;
  std::u16string text;
  DWORD number = 0;
};

struct RegistryState {
  std::mutex mutex;
  std::map<std::u16string, std::map<std::u16string, Value>> keys;  // by folded full path
  std::unordered_map<uintptr_t, std::u16string> open;              // handle -> folded full path
  uintptr_t next = 0x30010;
};

RegistryState& State() {
  static RegistryState state;
  return state;
}

std::u16string Fold(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& c : folded)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return folded;
}

// The root's name, or empty for a handle that is no root.
std::u16string RootPath(HKEY key) {
  if (key == HKEY_CLASSES_ROOT) return u"HKEY_CLASSES_ROOT";
  if (key == HKEY_CURRENT_USER) return u"HKEY_CURRENT_USER";
  if (key == HKEY_LOCAL_MACHINE) return u"HKEY_LOCAL_MACHINE";
  if (key == HKEY_USERS) return u"HKEY_USERS";
  return std::u16string();
}

bool IsRoot(const std::u16string& path) { return path.find(u'\\') == std::u16string::npos; }

// `base` and the parts of `sub`, folded, with empty parts dropped.
std::u16string Join(std::u16string base, std::u16string_view sub) {
  size_t start = 0;
  while (start <= sub.size()) {
    size_t end = sub.find(u'\\', start);
    if (end == std::u16string_view::npos) end = sub.size();
    if (end > start) base += u"\\" + Fold(sub.substr(start, end - start));
    start = end + 1;
  }
  return base;
}

// The path a handle names (locked by the caller); empty when unknown.
std::u16string PathOf(RegistryState& s, HKEY key) {
  std::u16string root = RootPath(key);
  if (!root.empty()) return root;
  auto it = s.open.find(reinterpret_cast<uintptr_t>(key));
  return it == s.open.end() ? std::u16string() : it->second;
}

void Store(HKEY root, LPCWSTR keyPath, LPCWSTR name, Value value) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  const std::u16string base = RootPath(root);
  if (base.empty()) return;
  const std::u16string path = Join(base, keyPath ? keyPath : u"");
  // The key and every key above it exist from now on.
  for (size_t at = path.find(u'\\'); at != std::u16string::npos; at = path.find(u'\\', at + 1))
    s.keys.try_emplace(path.substr(0, at));
  s.keys[path][Fold(name ? name : u"")] = std::move(value);
}

// Copies `bytes` out as RegQueryValueEx does.
LSTATUS Give(const void* bytes, DWORD length, DWORD type, DWORD* typeOut, BYTE* data, DWORD* size) {
  if (typeOut) *typeOut = type;
  if (!size) return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
  if (!data) {
    *size = length;
    return ERROR_SUCCESS;
  }
  const DWORD room = *size;
  *size = length;
  if (room < length) return ERROR_MORE_DATA;
  std::memcpy(data, bytes, length);
  return ERROR_SUCCESS;
}

LSTATUS Open(HKEY key, std::u16string_view subKey, REGSAM desired, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  auto& s = State();
  std::lock_guard lock(s.mutex);
  const std::u16string base = PathOf(s, key);
  if (base.empty()) return ERROR_INVALID_HANDLE;
  if (!IsRoot(base) && !s.keys.count(base)) return ERROR_KEY_DELETED;
  const std::u16string path = Join(base, subKey);
  if (!IsRoot(path) && !s.keys.count(path)) return ERROR_FILE_NOT_FOUND;
  if (desired & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
  const uintptr_t handle = (s.next += 4);
  s.open[handle] = path;
  *result = reinterpret_cast<HKEY>(handle);
  return ERROR_SUCCESS;
}

// The value, copied out under the lock; an error when missing.
LSTATUS Find(HKEY key, std::u16string_view name, Value* out) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  const std::u16string path = PathOf(s, key);
  if (path.empty()) return ERROR_INVALID_HANDLE;
  auto k = s.keys.find(path);
  if (k == s.keys.end()) return IsRoot(path) ? ERROR_FILE_NOT_FOUND : ERROR_KEY_DELETED;
  auto v = k->second.find(Fold(name));
  if (v == k->second.end()) return ERROR_FILE_NOT_FOUND;
  *out = v->second;
  return ERROR_SUCCESS;
}

}  // namespace

LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM desired, PHKEY result) {
  return Open(key, subKey ? std::u16string_view(subKey) : std::u16string_view(), desired, result);
}

LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM desired, PHKEY result) {
  const std::u16string wide = subKey ? platform::GbkToUtf16(subKey) : std::u16string();
  return Open(key, wide, desired, result);
}

LSTATUS RegQueryValueExW(HKEY key, LPCWSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size) {
  if (reserved) return ERROR_INVALID_PARAMETER;
  Value value;
  if (LSTATUS status = Find(key, name ? name : u"", &value)) return status;
  if (value.type == REG_DWORD) return Give(&value.number, sizeof(DWORD), REG_DWORD, type, data, size);
  return Give(value.text.c_str(), static_cast<DWORD>((value.text.size() + 1) * sizeof(char16_t)), value.type, type,
              data, size);
}

LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size) {
  if (reserved) return ERROR_INVALID_PARAMETER;
  Value value;
  const std::u16string wide = name ? platform::GbkToUtf16(name) : std::u16string();
  if (LSTATUS status = Find(key, wide, &value)) return status;
  if (value.type == REG_DWORD) return Give(&value.number, sizeof(DWORD), REG_DWORD, type, data, size);
  const std::string text = platform::Utf16ToGbk(value.text);
  return Give(text.c_str(), static_cast<DWORD>(text.size() + 1), value.type, type, data, size);
}

LSTATUS RegCloseKey(HKEY key) {
  if (!RootPath(key).empty()) return ERROR_SUCCESS;
  auto& s = State();
  std::lock_guard lock(s.mutex);
  return s.open.erase(reinterpret_cast<uintptr_t>(key)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

namespace platform {

void SetRegistryString(HKEY root, LPCWSTR keyPath, LPCWSTR name, LPCWSTR value) {
  Value v;
  v.type = REG_SZ;
  v.text = value ? value : u"";
  Store(root, keyPath, name, std::move(v));
}

void SetRegistryDword(HKEY root, LPCWSTR keyPath, LPCWSTR name, DWORD value) {
  Value v;
  v.type = REG_DWORD;
  v.number = value;
  Store(root, keyPath, name, std::move(v));
}

void ClearRegistry() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  s.keys.clear();
}

}  // namespace platform
