// Inserts a stored drawing group into the drawing. Begin loads the group's
// entities into the selection list, which the command owns while it runs
// (selection tracking off): they are dragged with the cursor (TAB turns
// them by 90 degrees) and placed at a clicked base point, optionally with
// a scale and an angle given next. The drawing's lines hidden behind the
// placed group may be removed, over its outline (automatic) or over regions
// the user clicks. The placed entities form one block in the target group
// (the current group, or a new one with a unique name and attributes);
// entities of the group "系统图组" go into the drawing directly. One undo
// record a placement; with continuous insertion the group is placed again
// at the next click.
#pragma once

#include <memory>

#include "draft/framework/CmdBase.h"
#include "draft/host/EntityList.h"
#include "platform/core/String.h"

class CAttributeItemList;
class CDrawingGroup;
class CGroupTable;
struct CInsertContext;

// The creator's attribute record of the new group.
struct InsertGroupAttrib {
  CString name;
  CString remark;
  CString material;
  DWORD reserved = 0;
  double weight = 0.0;
};

class CInsertGroupCmd : public CCmdBase {
 public:
  // mode 1: the record gives the new group's attributes; 2: the drawing's
  // named attributes are copied and no block is formed; 3: the group comes
  // from the drawing file the drawing service names; other: the source
  // groups' attributes. `intoGroupWord` is overwritten by Begin.
  CInsertGroupCmd(CDraftView* view, int id, int hideOption, CString groupName, DWORD loadOption, DWORD intoGroupWord,
                  CString targetName, int mode, const InsertGroupAttrib* attrib);
  ~CInsertGroupCmd() override;

  int Begin(CDraftView* view) override;
  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;
  // ---- New operation: drops the hide range's boundary (erased first when
  // a view is given and a range was given) and, with a view, empties the
  // view's registered-entity list; hide range given is cleared.
  virtual void ReleaseHideRange(CDraftView* view);

  // Makes the target group: a name no group of the view has yet, the
  // current group's scale (1.0 in mode 2 or without one). FALSE when none
  // can be made.
  BOOL MakeTargetGroup(CDraftView* view);

  const CString& GetGroupName() const { return groupName_; }
  CDrawingGroup* GetTargetGroup() const { return target_; }
  int IsPickingHideRange() const { return pickingRange_; }
  double GetBaseX() const { return baseX_; }
  double GetBaseY() const { return baseY_; }

 protected:
  // Loads the group of the current name into the selection list; the load's
  // result (0: failed).
  int LoadGroup(CDraftView* view);
  // Steps 4 to 10 of a load: the target group, the base point and the
  // loaded entities moved into the target group. FALSE when nothing usable
  // was loaded or no target group can be had.
  BOOL PrepareLoaded(CDraftView* view, int loadResult);
  // After a placement: whether the command is done. The list command moves
  // on to its next name here.
  virtual bool AfterPlacement(CDraftView* view);
  // Frees the dragged entities (the command's selection list).
  void DestroyDragged(CDraftView* view);

  CString groupName_;

 private:
  void Place(CDraftView* view);
  void AddAttributes(CDraftView* view);
  void CopyTitleAttributes(CDraftView* view);
  // Puts the target group into the drawing's group table (the command no
  // longer owns it); the entities in it move to the table's group.
  void HandOverTarget(CDraftView* view);
  // The drawing's lines under the placed group, found over its outline:
  // into the record and the old and new lists.
  void HideAutomatically(CDraftView* view, CUndoRecord* record, CEntityList& oldList, CEntityList& newList);
  void FreeLoaded();

  DWORD loadOption_;
  int hideOption_;
  int intoCurrentGroup_ = 0;
  double baseX_ = 0.0;
  double baseY_ = 0.0;
  int mode_;
  CString targetName_;
  CInsertContext* context_;
  double insertScale_ = 1.0;
  double insertAngle_ = 0.0;
  double offsetX_ = 0.0;
  double offsetY_ = 0.0;
  int askAngle_ = 0;
  int askScale_ = 0;
  int continuous_ = 0;
  int pickingRange_ = 0;
  int rangeGiven_ = 0;
  bool placing_ = false;  // the base point (and scale and angle) taken
  CEntityList rangeBoundary_;  // owned
  CEntityList rangeRegions_;   // the drawing's entities the boundary lies on
  CEntityList fileGroups_;     // owned; filled by no load of this host
  InsertGroupAttrib attrib_;
  CGroupTable* loadedGroups_;
  CAttributeItemList* fileData_;
  CDrawingGroup* target_ = nullptr;
  bool ownsTarget_ = false;
  CDraftView* savedView_;
};
