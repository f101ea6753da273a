#include "diagram/model/blocks/DrawConstInPort.h"

#include "diagram/model/objects/CloneOrNull.h"

IMPLEMENT_SERIAL(CDrawConstInPort, CDrawPort, 0)

CDrawConstInPort::CDrawConstInPort() = default;

CDrawConstInPort::CDrawConstInPort(const CPoint& connection, CDrawBlock* block, CDrawView* view) {
  const int x = connection.x;
  const int y = connection.y;
  const CPoint outline[] = {{x - 10, y}, {x - 10, y - 5}, {x - 5, y - 5}, {x, y}, {x - 5, y + 5}, {x - 10, y + 5}};
  SetOutline(outline, 6, CRect(x - 10, y - 5, x, y + 5), block, view);
}

CDrawConstInPort::CDrawConstInPort(const CDrawConstInPort& other) = default;

CDrawConstInPort::~CDrawConstInPort() = default;

CDrawObj* CDrawConstInPort::Clone() { return CloneOrNull(*this); }

int CDrawConstInPort::AddArc(CDrawArc*) { return 0; }
