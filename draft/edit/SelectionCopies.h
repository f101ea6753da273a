// What the mirror, rotate and scale commands share once their geometry is
// known: the "保留原图？" question and the change of the selection into its
// transformed copies under one replace undo record.
#pragma once

#include <functional>
#include <memory>

class CDraftView;
class CEntity;
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
