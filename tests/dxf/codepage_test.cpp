// Text encodings: the legacy code pages, UTF-8 and \U+ escapes.
#include "DxfCodePage.h"

#include <gtest/gtest.h>

const DxfCodePage kAllPages[] = {DxfCodePage::Utf8, DxfCodePage::Ansi1251, DxfCodePage::Ansi1252};

TEST(DxfCodePages, CyrillicAndWesternBothWays)
{
    EXPECT_EQ(dxfDecodeText("\xD0\xE0\xE7\xEC\xE5\xF0\xFB \xA8\xB8\xB9", DxfCodePage::Ansi1251), "Размеры Ёё№");
    EXPECT_EQ(dxfEncodeText("Размеры ҐґЎў€", DxfCodePage::Ansi1251), "\xD0\xE0\xE7\xEC\xE5\xF0\xFB \xA5\xB4\xA1\xA2\x88");
    EXPECT_EQ(dxfDecodeText("Cotes \xE9\xE8 \x80 \x96 \x9F", DxfCodePage::Ansi1252), "Cotes éè € – Ÿ");
    EXPECT_EQ(dxfEncodeText("Cotes éè € – Ÿ ½", DxfCodePage::Ansi1252), "Cotes \xE9\xE8 \x80 \x96 \x9F \xBD");
}

TEST(DxfCodePages, EveryByteSurvivesARoundTrip)
{
    // Bytes a code page leaves undefined (0x81 in 1252, 0x98 in 1251) too:
    // a file read and written again must not lose them.
    std::string bytes;
    for (int b = 0x80; b <= 0xFF; ++b)
        bytes += static_cast<char>(b);
    for (DxfCodePage page : {DxfCodePage::Ansi1251, DxfCodePage::Ansi1252})
        EXPECT_EQ(dxfEncodeText(dxfDecodeText(bytes, page), page), bytes);
}

TEST(DxfCodePages, EscapesForWhatTheCodePageLacks)
{
    EXPECT_EQ(dxfEncodeText("Cotes é", DxfCodePage::Ansi1251), "Cotes \\U+00E9");
    EXPECT_EQ(dxfEncodeText("Ж⌀", DxfCodePage::Ansi1252), "\\U+0416\\U+2300");
    EXPECT_EQ(dxfEncodeText("Ж⌀𝛼", DxfCodePage::Utf8), "Ж⌀𝛼");
    // Beyond the basic plane: a surrogate pair of escapes.
    EXPECT_EQ(dxfEncodeText("𝛼", DxfCodePage::Ansi1252), "\\U+D835\\U+DEFC");
    for (DxfCodePage page : kAllPages) {
        EXPECT_EQ(dxfDecodeText("\\U+D835\\U+DEFC", page), "𝛼");
        EXPECT_EQ(dxfDecodeText("\\U+0420\\U+0430 \\U+00e9", page), "Ра é");
        // Not escapes: too short, not hexadecimal, cut off, lower-case u.
        EXPECT_EQ(dxfDecodeText("\\U+12 \\U+XYZW \\u+0041 \\U+", page), "\\U+12 \\U+XYZW \\u+0041 \\U+");
        EXPECT_EQ(dxfDecodeText("a\\U+D800b", page), "a\uFFFDb");  // a lone surrogate
    }
}

TEST(DxfCodePages, LiteralEscapeTextSurvivesARoundTrip)
{
    // A user who types "\U+0041" must get that text back, not an "A".
    for (DxfCodePage page : kAllPages) {
        std::string text = "C:\\U+0041\\path \\ \\U+ Я";
        EXPECT_EQ(dxfDecodeText(dxfEncodeText(text, page), page), text);
    }
    EXPECT_EQ(dxfEncodeText("\\U+0041", DxfCodePage::Utf8), "\\U+005CU+0041");
}

TEST(DxfCodePages, ControlCharactersAndCaretsTravelAsCaretEscapes)
{
    // A caret before a character reads as a control character in every
    // reader: a stacked text's caret gets the blank that keeps it a caret,
    // and line breaks, which the text form cannot hold, become escapes.
    EXPECT_EQ(dxfEncodeText("\\S+0.10^-0.02;", DxfCodePage::Utf8), "\\S+0.10^ -0.02;");
    EXPECT_EQ(dxfEncodeText("a\nb\rc\td", DxfCodePage::Ansi1252), "a^Jb^Mc^Id");
    EXPECT_EQ(dxfDecodeText("a^Jb^Mc^ d^-e^", DxfCodePage::Utf8), "a\nb\rc^d^-e^");
    for (DxfCodePage page : kAllPages) {
        const std::string text = std::string("^^ ^J\x1f\0end^", 11) + "\r\n";
        const std::string encoded = dxfEncodeText(text, page);
        EXPECT_EQ(encoded.find_first_of("\r\n"), std::string::npos);
        EXPECT_EQ(dxfDecodeText(encoded, page), text);
    }
}

TEST(DxfCodePages, InvalidUtf8BecomesReplacementCharacters)
{
    EXPECT_EQ(dxfDecodeText("a\xFF" "b\xC3", DxfCodePage::Utf8), "a\uFFFDb\uFFFD");
    EXPECT_EQ(dxfDecodeText("\xC0\xAF", DxfCodePage::Utf8), "\uFFFD\uFFFD");              // overlong
    EXPECT_EQ(dxfDecodeText("\xED\xA0\x80", DxfCodePage::Utf8), "\uFFFD\uFFFD\uFFFD");   // surrogate
    EXPECT_EQ(dxfEncodeText("a\xFF", DxfCodePage::Ansi1252), "a\\U+FFFD");
}

TEST(DxfCodePages, EncodingFollowsVersionAndCodePageName)
{
    std::string warning;
    EXPECT_EQ(dxfTextCodePage(DxfVersion::R2007, "ANSI_1251", &warning), DxfCodePage::Utf8);
    EXPECT_EQ(dxfTextCodePage(DxfVersion::R2004, "ANSI_1251", &warning), DxfCodePage::Ansi1251);
    EXPECT_EQ(dxfTextCodePage(DxfVersion::R12, "ansi_1251", &warning), DxfCodePage::Ansi1251);
    EXPECT_EQ(dxfTextCodePage(DxfVersion::R2000, "", &warning), DxfCodePage::Ansi1252);
    EXPECT_TRUE(warning.empty());
    EXPECT_EQ(dxfTextCodePage(DxfVersion::R2000, "ANSI_936", &warning), DxfCodePage::Ansi1252);
    EXPECT_EQ(warning, "code page 'ANSI_936' is not supported; text is read as ANSI_1252");

    for (const char* name : {"AC1009", "AC1012", "AC1014", "AC1015", "AC1018", "AC1021", "AC1024", "AC1027", "AC1032"})
        EXPECT_EQ(dxfVersionName(dxfVersionFromName(name).value()), name);
    EXPECT_FALSE(dxfVersionFromName("AC1033").has_value());
    EXPECT_FALSE(dxfVersionFromName("ac1015").has_value());
}
