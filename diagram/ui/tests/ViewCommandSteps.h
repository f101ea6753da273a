// The row of the edit-session generator that chooses one of the view's menu
// commands on a random selection (see EditSession.h).
#pragma once

namespace editseq {

class Session;

// Style, z-order, delete and vertex commands of the view.
void RunViewCommand(Session& s);

}  // namespace editseq
