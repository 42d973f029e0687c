// Splitting text into tags, and typed access to their values.
#include "DxfTestSupport.h"
#include "DxfTokenizer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

using namespace dxftest;

namespace {

std::vector<DxfTag> allTags(std::string_view text)
{
    std::vector<DxfTag> tags;
    DxfTokenizer tokenizer(text);
    for (DxfTag tag; tokenizer.next(tag);)
        tags.push_back(tag);
    return tags;
}

DxfTag tagOf(int code, std::string_view value)
{
    return DxfTag{code, 9, value};
}

} // namespace

TEST(DxfTagSplitting, LineEndingsBlanksAndOriginalValues)
{
    for (std::string_view text : {"  0\nLINE\n 10\n1.5\n", "  0\r\nLINE\r\n 10\r\n1.5\r\n", "0\nLINE\n\t10 \t\n1.5"}) {
        std::vector<DxfTag> tags = allTags(text);
        ASSERT_EQ(tags.size(), 2u) << text;
        EXPECT_EQ(tags[0].code, 0);
        EXPECT_EQ(tags[0].value, "LINE");
        EXPECT_EQ(tags[1].code, 10);
        EXPECT_EQ(tags[1].value, "1.5");
        EXPECT_EQ(tags[1].line, 3u);
    }
    // Values stay as written: blanks, empty lines, a CR that is no line end.
    std::vector<DxfTag> tags = allTags("  1\n  x  \n1000\n\n  1\na\rb\r\n");
    ASSERT_EQ(tags.size(), 3u);
    EXPECT_EQ(tags[0].value, "  x  ");
    EXPECT_EQ(tags[0].trimmed(), "x");
    EXPECT_EQ(tags[1].value, "");
    EXPECT_EQ(tags[2].value, "a\rb");
}

TEST(DxfTagSplitting, GroupCodeWithoutValueIsDangling)
{
    for (std::string_view text : {"  0\nLINE\n  8", "  0\nLINE\n  8\n"}) {
        DxfTokenizer tokenizer(text);
        DxfTag tag;
        ASSERT_TRUE(tokenizer.next(tag));
        EXPECT_FALSE(tokenizer.next(tag));
        EXPECT_TRUE(tokenizer.danglingCode());
        EXPECT_EQ(tokenizer.line(), 4u);  // where the value should be
    }
}

TEST(DxfTagSplitting, BadGroupCodeLinesNameLineAndContent)
{
    EXPECT_EQ(errorOf([] { allTags("  0\nLINE\nabc\n1\n"); }), "line 3: group code expected, found 'abc'");
    EXPECT_EQ(errorOf([] { allTags("  0\nLINE\n\n1\n"); }), "line 3: group code expected, found ''");
    EXPECT_EQ(errorOf([] { allTags("1 0\nx\n"); }), "line 1: group code expected, found '1 0'");
    EXPECT_EQ(errorOf([] { allTags("10.5\nx\n"); }), "line 1: group code expected, found '10.5'");
    // Garbage is quoted readably and cut short.
    EXPECT_EQ(errorOf([] { allTags(std::string_view("\x01\xFFz\0\n1\n", 6)); }),
              "line 1: group code expected, found '\\x01\\xFFz\\x00'");
    EXPECT_EQ(errorOf([] { allTags(std::string(500, 'q') + "\n1\n"); }),
              "line 1: group code expected, found '" + std::string(40, 'q') + "...'");
}

// The tokenizer reads common tags on a quick path and everything else on a
// general one; whichever path a tag takes, and wherever its lines fall
// against word boundaries and the end of the text, it must come out the same.
TEST(DxfTagSplitting, EveryLayoutOfCodeAndValueLinesReadsTheSame)
{
    std::mt19937 random(7);
    const std::vector<std::string> codeForms = {"%d", "  %d", "%d  ", "\t%d", " %d\t", "        %d", "%d"};
    for (int round = 0; round < 200; ++round) {
        struct Expected {
            int code;
            std::string value;
            uint32_t line;
        };
        std::vector<Expected> expected;
        std::string text;
        uint32_t line = 1;
        const int count = 1 + int(random() % 12);
        for (int i = 0; i < count; ++i) {
            const int code = int(random() % 5) == 0 ? int(random() % 100000) : int(random() % 1072);
            char codeText[32];
            std::snprintf(codeText, sizeof codeText, codeForms[random() % codeForms.size()].c_str(), code);
            std::string value(random() % 20, 'v');
            for (char& c : value)
                c = "ab 1.\r-"[random() % 7];
            if (!value.empty() && value.back() == '\r')
                value.back() = 'x';  // a CR before the LF would be part of the line ending
            const char* end = random() % 3 == 0 ? "\r\n" : "\n";
            text += std::string(codeText) + end + value;
            // A last value without a line end must not be empty: that
            // would be a group code without a value.
            if (i + 1 < count || value.empty() || random() % 2)
                text += end;
            expected.push_back({code, value, line});
            line += 2;
        }
        std::vector<DxfTag> tags = allTags(text);
        ASSERT_EQ(tags.size(), expected.size()) << text;
        for (size_t i = 0; i < tags.size(); ++i) {
            EXPECT_EQ(tags[i].code, expected[i].code) << text;
            EXPECT_EQ(tags[i].value, expected[i].value) << text;
            EXPECT_EQ(tags[i].line, expected[i].line) << text;
        }
    }
}

// Plain decimals are converted by a quick path of our own: it must round
// exactly as the general conversion does.
TEST(DxfTagValues, DecimalsRoundAsTheGeneralConversionDoes)
{
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        std::string text = random() % 2 ? "-" : "";
        const int whole = int(random() % 17), decimals = int(random() % 24);
        for (int d = 0; d < whole; ++d)
            text += char('0' + random() % 10);
        if (decimals > 0 || whole == 0)
            text += '.';
        for (int d = 0; d < decimals; ++d)
            text += char('0' + random() % 10);
        if (text == "-." || text == ".")
            text += '5';
        double expected = 0;
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_EQ(ec, std::errc()) << text;
        ASSERT_EQ(end, text.data() + text.size()) << text;
        EXPECT_EQ(tagOf(40, text).toDouble(), expected) << text;
    }
    // Exactly halfway between two doubles, with 17 digits or more: rounded to even.
    EXPECT_EQ(tagOf(40, "9007199254740993").toDouble(), 9007199254740992.0);
    EXPECT_EQ(tagOf(40, "4503599627370496.5").toDouble(), 4503599627370496.0);
    EXPECT_EQ(tagOf(40, "-4503599627370497.50").toDouble(), -4503599627370498.0);
    EXPECT_TRUE(std::signbit(tagOf(40, "-0.0").toDouble()));
}

TEST(DxfTagValues, NumbersIntegersAndBooleans)
{
    EXPECT_EQ(tagOf(40, "  2.5 ").toDouble(), 2.5);
    EXPECT_EQ(tagOf(40, "+1e3").toDouble(), 1000.0);
    EXPECT_EQ(tagOf(40, "-.5").toDouble(), -0.5);
    EXPECT_EQ(errorOf([] { tagOf(40, "x1").toDouble(); }), "line 10: value for group code 40 is not a number: 'x1'");
    for (std::string_view bad : {"1,5", "", "nan", "inf", "1e999", "1.5x"})
        EXPECT_NE(errorOf([&] { tagOf(40, bad).toDouble(); }), "") << bad;

    EXPECT_EQ(tagOf(70, "     0").toInt(), 0);
    EXPECT_EQ(tagOf(70, "-32768").toInt(), -32768);
    EXPECT_EQ(tagOf(70, "65535").toInt(), 65535);  // unsigned 16-bit flags
    EXPECT_EQ(errorOf([] { tagOf(70, "65536").toInt(); }),
              "line 10: value for group code 70 is out of range for a 16-bit integer: '65536'");
    EXPECT_EQ(tagOf(90, "4294967295").toInt(), 4294967295LL);
    EXPECT_NE(errorOf([] { tagOf(90, "4294967296").toInt(); }), "");
    EXPECT_EQ(tagOf(160, "-9223372036854775808").toInt(), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(errorOf([] { tagOf(70, "1.0").toInt(); }), "line 10: value for group code 70 is not an integer: '1.0'");
    EXPECT_TRUE(tagOf(290, "1").toBool());
    EXPECT_FALSE(tagOf(290, " 0").toBool());
    EXPECT_EQ(errorOf([] { tagOf(290, "yes").toBool(); }), "line 10: value for group code 290 is not a boolean: 'yes'");
}

TEST(DxfTagValues, HandlesAndBinaryChunksAreHexadecimal)
{
    EXPECT_EQ(tagOf(5, "1F").toHandle(), 0x1Fu);
    EXPECT_EQ(tagOf(330, "ffffffffffffffff").toHandle(), ~uint64_t(0));
    EXPECT_EQ(errorOf([] { tagOf(5, "1G").toHandle(); }), "line 10: value for group code 5 is not a handle: '1G'");
    EXPECT_NE(errorOf([] { tagOf(5, "").toHandle(); }), "");
    EXPECT_NE(errorOf([] { tagOf(5, "10000000000000000").toHandle(); }), "");  // 17 digits

    std::vector<uint8_t> bytes;
    tagOf(310, "00FFa1").appendBinary(bytes);
    tagOf(310, "7E").appendBinary(bytes);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0x00, 0xFF, 0xA1, 0x7E}));
    EXPECT_EQ(errorOf([&] { tagOf(310, "ABC").appendBinary(bytes); }),
              "line 10: value for group code 310 is not hexadecimal binary data: 'ABC'");
    EXPECT_NE(errorOf([&] { tagOf(310, "GG").appendBinary(bytes); }), "");
}
