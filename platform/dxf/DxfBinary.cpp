#include "DxfBinary.h"

#include "DxfError.h"
#include "DxfGroupCode.h"
#include "DxfTokenizer.h"
#include "DxfWriter.h"

#include <algorithm>
#include <vector>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

class BinaryReader {
public:
    BinaryReader(std::string_view bytes, size_t start) : bytes_(bytes), pos_(std::min(start, bytes.size())) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }
    size_t offset() const { return pos_; }

    const char* take(size_t n, size_t tagOffset, const char* what)
    {
        if (bytes_.size() - pos_ < n)
            throw DxfError(0, "binary DXF, byte offset " + std::to_string(tagOffset) + ": " + what +
                                  " cut short by the end of the file");
        const char* p = bytes_.data() + pos_;
        pos_ += n;
        return p;
    }

    template <typename T>
    T number(size_t tagOffset, const char* what)
    {
        static_assert(std::endian::native == std::endian::little, "binary DXF is little-endian");
        T value;
        std::memcpy(&value, take(sizeof(T), tagOffset, what), sizeof(T));
        return value;
    }

    std::string_view string(size_t tagOffset)
    {
        size_t end = bytes_.find('\0', pos_);
        if (end == std::string_view::npos)
            throw DxfError(0, "binary DXF, byte offset " + std::to_string(tagOffset) +
                                  ": text value not terminated before the end of the file");
        std::string_view s = bytes_.substr(pos_, end - pos_);
        pos_ = end + 1;
        return s;
    }

private:
    std::string_view bytes_;
    size_t pos_;
};

// Binary files hold control characters (line breaks in notes) raw; the
// text form holds them as caret escapes. A caret that would start one is
// written "^ " so that it, too, comes back as it was.
bool startsEscape(char c)
{
    return c == ' ' || (c >= '@' && c <= '_');
}

bool needsEscapes(std::string_view value)
{
    for (size_t i = 0; i < value.size(); ++i) {
        if (static_cast<unsigned char>(value[i]) < 0x20)
            return true;
        if (value[i] == '^' && i + 1 < value.size() && startsEscape(value[i + 1]))
            return true;
    }
    return false;
}

std::string escaped(std::string_view value)
{
    std::string out;
    out.reserve(value.size() + 8);
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (static_cast<unsigned char>(c) < 0x20) {
            out += '^';
            out += static_cast<char>(c + 0x40);
        } else if (c == '^' && i + 1 < value.size() && startsEscape(value[i + 1])) {
            out += "^ ";
        } else {
            out += c;
        }
    }
    return out;
}

// The inverse for writing: every caret escape becomes its character.
std::string unescaped(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '^' && i + 1 < value.size() && startsEscape(value[i + 1])) {
            out += value[i + 1] == ' ' ? '^' : static_cast<char>(value[i + 1] - 0x40);
            ++i;
        } else {
            out += value[i];
        }
    }
    return out;
}

template <typename T>
void appendNumber(std::string& out, T value)
{
    static_assert(std::endian::native == std::endian::little, "binary DXF is little-endian");
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.append(bytes, sizeof(T));
}

} // namespace

std::string dxfTextToBinary(std::string_view text, bool oneByteCodes)
{
    std::string out(kDxfBinarySentinel);
    out.reserve(text.size());
    // A byte order mark has no place in a binary file.
    DxfTokenizer tokenizer(text, text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0, 1);
    DxfTag tag;
    std::vector<uint8_t> data;
    auto putCode = [&](int code) {
        if (oneByteCodes && code >= 0 && code < 255) {
            out += static_cast<char>(code);
            return;
        }
        if (oneByteCodes)
            out += static_cast<char>(255);
        appendNumber(out, static_cast<int16_t>(code));
    };
    while (tokenizer.next(tag)) {
        // Binary files hold codes as 16-bit signed numbers, odd ones too.
        if (tag.code < -0x8000 || tag.code > 0x7FFF)
            throw DxfError(tag.line, "group code " + std::to_string(tag.code) + " has no binary form");
        putCode(tag.code);
        switch (tag.kind()) {
        case DxfValueKind::Double:
            appendNumber(out, tag.toDouble());
            break;
        case DxfValueKind::Int16:
            appendNumber(out, static_cast<int16_t>(tag.toInt()));
            break;
        case DxfValueKind::Int32:
            appendNumber(out, static_cast<int32_t>(tag.toInt()));
            break;
        case DxfValueKind::Int64:
            appendNumber(out, static_cast<int64_t>(tag.toInt()));
            break;
        case DxfValueKind::Bool:
            out += static_cast<char>(tag.toInt());
            break;
        case DxfValueKind::Binary: {
            data.clear();
            tag.appendBinary(data);
            // A binary tag holds at most 255 bytes; longer data is split
            // into tags of the same code.
            for (size_t at = 0;;) {
                const size_t n = std::min<size_t>(255, data.size() - at);
                out += static_cast<char>(n);
                out.append(reinterpret_cast<const char*>(data.data()) + at, n);
                at += n;
                if (at >= data.size())
                    break;
                putCode(tag.code);
            }
            break;
        }
        case DxfValueKind::String:
        case DxfValueKind::Handle: {
            const std::string value = unescaped(tag.value);
            if (value.find('\0') != std::string::npos)
                throw DxfError(tag.line, "value for group code " + std::to_string(tag.code) +
                                             " holds a NUL character, which binary DXF cannot hold");
            out += value;
            out += '\0';
            if (tag.code == 0 && dxfTrim(tag.value) == "EOF")
                return out;
            break;
        }
        }
    }
    return out;
}

namespace {

// Decodes the tags from `start` on. Without `partial`, any fault throws;
// with it, decoding stops at the first fault, which it describes, and gives
// the tags before it (and a non-finite number as the text "nan", for the
// caller to judge).
std::string decodeBinary(std::string_view bytes, size_t start, DxfBinaryPartial* partial)
{
    BinaryReader in(bytes, start);
    // Files of R13 and later store group codes in two bytes, older ones in
    // one (255 announcing a two-byte code). Every file starts with group 0,
    // which tells the two apart: two zero bytes, or a zero and the first
    // letter of "SECTION".
    bool twoByteCodes = bytes.size() > start + 1 && bytes[start] == '\0' && bytes[start + 1] == '\0';
    DxfWriter out;
    out.reserve(bytes.size() * 2);
    while (!in.atEnd()) {
        size_t tagOffset = in.offset();
        auto fail = [&](const std::string& what) -> DxfError {
            return DxfError(0, "binary DXF, byte offset " + std::to_string(tagOffset) + ": " + what);
        };
        try {
            int code = 0;
            if (twoByteCodes) {
                code = in.number<int16_t>(tagOffset, "group code");
            } else {
                code = static_cast<unsigned char>(*in.take(1, tagOffset, "group code"));
                if (code == 255)
                    code = in.number<int16_t>(tagOffset, "group code");
            }
            switch (dxfValueKind(code)) {
            case DxfValueKind::Double: {
                double v = in.number<double>(tagOffset, "number");
                if (!std::isfinite(v)) {
                    if (!partial)
                        throw fail("value for group code " + std::to_string(code) + " is not a finite number");
                    out.text(code, "nan");
                } else {
                    out.real(code, v);
                }
                break;
            }
            case DxfValueKind::Int16:
                out.integer(code, in.number<int16_t>(tagOffset, "integer"));
                break;
            case DxfValueKind::Int32:
                out.integer(code, in.number<int32_t>(tagOffset, "integer"));
                break;
            case DxfValueKind::Int64:
                out.integer(code, in.number<int64_t>(tagOffset, "integer"));
                break;
            case DxfValueKind::Bool:
                out.integer(code, static_cast<unsigned char>(*in.take(1, tagOffset, "boolean")));
                break;
            case DxfValueKind::Binary: {
                auto length = static_cast<unsigned char>(*in.take(1, tagOffset, "binary data length"));
                const char* data = in.take(length, tagOffset, "binary data");
                out.binary(code, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(data), length));
                // The text form holds data in tags of 127 bytes: each of
                // them stands at this tag's offset.
                for (size_t more = length > 0 ? (length - 1) / 127 : 0; partial && more > 0; --more)
                    partial->tagOffsets.push_back(tagOffset);
                break;
            }
            case DxfValueKind::String:
            case DxfValueKind::Handle: {
                std::string_view value = in.string(tagOffset);
                if (needsEscapes(value))
                    out.text(code, escaped(value));
                else
                    out.text(code, value);
                if (partial)
                    partial->tagOffsets.push_back(tagOffset);
                if (code == 0 && value == "EOF")
                    return out.release();
                continue;
            }
            }
        } catch (const DxfError& e) {
            if (!partial)
                throw;
            partial->stopOffset = tagOffset;
            partial->stopReason = e.description();
            return out.release();
        }
        if (partial)
            partial->tagOffsets.push_back(tagOffset);
    }
    return out.release();
}

} // namespace

std::string dxfBinaryToText(std::string_view bytes)
{
    return decodeBinary(bytes, kDxfBinarySentinel.size(), nullptr);
}

std::string dxfBinaryToTextPartly(std::string_view bytes, size_t start, DxfBinaryPartial& partial)
{
    return decodeBinary(bytes, start, &partial);
}
