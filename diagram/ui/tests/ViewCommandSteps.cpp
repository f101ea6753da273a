#include "diagram/ui/tests/ViewCommandSteps.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/ui/DocSizeConfigmDlg.h"
#include "diagram/ui/DocSizeDlg.h"
#include "diagram/ui/GridSizeDlg.h"
#include "diagram/ui/tests/EditSession.h"
#include "platform/ui/ColorDialog.h"
#include "platform/ui/ModalDriver.h"

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

namespace editseq {

namespace {

CStringW Decimal(int value) {
  CStringW text;
  text.Format(u"%d", value);
  return text;
}

}  // namespace

void RunCanvasSizeCommand(Session& s) {
  const int across = s.Int(1, 3);
  const int down = s.Int(1, 3);
  const bool cancelSize = s.Chance(10);
  const bool confirm = s.Chance(70);
  bool declined = false;
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    if (m.As<CDocSizeDlg>() && !cancelSize) {
      m.EnterText(CDocSizeDlg::kAcrossEdit, Decimal(across));
      m.EnterText(CDocSizeDlg::kDownEdit, Decimal(down));
      m.Click(IDOK);
    } else if (m.As<CDocSizeConfigmDlg>() && confirm) {
      m.Click(IDOK);
    } else {
      declined = true;
      m.Click(IDCANCEL);
    }
  });
  const CSize before = s.diagram->GetCanvasSize();
  s.view.OnViewCanvassize();
  if (declined || before == CSize(across, down)) s.ExpectNoChange();
}

void RunColourCommand(Session& s) {
  using Command = void (CDrawView::*)();
  static const Command commands[] = {&CDrawView::OnObjectFillColor, &CDrawView::OnObjectLineColor,
                                     &CDrawView::OnObjectHatchColor, &CDrawView::OnViewPaperColor};
  const Command command = commands[s.Int(0, static_cast<int>(std::size(commands)) - 1)];
  const bool cancel = s.Chance(20);
  const COLORREF colour = RGB(s.Int(0, 4) * 63, s.Int(0, 4) * 63, s.Int(0, 4) * 63);
  if (command != &CDrawView::OnViewPaperColor) {
    std::vector<CDrawObj*> all = s.Objects(IsCommandOperand);
    if (all.empty()) {
      s.ExpectNoChange();
      return;
    }
    std::vector<CDrawObj*> chosen;
    const int count = std::min<int>(static_cast<int>(all.size()), s.Int(1, 3));
    for (int i = 0; i < count; ++i) chosen.push_back(s.Pick(all));
    s.Select(chosen);
  }
  if (cancel) s.ExpectNoChange();
  platform::ScopedModalDriver driver([cancel, colour](platform::ModalSession& m) {
    auto* dialog = m.As<CColorDialog>();
    if (dialog && !cancel) {
      dialog->SetCurrentColor(colour);
      m.Click(IDOK);
    } else {
      m.Click(IDCANCEL);
    }
  });
  (s.view.*command)();
}

void RunGridCommand(Session& s) {
  if (s.Chance(25)) {
    s.view.OnSnapToGrid();
    return;
  }
  const bool cancel = s.Chance(15);
  const int choice = s.Int(0, CGridSizeDlg::kCustomChoice);
  const int step = s.Int(1, 5) * 5;
  const int lines = s.Int(1, 10);
  if (cancel) s.ExpectNoChange();
  platform::ScopedModalDriver driver([=](platform::ModalSession& m) {
    if (!m.As<CGridSizeDlg>() || cancel) {
      m.Click(IDCANCEL);
      return;
    }
    m.Click(CGridSizeDlg::kFirstChoiceRadio + choice);
    if (choice == CGridSizeDlg::kCustomChoice) {
      for (int id : {CGridSizeDlg::kGridWidthEdit, CGridSizeDlg::kGridHeightEdit}) m.EnterText(id, Decimal(step));
      for (int id : {CGridSizeDlg::kIntervalWidthEdit, CGridSizeDlg::kIntervalHeightEdit}) {
        m.EnterText(id, Decimal(lines));
      }
    }
    m.Click(IDOK);
  });
  s.view.OnSnapGridSize();
}

}  // namespace editseq
