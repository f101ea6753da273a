// Quorvel's tolerance table: the standard tolerance grades IT4 to IT12 and
// the fundamental deviations of the common shaft codes (d, e, f, g, h, js,
// k, m, n, p) and hole codes (D, E, F, G, H, JS, K, M, N, P), for basic
// sizes above 0 up to and including 500 mm, by the standard size ranges;
// zones of grades 5 to 12 are looked up.
#pragma once

#include "platform/core/String.h"

// The deviations of a basic size (a number as text, mm) in a tolerance zone
// ("H7", "k6", "JS8"), as text in mm with a sign ("+0.025", "-0.009", and
// "0" for zero). Nonzero when the table knows the pair; 0 (the deviations
// emptied) for an unknown code or grade or a size outside the table.
int LookupToleranceDeviation(const char* basicSize, const char* code, CStringA& upper, CStringA& lower);
