#include "draft/host/DrawingSettings.h"

#include "platform/core/Exceptions.h"

CDrawingSettings::CDrawingSettings() : attributeGroup_("系统图组", 1.0) {}

double& CDrawingSettings::SystemValue(int code) {
  switch (code) {
    case kSystemTextHeight: return textHeight_;
    case kSystemDecimals: return decimals_;
    default: throw CNotSupportedException();  // the drawing keeps no other system value
  }
}

double CDrawingSettings::GetSystemReal(int code) const { return const_cast<CDrawingSettings*>(this)->SystemValue(code); }

void CDrawingSettings::SetSystemReal(int code, double value) { SystemValue(code) = value; }
