// One generated drafting session and the checks of its undo history.
//
// A seed gives a session: commands drawn from the step table (CommandSteps)
// and played by a SessionUser on the example host, some left part-way (the
// user stops giving input and ends the command with Escape, the right
// button or the host's Escape, or leaves it to the next command's push) or
// with a cancelled dialog, and now and then an undo or redo between them. After every command the drawing's state is
// kept for the undo depth it left. Each command must keep these promises:
// - one that pushed no undo record changed no entity;
// - none takes a record off the history;
// - none leaves registered or temporary entities in the view when it ends;
// and at the end of the session:
// - undoing everything passes each kept state and ends on the first one,
//   and then there is nothing more to undo;
// - redoing everything passes them again and ends on the last;
// - a random walk of undos and redos lands on the state kept for each
//   depth it reaches;
// - undo and redo never change what no record holds (groups, layers,
//   attributes, the three-view division).
// With an undo limit the session is played again: its history holds only
// the newest records, and undoing them all lands on the state kept, in the
// unlimited play, where they begin.
#pragma once

#include <cstdint>
#include <string>

namespace draftsequence {

struct SequenceOptions {
  int commands = 16;      // commands drawn (undos and redos between them count too)
  int walk = 40;          // undo and redo moves of the random walk at the end
  bool undoLimit = true;  // some seeds play again with a small undo limit
};

struct SequenceReport {
  bool ok = true;
  std::string failure;     // the first broken promise
  std::string transcript;  // the session in the script's words
  int commands = 0;        // commands played
  int events = 0;          // events handed to the host
  int records = 0;         // undo records in the final history
  int cancelled = 0;       // commands left part-way or with a cancelled dialog
  int undoMoves = 0;       // undos and redos checked
  bool limited = false;    // played again under an undo limit
};

SequenceReport RunSequence(uint64_t seed, const SequenceOptions& options = {});

}  // namespace draftsequence
