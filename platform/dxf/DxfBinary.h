#pragma once
// Binary DXF input. A binary file holds the same tags as an ASCII one, with
// numbers stored as little-endian binary; it is turned into its ASCII form
// once, and everything after that (structure, lazily parsed values, verbatim
// write-back) works on that text. Errors name the byte offset in the binary
// file.
#include <string>
#include <string_view>

// The 22 bytes every binary DXF file starts with.
inline constexpr std::string_view kDxfBinarySentinel{"AutoCAD Binary DXF\r\n\x1a\0", 22};

inline bool dxfIsBinary(std::string_view bytes)
{
    return bytes.substr(0, kDxfBinarySentinel.size()) == kDxfBinarySentinel;
}

// The ASCII DXF form of a binary DXF file: LF line endings, group codes
// right-aligned in three columns, numbers in their shortest exact form.
// Reading stops after the end-of-file marker. Throws DxfError.
std::string dxfBinaryToText(std::string_view bytes);
