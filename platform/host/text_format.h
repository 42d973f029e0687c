#pragma once
// printf-style formatting of UTF-8 texts from the string tables. Both
// languages of a text carry the same conversions in the same order, so one
// call serves either.
#include <string>
#include <string_view>

#include "OdString.h"

// Formats like std::printf; a text whose conversions do not match the
// arguments is the caller's bug, as with printf.
OdString hostFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The text with its control characters written out (`\r`, `\n`, `\x1B`,
// `\u0085`), so that a name or value from a file or a script cannot move
// the cursor, clear the terminal or fake a line of its own when shown. Tabs
// stay; line breaks stay with `keepLineBreaks` (whole messages of several
// lines), else they are written out too (a name inside a message).
std::string hostEscapeControls(std::string_view text, bool keepLineBreaks = false);
