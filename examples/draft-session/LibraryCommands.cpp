// The names under which a session script pushes ScrivelDraft's commands.
// Each name has its own command id, so that pushing the running command's
// name again keeps it running (the stack's push rule).
#include "draft/construct/CenterLineCmd.h"
#include "draft/construct/LineAltCmd.h"
#include "draft/construct/LineCmd.h"
#include "draft/construct/RectCmd.h"
#include "draft/edit/MoveCopyCmd.h"
#include "draft/regions/MeasureAreaCmd.h"
#include "examples/draft-session/CommandRegistry.h"

namespace draftsession {

CommandRegistry LibraryCommands() {
  CommandRegistry c;
  c.Add("line", "single lines from two points each; TAB changes the symmetry",
        [](CDraftView& v) { return new CLineCmd(1, &v); });
  c.Add("chain", "a chain of lines, each starting where the last ended; C closes it",
        [](CDraftView& v) {
          auto* cmd = new CLineCmd(2, &v);
          cmd->SetChainFlag(1);
          return cmd;
        });
  c.Add("chain-length", "a chain of lines whose lengths and angles are typed (a digit opens the length dialog); "
                        "arrows step the length and angle; C closes it",
        [](CDraftView&) {
          auto* cmd = new CLineAltCmd(3);
          cmd->SetChainFlag(1);
          return cmd;
        });
  c.Add("rect", "a rectangle from two corners; TAB makes a corner the centre",
        [](CDraftView& v) { return new CRectCmd(4, &v); });
  c.Add("centreline", "a pair of centre lines from a centre and an extension point",
        [](CDraftView&) { return new CCenterLineCmd(5); });
  c.Add("move", "moves the selection from a base point to a target; Shift holds it level, TAB turns it",
        [](CDraftView&) { return new CMoveCopyCmd(6, 1, 0, 0, 0, 0); });
  c.Add("copy", "copies the selection from a base point to a target; Shift holds it level, TAB turns it",
        [](CDraftView&) { return new CMoveCopyCmd(7, 0, 0, 0, 0, 0); });
  c.Add("copy-repeat", "copies the selection again at each click, as many as the copy count setting says",
        [](CDraftView&) { return new CMoveCopyCmd(8, 0, 0, 0, 0, 1); });
  c.Add("area", "the area of the regions round clicked points, added (or subtracted after TAB); "
                "the right button shows the result list",
        [](CDraftView& v) { return new CMeasureAreaCmd(40, &v); });
  return c;
}

}  // namespace draftsession
