// An open stream of a compound file. It works on its element in the tree of
// the storage it was opened from, so its bytes follow that storage's mode:
// seen in the file once the transacted storage above commits, or at once in
// a direct file.
#pragma once

#include "platform/ole/StorageNode.h"
#include "platform/ole/Stream.h"

namespace platform {

class DocStorage;

class DocStream final : public IStream {
 public:
  DocStream(DocStorage* parent, DWORD mode) : parent_(parent), mode_(mode) {}

  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override;
  HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) override;
  HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
  HRESULT Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) override;
  HRESULT SetSize(ULARGE_INTEGER libNewSize) override;
  HRESULT Commit(DWORD grfCommitFlags) override;
  HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;

  // The element the stream works on; null once reverted.
  const StorageNode* Node() const { return node_; }
  void SetNode(StorageNode* node) { node_ = node; }
  // The element is gone (destroyed, reverted, or its storage released):
  // every call answers STG_E_REVERTED from now on.
  void Invalidate();

 private:
  ~DocStream() override = default;
  // Grows the stream to `size` bytes (zeros); false when it cannot.
  bool Grow(ULONGLONG size);

  ULONG refs_ = 1;
  DocStorage* parent_;
  StorageNode* node_ = nullptr;
  DWORD mode_;
  ULONGLONG position_ = 0;
};

}  // namespace platform
