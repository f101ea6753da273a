// Korrin's single-line text (a mirrored text stays readable: only its
// insertion point is mirrored): a GBK string at an insertion point (its lower
// left corner) with text attributes. Its box is as long as the font manager
// measures the text (GetFontManager) and as high as the text height, turned
// by the attributes' angle. A text placed in a box (ConstructTextEntityEx)
// also keeps the box and the alignment code it was placed by.
#pragma once

#include "draft/host/Entity.h"
#include "draft/host/TextAttrib.h"
#include "platform/core/String.h"

class CTextEntity : public CEntity {
 public:
  CTextEntity(int layer, CDrawingGroup* group, const char* text, double x, double y, const CTextAttrib& attr);

  BOOL IsText() const override { return TRUE; }
  // Tested by the insertion point: inside (or on the border of) the rectangle.
  BOOL IsInRectangle(double xmin, double ymin, double xmax, double ymax, int viewValue) const override;
  CEntity* Clone(int flag = 1) const override;
  CEntity* EditInDialog(CLayerTable* layers, CGroupTable* groups) override;
  CEntity* CloneWithTextAttrib(const CTextAttrib& attr) const override;
  int GetGeometry(double* values) const override;
  EntityKind GetKind() const override { return EntityKind::kText; }
  void GetPieces(ShapePieces& out) const override;
  void GetShownShape(ShapePieces& out, ShownTexts& texts) const override;
  // The text as painted: insertion point and attributes in drawing units.
  ShownText GetShownText() const;

  const CStringA& GetText() const { return text_; }
  void SetText(const char* text) { text_ = text ? text : ""; }
  GPoint GetInsertPoint() const { return Shown(p_); }
  const CTextAttrib& GetTextAttrib() const { return attr_; }
  void SetTextAttrib(const CTextAttrib& attr) { attr_ = attr; }
  // The alignment code the text was placed by (0: placed at a point).
  int GetPlacementCode() const { return placementCode_; }
  void SetPlacementCode(int code) { placementCode_ = code; }
  // The box the text was placed in, in drawing coordinates (normalised);
  // false when it has none.
  bool GetPlacementBox(double& x0, double& y0, double& x1, double& y1) const;
  void SetPlacementBox(double x0, double y0, double x1, double y1);
  void ClearPlacementBox() { hasBox_ = false; }
  // The corners of the text's outline in drawing coordinates: lower left,
  // lower right, upper right, upper left.
  void GetOutline(GPoint corners[4]) const;

 protected:
  CTextEntity(const CTextEntity&) = default;
  void ApplyTransform(const EntityTransform& t) override;
  void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) override;

 private:
  CStringA text_;
  GPoint p_;
  CTextAttrib attr_;
  int placementCode_ = 0;
  bool hasBox_ = false;
  GPoint box0_, box1_;  // group coordinates
};

CTextEntity* ConstructTextEntity(int layer, CDrawingGroup* group, const char* text, double x, double y,
                                 const CTextAttrib& attr);
// A text at a point that keeps `placementWord` as its placement code (the
// code of the box it was first placed by, 0 for a point). `mode` is the
// caller's entry mode (nonzero: a new text, 0: an edited one); the text
// does not depend on it.
CTextEntity* ConstructTextEntity(int layer, CDrawingGroup* group, const char* text, double x, double y,
                                 int placementWord, const CTextAttrib& attr, int mode);
