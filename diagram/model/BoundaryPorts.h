// The boundary ports of a composite block. An external port on the block's
// edge is paired with an internal port at the edge of the inner canvas; each
// is the other's associated port, and the destructor of either destroys the
// other. Only the internal port stores the pair.
#pragma once

#include "diagram/model/blocks/DrawPort.h"

class CCompositeBlock;

// An input on the block's left edge.
class CDrawInPortExternal : public CDrawPort {
  DECLARE_SERIAL(CDrawInPortExternal)

 public:
  CDrawInPortExternal();
  CDrawInPortExternal(const CPoint& point, CDrawBlock* block, CDrawView* view, CDrawPort* associated);
  ~CDrawInPortExternal() override;

  int IsDestInput() const override;
};

// An output on the block's right edge.
class CDrawOutPortExternal : public CDrawPort {
  DECLARE_SERIAL(CDrawOutPortExternal)

 public:
  CDrawOutPortExternal();
  CDrawOutPortExternal(const CPoint& point, CDrawBlock* block, CDrawView* view, CDrawPort* associated);
  ~CDrawOutPortExternal() override;

  int IsSrcOutput() const override;
};

// Inside the block: the source that continues an external input.
class CDrawInPortInternal : public CDrawPort {
  DECLARE_SERIAL(CDrawInPortInternal)

 public:
  CDrawInPortInternal();
  CDrawInPortInternal(const CPoint& point, CDrawPort* external, CCompositeBlock* block);
  ~CDrawInPortInternal() override;

  CPoint ConnectionPoint() const override;
  int IsSrcOutput() const override;
  int IsInternal() const override;
};

// Inside the block: the destination that feeds an external output.
class CDrawOutPortInternal : public CDrawPort {
  DECLARE_SERIAL(CDrawOutPortInternal)

 public:
  CDrawOutPortInternal();
  CDrawOutPortInternal(const CPoint& point, CDrawPort* external, CCompositeBlock* block);
  ~CDrawOutPortInternal() override;

  CPoint ConnectionPoint() const override;
  int IsDestInput() const override;
  int IsInternal() const override;
};
