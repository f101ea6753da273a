// The texts that a block or a port owns (its name, label, value...): each
// sits in a field of its owner and is registered so that the field is
// cleared while the text is deleted elsewhere.
#pragma once

#include "diagram/model/objects/DrawText.h"

namespace owned_text {

// Registers the text in the slot as the slot's. A text that another slot
// already holds (a damaged stream naming one text twice) is not taken: the
// slot is cleared, so that no text has two owners.
inline void Claim(CDrawText*& slot) {
  if (!slot) return;
  CDrawText** holder = slot->GetPointerToNullOnDelete();
  if (holder && holder != &slot && *holder == slot) {
    slot = nullptr;
    return;
  }
  slot->SetPointerToNullOnDelete(&slot);
}

// A copy of the source's text for the slot (null for none).
inline void CopyInto(CDrawText*& slot, const CDrawText* source) {
  slot = source ? new CDrawText(*source) : nullptr;
  if (slot) slot->SetPointerToNullOnDelete(&slot);
}

// Destroys the slot's text, when there is one.
inline void Destroy(CDrawText*& slot) {
  CDrawText* text = slot;
  slot = nullptr;
  delete text;
}

}  // namespace owned_text
