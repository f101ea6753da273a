#include <gtest/gtest.h>

#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"

namespace {
// A line whose copy cannot be made, so no transform of it can be shown.
class CUncopyableLine : public CLineEntity {
 public:
  using CLineEntity::CLineEntity;
  CEntity* Clone(int) const override { return nullptr; }
};
}  // namespace

TEST(TransformedPreview, DrawsTheSelectionOrAListAndCountsWhatItDrew) {
  CDraftView view;
  CEntity* a = ConstructLineEntity(0, nullptr, 0, 0, 10, 0);
  CEntity* b = new CUncopyableLine(0, nullptr, 0, 5, 10, 5);
  view.AddEntityToView(a);
  view.AddEntityToView(b);

  EXPECT_EQ(view.DrawSelectionTransformed(nullptr, 1, 2, 0, 0, 1.0, 90.0), 0);  // nothing selected
  view.SelectEntity(a);
  view.SelectEntity(b);
  view.ClearDrawLog();
  EXPECT_EQ(view.DrawSelectionTransformed(nullptr, 1, 2, 3, 4, 2.0, 90.0), 1);  // b cannot be shown
  ASSERT_EQ(view.GetDrawLog().size(), 1u);
  const ViewDrawOp& op = view.GetDrawLog()[0];
  EXPECT_EQ(op.kind, ViewDrawKind::kSelectionTransformed);
  EXPECT_EQ(op.values, (std::vector<double>{1, 2, 3, 4, 2, 90}));
  EXPECT_EQ(op.flag, 1);

  CEntityList only;
  only.AddTail(b);
  EXPECT_EQ(view.DrawSelectionTransformed(&only, 1, 2, 0, 0, 1.0, 0.0), 0);
  // Nothing was made or changed.
  EXPECT_EQ(view.GetSelectionCount(), 2);
  double v[kMaxGeometryValues];
  a->GetGeometry(v);
  EXPECT_EQ(std::vector<double>(v, v + 4), (std::vector<double>{0, 0, 10, 0}));
}
