// Texts put into SQL statements by the tables' SQL layer.
#pragma once

#include "platform/core/String.h"

// A text as an SQL literal: in "'" with every "'" inside doubled.
CStringA SqlQuoted(const CStringA& text);
// A table's file name as it stands in a statement: as given, or in '"'
// (with '"' doubled) when it holds a blank or a character that would end
// the name.
CStringA SqlTableName(const CStringA& file);
// TRUE when the whole text (blanks around it aside) is a decimal number.
BOOL IsSqlNumber(const CStringA& text);
