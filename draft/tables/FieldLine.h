// The text form of one column definition in the generation-99 table files:
// the name, the type ("%d"), the width ("%lf") and the alignment ("%d"),
// joined as a row text (so a ';' in the name is written doubled). And the
// foreign quoted form that the structure editor also accepts.
#pragma once

#include <vector>

#include "draft/tables/FieldRecord.h"
#include "platform/core/String.h"

// How a writer forms the line.
enum class FieldLineForm {
  // As the structure file holds it: the name as stored, the width "%lf".
  kStored,
  // As the parts-list control writes it: the name trimmed on the left (an
  // empty name as one blank), the width without needless trailing zeros.
  kTidied,
};

CStringA FormatFieldLine(const CFieldRecord& field, FieldLineForm form);

// Parses a field line and appends the record to `fields`. A line of other
// than 4 parts shows "数据结构错误!" and returns FALSE, appending nothing.
// A type outside 0..6 becomes 0, an alignment outside 0..3 becomes 2, and a
// width not greater than 1e-6 becomes `widthWhenNotGiven` (0 for the
// structure editor and the parts-list reader, 15 for the region picker).
BOOL ParseFieldLine(CFieldArray& fields, const CStringA& line, double widthWhenNotGiven = 0.0);

// Parses the quoted form: the texts between the 1st and 2nd, 3rd and 4th,
// ... double quote are its parts; exactly 7 are needed (else FALSE, no
// message). Name part 1, width part 2, type from part 5 ("2" integer, "4"
// date, else character), alignment part 6 as it stands; the record goes to
// `field`.
BOOL ParseQuotedFieldLine(const CStringA& line, CFieldRecord& field);
// The quoted parts of a line: the texts between the 1st and 2nd, 3rd and
// 4th, ... `quote` character (an unclosed last quote gives no part).
void SplitQuotedLine(const CStringA& line, char quote, std::vector<CStringA>& parts);
