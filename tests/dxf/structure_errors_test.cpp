// Every way a file can be broken gives a DxfError naming the line and what
// was wrong, never a crash or a half-read drawing.
#include "DxfTestSupport.h"

#include <algorithm>
#include <tuple>
#include <vector>

using namespace dxftest;

namespace {

std::string firstLines(size_t count)
{
    return smallDrawingEdited(count + 1, 158, {});  // smallDrawing() has 158 lines
}

} // namespace

TEST(DxfStructureErrors, TruncatedFileNamesTheSectionItEndsIn)
{
    EXPECT_EQ(parseError(smallDrawing()), "");
    EXPECT_EQ(parseError(firstLines(110)), "line 111: unexpected end of file inside section ENTITIES");
    // Cut between a group code and its value.
    EXPECT_EQ(parseError(firstLines(109)), "line 110: unexpected end of file inside section ENTITIES");
    EXPECT_EQ(parseError(firstLines(40)), "line 41: unexpected end of file inside section TABLES");
    EXPECT_EQ(parseError(firstLines(15)), "line 16: unexpected end of file inside section HEADER");
    EXPECT_EQ(parseError(firstLines(2)), "line 3: unexpected end of file: section name missing after SECTION");
    EXPECT_EQ(parseError(firstLines(156)), "line 157: unexpected end of file: the 'EOF' marker is missing");
    EXPECT_EQ(parseError(""), "line 1: unexpected end of file: the 'EOF' marker is missing");
}

TEST(DxfStructureErrors, BadGroupCodeAndBadStructuralValues)
{
    EXPECT_EQ(parseError(smallDrawingEdited(77, 77, {"abc"})), "line 77: group code expected, found 'abc'");
    EXPECT_EQ(parseError(smallDrawingEdited(97, 97, {"5x"})), "line 97: group code expected, found '5x'");
    // Handles and owners are read while splitting: a bad one (some writers
    // leave them empty) is left out with a warning naming it, and the
    // record read without it.
    for (const auto& [line, value, warning] :
         {std::tuple{98, "3X", "line 98: the LINE has '3X' where its handle belongs; it gets a new handle"},
          std::tuple{98, "", "line 98: the LINE has '' where its handle belongs; it gets a new handle"},
          std::tuple{106, "-1", "line 106: the LINE has '-1' where its owner belongs; the table, block or section "
                                "it stands in owns it"}}) {
        DxfDocument doc = DxfDocument::parse(smallDrawingEdited(line, line, {value}));
        EXPECT_TRUE(doc.repaired());
        ASSERT_EQ(doc.warnings().size(), 1u) << value;
        EXPECT_EQ(doc.warnings()[0], warning);
        auto bad = std::find_if(doc.records().begin(), doc.records().end(),
                                [](const DxfRecord& r) { return r.firstLine == 95; });
        ASSERT_NE(bad, doc.records().end());
        EXPECT_EQ(line == 98 ? bad->handle : bad->owner, 0u);
        // Listed for a writer that copies the record, by the group code's line.
        ASSERT_EQ(doc.unreadHandles().size(), 1u);
        EXPECT_EQ(doc.records()[doc.unreadHandles()[0].record].firstLine, 95u);
        EXPECT_EQ(doc.unreadHandles()[0].line, uint32_t(line - 1));
    }
    try {
        DxfDocument::parse(smallDrawingEdited(77, 77, {"abc"}));
        FAIL() << "no error";
    } catch (const DxfError& e) {
        EXPECT_EQ(e.line(), 77u);
        EXPECT_EQ(e.description(), "group code expected, found 'abc'");
    }
}

TEST(DxfStructureErrors, SectionsTablesAndBlocksMustBeClosed)
{
    EXPECT_EQ(parseError(smallDrawingEdited(139, 140, {"999", "lost ENDSEC"})),
              "line 141: section ENTITIES never closed: SECTION found before ENDSEC");
    EXPECT_EQ(parseError(smallDrawingEdited(155, 156, {"999", "lost ENDSEC"})),
              "line 157: section OBJECTS never closed: EOF found before ENDSEC");
    EXPECT_EQ(parseError(smallDrawingEdited(59, 60, {"999", "x"})),
              "line 61: table 'DIMSTYLE' never closed: ENDSEC found before ENDTAB");
    EXPECT_EQ(parseError(smallDrawingEdited(27, 36, {"999", "no table head"})),
              "line 29: 'TABLE' expected in section TABLES, found 'DIMSTYLE'");
    EXPECT_EQ(parseError(smallDrawingEdited(83, 88, {})),
              "line 83: block '*D1' never closed: ENDSEC found before ENDBLK");
    EXPECT_EQ(parseError(smallDrawingEdited(67, 82, {})), "line 67: ENDBLK without BLOCK");
    EXPECT_EQ(parseError(smallDrawingEdited(67, 74, {})), "line 67: 'BLOCK' expected in section BLOCKS, found 'LINE'");
}

TEST(DxfStructureErrors, WrongThingsInWrongPlaces)
{
    EXPECT_EQ(parseError(lines({"  0", "LINE", "  0", "EOF"})), "line 1: 'SECTION' or 'EOF' expected, found 'LINE'");
    EXPECT_EQ(parseError(lines({"  8", "0", "  0", "EOF"})), "line 1: 'SECTION' or 'EOF' expected, found group code 8");
    EXPECT_EQ(parseError(lines({"  0", "SECTION", "  8", "X"})),
              "line 3: section name (group code 2) expected after SECTION, found group code 8");
    EXPECT_EQ(parseError(smallDrawingEdited(13, 20, {"  0", "LINE"})),
              "line 13: unexpected 'LINE' in section HEADER (header variables start with group code 9)");
    EXPECT_EQ(parseError(smallDrawingEdited(8, 8, {"AC1099"})), "line 8: unknown DXF version 'AC1099'");
    // Versions before R12 hold nothing R12 lacks: read as R12, saying so.
    for (const char* older : {"AC1003", "AC1004", "AC1006"}) {
        DxfDocument doc = DxfDocument::parse(smallDrawingEdited(8, 8, {older}));
        EXPECT_EQ(doc.version(), DxfVersion::R12);
        ASSERT_EQ(doc.warnings().size(), 1u);
        EXPECT_NE(doc.warnings()[0].find(std::string("line 8: version ") + older), std::string::npos);
    }
}
