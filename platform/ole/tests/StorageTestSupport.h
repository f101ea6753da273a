// Helpers of the storage tests: a scratch folder, a holder that releases
// storage objects, file helpers and a builder of compound files byte by byte.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/ole/StructuredStorage.h"
#include "platform/ole/TaskMemory.h"
#include "platform/testsupport/ScratchFolder.h"

namespace storage_test {

// Opening a file to read it in transacted mode, others kept from writing.
constexpr DWORD kRead = STGM_READ | STGM_TRANSACTED | STGM_SHARE_DENY_WRITE;

// A folder of its own for each test, removed with everything in it.
class TempFolder : public testsupport::ScratchFolder {
 public:
  TempFolder() : ScratchFolder("scrivel-storage") {}

  std::u16string WideFile(const std::string& name) const;
  // The names in the folder.
  std::vector<std::string> Names() const;
};

// Holds one reference to a storage object and releases it.
template <typename T>
class Ref {
 public:
  Ref() = default;
  ~Ref() { Reset(); }
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // The slot an API call fills (released first).
  T** put() {
    Reset();
    return &p_;
  }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

std::vector<BYTE> ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::vector<BYTE>& bytes);
std::vector<BYTE> Bytes(std::string_view text);

// The whole contents of a stream, read from its start.
std::vector<BYTE> ReadStream(IStream* stream);
HRESULT WriteStream(IStream* stream, const std::vector<BYTE>& bytes);
// Creates the stream `name` in `storage` holding `bytes`.
HRESULT PutStream(IStorage* storage, const char16_t* name, const std::vector<BYTE>& bytes);
// Creates (or replaces) the compound file `path` holding the one stream
// "Contents" with `contents`, committed.
void MakeDocument(const std::u16string& path, const std::vector<BYTE>& contents);
// The contents of the stream `name`; fails the test when it cannot be read.
std::vector<BYTE> GetStream(IStorage* storage, const char16_t* name);
// The element names of a storage in the order listed.
std::vector<std::u16string> ElementNames(IStorage* storage);

// Every stream of a compound file as libgsf's own reader sees it, keyed by
// its path ("Sub/Stream"); empty storages appear as "Sub/".
std::map<std::string, std::vector<BYTE>> ReadWithGsf(const std::string& path, bool* ok);

// Builds a version-3 compound file from directory entries and stream data,
// laid out as writers of the format do: FAT, directory, mini FAT, mini
// stream, then the big streams, each chain in consecutive sectors.
class CompoundImage {
 public:
  static constexpr DWORD kNone = 0xFFFFFFFF;
  static constexpr BYTE kStorage = 1;
  static constexpr BYTE kStream = 2;

  CompoundImage();
  // Adds an entry; the root is entry 0. Returns the entry's number.
  DWORD Add(std::u16string name, BYTE type, DWORD left = kNone, DWORD right = kNone, DWORD child = kNone);
  void SetChild(DWORD entry, DWORD child) { entries_[entry].child = child; }
  void SetData(DWORD entry, std::vector<BYTE> data) { entries_[entry].data = std::move(data); }
  std::vector<BYTE> Build();

  // Where things are in the last file built, for tests that damage it.
  size_t EntryOffset(DWORD entry) const { return SectorOffset(firstDirSector_) + entry * 128; }
  size_t FatEntryOffset(DWORD sector) const { return SectorOffset(0) + sector * 4; }
  size_t MiniFatEntryOffset(DWORD miniSector) const { return SectorOffset(firstMiniFatSector_) + miniSector * 4; }
  DWORD FirstSector(DWORD entry) const { return entries_[entry].start; }
  DWORD SectorCount() const { return sectorCount_; }
  static size_t SectorOffset(DWORD sector) { return 512 + static_cast<size_t>(sector) * 512; }

 private:
  struct Entry {
    std::u16string name;
    BYTE type;
    DWORD left, right, child;
    std::vector<BYTE> data;
    DWORD start = 0xFFFFFFFE;
  };
  std::vector<Entry> entries_;
  DWORD firstDirSector_ = 0;
  DWORD firstMiniFatSector_ = 0;
  DWORD sectorCount_ = 0;
};

void PutLe32(std::vector<BYTE>& bytes, size_t offset, DWORD value);
void PutLe16(std::vector<BYTE>& bytes, size_t offset, WORD value);

}  // namespace storage_test
