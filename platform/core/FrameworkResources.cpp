#include "platform/core/FrameworkResources.h"

#include "platform/core/ImageResource.h"
#include "platform/core/Module.h"

namespace platform {
namespace {

ResourceSet BuildFrameworkResources() {
  using namespace rc;
  ResourceSet resources;
  // A magnifying glass, its hot spot in the middle of the lens.
  resources.Add(Cursor(kIdcMagnify)
                    .Art({"....####........",
                          "..##oooo##......",
                          ".#oooooooo#.....",
                          ".#oooooooo#.....",
                          "#oooooooooo#....",
                          "#oooooooooo#....",
                          "#oooooooooo#....",
                          "#oooooooooo#....",
                          ".#oooooooo#.....",
                          ".#oooooooo#.....",
                          "..##oooo####....",
                          "....####..###...",
                          "...........###..",
                          "............###.",
                          ".............###",
                          "..............##"},
                         {{'#', RGB(0, 0, 0)}, {'o', RGB(255, 255, 255)}, {'.', CLR_NONE}})
                    .HotSpot(5, 5));
  // The status bar's message while nothing else is said.
  resources.Strings({{kIdsIdleMessage, u"Ready"}});
  return resources;
}

}  // namespace

HINSTANCE FrameworkResourceModule() {
  static const ModuleRegistration registration(u"ScrivelPlatform.DLL", BuildFrameworkResources());
  return registration.Handle();
}

}  // namespace platform
