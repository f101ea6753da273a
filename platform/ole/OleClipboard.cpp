#include "platform/ole/OleClipboard.h"

#include "platform/ole/OleDataSource.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"

namespace {

constexpr const WCHAR* kWindowClass = u"ScrivelOleClipboardWindow";

struct OleClipboardState {
  HWND window = nullptr;
  LPDATAOBJECT data = nullptr;  // one reference held
  COleDataSource* source = nullptr;
};

OleClipboardState& State() {
  static OleClipboardState* s = new OleClipboardState;  // outlives static destructors
  return *s;
}

void LetGoOfData() {
  OleClipboardState& s = State();
  LPDATAOBJECT data = s.data;
  s.data = nullptr;
  s.source = nullptr;
  if (data) data->Release();
}

// Renders `format` from the data object into the clipboard, which the
// reader holds open.
void RenderInto(LPDATAOBJECT data, UINT format) {
  FORMATETC request = MakeFormatEtc(static_cast<CLIPFORMAT>(format));
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&request, &medium))) return;
  if (medium.tymed == TYMED_HGLOBAL && !medium.pUnkForRelease) {
    if (SetClipboardData(format, medium.hGlobal)) return;  // the clipboard owns the block now
  }
  ReleaseStgMedium(&medium);
}

LRESULT ClipboardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  OleClipboardState& s = State();
  switch (message) {
    case WM_RENDERFORMAT:
      if (s.data) RenderInto(s.data, static_cast<UINT>(wParam));
      return 0;
    case WM_DESTROYCLIPBOARD:
      LetGoOfData();
      return 0;
    case WM_DESTROY:
      if (window == s.window) {
        LetGoOfData();
        s.window = nullptr;
      }
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND ClipboardWindow() {
  OleClipboardState& s = State();
  if (s.window && IsWindow(s.window)) return s.window;
  WNDCLASSW existing{};
  if (!GetClassInfoW(nullptr, kWindowClass, &existing)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ClipboardWindowProc;
    wc.lpszClassName = kWindowClass;
    RegisterClassW(&wc);
  }
  s.window = CreateWindowExW(0, kWindowClass, u"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  return s.window;
}

// A data object over whatever the process clipboard holds: each read opens
// the clipboard, copies the block and closes it again.
class ClipboardReader : public IDataObject {
 public:
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    if (--refs_ == 0) {
      delete this;
      return 0;
    }
    return refs_;
  }
  HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) override {
    if (!format || !medium) return E_INVALIDARG;
    if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!OpenClipboard(nullptr)) return CLIPBRD_E_CANT_OPEN;
    HANDLE block = GetClipboardData(format->cfFormat);
    HGLOBAL copy = block ? CopyGlobalBlock(block) : nullptr;
    CloseClipboard();
    if (!block) return DV_E_FORMATETC;
    if (!copy) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT QueryGetData(const FORMATETC* format) override {
    if (!format) return E_INVALIDARG;
    if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    return IsClipboardFormatAvailable(format->cfFormat) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT EnumFormatEtc(std::vector<FORMATETC>& formats) override {
    formats.clear();
    if (!OpenClipboard(nullptr)) return CLIPBRD_E_CANT_OPEN;
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f))
      formats.push_back(MakeFormatEtc(static_cast<CLIPFORMAT>(f)));
    CloseClipboard();
    return S_OK;
  }

 private:
  ~ClipboardReader() override = default;
  ULONG refs_ = 1;
};

bool OwnsClipboard() {
  OleClipboardState& s = State();
  return s.data && s.window && GetClipboardOwner() == s.window;
}

}  // namespace

HRESULT OleSetClipboard(LPDATAOBJECT data) {
  OleClipboardState& s = State();
  if (!data) {
    if (!OwnsClipboard()) return S_OK;
    if (!OpenClipboard(s.window)) return CLIPBRD_E_CANT_OPEN;
    EmptyClipboard();  // lets the data object go
    CloseClipboard();
    return S_OK;
  }
  HWND window = ClipboardWindow();
  if (!window) return CLIPBRD_E_CANT_SET;
  if (!OpenClipboard(window)) return CLIPBRD_E_CANT_OPEN;
  // Emptying tells the previous owner, which may be this layer's window
  // letting go of the data object it held (perhaps this one: the new
  // reference is taken first).
  data->AddRef();
  EmptyClipboard();
  s.data = data;
  s.source = nullptr;
  std::vector<FORMATETC> formats;
  data->EnumFormatEtc(formats);
  for (const FORMATETC& f : formats) {
    if ((f.tymed & TYMED_HGLOBAL) && f.dwAspect == DVASPECT_CONTENT) SetClipboardData(f.cfFormat, nullptr);
  }
  CloseClipboard();
  return S_OK;
}

HRESULT OleGetClipboard(LPDATAOBJECT* data) {
  if (!data) return E_INVALIDARG;
  if (OwnsClipboard()) {
    State().data->AddRef();
    *data = State().data;
    return S_OK;
  }
  *data = new ClipboardReader;
  return S_OK;
}

HRESULT OleFlushClipboard() {
  OleClipboardState& s = State();
  if (!OwnsClipboard()) return S_OK;
  if (!OpenClipboard(s.window)) return CLIPBRD_E_CANT_OPEN;
  std::vector<FORMATETC> formats;
  s.data->EnumFormatEtc(formats);
  for (const FORMATETC& f : formats) {
    if ((f.tymed & TYMED_HGLOBAL) && f.dwAspect == DVASPECT_CONTENT) RenderInto(s.data, f.cfFormat);
  }
  LetGoOfData();
  CloseClipboard();
  return S_OK;
}

HRESULT OleIsCurrentClipboard(LPDATAOBJECT data) {
  return data && OwnsClipboard() && State().data == data ? S_OK : S_FALSE;
}

namespace platform {

COleDataSource* CurrentClipboardSource() { return OwnsClipboard() ? State().source : nullptr; }

void NoteClipboardSource(LPDATAOBJECT data, COleDataSource* source) {
  if (OwnsClipboard() && State().data == data) State().source = source;
}

}  // namespace platform
