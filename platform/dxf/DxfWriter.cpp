#include "DxfWriter.h"

#include "DxfError.h"
#include "DxfFile.h"

#include <charconv>
#include <cmath>
#include <cstring>

void DxfWriter::code(int code)
{
    char buffer[16];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, code);
    (void)ec;
    auto length = static_cast<size_t>(end - buffer);
    if (length < 3)
        out_.append(3 - length, ' ');
    out_.append(buffer, length);
    endLine();
}

void DxfWriter::text(int groupCode, std::string_view value)
{
    // A line feed would end the line. Carriage returns are read back as
    // they are, except one right before the line feed, which belongs to the
    // line ending: a value ending in one gets a CRLF ending of its own, so
    // that its last carriage return survives whatever the file's endings.
    if (value.find('\n') != std::string_view::npos)
        throw DxfError(0, "value for group code " + std::to_string(groupCode) + " contains a line break: " +
                              dxfQuote(value));
    code(groupCode);
    out_.append(value);
    if (!value.empty() && value.back() == '\r' && lineEnding_ == DxfLineEnding::Lf)
        out_ += "\r\n";
    else
        endLine();
}

void DxfWriter::real(int groupCode, double value)
{
    if (!std::isfinite(value))
        throw DxfError(0, "value for group code " + std::to_string(groupCode) + " is not a finite number");
    char buffer[40];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    code(groupCode);
    out_.append(buffer, end);
    // "1" is a valid number, but readers and people expect a real value to
    // look like one.
    if (std::memchr(buffer, '.', end - buffer) == nullptr && std::memchr(buffer, 'e', end - buffer) == nullptr)
        out_ += ".0";
    endLine();
}

void DxfWriter::integer(int groupCode, int64_t value)
{
    char buffer[24];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    code(groupCode);
    out_.append(buffer, end);
    endLine();
}

void DxfWriter::handle(int groupCode, uint64_t value)
{
    char buffer[24];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    (void)ec;
    for (char* p = buffer; p != end; ++p)
        if (*p >= 'a' && *p <= 'f')
            *p = static_cast<char>(*p - 'a' + 'A');
    code(groupCode);
    out_.append(buffer, end);
    endLine();
}

void DxfWriter::binary(int groupCode, std::span<const uint8_t> data)
{
    static const char hex[] = "0123456789ABCDEF";
    constexpr size_t kChunk = 127;
    size_t offset = 0;
    do {
        size_t n = std::min(kChunk, data.size() - offset);
        code(groupCode);
        for (size_t i = 0; i < n; ++i) {
            uint8_t b = data[offset + i];
            out_ += hex[b >> 4];
            out_ += hex[b & 15];
        }
        endLine();
        offset += n;
    } while (offset < data.size());
}

void DxfWriter::save(const std::filesystem::path& path) const
{
    dxfSaveAtomically(path, out_);
}
