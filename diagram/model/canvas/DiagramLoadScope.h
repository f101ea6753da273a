// What reading objects into a diagram needs while it runs: the diagram made
// the document's active one, so that every object read takes it as its own,
// and the list of elements being read known to the diagram (a port read
// before its block names the block there); both are put back on every way
// out. Objects of a diagram lie within kMaxStoredCoordinate of the origin (a
// canvas is at most 255 pages of hundredths of an inch): a stream with
// coordinates beyond it is damaged, and moving such objects would overflow.
#pragma once

#include "diagram/model/lists/DrawList.h"
#include "platform/core/WinTypes.h"

class CDiagram;
class CDrawDoc;

constexpr LONG kMaxStoredCoordinate = 0x3FFFFFFF;

class DiagramLoadScope {
 public:
  DiagramLoadScope(CDrawDoc* document, CDiagram* diagram, CDrawList*& loadingSlot, CDrawList& elements);
  ~DiagramLoadScope();
  DiagramLoadScope(const DiagramLoadScope&) = delete;
  DiagramLoadScope& operator=(const DiagramLoadScope&) = delete;

 private:
  CDrawDoc* document_;
  CDiagram* previous_;
  CDrawList*& slot_;
};
