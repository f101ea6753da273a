// The templates of the equation-curve dialogs: the equation (439), taking
// one equation from the list (440) and removing equations (1321).
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddEquationDialogTemplates(platform::ResourceSet& r);
}
