// CDrawInPort: an input port: a wire may end here. It sits just outside a
// block's left edge and points into it.
#pragma once

#include "diagram/model/blocks/DrawPort.h"

class CDrawInPort : public CDrawPort {
  DECLARE_SERIAL(CDrawInPort)

 public:
  CDrawInPort();
  CDrawInPort(const CPoint& connection, CDrawBlock* block, CDrawView* view);
  CDrawInPort(const CDrawInPort& other);
  ~CDrawInPort() override;

  CDrawObj* Clone() override;
  int IsDestInput() const override;
};
