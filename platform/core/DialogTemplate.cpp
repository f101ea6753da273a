#include "platform/core/DialogTemplate.h"

#include <stdexcept>

namespace platform {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

bool SameClass(const std::u16string& a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace

const DialogControl* DialogTemplate::FindControl(int controlId) const {
  for (const DialogControl& c : controls)
    if (c.id == controlId) return &c;
  return nullptr;
}

std::vector<std::u16string> DialogTemplate::InitialItems(int controlId) const {
  std::vector<std::u16string> texts;
  for (const DialogInitItem& item : initData)
    if (item.controlId == controlId) texts.push_back(item.text);
  return texts;
}

DialogTemplate& DialogTemplate::Style(DWORD dialogStyle) {
  style = dialogStyle;
  if (!caption.empty()) style |= WS_CAPTION;
  if (fontSize != 0) style |= DS_SETFONT;
  return *this;
}

DialogTemplate& DialogTemplate::ExStyle(DWORD dialogExStyle) {
  exStyle = dialogExStyle;
  return *this;
}

DialogTemplate& DialogTemplate::Font(int pointSize, ResourceText face, int weight, bool italic, BYTE charset) {
  if (pointSize <= 0)
    throw std::invalid_argument("dialog " + std::to_string(id) + ": the font size must be positive");
  fontSize = pointSize;
  fontFace = face.str();
  fontWeight = weight;
  fontItalic = italic;
  fontCharset = charset;
  style |= DS_SETFONT;
  return *this;
}

DialogTemplate& DialogTemplate::Control(ResourceText text, int controlId, ResourceText className,
                                        DWORD controlStyle, DialogRect at, DWORD controlExStyle) {
  DialogControl c;
  c.className = className.str();
  c.text = text.str();
  c.id = controlId;
  c.style = controlStyle | kChild;
  c.exStyle = controlExStyle;
  c.rect = at;
  controls.push_back(std::move(c));
  return *this;
}

DialogTemplate& DialogTemplate::PushButton(ResourceText text, int controlId, DialogRect at, DWORD extra, DWORD ex) {
  return Control(std::move(text), controlId, u"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | extra, at, ex);
}

DialogTemplate& DialogTemplate::DefPushButton(ResourceText text, int controlId, DialogRect at, DWORD extra,
                                              DWORD ex) {
  return Control(std::move(text), controlId, u"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | extra, at, ex);
}

DialogTemplate& DialogTemplate::CheckBox(ResourceText text, int controlId, DialogRect at, DWORD extra, DWORD ex) {
  return Control(std::move(text), controlId, u"BUTTON", BS_CHECKBOX | WS_TABSTOP | extra, at, ex);
}

DialogTemplate& DialogTemplate::AutoCheckBox(ResourceText text, int controlId, DialogRect at, DWORD extra,
                                             DWORD ex) {
  return Control(std::move(text), controlId, u"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP | extra, at, ex);
}

DialogTemplate& DialogTemplate::RadioButton(ResourceText text, int controlId, DialogRect at, DWORD extra,
                                            DWORD ex) {
  return Control(std::move(text), controlId, u"BUTTON", BS_RADIOBUTTON | extra, at, ex);
}

DialogTemplate& DialogTemplate::AutoRadioButton(ResourceText text, int controlId, DialogRect at, DWORD extra,
                                                DWORD ex) {
  return Control(std::move(text), controlId, u"BUTTON", BS_AUTORADIOBUTTON | extra, at, ex);
}

DialogTemplate& DialogTemplate::GroupBox(ResourceText text, int controlId, DialogRect at, DWORD extra, DWORD ex) {
  return Control(std::move(text), controlId, u"BUTTON", BS_GROUPBOX | extra, at, ex);
}

DialogTemplate& DialogTemplate::LText(ResourceText text, int controlId, DialogRect at, DWORD extra, DWORD ex) {
  return Control(std::move(text), controlId, u"STATIC", SS_LEFT | WS_GROUP | extra, at, ex);
}

DialogTemplate& DialogTemplate::CText(ResourceText text, int controlId, DialogRect at, DWORD extra, DWORD ex) {
  return Control(std::move(text), controlId, u"STATIC", SS_CENTER | WS_GROUP | extra, at, ex);
}

DialogTemplate& DialogTemplate::RText(ResourceText text, int controlId, DialogRect at, DWORD extra, DWORD ex) {
  return Control(std::move(text), controlId, u"STATIC", SS_RIGHT | WS_GROUP | extra, at, ex);
}

DialogTemplate& DialogTemplate::EditText(int controlId, DialogRect at, DWORD extra, DWORD ex) {
  return Control(u"", controlId, u"EDIT", ES_LEFT | WS_BORDER | WS_TABSTOP | extra, at, ex);
}

DialogTemplate& DialogTemplate::ComboBox(int controlId, DialogRect at, DWORD extra, DWORD ex) {
  // A combo box declared with a drop-down type drops the simple type bit.
  DWORD type = (extra & 0x3u) ? 0 : CBS_SIMPLE;
  return Control(u"", controlId, u"COMBOBOX", type | WS_TABSTOP | extra, at, ex);
}

DialogTemplate& DialogTemplate::ListBox(int controlId, DialogRect at, DWORD extra, DWORD ex) {
  return Control(u"", controlId, u"LISTBOX", LBS_NOTIFY | WS_BORDER | extra, at, ex);
}

DialogTemplate& DialogTemplate::ScrollBar(int controlId, DialogRect at, DWORD extra, DWORD ex) {
  return Control(u"", controlId, u"SCROLLBAR", SBS_HORZ | extra, at, ex);
}

DialogTemplate& DialogTemplate::Icon(UINT iconId, int controlId, DialogRect at, DWORD extra, DWORD ex) {
  Control(u"", controlId, u"STATIC", SS_ICON | extra, at, ex);
  controls.back().textId = iconId;
  return *this;
}

DialogTemplate& DialogTemplate::Items(int controlId, std::initializer_list<ResourceText> texts) {
  const DialogControl* control = FindControl(controlId);
  std::string where = "dialog " + std::to_string(id) + ", control " + std::to_string(controlId);
  if (!control) throw std::invalid_argument(where + ": items for a control not declared before them");
  UINT message;
  if (SameClass(control->className, u"COMBOBOX"))
    message = CB_ADDSTRING;
  else if (SameClass(control->className, u"LISTBOX"))
    message = LB_ADDSTRING;
  else
    throw std::invalid_argument(where + ": items for a control that is neither a combo box nor a list box");
  for (const ResourceText& t : texts) initData.push_back({controlId, message, t.str()});
  return *this;
}

}  // namespace platform
