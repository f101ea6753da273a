// Pastes arbitrary bytes as the diagram's native clipboard data, into a
// diagram whose y axis grows upward and into one whose y axis grows
// downward. A paste may only fail with nothing added, no undo entry and the
// document back at its own version; one that succeeds is a single undo
// entry, and undoing it leaves the diagram as it was. Every object a
// damaged stream made is freed (the sanitizers check).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawRect.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/MessageBox.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"

extern "C" void _InitScrivel();

namespace {

class DownwardDiagram : public CDiagram {
 public:
  BOOL IsUpwardPositive() const override { return FALSE; }
};

void PasteInto(CDrawDoc& doc, CDiagram& diagram, const uint8_t* data, size_t size) {
  diagram.SetDocument(&doc);
  // Something on the canvas already, so that the pasted objects go on top.
  diagram.Add(new CDrawRect(CRect(0, 0, 100, diagram.IsUpwardPositive() ? -50 : 50)));
  doc.ClearUndoStack();
  const INT_PTR before = diagram.GetObjects().GetCount();

  COleDataSource source;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (size) {
    std::copy(data, data + size, static_cast<uint8_t*>(GlobalLock(block)));
    GlobalUnlock(block);
  }
  source.CacheGlobalData(CDiagram::m_cfDraw, block);
  COleDataObject object;
  object.Attach(source.GetDataObject(), FALSE);
  CDrawList result;
  CObject* other = nullptr;
  const int pasted = diagram.PasteNative(object, CDiagram::m_cfDraw, CPoint(40, 30), result, other);
  delete other;
  if (doc.GetDrawDocVersion() != CDrawDoc::kCurrentVersion) std::abort();
  if (!pasted) {
    if (!result.IsEmpty() || diagram.GetObjects().GetCount() != before || doc.GetNumberUndosOnStack() != 0)
      std::abort();
  } else if (!result.IsEmpty()) {
    if (doc.GetNumberUndosOnStack() != 1 || !doc.UndoLast()) std::abort();
    if (diagram.GetObjects().GetCount() != before) std::abort();
  }
  doc.ClearUndoStack();
  doc.ClearRedoStack();
  diagram.DeleteContents();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  _InitScrivel();
  // Every box is answered with its default button, silently.
  platform::SetMessageBoxHandler(
      [](const platform::MessageBoxRequest& r) { return platform::DefaultMessageBoxAnswer(r.type); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    {
      CDrawDoc doc;
      PasteInto(doc, *doc.GetDiagram(), data, size);
    }
    {
      CDrawDoc doc;
      auto down = std::make_unique<DownwardDiagram>();
      doc.SetActiveDiagram(down.get());
      PasteInto(doc, *down, data, size);
      doc.SetActiveDiagram(doc.GetDiagram());
    }
  } catch (...) {
    std::abort();  // anything that escapes is a fault
  }
  return 0;
}
