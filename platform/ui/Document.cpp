#include "platform/ui/Document.h"

#include "platform/ui/DocTemplate.h"

#include <new>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"
#include "platform/core/File.h"
#include "platform/core/FileReplace.h"
#include "platform/core/MemFile.h"
#include "platform/core/MessageBox.h"
#include "platform/core/PathResolve.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/StandardIds.h"
#include "platform/ui/View.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

namespace {

// The last component of a path.
CStringW FileNameOf(const CStringW& path) {
  int cut = -1;
  for (int i = 0; i < path.GetLength(); ++i) {
    WCHAR c = path[i];
    if (c == u'\\' || c == u'/' || c == u':') cut = i;
  }
  return path.Mid(cut + 1);
}

CStringW BuiltInPrompt(UINT id, BOOL saving) {
  CStringW text;
  if (id != 0 && text.LoadString(id)) return text;
  return CStringW(saving ? u"Failed to save document." : u"Failed to open document.");
}

}  // namespace

CDocument::~CDocument() {
  if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
  while (!m_viewList.IsEmpty()) static_cast<CView*>(m_viewList.RemoveHead())->m_pDocument = nullptr;
}

void CDocument::SetTitle(LPCWSTR title) { m_strTitle = title; }

void CDocument::SetPathName(LPCWSTR path, BOOL) {
  m_strPathName = path;
  SetTitle(FileNameOf(m_strPathName).GetString());
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCWSTR path) {
  CFile file;
  CFileException error;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error)) {
    ReportSaveLoadException(path, &error, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return FALSE;
  }
  DeleteContents();
  // Modified while it loads: a document left half-read is never clean.
  SetModifiedFlag(TRUE);
  try {
    CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
    ar.m_pDocument = this;
    Serialize(ar);
    ar.Close();
    file.Close();
  } catch (CException& e) {
    file.Abort();
    DeleteContents();
    ReportSaveLoadException(path, &e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return FALSE;
  } catch (const std::bad_alloc&) {
    file.Abort();
    DeleteContents();
    CMemoryException memory;
    ReportSaveLoadException(path, &memory, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCWSTR path) {
  try {
    // The whole document first, so that a failure of Serialize never
    // reaches the file.
    CMemFile memory;
    {
      CArchive ar(&memory, CArchive::store | CArchive::bNoFlushOnDelete);
      ar.m_pDocument = this;
      ar.m_strFileName = path;
      Serialize(ar);
      ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(memory.GetLength()));
    memory.SeekToBegin();
    if (!bytes.empty()) memory.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    if (int error = platform::ReplaceFileBytes(platform::ResolvePath(path), bytes, true))
      throw CFileException(CFileException::OsErrorToException(error), error, path);
  } catch (CException& e) {
    ReportSaveLoadException(path, &e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
  } catch (const std::bad_alloc&) {
    CMemoryException memory;
    ReportSaveLoadException(path, &memory, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::OnCloseDocument() {
  // The views' windows belong to the host; they stop showing the document.
  while (!m_viewList.IsEmpty()) static_cast<CView*>(m_viewList.RemoveHead())->m_pDocument = nullptr;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

void CDocument::ReportSaveLoadException(LPCWSTR path, CException* e, BOOL saving, UINT defaultPromptId) {
  CStringW text;
  if (e && e->IsKindOf(RUNTIME_CLASS(CUserException))) return;
  if (e && e->IsKindOf(RUNTIME_CLASS(CFileException))) {
    CFileException named = *static_cast<CFileException*>(e);
    if (named.m_strFileName.IsEmpty()) named.m_strFileName = path;
    text = named.GetErrorMessage();
  } else if (e && e->IsKindOf(RUNTIME_CLASS(CArchiveException))) {
    CArchiveException named = *static_cast<CArchiveException*>(e);
    if (named.m_strFileName.IsEmpty()) named.m_strFileName = path;
    text = named.GetErrorMessage();
  } else {
    text = BuiltInPrompt(defaultPromptId, saving);
    if (e) text += CStringW(u"\n") + e->GetErrorMessage();
  }
  AfxMessageBox(text.GetString(), MB_ICONEXCLAMATION);
}

BOOL CDocument::SaveModified() {
  if (!IsModified()) return TRUE;
  CStringW name = m_strTitle.IsEmpty() ? m_strPathName : m_strTitle;
  if (name.IsEmpty()) name = u"Untitled";
  CStringW format;
  if (!format.LoadString(AFX_IDP_ASK_TO_SAVE)) format = u"Save changes to %1?";
  CStringW prompt = format;
  prompt.Replace(u"%1", name.GetString());
  switch (AfxMessageBox(prompt.GetString(), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
      return FALSE;
    case IDNO:
      return TRUE;
    default:
      break;
  }
  CStringW path = m_strPathName;
  if (path.IsEmpty()) {
    CFileDialog dialog(FALSE, nullptr, name.GetString());
    if (dialog.DoModal() != IDOK) return FALSE;
    path = dialog.GetPathName();
  }
  if (!OnSaveDocument(path.GetString())) return FALSE;
  SetPathName(path.GetString());
  return TRUE;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame) {
  // Another frame that shows this document keeps it open.
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CView* view = GetNextView(pos);
    CFrameWnd* other = view ? view->GetParentFrame() : nullptr;
    if (other && other != frame) return TRUE;
  }
  return SaveModified();
}

void CDocument::AddView(CView* view) {
  if (!view || view->m_pDocument == this) return;
  if (view->m_pDocument) view->m_pDocument->RemoveView(view);
  m_viewList.AddTail(view);
  view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
  if (POSITION pos = m_viewList.Find(view)) {
    m_viewList.RemoveAt(pos);
    view->m_pDocument = nullptr;
  }
}

CView* CDocument::GetNextView(POSITION& position) const { return static_cast<CView*>(m_viewList.GetNext(position)); }

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
  // A view may leave the document while it handles the update.
  std::vector<CView*> views;
  for (POSITION pos = m_viewList.GetHeadPosition(); pos;) views.push_back(GetNextView(pos));
  for (CView* view : views) {
    if (view != sender && m_viewList.Find(view)) view->OnUpdate(sender, hint, hintObject);
  }
}
