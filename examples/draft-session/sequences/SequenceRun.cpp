#include "examples/draft-session/sequences/SequenceRun.h"

#include <memory>
#include <optional>
#include <sstream>
#include <vector>

#include "draft/framework/CmdBase.h"
#include "draft/framework/CmdStack.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "examples/draft-session/CommandRegistry.h"
#include "draft/host/ProgramFolder.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "examples/draft-session/sequences/CommandSteps.h"
#include "examples/draft-session/sequences/DrawingState.h"
#include "examples/draft-session/sequences/SessionUser.h"
#include "platform/core/Charset.h"

namespace draftsequence {
namespace {

// The states kept after the commands, by the undo depth they left (empty
// where a command pushed more than one record, or an undo went below).
using Kept = std::vector<std::optional<DrawingState>>;

// One play of a seed: a drafting view and its command stack as the example
// host keeps them (settings in memory, a scratch system data folder that is
// also the program folder), with no window: previews are only logged, and
// the log is cleared after each event, which keeps a session fast.
class Play {
 public:
  Play(uint64_t seed, int undoLimit)
      : savedSettings_(SetSettingsBacking(std::make_unique<CMemorySettings>())),
        rng_(seed),
        user_(Commands(), view_, stack_, rng_) {
    SetProgramFolder(systemData_.GetFolder().c_str());
    view_.SetClientSize(800, 600);
    view_.SetZoom(4);  // x 0..200, y 0..150
    view_.SetUndoLimit(undoLimit);
    user_.Note("view 800 600 4");
  }
  ~Play() {
    stack_.DeleteAll();  // the commands go while the view is there
    SetProgramFolder(nullptr);
    SetSettingsBacking(std::move(savedSettings_));
  }
  Play(const Play&) = delete;
  Play& operator=(const Play&) = delete;

  CDraftView& View() { return view_; }
  SessionUser& User() { return user_; }
  // The view's state, the scratch folder's name (which table names may
  // hold) written as ${SYSDATA}, so that two plays compare.
  DrawingState Capture() {
    DrawingState state = CaptureState(view_);
    const std::string& folder = systemData_.GetFolder();
    for (size_t at = state.entities.find(folder); at != std::string::npos;
         at = state.entities.find(folder, at + 1))
      state.entities.replace(at, folder.size(), "${SYSDATA}");
    return state;
  }
  Rng& Random() { return rng_; }

 private:
  static const draftsession::CommandRegistry& Commands() {
    static const draftsession::CommandRegistry commands = draftsession::LibraryCommands();
    return commands;
  }

  std::unique_ptr<CSettingsBacking> savedSettings_;
  CSystemDataScratch systemData_;
  CDraftView view_;
  CCmdStack stack_;  // after the view: its commands go first
  Rng rng_;
  SessionUser user_;
};

constexpr int kNoLimit = 1 << 30;

class Checker {
 public:
  Checker(SequenceReport& report) : report_(report) {}

  bool Fail(const std::string& why) {
    if (report_.ok) {
      report_.ok = false;
      report_.failure = why;
    }
    return false;
  }

  // The entities now against the state kept for `depth` (when one is).
  bool Compare(Play& play, const Kept& kept, int depth, const std::string& settings, const std::string& after) {
    const DrawingState now = play.Capture();
    if (depth < 0 || depth >= static_cast<int>(kept.size()))
      return Fail(after + ": undo depth " + std::to_string(depth) + " is outside the history");
    if (kept[static_cast<size_t>(depth)] && now.entities != kept[static_cast<size_t>(depth)]->entities)
      return Fail(after + ": the drawing differs from the one kept for undo depth " + std::to_string(depth) + ", " +
                  FirstDifference(kept[static_cast<size_t>(depth)]->entities, now.entities));
    if (now.settings != settings)
      return Fail(after + ": undo or redo changed what no record holds, " + FirstDifference(settings, now.settings));
    return true;
  }

 private:
  SequenceReport& report_;
};

// Plays the session: the same seed gives the same session in every play,
// so the limited play repeats the unlimited one. With `check`, each
// command's promises are checked and the states kept.
void Generate(Play& play, const SequenceOptions& options, bool withUndos, bool check, Kept& kept,
              SequenceReport& report) {
  Checker checker(report);
  SessionUser& user = play.User();
  CDraftView& view = play.View();
  Rng& rng = play.Random();
  // A current drawing group, at scale 1 or 2, or none.
  const int groups = rng.Int(0, 9);
  if (groups < 8) {
    const char* name = groups < 6 ? "零件" : "细部";
    CGroupTable* table = view.GetGroupTable();
    table->SetActiveGroup(table->AddGroup(platform::Utf8ToGbk(name).c_str(), groups < 6 ? 1.0 : 2.0));
    user.Note(std::string("group ") + name + (groups < 6 ? "" : " 2"));
  }
  DrawingState current = play.Capture();
  kept.assign(1, current);
  // A command left running is ended by the next one's push (or stays under
  // it, by level), which then starts on whatever it left selected; the two
  // are checked as one step.
  DrawingState before;
  int depthBefore = 0;
  std::string played;
  for (int i = 0; i < options.commands && report.ok; ++i) {
    const bool last = i + 1 == options.commands;
    if (withUndos && !user.Running() && rng.Chance(0.08)) {
      // Undos and redos between the commands.
      for (int n = rng.Int(1, 3); n > 0; --n) {
        if (rng.Chance(0.7) ? user.Undo() : user.Redo()) {
          if (check)
            checker.Compare(play, kept, view.GetUndoCount(), current.settings, "an undo or redo between commands");
        }
      }
      current = play.Capture();
      continue;
    }
    if (rng.Chance(0.1)) {
      const int layer = rng.Pick(std::vector<int>{0, 1, 2, 3});
      view.SetCurrentLayer(layer);
      user.Note("layer " + std::to_string(layer));
    }
    const CommandStep& step = DrawCommandStep(user);
    const bool cut = rng.Chance(0.15);
    if (cut) user.SetEventBudget(rng.Int(1, 6));
    const int cancelledDialogs = user.CancelledDialogCount();
    if (!user.Running()) {
      before = std::move(current);
      depthBefore = view.GetUndoCount();
      played.clear();
    }
    played += std::string(played.empty() ? "\"" : "\" and \"") + step.command + "\"";
    user.Note("");
    step.play(user);
    if (cut && !last && rng.Chance(0.3))
      user.SetEventBudget(-1);  // left running
    else
      user.FinishCommand();
    ++report.commands;
    if (cut || user.CancelledDialogCount() != cancelledDialogs) ++report.cancelled;
    if (!user.Failure().empty()) {
      checker.Fail(user.Failure());
      break;
    }
    if (user.Running()) continue;
    const int depth = view.GetUndoCount();
    current = play.Capture();
    const DrawingState& after = current;
    if (!check) continue;
    if (view.GetSecondList()->GetCount() || view.GetTempEntityList().GetCount()) {
      checker.Fail(played + " left " + std::to_string(view.GetSecondList()->GetCount()) + " registered and " +
                   std::to_string(view.GetTempEntityList().GetCount()) + " temporary entities in the view");
      break;
    }
    if (depth < depthBefore) {
      checker.Fail(played + " took records off the undo history");
    } else if (depth == depthBefore) {
      if (after.entities != before.entities)
        checker.Fail(played + " changed the drawing without an undo record, " +
                     FirstDifference(before.entities, after.entities));
    } else {
      kept.resize(static_cast<size_t>(depthBefore) + 1);
      kept.resize(static_cast<size_t>(depth) + 1);
      kept.back() = after;
    }
  }
}

// Walks the history: everything undone, everything redone, a random walk,
// everything redone again. `floor` is the depth of the unlimited play where
// the view's history begins.
void CheckHistory(Play& play, const Kept& kept, int floor, int walk, SequenceReport& report) {
  Checker checker(report);
  CDraftView& view = play.View();
  const std::string settings = play.Capture().settings;
  const int top = static_cast<int>(kept.size()) - 1;
  auto depth = [&] { return floor + view.GetUndoCount(); };
  // Undos between the commands may have left steps to redo.
  while (report.ok && view.Redo()) {
    ++report.undoMoves;
    checker.Compare(play, kept, depth(), settings, "redoing what was undone between commands");
  }
  if (report.ok && floor + view.GetUndoCount() != top)
    checker.Fail("the history holds " + std::to_string(view.GetUndoCount()) + " records, " +
                 std::to_string(top - floor) + " expected");
  while (report.ok && view.Undo()) {
    ++report.undoMoves;
    checker.Compare(play, kept, depth(), settings, "undoing everything");
  }
  if (report.ok && depth() != floor)
    checker.Fail("undoing everything stopped at depth " + std::to_string(depth()) + ", not " + std::to_string(floor));
  while (report.ok && view.Redo()) {
    ++report.undoMoves;
    checker.Compare(play, kept, depth(), settings, "redoing everything");
  }
  if (report.ok && depth() != top)
    checker.Fail("redoing everything stopped at depth " + std::to_string(depth()) + ", not " + std::to_string(top));
  for (int i = 0; i < walk && report.ok; ++i) {
    const bool undo = play.Random().Chance(0.5);
    if (undo ? view.Undo() : view.Redo()) {
      ++report.undoMoves;
      checker.Compare(play, kept, depth(), settings, std::string("a random walk's ") + (undo ? "undo" : "redo"));
    }
  }
  while (report.ok && view.Redo()) checker.Compare(play, kept, depth(), settings, "redoing everything again");
  if (report.ok && depth() != top) checker.Fail("redoing everything again stopped short");
}

}  // namespace

SequenceReport RunSequence(uint64_t seed, const SequenceOptions& options) {
  SequenceReport report;
  // Every fifth seed is also played under an undo limit; its sessions have
  // no undos between commands, so both plays build the same history.
  const bool limited = options.undoLimit && seed % 5 == 0;
  Kept kept;
  {
    Play play(seed, kNoLimit);
    Generate(play, options, !limited, true, kept, report);
    report.transcript = play.User().Transcript();
    report.events = play.User().EventCount();
    if (report.ok) CheckHistory(play, kept, 0, options.walk, report);
    report.records = play.View().GetUndoCount();
  }
  const int top = static_cast<int>(kept.size()) - 1;
  if (!report.ok || !limited || top < 2) return report;
  // A limit that cuts the history where a state was kept.
  std::vector<int> starts;
  for (int d = 1; d < top; ++d)
    if (kept[static_cast<size_t>(d)]) starts.push_back(d);
  if (starts.empty()) return report;
  Rng pick(seed);
  const int floor = pick.Pick(starts);
  report.limited = true;
  Play play(seed, top - floor);
  Kept unused;
  SequenceReport replay;
  Generate(play, options, false, false, unused, replay);
  // (The transcripts may differ in the scratch folder's name, which dialog
  // captions show.)
  const std::string limitedEnd = play.Capture().entities;
  if (!replay.ok || play.User().EventCount() != report.events || limitedEnd != kept.back()->entities) {
    report.ok = false;
    report.failure = "the play under an undo limit of " + std::to_string(top - floor) +
                     " went otherwise than the unlimited one: " +
                     (!replay.ok ? replay.failure
                      : play.User().EventCount() != report.events
                          ? std::to_string(play.User().EventCount()) + " events, not " + std::to_string(report.events)
                          : FirstDifference(kept.back()->entities, limitedEnd));
    return report;
  }
  CheckHistory(play, kept, floor, options.walk, report);
  if (!report.ok) report.failure = "under an undo limit of " + std::to_string(top - floor) + ": " + report.failure;
  return report;
}

}  // namespace draftsequence
