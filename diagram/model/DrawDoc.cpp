#include "diagram/model/DrawDoc.h"

#include <algorithm>
#include <climits>
#include <new>

#include "diagram/model/Diagram.h"
#include "diagram/model/URList.h"
#include "diagram/model/UndoRedo.h"
#include "platform/core/Exceptions.h"

IMPLEMENT_DYNCREATE(CDrawDoc, CDocument)

int CDrawDoc::m_nMaxUndoLevels = 100;
BOOL CDrawDoc::m_bUsePrinterDefaults = TRUE;
CPtrList CDrawDoc::c_listOfDrawDocs(10);

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
  m_redoStack.RemoveAndDeleteAll();
  m_undoStack.RemoveAndDeleteAll();
  delete m_pDiagram;
  m_pDiagram = nullptr;
  m_pActiveDiagram = nullptr;
  SetModifiedFlag(FALSE);
}

int CDrawDoc::BeginUndoRecording(LPCWSTR name, UINT) {
  if (m_nUndoLevel > 0) {
    ++m_nUndoLevel;
    return TRUE;
  }
  // Only one entry makes room per command.
  if (!m_undoStack.IsEmpty() && m_undoStack.GetCount() >= m_nMaxUndoLevels) delete m_undoStack.RemoveOldest();
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
// replay has opened, and deletes them.
void Replay(CURList* entry) {
  while (!entry->IsEmpty()) {
    CUndoRedo* record = entry->RemoveHead();
    record->DoUndo();
    delete record;
  }
}

}  // namespace

int CDrawDoc::UndoLast() {
  if (m_undoStack.IsEmpty()) return FALSE;
  if (m_bDoingUndo && m_pListBeingUndone) {
    // Finish a replay that is still under way.
    Replay(m_pListBeingUndone);
    m_pListBeingUndone = nullptr;
    EndUndoRecording();
  }
  const BOOL wasDoingUndo = m_bDoingUndo;
  m_bDoingUndo = TRUE;
  CURList* entry = m_undoStack.Pop();
  if (!entry) {
    m_bDoingUndo = wasDoingUndo;
    return FALSE;
  }
  m_pListBeingUndone = entry;
  if (!BeginUndoRecording(entry->GetCmdName(), 255)) {
    m_undoStack.Push(entry);
    m_pListBeingUndone = nullptr;
    m_bDoingUndo = wasDoingUndo;
    return FALSE;
  }
  Replay(entry);
  if (m_pListBeingUndone == entry) EndUndoRecording();
  delete entry;
  m_bDoingUndo = wasDoingUndo;
  m_pListBeingUndone = nullptr;
  return TRUE;
}

int CDrawDoc::RedoLast() {
  if (m_redoStack.IsEmpty()) return FALSE;
  if (m_bDoingRedo && m_pListBeingRedone) {
    Replay(m_pListBeingRedone);
    m_pListBeingRedone = nullptr;
    EndUndoRecording();
  }
  const BOOL wasDoingRedo = m_bDoingRedo;
  m_bDoingRedo = TRUE;
  CURList* entry = m_redoStack.Pop();
  if (!entry) {
    m_bDoingRedo = wasDoingRedo;
    return FALSE;
  }
  m_pListBeingRedone = entry;
  if (!BeginUndoRecording(entry->GetCmdName(), 255)) {
    m_redoStack.Push(entry);
    m_pListBeingRedone = nullptr;
    m_bDoingRedo = wasDoingRedo;
    return FALSE;
  }
  Replay(entry);
  if (m_pListBeingRedone == entry) EndUndoRecording();
  delete entry;
  m_bDoingRedo = wasDoingRedo;
  m_pListBeingRedone = nullptr;
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

void CDrawDoc::StartLoad(WORD version) { m_wVersion = version; }

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
