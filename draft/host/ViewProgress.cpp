// The drafting view's progress display (see ViewProgress.h).
#include "draft/host/ViewProgress.h"

#include "draft/host/DraftView.h"

std::unique_ptr<CProgressInfo> CDraftView::ConstructProgressInfo() const { return std::make_unique<CProgressInfo>(); }

void CDraftView::BeginProgress(CProgressInfo* info, int count) {
  if (!info) return;
  info->count = count < 0 ? 0 : count;
  info->index = 0;
  info->message.Empty();
  progress_.running = true;
  ++progress_.begun;
  progress_.steps = 0;
  progress_.index = 0;
  progress_.count = info->count;
  progress_.message.Empty();
}

void CDraftView::StepProgress(CProgressInfo* info, int index, int count, const char* message) {
  if (!info || !progress_.running) return;
  info->index = index;
  info->count = count;
  info->message = message ? message : "";
  ++progress_.steps;
  progress_.index = index;
  progress_.count = count;
  progress_.message = info->message;
}

void CDraftView::EndProgress(CProgressInfo* info) {
  if (!info || !progress_.running) return;
  progress_.running = false;
  ++progress_.ended;
}
