#include "draft/edit/RoundArrayCmd.h"

#include <cmath>
#include <memory>

#include "draft/edit/RoundArraySetDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/Messages.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"
#include "platform/ui/Wnd.h"

namespace {
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr int kMask = 0x2000;
}  // namespace

CRoundArrayCmd::CRoundArrayCmd(int id) : CSelectCmdBase(id, nullptr, 0, 0, kMask, 0) {
  prompts_.resize(4);
  prompts_[2] = "输入周分布中心";
  prompts_[3] = "输入图元的基准点";
}

int CRoundArrayCmd::ProcessSelection(CDraftView* view) {
  CModalDialogScope scope(view);
  CRoundArraySetDlg dlg(nullptr);
  if (dlg.DoModal() != IDOK) {
    if (view) view->ClearSelection(nullptr);
    return 0;
  }
  count_ = dlg.GetCount();
  order_ = dlg.GetOrder();
  angleStep_ = dlg.GetAngleStep();
  askAlways_ = dlg.GetAskAlways();
  rotateObjects_ = dlg.GetRotateObjects();
  return 1;
}

int CRoundArrayCmd::OnProcessClick(CDraftView* view) {
  if (!view || points_.empty()) return 0;
  const double ox = points_[0].x, oy = points_[0].y;
  double bx = ox, by = oy, radius = 0.0, a0 = 0.0;
  if (!rotateObjects_) {
    if (points_.size() < 2) {
      done_ = 0;
      return 0;
    }
    bx = points_[1].x;
    by = points_[1].y;
    radius = GetPointDistance(bx, by, ox, oy);
    a0 = GetLineAngle(ox, oy, bx, by);
    if (std::fabs(radius) <= tressil::kGeomTolerance) {
      ShowMessage("错误：基准点与分布中心重合！\n请重新输入图元的基准点。", MB_OK | MB_ICONSTOP);
      points_.resize(1);
      step_ = 1;
      done_ = 0;
      return 0;
    }
  }
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntities());
  CWnd* main = AfxGetMainWnd();
  const HWND mainWindow = main ? main->GetSafeHwnd() : nullptr;
  const CEntityList& selection = *view->GetSelectionList();
  bool stopped = false, failed = false;
  for (int i = 1; i < count_ && !stopped && !failed; ++i) {
    if (CheckUserBreak(mainWindow)) break;
    const double ai = order_ == 1 ? -i * angleStep_ : i * angleStep_;
    const double dx = radius * std::cos((ai + a0) * kRadiansPerDegree) + ox - bx;
    const double dy = radius * std::sin((ai + a0) * kRadiansPerDegree) + oy - by;
    CEntityList round;
    for (CEntity* source : selection) {
      if (CheckUserBreak(mainWindow)) {
        stopped = true;
        break;
      }
      if (!source) {
        ShowMessage("非法内存地址", MB_OK | MB_ICONSTOP);
        failed = true;
        break;
      }
      std::unique_ptr<CEntity> copy(rotateObjects_ ? source->RotateCopy(ox, oy, ai, 1)
                                                   : source->TranslateCopy(dx, dy, 1));
      if (!copy) {
        ShowMessage("内存不足", MB_OK | MB_ICONSTOP);
        failed = true;
        break;
      }
      if (askAlways_) {
        if (copy->IsTable()) copy->SetTableKind(0);
        view->DrawEntityTemp(copy.get(), 1, 0);
        round.AddTail(copy.release());
      } else {
        view->AddEntityToView(copy.release(), record.get());
      }
    }
    if (round.IsEmpty()) continue;
    int answer = IDNO;
    if (!stopped && !failed) {
      CStringA question;
      question.Format("需要这一项( 第 %d 项 )吗？", i);
      answer = ShowMessage(question.GetString(), MB_YESNOCANCEL | MB_ICONQUESTION);
    }
    if (answer == IDNO) {
      // Declined, or the round was cut short: its copies go.
      for (CEntity* e : round) {
        view->DrawEntityTemp(e, 1, 1);
        delete e;
      }
      continue;
    }
    view->AddEntities(round);
    record->AddNewList(round);
    if (answer == IDCANCEL) askAlways_ = 0;  // the rest without asking
  }
  view->PushUndoRecord(record.release());
  ClearPoints();
  return 1;
}
