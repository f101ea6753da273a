// The rows of the edit-session generator that nest a selection into a
// composite block and un-nest one again (see EditSession.h).
#pragma once

namespace editseq {

class Session;

// Nests up to three free shapes and blocks into a new composite block.
void NestSomeObjects(Session& s);
// Un-nests one composite block of the diagram.
void UnnestOneBlock(Session& s);

}  // namespace editseq
