// The enlarged detail view. The user marks a circular area by its centre
// and a point on it (the circle command's first two steps, R and D keys
// included), chooses the scale and the label in CEnlargedViewDlg, and then
// places the label, the enlarged copy of everything inside the circle and
// the annotation. The source side (the circle, a leader to the label and
// the label) becomes one compound; the copies, scaled about the area's
// centre and moved to the chosen point, the circle round them and the
// annotation become a second compound in a new drawing group whose scale is
// the chosen one (times the scale of the group the copies came from).
#pragma once

#include "draft/construct/CircleCenterCmd.h"
#include "draft/host/EntityList.h"
#include "draft/host/TextAttrib.h"

class CBlockEntity;
class CDrawingGroup;

class CEnlargedViewCmd : public CCircleCenterCmd {
 public:
  explicit CEnlargedViewCmd(int id);
  ~CEnlargedViewCmd() override;

  int Begin(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // The annotation's proportions, in text heights: the rule reaches this far
  // beyond the wider text on each side, and each text keeps this gap to the
  // rule.
  static constexpr double kRuleOverhang = 0.5;
  static constexpr double kTextGap = 0.5;

  double GetScale() const { return scale_; }
  const CStringA& GetScaleText() const { return scaleText_; }
  const CStringA& GetLabel() const { return label_; }
  int GetCopyCount() const { return copies_.GetCount(); }

 private:
  // The points of the build: from the collected points, the cursor standing
  // in for the one the current step waits for.
  GPoint StepPoint(int index) const;
  // The build: drawn as a preview, or made for real (`final`).
  void Build(CDraftView* view, bool final);
  // Where the label and the scale text go about the annotation point.
  void AddAnnotation(CDraftView* view, CBlockEntity* block, const int* layer, CDrawingGroup* group,
                     const CTextAttrib& attr, const GPoint& at, bool final);
  // A free name "局部放大图 <label>", or "局部放大图 <label> - <n>".
  CStringA GroupName(CDraftView* view) const;
  void DeleteCopies();

  double scale_ = 2.0;
  CStringA scaleText_ = "2:1";
  CStringA label_ = "A";
  CEntityList copies_;
  CEntityList discarded_;
};
