// Binary DXF in and out: both group code widths, every value kind,
// truncation, values with line breaks, and the way back to binary.
#include "DxfBinary.h"
#include "DxfTestSupport.h"

#include <cstring>
#include <limits>
#include <map>

using namespace dxftest;

namespace {

// Binary DXF laid out the way writers do it.
struct BinaryBuilder {
    bool twoByte = true;
    std::string out{kDxfBinarySentinel};

    template <typename T>
    void put(T v) { out.append(reinterpret_cast<const char*>(&v), sizeof v); }
    BinaryBuilder& code(int c)
    {
        if (twoByte || c >= 255) {
            if (!twoByte)
                out += '\xFF';
            put<int16_t>(static_cast<int16_t>(c));
        } else {
            out += static_cast<char>(c);
        }
        return *this;
    }
    BinaryBuilder& text(int c, std::string_view s) { code(c).out.append(s).append(1, '\0'); return *this; }
    template <typename T>
    BinaryBuilder& value(int c, T v) { code(c).put<T>(v); return *this; }
};

std::string sample(bool twoByte, const char* version)
{
    BinaryBuilder b{twoByte};
    b.text(0, "SECTION").text(2, "HEADER").text(9, "$ACADVER").text(1, version);
    b.text(9, "$DWGCODEPAGE").text(3, "ANSI_1251").text(0, "ENDSEC").text(0, "SECTION").text(2, "ENTITIES");
    b.text(0, "LINE").text(5, "2F").text(8, "\xD1\xEB\xEE\xE9").value<double>(10, 0.1).value<int16_t>(62, -7);
    b.value<int32_t>(90, -100000).value<int64_t>(160, int64_t(1) << 40).value<uint8_t>(290, 1);
    b.code(310).out.append("\x03\x00\x01\xAB", 4);
    b.text(1001, "APP").value<int16_t>(1070, 12).value<int32_t>(1071, 7).value<double>(1040, 1.0 / 3);
    b.text(0, "ENDSEC").text(0, "EOF");
    return b.out;
}

} // namespace

TEST(DxfBinaryReading, EveryValueKindInBothGroupCodeWidths)
{
    for (bool twoByte : {true, false}) {
        DxfDocument doc = DxfDocument::parse(sample(twoByte, twoByte ? "AC1015" : "AC1009"));
        EXPECT_TRUE(doc.wasBinary());
        EXPECT_EQ(doc.version(), twoByte ? DxfVersion::R2000 : DxfVersion::R12);
        const DxfRecord& line = doc.records().at(0);
        EXPECT_EQ(line.handle, 0x2Fu);
        std::map<int, DxfTag> tags;
        for (const DxfTag& tag : doc.tags(line))
            tags[tag.code] = tag;
        EXPECT_EQ(doc.text(tags[8]), "Слой");
        EXPECT_EQ(tags[10].toDouble(), 0.1);
        EXPECT_EQ(tags[62].toInt(), -7);
        EXPECT_EQ(tags[90].toInt(), -100000);
        EXPECT_EQ(tags[160].toInt(), int64_t(1) << 40);
        EXPECT_TRUE(tags[290].toBool());
        EXPECT_EQ(tags[310].value, "0001AB");
        EXPECT_EQ(tags[1070].toInt(), 12);
        EXPECT_EQ(tags[1071].toInt(), 7);  // an escaped code in the one-byte form
        EXPECT_EQ(tags[1040].toDouble(), 1.0 / 3);
    }
    TempFolder folder;
    writeFile(folder / "b.dxf", sample(true, "AC1032"));
    EXPECT_EQ(DxfDocument::load(folder / "b.dxf").codePage(), DxfCodePage::Utf8);
}

TEST(DxfBinaryReading, TruncationAndBadValuesNameTheByteOffset)
{
    std::string full = sample(true, "AC1015");
    for (size_t n = kDxfBinarySentinel.size(); n < full.size(); ++n)
        EXPECT_NE(parseError(full.substr(0, n)), "") << n;

    BinaryBuilder head;
    head.text(0, "SECTION");  // 32 bytes
    EXPECT_EQ(parseError(head.out + std::string("\x0A\x00\x01\x02", 4)),
              "binary DXF, byte offset 32: number cut short by the end of the file");
    EXPECT_EQ(parseError(head.out + std::string("\x00\x00SECT", 6)),
              "binary DXF, byte offset 32: text value not terminated before the end of the file");
    EXPECT_EQ(parseError(head.value<double>(40, std::numeric_limits<double>::quiet_NaN()).out),
              "binary DXF, byte offset 32: value for group code 40 is not a finite number");
}

TEST(DxfBinaryReading, LineBreaksInValuesSurviveAndTheBinaryFormComesBackTheSame)
{
    // Notes of binary files hold line breaks as they are; the text form
    // holds them as caret escapes, and a caret that would read as one as
    // "^ ", so that the text of the value is what the file held.
    BinaryBuilder b;
    b.text(0, "SECTION").text(2, "HEADER").text(9, "$ACADVER").text(1, "AC1015").text(0, "ENDSEC");
    b.text(0, "SECTION").text(2, "ENTITIES").text(0, "TEXT").text(5, "2A");
    b.text(1, "first\nsecond\r\nthird^Jcaret^ and^").text(-2048, "odd code").text(0, "ENDSEC").text(0, "EOF");
    DxfDocument doc = DxfDocument::parse(b.out);
    std::string value;
    for (const DxfTag& tag : doc.tags(doc.records().at(0)))
        if (tag.code == 1)
            value = doc.text(tag);
    EXPECT_EQ(value, "first\nsecond\r\nthird^Jcaret^ and^");
    EXPECT_EQ(dxfTextToBinary(doc.bytes()), b.out);
    const std::string everyKind = sample(true, "AC1015");
    EXPECT_EQ(dxfTextToBinary(dxfBinaryToText(everyKind)), everyKind);
}
