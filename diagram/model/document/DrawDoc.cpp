#include "diagram/model/document/DrawDoc.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/document/DrawHint.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/undo/URList.h"
#include "diagram/model/undo/UndoRedo.h"
#include "diagram/model/canvas/ArcRouter.h"
#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/Profile.h"
#include "platform/ole/StructuredStorage.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/StandardIds.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNCREATE(CDrawDoc, COleDocument)

BEGIN_MESSAGE_MAP(CDrawDoc, COleDocument)
  ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
  ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateFileSave)
END_MESSAGE_MAP()

int CDrawDoc::m_nMaxUndoLevels = 100;
BOOL CDrawDoc::m_bUsePrinterDefaults = TRUE;
CPtrList CDrawDoc::c_listOfDrawDocs(10);

namespace {

// The profile section of the document's options.
constexpr const WCHAR* kProfileSection = u"DrawDoc";

// Allocates the block and frees it at once. The pointer is volatile so that
// the pair is not optimised away.
bool AllocationSucceeds(size_t bytes) {
  void* volatile block = std::malloc(bytes);
  if (!block) return false;
  std::free(block);
  return true;
}

CDrawDoc::MemoryProbe& InstalledProbe() {
  static CDrawDoc::MemoryProbe probe;
  return probe;
}

}  // namespace

CDrawDoc::CDrawDoc()
    : m_pDiagram(nullptr),
      m_wVersion(kCurrentVersion),
      m_wLastVersion(0),
      m_pActiveDiagram(nullptr),
      m_bDeleteContentsInProgress(FALSE),
      m_bLoadFailuresOccurred(FALSE),
      m_bReadOnlyNextOpen(FALSE),
      m_bOpenedReadOnly(FALSE),
      m_nUndoLevel(0),
      m_bDoingUndo(FALSE),
      m_bDoingRedo(FALSE),
      m_bUndoRecordingDisabled(FALSE),
      m_pCurrentURList(nullptr),
      m_pListBeingUndone(nullptr),
      m_pListBeingRedone(nullptr) {
  EnableCompoundFile();
  m_pDiagram = new CDiagram(nullptr);
  m_pActiveDiagram = m_pDiagram;
  c_listOfDrawDocs.AddHead(this);
}

CDrawDoc::~CDrawDoc() {
  if (POSITION pos = c_listOfDrawDocs.Find(this)) c_listOfDrawDocs.RemoveAt(pos);
  // The undo records refer to objects of the diagram (a delete record frees
  // its object), so they go while the diagram still stands.
  delete m_pCurrentURList;
  m_pCurrentURList = nullptr;
  m_nUndoLevel = 0;
  m_redoStack.RemoveAndDeleteAll();
  m_undoStack.RemoveAndDeleteAll();
  DeleteLoadFailures();
  delete m_pDiagram;
  m_pDiagram = nullptr;
  m_pActiveDiagram = nullptr;
  SetModifiedFlag(FALSE);
}

CDrawDoc::MemoryProbe CDrawDoc::SetUndoMemoryProbe(MemoryProbe probe) {
  return std::exchange(InstalledProbe(), std::move(probe));
}

bool CDrawDoc::ProbeUndoMemory(UINT sizeHint) {
  const size_t bytes = static_cast<size_t>(sizeHint) * 1024 + 100;
  const MemoryProbe& probe = InstalledProbe();
  return probe ? probe(bytes) : AllocationSucceeds(bytes);
}

int CDrawDoc::BeginUndoRecording(LPCWSTR name, UINT sizeHint) {
  if (m_nUndoLevel > 0) {
    ++m_nUndoLevel;
    return TRUE;
  }
  // Only one entry makes room per command.
  if (!m_undoStack.IsEmpty() && m_undoStack.GetCount() >= m_nMaxUndoLevels) delete m_undoStack.RemoveOldest();
  if (!ProbeUndoMemory(sizeHint)) {
    // Not enough memory to record: the user may give up undo history, the
    // newest kept longest, or go on without recording this command.
    if (!CMsgBox::Confirm(4)) return FALSE;
    ClearAllRedoStacks();
    bool enough = ProbeUndoMemory(sizeHint);
    for (int depth = GetDepthOfDeepestUndoStack() - 1; !enough && depth >= 0; --depth) {
      PurgeAllUndoStacksToDepth(depth);
      enough = ProbeUndoMemory(sizeHint);
    }
    if (!enough) {
      if (!CMsgBox::Confirm(5)) return FALSE;
      m_bUndoRecordingDisabled = TRUE;
    }
  }
  if (m_pCurrentURList || m_bUndoRecordingDisabled) {
    ++m_nUndoLevel;
    return TRUE;
  }
  try {
    m_pCurrentURList = new CURList(name);
  } catch (const std::bad_alloc&) {
    m_pCurrentURList = nullptr;
    return FALSE;
  }
  ++m_nUndoLevel;
  return TRUE;
}

void CDrawDoc::AddToUndoList(CUndoRedo* record) {
  if (!record) return;
  record->SetLevel(m_nUndoLevel);
  if (m_pCurrentURList) {
    m_pCurrentURList->AddHead(record);
  } else {
    // Nothing is being recorded: the record has no owner.
    delete record;
  }
}

void CDrawDoc::EndUndoRecording() {
  if (m_nUndoLevel == 0) return;
  if (--m_nUndoLevel != 0) return;
  if (m_bUndoRecordingDisabled) {
    delete m_pCurrentURList;
  } else if (m_pCurrentURList) {
    // A recording that collected nothing leaves both stacks as they were.
    if (!m_pCurrentURList->IsEmpty()) {
      AddUnDoListToStack();
    } else {
      delete m_pCurrentURList;
    }
  }
  m_pCurrentURList = nullptr;
  m_bUndoRecordingDisabled = FALSE;
}

void CDrawDoc::FlushUndoRecording() {
  if (!m_pCurrentURList) return;
  while (!m_pCurrentURList->IsEmpty()) {
    CUndoRedo* record = m_pCurrentURList->RemoveHead();
    if (record->GetLevel() < m_nUndoLevel) {
      m_pCurrentURList->AddHead(record);
      break;
    }
    delete record;
  }
}

int CDrawDoc::AddUnDoListToStack() {
  if (!m_pCurrentURList) return FALSE;
  // A new user command makes the undone commands unreachable.
  if (!m_bDoingUndo && !m_bDoingRedo) m_redoStack.RemoveAndDeleteAll();
  if (m_bDoingUndo) {
    m_redoStack.Push(m_pCurrentURList);
  } else {
    m_undoStack.Push(m_pCurrentURList);
  }
  m_pCurrentURList = nullptr;
  return TRUE;
}

int CDrawDoc::RenameCurrentUndoRecordingName(LPCWSTR name) {
  if (!m_pCurrentURList) return FALSE;
  m_pCurrentURList->SetUndoCmdName(name);
  return TRUE;
}

namespace {

// Replays an entry's records newest first, each into the recording that the
// replay has opened, and deletes them (also one whose replay fails).
void Replay(CURList* entry) {
  while (!entry->IsEmpty()) {
    std::unique_ptr<CUndoRedo> record(entry->RemoveHead());
    record->DoUndo();
  }
}

}  // namespace

void CDrawDoc::AddArcRouter(CArcRouter* router) { m_arcRouters += router; }

void CDrawDoc::RemoveArcRouter(CArcRouter* router) { m_arcRouters -= router; }

void CDrawDoc::BeginRouterChanges() {
  for (POSITION pos = m_arcRouters.GetHeadPosition(); pos;) static_cast<CArcRouter*>(m_arcRouters.GetNext(pos))->BeginChanges();
}

void CDrawDoc::EndRouterChanges() {
  // A router's batch end may re-route, which may not change the set.
  std::vector<CArcRouter*> routers;
  for (POSITION pos = m_arcRouters.GetHeadPosition(); pos;)
    routers.push_back(static_cast<CArcRouter*>(m_arcRouters.GetNext(pos)));
  for (CArcRouter* router : routers) {
    if (m_arcRouters.Find(router)) router->EndChanges();
  }
}

int CDrawDoc::UndoLast() { return ReplayLast(m_undoStack, m_bDoingUndo, m_pListBeingUndone); }

int CDrawDoc::RedoLast() { return ReplayLast(m_redoStack, m_bDoingRedo, m_pListBeingRedone); }

int CDrawDoc::ReplayLast(CURListStack& stack, BOOL& doing, CURList*& beingReplayed) {
  if (stack.IsEmpty()) return FALSE;
  if (doing && beingReplayed) {
    // Finish a replay that is still under way.
    Replay(beingReplayed);
    EndRouterChanges();
    beingReplayed = nullptr;
    EndUndoRecording();
    EndWaitCursor();
  }
  const BOOL wasDoing = doing;
  doing = TRUE;
  CURList* entry = stack.Pop();
  if (!entry) {
    doing = wasDoing;
    return FALSE;
  }
  beingReplayed = entry;
  if (!BeginUndoRecording(entry->GetCmdName(), 255)) {
    stack.Push(entry);
    beingReplayed = nullptr;
    doing = wasDoing;
    return FALSE;
  }
  const UINT replayDepth = m_nUndoLevel;
  BeginWaitCursor();
  BeginRouterChanges();
  // Closes the replay: what it recorded becomes the opposite entry.
  auto finish = [&]() {
    if (beingReplayed == entry) {
      EndRouterChanges();
      EndUndoRecording();
      EndWaitCursor();
    }
    delete entry;
    doing = wasDoing;
    beingReplayed = nullptr;
  };
  try {
    Replay(entry);
  } catch (...) {
    // A record that fails ends the replay: what was replayed so far is
    // closed as usual (recordings the record left open fold into it), the
    // records not yet replayed are dropped, and the error goes on with the
    // document recording as before.
    m_nUndoLevel = std::min(m_nUndoLevel, replayDepth);
    finish();
    throw;
  }
  finish();
  return TRUE;
}

LPCWSTR CDrawDoc::GetNextUndoCmdName() {
  CURList* top = m_undoStack.Peek();
  return top ? top->GetCmdName() : nullptr;
}

LPCWSTR CDrawDoc::GetNextRedoCmdName() {
  CURList* top = m_redoStack.Peek();
  return top ? top->GetCmdName() : nullptr;
}

BOOL CDrawDoc::IsUndoStackTop(const CURList* list) const { return m_undoStack.Peek() == list; }

BOOL CDrawDoc::IsRedoStackTop(const CURList* list) const { return m_redoStack.Peek() == list; }


int CDrawDoc::SetMaxUndoLevels(int levels) {
  m_nMaxUndoLevels = levels < 0 ? INT_MAX : levels;
  return PurgeAllUndoStacksToDepth(m_nMaxUndoLevels);
}

int CDrawDoc::ClearAllRedoStacks() {
  int deleted = 0;
  for (POSITION pos = c_listOfDrawDocs.GetHeadPosition(); pos;) {
    auto* document = static_cast<CDrawDoc*>(c_listOfDrawDocs.GetNext(pos));
    deleted += static_cast<int>(document->m_redoStack.GetCount());
    document->m_redoStack.RemoveAndDeleteAll();
  }
  return deleted;
}

int CDrawDoc::GetDepthOfDeepestUndoStack() {
  int deepest = 0;
  for (POSITION pos = c_listOfDrawDocs.GetHeadPosition(); pos;) {
    auto* document = static_cast<CDrawDoc*>(c_listOfDrawDocs.GetNext(pos));
    deepest = std::max(deepest, static_cast<int>(document->m_undoStack.GetCount()));
  }
  return deepest;
}

int CDrawDoc::PurgeAllUndoStacksToDepth(int depth) {
  depth = std::max(depth, 0);
  int deleted = 0;
  for (POSITION pos = c_listOfDrawDocs.GetHeadPosition(); pos;) {
    auto* document = static_cast<CDrawDoc*>(c_listOfDrawDocs.GetNext(pos));
    while (document->m_undoStack.GetCount() > depth) {
      delete document->m_undoStack.RemoveOldest();
      ++deleted;
    }
  }
  return deleted;
}

// The document and its file.

void CDrawDoc::Serialize(CArchive& ar) {
  try {
    CWaitCursor wait;
    if (ar.IsStoring()) {
      m_wVersion = kCurrentVersion;
      ar << m_wVersion;
    } else {
      const WORD remembered = m_wVersion;
      WORD stored = 0;
      ar >> stored;
      if (stored > kCurrentVersion) AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName.GetString());
      // A reader that announced version 8 (StartLoad) takes an old 7 as 8.
      if (stored == 7 && remembered == 8) stored = 8;
      m_wVersion = stored;
      m_bLoadFailuresOccurred = FALSE;
    }
    if (m_pDiagram) {
      m_pActiveDiagram = m_pDiagram;
      m_pDiagram->Serialize(ar);
    }
  } catch (...) {
    // A load that failed leaves no old version behind for the next one.
    if (ar.IsLoading()) m_wVersion = kCurrentVersion;
    throw;
  }
  try {
    COleDocument::Serialize(ar);
  } catch (...) {
    if (ar.IsLoading()) m_wVersion = kCurrentVersion;
    throw;
  }
  m_wLastVersion = m_wVersion;
  if (ar.IsLoading()) EndLoad(0);
}

void CDrawDoc::DropOpenRecording() {
  if (m_nUndoLevel == 0) return;
  FlushUndoRecording();
  if (m_nUndoLevel > 1) {
    // Flushing at depth 1 takes every record.
    const UINT depth = m_nUndoLevel;
    m_nUndoLevel = 1;
    FlushUndoRecording();
    m_nUndoLevel = depth;
  }
  // The recording's last EndUndoRecording deletes the list without keeping
  // it.
  m_bUndoRecordingDisabled = TRUE;
}

void CDrawDoc::DeleteContents() {
  m_bDeleteContentsInProgress = TRUE;
  DropOpenRecording();
  m_redoStack.RemoveAndDeleteAll();
  m_undoStack.RemoveAndDeleteAll();
  DeleteLoadFailures();
  if (m_pDiagram) {
    m_pActiveDiagram = m_pDiagram;
    m_pDiagram->DeleteContents();
  }
  COleDocument::DeleteContents();
  m_bDeleteContentsInProgress = FALSE;
}

BOOL CDrawDoc::OnNewDocument() {
  if (!COleDocument::OnNewDocument()) return FALSE;
  m_bOpenedReadOnly = FALSE;
  m_pDiagram->SetDocument(this);
  m_pDiagram->GetBlockFormat();
  m_pDiagram->ComputePageSize();
  return TRUE;
}

void CDrawDoc::OpenDocumentStorage(LPCWSTR path) {
  constexpr DWORD kReadWrite = STGM_READWRITE | STGM_TRANSACTED | STGM_SHARE_EXCLUSIVE;
  constexpr DWORD kReadOnly = STGM_READ | STGM_TRANSACTED | STGM_SHARE_DENY_WRITE;
  m_bOpenedReadOnly = FALSE;
  // A file that is not a compound file yet is converted: its bytes are the
  // archive.
  const bool plain = StgIsStorageFile(path) == S_FALSE;
  IStorage* storage = nullptr;
  HRESULT hr = E_FAIL;
  if (!m_bReadOnlyNextOpen) {
    hr = plain ? StgCreateDocfile(path, kReadWrite | STGM_CONVERT, 0, &storage)
               : StgOpenStorage(path, nullptr, kReadWrite, nullptr, 0, &storage);
  }
  if (FAILED(hr)) {
    hr = plain ? StgCreateDocfile(path, kReadOnly | STGM_CONVERT, 0, &storage)
               : StgOpenStorage(path, nullptr, kReadOnly, nullptr, 0, &storage);
    if (FAILED(hr)) AfxThrowOleException(hr);
    m_bOpenedReadOnly = TRUE;
  }
  m_lpRootStg = storage;
}

BOOL CDrawDoc::OnOpenDocument(LPCWSTR path) {
  if (!m_bCompoundFile) {
    m_bOpenedReadOnly = FALSE;
    if (!COleDocument::OnOpenDocument(path)) return FALSE;
  } else {
    DeleteContents();
    ReleaseStorage();
    try {
      try {
        OpenDocumentStorage(path);
        // Loads from the storage just opened; a failure comes back here.
        COleDocument::OnOpenDocument(static_cast<LPCWSTR>(nullptr));
      } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
      }
    } catch (CException& e) {
      m_bOpenedReadOnly = FALSE;
      DeleteContents();
      ReleaseStorage();
      ReportSaveLoadException(path, &e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
      return FALSE;
    }
  }
  // The framework's open leaves the document clean; one read from an older
  // version is saved in the current one.
  if (m_wLastVersion != kCurrentVersion) SetModifiedFlag(TRUE);
  if (m_bOpenedReadOnly && !m_bReadOnlyNextOpen) CMsgBox::Notify(31);
  return TRUE;
}

// Loading.

void CDrawDoc::StartLoad(WORD version) { m_wVersion = version; }

void CDrawDoc::EndLoad(int modified) {
  DeleteLoadFailures();
  SetModifiedFlag(modified);
  if (m_wVersion != kCurrentVersion) {
    m_wVersion = kCurrentVersion;
    SetModifiedFlag(TRUE);
  }
}

void CDrawDoc::AddLoadFailure(CDrawObj* object) {
  if (!object) return;
  m_loadFailures.AddTail(object);
  m_bLoadFailuresOccurred = TRUE;
}

int CDrawDoc::LoadFailuresDidOccur() { return std::exchange(m_bLoadFailuresOccurred, FALSE); }

void CDrawDoc::ExcludeLoadFailuresFrom(CDrawList& objects) {
  if (m_loadFailures.IsEmpty()) return;
  m_loadFailures.IncludeElementComponents();
  m_loadFailures.IncludeAttachedArcs();
  objects -= m_loadFailures;
}

void CDrawDoc::RemoveLoadFailure(CDrawObj* object) {
  if (!m_loadFailures.IsEmpty()) m_loadFailures -= object;
}

void CDrawDoc::DeleteLoadFailures() {
  if (m_loadFailures.IsEmpty()) return;
  // A failure read into a diagram that a failed read has destroyed since
  // (the inner diagram of a block the archive let go of) forgets it, so
  // that it does not leave a diagram that is gone.
  for (POSITION pos = m_loadFailures.GetHeadPosition(); pos;) {
    CDrawObj* object = m_loadFailures.GetNext(pos);
    if (object->GetDiagram() && !CDiagram::IsLive(object->GetDiagram())) object->SetDiagram(nullptr);
  }
  // Arcs first: they hang on ports that the other failures may own.
  std::vector<CDrawObj*> arcs;
  for (POSITION pos = m_loadFailures.GetHeadPosition(); pos;) {
    CDrawObj* object = m_loadFailures.GetNext(pos);
    if (object->IsKindOf(RUNTIME_CLASS(CDrawArc))) arcs.push_back(object);
  }
  for (CDrawObj* arc : arcs) {
    m_loadFailures -= arc;
    delete arc;
  }
  // Owners free their components.
  m_loadFailures.ExcludeElementComponents();
  while (!m_loadFailures.IsEmpty()) delete m_loadFailures.RemoveTail();
}

void CDrawDoc::UpdateAllDrawDocViews(CView* sender, LPARAM hint, CObject* hintObject) {
  for (POSITION pos = c_listOfDrawDocs.GetHeadPosition(); pos;)
    static_cast<CDrawDoc*>(c_listOfDrawDocs.GetNext(pos))->UpdateAllViews(sender, hint, hintObject);
}

// The profile.

void CDrawDoc::GetProfile(int defaultMaxUndoLevels, int defaultUsePrinterDefaults) {
  int levels = static_cast<int>(platform::GetProfileInt(kProfileSection, u"MaxUndoLevels", defaultMaxUndoLevels));
  if (levels < 1) {
    CMsgBox::Notify(30);
    levels = 1;
  }
  SetMaxUndoLevels(levels);
  m_bUsePrinterDefaults =
      static_cast<BOOL>(platform::GetProfileInt(kProfileSection, u"UsePrinterDefaults", defaultUsePrinterDefaults));
}

void CDrawDoc::WriteProfile() {
  platform::WriteProfileInt(kProfileSection, u"MaxUndoLevels", m_nMaxUndoLevels);
  platform::WriteProfileInt(kProfileSection, u"UsePrinterDefaults", m_bUsePrinterDefaults);
}

// Commands.

void CDrawDoc::OnFilePrintSetup() {
  CWinApp* app = AfxGetApp();
  if (!app) return;
  CPrintDialog dialog(TRUE);
  const BOOL haveDefaults = app->GetPrinterDeviceDefaults(&dialog.m_pd);
  CDiagram* diagram = m_pActiveDiagram ? m_pActiveDiagram : m_pDiagram;
  if (haveDefaults && !m_bUsePrinterDefaults && diagram) {
    // The dialog opens on the diagram's own page set-up.
    if (DEVMODEW* mode = dialog.GetDevMode()) {
      mode->dmOrientation = diagram->GetSavedOrientation();
      mode->dmPaperSize = diagram->GetSavedPaperSize();
      mode->dmFields |= DM_ORIENTATION | DM_PAPERSIZE;
      GlobalUnlock(dialog.m_pd.hDevMode);
    }
  }
  if (app->DoPrintDialog(&dialog) != IDOK) return;
  const BOOL pageSizeChanged = CDiagram::UpdatePrinterPageSize(&dialog);
  if (diagram) diagram->SavePrinterSetup();
  if (pageSizeChanged && m_bUsePrinterDefaults) UpdateAllDrawDocViews(nullptr, CDrawHint::printerPageSizeChanged, nullptr);
}

void CDrawDoc::OnUpdateFileSave(CCmdUI* cmdUI) { cmdUI->Enable(IsModified() && !m_bOpenedReadOnly); }
