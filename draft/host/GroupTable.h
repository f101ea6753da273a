// Korrin's group table: the drawing's groups in the order they were added,
// with unique names and one active group. The table owns its groups.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "draft/host/DrawingGroup.h"

class CGroupTable {
 public:
  CGroupTable() = default;
  CGroupTable(const CGroupTable&) = delete;
  CGroupTable& operator=(const CGroupTable&) = delete;

  // The groups in table order.
  std::vector<CDrawingGroup*> GetGroupList() const;
  int GetCount() const { return static_cast<int>(groups_.size()); }

  // The group of that name (exact comparison), or null; found without
  // walking the table.
  CDrawingGroup* FindGroup(const char* name) const;
  // A new group; for a name already in the table that group is returned and
  // nothing is added, so names stay unique. Null for an empty name.
  CDrawingGroup* AddGroup(const char* name, double scale, double originX = 0.0, double originY = 0.0);
  // The same with the group's flag: `pickedWhole` nonzero makes a new group
  // picked whole (a member picked stands for all); `after` places the new
  // group behind that group of the table (null or unknown: last). A known
  // name returns that group unchanged.
  CDrawingGroup* AddGroup(const char* name, double scale, int pickedWhole, double originX, double originY,
                          const CDrawingGroup* after);

  CDrawingGroup* GetActiveGroup() const { return active_; }
  // False (and nothing changes) for a group that is not in this table; null
  // makes no group active.
  BOOL SetActiveGroup(CDrawingGroup* group);
  BOOL SetActiveGroupByName(const char* name);

 private:
  std::vector<std::unique_ptr<CDrawingGroup>> groups_;
  std::unordered_map<std::string, CDrawingGroup*> byName_;
  CDrawingGroup* active_ = nullptr;
};

// Adds a group to `table` with its scale, flag words and picked-whole flag
// (origin 0, 0), behind `after` (null or unknown: last). A name the table
// knows returns that group unchanged, so entities of one group copied one
// by one all reach the same group. Null for a null table or an empty name.
CDrawingGroup* AddGroup(CGroupTable* table, const char* name, double scale, int flagA, int pickedWhole, int flagC,
                        const CDrawingGroup* after);
// Makes `group` the table's active group; FALSE for a null table or a group
// of another table.
BOOL SetActiveGroup(CGroupTable* table, CDrawingGroup* group);
