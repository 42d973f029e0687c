#include "DxfCodePage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace {

// Unicode code points of the bytes 0x80-0xFF. 0 marks a byte the code page
// does not define; it decodes to the C1 control of the same value.
constexpr uint16_t kCp1252High[128] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,      // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178, // 98
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7, // A0: Latin-1 from here on
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

constexpr uint16_t kCp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0,      0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0: А..я in order
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

constexpr char32_t kReplacement = 0xFFFD;

const uint16_t* highTable(DxfCodePage codePage)
{
    return codePage == DxfCodePage::Ansi1251 ? kCp1251High : kCp1252High;
}

char32_t decodeHighByte(const uint16_t* table, unsigned char byte)
{
    uint16_t cp = table[byte - 0x80];
    return cp ? cp : char32_t(byte);
}

// Code point -> byte, sorted by code point, for the way back.
using ReverseTable = std::array<std::pair<char32_t, unsigned char>, 128>;

ReverseTable makeReverse(const uint16_t* table)
{
    ReverseTable reverse{};
    for (int i = 0; i < 128; ++i) {
        auto byte = static_cast<unsigned char>(0x80 + i);
        reverse[i] = {decodeHighByte(table, byte), byte};
    }
    std::sort(reverse.begin(), reverse.end());
    return reverse;
}

int encodeToByte(DxfCodePage codePage, char32_t cp)
{
    static const ReverseTable r1252 = makeReverse(kCp1252High);
    static const ReverseTable r1251 = makeReverse(kCp1251High);
    const ReverseTable& reverse = codePage == DxfCodePage::Ansi1251 ? r1251 : r1252;
    auto it = std::lower_bound(reverse.begin(), reverse.end(), std::pair<char32_t, unsigned char>(cp, 0));
    if (it != reverse.end() && it->first == cp)
        return it->second;
    return -1;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Reads one UTF-8 sequence at text[i]; advances i. Invalid sequences
// (overlong, surrogates, beyond U+10FFFF, cut short) give U+FFFD and
// advance by one byte.
char32_t readUtf8(std::string_view text, size_t& i)
{
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char b0 = byte(i);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, cp = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, cp = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, cp = b0 & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return kReplacement;
    }
    if (i + length > text.size()) {
        ++i;
        return kReplacement;
    }
    for (int k = 1; k < length; ++k) {
        unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kReplacement;
    }
    i += length;
    return cp;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Whether a caret followed by `next` stands for one character: "^J" for a
// control character (here a line feed), "^ " for the caret itself. A caret
// before anything else is read as it stands.
bool caretEscapes(char next)
{
    return next == ' ' || (next >= '@' && next <= '_');
}

// The value of a "\U+XXXX" escape at text[i], or -1 when there is none.
long escapeAt(std::string_view text, size_t i)
{
    if (i + 7 > text.size() || text[i] != '\\' || text[i + 1] != 'U' || text[i + 2] != '+')
        return -1;
    long value = 0;
    for (size_t k = i + 3; k < i + 7; ++k) {
        int d = hexDigit(text[k]);
        if (d < 0)
            return -1;
        value = value * 16 + d;
    }
    return value;
}

void appendEscape(std::string& out, char32_t unit)
{
    static const char hex[] = "0123456789ABCDEF";
    out += "\\U+";
    out += hex[(unit >> 12) & 15];
    out += hex[(unit >> 8) & 15];
    out += hex[(unit >> 4) & 15];
    out += hex[unit & 15];
}

void appendEscapedCodePoint(std::string& out, char32_t cp)
{
    if (cp < 0x10000) {
        appendEscape(out, cp);
        return;
    }
    char32_t v = cp - 0x10000;
    appendEscape(out, 0xD800 + (v >> 10));
    appendEscape(out, 0xDC00 + (v & 0x3FF));
}

char toUpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

std::optional<DxfCodePage> dxfCodePageFromName(std::string_view dwgcodepage)
{
    std::string upper;
    for (char c : dwgcodepage)
        if (c != ' ' && c != '\t')
            upper += toUpperAscii(c);
    if (upper == "ANSI_1252")
        return DxfCodePage::Ansi1252;
    if (upper == "ANSI_1251")
        return DxfCodePage::Ansi1251;
    return std::nullopt;
}

std::string_view dxfCodePageName(DxfCodePage codePage)
{
    return codePage == DxfCodePage::Ansi1251 ? "ANSI_1251" : "ANSI_1252";
}

DxfCodePage dxfTextCodePage(DxfVersion version, std::string_view dwgcodepage, std::string* warning)
{
    if (dxfVersionUsesUtf8(version))
        return DxfCodePage::Utf8;
    if (dwgcodepage.empty())
        return DxfCodePage::Ansi1252;
    if (std::optional<DxfCodePage> known = dxfCodePageFromName(dwgcodepage))
        return *known;
    if (warning)
        *warning = "code page '" + std::string(dwgcodepage) + "' is not supported; text is read as ANSI_1252";
    return DxfCodePage::Ansi1252;
}

bool dxfTextIsPlain(std::string_view text)
{
    for (char c : text) {
        auto u = static_cast<unsigned char>(c);
        if (u >= 0x80 || u < 0x20 || c == '\\' || c == '^')
            return false;
    }
    return true;
}

std::string dxfDecodeText(std::string_view fileText, DxfCodePage codePage)
{
    if (dxfTextIsPlain(fileText))
        return std::string(fileText);
    std::string out;
    out.reserve(fileText.size() + fileText.size() / 2);
    const uint16_t* table = highTable(codePage);
    size_t i = 0;
    while (i < fileText.size()) {
        auto c = static_cast<unsigned char>(fileText[i]);
        if (c == '^' && i + 1 < fileText.size() && caretEscapes(fileText[i + 1])) {
            out += fileText[i + 1] == ' ' ? '^' : static_cast<char>(fileText[i + 1] - 0x40);
            i += 2;
        } else if (c == '\\') {
            long unit = escapeAt(fileText, i);
            if (unit < 0) {
                out += '\\';
                ++i;
                continue;
            }
            i += 7;
            char32_t cp = static_cast<char32_t>(unit);
            if (cp >= 0xD800 && cp <= 0xDBFF) {
                long low = escapeAt(fileText, i);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
                    i += 7;
                } else {
                    cp = kReplacement;
                }
            } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                cp = kReplacement;
            }
            appendUtf8(out, cp);
        } else if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
        } else if (codePage == DxfCodePage::Utf8) {
            appendUtf8(out, readUtf8(fileText, i));
        } else {
            appendUtf8(out, decodeHighByte(table, c));
            ++i;
        }
    }
    return out;
}

std::string dxfEncodeText(std::string_view utf8, DxfCodePage codePage)
{
    if (dxfTextIsPlain(utf8))
        return std::string(utf8);
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 4);
    size_t i = 0;
    while (i < utf8.size()) {
        if (utf8[i] == '\\') {
            // Would read back as an escape: protect the backslash itself.
            if (escapeAt(utf8, i) >= 0)
                appendEscape(out, '\\');
            else
                out += '\\';
            ++i;
            continue;
        }
        char32_t cp = readUtf8(utf8, i);
        if (cp < 0x20) {
            // A control character: a line feed or carriage return would end
            // the line, and others are written as readers expect them.
            out += '^';
            out += static_cast<char>(cp + 0x40);
        } else if (cp == '^') {
            // A caret and the character after it would read as one.
            out += "^ ";
        } else if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (codePage == DxfCodePage::Utf8) {
            appendUtf8(out, cp);
        } else {
            int byte = encodeToByte(codePage, cp);
            if (byte >= 0)
                out += static_cast<char>(byte);
            else
                appendEscapedCodePoint(out, cp);
        }
    }
    return out;
}
