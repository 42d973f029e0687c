#pragma once
// One (group code, value) pair as it stands in the file. The value is the
// original text of its line (without the line ending), a view into the file
// buffer: nothing is copied while reading, and a tag that nobody changes is
// written back byte for byte. Typed access parses on demand and throws a
// DxfError naming the value's line when the text does not fit the code.
#include "DxfGroupCode.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

struct DxfTag {
    int code = 0;
    uint32_t line = 0;       // line of the group code; the value is on line + 1
    std::string_view value;  // original text, blanks included
    // The value as a real, once a reader has converted it (see
    // dxfCheckValueKeeping); NaN until then. Converting a record's reals
    // once, where they are checked, spares every reader that takes them
    // converting them again.
    double number = std::numeric_limits<double>::quiet_NaN();

    DxfValueKind kind() const { return dxfValueKind(code); }
    uint32_t valueLine() const { return line + 1; }

    // The value without leading and trailing blanks (spaces and tabs).
    std::string_view trimmed() const;

    double toDouble() const    // finite numbers only
    {
        return std::isnan(number) ? parseDouble() : number;
    }
    int64_t toInt() const;     // range checked against the code's kind
    bool toBool() const;       // any integer; non-zero is true
    uint64_t toHandle() const; // 1 to 16 hexadecimal digits
    // Hexadecimal chunk (310-319, 1004) appended to `out` as bytes.
    void appendBinary(std::vector<uint8_t>& out) const;

private:
    double parseDouble() const;
};

// Checks that a number's text fits its code's kind (a number, an integer
// in the range of its size), as the typed accessors would, and throws the
// same DxfError. Readers check every tag of a record with it, so that a
// value is refused alike whether or not the record's reader uses it.
// Texts, handles and binary chunks are left to the readers that use them.
void dxfCheckNumber(const DxfTag& tag, DxfValueKind kind);
inline void dxfCheckValue(const DxfTag& tag)
{
    const DxfValueKind kind = dxfValueKind(tag.code);
    if (kind != DxfValueKind::String && kind != DxfValueKind::Handle && kind != DxfValueKind::Binary)
        dxfCheckNumber(tag, kind);
}
// The same check, keeping a real's value in the tag for its readers. Every
// tag's number is set (NaN where it is no real), so that a tag reused for
// another value never keeps the last one's.
inline void dxfCheckValueKeeping(DxfTag& tag)
{
    const DxfValueKind kind = dxfValueKind(tag.code);
    tag.number = std::numeric_limits<double>::quiet_NaN();
    if (kind == DxfValueKind::Double)
        tag.number = tag.toDouble();
    else if (kind != DxfValueKind::String && kind != DxfValueKind::Handle && kind != DxfValueKind::Binary)
        dxfCheckNumber(tag, kind);
}

// Parsers shared by the tag accessors and the structure reader. They return
// false instead of throwing so that hot paths can report their own context.
bool dxfParseDouble(std::string_view text, double& value);
bool dxfParseInt(std::string_view text, int64_t& value);
bool dxfParseHandle(std::string_view text, uint64_t& value);
// Inline: most values have no blanks, and every number read passes here.
inline std::string_view dxfTrim(std::string_view text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return text.substr(begin, end - begin);
}
