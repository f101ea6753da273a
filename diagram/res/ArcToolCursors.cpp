#include "diagram/res/ArcToolCursors.h"

#include "platform/core/ImageResource.h"

using namespace platform::rc;

void AddArcToolCursors(platform::ResourceSet& resources) {
  // A pen drawing a line from its tip at the top left.
  resources.Add(Cursor(28107)
                    .Art({"#...............",
                          "##..............",
                          "#o#.............",
                          ".#o#............",
                          "..#o#...........",
                          "...#o#..........",
                          "....#o#.........",
                          ".....#o#........",
                          "......#o#.......",
                          ".......#o#......",
                          "........#o#.....",
                          ".........#o#....",
                          "..........#oo#..",
                          "...........#oo#.",
                          "............###.",
                          "................"},
                         {{'#', RGB(0, 0, 0)}, {'o', RGB(255, 255, 255)}, {'.', CLR_NONE}})
                    .HotSpot(0, 0));
  // The same pen with a port's arrow beside it: the wire may end here.
  resources.Add(Cursor(28136)
                    .Art({"#...............",
                          "##..............",
                          "#o#.............",
                          ".#o#............",
                          "..#o#...........",
                          "...#o#....#.....",
                          "....#o#...##....",
                          ".....#o#..###...",
                          "......#o#.####..",
                          ".......#o####...",
                          "........#o##....",
                          ".........#o#....",
                          "..........#oo#..",
                          "...........#oo#.",
                          "............###.",
                          "................"},
                         {{'#', RGB(0, 0, 0)}, {'o', RGB(255, 255, 255)}, {'.', CLR_NONE}})
                    .HotSpot(0, 0));
}
