// The clipboard of data objects, over the process clipboard
// (platform/ui/Clipboard.h). Setting a data object lists its formats that
// travel in global memory on the clipboard, to be rendered on demand: a
// hidden window of this layer owns the clipboard and renders a format from
// the data object when a reader first asks for it (WM_RENDERFORMAT). When
// anyone empties the clipboard the data object is let go.
#pragma once

#include "platform/ole/DataTransfer.h"

class COleDataSource;

// Puts `data` on the clipboard (taking a reference of its own); null empties
// the clipboard when a data object owns it. CLIPBRD_E_CANT_OPEN when the
// clipboard is held open.
HRESULT OleSetClipboard(LPDATAOBJECT data);
// The clipboard as a data object (a new reference for the caller): the data
// object that was set, while it still owns the clipboard, else a reader of
// whatever the clipboard holds.
HRESULT OleGetClipboard(LPDATAOBJECT* data);
// Renders every format of the data object that owns the clipboard into it
// and lets the data object go; the data stay on the clipboard.
HRESULT OleFlushClipboard();
// S_OK when `data` owns the clipboard, else S_FALSE.
HRESULT OleIsCurrentClipboard(LPDATAOBJECT data);

namespace platform {
// The data source whose data object owns the clipboard, or null.
COleDataSource* CurrentClipboardSource();
// Tells which data source offers `data`, when it owns the clipboard.
void NoteClipboardSource(LPDATAOBJECT data, COleDataSource* source);
}  // namespace platform
