// A frame's control bars: docking, showing and hiding (at once or at the
// next idle update), the bar-toggle commands, the status bar's message
// pane, and the bar state in the profile.
#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "platform/core/FrameworkResources.h"
#include "platform/core/Profile.h"
#include "platform/core/String.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/StatusBar.h"

void CFrameWnd::AddControlBar(CControlBar* bar) {
  if (std::find(m_listControlBars.begin(), m_listControlBars.end(), bar) == m_listControlBars.end()) {
    m_listControlBars.push_back(bar);
  }
}

void CFrameWnd::RemoveControlBar(CControlBar* bar) {
  m_listControlBars.erase(std::remove(m_listControlBars.begin(), m_listControlBars.end(), bar),
                          m_listControlBars.end());
}

CControlBar* CFrameWnd::GetControlBar(UINT id) const {
  for (CControlBar* bar : m_listControlBars) {
    if (bar->GetSafeHwnd() && static_cast<UINT>(bar->GetDlgCtrlID()) == id) return bar;
  }
  return nullptr;
}

void CFrameWnd::EnableDocking(DWORD style) {
  const std::pair<DWORD, UINT> sides[] = {{CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
                                          {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
                                          {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
                                          {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT}};
  for (const auto& [align, id] : sides) {
    if (!(style & align) || GetControlBar(id)) continue;
    auto* dock = new CDockBar;
    if (!dock->Create(this, id)) delete dock;
  }
  RecalcLayout();
}

void CFrameWnd::DockControlBar(CControlBar* bar, UINT dockBarId, LPCRECT rect) {
  if (!bar) return;
  CDockBar* dock = nullptr;
  if (dockBarId) {
    dock = dynamic_cast<CDockBar*>(GetControlBar(dockBarId));
  } else {
    const std::pair<DWORD, UINT> sides[] = {{CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
                                            {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
                                            {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
                                            {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT}};
    for (const auto& [align, id] : sides) {
      if (!(bar->GetDockStyle() & align)) continue;
      dock = dynamic_cast<CDockBar*>(GetControlBar(id));
      if (dock) break;
    }
  }
  DockControlBar(bar, dock, rect);
}

void CFrameWnd::DockControlBar(CControlBar* bar, CDockBar* dockBar, LPCRECT rect) {
  if (!bar || !dockBar) return;
  dockBar->DockControlBar(bar, rect);
  RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL delay) {
  if (!bar || !bar->GetSafeHwnd()) return;
  if (delay) {
    bar->m_nDelayed = show ? 1 : 2;
    if (!m_bIdlePosted) {
      m_bIdlePosted = true;
      PostMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    }
    return;
  }
  bar->m_nDelayed = 0;
  bar->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
  RecalcLayout();
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  m_bIdlePosted = false;
  bool changed = false;
  for (CControlBar* bar : m_listControlBars) {
    if (!bar->m_nDelayed) continue;
    bar->ShowWindow(bar->m_nDelayed == 1 ? SW_SHOWNA : SW_HIDE);
    bar->m_nDelayed = 0;
    changed = true;
  }
  if (changed) RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnBarCheck(UINT id) {
  CControlBar* bar = GetControlBar(id);
  if (!bar || bar->IsDockBar()) return FALSE;
  ShowControlBar(bar, !bar->IsVisible(), FALSE);
  return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* cmdUI) {
  CControlBar* bar = GetControlBar(cmdUI->m_nID);
  if (!bar || bar->IsDockBar()) {
    cmdUI->ContinueRouting();
    return;
  }
  cmdUI->SetCheck(bar->IsVisible() ? 1 : 0);
}

CWnd* CFrameWnd::GetMessageBar() {
  if (GetStyle() & WS_CHILD) {
    if (CFrameWnd* parent = GetParentFrame()) return parent->GetMessageBar();
  }
  CControlBar* bar = GetControlBar(AFX_IDW_STATUS_BAR);
  return bar && bar->GetSafeHwnd() ? bar : nullptr;
}

void CFrameWnd::SetMessageText(LPCWSTR text) {
  auto* status = dynamic_cast<CStatusBar*>(GetMessageBar());
  if (status && status->GetCount() > 0) status->SetPaneText(0, text ? text : u"");
}

void CFrameWnd::SetMessageText(UINT id) {
  // The framework's own strings ("Ready") are found after every module's.
  platform::FrameworkResourceModule();
  CStringW text;
  text.LoadString(id);
  SetMessageText(text.GetString());
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM id, LPARAM text) {
  if (text) {
    SetMessageText(reinterpret_cast<LPCWSTR>(text));
  } else {
    SetMessageText(static_cast<UINT>(id));
  }
  return 0;
}

namespace {

CStringW BarSection(LPCWSTR section, int index) {
  CStringW name;
  name.Format(u"%s-Bar%d", section, index);
  return name;
}

CStringW SummarySection(LPCWSTR section) {
  CStringW name;
  name.Format(u"%s-Summary", section);
  return name;
}

}  // namespace

void CFrameWnd::SaveBarState(LPCWSTR section) const {
  int index = 0;
  for (CControlBar* bar : m_listControlBars) {
    if (bar->IsDockBar() || !bar->GetSafeHwnd()) continue;
    const CStringW name = BarSection(section, index++);
    int row = 0, pos = 0;
    CDockBar* dock = bar->GetDockBar();
    const bool docked = dock && dock->Locate(bar, row, pos);
    platform::WriteProfileInt(name, u"BarID", bar->GetDlgCtrlID());
    platform::WriteProfileInt(name, u"Visible", bar->IsVisible() ? 1 : 0);
    platform::WriteProfileInt(name, u"DockBarID", docked ? dock->GetDlgCtrlID() : 0);
    platform::WriteProfileInt(name, u"Row", row);
    platform::WriteProfileInt(name, u"Pos", pos);
  }
  platform::WriteProfileInt(SummarySection(section), u"Bars", index);
}

void CFrameWnd::LoadBarState(LPCWSTR section) {
  const int count = static_cast<int>(platform::GetProfileInt(SummarySection(section), u"Bars", 0));
  struct Entry {
    UINT dock;
    int row, pos;
    CControlBar* bar;
    BOOL visible;
  };
  std::vector<Entry> entries;
  for (int i = 0; i < count && i < 256; ++i) {
    const CStringW name = BarSection(section, i);
    CControlBar* bar = GetControlBar(platform::GetProfileInt(name, u"BarID", 0));
    if (!bar || bar->IsDockBar()) continue;
    entries.push_back({platform::GetProfileInt(name, u"DockBarID", 0),
                       static_cast<int>(platform::GetProfileInt(name, u"Row", 0)),
                       static_cast<int>(platform::GetProfileInt(name, u"Pos", 0)), bar,
                       static_cast<BOOL>(platform::GetProfileInt(name, u"Visible", 1))});
  }
  // Each dock bar's rows are rebuilt in the stored order.
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return std::tie(a.dock, a.row, a.pos) < std::tie(b.dock, b.row, b.pos); });
  for (const Entry& e : entries) {
    if (e.bar->GetDockBar()) e.bar->GetDockBar()->RemoveControlBar(e.bar);
  }
  std::map<UINT, std::pair<int, int>> lastRow;  // dock bar: stored row, row index given
  for (const Entry& e : entries) {
    auto* dock = e.dock ? dynamic_cast<CDockBar*>(GetControlBar(e.dock)) : nullptr;
    if (dock) {
      auto [it, fresh] = lastRow.try_emplace(e.dock, e.row, static_cast<int>(dock->Rows().size()));
      if (!fresh && it->second.first != e.row) it->second = {e.row, static_cast<int>(dock->Rows().size())};
      const int rowIndex = it->second.second;
      const int pos = static_cast<size_t>(rowIndex) < dock->Rows().size()
                          ? static_cast<int>(dock->Rows()[static_cast<size_t>(rowIndex)].size())
                          : 0;
      dock->PlaceAt(e.bar, rowIndex, pos);
    }
    e.bar->m_nDelayed = 0;
    e.bar->ShowWindow(e.visible ? SW_SHOWNA : SW_HIDE);
  }
  RecalcLayout();
}
