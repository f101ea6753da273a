// The host's text tool, as the example host offers it to scripts (the line
// `text`, the command "text") and random sessions: a text placed in the
// drawing as one undo step.
#pragma once

class CDraftView;
class CEntity;

namespace draftsession {

// Places `gbk` with its base line starting at (x, y),
// `height` units high, on the view's current layer and group, in the view's
// text font, and pushes one add record; the text.
CEntity* PlaceHostText(CDraftView& view, const char* gbk, double x, double y, double height);

}  // namespace draftsession
