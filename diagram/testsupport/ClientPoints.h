// Document points of a diagram view as client pixels and back, through the
// view's own mapping, so that a test's mouse messages land where the view
// itself would put the document point (one rounding rule: the view's).
#pragma once

#include "diagram/ui/DrawView.h"
#include "platform/core/Geometry.h"

namespace diagramtest {

inline CPoint ClientPoint(CDrawView& view, CPoint doc) {
  view.DocToClient(doc);
  return doc;
}

inline CPoint DocPoint(CDrawView& view, CPoint client) {
  view.ClientToDoc(client);
  return client;
}

}  // namespace diagramtest
