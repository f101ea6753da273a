#include "draft/host/ViewEntityMakers.h"

#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/LayerTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TextEntity.h"

namespace {
int LayerOf(CDraftView* view, const int* layer) { return layer ? *layer : (view ? view->GetCurrentLayer() : 0); }

// Into the block, else into the drawing; deleted when neither takes it.
CEntity* Place(CDraftView* view, CEntity* block, CEntity* e) {
  if (block) {
    if (block->AddMember(e)) return e;
  } else if (view && view->AddEntityToView(e)) {
    return e;
  }
  delete e;
  return nullptr;
}
}  // namespace

CEntity* AddArcEntity(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, double cx, double cy,
                      double r, double start, double end) {
  return Place(view, block, new CArcEntity(LayerOf(view, layer), group, cx, cy, r, start, end));
}

CEntity* AddCircleEntity(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, double cx,
                         double cy, double r) {
  return Place(view, block, new CCircleEntity(LayerOf(view, layer), group, cx, cy, r));
}

CEntity* AddLineEntity(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, double x1, double y1,
                       double x2, double y2) {
  return Place(view, block, new CLineEntity(LayerOf(view, layer), group, x1, y1, x2, y2));
}

BOOL MakeLineEntity(CEntity** line, CDraftView* view, double x1, double y1, double x2, double y2, int create,
                    CDrawingGroup* group) {
  if (!line || !view) return FALSE;
  if (!create) {
    view->DrawLinePreview(x1, y1, x2, y2, 0);
    return TRUE;
  }
  *line = AddLineEntity(view, nullptr, nullptr, group, x1, y1, x2, y2);
  return *line ? TRUE : FALSE;
}

CEntity* AddLineEntityEx(CDraftView* view, CEntity* block, int lineKind, CDrawingGroup* group, double x1, double y1,
                         double x2, double y2) {
  const int layer = GetLineKindLayer(lineKind);
  return AddLineEntity(view, block, &layer, group, x1, y1, x2, y2);
}

CEntity* AddFormattedText(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, const char* text,
                          double x, double y, BYTE attributeByte, const CTextAttrib& attr) {
  CTextAttrib a(attr);
  a.SetStyle(attributeByte);
  return Place(view, block, new CTextEntity(LayerOf(view, layer), group, text, x, y, a));
}

CEntity* AddTextString(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, CStringA text,
                       double x, double y, double height, double angle, int alignment, int style) {
  CTextAttrib a;
  ConstructTextAttribDefault(a, height, alignment, style);
  a.SetAngle(angle);
  return Place(view, block, new CTextEntity(LayerOf(view, layer), group, text, x, y, a));
}

CEntity* AddTextStringEx(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, CStringA text,
                         double x, double y, const CTextAttrib& attr) {
  return Place(view, block, new CTextEntity(LayerOf(view, layer), group, text, x, y, attr));
}
