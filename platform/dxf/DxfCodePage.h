#pragma once
// Text encodings of DXF values. Files from R2007 on are UTF-8; older ones use
// the Windows code page that $DWGCODEPAGE names, and characters outside it are
// written as \U+XXXX escapes. Inside the system all text is UTF-8; these
// functions convert at the file boundary.
#include "DxfVersion.h"

#include <optional>
#include <string>
#include <string_view>

enum class DxfCodePage {
    Utf8,
    Ansi1252,  // Western European
    Ansi1251,  // Cyrillic
};

// "ANSI_1251" (any letter case) -> Ansi1251; nullopt for code pages this
// layer has no table for.
std::optional<DxfCodePage> dxfCodePageFromName(std::string_view dwgcodepage);
// The $DWGCODEPAGE value for a code page; "ANSI_1252" for Utf8, which is what
// files of UTF-8 versions conventionally carry there.
std::string_view dxfCodePageName(DxfCodePage codePage);

// The encoding of the text values of a file of `version` whose $DWGCODEPAGE
// is `dwgcodepage` (empty when the header has none). An unknown code page
// falls back to ANSI_1252 and sets `warning` to say so.
DxfCodePage dxfTextCodePage(DxfVersion version, std::string_view dwgcodepage, std::string* warning = nullptr);

// File text -> UTF-8. Caret escapes become the character they stand for
// ("^J" a line feed, "^M" a carriage return, "^I" a tab, "^ " a caret).
// \U+XXXX escapes (surrogate pairs included) become the
// characters they stand for. Bytes that are no valid UTF-8 in a UTF-8 file
// become U+FFFD. Code page bytes the code page leaves undefined map to the C1
// control of the same value, so that every byte survives a round trip.
std::string dxfDecodeText(std::string_view fileText, DxfCodePage codePage);

// UTF-8 -> file text. Control characters become caret escapes and a caret
// becomes "^ ", so that no value holds a line break or reads back otherwise.
// Characters the code page cannot hold become \U+XXXX
// (a surrogate pair of escapes above U+FFFF). A backslash that would make the
// text after it read as an escape is itself written as \U+005C, so that
// dxfDecodeText(dxfEncodeText(s)) == s for every valid UTF-8 s.
std::string dxfEncodeText(std::string_view utf8, DxfCodePage codePage);

// True when `utf8` needs no conversion for `codePage` in either direction
// (printable ASCII without a backslash or caret): lets callers skip the copy.
bool dxfTextIsPlain(std::string_view text);
