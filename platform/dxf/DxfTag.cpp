#include "DxfTag.h"

#include "DxfError.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

[[noreturn]] void badValue(const DxfTag& tag, const char* what)
{
    throw DxfError(tag.valueLine(), "value for group code " + std::to_string(tag.code) + " is " + what + ": " +
                                        dxfQuote(tag.value));
}

constexpr int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

namespace {

// The common form of numbers in files, "-12.3456": when the digits make an
// integer below 2^53 and there are at most 22 decimals, both that integer
// and the power of ten are exact doubles, so one division gives the
// correctly rounded value, as the general parser would, at a fraction of
// its cost. Anything else (exponents, long mantissas) is left to it.
// Whether the eight characters in `eight` (the first in the lowest byte)
// are all digits: each byte's high half is 3, and stays 3 with 6 added
// ('9' + 6 is 0x3F; a carry out of a byte that is no digit changes a byte
// that already failed).
inline bool eightDigits(uint64_t eight)
{
    constexpr uint64_t kHighHalves = 0xF0F0F0F0F0F0F0F0ull, kThrees = 0x3030303030303030ull;
    return (eight & kHighHalves) == kThrees && ((eight + 0x0606060606060606ull) & kHighHalves) == kThrees;
}

// The number eight digits spell, the first the most significant: pairs of
// digits combined in each 16-bit lane, then pairs of those in each 32-bit
// lane, then the two halves; no lane overflows into the next.
inline uint64_t valueOfEightDigits(uint64_t eight)
{
    uint64_t d = eight - 0x3030303030303030ull;
    d = (d * 10 + (d >> 8)) & 0x00FF00FF00FF00FFull;           // 10a + b in each 16-bit lane
    d = ((d * ((100ull << 16) + 1)) >> 16) & 0x0000FFFF0000FFFFull;  // 100ab + cd in each 32-bit lane
    return ((d * ((10000ull << 32) + 1)) >> 32) & 0xFFFFFFFFull;  // 10000abcd + efgh
}

// `mantissa` / 10^`decimals` (at most 22), correctly rounded to double,
// for mantissas beyond double's 53 bits: most coordinates are written with
// 17 significant digits. Where long double is x87's extended format, the
// mantissa (below 2^63) and the power of ten (5^22 < 2^64) are exact in its
// 64 bits, and the quotient is rounded once. Rounding that to double gives
// the correctly rounded value unless the quotient fell exactly on a midpoint
// of two doubles: every midpoint is exact in the extended format, so none
// can lie strictly between the quotient and the true value. False (left to
// the general conversion) for a midpoint and elsewhere.
inline bool extendedQuotient(uint64_t mantissa, int decimals, double& value)
{
    if constexpr (std::numeric_limits<long double>::digits == 64 && std::endian::native == std::endian::little) {
        static constexpr long double kPowersOfTen[] = {
            1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L, 1e11L,
            1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L};
        if (mantissa >= (uint64_t(1) << 63))
            return false;
        const long double quotient = static_cast<long double>(static_cast<int64_t>(mantissa)) / kPowersOfTen[decimals];
        uint64_t significand = 0;  // the format's explicit 64-bit significand comes first
        std::memcpy(&significand, &quotient, sizeof significand);
        if ((significand & 0x7FF) == 0x400)
            return false;
        value = static_cast<double>(quotient);
        return true;
    }
    return false;
}

bool parsePlainDecimal(std::string_view text, double& value)
{
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char* p = text.data();
    const char* end = p + text.size();
    const bool negative = p < end && *p == '-';
    p += negative;
    // The whole part, then the decimals: eight digits at a time while
    // there are eight, then one at a time; a mantissa that overflows has
    // more than 19 digits and is refused below.
    uint64_t mantissa = 0;
    auto digitsFrom = [&](const char* from) {
        if constexpr (std::endian::native == std::endian::little)
            for (uint64_t eight; end - p >= 8; p += 8) {
                std::memcpy(&eight, p, 8);
                if (!eightDigits(eight))
                    break;
                mantissa = mantissa * 100000000 + valueOfEightDigits(eight);
            }
        for (unsigned d; p < end && (d = static_cast<unsigned char>(*p - '0')) < 10; ++p)
            mantissa = mantissa * 10 + d;
        return static_cast<int>(p - from);
    };
    int digits = digitsFrom(p);
    int decimals = 0;
    if (p < end && *p == '.') {
        ++p;
        decimals = digitsFrom(p);
        digits += decimals;
    }
    if (p != end || digits > 19)
        return false;
    if (digits == 0 || decimals > 22)
        return false;
    double magnitude = 0;
    if (mantissa <= (uint64_t(1) << 53))
        magnitude = static_cast<double>(mantissa) / kPowersOfTen[decimals];
    else if (!extendedQuotient(mantissa, decimals, magnitude))
        return false;
    value = negative ? -magnitude : magnitude;
    return true;
}

} // namespace

bool dxfParseDouble(std::string_view text, double& value)
{
    text = dxfTrim(text);
    // from_chars takes no leading '+', some writers put one.
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    if (parsePlainDecimal(text, value))
        return true;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

bool dxfParseInt(std::string_view text, int64_t& value)
{
    text = dxfTrim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

bool dxfParseHandle(std::string_view text, uint64_t& value)
{
    text = dxfTrim(text);
    if (text.empty() || text.size() > 16)
        return false;
    // Every record has a handle and an owner: one look-up a digit, and one
    // test for a bad digit at the end.
    static constexpr auto kDigitValues = [] {
        std::array<uint8_t, 256> values{};
        values.fill(0xFF);
        for (int c = 0; c < 256; ++c)
            if (hexDigit(static_cast<char>(c)) >= 0)
                values[static_cast<std::size_t>(c)] = static_cast<uint8_t>(hexDigit(static_cast<char>(c)));
        return values;
    }();
    uint64_t v = 0;
    uint8_t bad = 0;
    for (char c : text) {
        const uint8_t d = kDigitValues[static_cast<unsigned char>(c)];
        bad |= d;
        v = (v << 4) | (d & 0x0F);
    }
    if (bad & 0xF0)
        return false;
    value = v;
    return true;
}

std::string_view DxfTag::trimmed() const
{
    return dxfTrim(value);
}

double DxfTag::parseDouble() const
{
    double v = 0;
    if (!dxfParseDouble(value, v))
        badValue(*this, "not a number");
    return v;
}

int64_t DxfTag::toInt() const
{
    int64_t v = 0;
    if (!dxfParseInt(value, v))
        badValue(*this, "not an integer");
    // Writers differ in whether they treat 16- and 32-bit fields as signed or
    // unsigned (flags, colours), so both readings are accepted.
    switch (kind()) {
    case DxfValueKind::Int16:
        if (v < -32768 || v > 65535)
            badValue(*this, "out of range for a 16-bit integer");
        break;
    case DxfValueKind::Int32:
        if (v < std::numeric_limits<int32_t>::min() || v > int64_t(std::numeric_limits<uint32_t>::max()))
            badValue(*this, "out of range for a 32-bit integer");
        break;
    default:
        break;
    }
    return v;
}

bool DxfTag::toBool() const
{
    int64_t v = 0;
    if (!dxfParseInt(value, v))
        badValue(*this, "not a boolean");
    return v != 0;
}

uint64_t DxfTag::toHandle() const
{
    uint64_t v = 0;
    if (!dxfParseHandle(value, v))
        badValue(*this, "not a handle");
    return v;
}

namespace {

// The common forms, "-12.375" and "70", told apart from everything else by
// one look at each character, which costs less than converting them: every
// tag of every record passes here. Anything else is left to the parsers.
bool plainNumber(std::string_view text, bool decimalPoint, size_t maxDigits)
{
    size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    i += i < text.size() && text[i] == '-';
    size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.' && decimalPoint && !point)
            point = true;
        else
            break;
    }
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i == text.size() && digits > 0 && digits <= maxDigits;
}

} // namespace

void dxfCheckNumber(const DxfTag& tag, DxfValueKind kind)
{
    // Up to 4 digits fit every integer kind; up to 17 digits are a number.
    if ((kind == DxfValueKind::Double && plainNumber(tag.value, true, 17)) ||
        ((kind == DxfValueKind::Int16 || kind == DxfValueKind::Int32 || kind == DxfValueKind::Int64 ||
          kind == DxfValueKind::Bool) && plainNumber(tag.value, false, 4)))
        return;
    switch (kind) {
    case DxfValueKind::Double:
        tag.toDouble();
        break;
    case DxfValueKind::Int16:
    case DxfValueKind::Int32:
    case DxfValueKind::Int64:
        tag.toInt();
        break;
    case DxfValueKind::Bool:
        tag.toBool();
        break;
    default:
        break;
    }
}

void DxfTag::appendBinary(std::vector<uint8_t>& out) const
{
    std::string_view text = trimmed();
    if (text.size() % 2 != 0)
        badValue(*this, "not hexadecimal binary data");
    out.reserve(out.size() + text.size() / 2);
    for (size_t i = 0; i < text.size(); i += 2) {
        int hi = hexDigit(text[i]), lo = hexDigit(text[i + 1]);
        if (hi < 0 || lo < 0)
            badValue(*this, "not hexadecimal binary data");
        out.push_back(static_cast<uint8_t>(hi * 16 + lo));
    }
}
