#include "platform/ole/OleItemFormats.h"

#include <cstring>

#include "platform/ui/ClipboardFormats.h"

namespace platform {

namespace {

constexpr DWORD kEmbedMagic = 0x424D4553;  // "SEMB"
constexpr size_t kEmbedHeader = 12;

DWORD ReadWord(const BYTE* at) {
  return static_cast<DWORD>(at[0]) | static_cast<DWORD>(at[1]) << 8 | static_cast<DWORD>(at[2]) << 16 |
         static_cast<DWORD>(at[3]) << 24;
}

void WriteWord(BYTE* at, DWORD value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<BYTE>(value >> (8 * i));
}

// Locks a block for reading and unlocks it when it goes.
class LockedBlock {
 public:
  explicit LockedBlock(HGLOBAL block)
      : block_(block), data_(block ? static_cast<const BYTE*>(::GlobalLock(block)) : nullptr),
        size_(data_ ? ::GlobalSize(block) : 0) {}
  ~LockedBlock() {
    if (data_) ::GlobalUnlock(block_);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  const BYTE* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  HGLOBAL block_;
  const BYTE* data_;
  size_t size_;
};

}  // namespace

UINT EmbedSourceClipboardFormat() {
  static const UINT format = ::RegisterClipboardFormatW(u"Embed Source");
  return format;
}

UINT LinkSourceClipboardFormat() {
  static const UINT format = ::RegisterClipboardFormatW(u"Link Source");
  return format;
}

HGLOBAL MakeEmbedSourceBlock(const CStringW& className, const std::vector<BYTE>& bytes) {
  const size_t nameBytes = static_cast<size_t>(className.GetLength()) * sizeof(WCHAR);
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, kEmbedHeader + nameBytes + bytes.size());
  if (!block) return nullptr;
  auto* at = static_cast<BYTE*>(::GlobalLock(block));
  WriteWord(at, kEmbedMagic);
  WriteWord(at + 4, static_cast<DWORD>(className.GetLength()));
  WriteWord(at + 8, static_cast<DWORD>(bytes.size()));
  for (int i = 0; i < className.GetLength(); ++i) {
    at[kEmbedHeader + 2 * i] = static_cast<BYTE>(className[i] & 0xFF);
    at[kEmbedHeader + 2 * i + 1] = static_cast<BYTE>(className[i] >> 8);
  }
  if (!bytes.empty()) std::memcpy(at + kEmbedHeader + nameBytes, bytes.data(), bytes.size());
  ::GlobalUnlock(block);
  return block;
}

bool ReadEmbedSourceBlock(HGLOBAL block, CStringW& className, std::vector<BYTE>& bytes) {
  LockedBlock locked(block);
  const BYTE* at = locked.data();
  if (!at || locked.size() < kEmbedHeader || ReadWord(at) != kEmbedMagic) return false;
  const size_t nameLength = ReadWord(at + 4);
  const size_t dataLength = ReadWord(at + 8);
  const size_t room = locked.size() - kEmbedHeader;
  if (nameLength == 0 || nameLength > room / 2 || dataLength > room - nameLength * 2) return false;
  CStringW name;
  for (size_t i = 0; i < nameLength; ++i) {
    const WCHAR unit = static_cast<WCHAR>(at[kEmbedHeader + 2 * i] | at[kEmbedHeader + 2 * i + 1] << 8);
    name.AppendChar(unit);
  }
  const BYTE* data = at + kEmbedHeader + nameLength * 2;
  className = name;
  bytes.assign(data, data + dataLength);
  return true;
}

HGLOBAL MakeLinkSourceBlock(const CStringW& path) {
  const size_t size = (static_cast<size_t>(path.GetLength()) + 1) * sizeof(WCHAR);
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, size);
  if (!block) return nullptr;
  auto* at = static_cast<WCHAR*>(::GlobalLock(block));
  std::memcpy(at, path.GetString(), static_cast<size_t>(path.GetLength()) * sizeof(WCHAR));
  ::GlobalUnlock(block);
  return block;
}

bool ReadLinkSourceBlock(HGLOBAL block, CStringW& path) {
  LockedBlock locked(block);
  const BYTE* at = locked.data();
  const size_t units = locked.size() / sizeof(WCHAR);
  if (!at || units < 2) return false;
  CStringW read;
  for (size_t i = 0; i < units; ++i) {
    const WCHAR unit = static_cast<WCHAR>(at[2 * i] | at[2 * i + 1] << 8);
    if (unit == 0) {
      if (read.IsEmpty()) return false;
      path = read;
      return true;
    }
    read.AppendChar(unit);
  }
  return false;
}

}  // namespace platform
