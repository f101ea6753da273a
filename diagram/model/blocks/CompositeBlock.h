// CCompositeBlock: a block whose contents are a diagram of its own. Each
// port on its edge is paired with an internal port at the edge of the inner
// canvas; a wire that reaches the block from outside continues from the
// partner inside.
#pragma once

#include "diagram/model/blocks/DrawBlock.h"

class CCompositeBlock : public CDrawBlock {
  DECLARE_SERIAL(CCompositeBlock)

 public:
  // Makes the inner diagram, owned by the block.
  CCompositeBlock();
  ~CCompositeBlock() override;

  // Sub-menu 5 in the block's own diagram; inside, the inner diagram's.
  CMenu* GetPopupMenu(CDrawView* view, CPoint point) override;
  // A composite block is not copied: the not-supported exception reaches
  // the caller.
  CDrawObj* Clone() override;
  // The block layout with external ports, named "CompositeBlock", and an
  // internal partner for each port; the partners are not recorded for
  // undo. 0 without a view or when the recording is refused.
  int InitializeAs(UINT code, const CPoint& point, CDrawView* view) override;
  // A new boundary pair, as one undo step; null when refused.
  CDrawPort* AddNewInPort() override;
  CDrawPort* AddNewOutPort() override;

 private:
  CDrawPort* AddBoundaryPair(bool input);
};
