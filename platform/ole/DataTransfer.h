// The records of data transfer, with the values and layouts of the Windows
// headers: a format asked for (FORMATETC), the medium that carries the data
// (STGMEDIUM) and the data object that offers them (IDataObject). The
// clipboard (OleClipboard.h) and drag and drop (DragDrop.h) carry data
// objects; COleDataSource makes one and COleDataObject reads one.
#pragma once

#include <vector>

#include "platform/core/GlobalMemory.h"
#include "platform/ole/HResult.h"
#include "platform/ole/Storage.h"
#include "platform/ole/Stream.h"
#include "platform/ole/Unknown.h"

typedef WORD CLIPFORMAT;

// Media (STGMEDIUM::tymed). Data travel here in global memory, streams and
// storages; the other media are named for completeness and never offered.
#define TYMED_NULL 0
#define TYMED_HGLOBAL 1
#define TYMED_FILE 2
#define TYMED_ISTREAM 4
#define TYMED_ISTORAGE 8
#define TYMED_GDI 16
#define TYMED_MFPICT 32
#define TYMED_ENHMF 64

// Aspects (FORMATETC::dwAspect).
#define DVASPECT_CONTENT 1
#define DVASPECT_THUMBNAIL 2
#define DVASPECT_ICON 4
#define DVASPECT_DOCPRINT 8

// Results of data transfer.
#ifndef DV_E_FORMATETC
#define DV_E_FORMATETC ((HRESULT)0x80040064L)
#define DV_E_TYMED ((HRESULT)0x80040069L)
#define DV_E_LINDEX ((HRESULT)0x80040068L)
#define DV_E_DVASPECT ((HRESULT)0x8004006BL)
#endif
#ifndef CLIPBRD_E_CANT_OPEN
#define CLIPBRD_E_CANT_OPEN ((HRESULT)0x800401D0L)
#define CLIPBRD_E_CANT_SET ((HRESULT)0x800401D2L)
#define CLIPBRD_E_CANT_CLOSE ((HRESULT)0x800401D4L)
#endif
#ifndef DRAGDROP_S_DROP
#define DRAGDROP_S_DROP ((HRESULT)0x00040100L)
#define DRAGDROP_S_CANCEL ((HRESULT)0x00040101L)
#define DRAGDROP_E_NOTREGISTERED ((HRESULT)0x80040100L)
#define DRAGDROP_E_ALREADYREGISTERED ((HRESULT)0x80040101L)
#define DRAGDROP_E_INVALIDHWND ((HRESULT)0x80040102L)
#endif

struct FORMATETC {
  CLIPFORMAT cfFormat;
  void* ptd;  // target device: always null here
  DWORD dwAspect;
  LONG lindex;
  DWORD tymed;  // the media acceptable (a request) or offered (an offer)
};
typedef FORMATETC* LPFORMATETC;

struct STGMEDIUM {
  DWORD tymed;
  union {
    HGLOBAL hGlobal;
    LPSTREAM pstm;
    LPSTORAGE pstg;
  };
  // Null: the receiver of the medium frees what it carries.
  IUnknown* pUnkForRelease;
};
typedef STGMEDIUM* LPSTGMEDIUM;

// Frees what the medium carries (the block, or a reference to the stream or
// storage) and empties it.
void ReleaseStgMedium(LPSTGMEDIUM medium);

// A new block holding a copy of `block`'s bytes, or null.
HGLOBAL CopyGlobalBlock(HGLOBAL block);

class IDataObject : public IUnknown {
 public:
  // Renders the data of `format` into a new medium, which the caller then
  // frees (ReleaseStgMedium). DV_E_FORMATETC when the format is not
  // offered, DV_E_TYMED when none of the media asked for is.
  virtual HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) = 0;
  // S_OK when GetData would give the format in one of the media asked for.
  virtual HRESULT QueryGetData(const FORMATETC* format) = 0;
  // The formats offered, in the order of preference.
  virtual HRESULT EnumFormatEtc(std::vector<FORMATETC>& formats) = 0;
};
typedef IDataObject* LPDATAOBJECT;

// A request for `format` as content in global memory (and, with `media`,
// in the other media named).
FORMATETC MakeFormatEtc(CLIPFORMAT format, DWORD media = TYMED_HGLOBAL);
