#include "diagram/model/DrawPoly.h"

// The class's identity stands before its operations do, so that lists and
// diagrams can tell ports and wires (which derive from it) apart. No object
// of the class can be made or read yet.
CRuntimeClass CDrawPoly::classCDrawPoly = {"CDrawPoly", static_cast<int>(sizeof(CDrawPoly)), 0, nullptr,
                                           RUNTIME_CLASS(CDrawObj), nullptr};
