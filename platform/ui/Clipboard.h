// The clipboard of the process: data blocks by format number, reached
// between OpenClipboard and CloseClipboard. One window at a time holds it
// open; an open by another window is refused until it closes. The data are
// global-memory blocks (platform/core/GlobalMemory.h) that the clipboard
// owns once set: EmptyClipboard and a later set of the same format free
// them, and GetClipboardData lends them out.
//
// CF_TEXT (multibyte, GBK) and CF_UNICODETEXT (UTF-16) stand for each
// other: when only one of them was set, asking for the other converts the
// text up to its terminator into a new block, which the clipboard then
// keeps like set data. Registered formats (ClipboardFormats.h) are data of
// their own. A null block set for a format is rendered on demand: the owner
// window receives WM_RENDERFORMAT when the format is first asked for and
// sets the data then.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/ui/ClipboardFormats.h"

#define CF_TEXT 1
#define CF_BITMAP 2
#define CF_METAFILEPICT 3
#define CF_DIB 8
#define CF_UNICODETEXT 13
#define CF_ENHMETAFILE 14

#ifndef WM_RENDERFORMAT
#define WM_RENDERFORMAT 0x0305
#define WM_DESTROYCLIPBOARD 0x0307
#endif

// Opens the clipboard for `owner` (null: for no window). FALSE when another
// window (or, for null, any window) holds it open, or `owner` is not a
// window. Opening again for the window that holds it succeeds.
BOOL OpenClipboard(HWND owner);
// Closes it; FALSE when it was not open.
BOOL CloseClipboard();
// Frees every block and makes the window that holds it open its owner (the
// previous owner receives WM_DESTROYCLIPBOARD first). FALSE when not open.
BOOL EmptyClipboard();
// Puts `data` in place of what `format` held (freed). Returns `data`, or
// null when the clipboard is not open or the format is 0. For a null `data`
// (rendered on demand) the result is null as well and the format is listed.
HANDLE SetClipboardData(UINT format, HANDLE data);
// The block of `format`, still owned by the clipboard; null when the
// clipboard is not open or the format is not available.
HANDLE GetClipboardData(UINT format);
// TRUE when `format` can be had (set, renderable, or the other text format).
BOOL IsClipboardFormatAvailable(UINT format);
// The number of formats listed, the converted text format included.
int CountClipboardFormats();
// The format after `format` (0 starts), in the order they were set; 0 at
// the end or when the clipboard is not open.
UINT EnumClipboardFormats(UINT format);
// The owner (set by EmptyClipboard) and the window that holds it open.
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();

#include <string>

namespace platform {
// What a paste into an edit field takes: the clipboard's text (opened for
// `window` and closed again), up to its first line break when
// `singleLine`. False when the clipboard cannot be opened or holds no text.
bool ReadClipboardTextForPaste(HWND window, bool singleLine, std::u16string& text);
}  // namespace platform
