// Writes the selected entities to a file of one of three kinds, chosen in a
// save dialog: a block file (*.gdf) whose base point the user then clicks,
// or a title-block (*.btl) or title-block annex file (*.btf), written at
// once with every compound decomposed and no base point. The file is the
// host's drawing file of a scratch drawing holding copies of the entities
// in copies of their groups.
#pragma once

#include "draft/framework/SelectCmdBase.h"

class CSaveBlockCmd : public CSelectCmdBase {
 public:
  CSaveBlockCmd(int id, CDraftView* view, int selectAnew, int deselectMode);

  int OnRButton(CDraftView* view) override;
  // Asks for the file; true waits for the base point (a block file), false
  // ends the command.
  int ProcessSelection(CDraftView* view) override;
  // Writes the file, a block file with the click as its base point.
  int OnProcessClick(CDraftView* view) override;
  int OnProcessRButton(CDraftView* view) override;

  const CString& GetFilePath() const { return path_; }
  int GetFileKind() const { return kind_; }

 private:
  // Back to selecting with nothing selected.
  void BackToSelecting(CDraftView* view);

  CString path_;
  int kind_ = 1;
};
