// The diagram view's pop-up menu (28016): one sub-menu for each kind of
// thing that can be right-clicked.
#pragma once

namespace platform {
class ResourceSet;
}

// The sub-menus, by position.
enum DrawViewPopup {
  kPopupObject = 0,        // any object
  kPopupRect = 1,          // rectangles and ports
  kPopupSegment = 2,       // a segment of a polyline
  kPopupGroup = 3,         // groups
  kPopupBlock = 4,         // blocks
  kPopupComposite = 5,     // composite blocks
  kPopupDiagram = 6,       // the empty diagram
  kPopupInnerDiagram = 7,  // the diagram inside a composite block
  kPopupPlural = 8,        // several objects
};

constexpr unsigned kDrawViewMenu = 28016;

void AddDrawViewMenu(platform::ResourceSet& resources);
