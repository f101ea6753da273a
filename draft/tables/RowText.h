// The row text: how one table row's cells are joined into one line of a
// table data file and split again. Joining trims each cell, writes an empty
// cell as one blank, doubles every ';' inside a cell and separates the
// cells by one ';'. Splitting reads ";;" as one literal ';' and any other
// ';' as the end of a cell; cells are not trimmed, so a blank cell reads
// back as " ". A cell that begins with ';' joins its ';' to the cell before
// it when read back ("x" and ";y" read back as "x;" and "y").
#pragma once

#include "platform/core/String.h"
#include "platform/core/StringArray.h"

// The text with every ';' byte doubled, as SplitRowText reads every ';'
// byte. No GBK character holds a ';' byte, so this is the character-wise
// doubling for every sound text; a damaged text with a stray lead byte
// before a ';' (which a character-wise replace would take for one
// character) still reads back as it was.
CStringA DoubleSemicolons(const CStringA& text);
// One cell as the row text holds it: trimmed, " " when empty, ';' doubled.
CStringA EncodeRowCell(const CStringA& cell);
// The row text of the cells.
CStringA JoinRowCells(const CStringArray& cells);
// The cells of a row text (appended to `cells` after emptying it); an empty
// text gives one empty cell.
void SplitRowText(const CStringA& text, CStringArray& cells);
