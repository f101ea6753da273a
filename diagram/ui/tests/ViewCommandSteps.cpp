#include "diagram/ui/tests/ViewCommandSteps.h"

#include <algorithm>
#include <vector>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/ui/tests/EditSession.h"

namespace editseq {

namespace {

bool IsCommandOperand(CDrawObj* o) {
  return !o->IsInGroup() && !o->IsKindOf(RUNTIME_CLASS(CDrawPort)) && o->Selectable();
}

}  // namespace

void RunViewCommand(Session& s) {
  using Command = void (CDrawView::*)();
  static const Command commands[] = {
      &CDrawView::OnObjectLineTypeDash, &CDrawView::OnObjectLineTypeSolid, &CDrawView::OnObjectHsCross,
      &CDrawView::OnObjectHsNone,       &CDrawView::OnObjectTransparent,   &CDrawView::OnObjectOpaque,
      &CDrawView::OnObjectToggleUsefill, &CDrawView::OnObjectToggleUsehatch, &CDrawView::OnObjectMoveToFront,
      &CDrawView::OnObjectMoveToBack,   &CDrawView::OnEditClear,           &CDrawView::OnPolypointAddsegment,
      &CDrawView::OnPolypointRemovesegment,
  };
  std::vector<CDrawObj*> all = s.Objects(IsCommandOperand);
  const Command command = commands[s.Int(0, static_cast<int>(std::size(commands)) - 1)];
  // The vertex commands work on one object, the others on up to three.
  const bool single = command == &CDrawView::OnPolypointAddsegment || command == &CDrawView::OnPolypointRemovesegment;
  std::vector<CDrawObj*> chosen;
  const int count = std::min<int>(static_cast<int>(all.size()), single ? 1 : s.Int(1, 3));
  for (int i = 0; i < count; ++i) {
    const size_t at = static_cast<size_t>(s.Int(i, static_cast<int>(all.size()) - 1));
    std::swap(all[static_cast<size_t>(i)], all[at]);
    chosen.push_back(all[static_cast<size_t>(i)]);
  }
  if (chosen.empty()) {
    s.ExpectNoChange();
    return;
  }
  s.Select(chosen);
  (s.view.*command)();
}

}  // namespace editseq
