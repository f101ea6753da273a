#include "diagram/model/undo/URBlock.h"

#include <memory>

#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/canvas/CompositeBlockDiagram.h"
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
    if (CCompositeBlockDiagram* inner = m_pBlock->GetInternalDiagram()) inner->MarkInternalPorts(drawStateMarked);
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

CURNest::~CURNest() = default;

void CURNest::DoUndo() {
  CCompositeBlockDiagram* inner = m_pBlock->GetInternalDiagram();
  if (!inner) return;
  CURUnNest::RecordUndo(m_pBlock);
  const CDrawList objects(inner->GetObjects());
  inner->ShiftBetweenDiagrams(objects, CCompositeBlockDiagram::shiftOut, m_zOrder);
}

int CURNest::RecordUndo(CDrawBlock* block, const CDrawList& objects) {
  return Record(block->GetDocument(), RUNTIME_CLASS(CURNest), [block, &objects] {
    std::unique_ptr<CURNest> record(new CURNest);
    record->m_pBlock = block;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
      CDrawObj* object = objects.GetNext(pos);
      record->m_zOrder.SetAt(object, static_cast<WORD>(object->GetZIndex()));
    }
    return record;
  });
}

CURUnNest::~CURUnNest() = default;

void CURUnNest::DoUndo() {
  CCompositeBlockDiagram* inner = m_pBlock->GetInternalDiagram();
  if (!inner) return;
  CURNest::RecordUndo(m_pBlock, m_objects);
  const CMapPtrToWord none;
  inner->ShiftBetweenDiagrams(m_objects, CCompositeBlockDiagram::shiftIn, none);
}

int CURUnNest::RecordUndo(CDrawBlock* block) {
  return Record(block->GetDocument(), RUNTIME_CLASS(CURUnNest), [block] {
    std::unique_ptr<CURUnNest> record(new CURUnNest);
    record->m_pBlock = block;
    if (CCompositeBlockDiagram* inner = block->GetInternalDiagram()) record->m_objects = inner->GetObjects();
    return record;
  });
}
