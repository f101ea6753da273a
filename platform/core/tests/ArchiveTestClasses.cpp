#include "ArchiveTestSupport.h"

namespace archive_test {
IMPLEMENT_SERIAL(CLeaf, CObject, 1)
IMPLEMENT_SERIAL(CNode, CObject, 0)
IMPLEMENT_SERIAL(CVersioned, CObject, VERSIONABLE_SCHEMA | 3)
}  // namespace archive_test
