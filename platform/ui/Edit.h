// Edit controls: the text, the selection (caret), a limit on the length,
// read-only and number-only styles, the modified flag, lines of a
// multi-line edit and one level of undo. Changes of the text by the user
// or by the program reach the parent as EN_UPDATE then EN_CHANGE; a typed
// character past the limit as EN_MAXTEXT.
#pragma once

#include "platform/ui/Wnd.h"

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // Selection in characters; end -1 is the end of the text, start -1
  // removes the selection.
  void SetSel(int start, int end, BOOL noScroll = FALSE);
  void SetSel(DWORD selection, BOOL noScroll = FALSE);
  void GetSel(int& start, int& end) const;
  DWORD GetSel() const;
  void ReplaceSel(LPCWSTR text, BOOL canUndo = FALSE);
  void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE);
  void Clear();

  void LimitText(int maxChars = 0);
  void SetLimitText(UINT maxChars) { LimitText(static_cast<int>(maxChars)); }
  UINT GetLimitText() const;
  BOOL SetReadOnly(BOOL readOnly = TRUE);
  BOOL GetModify() const;
  void SetModify(BOOL modified = TRUE);

  BOOL CanUndo() const;
  BOOL Undo();
  void EmptyUndoBuffer();

  int GetLineCount() const;
  int LineIndex(int line = -1) const;
  int LineFromChar(int index = -1) const;
  // The length of the line that holds character `index`.
  int LineLength(int index = -1) const;
  // Copies a line (without a terminating zero; GBK bytes in the A form).
  int GetLine(int line, LPWSTR buffer, int maxLength) const;
  int GetLine(int line, LPSTR buffer, int maxLength) const;
  int GetFirstVisibleLine() const;
  void ScrollCaret() { SendMessage(EM_SCROLLCARET); }
};
