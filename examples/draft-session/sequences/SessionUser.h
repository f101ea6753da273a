// A simulated user at the example host: pushes commands by name and hands
// the command stack mouse clicks, characters, keys and typed texts at
// drawing points, answers every dialog and message box that opens (with
// generated values, sometimes cancelling), and writes what it does as a
// transcript in the session script's words (see Script.h), dialog and box
// answers after the action that opened them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "draft/host/Geometry2D.h"
#include "examples/draft-session/sequences/Rng.h"
#include "platform/core/Geometry.h"
#include "platform/core/WinTypes.h"

class CCmdStack;
class CDraftView;
class CEntity;

namespace draftsession {
class CommandRegistry;
}  // namespace draftsession

namespace platform {
class ModalSession;
class ScopedModalDriver;
class ScopedMessageBoxHandler;
struct MessageBoxRequest;
}  // namespace platform

namespace draftsequence {

class SessionUser {
 public:
  // Works on `view` through `stack`; the dialogs and boxes of the process
  // are answered while the user lives.
  SessionUser(const draftsession::CommandRegistry& commands, CDraftView& view, CCmdStack& stack, Rng& rng);
  ~SessionUser();
  SessionUser(const SessionUser&) = delete;
  SessionUser& operator=(const SessionUser&) = delete;

  CDraftView& View() { return view_; }
  CCmdStack& Stack() { return stack_; }
  Rng& Random() { return rng_; }

  // ---- What the user does. Each is one event of the host (and a line of
  // the transcript); an exception that escapes the command stack is kept as
  // the failure. Beyond the event budget nothing more is done.
  void Push(const char* command);
  void Move(GPoint p);
  void Click(GPoint p);
  void RightClick();
  void Char(UINT ch);
  void Key(UINT virtualKey);
  void Type(const std::string& text);
  // The host's text tool (HostText.h): one undo step.
  void PlaceText(GPoint at, double height, const std::string& utf8);
  bool Undo();
  bool Redo();
  // The host's Escape: every running command ends (AbortAll).
  void Abort();
  bool Running() const;

  // At most `events` more events (negative: no limit), so that a command
  // can be left part-way.
  void SetEventBudget(int events) { budget_ = events; }
  bool BudgetSpent() const { return budget_ == 0; }
  // Ends the running command as a user would: right clicks, perhaps an
  // Escape key first, and the host's Escape when they do not end it.
  void FinishCommand();

  // ---- Points, in drawing units, all inside the view.
  // A point on the unit grid of the view's middle part.
  GPoint AnyPoint();
  // A point near `p` (within `spread` on each axis), on the half-unit grid.
  GPoint Near(GPoint p, double spread);
  // The drawing's entities that a click can reach (entity and selection
  // lists, registered ones left out).
  std::vector<CEntity*> Entities();
  // How many entities the drawing holds, the members of blocks and curves
  // counted one by one.
  size_t PieceCount();
  // A point on an entity of the drawing (a block's: on one of its members);
  // AnyPoint when the drawing is empty.
  GPoint PointOnEntity();
  // An end point of a line, arc or member of the drawing (AnyPoint without one).
  GPoint EndPoint();
  // A point near the centre of a circle, arc or closed outline (AnyPoint without one).
  GPoint CentrePoint();

  const std::string& Transcript() const { return transcript_; }
  void Note(const std::string& line) { transcript_ += line + '\n'; }
  const std::string& Failure() const { return failure_; }
  int EventCount() const { return events_; }
  int DialogCount() const { return dialogs_; }
  int CancelledDialogCount() const { return cancelledDialogs_; }

 private:
  bool TakeEvent();
  // Runs `event` as one event of the host: its exceptions are caught and
  // kept, the posted messages pumped after it.
  template <typename F>
  void Run(const std::string& line, F&& event);
  void AnswerDialog(platform::ModalSession& s);
  int AnswerBox(const platform::MessageBoxRequest& box);
  CPoint Device(GPoint p);

  const draftsession::CommandRegistry& commands_;
  CDraftView& view_;
  CCmdStack& stack_;
  Rng& rng_;
  std::unique_ptr<platform::ScopedModalDriver> driver_;
  std::unique_ptr<platform::ScopedMessageBoxHandler> boxes_;
  CPoint mouse_{0, 0};
  int budget_ = -1;
  int events_ = 0;
  int dialogs_ = 0;
  int cancelledDialogs_ = 0;
  std::string transcript_;
  std::string failure_;
};

}  // namespace draftsequence
