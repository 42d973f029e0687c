#pragma once
// Letter-case helpers for symbol names. CAD symbol tables compare names
// without regard to case; users write Latin and Cyrillic names, so folding
// covers ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic, and leaves every
// other character as it is.
#include <string>
#include <string_view>

namespace qrv {

// Decodes one UTF-8 code point at s[i], advancing i. Malformed bytes decode
// to themselves (as Latin-1) so that folding never loses or merges input.
char32_t decodeUtf8(std::string_view s, std::size_t& i);
void appendUtf8(std::string& out, char32_t cp);

char32_t foldCodePoint(char32_t cp);   // to lower case
char32_t upperCodePoint(char32_t cp);  // to upper case

std::string foldCase(std::string_view s);
std::string toUpper(std::string_view s);
bool equalNoCase(std::string_view a, std::string_view b);

// Number of code points (what users call characters) in a UTF-8 text.
std::size_t codePointCount(std::string_view s);

}  // namespace qrv
