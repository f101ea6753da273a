#include "diagram/ui/tests/NestSteps.h"

#include <algorithm>
#include <vector>

#include "diagram/model/blocks/CompositeBlock.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/ui/tests/EditSession.h"

namespace editseq {

namespace {

// What a user would nest: blocks and shapes that stand on their own.
bool IsNestable(CDrawObj* o) {
  if (o->IsInGroup() || o->IsKindOf(RUNTIME_CLASS(CDrawPort)) || o->IsKindOf(RUNTIME_CLASS(CDrawArc))) return false;
  return o->IsKindOf(RUNTIME_CLASS(CDrawBlock)) || o->IsKindOf(RUNTIME_CLASS(CDrawRect)) ||
         o->IsKindOf(RUNTIME_CLASS(CDrawPoly));
}

bool IsComposite(CDrawObj* o) { return o->IsKindOf(RUNTIME_CLASS(CCompositeBlock)) != 0; }

}  // namespace

void NestSomeObjects(Session& s) {
  std::vector<CDrawObj*> all = s.Objects(IsNestable);
  if (all.empty()) {
    s.ExpectNoChange();
    return;
  }
  std::vector<CDrawObj*> chosen;
  const int count = std::min<int>(static_cast<int>(all.size()), s.Int(1, 3));
  for (int i = 0; i < count; ++i) {
    const size_t at = static_cast<size_t>(s.Int(i, static_cast<int>(all.size()) - 1));
    std::swap(all[static_cast<size_t>(i)], all[at]);
    chosen.push_back(all[static_cast<size_t>(i)]);
  }
  s.Select(chosen);
  s.view.OnObjectNest();
}

void UnnestOneBlock(Session& s) {
  std::vector<CDrawObj*> blocks = s.Objects(IsComposite);
  if (blocks.empty()) {
    s.ExpectNoChange();
    return;
  }
  s.Select({s.Pick(blocks)});
  s.view.OnObjectUnnest();
}

}  // namespace editseq
