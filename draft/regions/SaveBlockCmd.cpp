#include "draft/regions/SaveBlockCmd.h"

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/FileExtension.h"
#include "draft/host/GroupServices.h"
#include "draft/host/Messages.h"
#include "draft/host/ScratchDrawing.h"
#include "draft/host/Settings.h"
#include "platform/core/WinConstants.h"
#include "platform/ui/FileDialog.h"

namespace {
constexpr int kSaveBlockMask = 0x2000;
constexpr const char* kPathSection = "User Path";
constexpr const char* kPathKey = "Block Path";
constexpr const char* kKindSection = "User Block Extion";
constexpr const char* kKindKey = "extion";
constexpr const char* kFilter =
    "ZarvexCAD图块文件(*.gdf)|*.gdf|ZarvexCAD标题栏文件(*.btl)|*.btl|ZarvexCAD标题栏附栏文件(*.btf)|*.btf|";
constexpr const char* kBasePointPrompt = "输入图块基点";
constexpr const char* kNoBasePoint = "保存图块时没有确定基点,是否取消图块保存操作?";

// The extension of a file kind; any kind but 2 and 3 is a block file.
const char* ExtensionOf(int kind) {
  switch (kind) {
    case 2: return "btl";
    case 3: return "btf";
    default: return "gdf";
  }
}

// The folder part of a path: up to its last "\" or "/", empty when it has
// neither (a bare file name names no folder to remember).
CString FolderOf(const CString& path) {
  const int cut = path.ReverseFind('\\') > path.ReverseFind('/') ? path.ReverseFind('\\') : path.ReverseFind('/');
  return cut < 0 ? CString() : path.Left(cut);
}

// Puts every compound of the list into its parts (one level): the members
// leave their blocks and take their places in the list, the emptied blocks
// are deleted.
void DecomposeAll(CEntityList& list) {
  CEntityList pieces;
  while (!list.IsEmpty()) {
    CEntity* e = list.RemoveHead();
    CEntityList parts;
    e->ExplodeInto(1, parts, 0, 0, 0);
    bool whole = false;
    for (CEntity* part : parts) {
      if (part == e) {
        whole = true;
        continue;
      }
      if (e->IsBlock()) static_cast<CBlockEntity*>(e)->RemoveBlockMember(part);
      pieces.AddTail(part);
    }
    if (whole)
      pieces.AddTail(e);
    else
      delete e;
  }
  list.AddTail(pieces);
}
}  // namespace

CSaveBlockCmd::CSaveBlockCmd(int id, CDraftView* view, int selectAnew, int deselectMode)
    : CSelectCmdBase(id, view, selectAnew, deselectMode, kSaveBlockMask, -1) {
  if (prompts_.size() < 3) prompts_.resize(3);
  prompts_[2] = kBasePointPrompt;
}

void CSaveBlockCmd::BackToSelecting(CDraftView* view) {
  if (view) view->ClearSelection();
  phase_ = kSelecting;
  ClearPoints();
  pickMode_ = 1;
}

int CSaveBlockCmd::OnRButton(CDraftView* view) {
  if (phase_ == kProcessing && points_.empty()) {
    ClearPoints();
    pointCount_ = 1;
    if (ShowMessage(kNoBasePoint, MB_YESNO | MB_ICONQUESTION) == IDYES) {
      if (view) view->ClearSelection();
      ClearSelectionFilter(view);
      return 1;
    }
    return 0;
  }
  return CSelectCmdBase::OnRButton(view);
}

int CSaveBlockCmd::ProcessSelection(CDraftView* view) {
  if (!view || view->GetSelectionCount() == 0) return 0;
  CString folder = GetProfileStringSetting(kPathSection, kPathKey, "");
  kind_ = GetProfileIntSetting(kKindSection, kKindKey, 1);
  CString extension = ExtensionOf(kind_);
  CString chosen;
  int chosenKind = kind_;
  INT_PTR answer;
  {
    CModalDialogScope scope(view);
    CFileDialog dialog(FALSE, extension.GetString(), (folder + "*." + extension).GetString(),
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter, nullptr);
    dialog.m_ofn.nFilterIndex = static_cast<DWORD>(kind_);
    answer = dialog.DoModal();
    if (answer == 0) {
      // The dialog could not be shown with the remembered folder: once more
      // without it.
      CFileDialog plain(FALSE, "gdf", "*.gdf", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter, nullptr);
      plain.m_ofn.nFilterIndex = static_cast<DWORD>(kind_);
      answer = plain.DoModal();
      chosen = CStringA(plain.GetPathName());
      chosenKind = static_cast<int>(plain.m_ofn.nFilterIndex);
    } else {
      chosen = CStringA(dialog.GetPathName());
      chosenKind = static_cast<int>(dialog.m_ofn.nFilterIndex);
    }
  }
  if (answer != IDOK) {
    BackToSelecting(view);
    return 0;
  }
  path_ = chosen;
  kind_ = chosenKind;
  extension = ExtensionOf(kind_);
  folder = FolderOf(path_);
  EnsureFileExtension(path_, "", extension);
  if (!folder.IsEmpty()) {
    folder += "\\";
    WriteProfileStringSetting(kPathSection, kPathKey, folder);
    WriteProfileIntSetting(kKindSection, kKindKey, kind_);
  }
  if (kind_ == 2 || kind_ == 3) {
    OnProcessClick(view);
    return 0;
  }
  return 1;
}

int CSaveBlockCmd::OnProcessClick(CDraftView* view) {
  if (!view || path_.IsEmpty() || view->GetSelectionCount() == 0) return 0;
  CScratchDrawing* scratch = ConstructScratchDrawing();
  scratch->InitNewDrawing(0, 0);
  CGroupTable* table = scratch->GetGroupTable();
  if (!table) {
    DestroyScratchDrawing(scratch);
    return 0;
  }
  const CDrawingGroup* current = view->GetCurrentGroup();
  bool first = true;
  for (CEntity* e : *view->GetSelectionList()) {
    if (!e || view->IsKeptApart(e)) continue;
    CEntity* clone = e->Clone(1);
    if (!clone) continue;
    const CDrawingGroup* g = e->GetEntityGroup();
    CDrawingGroup* d = g ? AddGroup(table, g->GetGroupName(), GetGroupScale(g), GetGroupFlagA(g),
                                    IsGroupPickedWhole(g), GetGroupFlagC(g), nullptr)
                         : nullptr;
    if (!d) {
      delete clone;
      continue;
    }
    d->SetOrigin(g->GetOriginX(), g->GetOriginY());
    if (g == current) {
      SetActiveGroup(table, d);
      first = false;
    }
    AssignGroup(clone, d);
    scratch->GetEntityList()->AddTail(clone);
    if (first) {
      SetActiveGroup(table, d);
      first = false;
    }
  }
  if (kind_ == 2 || kind_ == 3) {
    DecomposeAll(*scratch->GetEntityList());
    scratch->SaveDrawingFile(path_, 1, 1, 1, 0.0, 0.0, 0);
  } else {
    const double x = points_.empty() ? 0.0 : points_.back().x;
    const double y = points_.empty() ? 0.0 : points_.back().y;
    scratch->SaveDrawingFile(path_, 1, 0, 1, x, y, 1);
  }
  ClearPoints();
  view->ClearSelection();
  DestroyScratchDrawing(scratch);
  return 1;
}

int CSaveBlockCmd::OnProcessRButton(CDraftView* view) {
  BackToSelecting(view);
  return 0;
}
