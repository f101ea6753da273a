// CDrawDoc: the document of the diagram editor. It owns the top-level
// diagram, knows which diagram is active, keeps the stream version, collects
// the objects that failed to load, and holds the undo machinery: nested,
// named recordings that become one entry of the undo stack each, and the
// undo and redo stacks.
//
// It is a container document kept in a compound file: the archive is the
// stream "Contents" of the file (COleDocument). The stream begins with the
// version word (18 when written; older versions are read and saved as 18),
// then the top-level diagram, then the embedded items.
#pragma once

#include <cstddef>
#include <functional>

#include "diagram/model/lists/DrawList.h"
#include "diagram/model/lists/ObSetList.h"
#include "diagram/model/undo/URListStack.h"
#include "platform/core/ObList.h"
#include "platform/core/Object.h"
#include "platform/ole/OleDocument.h"

class CArcRouter;
class CCmdUI;
class CDiagram;
class CURList;
class CUndoRedo;
class CView;

class CDrawDoc : public COleDocument {
  DECLARE_DYNCREATE(CDrawDoc)

 public:
  CDrawDoc();
  CDrawDoc(const CDrawDoc&) = delete;
  CDrawDoc& operator=(const CDrawDoc&) = delete;
  // Drops the undo recording and both stacks (their records may free objects
  // of the diagram) before it deletes the diagram.
  ~CDrawDoc() override;

  // The file stream: the version word, the top-level diagram, the items.
  // A version above the current one is refused (CArchiveException
  // badSchema naming the file).
  void Serialize(CArchive& ar) override;
  // Drops an open undo recording and both stacks, then empties the diagram
  // and the items.
  void DeleteContents() override;
  // A new document: the diagram joins it, with its block format and page
  // size.
  BOOL OnNewDocument() override;
  // Opens the file for reading and writing (a plain file is converted), or
  // for reading only when that fails or SetReadOnlyNextOpen asked for it,
  // and loads it. A file opened read-only that was not asked for is
  // announced (Notify 31). A document read from an older version is marked
  // modified. A failure leaves the document empty, is reported through the
  // message-box handler and returns FALSE.
  using COleDocument::OnOpenDocument;
  BOOL OnOpenDocument(LPCWSTR path) override;

  // Undo recording. Every undoable operation calls BeginUndoRecording before
  // it changes anything and gives up when it returns false; each successful
  // call is matched by one EndUndoRecording. Recordings nest and fold into
  // the outermost one.
  virtual int BeginUndoRecording(LPCWSTR name, UINT sizeHint);
  // Stamps the record with the current depth and adds it to the recording.
  virtual void AddToUndoList(CUndoRedo* record);
  virtual void EndUndoRecording();
  // Drops, without replaying them, the records added at the current depth
  // or deeper.
  virtual void FlushUndoRecording();

  int RenameCurrentUndoRecordingName(LPCWSTR name);
  int UndoLast();
  int RedoLast();
  LPCWSTR GetNextUndoCmdName();
  LPCWSTR GetNextRedoCmdName();
  int GetNumberUndosOnStack() const { return static_cast<int>(m_undoStack.GetCount()); }
  int GetNumberRedosOnStack() const { return static_cast<int>(m_redoStack.GetCount()); }
  BOOL IsUndoStackTop(const CURList* list) const;
  BOOL IsRedoStackTop(const CURList* list) const;
  void ClearUndoStack() { m_undoStack.RemoveAndDeleteAll(); }
  void ClearRedoStack() { m_redoStack.RemoveAndDeleteAll(); }
  BOOL IsDoingUndo() const { return m_bDoingUndo; }
  BOOL IsDoingRedo() const { return m_bDoingRedo; }
  BOOL IsDoingUndoOrRedo() const { return m_bDoingUndo || m_bDoingRedo; }
  UINT GetUndoLevel() const { return m_nUndoLevel; }
  CURList* GetCurrentURList() const { return m_pCurrentURList; }
  BOOL IsUndoRecordingDisabled() const { return m_bUndoRecordingDisabled; }
  void EnableUndoRecording() { m_bUndoRecordingDisabled = FALSE; }
  void DisableUndoRecording() { m_bUndoRecordingDisabled = TRUE; }
  static int GetMaxUndoLevels() { return m_nMaxUndoLevels; }
  // A negative limit means none; every document's undo stack is purged to
  // the new limit. Returns the number of entries deleted.
  static int SetMaxUndoLevels(int levels);

  // Before the outermost recording opens, the document makes sure that
  // memory for it can be had: the probe is asked for sizeHint * 1024 + 100
  // bytes. The default probe allocates that much and frees it at once; a
  // host or a test may install another (an empty one restores the default).
  // Returns the probe it replaces.
  using MemoryProbe = std::function<bool(size_t bytes)>;
  static MemoryProbe SetUndoMemoryProbe(MemoryProbe probe);

  // The document.
  CDiagram* GetDiagram() const { return m_pDiagram; }
  WORD GetDrawDocVersion() const { return m_wVersion; }
  CDiagram* GetActiveDiagram() const { return m_pActiveDiagram; }
  void SetActiveDiagram(CDiagram* diagram) { m_pActiveDiagram = diagram; }
  BOOL IsDeleteContentsInProgress() const { return m_bDeleteContentsInProgress; }
  // Set while a composite block fills its new inner diagram, whose
  // additions are no change of the user's.
  void SetDeleteContentsInProgress(BOOL inProgress) { m_bDeleteContentsInProgress = inProgress; }

  // Loading.
  void StartLoad(WORD version);
  void EndLoad(int modified);
  void AddLoadFailure(CDrawObj* object);
  int LoadFailuresDidOccur();
  void ExcludeLoadFailuresFrom(CDrawList& objects);
  void DeleteLoadFailures();
  // Takes an object that is being destroyed off the load failures, so that
  // one freed by another holder first (a group, a block) is not freed again.
  void RemoveLoadFailure(CDrawObj* object);

  void AddArcRouter(CArcRouter* router);
  void RemoveArcRouter(CArcRouter* router);
  static void UpdateAllDrawDocViews(CView* sender, LPARAM hint, CObject* hintObject);

  void SetReadOnlyNextOpen(BOOL readOnly) { m_bReadOnlyNextOpen = readOnly; }
  BOOL IsOpenedReadOnly() const { return m_bOpenedReadOnly; }

  // The "DrawDoc" section of the application profile: "MaxUndoLevels"
  // (below 1: Notify 30, and 1 is used) and "UsePrinterDefaults".
  static void GetProfile(int defaultMaxUndoLevels, int defaultUsePrinterDefaults);
  static void WriteProfile();
  static BOOL IsUsePrinterDefaults() { return m_bUsePrinterDefaults; }

  // Print set-up (ID_FILE_PRINT_SETUP): the application's printer, shown
  // with the active diagram's own page set-up unless the printer defaults
  // are used; on OK the active diagram takes the printer's pages.
  afx_msg void OnFilePrintSetup();
  // Save (ID_FILE_SAVE) is enabled for a modified document that was not
  // opened read-only.
  afx_msg void OnUpdateFileSave(CCmdUI* cmdUI);

  // The version this system writes.
  static constexpr WORD kCurrentVersion = 18;

  // The most entries one undo stack keeps.
  static int m_nMaxUndoLevels;
  // Whether diagrams use the class-wide printer defaults or their own page
  // set-up.
  static BOOL m_bUsePrinterDefaults;

 protected:
  // Memory recovery across every live document.
  static int ClearAllRedoStacks();
  static int GetDepthOfDeepestUndoStack();
  static int PurgeAllUndoStacksToDepth(int depth);
  // Moves the current recording onto the undo stack (or the redo stack while
  // undoing); false without one.
  int AddUnDoListToStack();
  // Whether memory for a recording of that size hint can be had.
  static bool ProbeUndoMemory(UINT sizeHint);
  // Drops an open recording: its records go without being replayed, and
  // the rest of it ends without being kept.
  void DropOpenRecording();
  // Opens or closes a change batch on every registered router, around the
  // replay of an undo or redo entry.
  void BeginRouterChanges();
  void EndRouterChanges();
  // Pops the stack's last entry and replays it as one recording, which
  // becomes the entry of the opposite stack; the flag and the pointer are
  // the undo or the redo side's own.
  int ReplayLast(CURListStack& stack, BOOL& doing, CURList*& beingReplayed);
  // Opens the root storage of `path` for OnOpenDocument, read-only when
  // asked or when writing is refused; throws the storage error.
  void OpenDocumentStorage(LPCWSTR path);

  CDiagram* m_pDiagram;
  WORD m_wVersion;
  WORD m_wLastVersion;
  CDiagram* m_pActiveDiagram;
  BOOL m_bDeleteContentsInProgress;
  CDrawList m_loadFailures;
  BOOL m_bLoadFailuresOccurred;
  ObSetList m_arcRouters;
  BOOL m_bReadOnlyNextOpen;
  BOOL m_bOpenedReadOnly;

  UINT m_nUndoLevel;
  CURListStack m_undoStack;
  CURListStack m_redoStack;
  BOOL m_bDoingUndo;
  BOOL m_bDoingRedo;
  BOOL m_bUndoRecordingDisabled;
  CURList* m_pCurrentURList;
  CURList* m_pListBeingUndone;
  CURList* m_pListBeingRedone;

  // Every live document, newest first.
  static CPtrList c_listOfDrawDocs;

  DECLARE_MESSAGE_MAP()
};
