// COleDataSource: data offered to the clipboard or to a drag, format by
// format. A format's data are either cached (handed over now, owned by the
// source, given out as copies) or rendered on demand: the source is asked
// (OnRenderData, OnRenderGlobalData, OnRenderFileData) only when a reader
// wants that format. Media offered: global memory, and the streams and
// storages a caller caches.
//
// The source is reference counted as the object it offers (GetDataObject):
// it starts with one reference, its maker's. SetClipboard hands that
// reference to the clipboard, which releases it when the clipboard is
// emptied or set again, so a source put on the clipboard must come from new
// and is not deleted by its maker. A source used only for a drag may live
// on the stack.
#pragma once

#include <vector>

#include "platform/core/File.h"
#include "platform/core/Geometry.h"
#include "platform/ole/DataTransfer.h"
#include "platform/ole/DropEffect.h"
#include "platform/ui/CmdTarget.h"

class COleDataSource : public CCmdTarget {
  DECLARE_DYNAMIC(COleDataSource)

 public:
  COleDataSource();
  ~COleDataSource() override;

  // Offers `block` (owned from now on) for `format`; a format offered
  // before is replaced.
  void CacheGlobalData(CLIPFORMAT format, HGLOBAL block, LPFORMATETC formatEtc = nullptr);
  // Offers what `medium` carries (owned from now on) for `format`.
  void CacheData(CLIPFORMAT format, LPSTGMEDIUM medium, LPFORMATETC formatEtc = nullptr);
  // Offers `format`, rendered on demand by OnRenderData.
  void DelayRenderData(CLIPFORMAT format, LPFORMATETC formatEtc = nullptr);
  // Offers `format`, rendered on demand by OnRenderFileData into a memory
  // file whose block is handed out.
  void DelayRenderFileData(CLIPFORMAT format, LPFORMATETC formatEtc = nullptr);
  // Withdraws every format and frees the cached data.
  void Empty();

  // Puts the source on the clipboard, handing it the maker's reference
  // (see above). Throws COleException when the clipboard cannot be set.
  void SetClipboard();
  // The source that owns the clipboard now, or null.
  static COleDataSource* GetClipboardOwner();
  // Renders every format of the clipboard's source into the clipboard and
  // lets the source go; the data stay.
  static void FlushClipboard();

  // Runs the drag-and-drop loop (DragDrop.h) with this source's data: the
  // effect of the drop, or DROPEFFECT_NONE when it was cancelled, refused or
  // never started. With `startDrag` (screen coordinates) the drag starts
  // only once the mouse leaves that rectangle.
  DROPEFFECT DoDragDrop(DWORD effects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                        LPCRECT startDrag = nullptr);

  // The data object the source offers; the caller does not own the
  // reference (AddRef to keep it).
  LPDATAOBJECT GetDataObject();
  DWORD InternalAddRef();
  // Frees the source with its last reference.
  DWORD InternalRelease();

  // Rendering on demand. OnRenderData renders into the medium the request
  // names: for global memory through OnRenderGlobalData, then
  // OnRenderFileData. Each returns FALSE when it cannot render the format
  // (the defaults cannot render any).
  virtual BOOL OnRenderData(LPFORMATETC formatEtc, LPSTGMEDIUM medium);
  virtual BOOL OnRenderGlobalData(LPFORMATETC formatEtc, HGLOBAL* block);
  virtual BOOL OnRenderFileData(LPFORMATETC formatEtc, CFile* file);

 private:
  class DataObject;
  struct Entry {
    FORMATETC format;
    STGMEDIUM medium;  // TYMED_NULL while rendered on demand
    bool delayed;
  };
  Entry* Find(const FORMATETC& request);
  void Offer(CLIPFORMAT format, LPFORMATETC formatEtc, DWORD media, const STGMEDIUM* medium);
  HRESULT GetData(const FORMATETC* request, STGMEDIUM* medium);
  HRESULT QueryGetData(const FORMATETC* request);

  std::vector<Entry> m_entries;
  DWORD m_dwRef = 1;
  DataObject* m_pDataObject;
};
