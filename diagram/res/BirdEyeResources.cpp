#include "diagram/res/BirdEyeResources.h"

#include "platform/core/ImageResource.h"
#include "platform/core/ResourceSet.h"

void AddBirdEyeResources(platform::ResourceSet& r) {
  using namespace platform::rc;
  // The window's icon: a red tracker over a small page.
  r.Add(Icon(28015).Art({"................",
                         ".##############.",
                         ".#............#.",
                         ".#.RRRRRRR....#.",
                         ".#.R.....R....#.",
                         ".#.R.....R....#.",
                         ".#.R.....R....#.",
                         ".#.RRRRRRR....#.",
                         ".#............#.",
                         ".#............#.",
                         ".#............#.",
                         ".#............#.",
                         ".#............#.",
                         ".#............#.",
                         ".##############.",
                         "................"},
                        {{'#', RGB(0, 0, 0)}, {'R', RGB(255, 0, 0)}, {'.', CLR_NONE}}));
  // Inside the tracker: a four-way arrow, its hot spot in the middle.
  r.Add(Cursor(28077)
            .Art({"......#......",
                  ".....###.....",
                  "....#####....",
                  "......#......",
                  "..#...#...#..",
                  ".##...#...##.",
                  "#############",
                  ".##...#...##.",
                  "..#...#...#..",
                  "......#......",
                  "....#####....",
                  ".....###.....",
                  "......#......"},
                 {{'#', RGB(0, 0, 0)}, {'.', CLR_NONE}})
            .HotSpot(6, 6));
  r.Strings({{57094, u"%1!d!%% zoom"}});
}
