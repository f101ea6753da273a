// COleDataObject: the reading side of data transfer. It is attached to a
// data object (a drag's, or the clipboard's) and asks it for formats; what
// it gets belongs to the caller.
#pragma once

#include <vector>

#include "platform/core/File.h"
#include "platform/ole/DataTransfer.h"

class COleDataObject {
 public:
  COleDataObject() = default;
  ~COleDataObject();
  COleDataObject(const COleDataObject&) = delete;
  COleDataObject& operator=(const COleDataObject&) = delete;

  // Reads `data`; with `autoRelease` the reference passes to this object,
  // which releases it when it lets go. Whatever was attached before is let
  // go.
  void Attach(LPDATAOBJECT data, BOOL autoRelease = TRUE);
  // Lets go without releasing; returns the data object.
  LPDATAOBJECT Detach();
  // Lets go, releasing the reference when it was handed over.
  void Release();
  // Reads the clipboard (OleGetClipboard). FALSE when it cannot be had.
  BOOL AttachClipboard();
  LPDATAOBJECT GetIDataObject() const { return m_lpDataObject; }

  // The formats offered, one at a time: BeginEnumFormats starts over,
  // GetNextFormat gives the next (FALSE at the end).
  void BeginEnumFormats();
  BOOL GetNextFormat(LPFORMATETC formatEtc);

  // Whether `format` can be had (in global memory unless `formatEtc`
  // names other media).
  BOOL IsDataAvailable(CLIPFORMAT format, LPFORMATETC formatEtc = nullptr);
  // The data in a medium the caller frees (ReleaseStgMedium).
  BOOL GetData(CLIPFORMAT format, LPSTGMEDIUM medium, LPFORMATETC formatEtc = nullptr);
  // The data in a global-memory block the caller frees; null when not had.
  HGLOBAL GetGlobalData(CLIPFORMAT format, LPFORMATETC formatEtc = nullptr);
  // The data as a memory file over their block (new; the caller deletes
  // it, which frees the block); null when not had.
  CFile* GetFileData(CLIPFORMAT format, LPFORMATETC formatEtc = nullptr);

 private:
  FORMATETC Request(CLIPFORMAT format, LPFORMATETC formatEtc, DWORD media) const;

  LPDATAOBJECT m_lpDataObject = nullptr;
  BOOL m_bAutoRelease = FALSE;
  std::vector<FORMATETC> m_formats;
  size_t m_nextFormat = 0;
};
