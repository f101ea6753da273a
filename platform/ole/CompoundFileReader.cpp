#include "platform/ole/CompoundFileReader.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace platform {

namespace {

constexpr BYTE kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr size_t kHeaderSize = 512;
constexpr size_t kHeaderFatEntries = 109;
constexpr size_t kDirEntrySize = 128;
constexpr size_t kMiniSectorSize = 64;
constexpr ULONGLONG kMiniStreamCutoff = 4096;
constexpr DWORD kEndOfChain = 0xFFFFFFFE;
constexpr DWORD kNoStream = 0xFFFFFFFF;
constexpr BYTE kTypeStorage = 1;
constexpr BYTE kTypeStream = 2;
constexpr BYTE kTypeRoot = 5;

WORD Le16(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
DWORD Le32(const BYTE* p) {
  return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
         (static_cast<DWORD>(p[3]) << 24);
}
ULONGLONG Le64(const BYTE* p) { return Le32(p) | (static_cast<ULONGLONG>(Le32(p + 4)) << 32); }

CLSID ClsidAt(const BYTE* p) {
  CLSID id;
  id.Data1 = Le32(p);
  id.Data2 = Le16(p + 4);
  id.Data3 = Le16(p + 6);
  std::memcpy(id.Data4, p + 8, 8);
  return id;
}

FILETIME FileTimeAt(const BYTE* p) { return FILETIME{Le32(p), Le32(p + 4)}; }

struct DirEntry {
  std::u16string name;
  BYTE type = 0;
  DWORD left = kNoStream;
  DWORD right = kNoStream;
  DWORD child = kNoStream;
  CLSID clsid = CLSID_NULL;
  DWORD stateBits = 0;
  FILETIME ctime{};
  FILETIME mtime{};
  DWORD start = kEndOfChain;
  ULONGLONG size = 0;
};

class Reader {
 public:
  explicit Reader(std::span<const BYTE> bytes) : file_(bytes), fileSize_(bytes.size()) {}

  HRESULT Read(std::unique_ptr<StorageNode>& root) {
    HRESULT hr = ReadHeader();
    if (FAILED(hr)) return hr;
    if (FAILED(hr = ReadFat())) return hr;
    if (FAILED(hr = ReadDirectory())) return hr;
    DirEntry rootEntry;
    if (FAILED(hr = ParseEntry(0, rootEntry)) || rootEntry.type != kTypeRoot) return STG_E_DOCFILECORRUPT;
    if (FAILED(hr = ReadMiniStream(rootEntry))) return hr;
    auto tree = StorageNode::MakeStorage(u"Root Entry");
    tree->clsid = rootEntry.clsid;
    tree->stateBits = rootEntry.stateBits;
    tree->ctime = rootEntry.ctime;
    tree->mtime = rootEntry.mtime;
    if (FAILED(hr = ReadTree(rootEntry.child, *tree))) return hr;
    root = std::move(tree);
    return S_OK;
  }

 private:
  HRESULT ReadHeader() {
    const BYTE* h = file_.data();
    WORD major = Le16(h + 0x1A);
    WORD shift = Le16(h + 0x1E);
    if (Le16(h + 0x1C) != 0xFFFE) return STG_E_INVALIDHEADER;
    if (!((major == 3 && shift == 9) || (major == 4 && shift == 12))) return STG_E_INVALIDHEADER;
    if (Le16(h + 0x20) != 6 || Le32(h + 0x38) != kMiniStreamCutoff) return STG_E_INVALIDHEADER;
    major_ = major;
    sectorSize_ = size_t{1} << shift;
    // The header fills the first sector; the others follow it. The last
    // sector may be cut short after the bytes in use (some writers leave
    // out the padding), so it is addressed as if padded; every read checks
    // that the bytes it uses are in the file.
    size_t body = file_.size() > sectorSize_ ? file_.size() - sectorSize_ : 0;
    sectorCount_ = (body + sectorSize_ - 1) / sectorSize_;
    if (body % sectorSize_ != 0) {
      padded_.assign(file_.begin(), file_.end());
      padded_.resize(sectorSize_ + sectorCount_ * sectorSize_, 0);
      file_ = padded_;
    }
    owned_.assign(sectorCount_, false);
    return S_OK;
  }

  const BYTE* Sector(DWORD sid) const { return file_.data() + (static_cast<size_t>(sid) + 1) * sectorSize_; }
  // True when the first `bytes` bytes of the sector are in the file.
  bool Present(DWORD sid, size_t bytes) const {
    return (static_cast<size_t>(sid) + 1) * sectorSize_ + bytes <= fileSize_;
  }

  // Claims a sector for one structure; a sector out of range or claimed
  // twice (a loop or two chains sharing it) is corruption.
  bool Claim(DWORD sid) {
    if (sid >= sectorCount_ || owned_[sid]) return false;
    owned_[sid] = true;
    return true;
  }

  HRESULT ReadFat() {
    const BYTE* h = file_.data();
    size_t fatCount = Le32(h + 0x2C);
    if (fatCount == 0 || fatCount > sectorCount_) return STG_E_DOCFILECORRUPT;
    std::vector<DWORD> fatSectors;
    fatSectors.reserve(fatCount);
    for (size_t i = 0; i < kHeaderFatEntries && fatSectors.size() < fatCount; ++i)
      fatSectors.push_back(Le32(h + 0x4C + 4 * i));
    // The rest of the list is in a chain of DIFAT sectors, each ending with
    // the number of the next.
    size_t perDifat = sectorSize_ / 4 - 1;
    DWORD difat = Le32(h + 0x44);
    while (fatSectors.size() < fatCount) {
      if (!Claim(difat) || !Present(difat, sectorSize_)) return STG_E_DOCFILECORRUPT;
      const BYTE* s = Sector(difat);
      for (size_t i = 0; i < perDifat && fatSectors.size() < fatCount; ++i) fatSectors.push_back(Le32(s + 4 * i));
      difat = Le32(s + 4 * perDifat);
    }
    fat_.reserve(fatCount * (sectorSize_ / 4));
    for (DWORD sid : fatSectors) {
      if (!Claim(sid) || !Present(sid, sectorSize_)) return STG_E_DOCFILECORRUPT;
      const BYTE* s = Sector(sid);
      for (size_t i = 0; i < sectorSize_ / 4; ++i) fat_.push_back(Le32(s + 4 * i));
    }
    return S_OK;
  }

  HRESULT FollowChain(DWORD start, std::vector<DWORD>& chain) {
    for (DWORD sid = start; sid != kEndOfChain; sid = fat_[sid]) {
      if (sid >= fat_.size() || !Claim(sid)) return STG_E_DOCFILECORRUPT;
      chain.push_back(sid);
    }
    return S_OK;
  }

  // The first `size` bytes of the chain that starts at `start`.
  HRESULT ReadChain(DWORD start, ULONGLONG size, std::vector<BYTE>& out) {
    std::vector<DWORD> chain;
    HRESULT hr = FollowChain(start, chain);
    if (FAILED(hr)) return hr;
    if (size > static_cast<ULONGLONG>(chain.size()) * sectorSize_) return STG_E_DOCFILECORRUPT;
    out.resize(static_cast<size_t>(size));
    size_t done = 0;
    for (DWORD sid : chain) {
      if (done >= out.size()) break;
      size_t n = std::min(sectorSize_, out.size() - done);
      if (!Present(sid, n)) return STG_E_DOCFILECORRUPT;
      std::memcpy(out.data() + done, Sector(sid), n);
      done += n;
    }
    return S_OK;
  }

  HRESULT ReadDirectory() {
    HRESULT hr = ReadChainWhole(Le32(file_.data() + 0x30), directory_);
    if (FAILED(hr)) return hr;
    entryCount_ = directory_.size() / kDirEntrySize;
    if (entryCount_ == 0) return STG_E_DOCFILECORRUPT;
    visited_.assign(entryCount_, false);
    visited_[0] = true;
    return S_OK;
  }

  HRESULT ParseEntry(DWORD index, DirEntry& e) const {
    if (index >= entryCount_) return STG_E_DOCFILECORRUPT;
    const BYTE* p = &directory_[static_cast<size_t>(index) * kDirEntrySize];
    e.type = p[66];
    e.left = Le32(p + 68);
    e.right = Le32(p + 72);
    e.child = Le32(p + 76);
    e.clsid = ClsidAt(p + 80);
    e.stateBits = Le32(p + 96);
    e.ctime = FileTimeAt(p + 100);
    e.mtime = FileTimeAt(p + 108);
    e.start = Le32(p + 116);
    // Files of version 3 keep only 32 bits of the size; the high half may
    // hold anything.
    e.size = major_ == 3 ? Le32(p + 120) : Le64(p + 120);
    if (e.type == kTypeRoot) return S_OK;
    WORD nameBytes = Le16(p + 64);
    if (nameBytes < 4 || nameBytes > 64 || nameBytes % 2 != 0) return STG_E_DOCFILECORRUPT;
    e.name.resize(nameBytes / 2 - 1);
    for (size_t i = 0; i < e.name.size(); ++i) e.name[i] = static_cast<char16_t>(Le16(p + 2 * i));
    // Names are read as written, with any character the format allows
    // (first characters below 0x20 mark OLE's own streams, as "\1Ole").
    for (size_t i = 0; i < e.name.size(); ++i) {
      char16_t c = e.name[i];
      if (c == 0) return STG_E_DOCFILECORRUPT;
      if (c >= 0xD800 && c <= 0xDBFF) {
        if (i + 1 >= e.name.size() || e.name[i + 1] < 0xDC00 || e.name[i + 1] > 0xDFFF) return STG_E_DOCFILECORRUPT;
        ++i;
      } else if (c >= 0xDC00 && c <= 0xDFFF) {
        return STG_E_DOCFILECORRUPT;
      }
    }
    return S_OK;
  }

  HRESULT ReadMiniStream(const DirEntry& root) {
    if (root.size > 0) {
      HRESULT hr = ReadChain(root.start, root.size, miniStream_);
      if (FAILED(hr)) return hr;
    }
    DWORD miniFatStart = Le32(file_.data() + 0x3C);
    std::vector<BYTE> table;
    HRESULT hr = ReadChainWhole(miniFatStart, table);
    if (FAILED(hr)) return hr;
    miniFat_.resize(table.size() / 4);
    for (size_t i = 0; i < miniFat_.size(); ++i) miniFat_[i] = Le32(&table[4 * i]);
    miniOwned_.assign((miniStream_.size() + kMiniSectorSize - 1) / kMiniSectorSize, false);
    return S_OK;
  }

  // Every sector of a chain (for the tables, whose size is their chain's).
  HRESULT ReadChainWhole(DWORD start, std::vector<BYTE>& out) {
    std::vector<DWORD> chain;
    HRESULT hr = FollowChain(start, chain);
    if (FAILED(hr)) return hr;
    out.resize(chain.size() * sectorSize_);
    for (size_t i = 0; i < chain.size(); ++i) {
      if (!Present(chain[i], sectorSize_)) return STG_E_DOCFILECORRUPT;
      std::memcpy(&out[i * sectorSize_], Sector(chain[i]), sectorSize_);
    }
    return S_OK;
  }

  HRESULT ReadMiniChain(DWORD start, ULONGLONG size, std::vector<BYTE>& out) {
    std::vector<DWORD> chain;
    for (DWORD sid = start; sid != kEndOfChain; sid = miniFat_[sid]) {
      if (sid >= miniFat_.size() || sid >= miniOwned_.size() || miniOwned_[sid]) return STG_E_DOCFILECORRUPT;
      miniOwned_[sid] = true;
      chain.push_back(sid);
    }
    if (size > static_cast<ULONGLONG>(chain.size()) * kMiniSectorSize) return STG_E_DOCFILECORRUPT;
    out.resize(static_cast<size_t>(size));
    size_t done = 0;
    for (DWORD sid : chain) {
      if (done >= out.size()) break;
      size_t offset = static_cast<size_t>(sid) * kMiniSectorSize;
      size_t n = std::min({kMiniSectorSize, out.size() - done, miniStream_.size() - offset});
      std::memcpy(out.data() + done, &miniStream_[offset], n);
      done += n;
    }
    if (done < out.size()) return STG_E_DOCFILECORRUPT;
    return S_OK;
  }

  HRESULT ReadStreamData(const DirEntry& e, std::vector<BYTE>& out) {
    if (e.size == 0) return S_OK;
    if (e.size > kMaxStreamSize || e.size > file_.size()) return STG_E_DOCFILECORRUPT;
    return e.size < kMiniStreamCutoff ? ReadMiniChain(e.start, e.size, out) : ReadChain(e.start, e.size, out);
  }

  // Walks the sibling trees of every storage without recursion: each entry
  // may be reached once, so loops and shared subtrees are found.
  HRESULT ReadTree(DWORD firstChild, StorageNode& root) {
    struct Pending {
      DWORD entry;
      StorageNode* parent;
      int depth;
    };
    std::vector<Pending> pending{{firstChild, &root, 1}};
    std::vector<StorageNode*> storages{&root};
    while (!pending.empty()) {
      Pending item = pending.back();
      pending.pop_back();
      if (item.entry == kNoStream) continue;
      if (item.entry >= entryCount_ || visited_[item.entry]) return STG_E_DOCFILECORRUPT;
      visited_[item.entry] = true;
      DirEntry e;
      HRESULT hr = ParseEntry(item.entry, e);
      if (FAILED(hr)) return hr;
      if (e.type != kTypeStorage && e.type != kTypeStream) return STG_E_DOCFILECORRUPT;
      std::unique_ptr<StorageNode> node =
          e.type == kTypeStorage ? StorageNode::MakeStorage(std::move(e.name)) : StorageNode::MakeStream(std::move(e.name));
      node->clsid = e.clsid;
      node->stateBits = e.stateBits;
      node->ctime = e.ctime;
      node->mtime = e.mtime;
      if (e.type == kTypeStream && FAILED(hr = ReadStreamData(e, node->data))) return hr;
      // Children are sorted once all are read.
      item.parent->children.push_back(std::move(node));
      StorageNode* added = item.parent->children.back().get();
      pending.push_back({e.left, item.parent, item.depth});
      pending.push_back({e.right, item.parent, item.depth});
      if (e.type == kTypeStorage) {
        if (item.depth > kMaxStorageDepth) return STG_E_DOCFILECORRUPT;
        pending.push_back({e.child, added, item.depth + 1});
        storages.push_back(added);
      }
    }
    for (StorageNode* storage : storages) {
      auto& c = storage->children;
      std::sort(c.begin(), c.end(), [](const auto& a, const auto& b) { return CompareElementNames(a->name, b->name) < 0; });
      for (size_t i = 1; i < c.size(); ++i)
        if (CompareElementNames(c[i - 1]->name, c[i]->name) == 0) return STG_E_DOCFILECORRUPT;
    }
    return S_OK;
  }

  std::span<const BYTE> file_;
  size_t fileSize_;
  std::vector<BYTE> padded_;
  WORD major_ = 3;
  size_t sectorSize_ = 512;
  size_t sectorCount_ = 0;
  std::vector<bool> owned_;
  std::vector<DWORD> fat_;
  std::vector<BYTE> directory_;
  size_t entryCount_ = 0;
  std::vector<bool> visited_;
  std::vector<BYTE> miniStream_;
  std::vector<DWORD> miniFat_;
  std::vector<bool> miniOwned_;
};

}  // namespace

bool HasCompoundFileSignature(std::span<const BYTE> bytes) {
  return bytes.size() >= sizeof(kSignature) && std::memcmp(bytes.data(), kSignature, sizeof(kSignature)) == 0;
}

HRESULT ReadCompoundFile(std::span<const BYTE> bytes, std::unique_ptr<StorageNode>& root) {
  if (!HasCompoundFileSignature(bytes)) return STG_E_FILEALREADYEXISTS;
  if (bytes.size() < kHeaderSize) return STG_E_INVALIDHEADER;
  try {
    return Reader(bytes).Read(root);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace platform
