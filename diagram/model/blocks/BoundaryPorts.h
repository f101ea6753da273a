// The ports on the boundary of a composite block. Each port on the block's
// edge (external) is paired with a port drawn at the edge of the block's
// inner canvas (internal): a wire that reaches the external port from
// outside continues from its internal partner inside. The pair die
// together; only the internal port stores the pair.
#pragma once

#include "diagram/model/blocks/DrawPort.h"

class CCompositeBlock;

// An input on the composite block's left edge.
class CDrawInPortExternal : public CDrawPort {
  DECLARE_SERIAL(CDrawInPortExternal)

 public:
  CDrawInPortExternal();
  CDrawInPortExternal(const CPoint& point, CDrawBlock* block, CDrawView* view, CDrawPort* associated);
  ~CDrawInPortExternal() override;

  int IsDestInput() const override;
};

// An output on the composite block's right edge.
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
  CDrawInPortInternal(const CPoint& point, CDrawPort* external, CDrawBlock* block);
  ~CDrawInPortInternal() override;

  int IsSrcOutput() const override;
  int IsInternal() const override;
  // The tip of the arrow that leaves the port.
  CPoint ConnectionPoint() const override;
};

// Inside the block: the destination that feeds an external output.
class CDrawOutPortInternal : public CDrawPort {
  DECLARE_SERIAL(CDrawOutPortInternal)

 public:
  CDrawOutPortInternal();
  CDrawOutPortInternal(const CPoint& point, CDrawPort* external, CDrawBlock* block);
  ~CDrawOutPortInternal() override;

  int IsDestInput() const override;
  int IsInternal() const override;
  // The notch of the arrow that enters the port.
  CPoint ConnectionPoint() const override;
};
