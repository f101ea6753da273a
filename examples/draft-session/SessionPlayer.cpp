#include "examples/draft-session/SessionPlayer.h"

#include <algorithm>
#include <exception>
#include <sstream>

#include "draft/framework/CmdBase.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/ProgramFolder.h"
#include "draft/host/Settings.h"
#include "platform/core/Charset.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/ModalDriver.h"
#include "examples/draft-session/HostText.h"

namespace draftsession {
namespace {

constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;
constexpr double kDefaultZoom = 2.0;

std::string Utf8(const CStringA& gbk) {
  return platform::GbkToUtf8(std::string_view(gbk.GetString(), static_cast<size_t>(gbk.GetLength())));
}

std::string Utf8(const CStringW& utf16) {
  return platform::Utf16ToUtf8(std::u16string_view(utf16.GetString(), static_cast<size_t>(utf16.GetLength())));
}

// Whether a box of `type` (its MB_ button set) shows the button `id`.
bool BoxHasButton(UINT type, int id) {
  switch (type & 0xF) {
    case MB_OKCANCEL: return id == IDOK || id == IDCANCEL;
    case MB_ABORTRETRYIGNORE: return id == IDABORT || id == IDRETRY || id == IDIGNORE;
    case MB_YESNOCANCEL: return id == IDYES || id == IDNO || id == IDCANCEL;
    case MB_YESNO: return id == IDYES || id == IDNO;
    case MB_RETRYCANCEL: return id == IDRETRY || id == IDCANCEL;
    default: return id == IDOK;
  }
}

std::string ButtonName(int id) {
  switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    case IDYES: return "Yes";
    case IDNO: return "No";
    default: return "button " + std::to_string(id);
  }
}

std::string Number(double v) {
  std::ostringstream s;
  s << v;
  return s.str();
}

}  // namespace

SessionPlayer::SessionPlayer(const CommandRegistry& commands, std::ostream& out)
    : commands_(commands),
      out_(out),
      savedSettings_(SetSettingsBacking(std::make_unique<CMemorySettings>())),
      surface_(kDefaultWidth, kDefaultHeight) {
  SetProgramFolder(systemData_.GetFolder().c_str());
  dc_.Attach(surface_.CreateDc());
  view_.SetClientSize(kDefaultWidth, kDefaultHeight);
  view_.SetZoom(kDefaultZoom);
  view_.SetDC(&dc_);
  view_.RefreshView();
  frames_ = std::make_unique<SessionFrames>(stack_, view_, [this](const std::string& text) { out_ << text; });
}

SessionPlayer::~SessionPlayer() {
  stack_.DeleteAll();  // the commands go while the view and its DC are there
  view_.SetDC(nullptr);
  SetProgramFolder(nullptr);
  SetSettingsBacking(std::move(savedSettings_));
}

bool SessionPlayer::Fail(int line, std::string message) {
  if (!failed_) error_ = {line, std::move(message)};
  failed_ = true;
  return false;
}

bool SessionPlayer::CheckCommands(const Script& script) {
  for (const ScriptStep& step : script.steps)
    if (step.kind == StepKind::kPush && !commands_.Find(step.text))
      return Fail(step.line, "unknown command \"" + step.text + "\" (" +
                                 (commands_.Entries().empty() ? std::string("no commands are registered")
                                                              : "the commands: " + commands_.NameList()) +
                                 ")");
  return true;
}

bool SessionPlayer::Play(const Script& script) {
  failed_ = false;
  error_ = {};
  answers_.clear();
  boxAnswers_.clear();
  if (!script.Ok()) return Fail(script.errors.front().line, script.errors.front().message);
  if (!CheckCommands(script)) return false;

  platform::ScopedModalDriver driver([this](platform::ModalSession& s) { AnswerDialog(s); });
  platform::ScopedMessageBoxHandler boxes([this](const platform::MessageBoxRequest& r) { return ShowBox(r); });
  PrintPrompt();
  const std::vector<ScriptStep>& steps = script.steps;
  for (size_t i = 0; i < steps.size();) {
    const ScriptStep& step = steps[i++];
    if (step.kind == StepKind::kDialog)
      return Fail(step.line, "a dialog answer follows the action that opens the dialog, and none comes before it");
    if (step.kind == StepKind::kBox)
      return Fail(step.line, "a box answer follows the action that raises the box, and none comes before it");
    // The dialog and box lines after an action answer the dialogs it opens
    // and the boxes it raises.
    answers_.clear();
    boxAnswers_.clear();
    for (; i < steps.size() && (steps[i].kind == StepKind::kDialog || steps[i].kind == StepKind::kBox); ++i)
      (steps[i].kind == StepKind::kDialog ? answers_ : boxAnswers_).push_back(&steps[i]);
    out_ << step.line << "> " << step.source << "\n";
    actionLine_ = step.line;
    bool ok = false;
    try {
      ok = RunStep(step);
    } catch (const CException& e) {
      ok = Fail(step.line, "the command failed: " + Utf8(e.GetErrorMessage()));
    } catch (const std::exception& e) {
      ok = Fail(step.line, std::string("the command failed: ") + e.what());
    }
    platform::PumpPendingMessages();
    if (!ok || failed_) return false;
    if (!answers_.empty())
      return Fail(answers_.front()->line,
                  "no dialog took this answer (line " + std::to_string(step.line) + " opened no dialog for it)");
    if (!boxAnswers_.empty())
      return Fail(boxAnswers_.front()->line,
                  "no message box took this answer (line " + std::to_string(step.line) + " raised no box for it)");
    PrintPrompt();
  }
  return true;
}

bool SessionPlayer::ToDevice(const ScriptStep& step, CPoint& dp) {
  if (!step.hasPoint) {
    dp = mouse_;
    return true;
  }
  const CSize size = view_.GetClientSize();
  dp = view_.DrawingToClient(step.x, step.y);
  if (dp.x < 0 || dp.y < 0 || dp.x >= size.cx || dp.y >= size.cy) {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    view_.ClientToDrawing(x0, y0, CPoint(0, size.cy), 1);
    view_.ClientToDrawing(x1, y1, CPoint(size.cx, 0), 1);
    return Fail(step.line, "the point (" + Number(step.x) + ", " + Number(step.y) +
                               ") lies outside the view, which shows x " + Number(x0) + " to " + Number(x1) +
                               " and y " + Number(y0) + " to " + Number(y1));
  }
  return true;
}

bool SessionPlayer::RunStep(const ScriptStep& step) {
  CPoint dp;
  switch (step.kind) {
    case StepKind::kView:
      surface_.Resize(step.width, step.height);
      view_.SetClientSize(step.width, step.height);
      view_.SetZoom(step.zoom);
      view_.SetPan(step.panX, step.panY);
      view_.RefreshView();
      mouse_ = CPoint(0, 0);
      return true;
    case StepKind::kGroup: {
      const std::string gbk = platform::Utf8ToGbk(step.text);
      CGroupTable* groups = view_.GetGroupTable();
      CDrawingGroup* group = groups->AddGroup(gbk.c_str(), step.x);
      groups->SetActiveGroup(group);
      out_ << "  group " << step.text << " (scale " << Number(group->GetGroupScale()) << ") is current\n";
      return true;
    }
    case StepKind::kLayer:
      view_.SetCurrentLayer(static_cast<int>(step.code));
      out_ << "  layer " << view_.GetCurrentLayer() << " is current\n";
      return true;
    case StepKind::kPush: {
      CCmdBase* command = commands_.Find(step.text)->make(view_);
      if (!command) return Fail(step.line, "the command \"" + step.text + "\" could not be made");
      stack_.Push(&view_, command);
      return true;
    }
    case StepKind::kMove:
      if (!ToDevice(step, dp)) return false;
      mouse_ = dp;
      stack_.OnMouseMove(0, dp, &view_);
      return true;
    case StepKind::kClick:
    case StepKind::kRightClick:
      if (!ToDevice(step, dp)) return false;
      if (dp != mouse_) stack_.OnMouseMove(0, dp, &view_);  // the mouse gets there first
      mouse_ = dp;
      if (step.kind == StepKind::kClick)
        stack_.OnLButton(0, dp, &view_);
      else
        stack_.OnRButton(0, dp, &view_);
      return true;
    case StepKind::kChar:
      stack_.OnChar(mouse_, step.code, 1, 0, &view_);
      return true;
    case StepKind::kKey:
      stack_.OnKeyDown(mouse_, step.code, 1, 0, &view_);
      return true;
    case StepKind::kText:
      PlaceHostText(view_, platform::Utf8ToGbk(step.text).c_str(), step.x, step.y, step.size);
      out_ << "  text \"" << step.text << "\" placed\n";
      return true;
    case StepKind::kType: {
      std::string text;
      if (!Expand(step.line, step.text, text)) return false;
      const std::string gbk = platform::Utf8ToGbk(text);
      stack_.OnTypedInput(&view_, gbk.c_str());
      return true;
    }
    case StepKind::kUndo:
    case StepKind::kRedo: {
      const bool undo = step.kind == StepKind::kUndo;
      if (!(undo ? view_.Undo() : view_.Redo())) out_ << "  nothing to " << (undo ? "undo" : "redo") << "\n";
      view_.RefreshView();
      return true;
    }
    case StepKind::kDialog:
    case StepKind::kBox:
      break;
  }
  return true;
}

void SessionPlayer::PrintListRows(platform::ModalSession& s) {
  for (HWND child = ::GetWindow(s.Handle(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    auto* list = dynamic_cast<CListCtrl*>(CWnd::FromHandle(child));
    if (!list || !list->IsWindowVisible()) continue;
    const int columns = list->GetColumnCount();
    for (int row = 0; row < list->GetItemCount(); ++row) {
      out_ << "    " << list->GetDlgCtrlID() << " row " << row << ":";
      for (int column = 0; column < std::max(1, columns); ++column)
        out_ << (column ? " | " : " ") << Utf8(list->GetItemText(row, column));
      out_ << "\n";
    }
  }
}

bool SessionPlayer::ClickToolBarButton(platform::ModalSession& s, int id) {
  for (HWND child = ::GetWindow(s.Handle(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    auto* bar = dynamic_cast<CToolBar*>(CWnd::FromHandle(child));
    if (!bar || !bar->IsWindowVisible()) continue;
    const int index = bar->CommandToIndex(static_cast<UINT>(id));
    if (index < 0 || (bar->GetButtonStyle(index) & TBBS_DISABLED)) continue;
    CRect r;
    bar->GetItemRect(index, &r);
    const LPARAM at = MAKELPARAM(r.CenterPoint().x, r.CenterPoint().y);
    bar->SendMessage(WM_MOUSEMOVE, 0, at);
    out_ << "    click tool-bar button " << id << " \"" << Utf8(bar->GetCurrentTip()) << "\"\n";
    bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    bar->SendMessage(WM_LBUTTONUP, 0, at);
    return true;
  }
  return false;
}

void SessionPlayer::AnswerDialog(platform::ModalSession& s) {
  const std::string caption = Utf8(s.Caption());
  out_ << "  dialog \"" << caption << "\"\n";
  PrintListRows(s);
  if (failed_) return;  // closed as its close box does
  if (answers_.empty()) {
    Fail(actionLine_, "the dialog \"" + caption + "\" opened here and the script gives no answer for it");
    return;
  }
  const ScriptStep& answer = *answers_.front();
  answers_.pop_front();
  const int line = answer.line;
  if (!answer.answer.caption.empty() && answer.answer.caption != caption) {
    Fail(line, "the answer is for the dialog \"" + answer.answer.caption + "\", but \"" + caption + "\" opened");
    return;
  }
  bool clickedOk = false;
  for (const DialogAction& a : answer.answer.actions) {
    if (!s.IsRunning()) {
      Fail(line, "the dialog closed before all its actions were done");
      return;
    }
    if (!s.Control(a.id)) {
      // Not a control: a button of one of the dialog's tool bars, clicked.
      if (a.click && ClickToolBarButton(s, a.id)) continue;
      Fail(line, "the dialog \"" + caption + "\" has no control " + std::to_string(a.id) +
                     (a.click ? " and no tool-bar button of that command" : ""));
      return;
    }
    if (a.entry >= 0) {
      out_ << "    " << a.id << " : entry " << a.entry << "\n";
      if (!s.Choose(a.id, a.entry)) {
        Fail(line, "control " + std::to_string(a.id) + " has no entry " + std::to_string(a.entry) +
                       " to choose (or is not a list or combo box, or is hidden or disabled)");
        return;
      }
      clickedOk = false;
    } else if (a.click) {
      out_ << "    click " << ButtonName(a.id) << "\n";
      if (!s.Click(a.id)) {
        Fail(line, "control " + std::to_string(a.id) + " cannot be clicked (hidden or disabled)");
        return;
      }
      clickedOk = a.id == IDOK;
    } else {
      std::string text;
      if (!Expand(line, a.text, text)) return;
      out_ << "    " << a.id << " = \"" << text << "\"\n";
      if (!s.EnterText(a.id, CStringW(platform::Utf8ToUtf16(text).c_str()))) {
        Fail(line, "control " + std::to_string(a.id) + " cannot take a text (hidden or disabled)");
        return;
      }
      clickedOk = false;
    }
  }
  if (s.IsRunning()) {
    if (clickedOk) {
      Fail(line, "the dialog \"" + caption + "\" refused the answer and stayed open");
      return;
    }
    out_ << "    (still open: closed as its close box does)\n";
  }
}

int SessionPlayer::ShowBox(const platform::MessageBoxRequest& box) {
  int answer = platform::DefaultMessageBoxAnswer(box.type);
  if (!boxAnswers_.empty() && !failed_) {
    const ScriptStep& given = *boxAnswers_.front();
    boxAnswers_.pop_front();
    if (!BoxHasButton(box.type, static_cast<int>(given.code)))
      Fail(given.line, "the message box \"" + Utf8(box.text) + "\" has no button " +
                           ButtonName(static_cast<int>(given.code)));
    else
      answer = static_cast<int>(given.code);
  }
  out_ << "  message box";
  if (!box.caption.IsEmpty()) out_ << " \"" << Utf8(box.caption) << "\"";
  out_ << ": " << Utf8(box.text) << " -> " << ButtonName(answer) << "\n";
  return answer;
}

bool SessionPlayer::Expand(int line, const std::string& text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size();) {
    if (text.compare(i, 2, "${") != 0) {
      out += text[i++];
      continue;
    }
    const size_t close = text.find('}', i + 2);
    if (close == std::string::npos) return Fail(line, "\"${\" without its \"}\" in \"" + text + "\"");
    const std::string name = text.substr(i + 2, close - i - 2);
    const auto found = variables_.find(name);
    if (found == variables_.end()) return Fail(line, "the host gives no value for ${" + name + "}");
    out += found->second;
    i = close + 1;
  }
  return true;
}

void SessionPlayer::PrintPrompt() {
  const std::string prompt = Utf8(stack_.GetPrompt());
  if (prompt == lastPrompt_) return;
  lastPrompt_ = prompt;
  out_ << "  prompt: " << prompt << "\n";
}

bool SessionPlayer::WritePicture(const std::string& path) {
  view_.RefreshView();
  return surface_.WritePng(path);
}

}  // namespace draftsession
