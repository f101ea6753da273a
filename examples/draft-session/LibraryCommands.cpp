// The names under which a session script pushes ScrivelDraft's commands.
#include "draft/framework/CmdBase.h"
#include "examples/draft-session/CommandRegistry.h"

namespace draftsession {

CommandRegistry LibraryCommands() {
  CommandRegistry commands;
  return commands;
}

}  // namespace draftsession
