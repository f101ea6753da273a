// CURList: one recorded user command, its undo records (the newest at the
// head) and its name. It owns its records.
#pragma once

#include "diagram/model/undo/UndoRedo.h"
#include "platform/core/ObList.h"
#include "platform/core/String.h"

class CURList : public CObList {
  DECLARE_DYNCREATE(CURList)

 public:
  explicit CURList(LPCWSTR name = u"");
  CURList(const CURList&) = delete;
  CURList& operator=(const CURList&) = delete;
  // Deletes every record, head to tail.
  ~CURList() override;

  POSITION AddHead(CUndoRedo* record) { return CObList::AddHead(record); }
  CUndoRedo* GetHead() const;
  CUndoRedo* RemoveHead();
  CUndoRedo* GetTail() const;
  CUndoRedo* RemoveTail();
  CUndoRedo* GetNext(POSITION& position) const;

  void SetUndoCmdName(LPCWSTR name) { m_name = name; }
  // The command name; an unnamed list takes the class name of its newest
  // record ("NOP" for a null record).
  LPCWSTR GetCmdName();

 private:
  CStringW m_name;
};
