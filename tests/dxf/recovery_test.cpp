// Recovery of drawings whose structure is damaged: what can be read is read,
// misplaced records go where they belong, the rest is dropped, and every
// repair names the line of the file.
#include "DrawingTestSupport.h"

#include "DxfDocument.h"
#include "DxfRecovery.h"
#include "OdDbBlockTableRecord.h"
#include "OdDbEntities.h"

#include <limits>

using namespace dxftest;

namespace {

bool anyRepairSays(const DxfReadReport& report, const std::string& text)
{
    for (const std::string& w : report.warnings)
        if (w.find(text) != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST(DxfRecovery, DamagedStructureIsReadAsFarAsItGoesAndEachRepairIsSaid)
{
    // Stray header variables between sections, a table head gone (its
    // entries stand alone), a block never closed, a line that is no tag.
    const std::string damaged =
        smallDrawingEdited(23, 28, {"  9", "$STRAY", " 70", "1", "  0", "SECTION", "  2", "TABLES", "junk"});
    const std::string broken = smallDrawingEdited(83, 88, {});
    ASSERT_NE(readError(damaged), "");  // what OPEN says
    for (const std::string& text : {damaged, broken}) {
        DxfReadReport report;
        std::unique_ptr<OdDbDatabase> db = recoverDxfDrawingFromBytes(text, report);
        EXPECT_TRUE(report.repaired);
        ASSERT_FALSE(report.warnings.empty());
        EXPECT_EQ(report.warnings[0].rfind("line ", 0), 0u) << report.warnings[0];  // recovery's come first
        // Both styles, the block's line and the three entities are there.
        OdDbSymbolTablePtr styles = db->getDimStyleTableId().safeOpenObject();
        EXPECT_TRUE(styles->has("Standard") && styles->has("Размер$4"));
        OdDbBlockTableRecordPtr block = recordId(*db, db->getBlockTableId(), "*D1").safeOpenObject();
        EXPECT_EQ(block->entityIds().size(), 1u);
        // The repaired form is what a save writes, and it reads plainly.
        DxfReadReport again;
        EXPECT_NO_THROW(readDxfDrawingFromBytes(writeDxfDrawingToBytes(*db), &again));
        EXPECT_FALSE(again.repaired);
    }
    DxfReadReport report;
    recoverDxfDrawingFromBytes(damaged, report);
    EXPECT_TRUE(anyRepairSays(report, "line 23: 2 tag(s) outside any section skipped"));
    EXPECT_TRUE(anyRepairSays(report, "line 31: 1 line(s) holding no group code skipped"));
    EXPECT_TRUE(anyRepairSays(report, "DIMSTYLE outside its table: put into a new DIMSTYLE table"));
    EXPECT_EQ(report.dropped, 0u);
}

TEST(DxfRecovery, RecordsThatCannotBePlacedOrReadAreDroppedAndCounted)
{
    // An entity between blocks, and one whose radius is no number.
    const std::string text = smallDrawingEdited(89, 90, {"  0", "CIRCLE", "  8", "0", " 40", "1.0", "  0", "ENDSEC"});
    const std::string badValue = smallDrawingEdited(137, 138, {" 40", "x1"});
    DxfReadReport outside, unreadable;
    std::unique_ptr<OdDbDatabase> a = recoverDxfDrawingFromBytes(text, outside);
    EXPECT_EQ(outside.dropped, 1u);
    EXPECT_TRUE(anyRepairSays(outside, "line 89: CIRCLE dropped: it stands outside any block"));
    std::unique_ptr<OdDbDatabase> b = recoverDxfDrawingFromBytes(badValue, unreadable);
    EXPECT_EQ(unreadable.dropped, 1u);
    EXPECT_TRUE(anyRepairSays(unreadable, "line 131: CIRCLE dropped:")) << unreadable.warnings.at(0);
    OdDbBlockTableRecordPtr ms = b->getModelSpaceId().safeOpenObject();
    EXPECT_EQ(ms->entityIds().size(), 2u);  // the line and the dimension
    // A value that does not fit its group code, where the record's reader
    // has no use for it (a colour after the text's own subclass marker, an
    // unmodelled record): refused with its line; recovery drops the tag, and
    // the record keeps the default colour.
    for (const char* type : {"MTEXT", "HATCH"}) {
        const std::string file = lines({"  0", "SECTION", "  2", "ENTITIES", "  0", "LINE", "  8", "0", " 11", "1.0",
                                        "  0", type, "100", "AcDbEntity", "  8", "0", "100", "AcDbMText", " 62",
                                        "256QSW", "  1", "note", "  0", "ENDSEC", "  0", "EOF"});
        EXPECT_NE(readError(file).find("line 20: value for group code 62 is not an integer: '256QSW'"),
                  std::string::npos) << readError(file);
        DxfReadReport report;
        std::unique_ptr<OdDbDatabase> db = recoverDxfDrawingFromBytes(file, report);
        EXPECT_EQ(report.dropped, 0u);
        EXPECT_TRUE(anyRepairSays(report, "line 19: group code 62 of " + std::string(type) +
                                              " dropped, the default is used:")) << report.warnings.at(0);
        OdDbBlockTableRecordPtr space = db->getModelSpaceId().safeOpenObject();
        EXPECT_EQ(space->entityIds().size(), 2u);
        EXPECT_EQ(writeDxfDrawingToBytes(*db).find("256QSW"), std::string::npos);
    }
    // A writer that followed its machine's locale: reals with a decimal
    // comma are read with a point, each said; the line stays.
    DxfReadReport commas;
    std::unique_ptr<OdDbDatabase> db = recoverDxfDrawingFromBytes(
        lines({"  0", "SECTION", "  2", "ENTITIES", "  0", "LINE", "  8", "0", " 10", "-6,25", " 11", "0,5", "  0",
               "ENDSEC", "  0", "EOF"}),
        commas);
    EXPECT_EQ(commas.dropped, 0u);
    EXPECT_TRUE(anyRepairSays(commas, "line 9: '-6,25' read as -6.25 (a decimal comma)")) << commas.warnings.at(0);
    OdDbBlockTableRecordPtr space = db->getModelSpaceId().safeOpenObject();
    ASSERT_EQ(space->entityIds().size(), 1u);
    OdDbLinePtr line = OdDbLine::cast(space->entityIds().front().openObject());
    ASSERT_TRUE(line);
    EXPECT_EQ(line->startPoint().x, -6.25);
    EXPECT_EQ(line->endPoint().x, 0.5);
}

namespace {

size_t modelSpaceEntities(const OdDbDatabase& db)
{
    OdDbBlockTableRecordPtr space = db.getModelSpaceId().safeOpenObject();
    return space->entityIds().size();
}

std::string sampleDrawing(DxfForm form)
{
    std::unique_ptr<OdDbDatabase> db = readDxfDrawing(DDS_SOURCE_DIR "/examples/sample.dxf");
    return writeDxfDrawingToBytes(*db, DxfVersion::R2018, form);
}

std::string recoveryError(const std::string& bytes)
{
    DxfReadReport report;
    try {
        recoverDxfDrawingFromBytes(bytes, report);
    } catch (const OdError& e) {
        return e.description();
    }
    return "";
}

} // namespace

TEST(DxfRecovery, WhatHoldsNoDrawingIsRefusedNeverMadeAnEmptyOne)
{
    std::string noise, utf16 = "\xFF\xFE";
    for (unsigned i = 0, x = 7; i < 4000; ++i)
        noise += static_cast<char>((x = x * 1103515245 + 12345) >> 16);
    for (char c : smallDrawing())
        utf16 += std::string{c, '\0'};
    EXPECT_NE(recoveryError("").find("the file is empty"), std::string::npos);
    EXPECT_NE(recoveryError(utf16).find("UTF-16"), std::string::npos);
    for (const std::string& bytes : {noise, std::string("Notes.\nNothing here is a drawing.\n"),
                                     std::string("\x7F" "ELF\x02\x01\x01\0\0\0\0", 11) + noise})
        EXPECT_NE(recoveryError(bytes).find("no DXF structure"), std::string::npos);
    // Every line skipped is a repair, and something the drawing lacks.
    DxfReadReport report;
    recoverDxfDrawingFromBytes(lines({"  0", "SECTION", "  2", "ENTITIES", "junk", "junk", "junk", "  0", "LINE", "  8",
                                      "0", " 10", "1.0", " 20", "1.0", "  0", "ENDSEC", "  0", "EOF"}),
                               report);
    EXPECT_TRUE(anyRepairSays(report, "line 5: 3 line(s) holding no group code skipped"));
    EXPECT_EQ(report.repairs, 3u);
    EXPECT_EQ(report.leftOut, 3u);
    // A binary file whose first line a text tool changed is read as binary;
    // one whose first line lost more is refused.
    const std::string binary = sampleDrawing(DxfForm::Binary);
    std::string lf = binary, cut = binary;
    lf.erase(18, 1);
    cut.erase(20, 1);
    DxfReadReport fromLf;
    std::unique_ptr<OdDbDatabase> db = recoverDxfDrawingFromBytes(lf, fromLf);
    EXPECT_EQ(modelSpaceEntities(*db), 20u);
    EXPECT_TRUE(fromLf.binary);
    EXPECT_NE(recoveryError(cut).find("damaged beyond reading"), std::string::npos);
}

TEST(DxfRecovery, SectionsTablesAndBlocksGivenTwiceAreMergedNotDoubled)
{
    std::string text = sampleDrawing(DxfForm::Text);
    for (const char* name : {"TABLES", "BLOCKS", "ENTITIES"}) {
        const size_t begin = text.find("  0\nSECTION\n  2\n" + std::string(name) + "\n");
        const size_t end = text.find("ENDSEC\n", begin) + 7;
        text.insert(end, text.substr(begin, end - begin));
        if (std::string(name) == "TABLES") {
            // Exact copies dropped: the drawing still holds all the file does.
            DxfReadReport copies;
            recoverDxfDrawingFromBytes(text, copies);
            EXPECT_EQ(copies.leftOut, 0u);
            EXPECT_GT(copies.dropped, 0u);
        }
    }
    DxfReadReport report;
    std::unique_ptr<OdDbDatabase> db = recoverDxfDrawingFromBytes(text, report);
    EXPECT_TRUE(anyRepairSays(report, "BLOCK_RECORD dropped: BLOCK_RECORD '*Model_Space' is given again; the one at line"));
    EXPECT_TRUE(anyRepairSays(report, "LAYER dropped: LAYER '0' is given again"));
    EXPECT_TRUE(anyRepairSays(report, "block '*Model_Space' is given again"));
    EXPECT_TRUE(anyRepairSays(report, "LINE left out: a copy of the one at line"));
    const std::string written = writeDxfDrawingToBytes(*db);
    DxfDocument doc = DxfDocument::parse(written);
    size_t modelSpaces = 0;
    for (const DxfRecord& r : doc.records())
        modelSpaces += r.type == "BLOCK_RECORD" && r.name == "*Model_Space";
    EXPECT_EQ(modelSpaces, 1u);
    EXPECT_EQ(modelSpaceEntities(*readDxfDrawingFromBytes(written)), 20u);
}

TEST(DxfRecovery, BinaryFilesAreRecoveredAsFarAsTheirTagsGoAndToldByByteOffset)
{
    const std::string binary = sampleDrawing(DxfForm::Binary);
    for (double part : {0.5, 0.9, 0.999}) {
        const std::string cut = binary.substr(0, static_cast<size_t>(binary.size() * part));
        ASSERT_NE(readError(cut), "");
        DxfReadReport report;
        std::unique_ptr<OdDbDatabase> db = recoverDxfDrawingFromBytes(cut, report);
        ASSERT_FALSE(report.warnings.empty());
        EXPECT_EQ(report.warnings.front().rfind("byte offset ", 0), 0u) << report.warnings.front();
        for (const std::string& w : report.warnings)
            EXPECT_EQ(w.find("line "), std::string::npos) << w;
        EXPECT_GT(report.leftOut, 0u);
        EXPECT_EQ(modelSpaceEntities(*db) == 20u, part > 0.99) << part;
        EXPECT_NO_THROW(readDxfDrawingFromBytes(writeDxfDrawingToBytes(*db)));
    }
    // A point that is no number: its record goes, named by byte offset.
    std::string nan = binary;
    const size_t line = nan.find(std::string("LINE\0", 5), nan.find(std::string("ENTITIES\0", 9)));
    const size_t x = nan.find(std::string("\x0a\0", 2), line);  // group 10
    const double notANumber = std::numeric_limits<double>::quiet_NaN();
    nan.replace(x + 2, 8, reinterpret_cast<const char*>(&notANumber), 8);
    DxfReadReport report;
    std::unique_ptr<OdDbDatabase> db = recoverDxfDrawingFromBytes(nan, report);
    EXPECT_TRUE(anyRepairSays(report, "LINE dropped: group code 10: 'nan' is no number")) << report.warnings.at(0);
    EXPECT_EQ(modelSpaceEntities(*db), 19u);
}

TEST(DxfRecovery, ValuesThatDoNotFitAndReferencesToNothingAreRepairedAndSaid)
{
    const std::string file = lines({
        "  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1015", "  9", "^^CELWEIGHT", "370", "-1",
        "  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES",                                           // 13-18
        "  0", "LINE", "  5", "A1", "330", "FFFFF", "100", "AcDbEntity", "  8", "0", "100", "AcDbLine", // 19-30
        " 10", "0.0", " 20", "0.0", " 11", "1.0", " 21", "1.0",                                         // 31-38
        "  0", "0", "  8", "0",                                                                         // 39-42
        "  0", "LEADER", "  5", "A2", "100", "AcDbEntity", "  8", "0", "100", "AcDbLeader", " 76", "2", // 43-54
        " 10", "0.0", " 20", "0.0", " 10", "1.0", " 20", "1.0", "340", "FFFFF",                         // 55-64
        "  0", "ACAD_PROXY_ENTITY", "  5", "A3", "  8", "0", "280", "0o281", " 90", "1",                // 65-74
        "  0", "ENDSEC",                                                                                // 75-76
        // An owner given by the name of a record (here its own block) is no
        // owner: names stand for handles only in plain references.
        "  0", "SECTION", "  2", "BLOCKS", "  0", "BLOCK", "  2", "B1", " 70", "0",                     // 77-86
        " 10", "0.0", " 20", "0.0", "  0", "ENDBLK", "330", "B1", "  0", "ENDSEC", "  0", "EOF"});      // 87-98
    DxfReadReport report;
    std::unique_ptr<OdDbDatabase> db = recoverDxfDrawingFromBytes(file, report);
    EXPECT_TRUE(anyRepairSays(report, "line 93: the owner 'B1' of the ENDBLK names no object; it is cleared"));
    EXPECT_TRUE(anyRepairSays(report, "line 9: '^^CELWEIGHT' dropped: it is no variable name"));
    EXPECT_TRUE(anyRepairSays(report, "line 39: a record of type '0' dropped"));
    EXPECT_TRUE(anyRepairSays(report, "line 65: ACAD_PROXY_ENTITY dropped: group code 280: '0o281' is no"));
    EXPECT_TRUE(anyRepairSays(report, "line 23: the owner 'FFFFF' of the LINE names no object; it is cleared"));
    EXPECT_TRUE(anyRepairSays(report, "line 63: reference 340 to 'FFFFF' of the LEADER names no object"));
    EXPECT_EQ(modelSpaceEntities(*db), 2u);
    const std::string written = writeDxfDrawingToBytes(*db);
    for (const char* gone : {"FFFFF", "CELWEIGHT", "0o281", "330\nB1"})
        EXPECT_EQ(written.find(gone), std::string::npos) << gone;
    // Nor is a name a handle in a table's head, which is written as read.
    const std::string head = lines({"  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "LTYPE", "  5", "5",
                                    "345", "LTYPE", " 70", "0", "  0", "ENDTAB", "  0", "ENDSEC", "  0", "EOF"});
    DxfReadReport headReport;
    db = recoverDxfDrawingFromBytes(head, headReport);
    EXPECT_TRUE(anyRepairSays(headReport, "line 11: reference 345 to 'LTYPE' of the TABLE names no object"));
    EXPECT_EQ(writeDxfDrawingToBytes(*db).find("345\nLTYPE"), std::string::npos);
}

TEST(DxfRecovery, AStyleValueThatDoesNotFitCostsThatValueAndDrawOrderPairsGoWhole)
{
    // A colour written as a raw 32-bit colour word, as one converter does.
    const std::string file = lines({
        "  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1015", "  0", "ENDSEC",          // 1-10
        "  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "DIMSTYLE", "  5", "A", " 70", "1",    // 11-22
        "  0", "DIMSTYLE", "105", "27", "330", "A", "100", "AcDbSymbolTableRecord",                      // 23-30
        "100", "AcDbDimStyleTableRecord", "  2", "Standard", " 70", "0", " 41", "2.5",                   // 31-38
        "176", "-1056964608", "271", "0",                                                                // 39-42
        "  0", "ENDTAB", "  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES",                           // 43-50
        "  0", "LINE", "  5", "A1", "100", "AcDbEntity", "  8", "0", "100", "AcDbLine",                 // 51-60
        " 10", "0.0", " 20", "0.0", " 11", "1.0", " 21", "1.0", "  0", "ENDSEC",                          // 61-70
        "  0", "SECTION", "  2", "OBJECTS", "  0", "SORTENTSTABLE", "  5", "B1", "100", "AcDbSortentsTable", // 71-80
        "331", "FFFFF", "  5", "5EA", "331", "A1", "  5", "5EB", "  0", "ENDSEC", "  0", "EOF"});          // 81-92
    EXPECT_NE(readError(file), "");
    DxfReadReport report;
    std::unique_ptr<OdDbDatabase> db = recoverDxfDrawingFromBytes(file, report);
    EXPECT_TRUE(anyRepairSays(report, "line 39: group code 176 of DIMSTYLE dropped, the default is used"));
    OdDbDimStyleTableRecordPtr standard = recordId(*db, db->getDimStyleTableId(), "Standard").safeOpenObject();
    EXPECT_DOUBLE_EQ(standard->dimasz(), 2.5);
    EXPECT_EQ(standard->dimdec(), 0);
    const std::string written = writeDxfDrawingToBytes(*db);
    EXPECT_EQ(written.find("FFFFF"), std::string::npos);
    EXPECT_EQ(written.find("\n5EA\n"), std::string::npos) << "the sort handle of the pair whose entity is gone";
    EXPECT_NE(written.find("\n5EB\n"), std::string::npos);
}
