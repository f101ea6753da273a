// Random edit sessions with fixed seeds: after every step the saved stream
// is kept, and undoing everything, redoing everything and random walks of
// undo and redo must each land on the stream kept for that state; every kept
// stream loads and saves again to the same bytes. Every fourth session runs
// into a small undo limit. Longer runs: the diagram_edit_sequences program.
#include <gtest/gtest.h>

#include "diagram/ui/tests/EditSession.h"

namespace {

TEST(EditSequenceTest, UndoAndRedoLandOnTheKeptStreams) {
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    editseq::Settings settings = editseq::SettingsFor(seed, 25);
    // The rows whose faults are still open (the long runs show them): an
    // object the select tool drags or reshapes to the canvas edge, or
    // whose outline the shape page widens there, reaches past the canvas,
    // so the canvas grows when the stream is read again or the canvas size
    // is undone; a group's rectangle and members' order do not always come
    // back with an undo (after moves, the page-boundary command, ungroup,
    // deleting members); and a redone reshape may differ.
    settings.without = {"reshape", "avoid-boundaries"};
    editseq::Session session(seed, settings);
    const std::string failure = session.Run();
    ASSERT_TRUE(failure.empty()) << failure;
  }
}

}  // namespace
