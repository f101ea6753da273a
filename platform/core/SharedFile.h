// CSharedFile: a memory file whose memory is a global-memory block, the form
// in which data travel through the clipboard and data transfer. Detach hands
// the block's handle over (unlocked); SetHandle takes one in.
#pragma once

#include "platform/core/GlobalMemory.h"
#include "platform/core/MemFile.h"

class CSharedFile : public CMemFile {
  DECLARE_DYNAMIC(CSharedFile)

 public:
  explicit CSharedFile(UINT allocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT growBytes = 4096);
  ~CSharedFile() override;

  // Gives the block to the caller (who frees it with GlobalFree, or passes it
  // on) and leaves the file empty. Null when the file has no block yet.
  HGLOBAL Detach();
  // Makes the file read and write the block `memory`, whose size is the
  // file's length; with `allowGrow` the block grows as the file does. The
  // file frees the block on Close unless it is detached again.
  void SetHandle(HGLOBAL memory, BOOL allowGrow = TRUE);

  void Close() override;

 protected:
  BYTE* Alloc(size_t bytes) override;
  BYTE* Realloc(BYTE* memory, size_t bytes) override;
  void Free(BYTE* memory) override;

  UINT m_nAllocFlags;
  HGLOBAL m_hGlobalMemory = nullptr;
  BOOL m_bAllowGrow = TRUE;
};
