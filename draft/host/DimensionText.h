// Tressil's dimension texts: the text a dimension shows, composed of its
// parts. The parts follow each other as prefix, basic size, tolerance code
// (when shown) and deviations (when shown and either is given): equal
// deviations of opposite sign in the same-deviation format as "±0.05",
// otherwise in brackets, upper first: "(+0.025/0)". "Φ50H7(+0.025/0)".
#pragma once

#include "platform/core/String.h"

void ComposeDimensionText(CStringA& text, const char* prefix, const char* basicSize, const char* code,
                          const char* upper, const char* lower, int showCode, int showDeviations, int sameFormat);

// The part of a dimension's whole text that its parts do not explain: the
// whole text without the prefix and basic size it starts with and without
// the code and deviations it ends with (in any of the composed forms).
// Empty when the parts explain it all.
void GetDimensionTextExtra(const char* text, const char* prefix, const char* basicSize, CStringA& extra,
                           const char* code, const char* upper, const char* lower);
