#include "platform/ole/DataTransfer.h"

#include <cstring>

void ReleaseStgMedium(LPSTGMEDIUM medium) {
  if (!medium) return;
  if (medium->pUnkForRelease) {
    medium->pUnkForRelease->Release();
  } else {
    switch (medium->tymed) {
      case TYMED_HGLOBAL:
        if (medium->hGlobal) GlobalFree(medium->hGlobal);
        break;
      case TYMED_ISTREAM:
        if (medium->pstm) medium->pstm->Release();
        break;
      case TYMED_ISTORAGE:
        if (medium->pstg) medium->pstg->Release();
        break;
      default:
        break;
    }
  }
  medium->tymed = TYMED_NULL;
  medium->hGlobal = nullptr;
  medium->pUnkForRelease = nullptr;
}

HGLOBAL CopyGlobalBlock(HGLOBAL block) {
  const SIZE_T size = GlobalSize(block);
  const void* from = GlobalLock(block);
  if (!from && size) return nullptr;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, size);
  if (copy && size) {
    std::memcpy(GlobalLock(copy), from, size);
    GlobalUnlock(copy);
  }
  if (from) GlobalUnlock(block);
  return copy;
}

FORMATETC MakeFormatEtc(CLIPFORMAT format, DWORD media) {
  return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, media};
}
