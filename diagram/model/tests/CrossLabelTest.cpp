// The cross and the page labels drawn at a page-boundary crossing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "diagram/model/blocks/DrawArc.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawingRecorder.h"

namespace {

struct Drawn {
  std::vector<std::u16string> texts;
  int lines = 0;
};

Drawn DrawLabel(CrossPoint crossing, int number, int withText) {
  auto recorder = std::make_shared<platform::DrawingRecorder>();
  CDC dc;
  dc.Attach(platform::CreateRecordingDc(recorder));
  DrawCrossLabel(&dc, crossing, TRUE, number, withText);
  Drawn drawn;
  for (const platform::DrawOp& op : recorder->Ops()) {
    if (op.kind == platform::DrawKind::Text) drawn.texts.push_back(op.text);
    if (op.kind == platform::DrawKind::Polyline) ++drawn.lines;
  }
  return drawn;
}

TEST(CrossLabelTest, LabelsNameThePagesWithAnXOrTheSequenceNumber) {
  const CrossPoint crossing{1, 100, 50, 3, 2};
  const Drawn unnumbered = DrawLabel(crossing, -1, TRUE);
  EXPECT_EQ(unnumbered.texts, (std::vector<std::u16string>{u"3-x", u"2-x"}));
  EXPECT_EQ(unnumbered.lines, 2);  // the two strokes of the cross
  const Drawn numbered = DrawLabel(crossing, 2, TRUE);
  EXPECT_EQ(numbered.texts, (std::vector<std::u16string>{u"3-2", u"2-2"}));
  const Drawn crossOnly = DrawLabel(crossing, 2, FALSE);
  EXPECT_TRUE(crossOnly.texts.empty());
  EXPECT_EQ(crossOnly.lines, 2);
}

}  // namespace
