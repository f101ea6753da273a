// A dialog template resource: the dialog's caption, styles, font and size,
// its controls, and its initialisation data (the items that combo boxes and
// list boxes start with). Sizes and positions are in dialog units.
//
// The template doubles as its own builder, with one method per statement of a
// resource script and the same default styles, so that a declaration reads
// like the script it stands for:
//
//   Dialog(28076, u"Progress", {0, 0, 186, 62})
//       .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION)
//       .Font(8, u"MS Sans Serif")
//       .LText(u"Routing...", 28155, {7, 7, 172, 8})
//       .Control(u"", 28154, u"msctls_progress32", WS_BORDER, {7, 20, 172, 14})
//       .ComboBox(28108, {7, 38, 40, 80}, CBS_DROPDOWNLIST | WS_VSCROLL)
//       .Items(28108, {u"2", u"3", u"4"})
//       .PushButton(u"Cancel", IDCANCEL, {68, 41, 50, 14});
//
// Texts may be u"..." (UTF-16), "..." (GBK, as the multibyte build compiles
// its literals) or u8"..." (see ResourceText.h).
//
// Every control gets WS_CHILD | WS_VISIBLE; the style argument of a typed
// statement is added to that statement's defaults; Control() takes the full
// style. A mistake in a declaration (items for a control that is not a combo
// or list box, or that is not declared yet) throws std::invalid_argument.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/core/ResourceText.h"
#include "platform/core/WinConstants.h"

namespace platform {

// A rectangle in dialog units: position and size, as a resource script
// writes it.
struct DialogRect {
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

struct DialogControl {
  std::u16string className;  // "BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX", "SCROLLBAR", or a registered class
  std::u16string text;
  UINT textId = 0;           // when not 0 the text is this resource (an icon or bitmap of a static control)
  int id = IDC_STATIC;
  DWORD style = 0;
  DWORD exStyle = 0;
  DialogRect rect;
};

// One item of the initialisation data: the message (CB_ADDSTRING,
// LB_ADDSTRING) sent to the control with the text, in declaration order,
// when the dialog is created.
struct DialogInitItem {
  int controlId = 0;
  UINT message = 0;
  std::u16string text;
};

struct DialogTemplate {
  UINT id = 0;
  std::u16string caption;
  DWORD style = WS_POPUP | WS_BORDER | WS_SYSMENU;
  DWORD exStyle = 0;
  DialogRect rect;
  int fontSize = 0;  // points; 0 when the dialog has no font of its own
  std::u16string fontFace;
  int fontWeight = 0;
  bool fontItalic = false;
  BYTE fontCharset = 1;  // DEFAULT_CHARSET
  std::vector<DialogControl> controls;
  std::vector<DialogInitItem> initData;

  // The first control with that id, or null.
  const DialogControl* FindControl(int controlId) const;
  // The initialisation texts of one control, in order.
  std::vector<std::u16string> InitialItems(int controlId) const;

  // Declaration statements. Style replaces the dialog's style; the caption
  // and the font add WS_CAPTION and DS_SETFONT as a resource script does.
  DialogTemplate& Style(DWORD dialogStyle);
  DialogTemplate& ExStyle(DWORD dialogExStyle);
  DialogTemplate& Font(int pointSize, ResourceText face, int weight = 0, bool italic = false, BYTE charset = 1);

  DialogTemplate& Control(ResourceText text, int controlId, ResourceText className, DWORD controlStyle,
                          DialogRect at, DWORD controlExStyle = 0);
  DialogTemplate& PushButton(ResourceText text, int controlId, DialogRect at, DWORD extra = 0, DWORD ex = 0);
  DialogTemplate& DefPushButton(ResourceText text, int controlId, DialogRect at, DWORD extra = 0, DWORD ex = 0);
  DialogTemplate& CheckBox(ResourceText text, int controlId, DialogRect at, DWORD extra = 0, DWORD ex = 0);
  DialogTemplate& AutoCheckBox(ResourceText text, int controlId, DialogRect at, DWORD extra = 0, DWORD ex = 0);
  DialogTemplate& RadioButton(ResourceText text, int controlId, DialogRect at, DWORD extra = 0, DWORD ex = 0);
  DialogTemplate& AutoRadioButton(ResourceText text, int controlId, DialogRect at, DWORD extra = 0, DWORD ex = 0);
  DialogTemplate& GroupBox(ResourceText text, int controlId, DialogRect at, DWORD extra = 0, DWORD ex = 0);
  DialogTemplate& LText(ResourceText text, int controlId, DialogRect at, DWORD extra = 0, DWORD ex = 0);
  DialogTemplate& CText(ResourceText text, int controlId, DialogRect at, DWORD extra = 0, DWORD ex = 0);
  DialogTemplate& RText(ResourceText text, int controlId, DialogRect at, DWORD extra = 0, DWORD ex = 0);
  DialogTemplate& EditText(int controlId, DialogRect at, DWORD extra = 0, DWORD ex = 0);
  DialogTemplate& ComboBox(int controlId, DialogRect at, DWORD extra = 0, DWORD ex = 0);
  DialogTemplate& ListBox(int controlId, DialogRect at, DWORD extra = 0, DWORD ex = 0);
  DialogTemplate& ScrollBar(int controlId, DialogRect at, DWORD extra = 0, DWORD ex = 0);
  // A static control showing icon resource `iconId`.
  DialogTemplate& Icon(UINT iconId, int controlId, DialogRect at, DWORD extra = 0, DWORD ex = 0);
  // The initialisation data of a combo or list box declared above.
  DialogTemplate& Items(int controlId, std::initializer_list<ResourceText> texts);
};

namespace rc {

// Starts a dialog template declaration.
inline DialogTemplate Dialog(UINT id, ResourceText caption, DialogRect at) {
  DialogTemplate t;
  t.id = id;
  t.caption = caption.str();
  t.rect = at;
  if (!t.caption.empty()) t.style |= WS_CAPTION;
  return t;
}

}  // namespace rc
}  // namespace platform
