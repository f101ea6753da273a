#include "diagram/ui/tests/ClipboardSteps.h"

#include <vector>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/SelectTool.h"
#include "diagram/ui/tests/EditSession.h"
#include "platform/ole/DragDrop.h"
#include "platform/ole/OleDataObject.h"

namespace editseq {

namespace {

constexpr UINT kCmdEditCut = 57635;

bool IsElement(CDrawObj* o) {
  return o->Selectable() && !o->IsKindOf(RUNTIME_CLASS(CDrawPort)) && !o->IsKindOf(RUNTIME_CLASS(CDrawArc));
}


bool ClipboardHoldsDiagramData() {
  COleDataObject data;
  return data.AttachClipboard() && data.IsDataAvailable(CDiagram::m_cfDraw);
}

}  // namespace

void CopyAndPaste(Session& s) {
  std::vector<CDrawObj*> objects = s.Some([](CDrawObj* o) { return o->Selectable() != 0; }, 3);
  if (objects.empty()) return;
  s.Select(objects);
  CDrawList copyable(s.view.GetSelection());
  copyable.ExcludeElementComponents();
  copyable.ExcludeNonCopyables();
  if (copyable.IsEmpty()) return;
  s.view.OnEditCopy();
  if (s.Chance(50)) s.diagram->SetLastClickPoint(s.AnyPoint());
  s.view.OnEditPaste();
}

void Cut(Session& s) {
  std::vector<CDrawObj*> objects = s.Some([](CDrawObj* o) { return o->Selectable() != 0; }, 3);
  if (objects.empty()) return;
  s.Select(objects);
  s.view.SendMessage(WM_COMMAND, kCmdEditCut);
}

void Paste(Session& s) {
  if (!ClipboardHoldsDiagramData()) return;
  if (s.Chance(50)) s.diagram->SetLastClickPoint(s.AnyPoint());
  s.view.OnEditPaste();
}

void DragAndDrop(Session& s) {
  std::vector<CDrawObj*> elements = s.Objects(IsElement);
  if (elements.empty()) return;
  CDrawObj* object = s.Pick(elements);
  const CPoint from = object->GetPosition().CenterPoint();
  const CPoint to = from + CSize(s.Int(-150, 150), s.Int(-150, 150));
  std::vector<platform::DragStep> steps = {
      platform::DragStep::MoveTo(s.view.m_hWnd, s.Client(from + CSize(4, 4))),
      platform::DragStep::MoveTo(s.view.m_hWnd, s.Client(to), MK_LBUTTON | (s.Chance(30) ? MK_CONTROL : 0))};
  steps.push_back(s.Chance(15) ? platform::DragStep::Cancel() : platform::DragStep::Drop());
  // The loop finds the view by what the screen shows.
  s.view.ShowWindow(SW_SHOWNA);
  platform::ScopedDragDriver drag(platform::ScriptedDrag(std::move(steps)));
  s.view.Select(nullptr, FALSE);
  s.Drag(CDrawToolSet::GetSelectTool(), {from, from + CSize(3, 3)}, MK_SHIFT);
  s.view.ShowWindow(SW_HIDE);
}

}  // namespace editseq
