#include "diagram/model/blocks/BoundaryPorts.h"

#include <iterator>

#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/canvas/CompositeBlockDiagram.h"

namespace {

// An internal port leaves its block's list of internal ports as it goes,
// deleted or not: the block owns the inner diagram that holds the port, so
// the block is there.
void ForgetInternalPort(CDrawPort* port) {
  CDrawBlock* block = port->GetDrawBlock();
  if (CCompositeBlockDiagram* inner = block ? block->GetInternalDiagram() : nullptr) inner->RemoveInternalPort(port);
}

}  // namespace

IMPLEMENT_SERIAL(CDrawInPortExternal, CDrawPort, 0)
IMPLEMENT_SERIAL(CDrawOutPortExternal, CDrawPort, 0)
IMPLEMENT_SERIAL(CDrawInPortInternal, CDrawPort, 0)
IMPLEMENT_SERIAL(CDrawOutPortInternal, CDrawPort, 0)

CDrawInPortExternal::CDrawInPortExternal() = default;

CDrawInPortExternal::CDrawInPortExternal(const CPoint& point, CDrawBlock* block, CDrawView* view,
                                         CDrawPort* associated)
    : CDrawPort(associated) {
  const int x = point.x;
  const int y = point.y;
  const CPoint outline[] = {{x - 8, y}, {x - 10, y - 5}, {x, y}, {x - 10, y + 5}};
  SetOutline(outline, static_cast<int>(std::size(outline)), CRect(x - 10, y - 5, x, y + 5), block, view);
  // A boundary port shows its whole outline, wired or not.
  m_nUnlinkedPoints = static_cast<int>(std::size(outline));
}

CDrawInPortExternal::~CDrawInPortExternal() = default;

int CDrawInPortExternal::IsDestInput() const { return 1; }

CDrawOutPortExternal::CDrawOutPortExternal() = default;

CDrawOutPortExternal::CDrawOutPortExternal(const CPoint& point, CDrawBlock* block, CDrawView* view,
                                           CDrawPort* associated)
    : CDrawPort(associated) {
  const int x = point.x;
  const int y = point.y;
  const CPoint outline[] = {{x + 10, y}, {x, y - 5}, {x, y + 5}};
  SetOutline(outline, static_cast<int>(std::size(outline)), CRect(x, y - 5, x + 10, y + 5), block, view);
  m_nUnlinkedPoints = static_cast<int>(std::size(outline));
}

CDrawOutPortExternal::~CDrawOutPortExternal() = default;

int CDrawOutPortExternal::IsSrcOutput() const { return 1; }

CDrawInPortInternal::CDrawInPortInternal() = default;

CDrawInPortInternal::CDrawInPortInternal(const CPoint& point, CDrawPort* external, CDrawBlock* block)
    : CDrawPort(external) {
  const int x = point.x;
  const int y = point.y;
  // An arrow coming in from the canvas edge, then the stub a wire leaves
  // from.
  const CPoint outline[] = {{x, y},      {x - 20, y + 10}, {x - 16, y},     {x - 20, y - 10},
                            {x, y},      {x, y - 5},       {x + 10, y},     {x, y + 5}};
  SetOutline(outline, static_cast<int>(std::size(outline)), CRect(x - 20, y - 10, x + 10, y + 10), block, nullptr);
  m_nUnlinkedPoints = static_cast<int>(std::size(outline));
}

CDrawInPortInternal::~CDrawInPortInternal() { ForgetInternalPort(this); }

int CDrawInPortInternal::IsSrcOutput() const { return 1; }
int CDrawInPortInternal::IsInternal() const { return 1; }

CPoint CDrawInPortInternal::ConnectionPoint() const {
  return m_nAllocPoints >= 2 ? m_points[m_nAllocPoints - 2] : CDrawPort::ConnectionPoint();
}

CDrawOutPortInternal::CDrawOutPortInternal() = default;

CDrawOutPortInternal::CDrawOutPortInternal(const CPoint& point, CDrawPort* external, CDrawBlock* block)
    : CDrawPort(external) {
  const int x = point.x;
  const int y = point.y;
  // An arrow leaving toward the canvas edge, fed through the notch behind
  // it.
  const CPoint outline[] = {{x, y},      {x, y - 10},      {x + 20, y},     {x, y + 10},
                            {x, y},      {x - 10, y - 5},  {x - 8, y},      {x - 10, y + 5}};
  SetOutline(outline, static_cast<int>(std::size(outline)), CRect(x - 10, y - 10, x + 20, y + 10), block, nullptr);
  m_nUnlinkedPoints = static_cast<int>(std::size(outline));
}

CDrawOutPortInternal::~CDrawOutPortInternal() { ForgetInternalPort(this); }

int CDrawOutPortInternal::IsDestInput() const { return 1; }
int CDrawOutPortInternal::IsInternal() const { return 1; }

CPoint CDrawOutPortInternal::ConnectionPoint() const {
  return m_nAllocPoints >= 2 ? m_points[m_nAllocPoints - 2] : CDrawPort::ConnectionPoint();
}
