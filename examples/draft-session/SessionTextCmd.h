// The example host's own text command: the library has no command that
// writes a text, so the host offers one to draw notes and the texts of a
// table drawn as lines. A text typed on the command line (`type`) becomes
// the text; each click then places it there (its lower left corner, 3.5
// drawing units high) as one undo step. The right button ends the command.
#pragma once

#include "draft/framework/CmdBase.h"
#include "platform/core/String.h"

namespace draftsession {

class CSessionTextCmd : public CCmdBase {
 public:
  explicit CSessionTextCmd(int id);

  // The typed text becomes the text that clicks place.
  int OnTypedPoint(CDraftView* view, const char* text) override;
  void Execute(CDraftView* view) override;

  const CStringA& GetText() const { return text_; }

 private:
  CStringA text_;
};

}  // namespace draftsession
