#include "diagram/model/DrawHint.h"

IMPLEMENT_DYNAMIC(CDrawHint, CObject)
