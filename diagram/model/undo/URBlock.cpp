#include "diagram/model/undo/URBlock.h"

#include <memory>

#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "platform/core/Exceptions.h"

IMPLEMENT_DYNAMIC(CURAssocPort, CUndoRedo)
IMPLEMENT_DYNAMIC(CURBlock, CUndoRedo)
IMPLEMENT_DYNAMIC(CURNest, CUndoRedo)
IMPLEMENT_DYNAMIC(CURUnNest, CUndoRedo)

CURAssocPort::~CURAssocPort() = default;

void CURAssocPort::DoUndo() {
  if (m_nOp == assocPortDeleted) {
    m_pPort->SetDrawState(m_state);
    RecordUndo(m_pPort, assocPortAdded);
    m_pPort->EndAssocUnDelete();
  } else if (m_nOp == assocPortAdded) {
    RecordUndo(m_pPort, assocPortDeleted);
    m_pPort->SetDrawState(drawStateMarked);
  }
}

int CURAssocPort::RecordUndo(CDrawPort* port, int op) {
  return Record(port->GetDocument(), RUNTIME_CLASS(CURAssocPort), [port, op] {
    std::unique_ptr<CURAssocPort> record(new CURAssocPort);
    record->m_pPort = port;
    record->m_nOp = op;
    record->m_state = port->GetDrawState();
    return record;
  });
}

CURBlock::~CURBlock() = default;

void CURBlock::DoUndo() {
  if (m_nOp == blockDeleted) {
    m_pBlock->SetDrawState(m_state);
    RecordUndo(m_pBlock, blockAdded);
    m_pBlock->EndUnDelete();
  } else if (m_nOp == blockAdded) {
    if (m_pBlock->GetDrawState() == drawStateDeleted) return;
    // Marking the internal ports of a composite block needs its inner
    // diagram's operations, which this build does not have.
    if (m_pBlock->GetInternalDiagram()) AfxThrowNotSupportedException(u"Composite blocks are not built.");
    RecordUndo(m_pBlock, blockDeleted);
    m_pBlock->SetDrawState(drawStateMarked);
  }
}

int CURBlock::RecordUndo(CDrawBlock* block, int op) {
  return Record(block->GetDocument(), RUNTIME_CLASS(CURBlock), [block, op] {
    std::unique_ptr<CURBlock> record(new CURBlock);
    record->m_pBlock = block;
    record->m_nOp = op;
    record->m_state = block->GetDrawState();
    return record;
  });
}

// Nesting and un-nesting move objects between a diagram and the inner
// diagram of a composite block, which this build does not have: a record of
// either could never be replayed, so none is made, and no recording is
// opened for it.

CURNest::~CURNest() = default;

void CURNest::DoUndo() { AfxThrowNotSupportedException(u"Composite blocks are not built."); }

int CURNest::RecordUndo(CDrawBlock*, const CDrawList&) { AfxThrowNotSupportedException(u"Composite blocks are not built."); }

CURUnNest::~CURUnNest() = default;

void CURUnNest::DoUndo() { AfxThrowNotSupportedException(u"Composite blocks are not built."); }

int CURUnNest::RecordUndo(CDrawBlock*) { AfxThrowNotSupportedException(u"Composite blocks are not built."); }
