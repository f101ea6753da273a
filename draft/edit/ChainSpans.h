// The stretches of a chain of lines of one carrier, filed by where they lie
// along it, so that the members a line may merge with (those that overlap
// or touch it) are found without walking the chain. Positions are taken
// along the direction of the first line filed, with a slack far wider than
// the merge's own tolerances: a member found may still not merge, but none
// that merges is missed.
#pragma once

#include <map>
#include <unordered_map>
#include <vector>

class CEntity;

class CChainSpans {
 public:
  // Files a line (the first one filed sets the direction); FALSE for an
  // entity that is not a line.
  bool Add(const CEntity* line);
  void Remove(const CEntity* line);
  // The filed lines whose stretches meet the stretch of `line`, itself
  // included, appended to `out` (in no particular order).
  void Near(const CEntity* line, std::vector<const CEntity*>& out) const;

 private:
  struct Span {
    double from, to;
  };
  bool SpanOf(const CEntity* line, Span& span) const;

  bool hasAxis_ = false;
  double ox_ = 0, oy_ = 0, ux_ = 1, uy_ = 0;
  double longest_ = 0;
  std::multimap<double, const CEntity*> byStart_;
  std::unordered_map<const CEntity*, Span> spans_;
};
