// The text command. In the new-text mode (a nonzero mode) Korrin's text
// dialog asks for a text, which follows the cursor and is placed at each
// click on the layer of line kind 12; TAB turns it by 90 degrees a press
// (the first press gives 0), and after each text the dialog asks for the
// next (Cancel ends the command). In the edit mode (mode 0) a click opens
// the picked text in the same dialog and replaces it by the edited one as
// one undo step; a text of a dimension whose value array holds it is edited
// as the dimension's parts in the dimension-value editor instead, and the
// whole dimension is replaced.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/TextAttrib.h"
#include "platform/core/String.h"

class CDimensionEntity;
class CTextEntity;

class CPlaceTextCmd : public CCmdBase {
 public:
  CPlaceTextCmd(int id, int mode);

  int Begin(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;

  // Edits `text` of `dimension` through the dimension-value editor: 1 when
  // the edit has handled the text (confirmed, cancelled, or a failed clone
  // leaving the drawing as it was), 0 when the value array does not hold
  // the text's string.
  int EditDimensionText(CDraftView* view, CDimensionEntity* dimension, CTextEntity* text);

  // The angle a TAB count gives: ((count − 1) mod 4) × 90 for a count above
  // 0; `own` for none.
  static double TabAngle(int tabCount, double own);

  const CStringA& GetText() const { return text_; }

 private:
  // Asks for the next text: false on Cancel.
  bool AskText(CDraftView* view);
  CTextAttrib CurrentAttrib(CDraftView* view) const;
  void PlaceText(CDraftView* view);
  void EditText(CDraftView* view);
  void Reset();

  CStringA text_;
  int mode_;
};
