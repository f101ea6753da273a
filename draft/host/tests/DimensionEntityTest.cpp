// A dimension is a compound kept whole: explode breaks it only when asked
// to break such compounds, and its copies keep its strings and members.
#include <gtest/gtest.h>

#include <memory>

#include "draft/host/DimensionEntity.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TextEntity.h"

namespace {

std::unique_ptr<CDimensionEntity> MakeDimension() {
  std::unique_ptr<CDimensionEntity> dim(ConstructDimensionEntity(0, nullptr));
  dim->AddMember(ConstructLineEntity(0, nullptr, 0, 0, 50, 0));
  dim->AddMember(ConstructTextEntity(0, nullptr, "50", 20, 2, CTextAttrib()));
  dim->Strings(CDimensionEntity::kValue) = {"50"};
  return dim;
}

TEST(DimensionEntity, IsACompoundKeptWhole) {
  auto dim = MakeDimension();
  EXPECT_TRUE(dim->IsKeptWhole());
  EXPECT_TRUE(dim->HasExplodeOptions2());
  EXPECT_FALSE(dim->IsCompoundCurve());
  const struct {
    int type;
    bool breaks;
  } cases[] = {{kExplodeBlocks | kExplodeCurves, false}, {kExplodeNested, false}, {kExplodeKeptWhole, true}};
  for (const auto& c : cases) {
    CEntityList parts;
    EXPECT_EQ(dim->ExplodeByType(parts, c.type) != FALSE, c.breaks) << c.type;
    EXPECT_EQ(parts.GetCount(), c.breaks ? 2 : 0) << c.type;
    for (CEntity* e : parts) delete e;
  }
  std::unique_ptr<CEntity> copy(dim->Clone(1));
  ASSERT_TRUE(copy->IsDimension());
  EXPECT_TRUE(copy->IsKeptWhole());
  EXPECT_EQ(static_cast<CDimensionEntity*>(copy.get())->Strings(CDimensionEntity::kValue)[0], "50");
}

}  // namespace
