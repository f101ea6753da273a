// The measuring commands' report: their rows of a label and a value shown in
// Korrin's result list, under a caption, with Korrin's module current (when
// it is found) and the view's modal-dialog flag set while it runs.
#pragma once

#include "platform/core/StringArray.h"

class CDraftView;

void ShowMeasureResults(CDraftView* view, const CStringArray& labels, const CStringArray& values, const char* caption,
                        int selectedRow);
