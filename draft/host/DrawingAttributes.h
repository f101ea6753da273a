// Velmish's services around the drawing's attributes: setting one, and
// today's date as attribute values show it.
#pragma once

#include "platform/core/String.h"

class CDraftView;

// Sets the drawing attribute `name` (added, or replaced when there) in the
// view's drawing attribute list. FALSE for a null view or an empty name.
BOOL SetDrawingAttribute(CDraftView* view, const char* name, const char* type, const char* value, int shown);

// Today's date (local time). Format 1: "YYYY年M月D日" (month and day without
// leading zeros); any other format: "YYYY-MM-DD".
CStringA GetCurrentDateString(int format);
