#pragma once
// The one exception type of the DXF layer. It carries the line of the file
// where the problem is, so that a user can open the file in an editor and
// look; the database layer wraps it into its own error type.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

class DxfError : public std::runtime_error {
public:
    // line 0 means "not tied to a line" (file system errors, binary input).
    DxfError(uint32_t line, std::string description);

    uint32_t line() const { return line_; }
    // The message without the "line N: " prefix.
    const std::string& description() const { return description_; }

private:
    uint32_t line_;
    std::string description_;
};

// Quotes a piece of file content for an error message: control and non-ASCII
// bytes become \xNN and long content is cut, so that a garbage file cannot
// produce a garbage (or huge) message.
std::string dxfQuote(std::string_view text, size_t maxLength = 40);
