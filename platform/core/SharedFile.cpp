#include "platform/core/SharedFile.h"

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT allocFlags, UINT growBytes) : CMemFile(growBytes), m_nAllocFlags(allocFlags) {}

// The base destructor cannot reach this class's Free, so the block is
// released here.
CSharedFile::~CSharedFile() { Close(); }

BYTE* CSharedFile::Alloc(size_t bytes) {
  HGLOBAL h = GlobalAlloc(m_nAllocFlags, bytes);
  if (!h) return nullptr;
  auto* p = static_cast<BYTE*>(GlobalLock(h));
  if (!p) {
    GlobalFree(h);
    return nullptr;
  }
  m_hGlobalMemory = h;
  return p;
}

BYTE* CSharedFile::Realloc(BYTE*, size_t bytes) {
  if (!m_bAllowGrow) return nullptr;
  GlobalUnlock(m_hGlobalMemory);
  HGLOBAL h = GlobalReAlloc(m_hGlobalMemory, bytes, GMEM_MOVEABLE);
  if (!h) {
    GlobalLock(m_hGlobalMemory);  // the old block stays, locked again
    return nullptr;
  }
  m_hGlobalMemory = h;
  return static_cast<BYTE*>(GlobalLock(h));
}

void CSharedFile::Free(BYTE*) {
  if (!m_hGlobalMemory) return;
  GlobalUnlock(m_hGlobalMemory);
  GlobalFree(m_hGlobalMemory);
  m_hGlobalMemory = nullptr;
}

HGLOBAL CSharedFile::Detach() {
  HGLOBAL h = m_hGlobalMemory;
  if (h) GlobalUnlock(h);
  m_hGlobalMemory = nullptr;
  CMemFile::Detach();
  return h;
}

void CSharedFile::SetHandle(HGLOBAL memory, BOOL allowGrow) {
  Close();
  auto* p = static_cast<BYTE*>(GlobalLock(memory));
  if (!p && GlobalSize(memory) != 0) AfxThrowInvalidArgException();
  m_hGlobalMemory = p ? memory : nullptr;
  m_lpBuffer = p;
  m_nBufferSize = m_nFileSize = p ? GlobalSize(memory) : 0;
  m_nPosition = 0;
  m_bAllowGrow = allowGrow;
  m_bAutoDelete = TRUE;
  if (!p && memory) GlobalFree(memory);  // an empty block: the file starts afresh
}

void CSharedFile::Close() {
  CMemFile::Close();
  m_bAllowGrow = TRUE;
}
