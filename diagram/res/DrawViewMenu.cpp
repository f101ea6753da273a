#include "diagram/res/DrawViewMenu.h"

#include "platform/core/ResourceSet.h"

namespace {

using platform::MenuItem;
using namespace platform::rc;

MenuItem Properties() { return Item(u"&Properties...", 57022); }
MenuItem Cut() { return Item(u"Cu&t", 57635); }
MenuItem Copy() { return Item(u"&Copy", 57634); }
MenuItem Delete() { return Item(u"&Delete", 57632); }

MenuItem ZOrder() {
  return Popup(u"&Order", {Item(u"To &Front", 57034), Item(u"To &Back", 57033), Item(u"Forward", 57032),
                           Item(u"Back", 57031)});
}

MenuItem LineStyle() {
  return Popup(u"Line &Style", {Item(u"Solid", 57071), Item(u"Dash", 57072), Item(u"Dot", 57073),
                                Item(u"Dash Dot", 57074), Item(u"Dash Dot Dot", 57075), Item(u"Null", 57076),
                                Item(u"Inside Frame", 57077)});
}

MenuItem HatchStyle() {
  return Popup(u"&Hatch Style", {Item(u"Horizontal", 57081), Item(u"Vertical", 57082),
                                 Item(u"Forward Diagonal", 57083), Item(u"Backward Diagonal", 57084),
                                 Item(u"Cross", 57085), Item(u"Diagonal Cross", 57086), Separator(),
                                 Item(u"Remove Hatch", 57087)});
}

MenuItem LineItems() {
  return Popup(u"&Line", {Item(u"Line Color...", 57030), Item(u"Line Weight...", 57090), LineStyle()});
}

MenuItem FillItems() {
  return Popup(u"&Fill", {Item(u"Fill Color...", 57028), Item(u"Hatch Color...", 57080), HatchStyle(), Separator(),
                          Item(u"Transparent", 57088), Item(u"Opaque", 57089), Item(u"Toggle Hatch", 57078),
                          Item(u"Toggle Fill", 57079)});
}

MenuItem Zoom() {
  return Popup(u"&Zoom", {Item(u"Zoom In", 57068), Item(u"Zoom Out", 57069), Item(u"Zoom Last", 57061),
                          Item(u"Zoom All Pages", 57066), Item(u"Select Zoom", 57070), Item(u"Custom Zoom...", 57058),
                          Separator(), Item(u"25%", 57048), Item(u"50%", 57051), Item(u"No Zoom", 57062),
                          Item(u"150%", 57046), Item(u"200%", 57047), Item(u"300%", 57049), Item(u"400%", 57050)});
}

MenuItem Display() {
  return Popup(u"&View", {Item(u"Show Grid", 57060), Item(u"Page Boundaries", 57063),
                          Item(u"Label Page Crossings", 57057), Item(u"Toggle OLE Objects", 57067),
                          Item(u"Bird's Eye View", 57054), Separator(), Item(u"Snap To Grid", 57053),
                          Item(u"Grid Setup...", 57052), Item(u"Grid Color", 57092), Item(u"Paper Color", 57064),
                          Separator(), Item(u"Canvas Size...", 57056), Item(u"Refresh", 57065)});
}

MenuItem Routing() {
  return Popup(u"&Routing", {Item(u"Route Arcs", 57045), Item(u"Avoid Page Boundary", 57027),
                             Item(u"Routing/Page Options", 57041)});
}

}  // namespace

void AddDrawViewMenu(platform::ResourceSet& resources) {
  resources.Add(Menu(
      kDrawViewMenu,
      {
          Popup(u"_OBJECT_", {Properties(), Separator(), LineItems(), FillItems(), ZOrder(), Separator(), Cut(),
                              Copy(), Delete()}),
          Popup(u"_RECT_", {Properties(), Separator(), LineItems(), FillItems(), ZOrder(), Separator(), Cut(),
                            Copy(), Delete()}),
          Popup(u"_SEGMENT_", {Item(u"Add Vertex", 57043), Item(u"Remove Vertex", 57044), Separator(),
                               Properties(), LineItems(), ZOrder(), Separator(), Cut(), Copy(), Delete()}),
          Popup(u"_GROUP_", {Item(u"Un Group", 57039), Separator(), Properties(), LineItems(), FillItems(),
                             ZOrder(), Separator(), Cut(), Copy(), Delete()}),
          Popup(u"_BLOCK_", {Properties(), Item(u"Add Input", 57023), Item(u"Add Output", 57024), Separator(),
                             LineItems(), FillItems(), ZOrder(), Separator(), Cut(), Copy(), Delete()}),
          Popup(u"_COMPOSITE_", {Item(u"&Open", 57008), Item(u"Un Nest", 57040), Properties(),
                                 Item(u"About...", 57007), Item(u"Add Input", 57023), Item(u"Add Output", 57024),
                                 Separator(), LineItems(), FillItems(), ZOrder(), Separator(), Cut(), Copy(),
                                 Delete()}),
          Popup(u"_DIAGRAM_", {Item(u"&Paste", 57637), Item(u"Paste &Special...", 57639), Item(u"Paste &Link", 57638),
                               Item(u"Select &All", 57642), Separator(), Item(u"Add Block", 57012),
                               Item(u"New Composite", 57093), Item(u"Insert Embeded Obj", 57856), Separator(),
                               Display(), Zoom(), Routing(), Separator(), Item(u"Un Nest", 57040)}),
          Popup(u"_INNER_DIAGRAM_",
                {Item(u"Open Parent Diagram", 57009), Item(u"Open Top Diagram", 57010), Item(u"Properties", 57091),
                 Item(u"Add Input", 57023), Item(u"Add Output", 57024), Separator(), Item(u"&Paste", 57637),
                 Item(u"Paste &Special...", 57639), Item(u"Select &All", 57642), Separator(),
                 Item(u"Add Block", 57012), Item(u"New Composite", 57093), Separator(), Display(), Zoom(),
                 Routing()}),
          Popup(u"_PLURAL_", {Item(u"Group", 57029), Item(u"Re Group", 57038), Item(u"Nest as New Digram", 57035),
                              Separator(), Properties(), LineItems(), FillItems(), ZOrder(), Separator(),
                              Item(u"Route Arcs", 57045), Separator(), Cut(), Copy(), Delete()}),
          // The frame's own menu (a right click beside the views, Shift+F10).
          Popup(u"_FRAME_", {Item(u"&Toolbar", 59392), Item(u"&Status Bar", 59393), Separator(),
                             Item(u"&New Window", 57648), Item(u"&Cascade", 57650), Item(u"&Tile", 57651)}),
      }));
  // The control bars' menu (a right click on a bar).
  resources.Add(Menu(28025, {Popup(u"_BARS_", {Item(u"&Toolbar", 59392), Item(u"&Status Bar", 59393)})}));
}
