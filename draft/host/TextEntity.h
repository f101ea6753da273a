// Korrin's single-line text (a mirrored text stays readable: only its
// insertion point is mirrored): a GBK string at an insertion point (its lower
// left corner) with text attributes. Its box is as wide as the text's bytes
// at half the height each (a double-byte character is as wide as it is
// high), scaled by the width factor and turned by the attributes' angle.
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
  CEntity* CloneWithTextAttrib(const CTextAttrib& attr) const override;
  int GetGeometry(double* values) const override;
  EntityKind GetKind() const override { return EntityKind::kText; }
  void GetPieces(ShapePieces& out) const override;

  const CStringA& GetText() const { return text_; }
  void SetText(const char* text) { text_ = text ? text : ""; }
  GPoint GetInsertPoint() const { return Shown(p_); }
  const CTextAttrib& GetTextAttrib() const { return attr_; }
  void SetTextAttrib(const CTextAttrib& attr) { attr_ = attr; }

 protected:
  CTextEntity(const CTextEntity&) = default;
  void ApplyTransform(const EntityTransform& t) override;
  void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) override;

 private:
  CStringA text_;
  GPoint p_;
  CTextAttrib attr_;
};

CTextEntity* ConstructTextEntity(int layer, CDrawingGroup* group, const char* text, double x, double y,
                                 const CTextAttrib& attr);
