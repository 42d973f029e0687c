// The mapping between the drawing database and DXF, on small drawings
// written by hand: exact write-back, purge safety of unmodelled records,
// renames that reach records naming the renamed one, new and erased
// objects, versions and encodings, and bad input.
#include "DrawingTestSupport.h"
#include "../shared/every_dimension_kind.h"

#include "OdDbBlockTableRecord.h"
#include "OdDbCurves.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDbEntityKinds.h"
#include "OdDbFaces.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbLeader.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <numbers>
#include "OdDbDictionary.h"

using namespace dxftest;

namespace {

std::string tableHead(const char* name, const char* handle, const char* count)
{
    return lines({"  0", "TABLE", "  2", name, "  5", handle, "330", "0", "100", "AcDbSymbolTable", " 70", count});
}

std::string record(const char* type, const char* handle, const char* owner, const char* marker, const char* name,
                   std::initializer_list<std::string_view> more = {})
{
    std::string out = lines({"  0", type, std::string_view(type) == "DIMSTYLE" ? "105" : "  5", handle, "330", owner,
                             "100", "AcDbSymbolTableRecord", "100", marker, "  2", name, " 70", "0"});
    for (std::string_view m : more)
        out.append(m).append("\n");
    return out;
}

// An R2000 drawing in ANSI_1251 with records the database does not model:
// a HATCH on layer "Hatch", a TOLERANCE of dimension style "Tol", an
// object of another application pointing to text style "Mono", and a VPORT
// table. The TOLERANCE has an extension dictionary holding a record, a
// dictionary with a record of its own, and an object of another
// application; the root dictionary names that object too.
std::string drawingWithForeignRecords()
{
    std::string s = lines({"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1015", "  9",
                           "$DWGCODEPAGE", "  3", "ANSI_1251", "  9", "$HANDSEED", "  5", "100", "  9", "$DIMSTYLE",
                           "  2", "Standard", "  9", "$DIMASZ", " 40", "0.18", "  9", "$CLAYER", "  8", "0", "  0",
                           "ENDSEC", "  0", "SECTION", "  2", "TABLES"});
    s += tableHead("VPORT", "8", "1");
    s += record("VPORT", "29", "8", "AcDbViewportTableRecord", "*Active", {" 40", "210.0"});
    s += lines({"  0", "ENDTAB"});
    s += tableHead("LTYPE", "5", "3");
    for (auto [h, n] : {std::pair{"14", "ByBlock"}, {"15", "ByLayer"}, {"16", "Continuous"}})
        s += record("LTYPE", h, "5", "AcDbLinetypeTableRecord", n, {"  3", "", " 72", "65", " 73", "0", " 40", "0.0"});
    s += lines({"  0", "ENDTAB"});
    s += tableHead("LAYER", "2", "2");
    s += record("LAYER", "10", "2", "AcDbLayerTableRecord", "0", {" 62", "7", "  6", "Continuous"});
    s += record("LAYER", "11", "2", "AcDbLayerTableRecord", "Hatch", {" 62", "3", "  6", "Continuous"});
    s += lines({"  0", "ENDTAB"});
    s += tableHead("STYLE", "3", "2");
    s += record("STYLE", "12", "3", "AcDbTextStyleTableRecord", "Standard", {" 40", "0.0", "  3", "txt"});
    s += record("STYLE", "13", "3", "AcDbTextStyleTableRecord", "Mono", {" 40", "0.0", "  3", "monotxt"});
    s += lines({"  0", "ENDTAB"});
    s += tableHead("APPID", "9", "1");
    s += record("APPID", "17", "9", "AcDbRegAppTableRecord", "ACAD");
    s += lines({"  0", "ENDTAB"});
    s += tableHead("DIMSTYLE", "A", "2");
    s += record("DIMSTYLE", "18", "A", "AcDbDimStyleTableRecord", "Standard", {" 41", "0.18", "340", "12"});
    s += record("DIMSTYLE", "19", "A", "AcDbDimStyleTableRecord", "Tol", {" 41", "2.5", "340", "13"});
    s += lines({"  0", "ENDTAB"});
    s += tableHead("BLOCK_RECORD", "1", "2");
    s += record("BLOCK_RECORD", "1F", "1", "AcDbBlockTableRecord", "*Model_Space");
    s += record("BLOCK_RECORD", "1E", "1", "AcDbBlockTableRecord", "*Paper_Space");
    s += lines({"  0", "ENDTAB", "  0", "ENDSEC", "  0", "SECTION", "  2", "BLOCKS"});
    for (auto [b, e, o, n] : {std::tuple{"20", "21", "1F", "*Model_Space"}, {"22", "23", "1E", "*Paper_Space"}})
        s += lines({"  0", "BLOCK", "  5", b, "330", o, "100", "AcDbEntity", "  8", "0", "100", "AcDbBlockBegin", "  2",
                    n, " 70", "0", " 10", "0.0", " 20", "0.0", " 30", "0.0", "  3", n, "  1", "", "  0", "ENDBLK",
                    "  5", e, "330", o, "100", "AcDbEntity", "  8", "0", "100", "AcDbBlockEnd"});
    s += lines({"  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES",
                "  0", "LINE", "  5", "30", "330", "1F", "100", "AcDbEntity", "  8", "0", "100", "AcDbLine",
                " 10", "0.0", " 20", "0.0", " 30", "0.0", " 11", "1.5", " 21", "2.0", " 31", "0.0", " 39", "0.25",
                "  0", "HATCH", "  5", "31", "330", "1F", "100", "AcDbEntity", "  8", "Hatch", "100", "AcDbHatch",
                " 10", "0.0", " 20", "0.0", " 30", "0.0", "  2", "SOLID", " 70", "1", " 71", "0", " 91", "0",
                " 75", "0", " 76", "1", " 98", "0",
                "  0", "TOLERANCE", "  5", "32", "102", "{ACAD_XDICTIONARY", "360", "50", "102", "}",
                "330", "1F", "100", "AcDbEntity", "  8", "0", "100", "AcDbFcf",
                "  3", "Tol", " 10", "5.0", " 20", "5.0", " 30", "0.0", "  1", "{\\Fgdt;j}%%v0.1",
                "  0", "ENDSEC", "  0", "SECTION", "  2", "OBJECTS",
                "  0", "DICTIONARY", "  5", "C", "330", "0", "100", "AcDbDictionary", "281", "1", "  3",
                "ACAD_GROUP", "350", "D", "  3", "QRV_THING", "350", "40", "  3", "QRV_SHARED", "350", "53",
                "  0", "DICTIONARY", "  5", "D", "330", "C", "100", "AcDbDictionary", "281", "1",
                "  0", "QRV_THING", "  5", "40", "330", "C", "100", "QrvThing", "340", "13", "  1", "keeps a style",
                "  0", "DICTIONARY", "  5", "50", "330", "32", "100", "AcDbDictionary", "280", "1", "  3", "QRV_NOTE",
                "360", "51", "  3", "QRV_MORE", "360", "52", "  3", "QRV_SHARED", "360", "53",
                "  0", "XRECORD", "  5", "51", "330", "50", "100", "AcDbXrecord", "  1", "tolerance note",
                "  0", "DICTIONARY", "  5", "52", "330", "50", "100", "AcDbDictionary", "280", "1", "  3", "QRV_DEEP",
                "360", "54",
                "  0", "XRECORD", "  5", "54", "330", "52", "100", "AcDbXrecord", "  1", "deeper note",
                "  0", "QRV_THING", "  5", "53", "330", "50", "100", "QrvThing", "  1", "owned by the tolerance",
                "  0", "ENDSEC", "  0", "EOF"});
    return s;
}

std::unique_ptr<OdDbDatabase> read(const std::string& bytes, DxfReadReport* report = nullptr)
{
    return readDxfDrawingFromBytes(bytes, report);
}

// A file of an ENTITIES section alone, holding the given records.
std::string entitiesOnly(std::initializer_list<std::string_view> records)
{
    return lines({"  0", "SECTION", "  2", "ENTITIES"}) + lines(records) + lines({"  0", "ENDSEC", "  0", "EOF"});
}

// The one entity of the drawing's model space.
OdDbObjectPtr onlyEntity(const OdDbDatabase& db)
{
    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject();
    EXPECT_EQ(ms->entityIds().size(), 1u);
    return ms->entityIds().empty() ? OdDbObjectPtr() : ms->entityIds()[0].safeOpenObject();
}


} // namespace

TEST(DxfDrawingMapping, UnchangedDrawingWritesBackByteForByteAndKeepsForeignRecords)
{
    const std::string original = drawingWithForeignRecords();
    std::unique_ptr<OdDbDatabase> db = read(original);
    EXPECT_EQ(writeDxfDrawingToBytes(*db), original);
    EXPECT_EQ(dxfDrawingVersion(*db), DxfVersion::R2000);
    // The unmodelled records are objects with their handles and owners.
    OdDbObjectPtr hatch = db->getOdDbObjectId(0x31).safeOpenObject();
    EXPECT_EQ(hatch->ownerId(), db->getModelSpaceId());
    OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject();
    EXPECT_EQ(ms->entityIds().size(), 3u);
    EXPECT_EQ(db->getOdDbObjectId(0x40).safeOpenObject()->ownerId(), db->getNamedObjectsDictionaryId());
}

TEST(DxfDrawingMapping, PurgeKeepsWhatUnmodelledRecordsUse)
{
    std::unique_ptr<OdDbDatabase> db = read(drawingWithForeignRecords());
    const OdDbObjectId hatchLayer = recordId(*db, db->getLayerTableId(), "Hatch");
    const OdDbObjectId tolStyle = recordId(*db, db->getDimStyleTableId(), "Tol");
    const OdDbObjectId mono = recordId(*db, db->getTextStyleTableId(), "Mono");
    // The HATCH names the layer, the TOLERANCE the style, the foreign
    // object points to the text style (which the style Tol also uses).
    OdDbObjectIdArray ids{hatchLayer, tolStyle, mono};
    db->purge(ids);
    EXPECT_TRUE(ids.empty());
    // Once the hatch and the tolerance are gone, their records may go.
    db->getOdDbObjectId(0x31).safeOpenObject(OdDb::kForWrite)->erase();
    db->getOdDbObjectId(0x32).safeOpenObject(OdDb::kForWrite)->erase();
    ids = {hatchLayer, tolStyle, mono};
    db->purge(ids);
    EXPECT_EQ(ids, (OdDbObjectIdArray{hatchLayer, tolStyle}));
    // Erased records are not written, nor what they own, and the root
    // dictionary no longer names what went with them.
    const std::string out = writeDxfDrawingToBytes(*db);
    for (const char* gone : {"HATCH", "TOLERANCE", "QRV_NOTE", "tolerance note", "deeper note", "QRV_SHARED"})
        EXPECT_EQ(out.find(gone), std::string::npos) << gone;
    EXPECT_NE(out.find("keeps a style"), std::string::npos);
    EXPECT_NE(read(out)->getNamedObjectsDictionaryId().openObject(), nullptr);
}

TEST(DxfDrawingMapping, RenamedRecordsAreRenamedWhereverTheyAreNamed)
{
    std::unique_ptr<OdDbDatabase> db = read(drawingWithForeignRecords());
    OdDbSymbolTableRecordPtr layer =
        recordId(*db, db->getLayerTableId(), "Hatch").safeOpenObject(OdDb::kForWrite);
    layer->setName("Штриховка ü");
    layer.reset();
    OdDbSymbolTableRecordPtr tol = recordId(*db, db->getDimStyleTableId(), "Tol").safeOpenObject(OdDb::kForWrite);
    tol->setName("Допуск");
    tol.reset();
    OdDbSymbolTableRecordPtr standard = db->getDimstyle().safeOpenObject(OdDb::kForWrite);
    standard->setName("Основной");
    standard.reset();

    const std::string out = writeDxfDrawingToBytes(*db);
    // ANSI_1251 bytes, in the records that name them.
    // ANSI_1251 has no ü: it travels as an escape.
    const std::string hatchName = dxfEncodeText("Штриховка", DxfCodePage::Ansi1251) + " \\U+00FC";
    EXPECT_NE(out.find("  8\n" + hatchName + "\n100\nAcDbHatch"), std::string::npos);
    // R2018: UTF-8 throughout, foreign records included.
    const std::string r2018 = writeDxfDrawingToBytes(*db, DxfVersion::R2018);
    EXPECT_NE(r2018.find("AC1032"), std::string::npos);
    EXPECT_NE(r2018.find("  8\nШтриховка ü\n100\nAcDbHatch"), std::string::npos);
    EXPECT_NE(out.find("  3\n" + dxfEncodeText("Допуск", DxfCodePage::Ansi1251) + "\n"), std::string::npos);
    EXPECT_NE(out.find("$DIMSTYLE\n  2\n" + dxfEncodeText("Основной", DxfCodePage::Ansi1251) + "\n"),
              std::string::npos);

    std::unique_ptr<OdDbDatabase> again = read(out);
    EXPECT_EQ(recordName(again->getDimstyle()), "Основной");
    OdDbObjectIdArray ids{recordId(*again, again->getLayerTableId(), "Штриховка ü"),
                          recordId(*again, again->getDimStyleTableId(), "Допуск")};
    ASSERT_FALSE(ids[0].isNull() || ids[1].isNull());
    again->purge(ids);
    EXPECT_TRUE(ids.empty()) << "the renamed records are still in use";
    // Everything else is as it was.
    EXPECT_EQ(writeDxfDrawingToBytes(*again), out);
}

TEST(DxfDrawingMapping, NewObjectsGetNewHandlesAndChangedOnesKeepWhatIsNotModelled)
{
    std::unique_ptr<OdDbDatabase> db = read(drawingWithForeignRecords());
    OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    OdDbCirclePtr circle = OdDbCircle::createObject();
    circle->setCenter({1, 2, 0});
    circle->setRadius(3.25);
    const OdDbObjectId circleId = ms->appendOdDbEntity(circle);
    circle.reset();
    ms.reset();
    OdDbLinePtr line = db->getOdDbObjectId(0x30).safeOpenObject(OdDb::kForWrite);
    line->setEndPoint({4, 5, 0});
    line.reset();
    EXPECT_GE(circleId.getHandle().value(), 0x100u);

    const std::string out = writeDxfDrawingToBytes(*db);
    std::unique_ptr<OdDbDatabase> again = read(out);
    OdDbCirclePtr c = again->getOdDbObjectId(circleId.getHandle()).safeOpenObject();
    EXPECT_EQ(c->radius(), 3.25);
    EXPECT_EQ(c->ownerId(), again->getModelSpaceId());
    OdDbLinePtr l = again->getOdDbObjectId(0x30).safeOpenObject();
    EXPECT_EQ(l->endPoint(), OdGePoint3d(4, 5, 0));
    // The thickness the database does not model stayed with the line.
    EXPECT_NE(out.find(" 39\n0.25\n"), std::string::npos);
    EXPECT_GT(again->handseed(), circleId.getHandle());
    EXPECT_NE(out.find("$HANDSEED\n  5\n" + again->handseed().ascii()), std::string::npos);
}

TEST(DxfDrawingMapping, NewDrawingRoundTripsWithEveryKindOfDimension)
{
    OdDbDatabase db(OdDb::kMetric);
    OdDbSymbolTablePtr styles = db.getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
    OdDbDimStyleTableRecordPtr child = OdDbDimStyleTableRecord::createObject();
    child->setDimVars(OdDbDimVars::metricDefaults());
    child->setName("Standard$4");
    child->setDimmzf(10.0);
    child->setDimaltmzs("mm");
    child->setDimclrt(OdCmColor::fromRGB(10, 200, 30));
    child->setDimfxl(2.75);
    const OdDbObjectId childId = styles->add(child);
    child.reset();
    styles.reset();
    db.setDimmzs("cm");

    const std::vector<OdDbObjectId> dims = addOneDimensionOfEveryKind(db);
    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    OdDbDimensionPtr overridden = dims[0].safeOpenObject(OdDb::kForWrite);
    overridden->setDimensionText("<> ±0.1");
    overridden->setDimtxt(7.0);
    overridden->setDimmzf(1000.0);  // no group code: QRV_DIMVARS on the entity
    overridden->setDimblk(OdDbObjectId());
    overridden.reset();
    OdDbLeaderPtr leader = OdDbLeader::createObject();
    leader->setVertices({{0, 0, 0}, {5, 5, 0}, {10, 5, 0}});
    leader->setDimensionStyle(childId);
    const OdDbObjectId leaderId = ms->appendOdDbEntity(leader);
    leader.reset();
    OdDbMTextPtr text = OdDbMText::createObject();
    text->setContents(std::string(300, 'x') + "\\PЗдесь");
    ms->appendOdDbEntity(text);
    text.reset();
    ms.reset();

    const std::string first = writeDxfDrawingToBytes(db);
    std::unique_ptr<OdDbDatabase> again = read(first);
    EXPECT_EQ(dxfDrawingVersion(*again), DxfVersion::R2018);
    for (OdDbObjectId id : dims) {
        OdDbDimensionPtr a = id.safeOpenObject();
        OdDbDimensionPtr b = again->getOdDbObjectId(id.getHandle()).safeOpenObject();
        EXPECT_STREQ(a->isA()->name(), b->isA()->name());
        EXPECT_DOUBLE_EQ(a->getMeasurement(), b->getMeasurement()) << a->isA()->name();
        EXPECT_EQ(a->dimOverrides(), b->dimOverrides()) << a->isA()->name();
        EXPECT_EQ(a->dimensionText(), b->dimensionText());
    }
    OdDbDimensionPtr o = again->getOdDbObjectId(dims[0].getHandle()).safeOpenObject();
    EXPECT_EQ(o->dimmzf(), 1000.0);
    EXPECT_EQ(o->dimtxt(), 7.0);
    OdDbDimStyleTableRecordPtr c = again->getOdDbObjectId(childId.getHandle()).safeOpenObject();
    EXPECT_EQ(c->dimVars().mzf, 10.0);
    EXPECT_EQ(c->dimaltmzs(), "mm");
    EXPECT_EQ(c->dimclrt(), OdCmColor::fromRGB(10, 200, 30));
    EXPECT_EQ(c->dimfxl(), 2.75);
    EXPECT_EQ(again->dimmzs(), "cm");
    OdDbLeaderPtr l = again->getOdDbObjectId(leaderId.getHandle()).safeOpenObject();
    EXPECT_EQ(l->numVertices(), 3);
    EXPECT_EQ(l->dimensionStyle().getHandle(), childId.getHandle());
    // Written once more, the drawing read is the same file.
    EXPECT_EQ(writeDxfDrawingToBytes(*again), first);
    // Older versions keep the variables they have no code for.
    std::unique_ptr<OdDbDatabase> r2000 = read(writeDxfDrawingToBytes(db, DxfVersion::R2000));
    OdDbDimStyleTableRecordPtr c2000 = r2000->getOdDbObjectId(childId.getHandle()).safeOpenObject();
    EXPECT_EQ(c2000->dimfxl(), 2.75);
    EXPECT_EQ(c2000->dimclrt(), OdCmColor::fromRGB(10, 200, 30));
}

TEST(DxfDrawingMapping, BadInputIsRefusedWithTheLineOrRepairedWithAWarning)
{
    // Two records with one handle: the later one gets a new handle, said
    // with both lines; references keep finding the first; a save writes
    // the new handle, so the copy has each handle once.
    std::string twice = drawingWithForeignRecords();
    const std::string line32 = "  0\nTOLERANCE\n  5\n32\n";
    twice.replace(twice.find(line32), line32.size(), "  0\nTOLERANCE\n  5\n31\n");
    DxfReadReport twiceReport;
    std::unique_ptr<OdDbDatabase> repaired = read(twice, &twiceReport);
    ASSERT_EQ(twiceReport.warnings.size(), 1u);
    EXPECT_NE(twiceReport.warnings[0].find("handle 31 of this TOLERANCE is already used by the HATCH at line"),
              std::string::npos) << twiceReport.warnings[0];
    EXPECT_TRUE(twiceReport.repaired);
    const std::string copyText = writeDxfDrawingToBytes(*repaired);
    EXPECT_NE(copyText.find("HATCH\n  5\n31\n"), std::string::npos);
    EXPECT_EQ(copyText.find("TOLERANCE\n  5\n31\n"), std::string::npos);
    DxfReadReport copyReport;
    std::unique_ptr<OdDbDatabase> copy = read(copyText, &copyReport);
    EXPECT_TRUE(copyReport.warnings.empty()) << copyReport.warnings[0];
    EXPECT_FALSE(copyReport.repaired);
    // A style pointing to a text style that does not exist: a warning, and
    // the reference is left empty.
    std::string dangling = drawingWithForeignRecords();
    dangling.replace(dangling.find("340\n13\n  0\nENDTAB"), 6, "340\n77");
    DxfReadReport report;
    std::unique_ptr<OdDbDatabase> db = read(dangling, &report);
    ASSERT_FALSE(report.warnings.empty());
    EXPECT_NE(report.warnings[0].find("DIMTXSTY 77 points to no object"), std::string::npos) << report.warnings[0];
    OdDbDimStyleTableRecordPtr tol = recordId(*db, db->getDimStyleTableId(), "Tol").safeOpenObject();
    EXPECT_TRUE(tol->dimtxsty().isNull());
    // The style is written as it now is: the dangling handle would otherwise
    // name whatever takes handle 77 later.
    EXPECT_TRUE(report.repaired);
    const std::string saved = writeDxfDrawingToBytes(*db);
    EXPECT_EQ(saved.find("340\n77\n"), std::string::npos);
    DxfReadReport savedReport;
    read(saved, &savedReport);
    EXPECT_TRUE(savedReport.warnings.empty()) << savedReport.warnings[0];
    // Nor is a record of another table a text style (here a layer).
    std::string wrongKind = drawingWithForeignRecords();
    wrongKind.replace(wrongKind.find("340\n13\n  0\nENDTAB"), 6, "340\n11");
    DxfReadReport kindReport;
    std::unique_ptr<OdDbDatabase> kindDb = read(wrongKind, &kindReport);
    ASSERT_FALSE(kindReport.warnings.empty());
    EXPECT_NE(kindReport.warnings[0].find("DIMTXSTY '11' names no text style"), std::string::npos)
        << kindReport.warnings[0];
    OdDbDimStyleTableRecordPtr kindTol = recordId(*kindDb, kindDb->getDimStyleTableId(), "Tol").safeOpenObject();
    EXPECT_TRUE(kindTol->dimtxsty().isNull());
    EXPECT_EQ(writeDxfDrawingToBytes(*kindDb).find("340\n11\n"), std::string::npos);
    // Extended data is held to the same rule: the style's DSTYLE pair naming
    // the layer is not taken, and the style keeps the text style its groups
    // name.
    std::string inXData = drawingWithForeignRecords();
    inXData.replace(inXData.find("340\n13\n  0\nENDTAB"), 7,
                    "340\n13\n1001\nACAD\n1000\nDSTYLE\n1002\n{\n1070\n340\n1005\n11\n1002\n}\n");
    DxfReadReport xdataReport;
    std::unique_ptr<OdDbDatabase> xdataDb = read(inXData, &xdataReport);
    ASSERT_EQ(xdataReport.warnings.size(), 1u);
    EXPECT_NE(xdataReport.warnings[0].find("DIMTXSTY '11' in the extended data of the DIMSTYLE names no text style"),
              std::string::npos)
        << xdataReport.warnings[0];
    OdDbDimStyleTableRecordPtr xdataTol = recordId(*xdataDb, xdataDb->getDimStyleTableId(), "Tol").safeOpenObject();
    EXPECT_EQ(xdataTol->dimtxsty(), recordId(*xdataDb, xdataDb->getTextStyleTableId(), "Mono"));
    EXPECT_EQ(writeDxfDrawingToBytes(*xdataDb).find("1005\n11\n"), std::string::npos);
    // A block record whose block the BLOCKS section lacks gets an empty one
    // when saved, so the drawing is said not to be as the file had it.
    std::string noBlock = drawingWithForeignRecords();
    const size_t from = noBlock.find("  0\nBLOCK\n  5\n22\n");
    const std::string blockEnd = "AcDbBlockEnd\n";
    noBlock.erase(from, noBlock.find(blockEnd, from) + blockEnd.size() - from);
    DxfReadReport noBlockReport;
    std::unique_ptr<OdDbDatabase> noBlockDb = read(noBlock, &noBlockReport);
    ASSERT_EQ(noBlockReport.warnings.size(), 1u);
    EXPECT_NE(noBlockReport.warnings[0].find("'*Paper_Space' has no block in the BLOCKS section"), std::string::npos)
        << noBlockReport.warnings[0];
    DxfReadReport completedReport;
    read(writeDxfDrawingToBytes(*noBlockDb), &completedReport);
    EXPECT_TRUE(completedReport.warnings.empty()) << completedReport.warnings[0];
}

TEST(DxfDrawingMapping, ValuesOtherProgramsWriteAreKeptAndOnlyUnstorableOnesRepaired)
{
    OdDbDatabase made;
    OdDbObjectId style, dim;
    {
        OdDbDimStyleTablePtr table = made.getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
        OdDbDimStyleTableRecordPtr rec = OdDbDimStyleTableRecord::createObject();
        rec->setName("Odd");
        style = table->add(rec);
        OdDbBlockTableRecordPtr ms = made.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
        OdDbRotatedDimensionPtr d = OdDbRotatedDimension::createObject();
        d->setXLine1Point({0, 0});
        d->setXLine2Point({10, 0});
        d->setDimLinePoint({5, 3});
        d->setDimensionStyle(style);
        // Overrides only a file could give: setDimOverride stores as read.
        d->setDimOverride(*OdDbDimVars::indexOf("blk"), made.getModelSpaceId());
        d->setDimOverride(*OdDbDimVars::indexOf("lwd"), 9999);
        d->setDimOverride(*OdDbDimVars::indexOf("txt"), -5.0);
        d->setDimOverride(*OdDbDimVars::indexOf("jogang"), std::numbers::pi / 6);
        dim = ms->appendOdDbEntity(d);
    }
    std::string bad = writeDxfDrawingToBytes(made);
    // The jog angle is in radians in the header (group 40) and in an
    // override, in degrees in a style (group 50, as angles under 50 are).
    EXPECT_NE(bad.find("$DIMJOGANG\n 40\n0.7853981633974483\n"), std::string::npos);
    EXPECT_NE(bad.find("1070\n50\n1040\n0.5235987755982988\n"), std::string::npos);
    // Into the style: a separator and an alternate multiplier of 0 (other
    // programs write them), a jog angle of 45 degrees, and an arrowhead that
    // is model space.
    const size_t record = bad.find("105\n" + style.getHandle().ascii() + "\n");
    ASSERT_NE(record, std::string::npos);
    const auto setInStyle = [&](const std::string& code, const std::string& value) {
        const size_t at = bad.find("\n" + code + "\n", record) + code.size() + 2;
        bad.replace(at, bad.find('\n', at) - at, value);
    };
    setInStyle("278", "0");
    setInStyle("143", "0.0");
    setInStyle(" 50", "45");
    const size_t flags = bad.find(" 70\n", record);
    const size_t at = bad.find('\n', flags + 4) + 1;
    bad.insert(at, "342\n" + made.getModelSpaceId().getHandle().ascii() + "\n");
    const long arrowLine = std::count(bad.begin(), bad.begin() + long(at), '\n') + 2;

    DxfReadReport report;
    std::unique_ptr<OdDbDatabase> db = read(bad, &report);
    ASSERT_EQ(report.warnings.size(), 2u) << report.warnings[0];
    EXPECT_EQ(report.warnings[0], "line " + std::to_string(arrowLine) +
                                      ": dimension style \"Odd\": DIMBLK: \"*Model_Space\" is a layout or anonymous "
                                      "block and cannot be an arrowhead; the default is used");
    EXPECT_NE(report.warnings[1].find("DIMENSION override: DIMBLK: \"*Model_Space\" is a layout or anonymous block "
                                      "and cannot be an arrowhead; the style's value is used"),
              std::string::npos)
        << report.warnings[1];
    EXPECT_TRUE(db->changedSinceLoading());
    EXPECT_DOUBLE_EQ(db->dimjogang(), std::numbers::pi / 4);
    {
        OdDbDimStyleTableRecordPtr odd = recordId(*db, db->getDimStyleTableId(), "Odd").safeOpenObject();
        EXPECT_TRUE(odd->dimblk().isNull());
        EXPECT_EQ(odd->dimdsep(), 0);
        EXPECT_EQ(odd->dimaltf(), 0.0);
        EXPECT_DOUBLE_EQ(odd->dimjogang(), std::numbers::pi / 4);
        OdDbDimStyleEntityPtr d = db->getOdDbObjectId(dim.getHandle()).safeOpenObject();
        EXPECT_EQ(d->dimOverrides().find(*OdDbDimVars::indexOf("blk")), nullptr);
        EXPECT_EQ(d->dimlwd(), 9999);
        EXPECT_EQ(d->dimtxt(), -5.0);
        EXPECT_DOUBLE_EQ(d->dimjogang(), std::numbers::pi / 6);
    }
    // Written back, the kept values are what the file had, and read again
    // without a word.
    const std::string saved = writeDxfDrawingToBytes(*db);
    const size_t savedStyle = saved.find("105\n" + style.getHandle().ascii() + "\n");
    const std::string styleText = saved.substr(savedStyle, saved.find("  0\n", savedStyle) - savedStyle);
    for (const char* kept : {"\n278\n0\n", "\n143\n0.0\n", "\n 50\n45.0\n"})
        EXPECT_NE(styleText.find(kept), std::string::npos) << kept << styleText;
    EXPECT_NE(saved.find("1070\n371\n1070\n9999\n"), std::string::npos);
    DxfReadReport again;
    read(saved, &again);
    EXPECT_TRUE(again.warnings.empty()) << again.warnings[0];

    // A style's angle in degrees survives any number of saves exactly,
    // whatever rounding radians to degrees and back would do.
    // (0.3 no degree value gives back: found by fuzzing.)
    for (double radians : {std::numbers::pi / 4, 0.7853981633974483 * std::numbers::pi / 180, 1 / 3.0, 2.9, 1e-9, 0.3}) {
        OdDbDimStyleTableRecordPtr odd = recordId(*db, db->getDimStyleTableId(), "Odd").safeOpenObject(OdDb::kForWrite);
        odd->setDimjogang(radians);
        odd.release();
        std::unique_ptr<OdDbDatabase> back = read(writeDxfDrawingToBytes(*db));
        OdDbDimStyleTableRecordPtr kept = recordId(*back, back->getDimStyleTableId(), "Odd").safeOpenObject();
        EXPECT_EQ(kept->dimjogang(), radians);
    }
    // Such an angle is kept exactly beside its degrees, which count again
    // once another program has changed them.
    std::string changed = writeDxfDrawingToBytes(*db);
    const size_t jog = changed.find("\n 50\n", changed.find("105\n" + style.getHandle().ascii() + "\n")) + 5;
    changed.replace(jog, changed.find('\n', jog) - jog, "30");
    std::unique_ptr<OdDbDatabase> changedDb = read(changed);
    OdDbDimStyleTableRecordPtr changedOdd = recordId(*changedDb, changedDb->getDimStyleTableId(), "Odd").safeOpenObject();
    EXPECT_DOUBLE_EQ(changedOdd->dimjogang(), std::numbers::pi / 6);
}

// The drawings under examples/ (the host's default drawing among them)
// read and write back unchanged, and keep their styles through an edit.
TEST(DxfDrawingMapping, ExampleDrawingsRoundTrip)
{
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(DDS_SOURCE_DIR "/examples")) {
        if (entry.path().extension() != ".dxf")
            continue;
        ++seen;
        SCOPED_TRACE(entry.path().string());
        const std::string original = readFile(entry.path());
        std::unique_ptr<OdDbDatabase> db = read(original);
        EXPECT_EQ(writeDxfDrawingToBytes(*db), original);
        // Every dimension keeps the block it was read with, also one with
        // overrides of its own: nothing asks to draw it again.
        db->forEachObject([](OdDbObjectId id) {
            if (auto dim = OdDbDimension::cast(id.openObject().get())) {
                EXPECT_FALSE(dim->isDimBlockOutOfDate()) << id.getHandle().ascii();
            }
        });
        // Rename every dimension style; the dimensions follow.
        OdDbSymbolTablePtr styles = db->getDimStyleTableId().safeOpenObject();
        std::map<OdDbHandle, std::string> renamed;
        for (OdDbObjectId id : styles->recordIds()) {
            OdDbDimStyleTableRecordPtr s = id.safeOpenObject(OdDb::kForWrite);
            s->setName(s->getName() + " (copy)");
            renamed[s->getDbHandle()] = s->getName();
        }
        std::unique_ptr<OdDbDatabase> again = read(writeDxfDrawingToBytes(*db));
        OdDbBlockTableRecordPtr ms = again->getModelSpaceId().safeOpenObject();
        int dims = 0;
        for (auto it = ms->newIterator(); !it->done(); it->step())
            if (auto e = OdDbDimStyleEntity::cast(it->entity().get())) {
                ++dims;
                EXPECT_EQ(recordName(e->dimensionStyle()), renamed[e->dimensionStyle().getHandle()]);
            }
        EXPECT_GT(dims, 0);
    }
    EXPECT_GE(seen, 1);
}

// What the dimension properties read from a drawing: the tolerance
// alignment in ACAD_DSTYLE_DIMTALN extended data and associativity as an
// ACAD_DIMASSOC entry of the extension dictionary, next to DSTYLE overrides.
TEST(DxfDrawingMapping, DimensionDataOfOtherApplicationsSurvivesAnEdit)
{
    std::string drawing = drawingWithForeignRecords();
    drawing.replace(drawing.find("  0\nENDTAB\n  0\nTABLE\n  2\nDIMSTYLE"), 0,
                    record("APPID", "1A", "9", "AcDbRegAppTableRecord", "ACAD_DSTYLE_DIMTALN"));
    drawing.replace(drawing.find("  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS"), 0,
                    lines({"  0", "DIMENSION", "  5", "60", "102", "{ACAD_XDICTIONARY", "360", "61", "102", "}",
                           "330", "1F", "100", "AcDbEntity", "  8", "0", "100", "AcDbDimension", " 10", "0.0", " 20",
                           "5.0", " 30", "0.0", " 11", "5.0", " 21", "6.0", " 31", "0.0", " 70", "32", "  3", "Tol",
                           "100", "AcDbAlignedDimension", " 13", "0.0", " 23", "0.0", " 33", "0.0", " 14", "10.0",
                           " 24", "0.0", " 34", "0.0", "100", "AcDbRotatedDimension", "1001", "ACAD", "1000",
                           "DSTYLE", "1002", "{", "1070", "140", "1040", "5.0", "1070", "999", "1070", "7", "1002",
                           "}", "1001", "ACAD_DSTYLE_DIMTALN", "1070", "392", "1070", "1"}));
    drawing.replace(drawing.find("  0\nENDSEC\n  0\nEOF"), 0,
                    lines({"  0", "DICTIONARY", "  5", "61", "330", "60", "100", "AcDbDictionary", "280", "1", "  3",
                           "ACAD_DIMASSOC", "360", "62", "  0", "DIMASSOC", "  5", "62", "330", "61", "100",
                           "AcDbDimAssoc", "330", "60", " 90", "1"}));
    std::unique_ptr<OdDbDatabase> db = read(drawing);
    EXPECT_EQ(writeDxfDrawingToBytes(*db), drawing);
    {
        OdDbDimensionPtr dim = db->getOdDbObjectId(0x60).safeOpenObject(OdDb::kForWrite);
        EXPECT_EQ(dim->dimtxt(), 5.0);
        OdDbDictionaryPtr xdict = dim->extensionDictionary().safeOpenObject();
        EXPECT_TRUE(xdict->has("ACAD_DIMASSOC"));
        OdResBufPtr taln = dim->xData("ACAD_DSTYLE_DIMTALN");
        ASSERT_TRUE(taln && taln->next() && taln->next()->next());
        EXPECT_EQ(taln->next()->next()->getInt16(), 1);
        dim->setDimtxt(6.0);
    }
    const std::string out = writeDxfDrawingToBytes(*db);
    // The unknown override pair stays in the DSTYLE section.
    EXPECT_NE(out.find("1070\n140\n1040\n6.0\n1070\n999\n1070\n7\n1002\n}"), std::string::npos) << out;
    std::unique_ptr<OdDbDatabase> again = read(out);
    OdDbDimensionPtr dim = again->getOdDbObjectId(0x60).safeOpenObject();
    EXPECT_EQ(dim->dimtxt(), 6.0);
    EXPECT_EQ(recordName(dim->dimensionStyle()), "Tol");
    OdDbDictionaryPtr xdict = dim->extensionDictionary().safeOpenObject();
    EXPECT_TRUE(xdict->has("ACAD_DIMASSOC"));
    EXPECT_TRUE(dim->xData("ACAD_DSTYLE_DIMTALN"));
    // The dimension's text style and style are in use: purge keeps them.
    OdDbObjectIdArray ids{dim->dimensionStyle()};
    again->purge(ids);
    EXPECT_TRUE(ids.empty());
}

// A DIMSTYLE table that lists its entries (71 and 340 after its subclass
// marker) lists the live ones once styles were added or erased.
TEST(DxfDrawingMapping, DimensionStyleTableListsItsLiveEntries)
{
    std::string drawing = drawingWithForeignRecords();
    const std::string head = tableHead("DIMSTYLE", "A", "2");
    drawing.replace(drawing.find(head), head.size(),
                    head + lines({"100", "AcDbDimStyleTable", " 71", "2", "340", "18", "340", "19"}));
    std::unique_ptr<OdDbDatabase> db = read(drawing);
    EXPECT_EQ(writeDxfDrawingToBytes(*db), drawing);
    db->getOdDbObjectId(0x32).safeOpenObject(OdDb::kForWrite)->erase();  // the TOLERANCE using "Tol"
    db->getOdDbObjectId(0x19).safeOpenObject(OdDb::kForWrite)->erase();
    OdDbSymbolTablePtr styles = db->getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
    OdDbDimStyleTableRecordPtr added = OdDbDimStyleTableRecord::createObject();
    added->setName("Added");
    const OdDbObjectId addedId = styles->add(added);
    added.reset();
    styles.reset();
    const std::string out = writeDxfDrawingToBytes(*db);
    const std::size_t at = out.find("AcDbDimStyleTable");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(out.substr(at, 60).substr(0, out.substr(at).find("  0\n")),
              "AcDbDimStyleTable\n 71\n2\n340\n18\n340\n" + addedId.getHandle().ascii() + "\n");
    std::unique_ptr<OdDbDatabase> again = read(out);
    EXPECT_TRUE(recordId(*again, again->getDimStyleTableId(), "Tol").isNull());
    EXPECT_FALSE(recordId(*again, again->getDimStyleTableId(), "Added").isNull());
}

// MTEXT's rotation is in degrees in files; a direction vector stands for it
// when the rotation is missing, and an embedded object's vectors never do.
// Its text is the chunks of 3 followed by 1.
TEST(DxfDrawingMapping, MTextRotationIsReadInDegreesOrFromItsDirection)
{
    std::string drawing = drawingWithForeignRecords();
    drawing.replace(drawing.find("  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS"), 0,
                    lines({"  0", "MTEXT", "  5", "70", "330", "1F", "100", "AcDbEntity", "  8", "0", "100",
                           "AcDbMText", " 10", "1.0", " 20", "2.0", " 30", "0.0", " 40", "2.5", "  3", "text ",
                           "  1", "turned", " 50", "30.0", "  0", "MTEXT", "  5", "71", "330", "1F", "100", "AcDbEntity", "  8", "0",
                           "100", "AcDbMText", " 10", "1.0", " 20", "2.0", " 30", "0.0", " 40", "2.5", "  1", "up",
                           " 11", "0.0", " 21", "1.0", " 31", "0.0", "  0", "MTEXT", "  5", "72", "330", "1F",
                           "100", "AcDbEntity", "  8", "0", "100", "AcDbMText", " 10", "1.0", " 20", "2.0", " 30",
                           "0.0", " 40", "2.5", " 41", "30.0", " 71", "1", "  1", "embedded", "101",
                           "Embedded Object", " 70", "1", " 10", "1.0", " 20", "0.0", " 30", "0.0", " 11", "5.0",
                           " 21", "3.0", " 31", "0.0", " 40", "50.0", " 41", "0.0", " 46", "0.0"}));
    std::unique_ptr<OdDbDatabase> db = read(drawing);
    OdDbMTextPtr turned = db->getOdDbObjectId(0x70).safeOpenObject(OdDb::kForWrite);
    EXPECT_NEAR(turned->rotation(), std::numbers::pi / 6, 1e-12);
    EXPECT_EQ(turned->contents(), "text turned");  // the chunks of 3 first, 1 the end
    OdDbMTextPtr up = db->getOdDbObjectId(0x71).safeOpenObject(OdDb::kForWrite);
    EXPECT_NEAR(up->rotation(), std::numbers::pi / 2, 1e-12);
    // An embedded object's values are its own, not the text's direction,
    // width and height; a changed text writes them back after its own.
    OdDbMTextPtr embedded = db->getOdDbObjectId(0x72).safeOpenObject(OdDb::kForWrite);
    EXPECT_EQ(embedded->rotation(), 0.0);
    EXPECT_EQ(embedded->textHeight(), 2.5);
    EXPECT_EQ(embedded->width(), 30.0);
    up->setContents("still up");
    embedded->setContents("changed");
    up.reset();
    turned.reset();
    embedded.reset();
    const std::string written = writeDxfDrawingToBytes(*db);
    EXPECT_NE(written.find(lines({"  1", "changed", "  7", "Standard", "101", "Embedded Object", " 70", "1", " 10",
                                  "1.0"})),
              std::string::npos);
    std::unique_ptr<OdDbDatabase> again = read(written);
    OdDbMTextPtr upAgain = again->getOdDbObjectId(0x71).safeOpenObject();
    EXPECT_NEAR(upAgain->rotation(), std::numbers::pi / 2, 1e-12);
    EXPECT_EQ(upAgain->contents(), "still up");
    OdDbMTextPtr embeddedAgain = again->getOdDbObjectId(0x72).safeOpenObject();
    EXPECT_EQ(embeddedAgain->textHeight(), 2.5);
    EXPECT_EQ(embeddedAgain->rotation(), 0.0);
}

// The widths of a light polyline's segments and its plane are read, and
// written from the polyline when it changes: widths as read where they
// stay, anew where they changed, and for vertices that had none.
TEST(DxfDrawingMapping, PolylineSegmentWidthsAndPlaneAreReadAndWritten)
{
    std::string drawing = drawingWithForeignRecords();
    drawing.replace(drawing.find("  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS"), 0,
                    lines({"  0", "LWPOLYLINE", "  5", "70", "330", "1F", "100", "AcDbEntity", "  8", "0", "100",
                           "AcDbPolyline", " 90", "3", " 70", "0", " 10", "0", " 20", "0", " 91", "7", " 40", ".20",
                           " 41", "1.2", " 10", "5", " 20", "5", " 91", "8", " 10", "9", " 20", "0", "210", "0",
                           "220", "0", "230", "-1"}));
    std::unique_ptr<OdDbDatabase> db = read(drawing);
    OdDbPolylinePtr p = db->getOdDbObjectId(0x70).safeOpenObject(OdDb::kForWrite);
    ASSERT_EQ(p->numVerts(), 3u);
    EXPECT_EQ(p->vertexAt(0).startWidth, 0.2);
    EXPECT_EQ(p->vertexAt(0).endWidth, 1.2);
    EXPECT_TRUE(p->hasVertexWidths());
    EXPECT_EQ(p->normal(), OdGeVector3d(0, 0, -1));  // its plane, seen from below
    p->setWidthsAt(0, 0.2, 2.0);
    p->setWidthsAt(1, 1.0, 1.0);
    p.reset();
    const std::string written = writeDxfDrawingToBytes(*db);
    EXPECT_NE(written.find(lines({" 10", "0.0", " 20", "0.0", " 91", "7", " 40", ".20", " 41", "2.0", " 10", "5.0",
                                  " 20", "5.0", " 91", "8", " 40", "1.0", " 41", "1.0", " 10", "9.0", " 20", "0.0",
                                  "210", "0.0", "220", "0.0", "230", "-1.0"})),
              std::string::npos)
        << written.substr(written.find("AcDbPolyline"), 300);
}

// Found by fuzzing the mapping: files that leave out parts or order them
// unusually must read right and save.
TEST(DxfDrawingMapping, UnusualAndOldFilesReadAndSaveWithoutLoss)
{
    // A dimension variable the header leaves out means the default of the
    // measurement system the header names (imperial when it names none).
    for (const char* measurement : {"", "  9\n$MEASUREMENT\n 70\n0\n", "  9\n$MEASUREMENT\n 70\n1\n"}) {
        const std::string text = std::string("  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n") + measurement +
                                  "  0\nENDSEC\n  0\nEOF\n";
        std::unique_ptr<OdDbDatabase> db = read(text);
        const bool metric = std::string(measurement).find("70\n1") != std::string::npos;
        EXPECT_EQ(db->dimVars().altd,
                  (metric ? OdDbDimVars::metricDefaults() : OdDbDimVars::imperialDefaults()).altd) << measurement;
    }

    // An R12 file names a built-in arrowhead without a block: saved as R12
    // it stays so while the style is as read; a style written anew names
    // the block, which the file then holds.
    {
        std::unique_ptr<OdDbDatabase> r12 = read(lines(
            {"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1009", "  0", "ENDSEC", "  0", "SECTION",
             "  2", "TABLES", "  0", "TABLE", "  2", "DIMSTYLE", " 70", "1", "  0", "DIMSTYLE", "  2", "Boxes", " 70",
             "0", "  5", "BoxBlank", " 41", "0.18", "  0", "ENDTAB", "  0", "ENDSEC", "  0", "EOF"}));
        // The block's BLOCK record: its name follows its layer.
        auto holdsBlock = [](const std::string& text) {
            return text.find("  0\nBLOCK\n") != std::string::npos && text.find("\n_BoxBlank\n") != std::string::npos;
        };
        EXPECT_FALSE(holdsBlock(writeDxfDrawingToBytes(*r12, DxfVersion::R12)));
        OdDbDimStyleTableRecordPtr(recordId(*r12, r12->getDimStyleTableId(), "Boxes").safeOpenObject(OdDb::kForWrite))
            ->setDimasz(0.25);
        const std::string changed = writeDxfDrawingToBytes(*r12, DxfVersion::R12);
        EXPECT_TRUE(holdsBlock(changed)) << changed;
        std::unique_ptr<OdDbDatabase> back = read(changed);
        OdDbDimStyleTableRecordPtr boxes = recordId(*back, back->getDimStyleTableId(), "Boxes").safeOpenObject();
        EXPECT_EQ(recordName(boxes->dimblk()), "_BoxBlank");
    }

    // Entities only: the saved drawing gets a whole header.
    std::unique_ptr<OdDbDatabase> bare =
        read(entitiesOnly({"  0", "LINE", "  8", "0", " 10", "1.0", " 20", "2.0", " 11", "3.0", " 21", "4.0"}));
    const std::string saved = writeDxfDrawingToBytes(*bare);
    EXPECT_NE(saved.find("$ACADVER"), std::string::npos);
    std::unique_ptr<OdDbDatabase> again = read(saved);
    OdDbLinePtr line = onlyEntity(*again);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->endPoint().y, 4.0);
    // With a byte order mark, the mark stays first, before the header the
    // save adds.
    std::unique_ptr<OdDbDatabase> marked = read("\xEF\xBB\xBF" + entitiesOnly({}));
    const std::string markedOut = writeDxfDrawingToBytes(*marked);
    EXPECT_EQ(markedOut.rfind("\xEF\xBB\xBF", 0), 0u);
    EXPECT_NO_THROW(read(markedOut));

    // A carriage return inside a text (no line ending), or ending it (its
    // line ends in CR CR LF), is kept through a save as read and as R2000,
    // which writes an R12 drawing anew, there as an escape, never raw.
    for (auto [given, kept] : {std::pair{"A\rB", "A\rB"}, {"Note\r\r", "Note\r"}})
        for (bool anew : {false, true}) {
            std::unique_ptr<OdDbDatabase> withCr = read(
                entitiesOnly({"  0", "TEXT", "  8", "0", " 10", "0.0", " 20", "0.0", " 40", "2.5", "  1", given}));
            const std::string crSaved = anew ? writeDxfDrawingToBytes(*withCr, DxfVersion::R2000)
                                             : writeDxfDrawingToBytes(*withCr);
            EXPECT_TRUE(!anew || crSaved.find('\r') == std::string::npos) << kept;
            std::unique_ptr<OdDbDatabase> crAgain = read(crSaved);
            OdDbTextPtr text = onlyEntity(*crAgain);
            ASSERT_TRUE(text);
            EXPECT_EQ(text->textString(), kept);
        }

    // An R12 drawing is written anew in a later version: what its records
    // say beyond what is modelled goes to the subclass it belongs to (a
    // line's thickness, the "attributes follow" flag of a block reference).
    std::unique_ptr<OdDbDatabase> r12 = read(lines(
        {"  0", "SECTION", "  2", "BLOCKS", "  0", "BLOCK", "  8", "0", "  2", "TAG", " 70", "2", " 10", "0.0", " 20",
         "0.0", "  3", "TAG", "  0", "ATTDEF", "  8", "0", " 10", "0.0", " 20", "0.0", " 40", "1.0", "  1", "",
         "  3", "Tag?", "  2", "T", " 70", "0", "  0", "ENDBLK", "  8", "0", "  0", "ENDSEC", "  0", "SECTION", "  2",
         "ENTITIES", "  0", "LINE", "  8", "0", " 39", "2.5", " 10", "0.0", " 20", "0.0", " 11", "1.0", " 21", "0.0",
         "  0", "INSERT", "  8", "0", " 66", "1", "  2", "TAG", " 10", "5.0", " 20", "5.0", "  0", "ATTRIB", "  8",
         "0", " 10", "5.0", " 20", "5.0", " 40", "1.0", "  1", "A1", "  2", "T", " 70", "0", "  0", "SEQEND", "  8",
         "0", "  0", "ENDSEC", "  0", "EOF"}));
    const std::string r2000 = writeDxfDrawingToBytes(*r12, DxfVersion::R2000);
    const size_t lineAt = r2000.find("AcDbLine\n");
    ASSERT_NE(lineAt, std::string::npos);
    EXPECT_NE(r2000.find(" 39\n2.5\n", lineAt), std::string::npos);
    const size_t insertAt = r2000.find("AcDbBlockReference\n");
    ASSERT_NE(insertAt, std::string::npos);
    EXPECT_NE(r2000.find(" 66\n1\n", insertAt), std::string::npos);
    EXPECT_LT(r2000.find(" 66\n1\n", insertAt), r2000.find("ATTRIB", insertAt));

    // An application entry with extended data of an application registered
    // after it in the same table.
    std::unique_ptr<OdDbDatabase> apps = read(lines(
        {"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1015", "  9", "$HANDSEED", "  5", "30",
         "  0", "ENDSEC", "  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "APPID", "  5", "9", "330", "0",
         "100", "AcDbSymbolTable", " 70", "2", "  0", "APPID", "  5", "12", "330", "9", "100",
         "AcDbSymbolTableRecord", "100", "AcDbRegAppTableRecord", "  2", "ACAD", " 70", "0", "1001", "QRV_NOTES",
         "1000", "registered below", "  0", "APPID", "  5", "13", "330", "9", "100", "AcDbSymbolTableRecord", "100",
         "AcDbRegAppTableRecord", "  2", "QRV_NOTES", " 70", "0", "  0", "ENDTAB", "  0", "ENDSEC", "  0", "EOF"}));
    OdDbSymbolTablePtr appTable = apps->getRegAppTableId().safeOpenObject();
    EXPECT_TRUE(appTable->has("QRV_NOTES"));
    appTable.reset();

    // A value that does not fit its code where reading has no use for it
    // (the flags of a dictionary) is refused with its line as anywhere else,
    // never taken into a drawing whose save would then fail.
    for (const char* flag : {"yes", ""}) {
        const std::string odd = lines({"  0", "SECTION", "  2", "HEADER", "  0", "ENDSEC", "  0", "SECTION", "  2",
                                       "OBJECTS", "  0", "DICTIONARY", "100", "AcDbDictionary", "280", flag, "  0",
                                       "ENDSEC", "  0", "EOF"});
        EXPECT_NE(readError(odd).find("line 16: value for group code 280 is not an integer"), std::string::npos)
            << flag;
    }

    // A layer table before the linetype table its layer names: the layer
    // uses the file's linetype, which purge then keeps.
    const std::string layerFirst = lines(
        {"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1015", "  9", "$HANDSEED", "  5", "30",
         "  0", "ENDSEC", "  0", "SECTION", "  2", "TABLES",
         "  0", "TABLE", "  2", "LAYER", "  5", "2", "330", "0", "100", "AcDbSymbolTable", " 70", "1",
         "  0", "LAYER", "  5", "10", "330", "2", "100", "AcDbSymbolTableRecord", "100", "AcDbLayerTableRecord",
         "  2", "0", " 70", "0", " 62", "7", "  6", "DASHED", "  0", "ENDTAB",
         "  0", "TABLE", "  2", "LTYPE", "  5", "5", "330", "0", "100", "AcDbSymbolTable", " 70", "1",
         "  0", "LTYPE", "  5", "14", "330", "5", "100", "AcDbSymbolTableRecord", "100", "AcDbLinetypeTableRecord",
         "  2", "DASHED", " 70", "0", "  3", "", " 72", "65", " 73", "0", " 40", "0.0", "  0", "ENDTAB",
         "  0", "ENDSEC", "  0", "EOF"});
    DxfReadReport report;
    std::unique_ptr<OdDbDatabase> db = read(layerFirst, &report);
    for (const std::string& w : report.warnings)  // the drawing's own standard records are made, nothing else
        EXPECT_EQ(w.find("DASHED"), std::string::npos) << w;
    const OdDbObjectId dashed = db->getOdDbObjectId(0x14);
    OdDbLayerTableRecordPtr layer = db->getLayerZeroId().safeOpenObject();
    EXPECT_EQ(layer->linetypeObjectId(), dashed);
    OdDbObjectIdArray ids{dashed};
    db->purge(ids);
    EXPECT_TRUE(ids.empty());
    // Saved and read again: still one linetype of that name, the layer's.
    const std::string out = writeDxfDrawingToBytes(*db);
    const size_t record = out.find("\n  2\nDASHED\n");
    ASSERT_NE(record, std::string::npos);
    EXPECT_EQ(out.find("\n  2\nDASHED\n", record + 1), std::string::npos);
    layer.reset();
    std::unique_ptr<OdDbDatabase> reread = read(out);
    OdDbLayerTableRecordPtr layerAgain = reread->getLayerZeroId().safeOpenObject();
    EXPECT_EQ(layerAgain->linetypeObjectId(), reread->getOdDbObjectId(0x14));
}

// Found by fuzzing too: records a file gives no handle keep the one they
// get when read, so references to them survive a save; a handle or owner
// that is no handle is never copied back; and a file with a section twice
// is refused rather than saved with every new object twice.
TEST(DxfDrawingMapping, RecordsWithoutHandlesKeepTheirsAndRepeatedSectionsAreRefused)
{
    std::string text = drawingWithForeignRecords();
    // The text style "Mono" (modelled) and the TOLERANCE (not) lose their handles.
    for (std::string record : {"  0\nSTYLE\n", "  0\nTOLERANCE\n"}) {
        const size_t at = text.find(record + "  5\n" + (record.find("STYLE") != std::string::npos ? "13\n" : "32\n"));
        ASSERT_NE(at, std::string::npos) << record;
        text.erase(at + record.size(), 7);
    }
    std::unique_ptr<OdDbDatabase> db = read(text);
    const OdDbObjectId monoId = recordId(*db, db->getTextStyleTableId(), "Mono");
    const std::string monoHandle = monoId.getHandle().ascii();
    {
        OdDbDimStyleTableRecordPtr tol =
            recordId(*db, db->getDimStyleTableId(), "Tol").safeOpenObject(OdDb::kForWrite);
        tol->setDimtxsty(monoId);
    }
    std::unique_ptr<OdDbDatabase> again = read(writeDxfDrawingToBytes(*db));
    EXPECT_EQ(recordId(*again, again->getTextStyleTableId(), "Mono").getHandle().ascii(), monoHandle);
    OdDbDimStyleTableRecordPtr tol = recordId(*again, again->getDimStyleTableId(), "Tol").safeOpenObject();
    EXPECT_EQ(tol->dimtxsty(), recordId(*again, again->getTextStyleTableId(), "Mono"));
    EXPECT_NE(writeDxfDrawingToBytes(*db).find("  0\nTOLERANCE\n  5\n"), std::string::npos);  // given its handle

    // Records kept as read all (a block's BLOCK and ENDBLK, a table's head,
    // an unmodelled entity, an unchanged LINE): each gets the owner the
    // drawing gives it, and the ENDBLK a handle of its own.
    std::string lost = drawingWithForeignRecords();
    for (const auto& [sound, damaged] :
         {std::pair{"BLOCK\n  5\n22\n330\n1E\n", "BLOCK\n  5\n22\n330\nLAYER\n"},
          {"ENDBLK\n  5\n23\n330\n1E\n", "ENDBLK\n  5\n3X\n330\nLAYER\n"},
          {"VPORT\n  5\n8\n330\n0\n", "VPORT\n  5\n8\n330\nQQ\n"},
          {"102\n}\n330\n1F\n", "102\n}\n330\nx\n"},
          {"LINE\n  5\n30\n330\n1F\n", "LINE\n  5\n30\n330\n-1\n"}}) {
        const size_t at = lost.find(sound);
        ASSERT_NE(at, std::string::npos) << sound;
        lost.replace(at, std::string_view(sound).size(), damaged);
    }
    DxfReadReport lostReport;
    std::unique_ptr<OdDbDatabase> lostDb = read(lost, &lostReport);
    EXPECT_EQ(lostReport.warnings.size(), 6u);
    const std::string mended = writeDxfDrawingToBytes(*lostDb);
    for (const char* sound : {"BLOCK\n  5\n22\n330\n1E\n", "VPORT\n  5\n8\n330\n0\n",
                              "102\n}\n330\n1F\n", "LINE\n  5\n30\n330\n1F\n"})
        EXPECT_NE(mended.find(sound), std::string::npos) << sound;
    const size_t endBlk = mended.find("ENDBLK", mended.find("BLOCK\n  5\n22\n"));
    const std::string endBlkText = mended.substr(endBlk, mended.find("  0\n", endBlk) - endBlk);
    EXPECT_NE(endBlkText.find("330\n1E\n"), std::string::npos) << endBlkText;
    DxfReadReport mendedReport;
    read(mended, &mendedReport);
    EXPECT_TRUE(mendedReport.warnings.empty()) << mendedReport.warnings[0];

    const std::string twice = lines({"  0", "SECTION", "  2", "HEADER", "  9", "$DIMBLK", "  1", "OPEN", "  0",
                                     "ENDSEC", "  0", "SECTION", "  2", "BLOCKS", "  0", "ENDSEC", "  0", "SECTION",
                                     "  2", "BLOCKS", "  0", "ENDSEC", "  0", "EOF"});
    EXPECT_EQ(readError(twice), "Bad DXF file: line 17: a second BLOCKS section; a drawing has one");
}

// The header holds colour variables as an index; a current true colour is
// kept beside it and read back, unless another program has since set an
// index of its own.
TEST(DxfDrawingMapping, CurrentTrueColoursSurviveASave)
{
    std::unique_ptr<OdDbDatabase> db = read(drawingWithForeignRecords());
    const int clrd = *OdDbDimVars::indexOf("clrd");
    const OdCmColor orange = OdCmColor::fromRGB(255, 128, 0);
    OdDbHeaderVars vars = db->headerVars();
    vars.dim.set(clrd, orange);
    db->setHeaderVars(vars);
    const std::string saved = writeDxfDrawingToBytes(*db);
    std::unique_ptr<OdDbDatabase> again = read(saved);
    EXPECT_EQ(std::get<OdCmColor>(again->headerVars().dim.get(clrd)), orange);
    EXPECT_EQ(writeDxfDrawingToBytes(*again), saved);

    const std::string index = "$DIMCLRD\n 70\n" + std::to_string(orange.colorIndex()) + "\n";
    std::string otherIndex = saved;
    ASSERT_NE(otherIndex.find(index), std::string::npos);
    otherIndex.replace(otherIndex.find(index), index.size(), "$DIMCLRD\n 70\n3\n");
    EXPECT_EQ(std::get<OdCmColor>(read(otherIndex)->headerVars().dim.get(clrd)), OdCmColor::fromIndex(3));

    vars = again->headerVars();
    vars.dim.set(clrd, OdCmColor::fromIndex(1));
    again->setHeaderVars(vars);
    const std::string plain = writeDxfDrawingToBytes(*again);
    EXPECT_EQ(plain.find("$QRV_DIMCLRD"), std::string::npos);
    EXPECT_EQ(std::get<OdCmColor>(read(plain)->headerVars().dim.get(clrd)), OdCmColor::fromIndex(1));
}

// Every entity class of the database is written and reads back as the same
// class, both when made anew and when read from a record and changed: the
// writer leaves none out and the reader knows every record it writes.
TEST(DxfDrawingMapping, EveryModelledEntityKindIsWrittenAnew)
{
    auto kinds = [](const OdDbDatabase& d) {
        std::multiset<std::string> out;
        OdDbBlockTableRecordPtr ms = d.getModelSpaceId().safeOpenObject();
        for (OdDbObjectId id : ms->entityIds())
            out.insert(id.openObject()->isA()->name());
        return out;
    };
    OdDbDatabase made;
    {
        OdDbBlockTableRecordPtr ms = made.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
        for (const OdDbEntityClass& c : odDbEntityClasses()) {
            OdDbEntityPtr e = c.create();
            if (auto d = OdDbDimStyleEntity::cast(e)) d->setDimensionStyle(made.getDimStyleStandardId());
            ms->appendOdDbEntity(e);
        }
    }
    EXPECT_EQ(kinds(made).size(), odDbEntityClasses().size());
    const std::string bytes = writeDxfDrawingToBytes(made);
    std::unique_ptr<OdDbDatabase> db = read(bytes);
    EXPECT_EQ(kinds(*db), kinds(made));
    {
        OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject();
        for (OdDbObjectId id : ms->entityIds())
            OdDbEntityPtr(id.safeOpenObject(OdDb::kForWrite))->setColor(OdCmColor::fromIndex(3));
    }
    std::unique_ptr<OdDbDatabase> again = read(writeDxfDrawingToBytes(*db));
    EXPECT_EQ(kinds(*again), kinds(made));
}

// Drafting modes: ORTHOMODE and OSMODE in the header (and the point style,
// PDMODE and PDSIZE); the grid and the snap
// in the active viewport, which wins over the header. An unchanged drawing
// writes both back as they were; a change goes where the file keeps it, the
// rest of the viewport as it was.
TEST(DxfDrawingMapping, DraftingModesAreWrittenWhereTheFileKeepsThem)
{
    const std::string original = readFile(DDS_SOURCE_DIR "/examples/sample.dxf");
    std::unique_ptr<OdDbDatabase> db = read(original);
    EXPECT_EQ(db->getGRIDUNIT(0), 0.5);  // the viewport's, not the header's default
    EXPECT_EQ(db->getSNAPMODE(), 0);
    EXPECT_EQ(writeDxfDrawingToBytes(*db), original);
    db->setSNAPMODE(1);
    db->setGRIDUNIT(2, 3);
    db->setORTHOMODE(1);
    db->setPDMODE(35);
    db->setPDSIZE(-2.5);
    const std::string written = writeDxfDrawingToBytes(*db);
    std::unique_ptr<OdDbDatabase> again = read(written);
    EXPECT_EQ(again->getSNAPMODE(), 1);
    EXPECT_EQ(again->getGRIDUNIT(0), 2);
    EXPECT_EQ(again->getGRIDUNIT(1), 3);
    EXPECT_EQ(again->getORTHOMODE(), 1);
    EXPECT_EQ(again->getPDMODE(), 35);
    EXPECT_EQ(again->getPDSIZE(), -2.5);
    EXPECT_EQ(again->getSNAPUNIT(0), 0.5);  // unchanged, as the viewport had it
    // Nothing else changed: the lines of the new file not in the old are
    // the new values (and the header's own copies of them).
    std::multiset<std::string> old;
    std::istringstream a(original), b(written);
    for (std::string x; std::getline(a, x);) old.insert(x);
    int added = 0;
    for (std::string y; std::getline(b, y);)
        if (auto it = old.find(y); it != old.end()) old.erase(it); else ++added;
    EXPECT_LE(added, 16);
    EXPECT_LE(old.size(), 6u);
}

// Ellipses, splines, rays, construction lines, 3D faces and traces: read
// into their objects, written back as read while unchanged, and when
// changed (moved to another layer) written from the object with the codes
// it does not model kept in their places.
TEST(DxfDrawingMapping, CurveAndFaceKindsReadAndKeepWhatTheyDoNotModel)
{
    std::string bytes = drawingWithForeignRecords();
    const std::string entities = "  2\nENTITIES\n";
    bytes.insert(bytes.find(entities) + entities.size(), lines({
        "  0", "ELLIPSE", "  5", "60", "330", "1F", "100", "AcDbEntity", "  8", "0", "100", "AcDbEllipse",
        " 10", "1.0", " 20", "2.0", " 30", "0.0", " 11", "4.0", " 21", "0.0", " 31", "0.0",
        " 40", "0.5", " 41", "0.0", " 42", "3.14159",
        "  0", "SPLINE", "  5", "61", "330", "1F", "100", "AcDbEntity", "  8", "0", "100", "AcDbSpline",
        " 70", "12", " 71", "2", " 72", "6", " 73", "3", " 74", "0", " 40", "0.0", " 40", "0.0", " 40", "0.0",
        " 40", "1.0", " 40", "1.0", " 40", "1.0", " 41", "1.0", " 41", "0.5", " 41", "1.0",
        " 10", "0.0", " 20", "0.0", " 30", "0.0", " 10", "1.0", " 20", "1.0", " 30", "0.0",
        " 10", "2.0", " 20", "0.0", " 30", "0.0",
        "  0", "RAY", "  5", "62", "330", "1F", "100", "AcDbEntity", "  8", "0", "100", "AcDbRay",
        " 10", "0.0", " 20", "0.0", " 30", "0.0", " 11", "0.0", " 21", "2.0", " 31", "0.0",
        "  0", "XLINE", "  5", "63", "330", "1F", "100", "AcDbEntity", "  8", "0", "100", "AcDbXline",
        " 10", "5.0", " 20", "5.0", " 30", "0.0", " 11", "1.0", " 21", "0.0", " 31", "0.0",
        "  0", "3DFACE", "  5", "64", "330", "1F", "100", "AcDbEntity", "  8", "0", "100", "AcDbFace",
        " 10", "0.0", " 20", "0.0", " 30", "0.0", " 11", "1.0", " 21", "0.0", " 31", "0.0",
        " 12", "1.0", " 22", "1.0", " 32", "0.0", " 13", "0.0", " 23", "1.0", " 33", "0.0", " 70", "5",
        "  0", "TRACE", "  5", "65", "330", "1F", "100", "AcDbEntity", "  8", "0", "100", "AcDbTrace", " 39", "0.5",
        " 10", "0.0", " 20", "0.0", " 30", "0.0", " 11", "2.0", " 21", "0.0", " 31", "0.0",
        " 12", "0.0", " 22", "1.0", " 32", "0.0", " 13", "2.0", " 23", "1.0", " 33", "0.0",
        "1001", "ACAD", "1000", "kept",
        // A major axis of no length: the ellipse keeps its default, said,
        // and the record is written back as read.
        "  0", "ELLIPSE", "  5", "66", "330", "1F", "100", "AcDbEntity", "  8", "0", "100", "AcDbEllipse",
        " 10", "0.0", " 20", "0.0", " 30", "0.0", " 11", "0.0", " 21", "0.0", " 31", "0.0", " 40", "2.0",
    }));
    DxfReadReport report;
    std::unique_ptr<OdDbDatabase> db = read(bytes, &report);
    EXPECT_EQ(writeDxfDrawingToBytes(*db), bytes);
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_NE(report.warnings[0].find("major axis out of range"), std::string::npos) << report.warnings[0];
    EXPECT_EQ(OdDbEllipsePtr(db->getOdDbObjectId(0x66).safeOpenObject())->radiusRatio(), 2.0);

    auto check = [](const OdDbDatabase& d) {
        OdDbEllipsePtr e = d.getOdDbObjectId(0x60).safeOpenObject();
        EXPECT_EQ(e->center(), OdGePoint3d(1, 2, 0));
        EXPECT_EQ(e->majorAxis(), OdGeVector3d(4, 0, 0));
        EXPECT_EQ(e->radiusRatio(), 0.5);
        EXPECT_EQ(e->endParam(), 3.14159);
        OdDbSplinePtr s = d.getOdDbObjectId(0x61).safeOpenObject();
        EXPECT_EQ(s->degree(), 2);
        EXPECT_EQ(s->knots().size(), 6u);
        EXPECT_EQ(s->weights(), (std::vector<double>{1.0, 0.5, 1.0}));
        ASSERT_EQ(s->controlPoints().size(), 3u);
        EXPECT_EQ(s->controlPoints()[1], OdGePoint3d(1, 1, 0));
        OdDbRayPtr r = d.getOdDbObjectId(0x62).safeOpenObject();
        EXPECT_EQ(r->unitDir(), OdGeVector3d(0, 1, 0));  // made unit
        OdDbXlinePtr x = d.getOdDbObjectId(0x63).safeOpenObject();
        EXPECT_EQ(x->basePoint(), OdGePoint3d(5, 5, 0));
        OdDbFacePtr f = d.getOdDbObjectId(0x64).safeOpenObject();
        EXPECT_EQ(f->vertexAt(2), OdGePoint3d(1, 1, 0));
        EXPECT_FALSE(f->isEdgeVisibleAt(0));
        EXPECT_TRUE(f->isEdgeVisibleAt(1));
        OdDbTracePtr t = d.getOdDbObjectId(0x65).safeOpenObject();
        EXPECT_EQ(t->pointAt(3), OdGePoint3d(2, 1, 0));
    };
    check(*db);

    const OdDbObjectId edges = recordId(*db, db->getLayerTableId(), "Hatch");
    for (unsigned h = 0x60; h <= 0x65; ++h)
        OdDbEntityPtr(db->getOdDbObjectId(h).safeOpenObject(OdDb::kForWrite))->setLayer(edges);
    const std::string out = writeDxfDrawingToBytes(*db);
    std::unique_ptr<OdDbDatabase> again = read(out);
    check(*again);
    EXPECT_EQ(OdDbEntityPtr(again->getOdDbObjectId(0x64).safeOpenObject())->layer(), "Hatch");
    // The trace's thickness stays under its marker, its extended data after it.
    EXPECT_NE(out.find("AcDbTrace\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n2.0\n 21\n0.0\n 31\n0.0\n 12\n0.0\n 22\n1.0\n"
                       " 32\n0.0\n 13\n2.0\n 23\n1.0\n 33\n0.0\n 39\n0.5\n1001\nACAD\n1000\nkept\n"),
              std::string::npos);
    EXPECT_EQ(writeDxfDrawingToBytes(*again), out);
    // R12 has faces and traces, not the curves: those are named.
    std::string note;
    const std::string r12 = writeDxfDrawingToBytes(*again, DxfVersion::R12, DxfForm::Text, &note);
    EXPECT_NE(r12.find("3DFACE"), std::string::npos);
    EXPECT_NE(r12.find("TRACE"), std::string::npos);
    EXPECT_EQ(r12.find("ELLIPSE"), std::string::npos);
    EXPECT_NE(note.find("ELLIPSE"), std::string::npos) << note;
    if (const std::string python = pythonWithEzdxf(); !python.empty()) {
        const std::filesystem::path path = std::filesystem::temp_directory_path() / "qrv_curve_kinds.dxf";
        writeFile(path, writeDxfDrawingToBytes(*again, DxfVersion::R2018));
        EXPECT_EQ(auditErrors(ezdxfReadBack(python, path)), 0);
    }
}
