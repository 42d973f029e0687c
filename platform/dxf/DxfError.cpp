#include "DxfError.h"

namespace {
std::string withLine(uint32_t line, const std::string& description)
{
    if (line == 0)
        return description;
    return "line " + std::to_string(line) + ": " + description;
}
} // namespace

DxfError::DxfError(uint32_t line, std::string description)
    : std::runtime_error(withLine(line, description)), line_(line), description_(std::move(description))
{
}

std::string dxfQuote(std::string_view text, size_t maxLength)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out = "'";
    size_t shown = 0;
    for (unsigned char c : text) {
        if (shown == maxLength) {
            out += "...";
            break;
        }
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
        ++shown;
    }
    out += '\'';
    return out;
}
