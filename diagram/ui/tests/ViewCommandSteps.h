// The row of the edit-session generator that chooses one of the view's menu
// commands on a random selection (see EditSession.h).
#pragma once

namespace editseq {

class Session;

// Style, z-order, delete and vertex commands of the view.
void RunViewCommand(Session& s);

// The canvas-size command: a direct resize, or the move of every object once
// the user confirms it (or declines).
void RunCanvasSizeCommand(Session& s);

// The fill, line and hatch colour of a few objects, or the paper colour,
// through the colour dialog (sometimes cancelled).
void RunColourCommand(Session& s);

// The grid-size dialog (a preset or typed values, sometimes cancelled), or
// snapping turned on or off.
void RunGridCommand(Session& s);

}  // namespace editseq
