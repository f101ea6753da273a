#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/SectionSymbolEntity.h"

namespace {
std::vector<double> Points(const CSectionSymbolEntity& s) {
  std::vector<double> xy;
  s.GetSectionPoints(xy);
  return xy;
}
}  // namespace

// The symbol keeps its points in order; a member picked on its path names
// it as its owner; copies and transforms carry the points along.
TEST(SectionSymbolEntity, KeepsItsPointsInOrderAndItsMembersArePicked) {
  const double xy[] = {0, 0, 10, 0, 10, 10, 20, 10};
  EXPECT_EQ(ConstructSectionSymbolEntity(0, nullptr, xy, 1), nullptr);
  CSectionSymbolEntity* symbol = ConstructSectionSymbolEntity(0, nullptr, xy, 4);
  ASSERT_NE(symbol, nullptr);
  EXPECT_TRUE(symbol->IsSectionSymbol());
  EXPECT_TRUE(symbol->IsKeptWhole());
  EXPECT_TRUE(symbol->IsBlock());
  EXPECT_EQ(symbol->GetMemberCount(), 3);
  EXPECT_EQ(Points(*symbol), std::vector<double>(xy, xy + 8));

  CDraftView view;
  view.AddEntityToView(symbol);
  CEntityList found;
  ASSERT_TRUE(view.PickEntitiesAtPoint(10, 5, found, 0, 1, 0, 0, static_cast<DWORD>(-1282), -1));
  EXPECT_TRUE(found.GetHead()->IsLine());
  EXPECT_EQ(found.GetHead()->GetEntityOwner(), symbol);

  std::unique_ptr<CEntity> copy(symbol->Clone(1));
  ASSERT_TRUE(copy->IsSectionSymbol());
  copy->TranslateCopy(5, 1, 0);
  EXPECT_EQ(Points(static_cast<CSectionSymbolEntity&>(*copy)), (std::vector<double>{5, 1, 15, 1, 15, 11, 25, 11}));
  EXPECT_EQ(Points(*symbol), std::vector<double>(xy, xy + 8));

  // In a group of scale 2 about the origin the points show where they are drawn.
  CDrawingGroup group("g", 2.0, 0.0, 0.0);
  std::unique_ptr<CSectionSymbolEntity> scaled(ConstructSectionSymbolEntity(0, &group, xy, 2));
  EXPECT_EQ(Points(*scaled), (std::vector<double>{0, 0, 10, 0}));
  group.SetGroupScale(4.0);
  EXPECT_EQ(Points(*scaled), (std::vector<double>{0, 0, 20, 0}));
}
