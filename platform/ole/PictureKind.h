// The picture kind's editor and new pictures: the size of a new picture in
// pixels and the screen pixels one picture pixel takes in the editor.
#pragma once

namespace platform {

constexpr int kNewPictureWidth = 20;
constexpr int kNewPictureHeight = 10;
constexpr int kEditorPixel = 8;

}  // namespace platform
