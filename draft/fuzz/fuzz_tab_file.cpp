// Reads arbitrary bytes as a tab file (an attribute template such as
// Attribute.Tab, or the equation table) through the tab-file reader, from
// a scratch file. Each entry is then taken as the equation dialog takes a
// table line: split into its fields, its expressions converted to the
// evaluator's form, and a few points of the curve computed. Nothing may crash, overflow, leak or hang (the sanitizers and
// the time limit check).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "draft/construct/EquationText.h"
#include "draft/fuzz/FuzzScratch.h"
#include "draft/host/TabFile.h"

namespace {

void TakeAsEquation(const CStringA& line) {
  CStringArrayA fields;
  ParseEquationLine(line, fields);
  if (fields.GetSize() < kEqFieldCount) return;
  const bool polar = fields[kEqSystem] == "1";
  const bool radians = fields[kEqUnit] == "0";
  CStringA x, y, message;
  if (!ConvertEquation(fields[kEqX], fields[kEqY], fields[kEqParameter], polar, radians, x, y, message)) return;
  const double s = std::atof(fields[kEqStart]);
  const double e = std::atof(fields[kEqEnd]);
  const double d = std::atof(fields[kEqStep]);
  int taken = 0;
  for (double t : EquationSamples(s, e, d, true)) {
    double px = 0, py = 0;
    EquationPoint(x, y, polar, !radians, t, px, py);
    if (++taken == 8) break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::QuietHost();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteScratch("in.tab", data, size);
  CStringArrayA entries, comments;
  ReadTabFile(path.c_str(), entries, comments);
  for (int i = 0; i < entries.GetSize() && i < 16; ++i) TakeAsEquation(entries[i]);
  fuzz::RemoveScratch("in.tab");
  return 0;
}
