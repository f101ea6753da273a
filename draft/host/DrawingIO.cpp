#include "draft/host/DrawingIO.h"

namespace {
int ioFlag = 0;
}  // namespace

void SetDrawingIOFlag(int flag) { ioFlag = flag ? 1 : 0; }
int GetDrawingIOFlag() { return ioFlag; }
int CanReadDrawingFile() { return ioFlag == 0 ? 1 : 0; }
