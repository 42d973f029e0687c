#pragma once
// Binary DXF in and out. A binary file holds the same tags as an ASCII one, with
// numbers stored as little-endian binary; it is turned into its ASCII form
// once, and everything after that (structure, lazily parsed values, verbatim
// write-back) works on that text. Errors name the byte offset in the binary
// file.
#include <string>
#include <string_view>
#include <vector>

// The 22 bytes every binary DXF file starts with.
inline constexpr std::string_view kDxfBinarySentinel{"AutoCAD Binary DXF\r\n\x1a\0", 22};

inline bool dxfIsBinary(std::string_view bytes)
{
    return bytes.substr(0, kDxfBinarySentinel.size()) == kDxfBinarySentinel;
}

// The ASCII DXF form of a binary DXF file: LF line endings, group codes
// right-aligned in three columns, numbers in their shortest exact form,
// control characters in values (line breaks of notes) as caret escapes
// ("^J"), and a caret that would start one as "^ ". Reading stops after the
// end-of-file marker. Throws DxfError.
std::string dxfBinaryToText(std::string_view bytes);

// For recovery: the tags of a binary file from byte `start` (just after its
// first line) as far as they can be decoded. `partial` gets each tag's byte
// offset, in order, and where and why decoding stopped (stopReason empty
// when it reached the end or the end-of-file marker). A number that is no
// finite number is given as the text "nan". Never throws DxfError.
struct DxfBinaryPartial {
    std::vector<size_t> tagOffsets;
    size_t stopOffset = 0;
    std::string stopReason;
};
std::string dxfBinaryToTextPartly(std::string_view bytes, size_t start, DxfBinaryPartial& partial);

// The binary form of ASCII DXF text, the inverse of dxfBinaryToText:
// dxfTextToBinary(dxfBinaryToText(b)) is b. Group codes take two bytes (R13
// and later), or with `oneByteCodes` (R12) one, 255 announcing a two-byte
// code. Values are read by their group code's kind; caret escapes become
// the characters they stand for. Throws DxfError naming the line of a value
// that has no binary form.
std::string dxfTextToBinary(std::string_view text, bool oneByteCodes = false);
