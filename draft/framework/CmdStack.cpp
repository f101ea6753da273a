#include "draft/framework/CmdStack.h"

#include "draft/framework/CmdBase.h"
#include "draft/host/DraftView.h"

namespace {
constexpr const char* kWelcome = "欢迎使用Zarvex系列软件！";
constexpr UINT kEnter = 13;
constexpr UINT kNotEnterBits = 0x80 | 0x2000;
// The level of the three-view origin command.
constexpr BYTE kThreeViewLevel = 6;

// How the view takes the three-view division: a level-6 command that puts
// the cursor somewhere (CDraftView::MoveCursorTo) while it handles a click,
// a right button, a character or a typed point has fixed the origin there,
// and the drawing counts as divided from then on.
class ThreeViewOriginWatch {
 public:
  ThreeViewOriginWatch(const CCmdBase* current, CDraftView* view)
      : view_(current && view && current->GetLevel() == kThreeViewLevel ? view : nullptr),
        placements_(view_ ? view_->GetCursorPlacementCount() : 0) {}
  ~ThreeViewOriginWatch() {
    if (!view_ || view_->GetCursorPlacementCount() == placements_) return;
    const GPoint origin = view_->GetPlacedCursor();
    view_->SetThreeViewOrigin(origin.x, origin.y);
  }
  ThreeViewOriginWatch(const ThreeViewOriginWatch&) = delete;
  ThreeViewOriginWatch& operator=(const ThreeViewOriginWatch&) = delete;

 private:
  CDraftView* view_;
  int placements_;
};
}  // namespace

CCmdStack::~CCmdStack() {
  current_ = nullptr;
  while (!commands_.empty()) commands_.erase(commands_.begin());
}

void CCmdStack::SkipNextFinish(int, int, int) { skip_ = 1; }

void CCmdStack::ClearEventWords(CDraftView* view) {
  if (view) view->EventWord(0) = view->EventWord(1) = 0;
}

void CCmdStack::TopBecomesCurrent(bool resume) {
  current_ = commands_.empty() ? nullptr : commands_.back().get();
  if (resume && current_) current_->Resume();
}

void CCmdStack::DropTop(bool resumeNext) {
  commands_.pop_back();
  TopBecomesCurrent(resumeNext);
}

void CCmdStack::Push(CDraftView* view, CCmdBase* command) {
  if (!command) return;
  std::unique_ptr<CCmdBase> fresh(command);
  fresh->SetStack(this);
  const BYTE level = fresh->GetLevel();
  const int id = fresh->GetId();
  while (!commands_.empty()) {
    CCmdBase* running = commands_.back().get();
    if (running->GetLevel() == level && running->GetId() == id) {
      fresh.reset();  // the running one keeps going
      TopBecomesCurrent(true);
      return;
    }
    if (running->GetLevel() < level) break;
    running->End(view);
    commands_.pop_back();
  }
  // The ended commands are gone: while the new one begins (and when its
  // Begin fails or throws) the one below is current, not resumed.
  TopBecomesCurrent(false);
  if (fresh->Begin(view)) {
    commands_.push_back(std::move(fresh));
    TopBecomesCurrent(true);
  } else {
    fresh.reset();
    TopBecomesCurrent(false);
  }
}

int CCmdStack::PushNested(CDraftView* view, CCmdBase* command) {
  if (!command) return 0;
  std::unique_ptr<CCmdBase> fresh(command);
  fresh->SetStack(this);
  if (!fresh->Begin(view)) return 0;
  commands_.push_back(std::move(fresh));
  TopBecomesCurrent(true);
  return 1;
}

void CCmdStack::PopView() {
  if (current_ && current_->GetLevel() == 5) DropTop(false);
}

// With no current command the event handlers change nothing (those with a result give 0).
int CCmdStack::OnLButton(UINT flags, CPoint dp, CDraftView* view) {
  ClearEventWords(view);
  if (!current_) return 0;
  ThreeViewOriginWatch watch(current_, view);
  current_->OnMouseMove(flags, dp, view);
  current_->OnLButton(flags, dp, view);
  if (current_ && current_->IsDoneAfterClick()) return OnRButton(flags, dp, view);
  return 0;
}

int CCmdStack::OnRButton(UINT flags, CPoint dp, CDraftView* view) {
  if (skip_) {
    skip_ = 0;
    return 0;
  }
  if (!current_) return 0;
  ClearEventWords(view);
  ThreeViewOriginWatch watch(current_, view);
  current_->PrepareRButton(flags, dp, view);
  if (current_->OnRButton(view)) DropTop(true);
  return 1;
}

void CCmdStack::OnMouseMove(UINT flags, CPoint dp, CDraftView* view) {
  ClearEventWords(view);
  if (current_) current_->OnMouseMove(flags, dp, view);
}

int CCmdStack::OnChar(CPoint dp, UINT ch, UINT repeat, UINT flags, CDraftView* view) {
  if (!current_) return 0;
  ClearEventWords(view);
  ThreeViewOriginWatch watch(current_, view);
  int result = 0;
  if (ch == kEnter && !(flags & kNotEnterBits))
    result = OnLButton(flags, dp, view);
  else
    result = current_->OnChar(dp, ch, repeat, flags, view);
  if (current_ && current_->IsDoneAfterKey()) return OnRButton(flags, dp, view);
  return result;
}

void CCmdStack::OnKeyDown(CPoint dp, UINT key, UINT repeat, UINT flags, CDraftView* view) {
  if (!current_) return;
  ClearEventWords(view);
  current_->OnKeyDown(dp, key, repeat, flags, view);
}

int CCmdStack::OnTypedInput(CDraftView* view, const char* text) {
  if (!current_) return 0;
  ClearEventWords(view);
  ThreeViewOriginWatch watch(current_, view);
  const int result = current_->OnTypedPoint(view, text);
  if (!result) return result;
  if (current_ && current_->IsDoneAfterKey()) OnRButton(0, CPoint(0, 0), view);
  return result;
}

void CCmdStack::Interrupt(CDraftView* arg) {
  if (!current_ || !current_->OnInterrupt(arg)) return;
  current_->OnRButton(arg);
  current_->End(arg);
  DropTop(true);
}

void CCmdStack::NotifySelection(CDraftView* view, int flag) {
  if (current_) current_->OnSelectionChanged(view, flag);
}

int CCmdStack::UpdateCursorState(int arg, CDraftView* view) {
  const int pointInput = current_ ? current_->IsPointInput() : 1;
  const int pickMode = current_ ? current_->IsPickMode() : 0;
  const int viewCommand = current_ ? current_->IsViewCommand() : 0;
  if (!view) return 0;
  view->ShowStateCursor(0);
  view->EraseStateCursor();
  view->SetCursorState(arg, pointInput, pickMode, viewCommand);
  return view->UpdateCursor();
}

CString CCmdStack::GetPrompt() { return current_ ? current_->GetPrompt() : CString(kWelcome); }

CString CCmdStack::GetStatusText() { return current_ ? current_->GetStatusText() : CString(); }

void CCmdStack::AbortAll(CDraftView* view) {
  current_ = nullptr;
  while (!commands_.empty()) {
    std::unique_ptr<CCmdBase> bottom = std::move(commands_.front());
    commands_.erase(commands_.begin());
    try {
      bottom->EndSafely(view);
      bottom.reset();
    } catch (...) {
      // Every command is still removed.
    }
  }
}

void CCmdStack::DeleteAll() {
  current_ = nullptr;
  while (!commands_.empty()) commands_.pop_back();
}

void CCmdStack::EndAll(CDraftView* view) {
  current_ = nullptr;
  while (!commands_.empty()) {
    std::unique_ptr<CCmdBase> top = std::move(commands_.back());
    commands_.pop_back();
    top->End(view);
  }
}

void CCmdStack::EndTop(CDraftView* view) {
  if (!current_) return;
  std::unique_ptr<CCmdBase> top = std::move(commands_.back());
  commands_.pop_back();
  // The top is off the stack before its End runs, so that an End that
  // throws leaves no dangling current command.
  TopBecomesCurrent(false);
  top->End(view);
  top.reset();
  if (current_) current_->Resume();
}

void CCmdStack::EndEach(CDraftView* view) {
  for (auto& c : commands_) c->End(view);
}

int CCmdStack::GetCurrentId() const { return current_ ? current_->GetId() : 0; }

BOOL CCmdStack::IsCurrentId(int id) const { return current_ && current_->GetId() == id ? TRUE : FALSE; }

BOOL CCmdStack::GetCurrentIdOut(int& id) const {
  if (!current_) return FALSE;
  id = current_->GetId();
  return TRUE;
}
