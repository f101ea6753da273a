#include "diagram/res/ProgressDlgTemplate.h"

#include "platform/core/ResourceSet.h"

void AddProgressDlgTemplate(platform::ResourceSet& resources) {
  using namespace platform::rc;
  resources.Strings({{28000, u"Progress"}});
  resources.Add(Dialog(28076, u"", {0, 0, 186, 79})
                    .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION)
                    .Font(8, u"MS Sans Serif")
                    .LText(u"", 28075, {7, 7, 172, 8})
                    .CText(u" 0 %", 28073, {7, 19, 172, 8})
                    .Control(u"", 28074, u"msctls_progress32", WS_BORDER, {7, 31, 172, 14})
                    .PushButton(u"Cancel", IDCANCEL, {68, 56, 50, 14}, WS_TABSTOP));
}
