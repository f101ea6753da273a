#include "diagram/model/DrawPort.h"

// The class's identity stands before its operations do, so that lists can
// gather the wires of the ports they hold. No port can be made or read yet.
CRuntimeClass CDrawPort::classCDrawPort = {"CDrawPort", static_cast<int>(sizeof(CDrawPort)), 0, nullptr,
                                           RUNTIME_CLASS(CDrawPoly), nullptr};
