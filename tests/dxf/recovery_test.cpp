// Recovery of drawings whose structure is damaged: what can be read is read,
// misplaced records go where they belong, the rest is dropped, and every
// repair names the line of the file.
#include "DrawingTestSupport.h"

#include "DxfRecovery.h"
#include "OdDbBlockTableRecord.h"
#include "OdDbEntities.h"

using namespace dxftest;

namespace {

// smallDrawing() with lines [from, to] (1-based) replaced.
std::string edited(size_t from, size_t to, std::initializer_list<std::string_view> with)
{
    std::vector<std::string> all;
    std::istringstream in(smallDrawing());
    for (std::string line; std::getline(in, line);)
        all.push_back(line);
    all.erase(all.begin() + std::ptrdiff_t(from - 1), all.begin() + std::ptrdiff_t(to));
    all.insert(all.begin() + std::ptrdiff_t(from - 1), with.begin(), with.end());
    std::string out;
    for (const std::string& line : all)
        out += line + "\n";
    return out;
}

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
        edited(23, 28, {"  9", "$STRAY", " 70", "1", "  0", "SECTION", "  2", "TABLES", "junk"});
    const std::string broken = edited(83, 88, {});
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
    const std::string text = edited(89, 90, {"  0", "CIRCLE", "  8", "0", " 40", "1.0", "  0", "ENDSEC"});
    const std::string badValue = edited(137, 138, {" 40", "x1"});
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
