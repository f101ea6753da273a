// The block diagram part of the demonstration: blocks with texts and ports
// on a canvas of 2 x 2 pages, wires drawn with the arc tool, a block moved
// with the mouse through the select tool, the document saved and loaded, the
// view at 150 % written as a PNG and the diagram printed to a PDF.
#pragma once

#include <filesystem>

namespace demo {

// Writes FOLDER/diagram-blocks.drw, diagram-blocks.png and
// diagram-blocks.pdf; reports each step through Check.
void RunBlockDiagramDemo(const std::filesystem::path& folder);

}  // namespace demo
