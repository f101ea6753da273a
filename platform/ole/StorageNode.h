// One element of a compound file held in memory: a storage with its elements
// or a stream with its bytes. Open storages and streams work on these trees;
// the file is read into one and written from one.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ole/StorageTypes.h"

namespace platform {

// Longest element name, in UTF-16 units without the terminator.
constexpr size_t kMaxElementNameLength = 31;
// Deepest nesting of storages below the root that is read or created. Real
// documents nest a few levels; the bound keeps every tree walk shallow.
constexpr int kMaxStorageDepth = 256;
// Largest stream the file format written here can hold.
constexpr ULONGLONG kMaxStreamSize = 0xFFFFFFFFull;

// A name an element may be given: 1 to 31 UTF-16 units, no '\\', '/', ':'
// or '!', no NUL and no unpaired surrogate.
bool IsValidElementName(std::u16string_view name);

// The order of element names in a compound file: shorter names first, names
// of one length by their upper-cased units. Names that compare equal name
// the same element ("Contents" opens "CONTENTS").
int CompareElementNames(std::u16string_view a, std::u16string_view b);

// The current time as a FILETIME.
FILETIME CurrentFileTime();

struct StorageNode {
  std::u16string name;
  DWORD type = STGTY_STREAM;
  CLSID clsid = CLSID_NULL;
  DWORD stateBits = 0;
  FILETIME ctime{};
  FILETIME mtime{};
  // A stream's bytes.
  std::vector<BYTE> data;
  // A storage's elements, kept in name order.
  std::vector<std::unique_ptr<StorageNode>> children;

  static std::unique_ptr<StorageNode> MakeStorage(std::u16string name);
  static std::unique_ptr<StorageNode> MakeStream(std::u16string name);

  bool IsStorage() const { return type == STGTY_STORAGE; }
  // The element of this storage with that name, or null.
  StorageNode* Find(std::u16string_view childName) const;
  // Inserts an element in name order; the name must be free.
  StorageNode* Insert(std::unique_ptr<StorageNode> child);
  // Takes the element out of this storage (null when it is not one of its).
  std::unique_ptr<StorageNode> Extract(const StorageNode* child);
  // A deep copy.
  std::unique_ptr<StorageNode> Clone() const;
  // Takes a deep copy of everything but the name.
  void AssignContents(const StorageNode& from);
};

}  // namespace platform
