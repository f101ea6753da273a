#include "draft/host/DimValueEditor.h"

#include "platform/core/Exceptions.h"

namespace {
DimValueEditor g_editor = nullptr;
}  // namespace

void SetDimValueEditor(DimValueEditor editor) { g_editor = editor; }

int RunDimValueEditor(DimValueParts& parts) {
  if (!g_editor) throw CNotSupportedException(CStringW(u"No dimension-value editor is registered."));
  return g_editor(parts);
}
