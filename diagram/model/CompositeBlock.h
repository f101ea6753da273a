// CCompositeBlock: a block whose contents are a diagram of their own. Each
// port on its edge is paired with an internal port at the edge of the inner
// canvas.
#pragma once

#include "diagram/model/blocks/DrawBlock.h"

class CCompositeBlock : public CDrawBlock {
  DECLARE_SERIAL(CCompositeBlock)

 public:
  CCompositeBlock();
  ~CCompositeBlock() override;

  CMenu* GetPopupMenu(CDrawView* view, CPoint point) override;
  CDrawObj* Clone() override;
  int InitializeAs(UINT code, const CPoint& point, CDrawView* view) override;
  CDrawPort* AddNewInPort() override;
  CDrawPort* AddNewOutPort() override;
};
