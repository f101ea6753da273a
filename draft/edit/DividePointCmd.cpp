#include "draft/edit/DividePointCmd.h"

#include <cmath>
#include <memory>
#include <vector>

#include "draft/edit/PointStyle.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/Entity.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/InputNumberDlg.h"
#include "draft/host/Messages.h"
#include "draft/host/PointEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr DWORD kPickMask = 0x402200;
constexpr int kMinCount = 2;
constexpr int kMaxCount = 100;
constexpr const char* kSection = "SystemSetting";
constexpr const char* kCountKey = "Point Divide Number";
constexpr const char* kNotDivisible = "此图元不能等分!";
}  // namespace

CDividePointCmd::CDividePointCmd(int id, CDraftView* view)
    : CCmdBase(id, view), count_(GetProfileIntSetting(kSection, kCountKey, 3)) {
  prompts_ = {CString("选择等分图元")};
}

int CDividePointCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view)) return 0;
  for (;;) {
    double n = 0.0;
    {
      CModalDialogScope scope(view, "Halcyte.DLL");
      std::unique_ptr<CInputNumberDlg> dlg(
          ConstructNumberInputDlg("输入等分数", "等分数(限制在2~100之间)", "确认", "放弃", 0, 0));
      dlg->SetInputNumber(count_);
      dlg->SetInputOption(1);
      if (dlg->DoModal() != IDOK) return 0;
      n = dlg->GetInputNumber();
    }
    if (n >= kMinCount && n <= kMaxCount) {
      count_ = static_cast<int>(n);
      WriteProfileIntSetting(kSection, kCountKey, count_);
      pickMode_ = 1;
      return 1;
    }
    ShowErrorMessage("输入等分数不正确！ (必须在2~100之间)\n请重新输入！");
  }
}

void CDividePointCmd::DivisionPoints(const CEntity* entity, std::vector<GPoint>& out) const {
  double v[kMaxGeometryValues] = {};
  entity->GetGeometry(v);
  const int n = count_;
  if (entity->IsLine()) {
    for (int i = 1; i < n; ++i) out.push_back({v[0] + i * (v[2] - v[0]) / n, v[1] + i * (v[3] - v[1]) / n});
    return;
  }
  // An arc runs counter-clockwise from its start angle: an end angle kept
  // below the start (or equal to it, a whole turn) lies a turn further on.
  double sweep = v[4] - v[3];
  if (sweep <= tressil::kGeomTolerance) sweep += 360.0;
  for (int i = 1; i < n; ++i) {
    const double t = DegreeToRadian(v[3] + i * sweep / n);
    out.push_back({v[0] + v[2] * std::cos(t), v[1] + v[2] * std::sin(t)});
  }
}

void CDividePointCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const PointRec at = points_.back();
  CEntityList found;
  view->PickEntitiesAtPoint(at.x, at.y, found, 0, 1, 0, 0, kPickMask, 0);
  const CEntity* divided = nullptr;
  for (const CEntity* e : found) {
    if (e->IsLine()) {
      const CEntity* owner = e->GetEntityOwner();
      // A segment of a compound curve ends the pass; the points stay.
      if (owner && owner->IsCompoundCurve()) return;
      if (e->IsTemporary()) continue;
      divided = e;
      break;
    }
    if (e->IsArc()) {
      divided = e;
      break;
    }
  }
  if (!divided) {
    ShowErrorMessage(kNotDivisible);
  } else {
    std::vector<GPoint> division;
    DivisionPoints(divided, division);
    const PointStyle style = ReadPointStyle();
    std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntities());
    for (const GPoint& p : division)
      view->AddEntityToView(ConstructPointEntity(view->GetCurrentLayer(), divided->GetEntityGroup(), p.x, p.y,
                                                 style.type, style.size, 1),
                            record.get(), nullptr, 1);
    view->PushUndoRecord(record.release());
  }
  points_.clear();
  step_ = 0;
}
