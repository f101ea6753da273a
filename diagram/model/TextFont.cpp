#include "diagram/model/TextFont.h"

// 13-unit Courier New, normal weight, fixed pitch of the modern family.
const LOGFONTW defaultLogFont = {-13, 0, 0, 0, 400, 0, 0, 0, 0, 2, 1, 0, 0x31, u"Courier New"};
