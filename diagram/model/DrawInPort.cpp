#include "diagram/model/DrawInPort.h"

#include <new>

#include "platform/core/Exceptions.h"

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

CDrawObj* CDrawInPort::Clone() {
  try {
    return new CDrawInPort(*this);
  } catch (const std::bad_alloc&) {
    return nullptr;
  } catch (CMemoryException&) {
    return nullptr;
  }
}

int CDrawInPort::IsDestInput() const { return 1; }
