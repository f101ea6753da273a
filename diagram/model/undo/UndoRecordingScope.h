// UndoRecordingScope: an undo recording, and optionally a diagram's
// route-change batch, held open for one command and closed however the
// command ends. A command that throws part way leaves the document's
// recording depth and the live router's batch where they were before it, so
// that later commands still get their own undo entries and the router still
// hears of changes.
#pragma once

#include "platform/core/WinTypes.h"

class CDiagram;
class CDrawDoc;

class CUndoRecordingScope {
 public:
  // With no document nothing is recorded and Begin always succeeds.
  explicit CUndoRecordingScope(CDrawDoc* document) : m_pDocument(document) {}
  ~CUndoRecordingScope();
  CUndoRecordingScope(const CUndoRecordingScope&) = delete;
  CUndoRecordingScope& operator=(const CUndoRecordingScope&) = delete;

  // Opens the recording; false when the document refuses it (nothing is
  // then open).
  bool Begin(LPCWSTR name, UINT sizeHint = 255);
  // Opens the diagram's route-change batch; it is closed before the
  // recording.
  void BeginRouteChanges(CDiagram* diagram);
  // Closes the batch, then the recording. A failure closing them goes on
  // to the caller; a second call does nothing.
  void End();

 private:
  CDrawDoc* m_pDocument;
  CDiagram* m_pBatchDiagram = nullptr;
  bool m_bRecording = false;
};
