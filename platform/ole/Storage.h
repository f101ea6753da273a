// A storage of a compound file: a folder of named streams and storages. The
// root storage is the file (StgCreateDocfile, StgOpenStorage); the others are
// opened from their parent.
//
// Modes. A transacted storage (STGM_TRANSACTED) works on a private copy:
// nothing it does is seen by its parent, or in the file, until Commit, and
// Revert throws the changes away. A direct storage changes its parent at
// once; a direct root writes the file on Commit and on its last Release.
// Elements inside a storage are opened STGM_SHARE_EXCLUSIVE, once at a time,
// with no more access than their parent has.
//
// An element stays usable while its parent is open: releasing, reverting or
// destroying it in the parent makes the open element answer STG_E_REVERTED.
#pragma once

#include "platform/ole/EnumStatStg.h"
#include "platform/ole/Stream.h"

class IStorage : public IUnknown {
 public:
  // A new stream; with STGM_CREATE an element of that name is replaced,
  // without it STG_E_FILEALREADYEXISTS.
  virtual HRESULT CreateStream(const OLECHAR* pwcsName, DWORD grfMode, DWORD reserved1, DWORD reserved2,
                               IStream** ppstm) = 0;
  virtual HRESULT OpenStream(const OLECHAR* pwcsName, void* reserved1, DWORD grfMode, DWORD reserved2,
                             IStream** ppstm) = 0;
  virtual HRESULT CreateStorage(const OLECHAR* pwcsName, DWORD grfMode, DWORD reserved1, DWORD reserved2,
                                IStorage** ppstg) = 0;
  // `pstgPriority` and `snbExclude` must be null.
  virtual HRESULT OpenStorage(const OLECHAR* pwcsName, IStorage* pstgPriority, DWORD grfMode, SNB snbExclude,
                              DWORD reserved, IStorage** ppstg) = 0;
  // Publishes a transacted storage's changes to its parent, or for the root
  // to the file (a new file renamed over the old). STGC_ONLYIFCURRENT fails
  // with STG_E_NOTCURRENT when another open of the file committed since this
  // one opened or last committed. STGC_DANGEROUSLYCOMMITMERELYTODISKCACHE
  // skips waiting for the disk.
  virtual HRESULT Commit(DWORD grfCommitFlags) = 0;
  // Drops a transacted storage's changes since its last commit; the elements
  // opened from it are reverted. Nothing to do in direct mode.
  virtual HRESULT Revert() = 0;
  // `reserved1` must be 0, `reserved2` null, `reserved3` 0.
  virtual HRESULT EnumElements(DWORD reserved1, void* reserved2, DWORD reserved3, IEnumSTATSTG** ppenum) = 0;
  virtual HRESULT DestroyElement(const OLECHAR* pwcsName) = 0;
  // STG_E_ACCESSDENIED while the element is open.
  virtual HRESULT RenameElement(const OLECHAR* pwcsOldName, const OLECHAR* pwcsNewName) = 0;
  // The root reports the full path of its file as its name.
  virtual HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) = 0;
};
typedef IStorage* LPSTORAGE;
