#include "platform/ole/OleDataObject.h"

#include <memory>

#include "platform/core/SharedFile.h"
#include "platform/ole/OleClipboard.h"

COleDataObject::~COleDataObject() { Release(); }

void COleDataObject::Attach(LPDATAOBJECT data, BOOL autoRelease) {
  Release();
  m_lpDataObject = data;
  m_bAutoRelease = autoRelease;
}

LPDATAOBJECT COleDataObject::Detach() {
  LPDATAOBJECT data = m_lpDataObject;
  m_lpDataObject = nullptr;
  m_bAutoRelease = FALSE;
  m_formats.clear();
  m_nextFormat = 0;
  return data;
}

void COleDataObject::Release() {
  LPDATAOBJECT data = m_lpDataObject;
  const BOOL release = m_bAutoRelease;
  Detach();
  if (data && release) data->Release();
}

BOOL COleDataObject::AttachClipboard() {
  LPDATAOBJECT data = nullptr;
  if (FAILED(OleGetClipboard(&data)) || !data) return FALSE;
  Attach(data, TRUE);
  return TRUE;
}

void COleDataObject::BeginEnumFormats() {
  m_formats.clear();
  m_nextFormat = 0;
  if (m_lpDataObject) m_lpDataObject->EnumFormatEtc(m_formats);
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC formatEtc) {
  if (m_nextFormat >= m_formats.size()) return FALSE;
  if (formatEtc) *formatEtc = m_formats[m_nextFormat];
  ++m_nextFormat;
  return TRUE;
}

FORMATETC COleDataObject::Request(CLIPFORMAT format, LPFORMATETC formatEtc, DWORD media) const {
  FORMATETC request = formatEtc ? *formatEtc : MakeFormatEtc(format, media);
  request.cfFormat = format;
  return request;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT format, LPFORMATETC formatEtc) {
  if (!m_lpDataObject || !format) return FALSE;
  FORMATETC request = Request(format, formatEtc, TYMED_HGLOBAL);
  return m_lpDataObject->QueryGetData(&request) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT format, LPSTGMEDIUM medium, LPFORMATETC formatEtc) {
  if (!m_lpDataObject || !medium || !format) return FALSE;
  FORMATETC request = Request(format, formatEtc, TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_ISTORAGE);
  return SUCCEEDED(m_lpDataObject->GetData(&request, medium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT format, LPFORMATETC formatEtc) {
  if (!m_lpDataObject || !format) return nullptr;
  FORMATETC request = Request(format, formatEtc, TYMED_HGLOBAL);
  request.tymed = TYMED_HGLOBAL;
  STGMEDIUM medium{};
  if (FAILED(m_lpDataObject->GetData(&request, &medium))) return nullptr;
  if (medium.tymed != TYMED_HGLOBAL) {
    ReleaseStgMedium(&medium);
    return nullptr;
  }
  if (medium.pUnkForRelease) {
    // The block is lent: the caller gets a copy of its own.
    HGLOBAL copy = CopyGlobalBlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return copy;
  }
  return medium.hGlobal;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT format, LPFORMATETC formatEtc) {
  HGLOBAL block = GetGlobalData(format, formatEtc);
  if (!block) return nullptr;
  auto file = std::make_unique<CSharedFile>();
  try {
    file->SetHandle(block, FALSE);
  } catch (...) {
    GlobalFree(block);
    throw;
  }
  return file.release();
}
