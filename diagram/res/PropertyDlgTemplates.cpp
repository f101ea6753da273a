#include "diagram/res/PropertyDlgTemplates.h"

#include "platform/core/ResourceSet.h"
#include "platform/ui/CommCtrl.h"

namespace {

using namespace platform::rc;

constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kSpin = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | WS_CHILD | WS_VISIBLE;

platform::DialogTemplate ShapePage() {
  return Dialog(28013, u"General", {0, 0, 250, 170})
      .Style(WS_CHILD | WS_CAPTION | WS_DISABLED)
      .Font(8, u"MS Sans Serif")
      .LText(u"Line &weight:", IDC_STATIC, {7, 9, 44, 8})
      .EditText(28096, {54, 7, 30, 12}, ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP)
      .Control(u"", 28132, UPDOWN_CLASSW, kSpin, {84, 7, 10, 12})
      .GroupBox(u"Line type", IDC_STATIC, {7, 24, 90, 100})
      .AutoRadioButton(u"&Solid", 28138, {12, 35, 80, 10}, WS_GROUP | WS_TABSTOP)
      .AutoRadioButton(u"&Dash", 28141, {12, 47, 80, 10})
      .AutoRadioButton(u"D&ot", 28142, {12, 59, 80, 10})
      .AutoRadioButton(u"Dash-dot", 28143, {12, 71, 80, 10})
      .AutoRadioButton(u"Dash-dot-dot", 28144, {12, 83, 80, 10})
      .AutoRadioButton(u"&Null", 28145, {12, 95, 80, 10})
      .AutoRadioButton(u"&Inside frame", 28146, {12, 107, 80, 10})
      .LText(u"Only Solid Line types are possible with Line Weight greater than 0.", IDC_STATIC, {7, 128, 90, 24})
      .PushButton(u"&Line Color...", 28139, {104, 7, 64, 14}, WS_GROUP | WS_TABSTOP)
      .PushButton(u"&Fill Color...", 28140, {104, 24, 64, 14}, WS_TABSTOP)
      .AutoCheckBox(u"No fi&ll", 28085, {176, 26, 64, 10}, WS_TABSTOP)
      .GroupBox(u"Hatch", IDC_STATIC, {104, 42, 139, 82})
      .AutoCheckBox(u"&Use hatch", 28150, {109, 53, 60, 10}, WS_TABSTOP)
      .PushButton(u"&Hatch Color...", 28149, {174, 51, 64, 14}, WS_TABSTOP)
      .AutoRadioButton(u"Horizontal", 28151, {109, 68, 64, 10}, WS_GROUP | WS_TABSTOP)
      .AutoRadioButton(u"Vertical", 28152, {109, 80, 64, 10})
      .AutoRadioButton(u"Forward diagonal", 28153, {109, 92, 64, 10})
      .AutoRadioButton(u"Backward diagonal", 28154, {174, 68, 64, 10})
      .AutoRadioButton(u"Cross", 28155, {174, 80, 64, 10})
      .AutoRadioButton(u"Diagonal cross", 28156, {174, 92, 64, 10})
      .Control(u"", 28147, u"Static", SS_ETCHEDFRAME | WS_CHILD | WS_VISIBLE, {104, 128, 139, 35});
}

platform::DialogTemplate BlockAboutPage() {
  return Dialog(28004, u"Description", {0, 0, 250, 170})
      .Style(WS_CHILD | WS_CAPTION | WS_DISABLED)
      .Font(8, u"MS Sans Serif")
      .LText(u"A description document can be attached to this block.", IDC_STATIC, {7, 9, 236, 8})
      .PushButton(u"&Create Description...", 28110, {7, 25, 90, 14}, WS_TABSTOP)
      .PushButton(u"&Edit Description", 28112, {7, 43, 90, 14}, WS_TABSTOP)
      .PushButton(u"&Delete Description", 28111, {7, 61, 90, 14}, WS_TABSTOP)
      .PushButton(u"C&onvert Description...", 28109, {7, 79, 90, 14}, WS_TABSTOP);
}

platform::DialogTemplate GridSize() {
  return Dialog(28009, u"Grid Size", {0, 0, 250, 150})
      .Style(kModal)
      .Font(8, u"MS Sans Serif")
      .GroupBox(u"Grid", IDC_STATIC, {7, 7, 90, 118})
      .AutoRadioButton(u"2 x 2", 28097, {12, 18, 80, 10}, WS_GROUP | WS_TABSTOP)
      .AutoRadioButton(u"4 x 4", 28098, {12, 30, 80, 10})
      .AutoRadioButton(u"5 x 5", 28099, {12, 42, 80, 10})
      .AutoRadioButton(u"10 x 10", 28100, {12, 54, 80, 10})
      .AutoRadioButton(u"20 x 20", 28101, {12, 66, 80, 10})
      .AutoRadioButton(u"25 x 25", 28102, {12, 78, 80, 10})
      .AutoRadioButton(u"50 x 50", 28103, {12, 90, 80, 10})
      .AutoRadioButton(u"&Custom", 28104, {12, 102, 80, 10})
      .LText(u"Grid size (x, y):", IDC_STATIC, {104, 18, 70, 8})
      .EditText(28086, {176, 16, 30, 12}, ES_AUTOHSCROLL | WS_GROUP | WS_TABSTOP)
      .EditText(28088, {210, 16, 30, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
      .LText(u"Line interval (x, y):", IDC_STATIC, {104, 36, 70, 8})
      .EditText(28087, {176, 34, 30, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
      .EditText(28089, {210, 34, 30, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
      .LText(u"Objects snap to the grid.", 28160, {104, 54, 139, 24})
      .LText(u"A dotted line is drawn every line interval of grid steps.", 28161, {104, 80, 139, 24})
      .DefPushButton(u"OK", IDOK, {136, 129, 50, 14}, WS_GROUP | WS_TABSTOP)
      .PushButton(u"Cancel", IDCANCEL, {193, 129, 50, 14}, WS_TABSTOP);
}

platform::DialogTemplate LineWeight() {
  return Dialog(28035, u"Line Weight", {0, 0, 180, 50})
      .Style(kModal)
      .Font(8, u"MS Sans Serif")
      .LText(u"Line &weight:", IDC_STATIC, {7, 9, 44, 8})
      .EditText(28096, {54, 7, 30, 12}, ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP)
      .Control(u"", 28132, UPDOWN_CLASSW, kSpin, {84, 7, 10, 12})
      .DefPushButton(u"OK", IDOK, {66, 29, 50, 14}, WS_TABSTOP)
      .PushButton(u"Cancel", IDCANCEL, {123, 29, 50, 14}, WS_TABSTOP);
}

platform::DialogTemplate CustomZoom() {
  return Dialog(28006, u"Custom Zoom", {0, 0, 180, 150})
      .Style(kModal)
      .Font(8, u"MS Sans Serif")
      .GroupBox(u"Zoom to", IDC_STATIC, {7, 7, 110, 136})
      .AutoRadioButton(u"&400%", 28120, {12, 18, 100, 10}, WS_GROUP | WS_TABSTOP)
      .AutoRadioButton(u"&300%", 28119, {12, 30, 100, 10})
      .AutoRadioButton(u"&200%", 28117, {12, 42, 100, 10})
      .AutoRadioButton(u"1&50%", 28116, {12, 54, 100, 10})
      .AutoRadioButton(u"100% (&Normal)", 28115, {12, 66, 100, 10})
      .AutoRadioButton(u"50% (&Half)", 28121, {12, 78, 100, 10})
      .AutoRadioButton(u"25% (&Quater)", 28118, {12, 90, 100, 10})
      .AutoRadioButton(u"Zoom &All Pages", 28127, {12, 102, 100, 10})
      .AutoRadioButton(u"&Percent:", 28130, {12, 116, 50, 10})
      .EditText(28093, {64, 114, 30, 12}, ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP)
      .DefPushButton(u"OK", IDOK, {123, 7, 50, 14}, WS_GROUP | WS_TABSTOP)
      .PushButton(u"Cancel", IDCANCEL, {123, 24, 50, 14}, WS_TABSTOP)
      .PushButton(u"&Zoom Last", 28113, {123, 41, 50, 14}, WS_TABSTOP);
}

platform::DialogTemplate CanvasSize() {
  return Dialog(28007, u"Canvas (Drawing Area) Size", {0, 0, 200, 70})
      .Style(kModal)
      .Font(8, u"MS Sans Serif")
      .LText(u"Horizontally:", IDC_STATIC, {7, 9, 70, 8})
      .EditText(28090, {80, 7, 30, 12}, ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP)
      .LText(u"Vertically:", IDC_STATIC, {7, 27, 70, 8})
      .EditText(28095, {80, 25, 30, 12}, ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP)
      .DefPushButton(u"OK", IDOK, {86, 49, 50, 14}, WS_TABSTOP)
      .PushButton(u"Cancel", IDCANCEL, {143, 49, 50, 14}, WS_TABSTOP);
}

platform::DialogTemplate CanvasConfirm() {
  return Dialog(28008, u"Canvas Size Confirmation", {0, 0, 220, 90})
      .Style(kModal)
      .Font(8, u"MS Sans Serif")
      .LText(u"The canvas becomes this many pages:", IDC_STATIC, {7, 7, 206, 8})
      .LText(u"Horizontally:", IDC_STATIC, {7, 23, 50, 8})
      .EditText(28090, {60, 21, 30, 12}, ES_READONLY)
      .LText(u"Vertically:", IDC_STATIC, {100, 23, 50, 8})
      .EditText(28095, {150, 21, 30, 12}, ES_READONLY)
      .LText(u"This can only be accomplished if all objects are moved toward the canvas origin.  Is it OK to move all objects?",
             IDC_STATIC, {7, 40, 206, 24})
      .DefPushButton(u"OK", IDOK, {106, 69, 50, 14}, WS_TABSTOP)
      .PushButton(u"Cancel", IDCANCEL, {163, 69, 50, 14}, WS_TABSTOP);
}

platform::DialogTemplate BlockDefinition() {
  return Dialog(28005, u"Block Definition", {0, 0, 200, 84})
      .Style(kModal)
      .Font(8, u"MS Sans Serif")
      .LText(u"&Inputs:", IDC_STATIC, {7, 9, 50, 8})
      .EditText(28091, {60, 7, 30, 12}, ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP)
      .LText(u"&Outputs:", IDC_STATIC, {7, 27, 50, 8})
      .EditText(28092, {60, 25, 30, 12}, ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP)
      .AutoCheckBox(u"&Composite block", 28080, {7, 45, 100, 10}, WS_TABSTOP)
      .DefPushButton(u"OK", IDOK, {86, 63, 50, 14}, WS_TABSTOP)
      .PushButton(u"Cancel", IDCANCEL, {143, 63, 50, 14}, WS_TABSTOP);
}

}  // namespace

void AddPropertyDlgTemplates(platform::ResourceSet& resources) {
  resources.Add(ShapePage());
  resources.Add(BlockAboutPage());
  resources.Add(GridSize());
  resources.Add(LineWeight());
  resources.Add(CustomZoom());
  resources.Add(CanvasSize());
  resources.Add(CanvasConfirm());
  resources.Add(BlockDefinition());
}
