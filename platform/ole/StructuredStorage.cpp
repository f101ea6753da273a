#include "platform/ole/StructuredStorage.h"

#include <new>

#include "platform/ole/CompoundFileReader.h"
#include "platform/ole/CompoundFileWriter.h"
#include "platform/ole/DocStorage.h"
#include "platform/ole/StorageFileIo.h"
#include "platform/ole/StorageMode.h"

using namespace platform;

namespace {

HRESULT CheckRootMode(DWORD mode, DWORD creation) {
  HRESULT hr = CheckModeFlags(mode, STGM_TRANSACTED | creation);
  if (FAILED(hr)) return hr;
  // A direct root that writes must have the file to itself.
  if (!ModeIsTransacted(mode) && ModeCanWrite(mode) && (mode & kStgmShareMask) != STGM_SHARE_EXCLUSIVE)
    return STG_E_INVALIDFLAG;
  return S_OK;
}

HRESULT ResolveFile(const WCHAR* name, std::string& canonical, bool& exists) {
  if (!name || !*name) return STG_E_INVALIDNAME;
  return CanonicalStoragePath(StorageFilePath(name), canonical, exists);
}

}  // namespace

HRESULT StgIsStorageFile(const WCHAR* pwcsName) {
  try {
    std::string canonical;
    bool exists = false;
    HRESULT hr = ResolveFile(pwcsName, canonical, exists);
    if (FAILED(hr)) return hr;
    if (!exists) return STG_E_FILENOTFOUND;
    std::vector<BYTE> head;
    constexpr size_t kHeaderSize = 512;
    if (FAILED(hr = ReadFileBytes(canonical, head, kHeaderSize))) return hr;
    return head.size() == kHeaderSize && HasCompoundFileSignature(head) ? S_OK : S_FALSE;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT StgCreateDocfile(const WCHAR* pwcsName, DWORD grfMode, DWORD reserved, IStorage** ppstgOpen) {
  if (!ppstgOpen) return STG_E_INVALIDPOINTER;
  *ppstgOpen = nullptr;
  if (reserved) return STG_E_INVALIDPARAMETER;
  HRESULT hr = CheckRootMode(grfMode, STGM_CREATE | STGM_CONVERT);
  if (FAILED(hr)) return hr;
  bool convert = (grfMode & STGM_CONVERT) != 0;
  bool writes = ModeCanWrite(grfMode);
  // Without write access only a transacted conversion makes sense: it reads
  // a plain file as a storage and never writes it.
  if (!writes && !(convert && ModeIsTransacted(grfMode))) return STG_E_INVALIDFLAG;
  try {
    std::string canonical;
    bool exists = false;
    if (FAILED(hr = ResolveFile(pwcsName, canonical, exists))) return hr;
    if (exists && !(grfMode & (STGM_CREATE | STGM_CONVERT))) return STG_E_FILEALREADYEXISTS;
    if (!exists && !writes) return STG_E_FILENOTFOUND;
    if (writes && FAILED(hr = CheckWriteAccess(canonical, exists))) return hr;
    ShareTable::Lease lease;
    if (FAILED(hr = ShareTable::Acquire(canonical, grfMode, lease))) return hr;

    std::unique_ptr<StorageNode> tree = StorageNode::MakeStorage(u"Root Entry");
    HRESULT result = S_OK;
    if (convert && exists) {
      std::unique_ptr<StorageNode> contents = StorageNode::MakeStream(u"CONTENTS");
      if (FAILED(hr = ReadFileBytes(canonical, contents->data))) return hr;
      if (contents->data.size() > kMaxStreamSize) return STG_E_MEDIUMFULL;
      tree->Insert(std::move(contents));
      result = STG_S_CONVERTED;
    }
    if (!exists || !ModeIsTransacted(grfMode)) {
      std::vector<BYTE> bytes;
      if (FAILED(hr = WriteCompoundFile(*tree, bytes))) return hr;
      if (FAILED(hr = ReplaceFileContents(canonical, bytes, true))) return hr;
    }
    *ppstgOpen = DocStorage::OpenRoot(std::move(tree), grfMode, std::move(canonical), std::move(lease));
    return result;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT StgOpenStorage(const WCHAR* pwcsName, IStorage* pstgPriority, DWORD grfMode, SNB snbExclude, DWORD reserved,
                       IStorage** ppstgOpen) {
  if (!ppstgOpen) return STG_E_INVALIDPOINTER;
  *ppstgOpen = nullptr;
  if (pstgPriority || snbExclude || reserved) return STG_E_INVALIDPARAMETER;
  HRESULT hr = CheckRootMode(grfMode, 0);
  if (FAILED(hr)) return hr;
  try {
    std::string canonical;
    bool exists = false;
    if (FAILED(hr = ResolveFile(pwcsName, canonical, exists))) return hr;
    if (!exists) return STG_E_FILENOTFOUND;
    if (ModeCanWrite(grfMode) && FAILED(hr = CheckWriteAccess(canonical, true))) return hr;
    ShareTable::Lease lease;
    if (FAILED(hr = ShareTable::Acquire(canonical, grfMode, lease))) return hr;
    std::vector<BYTE> bytes;
    if (FAILED(hr = ReadFileBytes(canonical, bytes))) return hr;
    std::unique_ptr<StorageNode> tree;
    if (FAILED(hr = ReadCompoundFile(bytes, tree))) return hr;
    *ppstgOpen = DocStorage::OpenRoot(std::move(tree), grfMode, std::move(canonical), std::move(lease));
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}
