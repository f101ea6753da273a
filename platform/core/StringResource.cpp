#include "platform/core/String.h"

namespace platform {

// No module has registered a string table yet; the module registry takes
// this over when resources exist.
bool LoadStringResource(UINT, std::u16string&) { return false; }

}  // namespace platform
