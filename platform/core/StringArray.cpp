#include "platform/core/StringArray.h"

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CStringArrayA, CObject, 0)
IMPLEMENT_SERIAL(CStringArrayW, CObject, 0)
