// A diagram document saved with its file's writes failing at every point
// (see platform/core/tests/WriteFailureSweep.h): as a plain file, as a
// compound file over another file, and into the compound file it was opened
// from. Each keeps the old file byte for byte, leaves no other file and
// shows the failure.
#include <gtest/gtest.h>

#include <memory>

#include "DrawDocTestSupport.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawRect.h"
#include "platform/core/Charset.h"
#include "platform/core/MessageBox.h"
#include "platform/core/tests/ScratchFolder.h"
#include "platform/core/tests/WriteFailureSweep.h"

using testsupport::SweepWriteFailures;
using testsupport::WriteOutcome;

namespace {

class DrawDocWriterFailureTest : public ::testing::Test {
 protected:
  void SetUp() override { LinkDiagramLibrary(); }

  // A new document of one rectangle, its fill `color`.
  static void Draw(CDrawDoc& doc, COLORREF color) {
    ASSERT_TRUE(doc.OnNewDocument());
    auto* rect = new CDrawRect(CRect(0, 100, 200, 0), CDrawRect::rectangle);
    ASSERT_TRUE(doc.GetDiagram()->Add(rect));
    ASSERT_TRUE(rect->SetFillColor(color));
  }
  // The bytes of a document saved to `name` and let go.
  std::string Saved(const std::string& name, bool compound) {
    CDrawDoc doc;
    doc.m_bAutoDelete = FALSE;
    Draw(doc, RGB(1, 2, 3));
    doc.EnableCompoundFile(compound);
    EXPECT_TRUE(doc.OnSaveDocument(Wide(name)));
    doc.OnCloseDocument();
    return testsupport::FileBytes(folder.File(name));
  }
  // Saves `doc` to `name`, counting the boxes shown.
  WriteOutcome Save(CDrawDoc& doc, const std::string& name) {
    shown = 0;
    const BOOL ok = doc.OnSaveDocument(Wide(name));
    return WriteOutcome{ok != FALSE, shown};
  }

  CStringW Wide(const std::string& name) const { return CStringW(platform::Utf8ToUtf16(folder / name).c_str()); }

  testsupport::ScratchFolder folder{"scrivel-drawdoc-writers"};
  int shown = 0;
  platform::ScopedMessageBoxHandler boxes{[this](const platform::MessageBoxRequest&) {
    ++shown;
    return IDOK;
  }};
};

TEST_F(DrawDocWriterFailureTest, APlainFile) {
  const std::string old = Saved("plain.drw", false);
  SweepWriteFailures(
      "diagram, plain file", folder.path(), [&] { testsupport::PutFileBytes(folder.File("plain.drw"), old); },
      [&] {
        CDrawDoc doc;
        doc.m_bAutoDelete = FALSE;
        Draw(doc, RGB(200, 0, 0));
        doc.EnableCompoundFile(FALSE);
        return Save(doc, "plain.drw");
      });
}

TEST_F(DrawDocWriterFailureTest, ACompoundFileSavedOverAnother) {
  const std::string old = Saved("doc.drw", true);
  SweepWriteFailures(
      "diagram, compound (save as)", folder.path(),
      [&] { testsupport::PutFileBytes(folder.File("doc.drw"), old); },
      [&] {
        CDrawDoc doc;
        doc.m_bAutoDelete = FALSE;
        Draw(doc, RGB(200, 0, 0));
        const WriteOutcome outcome = Save(doc, "doc.drw");
        doc.OnCloseDocument();
        return outcome;
      });
}

TEST_F(DrawDocWriterFailureTest, TheCompoundFileItWasOpenedFrom) {
  const std::string old = Saved("doc.drw", true);
  std::unique_ptr<CDrawDoc> doc;
  auto reset = [&] {
    if (doc) doc->OnCloseDocument();
    doc.reset();
    testsupport::PutFileBytes(folder.File("doc.drw"), old);
    doc = std::make_unique<CDrawDoc>();
    doc->m_bAutoDelete = FALSE;
    ASSERT_TRUE(doc->OnOpenDocument(Wide("doc.drw")));
  };
  SweepWriteFailures("diagram, compound (save)", folder.path(), reset, [&] {
    CDrawObj* first = doc->GetDiagram()->GetObjects().GetHead();
    EXPECT_TRUE(first->SetFillColor(RGB(0, 200, 0)));
    return Save(*doc, "doc.drw");
  });
  if (doc) doc->OnCloseDocument();
}

}  // namespace
