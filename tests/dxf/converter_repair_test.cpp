// The DXF that the DWG converter writes is mended before it is read: the
// faults of its writer are made here on a drawing of our own, and the
// drawing read back must be the one written.
#include "DrawingTestSupport.h"

#include "DxfConverterRepair.h"
#include "OdDbBlockTableRecord.h"
#include "OdDbEntities.h"
#include "OdDbLayerTableRecord.h"

#include <cstdint>
#include <functional>
#include <sstream>

using namespace dxftest;

namespace {

// Rewrites the value of every tag `edit` is given (record type, code,
// value); it returns the new value, "" to keep it, or "-" to leave the tag
// out.
std::string rewrite(const std::string& text,
                    const std::function<std::string(const std::string&, int, const std::string&)>& edit)
{
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        all.push_back(line);
    std::string out, type;
    for (size_t i = 0; i + 1 < all.size(); i += 2) {
        const int code = std::stoi(all[i]);
        std::string value = all[i + 1];
        if (code == 0)
            type = value;
        const std::string now = edit(type, code, value);
        if (now == "-")
            continue;
        out += all[i] + "\n" + (now.empty() ? value : now) + "\n";
    }
    return out;
}

} // namespace

TEST(DxfConverterRepair, TheConvertersFaultsAreMendedBeforeReading)
{
    OdDbDatabase db;
    std::string offLayer;
    {
        OdDbLayerTablePtr layers = db.getLayerTableId().safeOpenObject(OdDb::kForWrite);
        for (const char* name : {"Shown", "Hidden"}) {
            OdDbLayerTableRecordPtr layer = OdDbLayerTableRecord::createObject();
            layer->setName(name);
            layer->setColor(OdCmColor::fromIndex(3));
            layer->setIsOff(std::string(name) == "Hidden");
            const OdDbObjectId id = layers->add(layer);
            if (layer->isOff())
                offLayer = id.getHandle().ascii();
        }
        OdDbDimStyleTableRecordPtr standard = db.getDimStyleStandardId().safeOpenObject(OdDb::kForWrite);
        standard->setDimdec(0);
        standard->setDimclrd(OdCmColor::fromIndex(0));
        db.setDimVar(*OdDbDimVars::indexOf("DIMCLRE"), OdCmColor::fromIndex(5));
        OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
        OdDbLinePtr line = OdDbLine::createObject();
        line->setColor(OdCmColor::fromRGB(10, 20, 30));
        ms->appendOdDbEntity(line);
    }
    const std::string standardHandle = db.getDimStyleStandardId().getHandle().ascii();
    const std::string sound = writeDxfDrawingToBytes(db, DxfVersion::R2018);

    // What the converter makes of such a drawing.
    std::string variable;
    int seventies = 0;
    const std::string faulty = rewrite(sound, [&](const std::string& type, int code, const std::string& value) {
        if (code == 9)
            variable = value;
        seventies = code == 0 ? 0 : seventies + (code == 70);
        if (type == "DIMSTYLE" && code == 70 && seventies == 2)
            return std::string("-");  // the text fill colour
        if (type == "LAYER" && code == 62)
            return std::to_string(-std::abs(std::stoi(value)));
        if (type == "DIMSTYLE" && code == 176)
            return std::string("-1056964608");  // the colour word of "by block"
        if (type == "DIMSTYLE" && code == 271)
            return std::string("-");
        if (code == 420)
            return std::to_string(std::int32_t(std::uint32_t(std::stol(value)) | 0xC2000000u));
        if (type == "SECTION" && variable == "$DIMCLRE" && code == 70)
            return std::string("256");
        if (type == "LAYER" && code == 2 && value == "Shown")
            return std::string("Sho\rwn");  // a text written as its bytes
        return std::string();
    });
    ASSERT_NE(faulty, sound);

    TempFolder folder;
    writeFile(folder / "converted.dxf", faulty);
    const std::string facts = "version AC1032\nlayer-off " + offLayer + "\nheader DIMCLRE 5 0\n" +
                              "dimstyle " + standardHandle + " DIMDEC 0\n" +
                              "dimstyle-colour " + standardHandle + " DIMTFILLCLR 256 C3000061\n" +
                              "not-converted MULTILEADER 15\nnot-converted proxy 2\na line of a newer driver\n";
    DxfReadReport report;
    DxfConvertedRead converted;
    std::unique_ptr<OdDbDatabase> read =
        readConvertedDxfDrawing((folder / "converted.dxf").string(), facts, false, report, converted);
    EXPECT_EQ(converted.recoveredBecause, "");
    EXPECT_EQ(converted.dwgVersion, "AC1032");
    EXPECT_EQ(converted.notConverted, (std::map<std::string, int>{{"MULTILEADER", 15}, {"proxy", 2}}));
    EXPECT_EQ(converted.mended.size(), 6u);

    for (const char* name : {"Sho\rwn", "Hidden"}) {
        OdDbLayerTableRecordPtr layer = recordId(*read, read->getLayerTableId(), name).safeOpenObject();
        EXPECT_EQ(layer->isOff(), std::string(name) == "Hidden") << name;
        EXPECT_EQ(layer->color().colorIndex(), 3) << name;
    }
    EXPECT_EQ(writeDxfDrawingToBytes(*read).find("\r"), std::string::npos) << "no line ends inside a text";
    OdDbDimStyleTableRecordPtr standard = read->getDimStyleStandardId().safeOpenObject();
    EXPECT_EQ(standard->dimdec(), 0);
    EXPECT_EQ(standard->dimtfillclr().colorIndex(), 0x61);
    EXPECT_TRUE(standard->dimclrd().isByBlock());
    EXPECT_EQ(read->dimclre().colorIndex(), 5);
    OdDbBlockTableRecordPtr ms = read->getModelSpaceId().safeOpenObject();
    auto it = ms->newIterator();
    ASSERT_FALSE(it->done());
    const OdCmColor colour = it->entity()->color();
    EXPECT_TRUE(colour.isByColor());
    EXPECT_EQ(int(colour.red()) * 65536 + colour.green() * 256 + colour.blue(), 10 * 65536 + 20 * 256 + 30);

    // A sound drawing passes unchanged.
    std::vector<std::string> notes;
    EXPECT_EQ(dxfRepairConverterOutput(sound, dxfParseConverterFacts("layer-off " + offLayer), notes), sound);
    EXPECT_TRUE(notes.empty());
}

TEST(DxfConverterRepair, ColourWordsStandForTheirIndex)
{
    EXPECT_EQ(dxfColourIndexOfWord(-1056964608), 0);          // C1000000: by block
    EXPECT_EQ(dxfColourIndexOfWord(std::int64_t(0xC0000000)), 256);
    EXPECT_EQ(dxfColourIndexOfWord(std::int64_t(0xC3000004)), 4);
    EXPECT_EQ(dxfColourIndexOfWord(std::int64_t(0xC2FF0000)), 1);  // pure red is index 1
    EXPECT_EQ(dxfColourIndexOfWord(7), 7);
}
