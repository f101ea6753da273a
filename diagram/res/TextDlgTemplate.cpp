#include "diagram/res/TextDlgTemplate.h"

#include "platform/core/ResourceSet.h"

void AddTextDlgTemplate(platform::ResourceSet& resources) {
  using namespace platform::rc;
  resources.Add(Dialog(28014, u"Text", {0, 0, 226, 50})
                    .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
                    .Font(8, u"MS Sans Serif")
                    .LText(u"&Text:", IDC_STATIC, {7, 9, 20, 8})
                    .EditText(28094, {30, 7, 189, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
                    .DefPushButton(u"OK", IDOK, {112, 29, 50, 14}, WS_TABSTOP)
                    .PushButton(u"Cancel", IDCANCEL, {169, 29, 50, 14}, WS_TABSTOP));
}
