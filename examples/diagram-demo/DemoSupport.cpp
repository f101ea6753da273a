#include "examples/diagram-demo/DemoSupport.h"

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/lists/DrawList.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/ui/DrawView.h"
#include "platform/gdi/WindowSurface.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"

namespace demo {

CDrawBlock* PlaceNamedBlock(CDiagram* diagram, UINT code, CPoint at, CDrawView* view, const char16_t* name) {
  auto* block = new CDrawBlock;
  if (!block->InitializeAs(code, at, view)) {
    delete block;
    return nullptr;
  }
  CDrawList components;
  block->IncludeComponentsInList(&components);
  for (POSITION pos = components.GetHeadPosition(); pos;) {
    CDrawObj* component = components.GetNext(pos);
    if (component->IsKindOf(RUNTIME_CLASS(CDrawText))) static_cast<CDrawText*>(component)->ChangeTextString(name);
  }
  if (!block->AddBlockAndComponentsToDiagram(diagram)) {
    delete block;
    return nullptr;
  }
  return block;
}

bool PaintInView(CDrawDoc& doc, CDrawView& view, const char16_t* title, const CRect& frame, const std::string& path,
                 bool fitToCanvas) {
  doc.AddView(&view);
  bool written = false;
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  if (view.CreateEx(0, u"AfxWnd", title, style, frame, nullptr, 0)) {
    view.OnInitialUpdate();
    if (fitToCanvas) {
      // The client area takes the canvas's size at the view's zoom, so the
      // picture is the whole canvas and nothing beside it.
      const CSize canvas = view.GetTotalSize();
      CRect window(0, 0, canvas.cx, canvas.cy);
      ::AdjustWindowRectEx(&window, style, FALSE, 0);
      view.SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER);
      view.ScrollToPosition(CPoint(0, 0));
    }
    view.Invalidate();
    view.UpdateWindow();
    platform::WindowSurface* surface = platform::WindowSurfaceOf(view.GetSafeHwnd());
    written = surface && surface->WritePng(path);
    view.DestroyWindow();
  }
  doc.RemoveView(&view);
  return written;
}

}  // namespace demo
