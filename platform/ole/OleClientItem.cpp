#include "platform/ole/OleClientItem.h"

#include <algorithm>

#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"
#include "platform/core/File.h"
#include "platform/core/FileReplace.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/core/Charset.h"
#include "platform/ole/EmbeddableKind.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ole/OleItemFormats.h"
#include "platform/ole/PictureFormat.h"
#include "platform/ui/Clipboard.h"
#include "platform/ole/OleDocument.h"
#include "platform/ole/OleStreamFile.h"
#include "platform/ole/StorageFileIo.h"
#include "platform/ole/StorageTypes.h"
#include "platform/ui/View.h"

IMPLEMENT_SERIAL(COleClientItem, CDocItem, 1)

namespace {

// Where an item's bytes are kept in the archive.
constexpr BYTE kDataInStorage = 1;
constexpr BYTE kDataInArchive = 0;
// Bytes read at a time from an archive, so that a damaged length never
// allocates more than the archive holds.
constexpr UINT kReadChunk = 64 * 1024;
// The caption size of an open server window.
const CRect kOpenWindowRect(40, 40, 440, 340);

CStringW StorageNameOf(DWORD itemNumber) {
  CStringW name;
  name.Format(u"Embedding %u", static_cast<unsigned>(itemNumber));
  return name;
}

}  // namespace

COleClientItem::COleClientItem(COleDocument* container) {
  if (container) container->AddItem(this);
}

COleClientItem::~COleClientItem() {
  if (m_pServerWnd) {
    platform::ServerWindow* window = m_pServerWnd;
    m_pServerWnd = nullptr;
    window->DetachSite();
    window->DestroyWindow();
  }
}

CStringW COleClientItem::GetUserTypeName() const {
  return m_pKind ? CStringW(m_pKind->GetUserTypeName()) : m_strClassName;
}

DWORD COleClientItem::GetMiscStatus() const {
  DWORD status = m_pKind ? m_pKind->GetMiscStatus() : 0;
  if (m_nItemType == OT_LINK) status |= OLEMISC_ISLINKOBJECT;
  if (m_nItemType == OT_STATIC) status |= OLEMISC_STATIC;
  return status;
}

void COleClientItem::SetDrawAspect(DVASPECT aspect) {
  if (aspect == m_nDrawAspect) return;
  m_nDrawAspect = aspect;
  OnChange(OLE_CHANGED_ASPECT, aspect);
}

BOOL COleClientItem::IsModified() const { return m_pServerWnd && m_bEdited; }

BOOL COleClientItem::Attach(const CStringW& className, const std::vector<BYTE>& bytes, OLE_OBJTYPE type) {
  const platform::EmbeddableKind* kind = platform::FindEmbeddableKind(className);
  if (!kind) return FALSE;
  std::unique_ptr<platform::EmbeddedContent> content = kind->NewContent();
  if (!bytes.empty() || type != OT_EMBEDDED) {
    if (!content->Load(bytes)) return FALSE;
  }
  m_pKind = kind;
  m_pContent = std::move(content);
  m_strClassName = className;
  m_data = m_pContent->Save();
  m_nItemType = type;
  return TRUE;
}

BOOL COleClientItem::CreateNewItem(const CStringW& className) {
  if (m_nItemState != emptyState) return FALSE;
  if (!Attach(className, {}, OT_EMBEDDED)) return FALSE;
  SetState(loadedState);
  return TRUE;
}

BOOL COleClientItem::ReadFileBytes(const CStringW& path, std::vector<BYTE>& bytes) {
  CFile file;
  if (!file.Open(path.GetString(), CFile::modeRead | CFile::shareDenyNone)) return FALSE;
  std::vector<BYTE> read;
  BYTE chunk[4096];
  for (;;) {
    const UINT got = file.Read(chunk, sizeof chunk);
    if (got == 0) break;
    read.insert(read.end(), chunk, chunk + got);
  }
  bytes.swap(read);
  return TRUE;
}

BOOL COleClientItem::CreateFromFile(LPCWSTR path) {
  if (m_nItemState != emptyState || !path) return FALSE;
  const platform::EmbeddableKind* kind = platform::FindEmbeddableKindForFile(path);
  std::vector<BYTE> bytes;
  if (!kind || !ReadFileBytes(path, bytes)) return FALSE;
  if (!Attach(kind->GetClassName(), bytes, OT_EMBEDDED)) return FALSE;
  SetState(loadedState);
  return TRUE;
}

BOOL COleClientItem::CreateLinkFromFile(LPCWSTR path) {
  if (m_nItemState != emptyState || !path) return FALSE;
  const platform::EmbeddableKind* kind = platform::FindEmbeddableKindForFile(path);
  std::vector<BYTE> bytes;
  if (!kind || !ReadFileBytes(path, bytes)) return FALSE;
  if (!Attach(kind->GetClassName(), bytes, OT_LINK)) return FALSE;
  m_strLinkPath = path;
  SetState(loadedState);
  return TRUE;
}

BOOL COleClientItem::CreateStaticFromBytes(const CStringW& className, const std::vector<BYTE>& bytes) {
  if (m_nItemState != emptyState) return FALSE;
  if (!Attach(className, bytes, OT_STATIC)) return FALSE;
  SetState(loadedState);
  return TRUE;
}

BOOL COleClientItem::CreateCloneFrom(const COleClientItem* source) {
  if (m_nItemState != emptyState || !source || source->m_nItemState == emptyState) return FALSE;
  if (source->m_pKind) {
    if (!Attach(source->m_strClassName, source->m_data, source->m_nItemType)) return FALSE;
  } else {
    // An object of an unknown kind is copied as the bytes it is.
    m_strClassName = source->m_strClassName;
    m_data = source->m_data;
    m_nItemType = source->m_nItemType;
  }
  m_strLinkPath = source->m_strLinkPath;
  m_nDrawAspect = source->m_nDrawAspect;
  SetState(loadedState);
  return TRUE;
}

namespace {

// The text the data offer (CF_UNICODETEXT, else CF_TEXT), up to its first
// zero; false when they offer none.
bool TextOf(COleDataObject* data, CStringW& text) {
  for (const UINT format : {static_cast<UINT>(CF_UNICODETEXT), static_cast<UINT>(CF_TEXT)}) {
    HGLOBAL block = data->GetGlobalData(static_cast<CLIPFORMAT>(format));
    if (!block) continue;
    const auto* at = static_cast<const BYTE*>(::GlobalLock(block));
    const size_t size = at ? ::GlobalSize(block) : 0;
    CStringW read;
    if (format == CF_UNICODETEXT) {
      for (size_t i = 0; i + 1 < size; i += 2) {
        const WCHAR unit = static_cast<WCHAR>(at[i] | at[i + 1] << 8);
        if (!unit) break;
        read.AppendChar(unit);
      }
    } else {
      size_t length = 0;
      while (length < size && at[length]) ++length;
      read = CStringW(platform::GbkToUtf16(std::string_view(reinterpret_cast<const char*>(at), length)).c_str());
    }
    if (at) ::GlobalUnlock(block);
    ::GlobalFree(block);
    text = read;
    return true;
  }
  return false;
}

}  // namespace

BOOL COleClientItem::CanCreateFromData(COleDataObject* data) {
  if (!data) return FALSE;
  return data->IsDataAvailable(static_cast<CLIPFORMAT>(platform::EmbedSourceClipboardFormat())) ||
         data->IsDataAvailable(CF_UNICODETEXT) || data->IsDataAvailable(CF_TEXT) || CanCreateStaticFromData(data);
}

BOOL COleClientItem::CanCreateLinkFromData(COleDataObject* data) {
  return data && data->IsDataAvailable(static_cast<CLIPFORMAT>(platform::LinkSourceClipboardFormat()));
}

BOOL COleClientItem::CanCreateStaticFromData(COleDataObject* data) {
  return data && data->IsDataAvailable(static_cast<CLIPFORMAT>(platform::PictureClipboardFormat()));
}

BOOL COleClientItem::CreateFromData(COleDataObject* data) {
  if (m_nItemState != emptyState || !data) return FALSE;
  if (HGLOBAL block = data->GetGlobalData(static_cast<CLIPFORMAT>(platform::EmbedSourceClipboardFormat()))) {
    CStringW className;
    std::vector<BYTE> bytes;
    const bool read = platform::ReadEmbedSourceBlock(block, className, bytes);
    ::GlobalFree(block);
    if (!read || !Attach(className, bytes, OT_EMBEDDED)) return FALSE;
    SetState(loadedState);
    return TRUE;
  }
  CStringW text;
  if (!TextOf(data, text)) return FALSE;
  const std::string utf8 = platform::Utf16ToUtf8(std::u16string_view(text.GetString(), text.GetLength()));
  if (!Attach(platform::NoteKind().GetClassName(), std::vector<BYTE>(utf8.begin(), utf8.end()), OT_EMBEDDED))
    return FALSE;
  SetState(loadedState);
  return TRUE;
}

BOOL COleClientItem::CreateLinkFromData(COleDataObject* data) {
  if (m_nItemState != emptyState || !data) return FALSE;
  HGLOBAL block = data->GetGlobalData(static_cast<CLIPFORMAT>(platform::LinkSourceClipboardFormat()));
  if (!block) return FALSE;
  CStringW path;
  const bool read = platform::ReadLinkSourceBlock(block, path);
  ::GlobalFree(block);
  return read && CreateLinkFromFile(path.GetString());
}

BOOL COleClientItem::CreateStaticFromData(COleDataObject* data) {
  if (m_nItemState != emptyState || !data) return FALSE;
  HGLOBAL block = data->GetGlobalData(static_cast<CLIPFORMAT>(platform::PictureClipboardFormat()));
  if (!block) return FALSE;
  platform::PixelBuffer pixels;
  SIZE himetric{0, 0};
  const bool read = platform::ReadPictureBlock(block, pixels, himetric);
  ::GlobalFree(block);
  if (!read || pixels.Empty()) return FALSE;
  // The picture kind's own stream: a pixmap of the pixels.
  const std::string header =
      "P6\n" + std::to_string(pixels.Width()) + " " + std::to_string(pixels.Height()) + "\n255\n";
  std::vector<BYTE> bytes(header.begin(), header.end());
  bytes.reserve(bytes.size() + static_cast<size_t>(pixels.Width()) * pixels.Height() * 3);
  for (int y = 0; y < pixels.Height(); ++y) {
    for (int x = 0; x < pixels.Width(); ++x) {
      const COLORREF color = pixels.GetColor(x, y);
      bytes.push_back(GetRValue(color));
      bytes.push_back(GetGValue(color));
      bytes.push_back(GetBValue(color));
    }
  }
  return CreateStaticFromBytes(platform::PictureKind().GetClassName(), bytes);
}

void COleClientItem::GetClipboardData(COleDataSource* source, BOOL includeLink) {
  if (!source || m_nItemState == emptyState) return;
  if (HGLOBAL block = platform::MakeEmbedSourceBlock(m_strClassName, m_data))
    source->CacheGlobalData(static_cast<CLIPFORMAT>(platform::EmbedSourceClipboardFormat()), block);
  if (includeLink && m_nItemType == OT_LINK) {
    if (HGLOBAL block = platform::MakeLinkSourceBlock(m_strLinkPath))
      source->CacheGlobalData(static_cast<CLIPFORMAT>(platform::LinkSourceClipboardFormat()), block);
  }
}

BOOL COleClientItem::ConvertTo(const CStringW& className) {
  if (m_nItemState != loadedState || m_nItemType == OT_LINK) return FALSE;
  if (className == m_strClassName) return TRUE;
  const platform::EmbeddableKind* kind = platform::FindEmbeddableKind(className);
  if (!kind) return FALSE;
  std::unique_ptr<platform::EmbeddedContent> content = kind->NewContent();
  if (!content->Load(m_data)) return FALSE;
  m_pKind = kind;
  m_pContent = std::move(content);
  m_strClassName = className;
  m_data = m_pContent->Save();
  OnChange(OLE_CHANGED, DVASPECT_CONTENT);
  return TRUE;
}

void COleClientItem::SetState(UINT state) {
  if (state == m_nItemState) return;
  const UINT old = m_nItemState;
  m_nItemState = state;
  OnChange(OLE_CHANGED_STATE, old);
}

BOOL COleClientItem::GetExtent(LPSIZE size, DVASPECT aspect) {
  if (aspect == static_cast<DVASPECT>(-1)) aspect = m_nDrawAspect;
  if (!size || !m_pContent || aspect != DVASPECT_CONTENT) return FALSE;
  const CSize extent = m_pContent->GetExtent();
  size->cx = extent.cx;
  size->cy = extent.cy;
  return TRUE;
}

BOOL COleClientItem::Draw(CDC* dc, LPCRECT bounds, DVASPECT aspect) {
  if (aspect == static_cast<DVASPECT>(-1)) aspect = m_nDrawAspect;
  if (!dc || !bounds || m_nItemState == emptyState) return FALSE;
  if (!m_pContent || aspect != DVASPECT_CONTENT) {
    // Nothing that can be drawn: a grey box shows where the object is.
    CRect box(bounds);
    box.NormalizeRect();
    dc->FillSolidRect(&box, RGB(192, 192, 192));
    return FALSE;
  }
  m_pContent->Draw(dc, CRect(bounds));
  return TRUE;
}

BOOL COleClientItem::DoVerb(LONG verb, CView* view, LPMSG) {
  if (m_nItemState == emptyState || !m_pContent || m_nItemType == OT_STATIC) return FALSE;
  switch (verb) {
    case OLEIVERB_HIDE:
      if (m_nItemState == activeUIState) {
        DeactivateUI();
      } else if (m_pServerWnd) {
        m_pServerWnd->ShowWindow(SW_HIDE);
      }
      return TRUE;
    case OLEIVERB_OPEN:
      if (IsInPlaceActive()) Deactivate();
      return OpenServer(nullptr, false);
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
    case OLEIVERB_INPLACEACTIVATE:
      if (m_nItemState == openState) return OpenServer(nullptr, false);
      if (view && m_pKind->EditsInPlace() && m_nItemType != OT_LINK && CanActivate()) return OpenServer(view, true);
      if (verb == OLEIVERB_UIACTIVATE || verb == OLEIVERB_INPLACEACTIVATE) return FALSE;
      return OpenServer(nullptr, false);
    default:
      return FALSE;
  }
}

void COleClientItem::Activate(LONG verb, CView* view, LPMSG msg) {
  if (!DoVerb(verb, view, msg)) AfxThrowOleException(E_FAIL);
}

BOOL COleClientItem::OpenServer(CView* view, bool inPlace) {
  if (m_pServerWnd) {
    if (!inPlace && m_nItemState == openState) {
      // Already open: the window comes to the front.
      m_pServerWnd->ShowWindow(SW_SHOW);
      m_pServerWnd->SetFocus();
      return TRUE;
    }
    if (inPlace && m_pView == view && IsInPlaceActive()) {
      if (m_nItemState == activeState) {
        m_pServerWnd->ShowWindow(SW_SHOW);
        SetState(activeUIState);
        OnActivateUI();
      }
      return TRUE;
    }
    CloseServer(TRUE);
  }
  CRect rect = kOpenWindowRect;
  if (inPlace) {
    m_pView = view;
    OnActivate();
    OnGetItemPosition(rect);
    rect.NormalizeRect();
  }
  CStringW caption = GetUserTypeName();
  if (m_nItemType == OT_LINK) caption += CStringW(u" - ") + m_strLinkPath;
  m_pServerWnd = platform::ServerWindow::Open(this, m_pContent.get(), caption, inPlace ? view : nullptr, rect);
  if (!m_pServerWnd) {
    m_pView = nullptr;
    return FALSE;
  }
  // Filling the editor is no edit.
  m_bEdited = FALSE;
  if (inPlace) {
    SetState(activeUIState);
    OnActivateUI();
  } else {
    SetState(openState);
  }
  return TRUE;
}

BOOL COleClientItem::SaveEdits() {
  if (!m_pServerWnd || !m_pContent) return FALSE;
  const bool changed = m_pContent->TakeEdits(m_pServerWnd);
  m_bEdited = FALSE;
  if (!changed) return FALSE;
  std::vector<BYTE> bytes = m_pContent->Save();
  if (m_nItemType == OT_LINK) {
    // A link's object lives in its file.
    const std::string path = platform::StorageFilePath(m_strLinkPath.GetString());
    if (platform::ReplaceFileBytes(path, bytes, false) != 0) {
      // The file keeps what it held, and so does the item.
      m_pContent->Load(m_data);
      return FALSE;
    }
  }
  m_data.swap(bytes);
  OnChange(OLE_SAVED, 0);
  OnChange(OLE_CHANGED, DVASPECT_CONTENT);
  return TRUE;
}

void COleClientItem::CloseServer(BOOL save) {
  if (!m_pServerWnd) return;
  if (save) {
    SaveEdits();
  } else if (m_pContent) {
    // The edits are dropped: the content goes back to the saved object.
    m_pContent->Load(m_data);
  }
  const BOOL wasInPlace = IsInPlaceActive();
  platform::ServerWindow* window = m_pServerWnd;
  m_pServerWnd = nullptr;
  window->DetachSite();
  window->DestroyWindow();
  if (wasInPlace) {
    if (m_nItemState == activeUIState) OnDeactivateUI(FALSE);
    OnDeactivate();
    m_pView = nullptr;
  }
  SetState(loadedState);
  OnChange(OLE_CLOSED, 0);
}

void COleClientItem::Close(OLECLOSE option) { CloseServer(option != OLECLOSE_NOSAVE); }

void COleClientItem::Deactivate() {
  if (IsInPlaceActive()) CloseServer(TRUE);
}

void COleClientItem::DeactivateUI() {
  if (m_nItemState != activeUIState) return;
  SetState(activeState);
  OnDeactivateUI(FALSE);
}

BOOL COleClientItem::SetItemRects(LPCRECT position, LPCRECT) {
  if (!IsInPlaceActive() || !m_pServerWnd) return FALSE;
  CRect rect;
  if (position) {
    rect = *position;
  } else {
    OnGetItemPosition(rect);
  }
  rect.NormalizeRect();
  m_pServerWnd->MoveWindow(&rect, TRUE);
  return TRUE;
}

CWnd* COleClientItem::GetInPlaceWindow() const { return IsInPlaceActive() ? m_pServerWnd : nullptr; }

HWND COleClientItem::GetServerWindow() const { return m_pServerWnd ? m_pServerWnd->GetSafeHwnd() : nullptr; }

BOOL COleClientItem::IsLinkUpToDate() const {
  if (m_nItemType != OT_LINK) return TRUE;
  std::vector<BYTE> bytes;
  return ReadFileBytes(m_strLinkPath, bytes) && bytes == m_data;
}

BOOL COleClientItem::UpdateLink() {
  if (m_nItemType != OT_LINK || !m_pContent) return FALSE;
  std::vector<BYTE> bytes;
  if (!ReadFileBytes(m_strLinkPath, bytes)) return FALSE;
  if (bytes == m_data) return TRUE;
  if (!m_pContent->Load(bytes)) return FALSE;
  m_data = m_pContent->Save();
  OnChange(OLE_CHANGED, DVASPECT_CONTENT);
  return TRUE;
}

void COleClientItem::OnChange(OLE_NOTIFICATION notification, DWORD) {
  if ((notification == OLE_SAVED || notification == OLE_CHANGED) && m_pDocument) m_pDocument->SetModifiedFlag(TRUE);
}

void COleClientItem::OnGetItemPosition(CRect& position) { position.SetRectEmpty(); }

BOOL COleClientItem::OnChangeItemPosition(const CRect& position) { return SetItemRects(&position); }

BOOL COleClientItem::CanActivate() { return TRUE; }
void COleClientItem::OnActivate() {}
void COleClientItem::OnActivateUI() {}
void COleClientItem::OnDeactivate() {}
void COleClientItem::OnDeactivateUI(BOOL) {}

void COleClientItem::OnServerEdited() { m_bEdited = TRUE; }

void COleClientItem::OnServerCloseRequested() { CloseServer(TRUE); }

void COleClientItem::OnServerWindowGone() {
  // The window went without the item closing it (its parent view was
  // destroyed): the edits in it are lost with it.
  m_pServerWnd = nullptr;
  if (m_pContent) m_pContent->Load(m_data);
  if (IsInPlaceActive()) {
    if (m_nItemState == activeUIState) OnDeactivateUI(FALSE);
    OnDeactivate();
    m_pView = nullptr;
  }
  if (m_nItemState != loadedState && m_nItemState != emptyState) {
    SetState(loadedState);
    OnChange(OLE_CLOSED, 0);
  }
}

void COleClientItem::Serialize(CArchive& ar) {
  auto* document = dynamic_cast<COleDocument*>(ar.m_pDocument);
  if (ar.IsStoring()) {
    if (m_dwItemNumber == 0 && document) m_dwItemNumber = document->m_dwNextItemNumber++;
    ar << m_dwItemNumber;
    ar << static_cast<WORD>(m_nItemType);
    ar << static_cast<DWORD>(m_nDrawAspect);
    ar << m_strClassName;
    ar << m_strLinkPath;
    StoreData(ar);
    return;
  }
  WORD type = 0;
  DWORD aspect = 0;
  BYTE where = 0;
  ar >> m_dwItemNumber >> type >> aspect;
  ar >> m_strClassName >> m_strLinkPath;
  ar >> where;
  if (type < OT_LINK || type > OT_STATIC) AfxThrowArchiveException(CArchiveException::badIndex);
  LoadData(ar, where);
  if (where == kDataInStorage) {
    // The storage's number is the item's, above which new items number.
    if (document && m_dwItemNumber >= document->m_dwNextItemNumber) document->m_dwNextItemNumber = m_dwItemNumber + 1;
  } else {
    // Bytes carried in the archive (a paste, a plain file) belong to no
    // storage of this document: the item gets a number when it is stored.
    m_dwItemNumber = 0;
  }
  m_nItemType = static_cast<OLE_OBJTYPE>(type);
  m_nDrawAspect = aspect;
  // An object that no kind reads keeps its bytes and loads as an item that
  // draws a box and runs no verb.
  const std::vector<BYTE> bytes = m_data;
  if (!Attach(m_strClassName, bytes, m_nItemType)) {
    m_pKind = nullptr;
    m_pContent.reset();
    m_data = bytes;
    m_nItemType = static_cast<OLE_OBJTYPE>(type);
  } else {
    // The bytes stay as they were stored, byte for byte.
    m_data = bytes;
  }
  m_nItemState = loadedState;
}

IStorage* COleClientItem::ItemStorageRoot(CArchive& ar) {
  // Only the document's own stream sits beside the items' storages; an
  // archive elsewhere (memory, the clipboard) carries the bytes itself.
  auto* document = dynamic_cast<COleDocument*>(ar.m_pDocument);
  if (!document || !dynamic_cast<COleStreamFile*>(ar.GetFile())) return nullptr;
  return document->m_lpRootStg;
}

void COleClientItem::StoreData(CArchive& ar) {
  IStorage* root = ItemStorageRoot(ar);
  if (!root) {
    ar << kDataInArchive;
    ar << static_cast<DWORD>(m_data.size());
    if (!m_data.empty()) ar.Write(m_data.data(), static_cast<UINT>(m_data.size()));
    return;
  }
  ar << kDataInStorage;
  const CStringW name = StorageNameOf(m_dwItemNumber);
  IStorage* storage = nullptr;
  HRESULT hr = root->CreateStorage(name.GetString(), STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, 0,
                                   &storage);
  if (FAILED(hr)) AfxThrowOleException(hr);
  try {
    COleStreamFile file;
    CFileException error;
    if (!file.CreateStream(storage, u"Contents", CFile::modeReadWrite | CFile::shareExclusive | CFile::modeCreate,
                           &error))
      throw error;
    if (!m_data.empty()) file.Write(m_data.data(), static_cast<UINT>(m_data.size()));
    file.Close();
  } catch (...) {
    storage->Release();
    throw;
  }
  storage->Release();
}

void COleClientItem::LoadData(CArchive& ar, BYTE where) {
  std::vector<BYTE> bytes;
  if (where == kDataInArchive) {
    DWORD size = 0;
    ar >> size;
    while (bytes.size() < size) {
      const UINT want = static_cast<UINT>(std::min<size_t>(kReadChunk, size - bytes.size()));
      const size_t at = bytes.size();
      bytes.resize(at + want);
      if (ar.Read(bytes.data() + at, want) != want) AfxThrowArchiveException(CArchiveException::endOfFile);
    }
    m_data.swap(bytes);
    return;
  }
  if (where != kDataInStorage) AfxThrowArchiveException(CArchiveException::badIndex);
  IStorage* root = ItemStorageRoot(ar);
  if (!root) AfxThrowArchiveException(CArchiveException::badIndex);
  IStorage* storage = nullptr;
  const CStringW name = StorageNameOf(m_dwItemNumber);
  HRESULT hr = root->OpenStorage(name.GetString(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &storage);
  // A document whose item has no storage is damaged.
  if (FAILED(hr)) AfxThrowArchiveException(CArchiveException::badIndex);
  try {
    COleStreamFile file;
    if (!file.OpenStream(storage, u"Contents", CFile::modeRead | CFile::shareExclusive))
      AfxThrowArchiveException(CArchiveException::badIndex);
    const ULONGLONG length = file.GetLength();
    bytes.resize(static_cast<size_t>(length));
    if (length && file.Read(bytes.data(), static_cast<UINT>(length)) != length)
      AfxThrowArchiveException(CArchiveException::endOfFile);
    file.Close();
  } catch (...) {
    storage->Release();
    throw;
  }
  storage->Release();
  m_data.swap(bytes);
}
