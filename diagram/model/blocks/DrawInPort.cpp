#include "diagram/model/blocks/DrawInPort.h"

#include "diagram/model/objects/CloneOrNull.h"

IMPLEMENT_SERIAL(CDrawInPort, CDrawPort, 0)

CDrawInPort::CDrawInPort() = default;

CDrawInPort::CDrawInPort(const CPoint& connection, CDrawBlock* block, CDrawView* view) {
  const int x = connection.x;
  const int y = connection.y;
  // The wire ends on the back notch of the arrow that points into the block.
  const CPoint outline[] = {{x - 8, y}, {x - 10, y - 5}, {x, y}, {x - 10, y + 5}};
  SetOutline(outline, 4, CRect(x - 10, y - 5, x, y + 5), block, view);
}

CDrawInPort::CDrawInPort(const CDrawInPort& other) = default;

CDrawInPort::~CDrawInPort() = default;

CDrawObj* CDrawInPort::Clone() { return CloneOrNull(*this); }

int CDrawInPort::IsDestInput() const { return 1; }
