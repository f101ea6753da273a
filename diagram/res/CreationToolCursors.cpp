#include "diagram/res/CreationToolCursors.h"

#include "platform/core/ImageResource.h"

using namespace platform::rc;

void AddCreationToolCursors(platform::ResourceSet& resources) {
  // A cross with a small block beside it: the block lands where the cross
  // points.
  resources.Add(Cursor(28078)
                    .Art({".......#........",
                          ".......#........",
                          ".......#........",
                          ".......#........",
                          ".......#........",
                          ".......#........",
                          ".......#........",
                          "#######.#######.",
                          ".......#........",
                          ".......#..######",
                          ".......#..#oooo#",
                          ".......#..#oooo#",
                          ".......#..#oooo#",
                          ".......#..#oooo#",
                          "..........######",
                          "................"},
                         {{'#', RGB(0, 0, 0)}, {'o', RGB(255, 255, 255)}, {'.', CLR_NONE}})
                    .HotSpot(7, 7));
  // A pencil writing at its tip at the bottom left.
  resources.Add(Cursor(28114)
                    .Art({"............###.",
                          "...........#ooo#",
                          "..........#ooo#.",
                          ".........#ooo#..",
                          "........#ooo#...",
                          ".......#ooo#....",
                          "......#ooo#.....",
                          ".....#ooo#......",
                          "....#ooo#.......",
                          "...#ooo#........",
                          "..#ooo#.........",
                          ".#oo##..........",
                          ".##.#...........",
                          "#...#...........",
                          "####............",
                          "................"},
                         {{'#', RGB(0, 0, 0)}, {'o', RGB(255, 255, 255)}, {'.', CLR_NONE}})
                    .HotSpot(0, 14));
  // An eye: the value under it is watched.
  resources.Add(Cursor(28135)
                    .Art({"................",
                          "................",
                          "................",
                          ".....######.....",
                          "...##oooooo##...",
                          "..#ooo####ooo#..",
                          ".#ooo#.##.#ooo#.",
                          "#ooo#.####.#ooo#",
                          "#ooo#.####.#ooo#",
                          ".#ooo#.##.#ooo#.",
                          "..#ooo####ooo#..",
                          "...##oooooo##...",
                          ".....######.....",
                          "................",
                          "................",
                          "................"},
                         {{'#', RGB(0, 0, 0)}, {'o', RGB(255, 255, 255)}, {'.', CLR_NONE}})
                    .HotSpot(7, 7));
}
