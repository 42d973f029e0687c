#pragma once
// Wide (UTF-16) texts of the command framework and their UTF-8 forms.
#include <cstddef>
#include <string>
#include <string_view>

using QrWChar = char16_t;

std::u16string hostUtf8ToWide(std::string_view text);
// Unpaired surrogates become U+FFFD, so a damaged name still shows.
std::string hostWideToUtf8(std::u16string_view text);

// Length of a zero-terminated wide text.
std::size_t hostWideLength(const QrWChar* text);

// Copies `source` into a buffer of `capacity` units: at most capacity - 1
// units and a terminating zero. A surrogate pair that does not fit is left
// out whole instead of being cut in half. A null source gives "".
void hostCopyWideBounded(QrWChar* dest, std::size_t capacity, const QrWChar* source);
