#include "diagram/model/undo/UndoRedo.h"

#include <memory>
#include <new>

#include "diagram/model/document/DrawDoc.h"
#include "platform/core/Exceptions.h"
#include "platform/core/String.h"

IMPLEMENT_DYNAMIC(CUndoRedo, CObject)

void CUndoRedo::DoUndo() {}

int CUndoRedo::RecordUndo(CDrawDoc* document) {
  return Record(document, nullptr, [] { return std::make_unique<CUndoRedo>(); });
}

int CUndoRedo::Record(CDrawDoc* document, const CRuntimeClass* recordClass,
                      const std::function<std::unique_ptr<CUndoRedo>()>& make) {
  if (!document) return TRUE;
  // A record made outside any command forms an entry named after its class;
  // inside a recording the name is not used, and not made.
  const CStringW name =
      recordClass && document->GetUndoLevel() == 0 ? CStringW(recordClass->m_lpszClassName) : CStringW();
  if (!document->BeginUndoRecording(name, 255)) return FALSE;
  int result = TRUE;
  if (!document->IsUndoRecordingDisabled()) {
    try {
      // The record is the recording's once it has been added.
      std::unique_ptr<CUndoRedo> record = make();
      document->AddToUndoList(record.get());
      record.release();
    } catch (const std::bad_alloc&) {
      result = FALSE;
    } catch (CMemoryException&) {
      result = FALSE;
    } catch (...) {
      // The state could not be captured: the recording is closed, and the
      // caller, which has changed nothing yet, hears why.
      document->EndUndoRecording();
      throw;
    }
  }
  document->EndUndoRecording();
  return result;
}
