#include "DxfBinary.h"

#include "DxfError.h"
#include "DxfGroupCode.h"
#include "DxfWriter.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

class BinaryReader {
public:
    explicit BinaryReader(std::string_view bytes) : bytes_(bytes), pos_(kDxfBinarySentinel.size()) {}

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

} // namespace

std::string dxfBinaryToText(std::string_view bytes)
{
    BinaryReader in(bytes);
    // Files of R13 and later store group codes in two bytes, older ones in
    // one (255 announcing a two-byte code). Every file starts with group 0,
    // which tells the two apart: two zero bytes, or a zero and the first
    // letter of "SECTION".
    bool twoByteCodes = bytes.size() > 23 && bytes[22] == '\0' && bytes[23] == '\0';
    DxfWriter out;
    out.reserve(bytes.size() * 2);
    while (!in.atEnd()) {
        size_t tagOffset = in.offset();
        auto fail = [&](const std::string& what) -> DxfError {
            return DxfError(0, "binary DXF, byte offset " + std::to_string(tagOffset) + ": " + what);
        };
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
            if (!std::isfinite(v))
                throw fail("value for group code " + std::to_string(code) + " is not a finite number");
            out.real(code, v);
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
            break;
        }
        case DxfValueKind::String:
        case DxfValueKind::Handle: {
            std::string_view value = in.string(tagOffset);
            // What the text form cannot hold: a line feed.
            if (value.find('\n') != std::string_view::npos)
                throw fail("value for group code " + std::to_string(code) + " contains a line break");
            out.text(code, value);
            if (code == 0 && value == "EOF")
                return out.release();
            break;
        }
        }
    }
    return out.release();
}
