// The running commands of one drafting view and the single entry through
// which the host delivers the view's events to them. The top command is the
// current one; a level byte on each command decides which running commands
// a new one replaces (its own level and above) and which it stacks on
// (lower levels). The stack owns its commands and deletes every command
// that leaves it.
#pragma once

#include <memory>
#include <vector>

#include "platform/core/Geometry.h"
#include "platform/core/String.h"

class CCmdBase;
class CDraftView;

class CCmdStack {
 public:
  CCmdStack() = default;
  CCmdStack(const CCmdStack&) = delete;
  CCmdStack& operator=(const CCmdStack&) = delete;

  // The next finish request (right button or a done command) only clears
  // the flag. The three arguments are ignored.
  virtual void SkipNextFinish(int, int, int);
  // Deletes every command, bottom first, without ending it.
  virtual ~CCmdStack();

  // Push rule: commands above the first one of a lower level are ended and
  // deleted; one of the same level and id keeps running and the new one is
  // dropped; a command whose Begin refuses is deleted at once.
  void Push(CDraftView* view, CCmdBase* command);
  // Stacks a command on top without closing any; 1 when it runs.
  int PushNested(CDraftView* view, CCmdBase* command);
  // Deletes the top when it is a view command (level 5).
  void PopView();

  int OnLButton(UINT flags, CPoint dp, CDraftView* view);
  // The right button, also the finish request: 1 when a command was there.
  int OnRButton(UINT flags, CPoint dp, CDraftView* view);
  void OnMouseMove(UINT flags, CPoint dp, CDraftView* view);
  int OnChar(CPoint dp, UINT ch, UINT repeat, UINT flags, CDraftView* view);
  void OnKeyDown(CPoint dp, UINT key, UINT repeat, UINT flags, CDraftView* view);
  int OnTypedInput(CDraftView* view, const char* text);
  void Interrupt(CDraftView* arg);
  void NotifySelection(CDraftView* view, int flag);
  int UpdateCursorState(int arg, CDraftView* view);

  CString GetPrompt();
  CString GetStatusText();

  void AbortAll(CDraftView* view);
  void DeleteAll();
  void EndAll(CDraftView* view);
  void EndTop(CDraftView* view);
  void EndEach(CDraftView* view);

  CCmdBase* GetCurrent() const { return current_; }
  BOOL IsEmpty() const { return current_ == nullptr; }
  int GetCurrentId() const;
  BOOL IsCurrentId(int id) const;
  BOOL GetCurrentIdOut(int& id) const;
  int GetCount() const { return static_cast<int>(commands_.size()); }

 private:
  void ClearEventWords(CDraftView* view);
  // Removes and deletes the top; the new top becomes current (resumed when asked).
  void DropTop(bool resumeNext);
  void TopBecomesCurrent(bool resume);

  CCmdBase* current_ = nullptr;
  std::vector<std::unique_ptr<CCmdBase>> commands_;  // bottom first
  int skip_ = 0;
};
