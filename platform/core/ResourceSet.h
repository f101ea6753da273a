// The resources of one module: string table, dialog templates, menus, tool
// bars, accelerator tables, bitmaps, icons and cursors, each kind keyed by
// its id (1..65535; strings 0..65535).
//
// A library declares its resources in its res/ room and hands the set to its
// module registration (Module.h):
//
//   using namespace platform::rc;
//   platform::ResourceSet r;
//   r.Strings({{28000, u"Progress"}, {28031, u"Bad value"}});
//   r.Add(Dialog(28076, u"Progress", {0, 0, 186, 62}).PushButton(u"Cancel", IDCANCEL, {68, 41, 50, 14}));
//   r.Add(ToolBar(28022, 16, 15, {57600, 57601, 0, 57634}));
//
// A second resource of one kind with the same id, or an id out of range, is
// a mistake in the declaration and throws std::invalid_argument naming it.
// An empty string is no string, as in a string table.
#pragma once

#include <initializer_list>
#include <map>
#include <string>

#include "platform/core/AcceleratorTable.h"
#include "platform/core/DialogTemplate.h"
#include "platform/core/ImageResource.h"
#include "platform/core/MenuTemplate.h"
#include "platform/core/ResourceText.h"
#include "platform/core/ToolBarTemplate.h"

namespace platform {

enum class ResourceType { String, Dialog, Menu, ToolBar, Accelerators, Bitmap, Icon, Cursor };

struct StringEntry {
  UINT id;
  ResourceText text;
};

class ResourceSet {
 public:
  // Declaration; each returns the set for the next.
  ResourceSet& Strings(std::initializer_list<StringEntry> entries);
  ResourceSet& Add(DialogTemplate dialog);
  ResourceSet& Add(MenuTemplate menu);
  ResourceSet& Add(ToolBarTemplate toolBar);
  ResourceSet& Add(AcceleratorTable table);
  ResourceSet& Add(ImageResource image);

  // Lookup; null when the set has no such resource.
  const std::u16string* FindString(UINT id) const;
  const DialogTemplate* FindDialog(UINT id) const;
  const MenuTemplate* FindMenu(UINT id) const;
  const ToolBarTemplate* FindToolBar(UINT id) const;
  const AcceleratorTable* FindAccelerators(UINT id) const;
  const ImageResource* FindBitmap(UINT id) const;
  const ImageResource* FindIcon(UINT id) const;
  const ImageResource* FindCursor(UINT id) const;

  bool Contains(ResourceType type, UINT id) const;
  // The same question with a Win32 resource type (RT_DIALOG, RT_STRING, ...)
  // and resource name: an RT_STRING name is a block of sixteen strings
  // (id / 16 + 1); RT_DLGINIT is a dialog with initialisation data; a group
  // icon or cursor is the icon or cursor. Named (non-numeric) resources and
  // other types are never found.
  bool ContainsWin32(ULONG_PTR type, ULONG_PTR name) const;

  bool IsEmpty() const;

 private:
  std::map<UINT, std::u16string> strings_;
  std::map<UINT, DialogTemplate> dialogs_;
  std::map<UINT, MenuTemplate> menus_;
  std::map<UINT, ToolBarTemplate> toolBars_;
  std::map<UINT, AcceleratorTable> accelerators_;
  std::map<UINT, ImageResource> bitmaps_;
  std::map<UINT, ImageResource> icons_;
  std::map<UINT, ImageResource> cursors_;
};

}  // namespace platform
