// The windows that composite blocks open their inner diagrams in: the
// library's frame and view, given to the model (which knows neither) when
// the library loads. A host may change them afterwards.
#include "diagram/model/canvas/CompositeBlockDiagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/res/DocumentStrings.h"
#include "diagram/ui/DrawFrame.h"
#include "diagram/ui/DrawView.h"

namespace {

// The in-place container resources of the diagram document.
constexpr UINT kDrawDocContainerInfo = 28018;

const bool g_innerDiagramTemplate = [] {
  CCompositeBlockDiagram::SetDefaultDocTemplateInfo(IDR_DRAWTYPE, RUNTIME_CLASS(CDrawDoc), RUNTIME_CLASS(CDrawFrame),
                                                    RUNTIME_CLASS(CDrawView), kDrawDocContainerInfo);
  return true;
}();

}  // namespace
