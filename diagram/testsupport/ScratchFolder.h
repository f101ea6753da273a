// A scratch folder for a diagram test, made fresh under the temporary folder
// and removed with everything in it (read-only entries included) when the
// test ends; the platform's scratch folder with the UTF-16 paths the
// diagram's documents take.
#pragma once

#include <string>

#include "platform/core/Charset.h"
#include "platform/core/String.h"
#include "platform/testsupport/ScratchFolder.h"

namespace diagramtest {

class ScratchFolder : public testsupport::ScratchFolder {
 public:
  ScratchFolder() : testsupport::ScratchFolder("scrivel-diagram") {}

  // The path of a file in the folder, UTF-16.
  CStringW Wide(const std::string& name) const { return CStringW(platform::Utf8ToUtf16(File(name)).c_str()); }
};

}  // namespace diagramtest
