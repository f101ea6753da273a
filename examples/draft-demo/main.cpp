// A host of ScrivelDraft in a few lines: a view with a drawing, the
// library's line command on the command stack, mouse events handed to the
// stack, and the view painted into a picture. Writes draft-demo.png into the
// folder given.
#include <cstdio>
#include <string>

#include "draft/construct/LineCmd.h"
#include "draft/framework/CmdStack.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "platform/core/Charset.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/WindowSurface.h"

namespace {

std::string Utf8(const CStringA& gbk) { return platform::GbkToUtf8(gbk.GetString()); }

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : ".";
  platform::WindowSurface window(800, 600);
  CDC dc;
  if (!dc.Attach(window.CreateDc())) return 1;

  CDraftView view;
  view.SetClientSize(800, 600);
  view.SetZoom(4.0);
  view.SetDC(&dc);
  view.GetGroupTable()->SetActiveGroup(view.GetGroupTable()->AddGroup("零件", 1.0));
  // A small table and a flange.
  for (double y : {100.0, 110.0, 120.0}) view.AddEntityToView(ConstructLineEntity(0, nullptr, 10, y, 90, y));
  for (double x : {10.0, 40.0, 90.0}) view.AddEntityToView(ConstructLineEntity(0, nullptr, x, 100, x, 120));
  view.AddEntityToView(ConstructCircleEntity(0, nullptr, 140, 60, 25));
  view.AddEntityToView(ConstructCircleEntity(0, nullptr, 140, 60, 8));
  view.AddEntityToView(ConstructArcEntity(0, nullptr, 140, 60, 35, 30, 150));
  view.RefreshView();

  CCmdStack stack;
  stack.Push(&view, new CLineCmd(1, &view));  // the library's line command
  std::printf("%s\n", Utf8(stack.GetPrompt()).c_str());
  const CPoint first = view.DrawingToClient(30.5, 40);
  stack.OnMouseMove(0, first, &view);
  stack.OnLButton(0, first, &view);
  std::printf("%s\n", Utf8(stack.GetPrompt()).c_str());
  // Near the flange's centre: the cursor snaps onto it.
  const CPoint near = view.DrawingToClient(140.5, 59.5);
  stack.OnMouseMove(0, near, &view);
  std::printf("%s\n", Utf8(stack.GetStatusText()).c_str());

  const std::string path = folder + "/draft-demo.png";
  if (!window.WritePng(path)) return 1;
  std::printf("wrote %s\n", path.c_str());
  return 0;
}
