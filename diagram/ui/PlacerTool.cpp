#include "diagram/ui/PlacerTool.h"

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/SelectTool.h"

namespace {

// "Could not add block!"
constexpr ULONG kAddBlockFailed = 32;

}  // namespace

CPlacerTool::CPlacerTool(unsigned cursorId, CRuntimeClass* blockClass)
    : CDrawTool(dsPlacer), m_nCursorId(cursorId), m_pBlockClass(blockClass) {}

void CPlacerTool::StartPlacing(CDrawView*, unsigned blockType) {
  m_nBlockType = static_cast<int>(blockType);
  m_pBlockPlaced = nullptr;
}

void CPlacerTool::OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) {
  if (m_nBlockType == -1) return;
  CDiagram* diagram = view->GetDiagram();
  CDrawDoc* document = view->GetDocument();
  if (!diagram || !document) return;
  CPoint docPoint = point;
  view->ClientToDoc(docPoint);
  if (diagram->IsSnapToGridEnabled()) diagram->SnapToGrid(docPoint);
  if (!document->BeginUndoRecording(u"Add Block", 255)) return;
  diagram->BeginDynamicRouteChanges();
  CDrawBlock* block = nullptr;
  if (m_pBlockClass && m_pBlockClass->IsDerivedFrom(RUNTIME_CLASS(CDrawBlock)))
    block = static_cast<CDrawBlock*>(m_pBlockClass->CreateObject());
  if (!block || !block->InitializeAs(static_cast<UINT>(m_nBlockType), docPoint, view)) {
    CMsgBox::Notify(kAddBlockFailed);
    AbandonAdd(diagram, document);
    delete block;
    OnCancel(view);
    return;
  }
  // The block with its ports and texts lies on the canvas.
  const CSize offset = OffsetOntoCanvas(diagram, block->GetBoundingRectIncludingComponents());
  if (offset.cx || offset.cy) block->MoveBy(offset, FALSE);
  if (!block->AddBlockAndComponentsToDiagram(diagram)) {
    CMsgBox::Notify(kAddBlockFailed);
    AbandonAdd(diagram, document);
    delete block;
    OnCancel(view);
    return;
  }
  m_pBlockPlaced = block;
  diagram->EndDynamicRouteChanges();
  document->EndUndoRecording();
  view->Select(block, FALSE);
  // The same press goes on as a move of the new block.
  CSelectTool* select = CDrawToolSet::GetSelectTool();
  SetActiveTool(select);
  select->StartMoveFrom(docPoint, 0);
  select->CDrawTool::OnLButtonDown(view, flags, point);
}

void CPlacerTool::OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) {
  if (!m_bCursorLoaded) {
    m_bCursorLoaded = TRUE;
    LoadCursorForTool(m_nCursorId, FALSE);
  }
  view->AutoScroll(point);
  CDrawTool::OnMouseMove(view, flags, point);
}
