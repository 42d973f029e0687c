#pragma once
// Writes ASCII DXF into a growing memory buffer: tags formatted the way DXF
// writers conventionally do (group code right-aligned in three columns, the
// value on the next line) and verbatim byte ranges copied from a file that
// was read. The finished buffer is saved with dxfSaveAtomically().
#include "DxfDocument.h"
#include "DxfTag.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

class DxfWriter {
public:
    explicit DxfWriter(DxfLineEnding lineEnding = DxfLineEnding::Lf) : lineEnding_(lineEnding) {}

    void reserve(size_t bytes) { out_.reserve(bytes); }

    // A value already in the file's encoding (see dxfEncodeText). Throws
    // DxfError when it holds a line break, which would shift every later tag.
    void text(int code, std::string_view value);
    // Shortest text that reads back as the same double. Throws DxfError for
    // NaN and infinities, which no DXF reader accepts.
    void real(int code, double value);
    void integer(int code, int64_t value);
    void boolean(int code, bool value) { integer(code, value ? 1 : 0); }
    void handle(int code, uint64_t value);  // upper-case hexadecimal
    // Binary data as hexadecimal, split into tags of at most 127 bytes (254
    // characters), the longest value line the format allows for them.
    void binary(int code, std::span<const uint8_t> data);
    // A tag that was read, with its original value text.
    void tag(const DxfTag& tag) { text(tag.code, tag.value); }
    // Bytes copied as they are: unchanged records, variables, sections.
    void verbatim(std::string_view bytes) { out_.append(bytes); }

    std::string_view view() const { return out_; }
    size_t size() const { return out_.size(); }
    std::string release() { return std::move(out_); }
    // Writes the buffer to `path` atomically (see dxfSaveAtomically).
    void save(const std::filesystem::path& path) const;

private:
    void code(int code);
    void endLine()
    {
        if (lineEnding_ == DxfLineEnding::CrLf)
            out_ += '\r';
        out_ += '\n';
    }

    std::string out_;
    DxfLineEnding lineEnding_;
};
