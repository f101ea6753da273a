// The technical-requirements command: the editor dialog (seeded with the
// drawing's requirement block, if any) gives the title and items, then the
// block previews at the cursor and a click places it on the layer of line
// kind 12 in the drawing's attribute group, laid out with the heights and
// the spacing of the settings.
//
// The confirmed dialog takes the drawing's earlier block out; the placement
// records the earlier and the new block as one replace step. A command
// abandoned after the dialog (the right button before the click, or End)
// puts the earlier block back.
#pragma once

#include "draft/framework/CmdBase.h"
#include "platform/core/StringArray.h"

class CEntity;
class CTextAttrib;

class CTecReqCmd : public CCmdBase {
 public:
  explicit CTecReqCmd(int id);
  ~CTecReqCmd() override;

  int Begin(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;
  int End(CDraftView* view) override;

  const CStringA& GetTitle() const { return title_; }
  const CStringArrayA& GetItems() const { return items_; }
  // The drawing's earlier block while it is out of the drawing (null when
  // there was none, after the placement, or when it went back).
  CEntity* GetExistingBlock() const { return existing_; }

 private:
  // The title and item attributes from the drawing's text font, their
  // heights the settings' times the group scale when `scaled`.
  void MakeAttributes(CDraftView* view, CTextAttrib& title, CTextAttrib& item, bool scaled) const;
  void RestoreExisting(CDraftView* view);

  CStringA title_;
  CStringArrayA items_;
  CEntity* existing_ = nullptr;
  // The view `existing_` was taken out of.
  CDraftView* takenFrom_ = nullptr;
};
