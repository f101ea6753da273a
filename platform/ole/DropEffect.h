// The effects of an OLE drag and drop: what a drop target would do with the
// data (none, copy, move, link) and whether it scrolls meanwhile.
#pragma once

#include "platform/core/WinTypes.h"

typedef DWORD DROPEFFECT;

#define DROPEFFECT_NONE 0u
#define DROPEFFECT_COPY 1u
#define DROPEFFECT_MOVE 2u
#define DROPEFFECT_LINK 4u
#define DROPEFFECT_SCROLL 0x80000000u
