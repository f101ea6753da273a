// The editor of a dimension's text parts: the library's dimension-value
// dialog registers itself here when the library loads, so that the text
// command and the dimension entity's own editor (in the host, which cannot
// see the library) run it. A caller hands it the parts and switches and
// reads them back after IDOK; the editor makes its own resources current.
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
