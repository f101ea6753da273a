#include "draft/edit/AngleUnit.h"

#include <cstdlib>

#include "draft/host/Settings.h"

double ReadAngleUnitFactor() {
  const double f = std::atof(GetProfileStringSetting("UnitSetting", "AngUnitUnit", "1.0").GetString());
  return f > 0.0 || f < 0.0 ? f : 1.0;
}
