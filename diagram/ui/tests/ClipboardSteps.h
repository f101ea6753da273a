// The rows of the edit-session generator that copy, cut, paste and drag
// objects through the clipboard and the drag loop (see EditSession.h).
#pragma once

namespace editseq {

class Session;

// Copies up to three objects and pastes them, at the last click or at
// another point.
void CopyAndPaste(Session& s);
// Cuts up to three objects.
void Cut(Session& s);
// Pastes what the clipboard holds, when it holds the diagram's data.
void Paste(Session& s);
// Drags an object with Shift (an OLE drag) to another point of the view,
// moving it, copying it with Control, or cancelling.
void DragAndDrop(Session& s);

}  // namespace editseq
