// CDrawConstInPort: a constant input: no wire attaches to it.
#pragma once

#include "diagram/model/blocks/DrawPort.h"

class CDrawConstInPort : public CDrawPort {
  DECLARE_SERIAL(CDrawConstInPort)

 public:
  CDrawConstInPort();
  CDrawConstInPort(const CPoint& connection, CDrawBlock* block, CDrawView* view);
  CDrawConstInPort(const CDrawConstInPort& other);
  ~CDrawConstInPort() override;

  CDrawObj* Clone() override;

  using CDrawPort::AddArc;
  // Refuses every wire.
  virtual int AddArc(CDrawArc* arc);
};
