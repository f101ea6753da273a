// How the simulated user answers the dialogs of the drafting commands. A
// table gives the dialogs that need particular answers by caption (a group
// name, the table dialogs' generate button, a small array count); every
// other dialog gets generated numbers in its edit boxes, a random entry of
// its combo boxes and now and then a click on a check box or radio button.
// Most answers end with OK, some with Cancel, and a few type a value the
// dialog must refuse (0, a negative number, a word), after which the user
// cancels.
#pragma once

#include <string>
#include <vector>

#include "examples/draft-session/sequences/Rng.h"

namespace platform {
class ModalSession;
}

namespace draftsequence {

struct DialogAction {
  enum Kind { kType, kChoose, kClick } kind = kClick;
  int id = 0;
  std::string text;  // kType, UTF-8
  int entry = 0;     // kChoose
};

// The actions for the dialog that `session` shows, in order.
std::vector<DialogAction> ChooseDialogActions(platform::ModalSession& session, const std::string& caption, Rng& rng);

// The actions in the script's words: `1047=6 1073:0 ok`.
std::string ActionWords(const std::vector<DialogAction>& actions);

}  // namespace draftsequence
