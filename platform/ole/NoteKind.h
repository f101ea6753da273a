// The note kind's editor: the id of its edit control in the server window.
#pragma once

namespace platform {

constexpr int kNoteEditId = 100;

}  // namespace platform
