// An open storage of a compound file: the root, which owns the file's tree
// and writes the file, or an element opened from an open storage.
//
// Trees: the root keeps the tree as last read or committed. A transacted
// storage that may write works on a private copy of its element and copies
// it back on Commit (the root: writes it to the file); a direct storage works
// on its element in its parent's tree. Streams work on their element in the
// tree of the storage they were opened from.
//
// Open elements: each storage lists the storages and streams opened from it.
// They point into its tree, so whatever replaces or removes a part of the
// tree (Revert, DestroyElement, releasing the storage) first invalidates the
// elements open there.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ole/ShareTable.h"
#include "platform/ole/Storage.h"
#include "platform/ole/StorageNode.h"

namespace platform {

class DocStream;

class DocStorage final : public IStorage {
 public:
  // The root storage of the file at `canonicalPath` holding `tree`; `lease`
  // is its registration in the share table.
  static DocStorage* OpenRoot(std::unique_ptr<StorageNode> tree, DWORD mode, std::string canonicalPath,
                              ShareTable::Lease lease);

  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override;
  HRESULT CreateStream(const OLECHAR* pwcsName, DWORD grfMode, DWORD reserved1, DWORD reserved2,
                       IStream** ppstm) override;
  HRESULT OpenStream(const OLECHAR* pwcsName, void* reserved1, DWORD grfMode, DWORD reserved2,
                     IStream** ppstm) override;
  HRESULT CreateStorage(const OLECHAR* pwcsName, DWORD grfMode, DWORD reserved1, DWORD reserved2,
                        IStorage** ppstg) override;
  HRESULT OpenStorage(const OLECHAR* pwcsName, IStorage* pstgPriority, DWORD grfMode, SNB snbExclude,
                      DWORD reserved, IStorage** ppstg) override;
  HRESULT Commit(DWORD grfCommitFlags) override;
  HRESULT Revert() override;
  HRESULT EnumElements(DWORD reserved1, void* reserved2, DWORD reserved3, IEnumSTATSTG** ppenum) override;
  HRESULT DestroyElement(const OLECHAR* pwcsName) override;
  HRESULT RenameElement(const OLECHAR* pwcsOldName, const OLECHAR* pwcsNewName) override;
  HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;

  // Writes through a chain of direct storages: a direct root writes its
  // file; a transacted storage on the way keeps the changes for its own
  // Commit (S_OK).
  HRESULT CommitDirect(DWORD flags);
  // An element opened from this storage was released.
  void Forget(DocStream* stream);
  void Forget(DocStorage* storage);

 private:
  DocStorage(DocStorage* parent, StorageNode* base, DWORD mode, int depth);
  ~DocStorage() override = default;

  StorageNode* Tree() const { return work_ ? work_.get() : base_; }
  bool IsElementOpen(const StorageNode* node) const;
  // Invalidates whatever element is open on `node`.
  void CloseElement(const StorageNode* node);
  void InvalidateElements();
  // This storage's element is gone: every call answers STG_E_REVERTED.
  void Invalidate();
  HRESULT CheckOpenAccess(DWORD mode) const;
  HRESULT WriteFile(const StorageNode& tree, DWORD flags);
  HRESULT MakeElement(const OLECHAR* name, DWORD mode, bool storage, void** result);
  void Touch();

  ULONG refs_ = 1;
  DocStorage* parent_;
  StorageNode* base_;
  std::unique_ptr<StorageNode> work_;
  DWORD mode_;
  int depth_;
  bool reverted_ = false;
  std::vector<DocStorage*> storages_;
  std::vector<DocStream*> streams_;

  // The root's: the tree as last read or committed, the file, its lease and
  // the commit count of the file when this storage last saw it.
  bool isRoot_ = false;
  std::unique_ptr<StorageNode> committed_;
  std::string path_;
  ShareTable::Lease lease_;
  ULONGLONG generation_ = 0;
};

}  // namespace platform
