// Reads arbitrary bytes as a table-structure file (.def) of either
// generation, through a scratch file as the table dialogs read one. A file
// that reads is saved again (generation 99) and must read back to the same
// number of columns, unless the save refuses it (then no file is written).
// Nothing may crash, overflow, leak or hang (the sanitizers and the time
// limit check).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "draft/fuzz/FuzzScratch.h"
#include "draft/tables/TableFiles.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::QuietHost();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string in = fuzz::WriteScratch("in.def", data, size);
  for (int tableKind : {1, 2}) {
    CFieldArray fields;
    if (ReadStructureFileFields(fields, in.c_str(), tableKind) != 1) continue;
    const std::string out = fuzz::ScratchPath("out.def");
    if (!WriteStructureFileFields(out.c_str(), fields)) {
      if (::access(out.c_str(), F_OK) == 0) std::abort();  // a refused write writes nothing
      continue;
    }
    CFieldArray again;
    if (ReadStructureFileFields(again, out.c_str(), tableKind) != 1) std::abort();
    if (again.GetSize() != fields.GetSize()) std::abort();
  }
  fuzz::RemoveScratch("in.def");
  fuzz::RemoveScratch("out.def");
  return 0;
}
