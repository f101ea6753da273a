// CDC: print jobs on a printer DC.
#include <filesystem>

#include "platform/core/Charset.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DcState.h"
#include "platform/gdi/PdfPrinter.h"

namespace {

// A file name made from a document name: characters that cannot be in a
// file name become '_'.
std::string FileNameFor(const std::u16string& docName) {
  std::u16string name = docName.empty() ? u"document" : docName;
  for (auto& c : name) {
    if (c < 0x20 || c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' ||
        c == u'>' || c == u'|') {
      c = u'_';
    }
  }
  return platform::Utf16ToUtf8(name) + ".pdf";
}

std::u16string Wide(LPCSTR s) { return s ? platform::GbkToUtf16(s) : std::u16string(); }
std::u16string Wide(LPCWSTR s) { return s ? std::u16string(s) : std::u16string(); }

}  // namespace

int CDC::BeginDoc(const std::u16string& docName, const std::u16string& output) {
  auto s = State();
  if (!s || !s->printer || s->printer->InDoc()) return SP_ERROR;
  std::string path;
  if (!output.empty()) {
    path = platform::Utf16ToUtf8(output);
  } else {
    path = (std::filesystem::path(platform::PrinterOutputFolder()) / FileNameFor(docName)).string();
  }
  if (!s->printer->StartDoc(path)) return SP_ERROR;
  return 1;
}

int CDC::StartDoc(const DOCINFOW* docInfo) {
  if (!docInfo) return SP_ERROR;
  return BeginDoc(Wide(docInfo->lpszDocName), Wide(docInfo->lpszOutput));
}

int CDC::StartDoc(const DOCINFOA* docInfo) {
  if (!docInfo) return SP_ERROR;
  return BeginDoc(Wide(docInfo->lpszDocName), Wide(docInfo->lpszOutput));
}

int CDC::StartDoc(LPCSTR docName) { return BeginDoc(Wide(docName), u""); }
int CDC::StartDoc(LPCWSTR docName) { return BeginDoc(Wide(docName), u""); }

int CDC::StartPage() {
  auto s = State();
  return s && s->printer && s->printer->StartPage() ? 1 : SP_ERROR;
}

int CDC::EndPage() {
  auto s = State();
  return s && s->printer && s->printer->EndPage() ? 1 : SP_ERROR;
}

int CDC::EndDoc() {
  auto s = State();
  return s && s->printer && s->printer->EndDoc() ? 1 : SP_ERROR;
}

int CDC::AbortDoc() {
  auto s = State();
  if (!s || !s->printer || !s->printer->InDoc()) return SP_ERROR;
  s->printer->AbortDoc();
  return 1;
}
