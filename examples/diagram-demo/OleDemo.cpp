#include "examples/diagram-demo/OleDemo.h"

#include <string>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawItem.h"
#include "diagram/model/objects/DrawOleObj.h"
#include "diagram/ui/DrawView.h"
#include "examples/diagram-demo/DemoSupport.h"
#include "platform/core/Charset.h"
#include "platform/ole/NoteKind.h"
#include "platform/ole/OleDialogIds.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/UserInput.h"
#include "platform/ui/WinUser.h"

namespace fs = std::filesystem;

namespace demo {

namespace {

// The note objects of the document's diagram.
CDrawOleObj* FirstOleObject(CDrawDoc& doc) {
  const CDrawList& objects = doc.GetDiagram()->GetObjects();
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    if (auto* ole = DYNAMIC_DOWNCAST(CDrawOleObj, objects.GetNext(pos))) return ole;
  }
  return nullptr;
}

std::string NoteText(const COleClientItem* item) {
  return std::string(item->GetData().begin(), item->GetData().end());
}

}  // namespace

void RunOleDemo(const fs::path& folder) {
  std::printf("OLE objects\n");
  const std::string path = (folder / "ole-note.drw").string();
  const CStringW widePath(platform::Utf8ToUtf16(path).c_str());
  const std::string text = "A note embedded in the diagram\nsaved in its own storage";
  {
    CDrawDoc doc;
    CDrawView view;
    doc.AddView(&view);
    bool made = view.CreateEx(0, u"AfxWnd", u"ole", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 700), nullptr,
                              0) != FALSE;
    Check(made, "a view of a new diagram");
    if (!made) {
      doc.RemoveView(&view);
      return;
    }
    view.OnInitialUpdate();
    view.SetActive(TRUE);
    doc.GetDiagram()->SetLastClickPoint(CPoint(-200, 100));
    {
      // The user picks "Note" in the insert-object dialog.
      platform::ScopedModalDriver driver([](platform::ModalSession& s) {
        s.Choose(IDC_IO_OBJECTTYPELIST, 0);
        s.Click(IDOK);
      });
      view.SendMessage(WM_COMMAND, 57856);
    }
    CDrawOleObj* note = FirstOleObject(doc);
    CDrawItem* item = note ? note->GetItem() : nullptr;
    Check(item && item->IsInPlaceActive(), "a note object inserted and active in place in the view");
    if (item) {
      platform::EnterText(::GetDlgItem(item->GetServerWindow(), platform::kNoteEditId), CStringW(u"A note"));
      view.SendMessage(WM_COMMAND, 57006);
      Check(!item->IsInPlaceActive() && NoteText(item) == "A note", "  a first text typed in place and kept");
      // Opened in its own window (a double click with Control held), the
      // note gets its whole text; the object grows with the note.
      item->DoVerb(OLEIVERB_OPEN, &view);
      CStringW typed(platform::Utf8ToUtf16(text).c_str());
      typed.Replace(u"\n", u"\r\n");
      platform::EnterText(::GetDlgItem(item->GetServerWindow(), platform::kNoteEditId), typed);
      platform::CloseWindowByUser(item->GetServerWindow());
      Check(!item->IsOpen() && NoteText(item) == text, "  its whole text typed in its own window and kept");
      Check(note->GetPosition().Width() == 300, "  the object three times as wide for 30 characters a line");
    }
    Check(doc.OnSaveDocument(widePath.GetString()) != FALSE, "saved as a compound document to " + path);
    view.DestroyWindow();
    doc.RemoveView(&view);
  }
  CDrawDoc loaded;
  Check(loaded.OnOpenDocument(widePath.GetString()) != FALSE, "loaded back");
  CDrawOleObj* note = FirstOleObject(loaded);
  Check(note && note->GetItem() && NoteText(note->GetItem()) == text, "  the note and its text are there");
  CDrawView view;
  const std::string picture = (folder / "ole-note.png").string();
  Check(PaintInView(loaded, view, u"ole", CRect(0, 0, 900, 700), picture), "painted to " + picture);
}

}  // namespace demo
