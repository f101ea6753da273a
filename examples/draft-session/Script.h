// A drafting session written as a text script, one action a line, as a user
// would do it at the host: push a command, move the mouse, click, press
// keys, type, answer dialogs, undo and redo. The script is UTF-8; '#'
// starts a comment (outside quotes); words are separated by blanks; a word
// in double quotes may hold blanks (\" and \\ inside).
//
//   view W H ZOOM [PANX PANY]  the view: W x H pixels, ZOOM pixels per
//                              drawing unit, (PANX, PANY) at the bottom-left
//                              corner (default 800 600 2 0 0); before any
//                              action but group
//   group NAME [SCALE]         makes the drawing group NAME current (added
//                              with SCALE, default 1, when new)
//   layer N                    makes layer N (0..99) current: the layer new
//                              entities go on (2 is the centre-line layer)
//   push NAME                  pushes the command NAME on the command stack
//   move X Y                   the mouse moves to the drawing point (X, Y)
//   click [X Y]                left button, at (X, Y) or where the mouse is
//   rclick [X Y]               right button
//   char C                     a character typed: one printable ASCII
//                              character, or TAB, ENTER, ESC, SPACE, BACK
//   key NAME                   a key pressed (key-down): ESC, SHIFT, CTRL,
//                              END, HOME, PGUP, PGDN, LEFT, RIGHT, UP, DOWN,
//                              MINUS, DELETE, F1..F12 (keys that type a
//                              character, TAB and ENTER, are `char`s)
//   type TEXT                  a text typed on the command line ("10,20")
//   text X Y HEIGHT TEXT       the host's text tool: TEXT (GBK-able) placed
//                              with its base line starting at (X, Y),
//                              HEIGHT (above 0, at most 1e6) units high, on
//                              the current layer and group, in the view's
//                              text font; one undo step
//   dialog ["CAPTION"] ACTION...
//                              answers a dialog: the actions run in order,
//                              ID=TEXT types TEXT over control ID, ID:N
//                              chooses entry N (from 0) of list or combo box
//                              ID, ok, cancel or a control ID clicks that
//                              button (or the dialog's tool-bar button of
//                              that command id); with CAPTION the dialog
//                              must have that caption. ${NAME} in a typed
//                              text is a value the host gives (the example
//                              host: ${OUT} the output folder, ${SCRIPT} the
//                              script's folder); `type` texts too.
//                              Dialog lines follow the action that opens
//                              the dialogs and answer them in order; a
//                              dialog still open after its actions is closed
//                              as its close box does (cancel)
//   box ANSWER                 answers a message box: yes, no, cancel or
//                              ok. Box lines follow the action that raises
//                              the boxes, among its dialog lines, and answer
//                              them in order; a box without one gets its
//                              default button
//   undo / redo                the view's undo and redo
//
// Points are in drawing units and must lie inside the view (where the mouse
// can be); a command's own point snapping still applies to them.
//
// The parser reads the whole script before anything runs; a malformed line
// is reported with its number and nothing is replayed.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace draftsession {

enum class StepKind { kView, kGroup, kLayer, kPush, kMove, kClick, kRightClick, kChar, kKey, kType, kText, kDialog, kBox, kUndo, kRedo };

// One thing the user does in a dialog: types a text over a control,
// chooses a list or combo entry, or clicks a button.
struct DialogAction {
  int id = 0;          // the control; IDOK for ok, IDCANCEL for cancel
  bool click = false;  // a click, else typing `text` or choosing `entry`
  std::string text;    // UTF-8
  int entry = -1;      // 0 or more: the entry chosen
};

// The answer to one dialog: its actions, in order.
struct DialogAnswer {
  std::string caption;  // empty: any dialog
  std::vector<DialogAction> actions;
};

struct ScriptStep {
  int line = 0;            // 1-based line number in the script
  std::string source;      // the line as written, without the comment
  StepKind kind = StepKind::kUndo;
  std::string text;        // push: the command name; group: its name; type, text: the text (UTF-8)
  bool hasPoint = false;   // move, click, rclick
  double x = 0, y = 0;     // drawing coordinates; group: x is the scale
  double size = 0;         // text: the height
  unsigned code = 0;       // char: the character; key: the virtual key; layer: its number; box: the answer (IDYES...)
  int width = 0, height = 0;
  double zoom = 0, panX = 0, panY = 0;
  DialogAnswer answer;
};

struct ScriptError {
  int line = 0;
  std::string message;
};

struct Script {
  std::vector<ScriptStep> steps;
  std::vector<ScriptError> errors;  // empty when the script is sound
  bool Ok() const { return errors.empty(); }
};

// Reads a whole script. Every malformed line gives an error; steps of a
// script with errors are not to be run.
Script ParseScript(std::string_view text);

// "NAME:LINE: message" for printing.
std::string FormatError(const std::string& scriptName, const ScriptError& error);

}  // namespace draftsession
