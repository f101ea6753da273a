// Korrin's editors of texts and dimension values, shared by the entity
// editors (CEntity::EditInDialog) and the text command's edit mode.
//
// EditTextEntity opens a text in the text dialog ("修改文本", its attributes
// handed over) under Korrin's resources and makes the edited text: the same
// layer, group and owner, placed again at its point, or in its box by its
// code when it was placed in one. Null when the dialog is cancelled, when
// neither the text nor the attributes changed, or when the text is empty
// after conversion. `convert` passes the typed text through the font
// manager's ConvertText first.
//
// EditDimensionValue edits a dimension's value text `text` (a direct member
// whose string the value array holds) as the dimension's parts in the
// dimension-value editor and makes an edited copy of the whole dimension:
// the six parts of that entry replaced and the text replaced by one showing
// the new value. It returns 0 when the value array does not hold the text's
// string (nothing shown); otherwise 1 with `replacement` the copy (the
// caller's), or null when the editor was cancelled, nothing changed, or the
// dimension could not be copied.
//
// ReplaceDimensionText makes a copy of `dimension` with its member `text`
// replaced by `edited` (taken over; freed when the copy cannot be made), the
// dimension's text style taking the edited text's attributes; null when no
// copy can be made.
#pragma once

class CDimensionEntity;
class CTextEntity;

CTextEntity* EditTextEntity(const CTextEntity& text, bool convert);
int EditDimensionValue(CDimensionEntity& dimension, CTextEntity& text, CDimensionEntity*& replacement);
CDimensionEntity* ReplaceDimensionText(CDimensionEntity& dimension, CTextEntity& text, CTextEntity* edited);
