#include "platform/ole/DocStorage.h"

#include <algorithm>
#include <new>

#include "platform/core/Charset.h"
#include "platform/ole/CompoundFileWriter.h"
#include "platform/ole/DocStream.h"
#include "platform/ole/ElementEnumerator.h"
#include "platform/ole/ElementInfo.h"
#include "platform/ole/StorageFileIo.h"
#include "platform/ole/StorageMode.h"

namespace platform {

namespace {

// The name as given, or an error: null, empty, too long or with a character
// that names may not hold.
HRESULT CheckName(const OLECHAR* name, std::u16string_view& view) {
  if (!name) return STG_E_INVALIDPOINTER;
  size_t length = 0;
  while (length <= kMaxElementNameLength && name[length]) ++length;
  view = std::u16string_view(name, length);
  return IsValidElementName(view) ? S_OK : STG_E_INVALIDNAME;
}

// Elements are opened exclusively; streams are never transacted.
HRESULT CheckElementMode(DWORD mode, bool stream, bool create) {
  HRESULT hr = CheckModeFlags(mode, STGM_TRANSACTED | (create ? STGM_CREATE : 0));
  if (FAILED(hr)) return hr;
  if (stream && ModeIsTransacted(mode)) return STG_E_INVALIDFUNCTION;
  if ((mode & kStgmShareMask) != STGM_SHARE_EXCLUSIVE) return STG_E_INVALIDFLAG;
  return S_OK;
}

constexpr DWORD kCommitFlags =
    STGC_OVERWRITE | STGC_ONLYIFCURRENT | STGC_DANGEROUSLYCOMMITMERELYTODISKCACHE | STGC_CONSOLIDATE;

}  // namespace

DocStorage::DocStorage(DocStorage* parent, StorageNode* base, DWORD mode, int depth)
    : parent_(parent), base_(base), mode_(mode), depth_(depth) {
  // Only a storage that may change needs a copy of its own.
  if (ModeIsTransacted(mode) && ModeCanWrite(mode)) work_ = base->Clone();
}

DocStorage* DocStorage::OpenRoot(std::unique_ptr<StorageNode> tree, DWORD mode, std::string canonicalPath,
                                 ShareTable::Lease lease) {
  auto* root = new DocStorage(nullptr, tree.get(), mode, 0);
  root->isRoot_ = true;
  root->committed_ = std::move(tree);
  root->path_ = std::move(canonicalPath);
  root->lease_ = std::move(lease);
  root->generation_ = root->lease_.Generation();
  return root;
}

ULONG DocStorage::Release() {
  ULONG left = --refs_;
  if (left > 0) return left;
  // A direct root writes what it holds as it closes; there is no one left
  // to tell of a failure.
  if (isRoot_ && !ModeIsTransacted(mode_) && ModeCanWrite(mode_)) {
    try {
      (void)WriteFile(*base_, STGC_DEFAULT);
    } catch (const std::bad_alloc&) {
    }
  }
  InvalidateElements();
  if (parent_) parent_->Forget(this);
  delete this;
  return 0;
}

void DocStorage::Forget(DocStream* stream) { std::erase(streams_, stream); }

void DocStorage::Forget(DocStorage* storage) { std::erase(storages_, storage); }

bool DocStorage::IsElementOpen(const StorageNode* node) const {
  return std::any_of(storages_.begin(), storages_.end(), [node](const DocStorage* s) { return s->base_ == node; }) ||
         std::any_of(streams_.begin(), streams_.end(), [node](const DocStream* s) { return s->Node() == node; });
}

void DocStorage::CloseElement(const StorageNode* node) {
  for (auto it = storages_.begin(); it != storages_.end(); ++it) {
    if ((*it)->base_ == node) {
      (*it)->Invalidate();
      storages_.erase(it);
      return;
    }
  }
  for (auto it = streams_.begin(); it != streams_.end(); ++it) {
    if ((*it)->Node() == node) {
      (*it)->Invalidate();
      streams_.erase(it);
      return;
    }
  }
}

void DocStorage::InvalidateElements() {
  std::vector<DocStorage*> storages = std::move(storages_);
  std::vector<DocStream*> streams = std::move(streams_);
  storages_.clear();
  streams_.clear();
  for (DocStorage* s : storages) s->Invalidate();
  for (DocStream* s : streams) s->Invalidate();
}

void DocStorage::Invalidate() {
  InvalidateElements();
  reverted_ = true;
  parent_ = nullptr;
  base_ = nullptr;
  work_.reset();
}

void DocStorage::Touch() { Tree()->mtime = CurrentFileTime(); }

HRESULT DocStorage::CheckOpenAccess(DWORD mode) const {
  if ((ModeCanRead(mode) && !ModeCanRead(mode_)) || (ModeCanWrite(mode) && !ModeCanWrite(mode_)))
    return STG_E_ACCESSDENIED;
  return S_OK;
}

HRESULT DocStorage::WriteFile(const StorageNode& tree, DWORD flags) {
  std::vector<BYTE> bytes;
  HRESULT hr = WriteCompoundFile(tree, bytes);
  if (FAILED(hr)) return hr;
  hr = ReplaceFileContents(path_, bytes, !(flags & STGC_DANGEROUSLYCOMMITMERELYTODISKCACHE));
  if (SUCCEEDED(hr)) generation_ = lease_.Advance();
  return hr;
}

HRESULT DocStorage::MakeElement(const OLECHAR* name, DWORD mode, bool storage, void** result) {
  *result = nullptr;
  if (reverted_) return STG_E_REVERTED;
  std::u16string_view view;
  HRESULT hr = CheckName(name, view);
  if (FAILED(hr)) return hr;
  if (FAILED(hr = CheckElementMode(mode, !storage, true))) return hr;
  if (!ModeCanWrite(mode_)) return STG_E_ACCESSDENIED;
  if (FAILED(hr = CheckOpenAccess(mode))) return hr;
  if (storage && depth_ >= kMaxStorageDepth) return STG_E_INVALIDFUNCTION;
  StorageNode* tree = Tree();
  StorageNode* existing = tree->Find(view);
  if (existing) {
    if (!(mode & STGM_CREATE)) return STG_E_FILEALREADYEXISTS;
    if (IsElementOpen(existing)) return STG_E_ACCESSDENIED;
  }
  try {
    // Everything that may fail is made before the tree changes.
    std::unique_ptr<StorageNode> node =
        storage ? StorageNode::MakeStorage(std::u16string(view)) : StorageNode::MakeStream(std::u16string(view));
    tree->children.reserve(tree->children.size() + 1);
    if (storage) {
      storages_.reserve(storages_.size() + 1);
      auto* opened = new DocStorage(this, node.get(), mode, depth_ + 1);
      if (existing) tree->Extract(existing);
      tree->Insert(std::move(node));
      storages_.push_back(opened);
      *result = static_cast<IStorage*>(opened);
    } else {
      streams_.reserve(streams_.size() + 1);
      auto* opened = new DocStream(this, mode);
      if (existing) tree->Extract(existing);
      opened->SetNode(tree->Insert(std::move(node)));
      streams_.push_back(opened);
      *result = static_cast<IStream*>(opened);
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  Touch();
  return S_OK;
}

HRESULT DocStorage::CreateStream(const OLECHAR* pwcsName, DWORD grfMode, DWORD reserved1, DWORD reserved2,
                                 IStream** ppstm) {
  if (!ppstm) return STG_E_INVALIDPOINTER;
  *ppstm = nullptr;
  if (reserved1 || reserved2) return STG_E_INVALIDPARAMETER;
  void* made = nullptr;
  HRESULT hr = MakeElement(pwcsName, grfMode, false, &made);
  *ppstm = static_cast<IStream*>(made);
  return hr;
}

HRESULT DocStorage::CreateStorage(const OLECHAR* pwcsName, DWORD grfMode, DWORD reserved1, DWORD reserved2,
                                  IStorage** ppstg) {
  if (!ppstg) return STG_E_INVALIDPOINTER;
  *ppstg = nullptr;
  if (reserved1 || reserved2) return STG_E_INVALIDPARAMETER;
  void* made = nullptr;
  HRESULT hr = MakeElement(pwcsName, grfMode, true, &made);
  *ppstg = static_cast<IStorage*>(made);
  return hr;
}

HRESULT DocStorage::OpenStream(const OLECHAR* pwcsName, void* reserved1, DWORD grfMode, DWORD reserved2,
                               IStream** ppstm) {
  if (!ppstm) return STG_E_INVALIDPOINTER;
  *ppstm = nullptr;
  if (reserved1 || reserved2) return STG_E_INVALIDPARAMETER;
  if (reverted_) return STG_E_REVERTED;
  std::u16string_view view;
  HRESULT hr = CheckName(pwcsName, view);
  if (FAILED(hr)) return hr;
  if (FAILED(hr = CheckElementMode(grfMode, true, false))) return hr;
  if (FAILED(hr = CheckOpenAccess(grfMode))) return hr;
  StorageNode* node = Tree()->Find(view);
  if (!node || node->IsStorage()) return STG_E_FILENOTFOUND;
  if (IsElementOpen(node)) return STG_E_ACCESSDENIED;
  try {
    streams_.reserve(streams_.size() + 1);
    auto* opened = new DocStream(this, grfMode);
    opened->SetNode(node);
    streams_.push_back(opened);
    *ppstm = opened;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT DocStorage::OpenStorage(const OLECHAR* pwcsName, IStorage* pstgPriority, DWORD grfMode, SNB snbExclude,
                                DWORD reserved, IStorage** ppstg) {
  if (!ppstg) return STG_E_INVALIDPOINTER;
  *ppstg = nullptr;
  if (pstgPriority || snbExclude || reserved) return STG_E_INVALIDPARAMETER;
  if (reverted_) return STG_E_REVERTED;
  std::u16string_view view;
  HRESULT hr = CheckName(pwcsName, view);
  if (FAILED(hr)) return hr;
  if (FAILED(hr = CheckElementMode(grfMode, false, false))) return hr;
  if (FAILED(hr = CheckOpenAccess(grfMode))) return hr;
  StorageNode* node = Tree()->Find(view);
  if (!node || !node->IsStorage()) return STG_E_FILENOTFOUND;
  if (IsElementOpen(node)) return STG_E_ACCESSDENIED;
  try {
    storages_.reserve(storages_.size() + 1);
    auto* opened = new DocStorage(this, node, grfMode, depth_ + 1);
    storages_.push_back(opened);
    *ppstg = opened;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT DocStorage::Commit(DWORD grfCommitFlags) {
  if (reverted_) return STG_E_REVERTED;
  if (grfCommitFlags & ~kCommitFlags) return STG_E_INVALIDFLAG;
  if (!ModeCanWrite(mode_)) return STG_E_ACCESSDENIED;
  if (!ModeIsTransacted(mode_)) return CommitDirect(grfCommitFlags);
  try {
    work_->mtime = CurrentFileTime();
    if (isRoot_) {
      if ((grfCommitFlags & STGC_ONLYIFCURRENT) && lease_.Generation() != generation_) return STG_E_NOTCURRENT;
      std::unique_ptr<StorageNode> snapshot = work_->Clone();
      HRESULT hr = WriteFile(*work_, grfCommitFlags);
      if (FAILED(hr)) return hr;
      committed_ = std::move(snapshot);
      base_ = committed_.get();
      return S_OK;
    }
    base_->AssignContents(*work_);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return parent_->CommitDirect(grfCommitFlags);
}

HRESULT DocStorage::CommitDirect(DWORD flags) {
  if (reverted_) return STG_E_REVERTED;
  if (ModeIsTransacted(mode_)) return S_OK;
  if (isRoot_) {
    try {
      return WriteFile(*base_, flags);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }
  return parent_->CommitDirect(flags);
}

HRESULT DocStorage::Revert() {
  if (reverted_) return STG_E_REVERTED;
  if (!work_) return S_OK;
  try {
    std::unique_ptr<StorageNode> fresh = base_->Clone();
    InvalidateElements();
    work_ = std::move(fresh);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT DocStorage::EnumElements(DWORD reserved1, void* reserved2, DWORD reserved3, IEnumSTATSTG** ppenum) {
  if (!ppenum) return STG_E_INVALIDPOINTER;
  *ppenum = nullptr;
  if (reserved1 || reserved2 || reserved3) return STG_E_INVALIDPARAMETER;
  if (reverted_) return STG_E_REVERTED;
  try {
    auto list = std::make_shared<std::vector<ElementInfo>>();
    list->reserve(Tree()->children.size());
    for (const auto& child : Tree()->children) list->push_back(ElementInfo::Of(*child));
    *ppenum = new ElementEnumerator(std::move(list));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT DocStorage::DestroyElement(const OLECHAR* pwcsName) {
  if (reverted_) return STG_E_REVERTED;
  std::u16string_view view;
  HRESULT hr = CheckName(pwcsName, view);
  if (FAILED(hr)) return hr;
  if (!ModeCanWrite(mode_)) return STG_E_ACCESSDENIED;
  StorageNode* node = Tree()->Find(view);
  if (!node) return STG_E_FILENOTFOUND;
  CloseElement(node);
  Tree()->Extract(node);
  Touch();
  return S_OK;
}

HRESULT DocStorage::RenameElement(const OLECHAR* pwcsOldName, const OLECHAR* pwcsNewName) {
  if (reverted_) return STG_E_REVERTED;
  std::u16string_view oldName;
  std::u16string_view newName;
  HRESULT hr = CheckName(pwcsOldName, oldName);
  if (FAILED(hr) || FAILED(hr = CheckName(pwcsNewName, newName))) return hr;
  if (!ModeCanWrite(mode_)) return STG_E_ACCESSDENIED;
  StorageNode* tree = Tree();
  StorageNode* node = tree->Find(oldName);
  if (!node) return STG_E_FILENOTFOUND;
  StorageNode* other = tree->Find(newName);
  if (other && other != node) return STG_E_FILEALREADYEXISTS;
  if (IsElementOpen(node)) return STG_E_ACCESSDENIED;
  try {
    std::u16string name(newName);
    std::unique_ptr<StorageNode> taken = tree->Extract(node);
    taken->name = std::move(name);
    // The slot just freed takes it back: no allocation.
    tree->Insert(std::move(taken));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  Touch();
  return S_OK;
}

HRESULT DocStorage::Stat(STATSTG* pstatstg, DWORD grfStatFlag) {
  if (!pstatstg) return STG_E_INVALIDPOINTER;
  if (reverted_) return STG_E_REVERTED;
  try {
    ElementInfo info = ElementInfo::Of(*Tree());
    // The root is named by its file.
    if (isRoot_) info.name = Utf8ToUtf16(path_);
    info.type = STGTY_STORAGE;
    return FillStatStg(info, mode_, grfStatFlag, *pstatstg);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace platform
