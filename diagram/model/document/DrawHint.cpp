#include "diagram/model/document/DrawHint.h"

IMPLEMENT_DYNAMIC(CDrawHint, CObject)
