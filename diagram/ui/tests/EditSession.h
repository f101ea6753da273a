// Random edit sessions on a diagram document, for the undo property test and
// its long-run program: a document shown in a view, edited through its own
// operations and the mouse tools as a user's session would, one randomly
// chosen step after another, with the saved stream kept for every state the
// undo and redo stacks can reach.
//
// The steps are a table (EditSteps): a new command joins the generator as a
// row with a name, a weight and a small function that drives the command
// through a Session. A step does what a user would (a gesture, a dialog
// answered, a command chosen) and calls nothing of the checks: the session
// compares the document after every step with what it kept, so a step only
// has to say when the command is meant to leave the document as it was
// (ExpectNoChange: a cancelled dialog, a refused recording).
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/ui/DrawTool.h"
#include "diagram/ui/DrawView.h"
#include "platform/ui/ModalDriver.h"

class CDrawObj;
class CDrawPort;
class CURList;

namespace editseq {

using Stream = std::vector<BYTE>;

// A diagram whose routers can be made to throw part-way through a pass:
// each router of the library's three, with a countdown of wires before the
// failure (0: never).
class SessionDiagram : public CDiagram {
 public:
  CArcRouter* GetNewArcRouter(UINT method) override;
  // The router's search of the n-th wire routed from now on throws: a
  // memory exception or, with `memory` false, another error.
  void FailRouteAfter(int wires, bool memory) {
    failCountdown = wires;
    failWithMemory = memory;
  }
  int failCountdown = 0;
  bool failWithMemory = true;
};

// The document of a session, with a SessionDiagram as its diagram.
class SessionDoc : public CDrawDoc {
 public:
  SessionDoc();
  const CURList* UndoTop() const { return m_undoStack.Peek(); }
  const CURList* RedoTop() const { return m_redoStack.Peek(); }
};

// Answers the library's questions with `answer` (no unless a step says
// otherwise) and notes nothing.
class SessionMsgBox : public CMsgBox {
 public:
  int HandleNotify(ULONG, LPCWSTR, LPCWSTR) override { return TRUE; }
  int HandleConfirm(ULONG, LPCWSTR, int& result) override {
    result = answer;
    return TRUE;
  }
  int answer = FALSE;
};

struct Settings {
  int steps = 40;
  // The undo limit of the session; 0 leaves the library's.
  int undoLimit = 0;
  // The rows of the table left out (by name).
  std::vector<std::string> without;
};

// The settings of session `seed`: every fourth one keeps at most a few
// undo entries.
Settings SettingsFor(uint32_t seed, int steps);

class Session {
 public:
  Session(uint32_t seed, const Settings& settings);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

 private:
  // The class-wide options a session changes, saved and put back when it
  // ends, and the class-wide state it starts from (declared first: made
  // before the view and the document, put back after them).
  struct SavedOptions;
  std::unique_ptr<SavedOptions> saved_;

 public:

  // Randomness.
  int Int(int low, int high);  // both included
  bool Chance(int percent);
  template <class T>
  T& Pick(std::vector<T>& items) {
    return items[static_cast<size_t>(Int(0, static_cast<int>(items.size()) - 1))];
  }

  // The canvas, in document units; a random point on it.
  CRect Canvas() const;
  CPoint AnyPoint();
  CPoint Client(CPoint doc);
  // The objects on the canvas that `keep` accepts (all when null).
  std::vector<CDrawObj*> Objects(bool (*keep)(CDrawObj*) = nullptr);
  // Up to `most` different objects that `keep` accepts, in random order;
  // none when there are none.
  std::vector<CDrawObj*> Some(bool (*keep)(CDrawObj*), int most);
  std::vector<CDrawPort*> Ports();

  // The mouse, at document points, through the tool as the view hands it
  // the messages.
  void Press(CDrawTool* tool, CPoint doc, unsigned flags = 0);
  void MoveTo(CDrawTool* tool, CPoint doc, unsigned flags = MK_LBUTTON);
  void Release(CDrawTool* tool, CPoint doc, unsigned flags = 0);
  void Drag(CDrawTool* tool, std::initializer_list<CPoint> points, unsigned flags = 0);
  // Makes the objects the view's selection (those it may select).
  void Select(const std::vector<CDrawObj*>& objects);

  // The step's command should change nothing and leave no entry.
  void ExpectNoChange() { expectNoChange_ = true; }
  // Keeps the state after a gesture that makes its own entry inside a step
  // (a wire drawn point by point); the session calls it after every step.
  void Checkpoint(const char* what);
  // Takes the document as it is now as the state of the current entry:
  // for the rubber point of a wire drawn point by point, which follows the
  // mouse without being recorded. Fails when an entry was made.
  void Rebase(const char* what);
  // The user's undo and redo, checked against the kept streams.
  bool Undo();
  bool Redo();

  // Runs the session and then the checks over what it kept; the failure,
  // or empty.
  std::string Run();

  // Figures of the run.
  int StepsRun() const { return stepsRun_; }
  int UndoRedoChecked() const { return replaysChecked_; }
  // A digest of every stream kept and of the failure: two runs of a seed
  // that went alike give the same.
  size_t Fingerprint() const;

  // A dialog no step answers is cancelled.
  platform::ScopedModalDriver unanswered{[](platform::ModalSession& m) { m.Click(IDCANCEL); }};
  SessionDoc doc;
  SessionDiagram* diagram = nullptr;
  CDrawView view;
  SessionMsgBox box;
  std::mt19937 rng;

  // What went wrong first (empty while all is well).
  std::string failure;

 private:
  Stream Store();
  void Fail(const std::string& what);
  void CheckFinal();
  void CheckLoadAndSaveAgain();
  void Settle();

  Settings settings_;
  uint32_t seed_;
  // Every state the stacks reach: kept_[i] after i entries (the oldest one
  // kept first); current_ is where the document is.
  std::deque<Stream> kept_;
  size_t current_ = 0;
  const CURList* top_ = nullptr;
  bool expectNoChange_ = false;
  std::vector<std::string> history_;
  int stepsRun_ = 0;
  int replaysChecked_ = 0;
};

// One row of the generator: how often it is chosen and what it does.
struct EditStep {
  const char* name;
  int weight;
  void (*run)(Session&);
};

// The table of steps the sessions choose from.
const std::vector<EditStep>& EditSteps();

}  // namespace editseq
