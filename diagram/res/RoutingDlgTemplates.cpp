#include "diagram/res/RoutingDlgTemplates.h"

#include "platform/core/ResourceSet.h"

namespace {

using namespace platform::rc;

constexpr DWORD kPage = WS_CHILD | WS_CAPTION | WS_DISABLED;

platform::DialogTemplate AutomaticPage() {
  return Dialog(28010, u"Automatic", {0, 0, 250, 150})
      .Style(kPage)
      .Font(8, u"MS Sans Serif")
      .AutoCheckBox(u"&Disable automatic routing of arcs/links.", 28084, {7, 7, 236, 10}, WS_TABSTOP)
      .GroupBox(u"Route when?", IDC_STATIC, {7, 24, 236, 44})
      .AutoRadioButton(u"&Only when new arcs/links are created.", 28128, {14, 36, 222, 10}, WS_GROUP | WS_TABSTOP)
      .AutoRadioButton(u"&Any time arcs/links are disturbed.", 28126, {14, 50, 222, 10})
      .GroupBox(u"Using which algorithm?", IDC_STATIC, {7, 74, 236, 58})
      .AutoRadioButton(u"&Shortest Path", 28122, {14, 86, 222, 10}, WS_GROUP | WS_TABSTOP)
      .AutoRadioButton(u"&Minimize Bends", 28123, {14, 100, 222, 10})
      .AutoRadioButton(u"Maximize Shared &Paths", 28157, {14, 114, 222, 10});
}

platform::DialogTemplate GeneralPage() {
  platform::DialogTemplate page =
      Dialog(28011, u"General / Page", {0, 0, 250, 150})
          .Style(kPage)
          .Font(8, u"MS Sans Serif")
          .GroupBox(u"Page boundary", IDC_STATIC, {7, 7, 236, 74})
          .LText(u"&Top margin", IDC_STATIC, {14, 20, 60, 8})
          .EditText(28133, {78, 18, 30, 12}, ES_AUTOHSCROLL | ES_NUMBER | WS_GROUP | WS_TABSTOP)
          .LText(u"&Bottom margin", IDC_STATIC, {124, 20, 60, 8})
          .EditText(28079, {188, 18, 30, 12}, ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP)
          .LText(u"&Left margin", IDC_STATIC, {14, 38, 60, 8})
          .EditText(28106, {78, 36, 30, 12}, ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP)
          .LText(u"&Right margin", IDC_STATIC, {124, 38, 60, 8})
          .EditText(28131, {188, 36, 30, 12}, ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP)
          .AutoCheckBox(u"&Only for blocks", 28105, {14, 60, 120, 10}, WS_TABSTOP)
          .LText(u"&Minimum distance between arcs", IDC_STATIC, {7, 92, 120, 8})
          .ComboBox(28108, {130, 90, 40, 120}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
  page.Items(28108, {u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"11", u"12", u"13", u"14", u"15",
                     u"16", u"17", u"18", u"19", u"20"});
  return page;
}

platform::DialogTemplate ManualPage() {
  return Dialog(28012, u"Manual", {0, 0, 250, 170})
      .Style(kPage)
      .Font(8, u"MS Sans Serif")
      .GroupBox(u"Route what?", IDC_STATIC, {7, 7, 236, 92})
      .AutoRadioButton(u"&All Arc Links in the diagram", 28124, {14, 19, 222, 10}, WS_GROUP | WS_TABSTOP)
      .AutoRadioButton(u"&Only...", 28129, {14, 31, 100, 10})
      .AutoRadioButton(u"All &but...", 28125, {120, 31, 100, 10})
      .GroupBox(u"Arc Links that are:", IDC_STATIC, {20, 44, 216, 50})
      .AutoCheckBox(u"S&elected ", 28081, {26, 55, 200, 10}, WS_GROUP | WS_TABSTOP)
      .AutoCheckBox(u"Connected to any &Node/", 28082, {26, 67, 100, 10}, WS_TABSTOP)
      .LText(u"Port of selected Blocks", 28029, {128, 68, 100, 8})
      .AutoCheckBox(u"&Connected to selected", 28083, {26, 79, 100, 10}, WS_TABSTOP)
      .LText(u"Nodes/Ports", 28028, {128, 80, 100, 8})
      .GroupBox(u"Using which algorithm?", IDC_STATIC, {7, 104, 160, 58})
      .AutoRadioButton(u"&Shortest Path", 28122, {14, 116, 150, 10}, WS_GROUP | WS_TABSTOP)
      .AutoRadioButton(u"&Minimize Bends", 28123, {14, 130, 150, 10})
      .AutoRadioButton(u"Maximize Shared &Paths", 28157, {14, 144, 150, 10})
      .PushButton(u"&Route Now", 28137, {180, 144, 63, 14}, WS_GROUP | WS_TABSTOP);
}

platform::DialogTemplate RoutingFailure() {
  return Dialog(28069, u"Failed To Route Some Arcs", {0, 0, 240, 132})
      .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
      .Font(8, u"MS Sans Serif")
      .LText(u"", 28158, {7, 7, 226, 8})
      .LText(u"arcs that could not be routed have been selected.", 28159, {7, 19, 226, 8})
      .LText(u"You may:", IDC_STATIC, {7, 35, 226, 8})
      .LText(u"- avoid the page boundary,", IDC_STATIC, {14, 47, 219, 8})
      .LText(u"- decrease the page margins or the minimum distance between arcs,", IDC_STATIC, {14, 59, 219, 16})
      .LText(u"- route only around blocks,", IDC_STATIC, {14, 77, 219, 8})
      .LText(u"- move the blocks further apart.", IDC_STATIC, {14, 89, 219, 8})
      .DefPushButton(u"OK", IDOK, {95, 110, 50, 14}, WS_TABSTOP);
}

}  // namespace

void AddRoutingDlgTemplates(platform::ResourceSet& resources) {
  resources.Add(AutomaticPage());
  resources.Add(GeneralPage());
  resources.Add(ManualPage());
  resources.Add(RoutingFailure());
}
