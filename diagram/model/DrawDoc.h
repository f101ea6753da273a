// CDrawDoc: the document of the diagram editor. It owns the top-level
// diagram, knows which diagram is active, keeps the stream version, and
// holds the undo machinery: nested, named recordings that become one entry
// of the undo stack each, and the undo and redo stacks.
//
// Its framework base is the plain document for now; the OLE container
// document (embedded items, compound-file storage) takes that place when the
// platform has it.
#pragma once

#include "diagram/model/DrawList.h"
#include "diagram/model/ObSetList.h"
#include "diagram/model/URListStack.h"
#include "platform/core/ObList.h"
#include "platform/core/Object.h"
#include "platform/ui/Document.h"

class CArcRouter;
class CDiagram;
class CURList;
class CUndoRedo;
class CView;

class CDrawDoc : public CDocument {
  DECLARE_DYNCREATE(CDrawDoc)

 public:
  CDrawDoc();
  CDrawDoc(const CDrawDoc&) = delete;
  CDrawDoc& operator=(const CDrawDoc&) = delete;
  ~CDrawDoc() override;

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

  // The document.
  CDiagram* GetDiagram() const { return m_pDiagram; }
  WORD GetDrawDocVersion() const { return m_wVersion; }
  CDiagram* GetActiveDiagram() const { return m_pActiveDiagram; }
  void SetActiveDiagram(CDiagram* diagram) { m_pActiveDiagram = diagram; }
  BOOL IsDeleteContentsInProgress() const { return m_bDeleteContentsInProgress; }

  // Loading.
  void StartLoad(WORD version);
  void EndLoad(int modified);
  void AddLoadFailure(CDrawObj* object);
  int LoadFailuresDidOccur();
  void ExcludeLoadFailuresFrom(CDrawList& objects);
  void DeleteLoadFailures();

  void AddArcRouter(CArcRouter* router);
  void RemoveArcRouter(CArcRouter* router);
  static void UpdateAllDrawDocViews(CView* sender, LPARAM hint, CObject* hintObject);

  void SetReadOnlyNextOpen(BOOL readOnly) { m_bReadOnlyNextOpen = readOnly; }
  BOOL IsOpenedReadOnly() const { return m_bOpenedReadOnly; }

  static void GetProfile(int defaultMaxUndoLevels, int defaultUsePrinterDefaults);
  static void WriteProfile();
  static BOOL IsUsePrinterDefaults() { return m_bUsePrinterDefaults; }

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
};
