#include "draft/edit/ModifyDimCmd.h"

#include <memory>

#include "draft/construct/CurveEquationCmd.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/EquationCurveEntity.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

namespace {

// Ordinary entities and tables, compounds whole: an equation curve is
// picked as the curve, not as one of its segments.
constexpr DWORD kPickMask = 0x12000;

// The active view of the main window's active MDI child, or null.
CView* ActiveChildView() {
  auto* main = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
  if (!main) return nullptr;
  CMDIChildWnd* child = main->MDIGetActive();
  return child ? child->GetActiveView() : nullptr;
}

}  // namespace

CModifyDimCmd::CModifyDimCmd(int id) : CCmdBase(id, nullptr) {
  prompts_ = {CString("选择要修改的标注")};
  pickMode_ = 1;
}

int CModifyDimCmd::Begin(CDraftView* view) { return CCmdBase::Begin(view) ? 1 : 0; }

void CModifyDimCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const PointRec at = points_.back();
  CEntityList found;
  view->PickEntitiesAtPoint(at.x, at.y, found, 1, 0, 0, 0, kPickMask, 0);
  CEquationCurveEntity* curve = nullptr;
  for (CEntity* e : found) {
    if (e->IsEquationCurve()) {
      curve = static_cast<CEquationCurveEntity*>(e);
      break;
    }
  }
  if (curve) {
    std::unique_ptr<CCurveEquationCmd> next(new CCurveEquationCmd(GetId(), curve));
    if (CView* target = ActiveChildView()) {
      level_ = 1;
      target->SendMessage(kPushCommandMessage, 0, reinterpret_cast<LPARAM>(next.release()));
      level_ = 2;
    }
  }
  points_.clear();
  step_ = 0;
}
