// Running the calling thread's messages the way the application's message
// loop does: each message is first offered to PreTranslateMessage (the
// application's, which walks the window and its parents, so that a dialog
// sees its keys), then translated and dispatched.
#pragma once

#include "platform/ui/WinUser.h"

namespace platform {

// Offers one retrieved message to the pre-translation chain and dispatches
// it when nothing took it.
void DispatchThroughLoop(MSG& msg);

// Runs every message that is ready now (posted messages, paints, due
// timers) without waiting, and returns how many ran. A WM_QUIT found is put
// back and ends the run (`quit` tells). With `idle`, the application's idle
// processing runs once the queue is empty, as the message loop does.
int PumpPendingMessages(bool idle = false, bool* quit = nullptr);

}  // namespace platform
