#pragma once
// Fitting document text (UTF-8) to a number of columns. Widths count characters,
// not bytes, so an accented letter takes one column as it does on paper.

#include <string>
#include <string_view>

#include "documents/DocumentEnums.h"

// The text padded on the right with blanks to `count` characters, then cut to
// `count` characters: the result has exactly `count` characters (none when
// `count` is 0 or less).
std::string FitToLineLength(std::string_view text, int count);

// One row of the customer display: the value cut to `width` characters, then
// placed by its alignment (right: blanks on the left; centre: the free columns
// split with the smaller half on the left; left: blanks on the right; none: as it is).
std::string FormatDisplayRow(std::string_view value, tkReceiptMessageLineAlignment alignment, int width);
