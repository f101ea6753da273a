// CPlacerTool: the tool that places a new block at a click, as one undo
// entry ("Add Block"), and hands it straight to the select tool so that
// the same press drags it. StartPlacing arms the tool with the block's
// layout (inputs x 100 + outputs); an unarmed tool ignores presses.
#pragma once

#include "diagram/ui/DrawTool.h"
#include "platform/core/Object.h"

class CDrawBlock;

class CPlacerTool : public CDrawTool {
 public:
  // `cursorId`: the tool's cursor resource, loaded on first use;
  // `blockClass`: CDrawBlock or a class derived from it.
  CPlacerTool(unsigned cursorId, CRuntimeClass* blockClass);

  void OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) override;

  // Arms the tool for blocks of the layout and forgets the block placed
  // last.
  virtual void StartPlacing(CDrawView* view, unsigned blockType);

  int GetBlockType() const { return m_nBlockType; }
  void ResetBlockType() { m_nBlockType = -1; }
  CDrawBlock* GetBlockPlaced() const { return m_pBlockPlaced; }

  // The cursor of both block placers.
  static constexpr unsigned kPlacerCursor = 28078;

 protected:
  // -1 while unarmed.
  int m_nBlockType = -1;
  unsigned m_nCursorId;
  CRuntimeClass* m_pBlockClass;
  CDrawBlock* m_pBlockPlaced = nullptr;
  BOOL m_bCursorLoaded = FALSE;
};
