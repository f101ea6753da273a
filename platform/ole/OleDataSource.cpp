#include "platform/ole/OleDataSource.h"

#include "platform/core/Exceptions.h"
#include "platform/core/SharedFile.h"
#include "platform/ole/DragDrop.h"
#include "platform/ole/OleClipboard.h"

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

// The data object is a face of the source: its references are the
// source's.
class COleDataSource::DataObject : public IDataObject {
 public:
  explicit DataObject(COleDataSource* source) : source_(source) {}
  ULONG AddRef() override { return source_->InternalAddRef(); }
  ULONG Release() override { return source_->InternalRelease(); }
  HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) override { return source_->GetData(format, medium); }
  HRESULT QueryGetData(const FORMATETC* format) override { return source_->QueryGetData(format); }
  HRESULT EnumFormatEtc(std::vector<FORMATETC>& formats) override {
    formats.clear();
    for (const Entry& e : source_->m_entries) formats.push_back(e.format);
    return S_OK;
  }
  ~DataObject() override = default;

 private:
  COleDataSource* source_;
};

COleDataSource::COleDataSource() : m_pDataObject(new DataObject(this)) {}

COleDataSource::~COleDataSource() {
  Empty();
  delete m_pDataObject;
}

LPDATAOBJECT COleDataSource::GetDataObject() { return m_pDataObject; }

DWORD COleDataSource::InternalAddRef() { return ++m_dwRef; }

DWORD COleDataSource::InternalRelease() {
  if (m_dwRef == 0) return 0;
  if (--m_dwRef == 0) {
    delete this;
    return 0;
  }
  return m_dwRef;
}

void COleDataSource::Empty() {
  for (Entry& e : m_entries) {
    if (!e.delayed) ReleaseStgMedium(&e.medium);
  }
  m_entries.clear();
}

void COleDataSource::Offer(CLIPFORMAT format, LPFORMATETC formatEtc, DWORD media, const STGMEDIUM* medium) {
  FORMATETC f = formatEtc ? *formatEtc : MakeFormatEtc(format, media);
  f.cfFormat = format;
  if (!formatEtc) f.tymed = media;
  STGMEDIUM m{};
  m.tymed = TYMED_NULL;
  if (medium) m = *medium;
  // The same format and aspect offered again replaces the old offer.
  for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
    if (it->format.cfFormat == f.cfFormat && it->format.dwAspect == f.dwAspect && it->format.lindex == f.lindex) {
      if (!it->delayed) ReleaseStgMedium(&it->medium);
      m_entries.erase(it);
      break;
    }
  }
  m_entries.push_back(Entry{f, m, medium == nullptr});
}

void COleDataSource::CacheGlobalData(CLIPFORMAT format, HGLOBAL block, LPFORMATETC formatEtc) {
  STGMEDIUM medium{};
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = block;
  medium.pUnkForRelease = nullptr;
  Offer(format, formatEtc, TYMED_HGLOBAL, &medium);
}

void COleDataSource::CacheData(CLIPFORMAT format, LPSTGMEDIUM medium, LPFORMATETC formatEtc) {
  if (!medium) AfxThrowInvalidArgException();
  Offer(format, formatEtc, medium->tymed, medium);
  if (formatEtc) m_entries.back().format.tymed = medium->tymed;
}

void COleDataSource::DelayRenderData(CLIPFORMAT format, LPFORMATETC formatEtc) {
  Offer(format, formatEtc, TYMED_HGLOBAL, nullptr);
}

void COleDataSource::DelayRenderFileData(CLIPFORMAT format, LPFORMATETC formatEtc) {
  Offer(format, formatEtc, TYMED_HGLOBAL, nullptr);
}

COleDataSource::Entry* COleDataSource::Find(const FORMATETC& request) {
  for (Entry& e : m_entries) {
    if (e.format.cfFormat != request.cfFormat || e.format.dwAspect != request.dwAspect) continue;
    if (request.lindex != -1 && e.format.lindex != request.lindex) continue;
    return &e;
  }
  return nullptr;
}

HRESULT COleDataSource::QueryGetData(const FORMATETC* request) {
  if (!request) return E_INVALIDARG;
  Entry* e = Find(*request);
  if (!e) return DV_E_FORMATETC;
  return (e->format.tymed & request->tymed) ? S_OK : DV_E_TYMED;
}

HRESULT COleDataSource::GetData(const FORMATETC* request, STGMEDIUM* medium) {
  if (!request || !medium) return E_INVALIDARG;
  medium->tymed = TYMED_NULL;
  medium->hGlobal = nullptr;
  medium->pUnkForRelease = nullptr;
  Entry* e = Find(*request);
  if (!e) return DV_E_FORMATETC;
  const DWORD media = e->format.tymed & request->tymed;
  if (!media) return DV_E_TYMED;
  if (!e->delayed) {
    // The reader gets its own copy of a block, or its own reference to a
    // stream or storage.
    switch (e->medium.tymed) {
      case TYMED_HGLOBAL:
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = CopyGlobalBlock(e->medium.hGlobal);
        return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
      case TYMED_ISTREAM:
      case TYMED_ISTORAGE:
        *medium = e->medium;
        medium->pUnkForRelease = nullptr;
        if (medium->tymed == TYMED_ISTREAM)
          medium->pstm->AddRef();
        else
          medium->pstg->AddRef();
        return S_OK;
      default:
        return DV_E_TYMED;
    }
  }
  FORMATETC asked = e->format;
  asked.tymed = (media & TYMED_HGLOBAL) ? TYMED_HGLOBAL : media;
  medium->tymed = asked.tymed;
  // The source stays alive while it renders, whoever lets it go meanwhile.
  InternalAddRef();
  BOOL rendered = FALSE;
  try {
    rendered = OnRenderData(&asked, medium);
  } catch (...) {
    InternalRelease();
    throw;
  }
  InternalRelease();
  if (!rendered) {
    medium->tymed = TYMED_NULL;
    medium->hGlobal = nullptr;
    return E_FAIL;
  }
  return S_OK;
}

BOOL COleDataSource::OnRenderData(LPFORMATETC formatEtc, LPSTGMEDIUM medium) {
  if (formatEtc->tymed != TYMED_HGLOBAL) return FALSE;
  HGLOBAL block = nullptr;
  if (OnRenderGlobalData(formatEtc, &block) && block) {
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return TRUE;
  }
  CSharedFile file;
  if (!OnRenderFileData(formatEtc, &file)) return FALSE;
  // A file that was never written still hands out a (empty) block.
  block = file.Detach();
  if (!block) block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, 0);
  if (!block) return FALSE;
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = block;
  medium->pUnkForRelease = nullptr;
  return TRUE;
}

BOOL COleDataSource::OnRenderGlobalData(LPFORMATETC, HGLOBAL*) { return FALSE; }

BOOL COleDataSource::OnRenderFileData(LPFORMATETC, CFile*) { return FALSE; }

void COleDataSource::SetClipboard() {
  const HRESULT hr = OleSetClipboard(GetDataObject());
  if (FAILED(hr)) AfxThrowOleException(hr);
  platform::NoteClipboardSource(GetDataObject(), this);
  // The clipboard holds its own reference now; the maker's goes with it.
  InternalRelease();
}

COleDataSource* COleDataSource::GetClipboardOwner() { return platform::CurrentClipboardSource(); }

void COleDataSource::FlushClipboard() { OleFlushClipboard(); }

DROPEFFECT COleDataSource::DoDragDrop(DWORD effects, LPCRECT startDrag) {
  DWORD effect = DROPEFFECT_NONE;
  InternalAddRef();
  try {
    platform::RunDragDrop(GetDataObject(), effects, startDrag, &effect);
  } catch (...) {
    InternalRelease();
    throw;
  }
  InternalRelease();
  return effect;
}
