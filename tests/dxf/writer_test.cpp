// Writing tags: layout, exact numbers, and refusal of values that would
// corrupt the file.
#include "DxfTestSupport.h"
#include "DxfTokenizer.h"
#include "DxfWriter.h"

#include <cmath>
#include <limits>
#include <random>

using namespace dxftest;

TEST(DxfWriting, LayoutOfCodesAndValues)
{
    DxfWriter w;
    w.text(0, "SECTION");
    w.integer(70, -3);
    w.text(100, "AcDbEntity");
    w.text(1000, "x");
    w.handle(5, 0x2AF);
    w.integer(160, std::numeric_limits<int64_t>::min());
    w.boolean(290, true);
    w.real(40, 2.5);
    w.real(40, 1.0);
    w.real(40, -0.0);
    w.real(40, 0.1 + 0.2);
    w.real(40, 1e22);
    EXPECT_EQ(w.view(), lines({"  0", "SECTION", " 70", "-3", "100", "AcDbEntity", "1000", "x", "  5", "2AF", "160",
                               "-9223372036854775808", "290", "1", " 40", "2.5", " 40", "1.0", " 40", "-0.0", " 40",
                               "0.30000000000000004", " 40", "1e+22"}));
    DxfWriter crlf(DxfLineEnding::CrLf);
    crlf.text(0, "EOF");
    EXPECT_EQ(crlf.view(), "  0\r\nEOF\r\n");
}

TEST(DxfWriting, RealsReadBackAsTheSameDouble)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> range(-1e6, 1e6);
    for (int i = 0; i < 10000; ++i) {
        double value = std::ldexp(range(random), i % 600 - 300);
        DxfWriter one;
        one.real(10, value);
        DxfTag tag;
        ASSERT_TRUE(DxfTokenizer(one.view()).next(tag));
        ASSERT_EQ(tag.toDouble(), value) << one.view();
    }
}

TEST(DxfWriting, BinaryIsChunkedAndReadsBack)
{
    std::vector<uint8_t> data(130);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7);
    DxfWriter w;
    w.binary(310, data);
    DxfTokenizer tokenizer(w.view());
    std::vector<uint8_t> back;
    int chunks = 0;
    for (DxfTag tag; tokenizer.next(tag); ++chunks) {
        EXPECT_LE(tag.value.size(), 254u);  // the longest the format allows
        tag.appendBinary(back);
    }
    EXPECT_EQ(chunks, 2);
    EXPECT_EQ(back, data);
}

TEST(DxfWriting, ValuesThatWouldBreakTheFileAreRefused)
{
    DxfWriter w;
    EXPECT_EQ(errorOf([&] { w.text(1, "two\nlines"); }), "value for group code 1 contains a line break: 'two\\x0Alines'");
    // Carriage returns are no line endings: inside a value or at its end,
    // they are written and read back as they are (some files have them, and
    // must save again), with either line ending.
    for (DxfLineEnding ending : {DxfLineEnding::Lf, DxfLineEnding::CrLf}) {
        DxfWriter inner(ending);
        inner.text(1, "A\rB");
        inner.text(1, "cr\r");
        inner.text(1, "\r");
        std::vector<DxfTag> tags;
        DxfTokenizer tokenizer(inner.view());
        for (DxfTag t; tokenizer.next(t);)
            tags.push_back(t);
        ASSERT_EQ(tags.size(), 3u);
        EXPECT_EQ(tags[0].value, "A\rB");
        EXPECT_EQ(tags[1].value, "cr\r");
        EXPECT_EQ(tags[2].value, "\r");
    }
    EXPECT_THROW(w.real(40, std::numeric_limits<double>::quiet_NaN()), DxfError);
    EXPECT_THROW(w.real(40, std::numeric_limits<double>::infinity()), DxfError);
    EXPECT_EQ(w.size(), 0u);  // nothing half-written
}

TEST(DxfWriting, TagsKeepTheirOriginalText)
{
    // Re-writing read tags tag by tag gives the bytes back when the file
    // uses the conventional layout, odd value text included.
    std::string text = lines({"  0", "LINE", " 10", "1.50000", " 20", "  -0", "  1", " blanks kept "});
    DxfWriter w;
    DxfTokenizer tokenizer(text);
    for (DxfTag tag; tokenizer.next(tag);)
        w.tag(tag);
    EXPECT_EQ(w.view(), text);
}
