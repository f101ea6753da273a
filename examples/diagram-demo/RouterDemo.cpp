#include "examples/diagram-demo/RouterDemo.h"

#include <cstdio>
#include <string>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/ui/DrawView.h"
#include "examples/diagram-demo/DemoSupport.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/ui/WinUser.h"

namespace demo {
namespace {

namespace fs = std::filesystem;

// The routers shown: the method CDiagram::GetNewArcRouter takes, the name
// in the picture's file name and the caption painted on the diagram.
struct RouterRow {
  UINT method;
  const char* name;
  const char16_t* caption;
};
constexpr RouterRow kRouters[] = {
    {1, "cell", u"Routed with the cell router"},
    {2, "segment", u"Routed with the segment router"},
    {3, "shared-path", u"Routed with the shared-path router"},
};

CDrawPort* PortOf(CDrawBlock* block, int index) {
  POSITION pos = block->GetPorts().FindIndex(index);
  return pos ? static_cast<CDrawPort*>(block->GetPorts().GetAt(pos)) : nullptr;
}

std::vector<CPoint> PointsOf(CDrawArc* arc) {
  std::vector<CPoint> points;
  for (int i = 1; i <= arc->GetHandleCount(); ++i) points.push_back(arc->GetHandle(i));
  return points;
}

// Laid: both ends on the ports' connection points and every leg horizontal
// or vertical.
bool Laid(CDrawArc* arc) {
  const std::vector<CPoint> points = PointsOf(arc);
  if (points.size() < 2 || points.front() != arc->GetSrcOutPort()->ConnectionPoint() ||
      points.back() != arc->GetDestInPort()->ConnectionPoint())
    return false;
  for (size_t i = 1; i < points.size(); ++i) {
    if (points[i].x != points[i - 1].x && points[i].y != points[i - 1].y) return false;
  }
  return true;
}

// The scene, built through the library's own operations in a document of
// its own.
class Scene {
 public:
  Scene() {
    Check(doc_.OnNewDocument() != FALSE, "a new document");
    diagram_ = doc_.GetDiagram();
    Check(diagram_->SetCanvasSize(2, 1) != FALSE, "a canvas of two pages");
    doc_.AddView(&placer_);
    placer_.CreateEx(0, u"AfxWnd", u"placer", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1240, 680), nullptr, 0);
    placer_.OnInitialUpdate();
  }
  ~Scene() {
    diagram_->SetAutoRouteModeAndMethod(0, 0);
    placer_.DestroyWindow();
    doc_.RemoveView(&placer_);
  }
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  // Points measured right and down from the canvas's top-left corner (y
  // grows upward in the diagram).
  CPoint At(int right, int down) const {
    const CRect canvas = diagram_->GetRect();
    return CPoint(canvas.left + right, canvas.top - down);
  }

  CDrawBlock* Block(UINT code, CPoint at, const char16_t* name) {
    return PlaceNamedBlock(diagram_, code, at, &placer_, name);
  }

  CDrawArc* Wire(CDrawBlock* from, int output, CDrawBlock* to, int input) {
    if (!from || !to) return nullptr;
    auto* arc = new CDrawArc;
    if (!arc->Initialize(PortOf(from, output), PortOf(to, input), TRUE) || !diagram_->Add(arc)) {
      delete arc;
      return nullptr;
    }
    return arc;
  }

  bool Obstacle(CPoint topLeft, CPoint bottomRight) {
    auto* wall = new CDrawRect(CRect(topLeft, bottomRight));
    if (!diagram_->Add(wall)) {
      delete wall;
      return false;
    }
    wall->SetFillColor(RGB(224, 224, 224));
    wall->EnableFill(TRUE);
    return true;
  }

  bool Caption(const char16_t* text) {
    auto* caption = new CDrawText(text, CRect(At(40, 20), At(900, 55)), 1, 4, nullptr, diagram_);
    if (!diagram_->Add(caption)) {
      delete caption;
      return false;
    }
    return true;
  }

  // Paints the diagram in a view of its own and writes the view's pixels.
  bool Paint(const std::string& path) {
    CDrawView view;
    return PaintInView(doc_, view, u"routing", CRect(0, 0, 1200, 660), path);
  }

  CDiagram& Diagram() { return *diagram_; }

 private:
  CDrawDoc doc_;
  CDiagram* diagram_ = nullptr;
  CDrawView placer_;
};

// One router's turn: the scene built, every wire routed in one pass, the
// result checked and painted.
void RouteWith(const RouterRow& router, const fs::path& folder) {
  std::printf("Routing with the %s router\n", router.name);
  Scene scene;
  auto at = [&scene](int right, int down) { return scene.At(right, down); };
  // A generator with two outputs on the left; four sinks stacked on the
  // right take its first output, a fifth its second; a second source low
  // on the left feeds a block far right, across the fan-out.
  CDrawBlock* gen = scene.Block(2, at(80, 260), u"Gen");
  CDrawBlock* src = scene.Block(1, at(80, 470), u"Src");
  CDrawBlock* sinks[4] = {scene.Block(100, at(720, 100), u"A"), scene.Block(100, at(720, 220), u"B"),
                          scene.Block(100, at(720, 340), u"C"), scene.Block(100, at(720, 460), u"D")};
  CDrawBlock* aux = scene.Block(100, at(1000, 540), u"Aux");
  CDrawBlock* out = scene.Block(100, at(1000, 160), u"Out");
  // Obstacles between them: a wall in the way of the fan-out, and a block
  // without ports in the middle.
  const bool obstacles = scene.Obstacle(at(360, 180), at(420, 420)) && scene.Block(0, at(540, 300), u"Mid") &&
                         scene.Obstacle(at(860, 280), at(900, 480));
  Check(gen && src && aux && out && sinks[0] && sinks[1] && sinks[2] && sinks[3] && obstacles,
        "eight blocks with their ports, a block without ports and two walls");
  Check(scene.Caption(router.caption), "a caption naming the router");
  std::vector<CDrawArc*> fanOut;
  for (CDrawBlock* sink : sinks) fanOut.push_back(scene.Wire(gen, 0, sink, 0));
  std::vector<CDrawArc*> wires = fanOut;
  wires.push_back(scene.Wire(gen, 1, aux, 0));
  wires.push_back(scene.Wire(src, 0, out, 0));
  bool made = true;
  for (CDrawArc* wire : wires) made = made && wire;
  Check(made, "a fan-out of four wires from one output and two other wires, drawn as straight lines");
  if (!made) return;

  const UINT savedMethod = CDiagram::m_nManualRouteMethod;
  const int savedWhat = CDiagram::m_nRouteWhat;
  CDiagram::m_nManualRouteMethod = router.method;
  CDiagram::m_nRouteWhat = 0;
  Check(scene.Diagram().RouteArcs(CDrawList(), 0) == 1, std::string("a routing pass with the ") + router.name +
                                                            " router");
  CDiagram::m_nManualRouteMethod = savedMethod;
  CDiagram::m_nRouteWhat = savedWhat;
  int laid = 0;
  for (CDrawArc* wire : wires) laid += Laid(wire) ? 1 : 0;
  Check(laid == static_cast<int>(wires.size()),
        std::to_string(laid) + " of " + std::to_string(wires.size()) + " wires laid horizontally and vertically");
  if (router.method == 3) {
    // The fan-out is one tree: its wires leave the output along one leg.
    bool shared = true;
    for (CDrawArc* wire : fanOut) {
      const std::vector<CPoint> points = PointsOf(wire);
      const std::vector<CPoint> first = PointsOf(fanOut.front());
      shared = shared && points.size() >= 3 && first.size() >= 3 && points[1] == first[1];
    }
    Check(shared, "the four wires of the fan-out share their first leg");
  }
  const std::string picture = (folder / (std::string("routing-") + router.name + ".png")).string();
  Check(scene.Paint(picture), "the routed diagram painted to " + picture);
}

}  // namespace

void RunRouterDemo(const fs::path& folder) {
  for (const RouterRow& router : kRouters) RouteWith(router, folder);
}

}  // namespace demo
