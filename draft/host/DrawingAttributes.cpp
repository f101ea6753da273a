#include "draft/host/DrawingAttributes.h"

#include <ctime>

#include "draft/host/AttributeItems.h"
#include "draft/host/DraftView.h"

BOOL SetDrawingAttribute(CDraftView* view, const char* name, const char* type, const char* value, int shown) {
  if (!view) return FALSE;
  return AddAttributeItem(view->GetDrawingAttributeList(), name, type, value, 1, shown);
}

CStringA GetCurrentDateString(int format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  CStringA text;
  if (format == 1)
    text.Format("%d年%d月%d日", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  else
    text.Format("%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  return text;
}
