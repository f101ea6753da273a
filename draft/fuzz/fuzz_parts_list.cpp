// Reads arbitrary bytes as a parts-list data file (.lst/.tyb) of either
// generation, through a scratch file as the dialogs read one. Damage may
// only give kFailed or kWrongKind, with nothing kept; a file that reads is
// saved again as generation 99 and must read back with as many columns and
// rows, unless the save refuses it (then no file is written).
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
  const std::string in = fuzz::WriteScratch("in.lst", data, size);
  CStringArray rows;
  CFieldArray fields;
  const TableFileRead read = ReadPartsListFile(in.c_str(), rows, fields);
  if (read != TableFileRead::kRead) {
    // A refused file leaves no rows (the columns parsed before a bad field
    // line stay, as the structure reader keeps them).
    if (rows.GetSize() != 0) std::abort();
    if (read == TableFileRead::kWrongKind && fields.GetSize() != 0) std::abort();
  } else {
    const std::string out = fuzz::ScratchPath("out.lst");
    if (WritePartsListFile(out.c_str(), kPartsListMagic99, fields, rows)) {
      CStringArray rowsAgain;
      CFieldArray fieldsAgain;
      if (ReadPartsListFile(out.c_str(), rowsAgain, fieldsAgain) != TableFileRead::kRead) std::abort();
      if (fieldsAgain.GetSize() != fields.GetSize() || rowsAgain.GetSize() != rows.GetSize()) std::abort();
    } else if (::access(out.c_str(), F_OK) == 0) {
      std::abort();  // a refused write writes nothing
    }
  }
  fuzz::RemoveScratch("in.lst");
  fuzz::RemoveScratch("out.lst");
  return 0;
}
