#include "platform/ole/DocStream.h"

#include <cstring>
#include <new>

#include "platform/ole/DocStorage.h"
#include "platform/ole/ElementInfo.h"
#include "platform/ole/StorageMode.h"

namespace platform {

ULONG DocStream::Release() {
  ULONG left = --refs_;
  if (left == 0) {
    if (parent_) parent_->Forget(this);
    delete this;
  }
  return left;
}

void DocStream::Invalidate() {
  parent_ = nullptr;
  node_ = nullptr;
}

HRESULT DocStream::Read(void* pv, ULONG cb, ULONG* pcbRead) {
  if (pcbRead) *pcbRead = 0;
  if (!node_) return STG_E_REVERTED;
  if (!pv && cb > 0) return STG_E_INVALIDPOINTER;
  if (!ModeCanRead(mode_)) return STG_E_ACCESSDENIED;
  const std::vector<BYTE>& data = node_->data;
  ULONG n = 0;
  if (position_ < data.size()) {
    ULONGLONG left = data.size() - position_;
    n = left < cb ? static_cast<ULONG>(left) : cb;
    std::memcpy(pv, data.data() + position_, n);
    position_ += n;
  }
  if (pcbRead) *pcbRead = n;
  return S_OK;
}

bool DocStream::Grow(ULONGLONG size) {
  if (size > kMaxStreamSize) return false;
  try {
    node_->data.resize(static_cast<size_t>(size), 0);
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  return true;
}

HRESULT DocStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten) {
  if (pcbWritten) *pcbWritten = 0;
  if (!node_) return STG_E_REVERTED;
  if (!pv && cb > 0) return STG_E_INVALIDPOINTER;
  if (!ModeCanWrite(mode_)) return STG_E_ACCESSDENIED;
  if (cb == 0) return S_OK;
  ULONGLONG end = position_ + cb;
  if (end > node_->data.size() && !Grow(end)) return STG_E_MEDIUMFULL;
  std::memcpy(node_->data.data() + position_, pv, cb);
  position_ = end;
  if (pcbWritten) *pcbWritten = cb;
  return S_OK;
}

HRESULT DocStream::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) {
  if (!node_) return STG_E_REVERTED;
  LONGLONG from;
  switch (dwOrigin) {
    case STREAM_SEEK_SET:
      from = 0;
      break;
    case STREAM_SEEK_CUR:
      from = static_cast<LONGLONG>(position_);
      break;
    case STREAM_SEEK_END:
      from = static_cast<LONGLONG>(node_->data.size());
      break;
    default:
      return STG_E_INVALIDFUNCTION;
  }
  LONGLONG target;
  if (__builtin_add_overflow(from, dlibMove.QuadPart, &target) || target < 0) return STG_E_INVALIDFUNCTION;
  position_ = static_cast<ULONGLONG>(target);
  if (plibNewPosition) plibNewPosition->QuadPart = position_;
  return S_OK;
}

HRESULT DocStream::SetSize(ULARGE_INTEGER libNewSize) {
  if (!node_) return STG_E_REVERTED;
  if (!ModeCanWrite(mode_)) return STG_E_ACCESSDENIED;
  if (libNewSize.QuadPart <= node_->data.size()) {
    node_->data.resize(static_cast<size_t>(libNewSize.QuadPart));
    return S_OK;
  }
  return Grow(libNewSize.QuadPart) ? S_OK : STG_E_MEDIUMFULL;
}

HRESULT DocStream::Commit(DWORD grfCommitFlags) {
  if (!node_) return STG_E_REVERTED;
  if (grfCommitFlags & ~0xFu) return STG_E_INVALIDFLAG;
  if (!ModeCanWrite(mode_)) return S_OK;
  return parent_->CommitDirect(grfCommitFlags);
}

HRESULT DocStream::Stat(STATSTG* pstatstg, DWORD grfStatFlag) {
  if (!pstatstg) return STG_E_INVALIDPOINTER;
  if (!node_) return STG_E_REVERTED;
  try {
    return FillStatStg(ElementInfo::Of(*node_), mode_, grfStatFlag, *pstatstg);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace platform
