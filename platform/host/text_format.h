#pragma once
// printf-style formatting of UTF-8 texts from the string tables. Both
// languages of a text carry the same conversions in the same order, so one
// call serves either.
#include "OdString.h"

// Formats like std::printf; a text whose conversions do not match the
// arguments is the caller's bug, as with printf.
OdString hostFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
