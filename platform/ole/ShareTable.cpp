#include "platform/ole/ShareTable.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/ole/StorageMode.h"

namespace platform {

namespace {

constexpr unsigned kRead = 1;
constexpr unsigned kWrite = 2;

unsigned Uses(DWORD mode) { return (ModeCanRead(mode) ? kRead : 0) | (ModeCanWrite(mode) ? kWrite : 0); }

unsigned Denies(DWORD mode) {
  switch (ModeShare(mode)) {
    case STGM_SHARE_EXCLUSIVE:
      return kRead | kWrite;
    case STGM_SHARE_DENY_WRITE:
      return kWrite;
    case STGM_SHARE_DENY_READ:
      return kRead;
    default:
      return 0;
  }
}

struct Opener {
  ULONGLONG id;
  unsigned uses;
  unsigned denies;
};

struct FileEntry {
  std::vector<Opener> openers;
  ULONGLONG generation = 0;
};

struct Table {
  std::mutex mutex;
  std::map<std::string, FileEntry> files;
  ULONGLONG nextId = 1;
};

Table& TheTable() {
  static Table table;
  return table;
}

}  // namespace

HRESULT ShareTable::Acquire(const std::string& key, DWORD mode, Lease& lease) {
  lease.Release();
  Table& t = TheTable();
  std::lock_guard<std::mutex> lock(t.mutex);
  unsigned uses = Uses(mode);
  unsigned denies = Denies(mode);
  FileEntry& entry = t.files[key];
  for (const Opener& o : entry.openers) {
    if ((o.denies & uses) || (o.uses & denies)) {
      if (entry.openers.empty()) t.files.erase(key);
      return STG_E_SHAREVIOLATION;
    }
  }
  ULONGLONG id = t.nextId++;
  entry.openers.push_back({id, uses, denies});
  lease.key_ = key;
  lease.id_ = id;
  return S_OK;
}

ShareTable::Lease::Lease(Lease&& other) noexcept
    : key_(std::move(other.key_)), id_(std::exchange(other.id_, 0)) {}

ShareTable::Lease& ShareTable::Lease::operator=(Lease&& other) noexcept {
  if (this != &other) {
    Release();
    key_ = std::move(other.key_);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

ULONGLONG ShareTable::Lease::Generation() const {
  Table& t = TheTable();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.files.find(key_);
  return it == t.files.end() ? 0 : it->second.generation;
}

ULONGLONG ShareTable::Lease::Advance() {
  Table& t = TheTable();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.files.find(key_);
  return it == t.files.end() ? 0 : ++it->second.generation;
}

void ShareTable::Lease::Release() {
  if (id_ == 0) return;
  Table& t = TheTable();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.files.find(key_);
  if (it != t.files.end()) {
    auto& openers = it->second.openers;
    openers.erase(std::remove_if(openers.begin(), openers.end(), [this](const Opener& o) { return o.id == id_; }),
                  openers.end());
    if (openers.empty()) t.files.erase(it);
  }
  id_ = 0;
  key_.clear();
}

}  // namespace platform
