// A drafting view with its command stack, driven as a host drives them:
// mouse moves, clicks, characters and keys at drawing points, and the lines
// the commands made read back from the drawing.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "draft/framework/CmdStack.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/testsupport/DevicePoint.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/MessageBox.h"

using Line = std::array<double, 4>;  // x1, y1, x2, y2

class CommandBench : public drafttest::MessageBoxAnswers {
 public:
  // An 800 × 600 view at zoom 1 without snapping: device (x, y) is drawing
  // (x, 600 − y).
  CommandBench() { view.SetSnapModes(0); }

  static CPoint At(double x, double y) { return drafttest::DevicePoint(x, y); }

  template <typename Cmd>
  Cmd* Push(Cmd* cmd) {
    stack.Push(&view, cmd);
    return cmd;
  }
  void Move(double x, double y) { stack.OnMouseMove(0, At(x, y), &view); }
  void Click(double x, double y) { stack.OnLButton(0, At(x, y), &view); }
  void Char(UINT ch, double x, double y) { stack.OnChar(At(x, y), ch, 1, 0, &view); }
  void Key(UINT key) { stack.OnKeyDown(view.GetCursorPos(), key, 1, 0, &view); }
  // Enter where the screen cursor is.
  void Enter() { stack.OnChar(view.GetCursorPos(), 13, 1, 0, &view); }

  // The lines of the drawing, in drawing order.
  std::vector<Line> Lines() {
    std::vector<Line> out;
    for (CEntity* e : *view.GetEntityList()) {
      double v[kMaxGeometryValues];
      if (e->IsLine() && e->GetGeometry(v) == 4) out.push_back({v[0], v[1], v[2], v[3]});
    }
    return out;
  }

  // The view must outlive the commands the stack deletes.
  CDraftView view;
  CCmdStack stack;
};

inline void ExpectLines(const std::vector<Line>& actual, const std::vector<Line>& expected, double tolerance = 1e-9) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i)
    for (size_t k = 0; k < 4; ++k)
      EXPECT_NEAR(actual[i][k], expected[i][k], tolerance) << "line " << i << " value " << k;
}
