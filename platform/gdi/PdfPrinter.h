// The printer back end: a printer whose pages go to a PDF file through
// Cairo's PDF surface. The device mode sets the paper, the orientation and
// the resolution; drawing is in device units (dots) of that resolution. As on
// a real printer the paper has an unprintable margin on every side: device
// point (0, 0) is the printable area's top-left corner (PHYSICALOFFSETX/Y on
// the paper), HORZRES/VERTRES and HORZSIZE/VERTSIZE measure the printable
// area, and nothing is drawn beyond it.
#pragma once

#include <memory>
#include <string>

#include "platform/gdi/DeviceCaps.h"
#include "platform/gdi/DrawingSurface.h"
#include "platform/gdi/GdiTypes.h"

typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo cairo_t;

namespace platform {

struct PrinterSettings {
  std::u16string deviceName = u"Scrivel PDF Printer";
  int paperSize = DMPAPER_A4;
  // The paper in tenths of a millimetre, portrait (width <= length).
  int paperWidth = 2100;
  int paperLength = 2970;
  int orientation = DMORIENT_PORTRAIT;
  int dpiX = 600;
  int dpiY = 600;
  int copies = 1;
  // The unprintable margin on each side of the paper, in tenths of a
  // millimetre (a quarter of an inch).
  int margin = 64;
};

// The printer's settings with a device mode's fields applied (those its
// dmFields names); an unknown paper size keeps the current paper.
PrinterSettings ApplyDevMode(PrinterSettings settings, const DEVMODEW& mode);
DEVMODEW MakeDevMode(const PrinterSettings& settings);
DeviceCaps PrinterCaps(const PrinterSettings& settings);
// The paper of a DMPAPER_ number in tenths of a millimetre; false if unknown.
bool PaperDimensions(int paperSize, int* width, int* length);

// The printer the application uses by default, and the folder where a job
// goes when its DOCINFO names no output file (the current folder at first).
PrinterSettings DefaultPrinterSettings();
void SetDefaultPrinterSettings(const PrinterSettings& settings);
std::string PrinterOutputFolder();
void SetPrinterOutputFolder(const std::string& utf8Folder);

class PdfPrinter : public DrawingSurface {
 public:
  explicit PdfPrinter(const PrinterSettings& settings);
  ~PdfPrinter() override;
  PdfPrinter(const PdfPrinter&) = delete;
  PdfPrinter& operator=(const PdfPrinter&) = delete;

  const PrinterSettings& Settings() const { return settings_; }
  // A job written to a temporary file beside `utf8Path`, renamed to it when
  // the job ends, so that a failed or aborted job leaves no file behind.
  bool StartDoc(const std::string& utf8Path);
  bool StartPage();
  bool EndPage();
  bool EndDoc();
  void AbortDoc();
  bool InDoc() const { return surface_ != nullptr; }
  bool InPage() const { return inPage_; }
  int PagesDone() const { return pages_; }

  SIZE PixelSize() const override;
  void Draw(const DrawOp& op) override;
  bool Accepting() const override { return inPage_; }

 private:
  PrinterSettings settings_;
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
  std::string path_, tempPath_;
  bool inPage_ = false;
  bool failed_ = false;
  int pages_ = 0;
};

}  // namespace platform
