// The compound files that storages of this process hold open, with the
// access each open uses and the access it denies to others, so that opens of
// one file follow the sharing rules of the system (an exclusive open shuts
// out every other, a deny-write open admits readers only). Each file also
// counts its commits, for commits that must not overwrite another's.
#pragma once

#include <string>

#include "platform/ole/StorageTypes.h"

namespace platform {

class ShareTable {
 public:
  // One open of a file, registered while the object lives.
  class Lease {
   public:
    Lease() = default;
    ~Lease() { Release(); }
    Lease(Lease&& other) noexcept;
    Lease& operator=(Lease&& other) noexcept;
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;

    bool IsHeld() const { return id_ != 0; }
    // The number of commits of the file so far.
    ULONGLONG Generation() const;
    // Counts a commit of the file; returns the new number.
    ULONGLONG Advance();
    void Release();

   private:
    friend class ShareTable;
    std::string key_;
    ULONGLONG id_ = 0;
  };

  // Registers an open of the file `key` (a canonical path) with the access
  // and sharing of the STGM_ `mode`. STG_E_SHAREVIOLATION when an open of
  // the file denies what this one asks, or this one denies what another uses.
  static HRESULT Acquire(const std::string& key, DWORD mode, Lease& lease);
};

}  // namespace platform
