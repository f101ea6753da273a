// A diagram whose y axis points down, for the tests that run in both y
// directions.
#pragma once

#include "diagram/model/canvas/Diagram.h"

namespace diagramtest {

class DownDiagram : public CDiagram {
 public:
  BOOL IsUpwardPositive() const override { return FALSE; }
};

}  // namespace diagramtest
