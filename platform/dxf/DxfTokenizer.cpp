#include "DxfTokenizer.h"

#include "DxfError.h"

#include <cstring>

namespace {

// Offset of the LF that ends the line starting at `pos`, or the text size.
// Most DXF lines are a few bytes long; a plain loop finds their end faster
// than a call to memchr, which takes over for long lines.
inline size_t lineEnd(std::string_view text, size_t pos)
{
    const char* base = text.data();
    size_t size = text.size();
    size_t quick = pos + 16 < size ? pos + 16 : size;
    for (size_t i = pos; i < quick; ++i)
        if (base[i] == '\n')
            return i;
    if (quick == size)
        return size;
    const void* nl = std::memchr(base + quick, '\n', size - quick);
    return nl ? static_cast<size_t>(static_cast<const char*>(nl) - base) : size;
}

// End of a line's content: before the CR of a CRLF.
inline size_t contentEnd(std::string_view text, size_t pos, size_t lf)
{
    return (lf > pos && lf <= text.size() && text[lf - 1] == '\r') ? lf - 1 : lf;
}

inline bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Parses the group code line at `pos` in one pass and returns the offset of
// its LF (or the text size), or npos when the line holds no group code.
// Group codes are small non-negative numbers in files; the negative ones
// some programs use internally are accepted too. Nine digits keep the value
// far from overflow; no real code has more than four.
inline size_t parseGroupCodeLine(std::string_view text, size_t pos, int& code)
{
    const char* p = text.data() + pos;
    const char* end = text.data() + text.size();
    while (p < end && isBlank(*p))
        ++p;
    bool negative = false;
    if (p < end && *p == '-') {
        negative = true;
        ++p;
    }
    const char* digits = p;
    int value = 0;
    while (p < end && *p >= '0' && *p <= '9' && p - digits < 9) {
        value = value * 10 + (*p - '0');
        ++p;
    }
    if (p == digits)
        return std::string_view::npos;
    while (p < end && isBlank(*p))
        ++p;
    if (p < end && *p == '\r' && p + 1 < end && p[1] == '\n')
        ++p;
    if (p < end && *p != '\n')
        return std::string_view::npos;
    code = negative ? -value : value;
    return static_cast<size_t>(p - text.data());
}

} // namespace

bool DxfTokenizer::nextGeneral(DxfTag& tag)
{
    dangling_ = false;
    if (pos_ >= text_.size())
        return false;
    int code = 0;
    size_t codeLf = parseGroupCodeLine(text_, pos_, code);
    if (codeLf == std::string_view::npos) {
        size_t lf = lineEnd(text_, pos_);
        throw DxfError(line_, "group code expected, found " +
                                  dxfQuote(text_.substr(pos_, contentEnd(text_, pos_, lf) - pos_)));
    }
    size_t valueBegin = codeLf + 1;
    if (valueBegin >= text_.size()) {
        // The group code is the last line: its value is missing. line()
        // then names the line where the value should have been.
        dangling_ = true;
        pos_ = text_.size();
        ++line_;
        return false;
    }
    size_t valueLf = lineEnd(text_, valueBegin);
    tag.code = code;
    tag.line = line_;
    tag.value = text_.substr(valueBegin, contentEnd(text_, valueBegin, valueLf) - valueBegin);
    pos_ = valueLf + 1;
    line_ += 2;
    return true;
}
