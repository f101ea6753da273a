#include "examples/draft-session/sequences/SessionUser.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <sstream>

#include "draft/framework/CmdStack.h"
#include "examples/draft-session/HostText.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "examples/draft-session/CommandRegistry.h"
#include "examples/draft-session/sequences/DialogAnswers.h"
#include "platform/core/Charset.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MessageBox.h"
#include "platform/core/WinConstants.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/ModalDriver.h"

namespace draftsequence {
namespace {

std::string Utf8(const CStringW& utf16) {
  return platform::Utf16ToUtf8(std::u16string_view(utf16.GetString(), static_cast<size_t>(utf16.GetLength())));
}

std::string Number(double v) {
  std::ostringstream s;
  s << v;
  return s.str();
}

std::string PointWords(GPoint p) { return Number(p.x) + ' ' + Number(p.y); }

std::string CharWord(UINT ch) {
  switch (ch) {
    case 9: return "TAB";
    case 13: return "ENTER";
    case 27: return "ESC";
    case 32: return "SPACE";
    case 8: return "BACK";
    default: return std::string(1, static_cast<char>(ch));
  }
}

std::string KeyWord(UINT vk) {
  switch (vk) {
    case VK_ESCAPE: return "ESC";
    case VK_SHIFT: return "SHIFT";
    case VK_CONTROL: return "CTRL";
    case VK_END: return "END";
    case VK_HOME: return "HOME";
    case VK_PRIOR: return "PGUP";
    case VK_NEXT: return "PGDN";
    case VK_LEFT: return "LEFT";
    case VK_RIGHT: return "RIGHT";
    case VK_UP: return "UP";
    case VK_DOWN: return "DOWN";
    default: return std::to_string(vk);
  }
}

// The buttons of a message box of `type`.
std::vector<int> BoxButtons(UINT type) {
  switch (type & 0xF) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    default: return {IDOK};
  }
}

std::string BoxWord(int id) {
  switch (id) {
    case IDYES: return "yes";
    case IDNO: return "no";
    case IDCANCEL: return "cancel";
    default: return "ok";
  }
}

// The view shows x 0..200, y 0..150; generated points keep off its edges.
constexpr double kLeft = 10, kRight = 190, kBottom = 10, kTop = 140;

GPoint Clamp(GPoint p) { return {std::clamp(p.x, kLeft, kRight), std::clamp(p.y, kBottom, kTop)}; }

// A point on the entity, as drawn (members of blocks are looked into).
GPoint PointOn(const CEntity& e, Rng& rng) {
  if (e.IsBlock()) {
    const auto& block = static_cast<const CBlockEntity&>(e);
    if (block.GetMemberCount() > 0) return PointOn(*block.GetMember(rng.Int(0, block.GetMemberCount() - 1)), rng);
  }
  double v[kMaxGeometryValues];
  const int n = e.GetGeometry(v);
  const double t = rng.Int(2, 8) / 10.0;
  switch (e.GetKind()) {
    case EntityKind::kLine:
    case EntityKind::kTwoPoint:
      if (n >= 4) return {v[0] + t * (v[2] - v[0]), v[1] + t * (v[3] - v[1])};
      break;
    case EntityKind::kCircle:
      if (n >= 3) {
        const double a = rng.Int(0, 7) * 45.0 * M_PI / 180;
        return {v[0] + v[2] * std::cos(a), v[1] + v[2] * std::sin(a)};
      }
      break;
    case EntityKind::kArc:
      if (n >= 5) {
        double sweep = v[4] - v[3];
        if (sweep <= 0) sweep += 360;
        const double a = (v[3] + t * sweep) * M_PI / 180;
        return {v[0] + v[2] * std::cos(a), v[1] + v[2] * std::sin(a)};
      }
      break;
    default:
      break;
  }
  return n >= 2 ? GPoint{v[0], v[1]} : GPoint{100, 75};
}

}  // namespace

SessionUser::SessionUser(const draftsession::CommandRegistry& commands, CDraftView& view, CCmdStack& stack, Rng& rng)
    : commands_(commands), view_(view), stack_(stack), rng_(rng) {
  driver_ = std::make_unique<platform::ScopedModalDriver>([this](platform::ModalSession& s) { AnswerDialog(s); });
  boxes_ = std::make_unique<platform::ScopedMessageBoxHandler>(
      [this](const platform::MessageBoxRequest& r) { return AnswerBox(r); });
}

SessionUser::~SessionUser() = default;

bool SessionUser::Running() const { return !stack_.IsEmpty(); }

bool SessionUser::TakeEvent() {
  if (budget_ == 0 || !failure_.empty()) return false;
  if (budget_ > 0) --budget_;
  ++events_;
  return true;
}

template <typename F>
void SessionUser::Run(const std::string& line, F&& event) {
  Note(line);
  try {
    event();
  } catch (CException& e) {
    failure_ = "\"" + line + "\" threw: " + Utf8(CStringW(e.GetErrorMessage()));
  } catch (const std::exception& e) {
    failure_ = "\"" + line + "\" threw: " + e.what();
  }
  platform::PumpPendingMessages();
  View().ClearDrawLog();
}

CPoint SessionUser::Device(GPoint p) { return View().DrawingToClient(p.x, p.y); }

void SessionUser::Push(const char* command) {
  if (!TakeEvent()) return;
  const draftsession::CommandRegistry::Entry* entry = commands_.Find(command);
  Run(std::string("push ") + command, [&] { Stack().Push(&View(), entry->make(View())); });
}

void SessionUser::Move(GPoint p) {
  if (!TakeEvent()) return;
  p = Clamp(p);
  mouse_ = Device(p);
  Run("move " + PointWords(p), [&] { Stack().OnMouseMove(0, mouse_, &View()); });
}

void SessionUser::Click(GPoint p) {
  if (!TakeEvent()) return;
  p = Clamp(p);
  const CPoint dp = Device(p);
  Run("click " + PointWords(p), [&] {
    if (dp != mouse_) Stack().OnMouseMove(0, dp, &View());
    mouse_ = dp;
    Stack().OnLButton(0, dp, &View());
  });
}

void SessionUser::RightClick() {
  if (!TakeEvent()) return;
  Run("rclick", [&] { Stack().OnRButton(0, mouse_, &View()); });
}

void SessionUser::Char(UINT ch) {
  if (!TakeEvent()) return;
  Run("char " + CharWord(ch), [&] { Stack().OnChar(mouse_, ch, 1, 0, &View()); });
}

void SessionUser::Key(UINT virtualKey) {
  if (!TakeEvent()) return;
  Run("key " + KeyWord(virtualKey), [&] { Stack().OnKeyDown(mouse_, virtualKey, 1, 0, &View()); });
}

void SessionUser::Type(const std::string& text) {
  if (!TakeEvent()) return;
  Run("type " + text, [&] { Stack().OnTypedInput(&View(), platform::Utf8ToGbk(text).c_str()); });
}

void SessionUser::PlaceText(GPoint at, double height, const std::string& utf8) {
  if (!TakeEvent()) return;
  std::ostringstream line;
  line << "text " << at.x << " " << at.y << " " << height << " \"" << utf8 << "\"";
  Run(line.str(), [&] { draftsession::PlaceHostText(View(), platform::Utf8ToGbk(utf8).c_str(), at.x, at.y, height); });
}

bool SessionUser::Undo() {
  bool done = false;
  Run("undo", [&] { done = View().Undo() != FALSE; });
  return done;
}

bool SessionUser::Redo() {
  bool done = false;
  Run("redo", [&] { done = View().Redo() != FALSE; });
  return done;
}

void SessionUser::Abort() {
  Run("# the host's Escape: every running command ends", [&] { Stack().AbortAll(&View()); });
}

void SessionUser::FinishCommand() {
  budget_ = -1;
  if (!Running() || !failure_.empty()) return;
  if (rng_.Chance(0.1)) {
    Abort();
    return;
  }
  if (rng_.Chance(0.15)) Key(VK_ESCAPE);
  for (int i = 0; i < 4 && Running() && failure_.empty(); ++i) RightClick();
  if (Running() && failure_.empty()) Abort();
}

GPoint SessionUser::AnyPoint() {
  return {static_cast<double>(rng_.Int(20, 180)), static_cast<double>(rng_.Int(15, 135))};
}

GPoint SessionUser::Near(GPoint p, double spread) {
  const int steps = static_cast<int>(spread * 2);
  return Clamp({p.x + rng_.Int(-steps, steps) / 2.0, p.y + rng_.Int(-steps, steps) / 2.0});
}

std::vector<CEntity*> SessionUser::Entities() {
  std::vector<CEntity*> out;
  for (CEntity* e : *View().GetEntityList()) out.push_back(e);
  for (CEntity* e : *View().GetSelectionList())
    if (!View().IsKeptApart(e)) out.push_back(e);
  return out;
}

size_t SessionUser::PieceCount() {
  size_t count = 0;
  const std::vector<CEntity*> all = Entities();
  std::vector<const CEntity*> open(all.begin(), all.end());
  while (!open.empty()) {
    const CEntity* e = open.back();
    open.pop_back();
    ++count;
    if (e->IsBlock()) {
      const auto& block = static_cast<const CBlockEntity&>(*e);
      for (int i = 0; i < block.GetMemberCount(); ++i) open.push_back(block.GetMember(i));
    }
  }
  return count;
}

GPoint SessionUser::PointOnEntity() {
  const std::vector<CEntity*> all = Entities();
  if (all.empty()) return AnyPoint();
  return Clamp(PointOn(*rng_.Pick(all), rng_));
}

GPoint SessionUser::EndPoint() {
  std::vector<GPoint> ends;
  for (CEntity* e : Entities()) {
    double v[kMaxGeometryValues];
    const int n = e->GetGeometry(v);
    if (e->IsLine() && n >= 4) {
      ends.push_back({v[0], v[1]});
      ends.push_back({v[2], v[3]});
    } else if (e->GetKind() == EntityKind::kArc && n >= 5) {
      for (double a : {v[3], v[4]})
        ends.push_back({v[0] + v[2] * std::cos(a * M_PI / 180), v[1] + v[2] * std::sin(a * M_PI / 180)});
    }
  }
  if (ends.empty()) return AnyPoint();
  return Clamp(rng_.Pick(ends));
}

GPoint SessionUser::CentrePoint() {
  std::vector<GPoint> centres;
  for (CEntity* e : Entities()) {
    double v[kMaxGeometryValues];
    const int n = e->GetGeometry(v);
    if ((e->GetKind() == EntityKind::kCircle || e->GetKind() == EntityKind::kArc) && n >= 3) {
      centres.push_back({v[0], v[1]});
    } else if (e->IsBlock()) {
      // The middle of a block's members' points (a polygon's centre).
      const auto& block = static_cast<const CBlockEntity&>(*e);
      double sx = 0, sy = 0;
      int count = 0;
      for (int i = 0; i < block.GetMemberCount(); ++i) {
        double m[kMaxGeometryValues];
        if (block.GetMember(i)->GetGeometry(m) >= 2) {
          sx += m[0];
          sy += m[1];
          ++count;
        }
      }
      if (count) centres.push_back({sx / count, sy / count});
    }
  }
  if (centres.empty()) return AnyPoint();
  return Clamp(rng_.Pick(centres));
}

void SessionUser::AnswerDialog(platform::ModalSession& s) {
  ++dialogs_;
  const std::string caption = Utf8(s.Caption());
  const std::vector<DialogAction> actions = ChooseDialogActions(s, caption, rng_);
  // The line goes first: dialogs that its buttons open are answered after
  // it. The caption is a comment, as it may name the scratch folder.
  Note("dialog " + ActionWords(actions));
  const size_t wordsEnd = transcript_.size() - 1;
  transcript_.insert(wordsEnd, "  # " + caption);
  for (const DialogAction& a : actions) {
    if (!s.IsRunning()) break;
    switch (a.kind) {
      case DialogAction::kType: s.EnterText(a.id, CStringW(platform::Utf8ToUtf16(a.text).c_str())); break;
      case DialogAction::kChoose: s.Choose(a.id, a.entry); break;
      case DialogAction::kClick:
        if (a.id == IDCANCEL) ++cancelledDialogs_;
        s.Click(a.id);
        break;
    }
  }
  if (s.IsRunning()) {
    // Refused: the user gives up, with Cancel after the OK on the line.
    transcript_.insert(wordsEnd, " cancel");
    ++cancelledDialogs_;
    if (!s.Click(IDCANCEL)) s.Close();
  }
}

int SessionUser::AnswerBox(const platform::MessageBoxRequest& box) {
  const int answer = rng_.Pick(BoxButtons(box.type));
  Note("box " + BoxWord(answer) + "  # " + Utf8(box.text));
  return answer;
}

}  // namespace draftsequence
