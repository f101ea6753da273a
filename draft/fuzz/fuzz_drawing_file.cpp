// Reads arbitrary bytes as the host's drawing file. A text that reads must
// write a saved drawing that reads back to the same text (the file holds
// everything it says); anything else must be refused with a reason. Nothing
// may crash, overflow, leak or hang (the sanitizers and the time limit
// check).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "draft/fuzz/FuzzScratch.h"
#include "draft/host/DrawingFile.h"
#include "draft/host/DrawingFileReader.h"
#include "draft/host/ScratchDrawing.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::QuietHost();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CScratchDrawing first;
  std::string error;
  if (!ParseDrawingFile(std::string_view(reinterpret_cast<const char*>(data), size), first, &error)) {
    if (error.rfind("line ", 0) != 0) std::abort();  // every refusal names its line
    return 0;
  }
  const std::string written = FormatSavedDrawing(first);
  CScratchDrawing second;
  if (!ParseDrawingFile(written, second, &error)) std::abort();
  if (FormatSavedDrawing(second) != written) std::abort();
  return 0;
}
