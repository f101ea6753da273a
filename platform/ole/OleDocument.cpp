#include "platform/ole/OleDocument.h"

#include <unistd.h>

#include <new>

#include "platform/core/Archive.h"
#include "platform/core/Charset.h"
#include "platform/core/Exceptions.h"
#include "platform/ole/DocItem.h"
#include "platform/ole/OleClientItem.h"
#include "platform/ole/OleStreamFile.h"
#include "platform/ole/StorageErrorCause.h"
#include "platform/ole/StorageFileIo.h"
#include "platform/ole/StructuredStorage.h"
#include "platform/ole/TaskMemory.h"
#include "platform/ui/StandardIds.h"
#include "platform/ui/View.h"

IMPLEMENT_DYNAMIC(COleDocument, CDocument)

namespace {

// The stream that holds the document's archive.
constexpr const WCHAR* kContentsStream = u"Contents";

constexpr DWORD kReadWrite = STGM_READWRITE | STGM_TRANSACTED | STGM_SHARE_DENY_WRITE;
constexpr DWORD kReadOnly = STGM_READ | STGM_TRANSACTED | STGM_SHARE_DENY_WRITE;

// The canonical path of a file, under which every open of it meets; empty
// when it cannot be named.
std::string CanonicalFile(LPCWSTR path) {
  std::string canonical;
  bool exists = false;
  if (!path || FAILED(platform::CanonicalStoragePath(platform::StorageFilePath(path), canonical, exists))) return {};
  return canonical;
}

}  // namespace

COleDocument::~COleDocument() {
  while (!m_docItemList.IsEmpty()) delete static_cast<CDocItem*>(m_docItemList.GetHead());
  ReleaseStorage();
}

void COleDocument::AddItem(CDocItem* item) {
  if (!item || item->m_pDocument == this) return;
  if (item->m_pDocument) item->m_pDocument->RemoveItem(item);
  m_docItemList.AddTail(item);
  item->m_pDocument = this;
}

void COleDocument::RemoveItem(CDocItem* item) {
  if (!item) return;
  if (POSITION pos = m_docItemList.Find(item)) m_docItemList.RemoveAt(pos);
  if (item->m_pDocument == this) item->m_pDocument = nullptr;
}

CDocItem* COleDocument::GetNextItem(POSITION& position) const {
  return static_cast<CDocItem*>(m_docItemList.GetNext(position));
}

COleClientItem* COleDocument::GetInPlaceActiveItem(CWnd* wnd) const {
  for (POSITION pos = GetStartPosition(); pos;) {
    auto* item = dynamic_cast<COleClientItem*>(GetNextItem(pos));
    if (item && item->IsInPlaceActive() && item->GetActiveView() == wnd) return item;
  }
  return nullptr;
}

void COleDocument::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    DWORD count = 0;
    for (POSITION pos = GetStartPosition(); pos;) {
      if (!GetNextItem(pos)->IsBlank()) ++count;
    }
    ar << count;
    for (POSITION pos = GetStartPosition(); pos;) {
      CDocItem* item = GetNextItem(pos);
      if (!item->IsBlank()) ar << static_cast<CObject*>(item);
    }
    return;
  }
  DWORD count = 0;
  ar >> count;
  for (; count > 0; --count) {
    // Each item joins the list as soon as it is read, so that the document
    // frees it when a later one fails.
    auto* item = static_cast<CDocItem*>(ar.ReadObject(RUNTIME_CLASS(CDocItem)));
    if (item) AddItem(item);
  }
}

void COleDocument::DeleteContents() {
  while (!m_docItemList.IsEmpty()) delete static_cast<CDocItem*>(m_docItemList.GetHead());
  m_dwNextItemNumber = 1;
  CDocument::DeleteContents();
}

void COleDocument::ReleaseStorage() {
  if (m_lpRootStg) m_lpRootStg->Release();
  m_lpRootStg = nullptr;
}

CStringW COleDocument::StorageFileName() const {
  CStringW name;
  STATSTG stat;
  if (m_lpRootStg && SUCCEEDED(m_lpRootStg->Stat(&stat, STATFLAG_DEFAULT))) {
    name = stat.pwcsName;
    CoTaskMemFree(stat.pwcsName);
  }
  return name;
}

BOOL COleDocument::OnNewDocument() {
  ReleaseStorage();
  return CDocument::OnNewDocument();
}

LPSTORAGE COleDocument::OpenStorageFile(LPCWSTR path) {
  const bool plain = StgIsStorageFile(path) == S_FALSE;
  IStorage* storage = nullptr;
  HRESULT hr = plain ? StgCreateDocfile(path, kReadWrite | STGM_CONVERT, 0, &storage)
                     : StgOpenStorage(path, nullptr, kReadWrite, nullptr, 0, &storage);
  if (FAILED(hr)) {
    // A file that may not be written is still read.
    hr = plain ? StgCreateDocfile(path, kReadOnly | STGM_CONVERT, 0, &storage)
               : StgOpenStorage(path, nullptr, kReadOnly, nullptr, 0, &storage);
  }
  if (FAILED(hr)) AfxThrowOleException(hr);
  return storage;
}

BOOL COleDocument::OnOpenDocument(LPCWSTR path) {
  if (!m_bCompoundFile && path) {
    if (!CDocument::OnOpenDocument(path)) return FALSE;
    // The document is the plain file now; the compound file it held goes.
    ReleaseStorage();
    return TRUE;
  }
  if (path) {
    DeleteContents();
    ReleaseStorage();
  }
  // Modified while it loads: a document left half-read is never clean.
  SetModifiedFlag(TRUE);
  try {
    try {
      if (path) {
        m_lpRootStg = OpenStorageFile(path);
      } else if (!m_lpRootStg) {
        AfxThrowOleException(STG_E_INVALIDHANDLE);
      }
      LoadFromStorage();
    } catch (const std::bad_alloc&) {
      AfxThrowMemoryException();
    }
  } catch (CException& e) {
    DeleteContents();
    ReleaseStorage();
    if (!path) throw;
    ReportSaveLoadException(path, &e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void COleDocument::LoadFromStorage() {
  COleStreamFile file;
  CFileException error;
  if (!file.OpenStream(m_lpRootStg, kContentsStream, CFile::modeRead | CFile::shareExclusive, &error)) {
    // A compound file without the document's stream is not a document.
    if (error.m_lOsError == STG_E_FILENOTFOUND)
      AfxThrowArchiveException(CArchiveException::badIndex, StorageFileName().GetString());
    error.m_strFileName = StorageFileName();
    throw error;
  }
  CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
  ar.m_pDocument = this;
  Serialize(ar);
  ar.Close();
  file.Close();
}

void COleDocument::SaveToStorage() {
  try {
    COleStreamFile file;
    CFileException error;
    if (!file.CreateStream(m_lpRootStg, kContentsStream,
                           CFile::modeReadWrite | CFile::shareExclusive | CFile::modeCreate, &error)) {
      error.m_strFileName = StorageFileName();
      throw error;
    }
    {
      CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
      ar.m_pDocument = this;
      Serialize(ar);
      ar.Close();
    }
    file.Close();
    HRESULT hr = m_lpRootStg->Commit(STGC_DEFAULT);
    if (FAILED(hr)) AfxThrowOleException(hr);
  } catch (...) {
    // What the failed save wrote never reaches the file.
    m_lpRootStg->Revert();
    throw;
  }
}

void COleDocument::SaveToNewFile(LPCWSTR path) {
  const bool existed = ::access(platform::StorageFilePath(path).c_str(), F_OK) == 0;
  IStorage* created = nullptr;
  HRESULT hr = StgCreateDocfile(path, kReadWrite | STGM_CREATE, 0, &created);
  if (FAILED(hr)) AfxThrowOleException(hr);
  IStorage* previous = m_lpRootStg;
  m_lpRootStg = created;
  try {
    SaveToStorage();
  } catch (...) {
    // The document keeps its own file; a file that this save created goes.
    const std::string made = CanonicalFile(path);
    m_lpRootStg->Release();
    m_lpRootStg = previous;
    if (!existed && !made.empty()) ::unlink(made.c_str());
    throw;
  }
  if (previous) previous->Release();
}

BOOL COleDocument::OnSaveDocument(LPCWSTR path) {
  if (!m_bCompoundFile && !m_lpRootStg && path) return CDocument::OnSaveDocument(path);
  try {
    try {
      if (!path) {
        if (!m_lpRootStg) AfxThrowOleException(STG_E_INVALIDHANDLE);
        SaveToStorage();
        return TRUE;
      }
      const std::string target = CanonicalFile(path);
      if (m_lpRootStg && !target.empty() && target == platform::Utf16ToUtf8(StorageFileName().GetString())) {
        SaveToStorage();
      } else {
        SaveToNewFile(path);
      }
    } catch (const std::bad_alloc&) {
      AfxThrowMemoryException();
    }
  } catch (CException& e) {
    if (!path) throw;
    ReportSaveLoadException(path, &e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void COleDocument::OnCloseDocument() {
  ReleaseStorage();
  CDocument::OnCloseDocument();
}

void COleDocument::ReportSaveLoadException(LPCWSTR path, CException* e, BOOL saving, UINT defaultPromptId) {
  if (e && e->IsKindOf(RUNTIME_CLASS(COleException))) {
    const SCODE sc = static_cast<COleException*>(e)->m_sc;
    if (sc == STG_E_INVALIDHEADER || sc == STG_E_DOCFILECORRUPT) {
      // A damaged compound file: its format is bad.
      CArchiveException damaged(CArchiveException::badIndex, path);
      CDocument::ReportSaveLoadException(path, &damaged, saving, defaultPromptId);
      return;
    }
    const int cause = platform::FileExceptionCauseOf(sc);
    if (cause != CFileException::genericException) {
      CFileException asFile(cause, sc, path);
      CDocument::ReportSaveLoadException(path, &asFile, saving, defaultPromptId);
      return;
    }
  }
  CDocument::ReportSaveLoadException(path, e, saving, defaultPromptId);
}
