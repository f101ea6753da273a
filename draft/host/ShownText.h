// A text as an entity shows it: the string, the insertion point (the lower
// left corner of its box, drawing coordinates) and the attributes, whose
// height is in drawing units. Text entities, the cell texts of tables and
// the texts of compounds are painted from these.
#pragma once

#include <vector>

#include "draft/host/Geometry2D.h"
#include "draft/host/TextAttrib.h"
#include "platform/core/String.h"

struct ShownText {
  CStringA text;
  GPoint at;
  CTextAttrib attr;
};

using ShownTexts = std::vector<ShownText>;
