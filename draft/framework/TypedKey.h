// The key that opened a value dialog (a digit or a sign typed in the view)
// becomes the first text of the dialog's edit, with the focus there and the
// caret after it, so that the user goes on typing the number.
#pragma once

#include "platform/core/String.h"

class CWnd;

// The text of a typed key: the character itself, or empty for none (0)
// and for anything that is not a single-byte character.
CStringA TypedKeyText(UINT ch);

// Writes the key's text into the dialog's edit `editId`, gives the edit the
// focus and puts the caret at the end. False when there is no key text
// (nothing changed); a dialog's OnInitDialog then returns FALSE, having set
// the focus itself, only on true.
bool StartEditWithTypedKey(CWnd& dialog, int editId, UINT ch);
