// Reads arbitrary bytes as a diagram document: as the archive of a document
// (the plain stream), and, when the bytes are a compound file, as a
// document file opened and saved through the storage. Reading may only fail
// with the framework's exceptions; every object a damaged stream made is
// freed (the sanitizers check), and nothing hangs (the time limit checks).
// A stream that loads is stored again, and what was stored must load and
// store to the same bytes.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "platform/core/Archive.h"
#include "platform/core/Charset.h"
#include "platform/core/MemFile.h"
#include "platform/core/MessageBox.h"

extern "C" void _InitScrivel();

namespace {

// The files of this process (forked fuzzers run side by side), removed
// after each input.
std::string FilePath(const char* name) {
  return "/tmp/scrivel-fuzz-document-" + std::to_string(::getpid()) + "-" + name;
}

CStringW WidePath(const char* name) { return CStringW(platform::Utf8ToUtf16(FilePath(name)).c_str()); }

std::vector<BYTE> Store(CDrawDoc& doc) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
    ar.Close();
  }
  std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  if (!bytes.empty()) file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

// Loads the bytes into the document; false when the stream is refused.
bool Load(CDrawDoc& doc, std::vector<BYTE> bytes) {
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  ar.m_pDocument = &doc;
  try {
    doc.Serialize(ar);
    return true;
  } catch (CException&) {
    // A damaged stream is refused; as the document's open does, the
    // document is emptied.
    doc.DeleteContents();
    return false;
  }
}

// Whether every object lies on the canvas. Objects larger than the canvas
// are moved by every load (as far as they can be), so only a diagram on its
// canvas must come back byte for byte.
bool AllOnCanvas(CDiagram& diagram) {
  CRect canvas = diagram.GetRect();
  canvas.NormalizeRect();
  for (POSITION pos = diagram.GetObjects().GetHeadPosition(); pos;) {
    CRect r = diagram.GetObjects().GetNext(pos)->GetBoundingRect();
    r.NormalizeRect();
    if (r.left < canvas.left || r.right > canvas.right || r.top < canvas.top || r.bottom > canvas.bottom) return false;
  }
  return true;
}

void FromStream(const uint8_t* data, size_t size) {
  CDrawDoc doc;
  if (!Load(doc, std::vector<BYTE>(data, data + size))) return;
  const std::vector<BYTE> stored = Store(doc);
  CDrawDoc again;
  if (!Load(again, stored)) std::abort();
  if (again.GetDiagram()->GetObjects().GetCount() != doc.GetDiagram()->GetObjects().GetCount()) std::abort();
  if (AllOnCanvas(*doc.GetDiagram()) && Store(again) != stored) std::abort();
}

bool IsCompoundFile(const uint8_t* data, size_t size) {
  static const uint8_t kSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  return size >= sizeof kSignature && std::equal(kSignature, kSignature + sizeof kSignature, data);
}

void FromFile(const uint8_t* data, size_t size) {
  {
    std::ofstream out(FilePath("in.drw"), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  {
    CDrawDoc doc;
    if (doc.OnOpenDocument(WidePath("in.drw"))) {
      // Saved over itself and under another name, and read back.
      if (!doc.OnSaveDocument(WidePath("in.drw"))) std::abort();
      if (!doc.OnSaveDocument(WidePath("out.drw"))) std::abort();
    } else if (!doc.GetDiagram()->GetObjects().IsEmpty()) {
      std::abort();
    }
  }
  CDrawDoc reread;
  if (::access(FilePath("out.drw").c_str(), F_OK) == 0 && !reread.OnOpenDocument(WidePath("out.drw"))) std::abort();
  ::unlink(FilePath("in.drw").c_str());
  ::unlink(FilePath("out.drw").c_str());
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
    FromStream(data, size);
    if (IsCompoundFile(data, size)) FromFile(data, size);
  } catch (...) {
    std::abort();  // anything that escapes is a fault
  }
  return 0;
}
