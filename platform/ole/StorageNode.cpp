#include "platform/ole/StorageNode.h"

#include <glib.h>

#include <algorithm>
#include <chrono>

namespace platform {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

char16_t UpperUnit(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
  if (IsHighSurrogate(c) || IsLowSurrogate(c)) return c;
  gunichar upper = g_unichar_toupper(c);
  // A letter whose capital lies outside the basic plane keeps its own unit.
  return upper <= 0xFFFF ? static_cast<char16_t>(upper) : c;
}

auto NameLess() {
  return [](const std::unique_ptr<StorageNode>& node, std::u16string_view name) {
    return CompareElementNames(node->name, name) < 0;
  };
}

}  // namespace

bool IsValidElementName(std::u16string_view name) {
  if (name.empty() || name.size() > kMaxElementNameLength) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    char16_t c = name[i];
    if (c == 0 || c == u'\\' || c == u'/' || c == u':' || c == u'!') return false;
    if (IsHighSurrogate(c)) {
      if (i + 1 >= name.size() || !IsLowSurrogate(name[i + 1])) return false;
      ++i;
    } else if (IsLowSurrogate(c)) {
      return false;
    }
  }
  return true;
}

int CompareElementNames(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = UpperUnit(a[i]);
    char16_t y = UpperUnit(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

FILETIME CurrentFileTime() {
  // 100-ns intervals between 1601-01-01 and 1970-01-01.
  constexpr ULONGLONG kEpochOffset = 116444736000000000ull;
  auto since1970 = std::chrono::system_clock::now().time_since_epoch();
  auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(since1970).count() / 100;
  ULONGLONG value = kEpochOffset + static_cast<ULONGLONG>(ticks > 0 ? ticks : 0);
  return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

std::unique_ptr<StorageNode> StorageNode::MakeStorage(std::u16string name) {
  auto node = std::make_unique<StorageNode>();
  node->name = std::move(name);
  node->type = STGTY_STORAGE;
  node->ctime = node->mtime = CurrentFileTime();
  return node;
}

std::unique_ptr<StorageNode> StorageNode::MakeStream(std::u16string name) {
  auto node = std::make_unique<StorageNode>();
  node->name = std::move(name);
  node->type = STGTY_STREAM;
  return node;
}

StorageNode* StorageNode::Find(std::u16string_view childName) const {
  auto it = std::lower_bound(children.begin(), children.end(), childName, NameLess());
  if (it == children.end() || CompareElementNames((*it)->name, childName) != 0) return nullptr;
  return it->get();
}

StorageNode* StorageNode::Insert(std::unique_ptr<StorageNode> child) {
  auto it = std::lower_bound(children.begin(), children.end(), std::u16string_view(child->name), NameLess());
  return children.insert(it, std::move(child))->get();
}

std::unique_ptr<StorageNode> StorageNode::Extract(const StorageNode* child) {
  auto it = std::find_if(children.begin(), children.end(), [child](const auto& c) { return c.get() == child; });
  if (it == children.end()) return nullptr;
  std::unique_ptr<StorageNode> taken = std::move(*it);
  children.erase(it);
  return taken;
}

std::unique_ptr<StorageNode> StorageNode::Clone() const {
  auto copy = std::make_unique<StorageNode>();
  copy->name = name;
  copy->AssignContents(*this);
  return copy;
}

void StorageNode::AssignContents(const StorageNode& from) {
  std::vector<std::unique_ptr<StorageNode>> copies;
  copies.reserve(from.children.size());
  for (const auto& child : from.children) copies.push_back(child->Clone());
  std::vector<BYTE> bytes = from.data;
  // Nothing is changed until every copy is made.
  type = from.type;
  clsid = from.clsid;
  stateBits = from.stateBits;
  ctime = from.ctime;
  mtime = from.mtime;
  data = std::move(bytes);
  children = std::move(copies);
}

}  // namespace platform
