// What the move/copy, mirror, rotate and scale commands share once their
// geometry is known: the "保留原图？" question and the change of the
// selection into its transformed copies under one replace undo record.
#pragma once

#include <functional>
#include <memory>

class CDraftView;
class CEntity;
class CEntityList;
class CUndoRecord;

// Asks "保留原图？" with the view's modal flag set; true keeps the sources.
bool AskKeepSources(CDraftView* view);

// Takes every entity off the view's selection and adds `transform`'s copy of
// it to the drawing; the sources are removed unless `keep`. Entities without
// a copy are selected again; the selection ends empty. If a transform
// throws, the copies made are freed, the entities taken are selected again
// and nothing else changes. Returns the replace record of the change, for
// the caller to push.
std::unique_ptr<CUndoRecord> ReplaceSelectionByCopies(CDraftView* view, bool keep,
                                                      const std::function<CEntity*(CEntity*)>& transform);

// The steps of ReplaceSelectionByCopies, for a command that makes more than
// one copy of an entity or keeps its sources selected.
// Takes every entity off the view's selection and appends its copies to
// `made`: `transform`'s copy first, then those `more` (when given) adds. An
// entity without a first copy is selected again, the others are appended to
// `sources`. If a copy throws, the copies made are freed, the entities taken
// are selected again and nothing else changes.
void CopySelection(CDraftView* view, const std::function<CEntity*(CEntity*)>& transform,
                   const std::function<void(CEntity*, CEntityList&)>& more, CEntityList& sources,
                   CEntityList& made);
// Fills `record` with the replacement of the sources by the copies: without
// `keep` the sources leave the drawing, with it they are selected again and
// the record only adds the copies. The copies are not added yet.
void RecordReplacement(CDraftView* view, bool keep, CUndoRecord& record, CEntityList& sources,
                       const CEntityList& made);
