// The generator's commands: a table of small step functions, one per
// command of the example host's registry (LibraryCommands), each of which
// pushes its command and gives it generated points, keys and typed input as
// a user would. Dialogs and message boxes are answered by the SessionUser,
// and the command is ended (or abandoned part-way) by the caller, so a step
// function only plays the command's own part.
#pragma once

#include <vector>

namespace draftsequence {

class SessionUser;

struct CommandStep {
  const char* command;  // what it plays (a name of the registry, or of its family), for messages
  int weight;           // how often it is drawn, relative to the others
  void (*play)(SessionUser& user);
};

// Every command the generator uses.
const std::vector<CommandStep>& CommandSteps();

// One step drawn by weight (a large drawing draws deleting more often).
const CommandStep& DrawCommandStep(SessionUser& user);

}  // namespace draftsequence
