#include "diagram/model/blocks/DrawOutPort.h"

#include "diagram/model/objects/CloneOrNull.h"

IMPLEMENT_SERIAL(CDrawOutPort, CDrawPort, 0)

CDrawOutPort::CDrawOutPort() = default;

CDrawOutPort::CDrawOutPort(const CPoint& connection, CDrawBlock* block, CDrawView* view) {
  const int x = connection.x;
  const int y = connection.y;
  // An arrow pointing away from the block; the wire starts at its tip.
  const CPoint outline[] = {{x + 10, y}, {x, y - 5}, {x, y + 5}};
  SetOutline(outline, 3, CRect(x, y - 5, x + 10, y + 5), block, view);
}

CDrawOutPort::CDrawOutPort(const CDrawOutPort& other) = default;

CDrawOutPort::~CDrawOutPort() = default;

CDrawObj* CDrawOutPort::Clone() { return CloneOrNull(*this); }

int CDrawOutPort::IsSrcOutput() const { return 1; }
