// Replays a session script on a drafting view through the command stack, as
// the host does with a user's input: mouse positions are drawing points
// turned into the view's device points, dialogs are answered through the
// platform's modal driver, message boxes are shown (printed) and answered
// by the script's box lines, or with their default button. Every prompt the
// user would see, every box and dialog, and the rows of a dialog's report
// lists are printed, in UTF-8, to the output stream.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <ostream>
#include <string>

#include "draft/framework/CmdStack.h"
#include "draft/host/DraftView.h"
#include "draft/host/SystemFiles.h"
#include "examples/draft-session/CommandRegistry.h"
#include "examples/draft-session/Script.h"
#include "examples/draft-session/SessionFrames.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/WindowSurface.h"

class CSettingsBacking;

namespace platform {
class ModalSession;
struct MessageBoxRequest;
}  // namespace platform

namespace draftsession {

class SessionPlayer {
 public:
  // The host's settings are held in memory for the player's life, so a
  // session never changes the user's profile; the system data folder is a
  // scratch copy of the shipped one for the same life, so that a session may
  // rewrite its files (throws CFileException when the copy cannot be made);
  // that scratch folder is also the program folder, where the table dialogs
  // keep their scratch files.
  SessionPlayer(const CommandRegistry& commands, std::ostream& out);
  ~SessionPlayer();
  SessionPlayer(const SessionPlayer&) = delete;
  SessionPlayer& operator=(const SessionPlayer&) = delete;

  // Replays the steps of a sound script (see ParseScript). False at the
  // first step that cannot be done as written (an unknown command, a point
  // outside the view, a dialog without an answer or one that refuses it, an
  // answer that no dialog takes, a failure raised by a command); Error()
  // tells which line and why. The commands still running stay on the stack.
  bool Play(const Script& script);
  const ScriptError& Error() const { return error_; }

  // Gives ${NAME} a value in the texts a script types (dialog texts and
  // `type` lines); the host names its folders so ("OUT", "SCRIPT"). An
  // unknown ${NAME} stops the replay at its line.
  void SetVariable(const std::string& name, const std::string& value) { variables_[name] = value; }

  CDraftView& View() { return view_; }
  CCmdStack& Stack() { return stack_; }
  // The host's windows: the main MDI frame and the view's window.
  SessionFrames& Frames() { return *frames_; }
  // Repaints the drawing and writes the view as a PNG picture (UTF-8 path).
  bool WritePicture(const std::string& path);

 private:
  bool Fail(int line, std::string message);
  bool CheckCommands(const Script& script);
  bool RunStep(const ScriptStep& step);
  bool ToDevice(const ScriptStep& step, CPoint& dp);
  void AnswerDialog(platform::ModalSession& session);
  // Clicks the button `id` of a visible tool bar of the dialog (the mouse
  // moved over it first, so its tip shows); false when none has it.
  bool ClickToolBarButton(platform::ModalSession& session, int id);
  // Prints the rows of the dialog's visible list views (report lists), a
  // line a row with its column texts, as the user reads them.
  void PrintListRows(platform::ModalSession& session);
  int ShowBox(const platform::MessageBoxRequest& box);
  void PrintPrompt();
  // `text` with its ${NAME}s replaced; false (the replay failed at `line`)
  // for an unknown name or an unclosed one.
  bool Expand(int line, const std::string& text, std::string& out);

  const CommandRegistry& commands_;
  std::ostream& out_;
  std::unique_ptr<CSettingsBacking> savedSettings_;
  CSystemDataScratch systemData_;
  platform::WindowSurface surface_;
  CDC dc_;
  CDraftView view_;
  CCmdStack stack_;  // after the view: its commands go first
  std::unique_ptr<SessionFrames> frames_;  // after the stack: the windows go first
  CPoint mouse_;
  std::deque<const ScriptStep*> answers_;     // the dialog lines after the running action
  std::deque<const ScriptStep*> boxAnswers_;  // its box lines
  int actionLine_ = 0;                     // the action line being run
  std::string lastPrompt_;
  std::map<std::string, std::string> variables_;
  ScriptError error_;
  bool failed_ = false;
};

}  // namespace draftsession
