// The factor of the user's angle unit ("UnitSetting"/"AngUnitUnit", default
// "1.0"): an angle typed in a settings dialog times the factor is degrees.
// A factor of 0 (or an unreadable text) counts as 1.
#pragma once

double ReadAngleUnitFactor();
