// The editor of a dimension's text parts that the annotation subsystem
// provides (its dimension-value dialog) for the commands of lower rooms: the
// subsystem registers it when the library loads; a command runs it with the
// parts and switches and reads them back after IDOK.
#pragma once

#include "platform/core/String.h"

struct DimValueParts {
  CStringA value, prefix, basicSize, code, lower, upper;
  int showCode = 0, showDeviations = 0, sameFormat = 0;
};

// IDOK (the parts replaced by the edited ones) or IDCANCEL.
using DimValueEditor = int (*)(DimValueParts& parts);

void SetDimValueEditor(DimValueEditor editor);
// Runs the registered editor; throws CNotSupportedException when none is.
int RunDimValueEditor(DimValueParts& parts);
