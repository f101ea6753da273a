// Brissom's drawing input and output state: the flag that says the drawing
// service is working over the drawing's entities (a hidden-line pass),
// during which no drawing file is read into it.
#pragma once

// 1 while the drawing service works over the drawing, 0 when it is free.
void SetDrawingIOFlag(int flag);
int GetDrawingIOFlag();
// Nonzero when a drawing file may be read into the drawing now: the flag is
// 0.
int CanReadDrawingFile();
