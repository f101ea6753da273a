#include "diagram/model/DrawArc.h"

// The class's identity stands before its operations do, so that lists and
// diagrams can tell wires apart. No wire can be made or read yet.
CRuntimeClass CDrawArc::classCDrawArc = {"CDrawArc", static_cast<int>(sizeof(CDrawArc)), 0, nullptr,
                                         RUNTIME_CLASS(CDrawPoly), nullptr};
