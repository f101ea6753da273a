#include "diagram/model/undo/UndoRecordingScope.h"

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"

CUndoRecordingScope::~CUndoRecordingScope() {
  // Reached with the brackets still open only when the command is leaving
  // by an exception: that exception is the one the caller must see, so a
  // second failure while closing is dropped.
  try {
    End();
  } catch (...) {
  }
}

bool CUndoRecordingScope::Begin(LPCWSTR name, UINT sizeHint) {
  if (!m_pDocument) return true;
  if (!m_pDocument->BeginUndoRecording(name, sizeHint)) return false;
  m_bRecording = true;
  return true;
}

void CUndoRecordingScope::BeginRouteChanges(CDiagram* diagram) {
  if (!diagram || m_pBatchDiagram) return;
  diagram->BeginDynamicRouteChanges();
  m_pBatchDiagram = diagram;
}

void CUndoRecordingScope::End() {
  if (CDiagram* diagram = m_pBatchDiagram) {
    m_pBatchDiagram = nullptr;
    try {
      diagram->EndDynamicRouteChanges();
    } catch (...) {
      if (m_bRecording) {
        m_bRecording = false;
        m_pDocument->EndUndoRecording();
      }
      throw;
    }
  }
  if (m_bRecording) {
    m_bRecording = false;
    m_pDocument->EndUndoRecording();
  }
}
