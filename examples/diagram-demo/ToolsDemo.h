// The creation tools of the demonstration host: a rectangle, a polyline and
// a text drawn in a view through mouse messages, as a user draws them.
#pragma once

#include <string>

// Draws on a new document and writes the view as a PNG at `picturePath`.
// Prints each step as "ok" or "FAIL" and returns the number of failed steps.
int DrawWithTools(const std::string& picturePath);
