// CDrawOutPort: an output port: a wire may start here. It sits just outside
// a block's right edge and points away from it.
#pragma once

#include "diagram/model/blocks/DrawPort.h"

class CDrawOutPort : public CDrawPort {
  DECLARE_SERIAL(CDrawOutPort)

 public:
  CDrawOutPort();
  CDrawOutPort(const CPoint& connection, CDrawBlock* block, CDrawView* view);
  CDrawOutPort(const CDrawOutPort& other);
  ~CDrawOutPort() override;

  CDrawObj* Clone() override;
  int IsSrcOutput() const override;
};
