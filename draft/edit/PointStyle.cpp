#include "draft/edit/PointStyle.h"

#include "draft/host/Settings.h"
#include "platform/core/NumberText.h"

PointStyle ReadPointStyle() {
  PointStyle style;
  style.type = GetProfileIntSetting("SYSVAR_NORMAL", "SET_POINTTYPE", 5);
  const CStringA size = GetProfileStringSetting("SYSVAR_NORMAL", "SET_POINTSIZE", "1");
  platform::ParseNumber(size.GetString(), style.size);
  return style;
}
