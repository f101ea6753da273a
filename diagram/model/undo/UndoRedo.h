// CUndoRedo: the base of the undo records. A record captures the state that
// an imminent change destroys and puts it back in DoUndo, through the same
// operations an ordinary edit uses, so that the replay records the inverse
// change. Records are owned by the CURList that holds them.
#pragma once

#include <functional>
#include <memory>

#include "platform/core/Object.h"

class CDrawDoc;

class CUndoRedo : public CObject {
  DECLARE_DYNAMIC(CUndoRedo)

 public:
  CUndoRedo() = default;
  ~CUndoRedo() override = default;

  // Puts the captured state back; the base record does nothing.
  virtual void DoUndo();

  // The recording depth of the document when the record was added.
  UINT GetLevel() const { return m_nLevel; }
  void SetLevel(UINT level) { m_nLevel = level; }

  // Records an empty step on the document: the command gets an entry that
  // changes nothing when undone.
  static int RecordUndo(CDrawDoc* document);

 protected:
  // The pattern every RecordUndo follows: without a document nothing is
  // recorded (true); else a recording named after the record class is
  // opened (refused: false), the record that `make` builds is added unless
  // recording is disabled, and the recording is closed. A record that
  // cannot be built for want of memory closes the recording and gives false;
  // any other failure while building or adding it closes the recording and
  // goes on to the caller.
  static int Record(CDrawDoc* document, const CRuntimeClass* recordClass,
                    const std::function<std::unique_ptr<CUndoRedo>()>& make);

 private:
  UINT m_nLevel = 0;
};
