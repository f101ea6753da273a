// The tendon graph entity: its data kept through a copy and a move, its
// members built through its own operations, and its line in the drawing
// file.
#include <gtest/gtest.h>

#include <memory>

#include "draft/host/DraftView.h"
#include "draft/host/DrawingFile.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TendonGraphEntity.h"

namespace {

std::unique_ptr<CTendonGraphEntity> SmallGraph() {
  std::unique_ptr<CTendonGraphEntity> g(ConstructTendonGraphEntity(1, nullptr, ""));
  g->GetCurves().push_back({{0, 10}, {1, 2}});
  g->GetColumnNames() = {"X", "Y1"};
  g->GetColumnWidths() = {20, 25};
  g->SetMaxima(10, 2);
  g->SetOrigin({100, 50});
  g->SetSettings({5, 1, 0, 0, 1});
  g->AddSegment(100, 51, 110, 52);
  g->AddMember(ConstructLineEntity(3, nullptr, 100, 50, 125, 50));
  return g;
}

TEST(TendonGraphEntity, KeepsItsDataThroughACopyAndAMove) {
  auto g = SmallGraph();
  EXPECT_TRUE(g->IsTendonGraph());
  EXPECT_TRUE(g->IsKeptWhole());
  ASSERT_EQ(g->GetMemberCount(), 2);
  EXPECT_EQ(g->GetMember(0)->GetEntityLayer(), 1);  // a segment is on the graph's layer
  std::unique_ptr<CEntity> copy(g->Clone());
  auto* c = static_cast<CTendonGraphEntity*>(copy.get());
  ASSERT_TRUE(c->IsTendonGraph());
  EXPECT_EQ(c->GetCurves()[0].second[1], 2.0);
  EXPECT_EQ(c->GetSettings().axisType, 5);
  EXPECT_EQ(c->GetMemberCount(), 2);
  c->TranslateCopy(5, -5, 0);
  EXPECT_EQ(c->GetOrigin().x, 105.0);
  EXPECT_EQ(c->GetOrigin().y, 45.0);
  EXPECT_EQ(g->GetOrigin().x, 100.0);  // the source stays
}

TEST(TendonGraphEntity, IsWrittenInTheDrawingFile) {
  CDraftView view;
  view.AddEntityToView(SmallGraph().release());
  const std::string text = FormatDrawingFile(view);
  EXPECT_NE(text.find("tendon 1 - "), std::string::npos) << text;
  EXPECT_NE(text.find(" 5 1 0 0 1 1 100 50 10 2 columns 2 \"X\" 20 \"Y1\" 25 curves 1 2 0 1 10 2 {"),
            std::string::npos)
      << text;
}

}  // namespace
