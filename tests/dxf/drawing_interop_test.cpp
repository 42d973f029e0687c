// Drawings ezdxf writes load into our database with the values ezdxf reads
// back (through the DXF layer beneath, whose reading this checks too);
// drawings we write (unchanged, or with styles edited) load in ezdxf,
// pass its audit and give the values our database holds.
#include "DrawingTestSupport.h"

#include "OdDbBlockTableRecord.h"
#include "OdDbDimension.h"

#include <set>

using namespace dxftest;

namespace {

class DrawingInterop : public EzdxfReleaseTest {
protected:
    bool isR12() const { return std::string(GetParam()) == "R12"; }
    // ezdxf reads the saved file without audit errors and with the values
    // db holds; gives how many values of each kind were compared.
    std::map<std::string, int> ezdxfAgrees(const OdDbDatabase& db, const std::filesystem::path& saved) const
    {
        std::vector<Fact> peer = ezdxfReadBack(python_, saved);
        EXPECT_FALSE(peer.empty());
        EXPECT_EQ(auditErrors(peer), 0);
        return expectMatchesFacts(db, peer, true);
    }
};

// The dimension entities of model space, by the name of their style.
std::multimap<std::string, OdDbObjectId> dimensionsByStyle(const OdDbDatabase& db)
{
    std::multimap<std::string, OdDbObjectId> out;
    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject();
    for (auto it = ms->newIterator(); !it->done(); it->step())
        if (auto e = OdDbDimStyleEntity::cast(it->entity().get()))
            out.emplace(recordName(e->dimensionStyle()), it->objectId());
    return out;
}

} // namespace

TEST_P(DrawingInterop, ReadsTheValuesEzdxfReads)
{
    DxfReadReport report;
    std::unique_ptr<OdDbDatabase> db = readDxfDrawing(path_.string(), report);
    // Nothing to repair: no handle twice, no reference to nothing.
    EXPECT_TRUE(report.warnings.empty()) << report.warnings.front();
    std::map<std::string, int> checked = expectMatchesFacts(*db, facts_, !isR12());
    EXPECT_GT(checked["style"], 900);
    EXPECT_GT(checked["header"], 8);
    EXPECT_GT(checked["entity"], 100);
    EXPECT_GE(checked["override"], 8);
    std::set<std::string> peerStyles;
    for (const Fact& f : facts_) {
        if (f.kind == "style") {
            peerStyles.insert(f.key);
        } else if (f.key == "$ACADVER") {
            EXPECT_EQ(dxfVersionName(dxfDrawingVersion(*db)), factText(f.value));
        } else if (f.key == "$HANDSEED") {  // never below the file's: no handle given twice
            EXPECT_GE(db->handseed().value(), OdDbHandle::fromAscii(factText(f.value))->value());
        }
    }
    // Child styles and Cyrillic names are plain records, and there are no
    // others: ezdxf writes Latin-1 letters that ANSI_1251 lacks as "\xNN",
    // no DXF escape, and both sides read that name literally.
    OdDbSymbolTablePtr styles = db->getDimStyleTableId().safeOpenObject();
    EXPECT_EQ(styles->recordIds().size(), peerStyles.size());
    EXPECT_TRUE(styles->has("Размеры$4") && styles->has("Style00$7") && styles->has("ГОСТ 2.307$6"));
}

TEST_P(DrawingInterop, UnchangedDrawingIsWrittenBackAsItWas)
{
    std::unique_ptr<OdDbDatabase> db = readDxfDrawing(path_.string());
    TempFolder out;
    writeDxfDrawing(*db, (out / "copy.dxf").string());
    EXPECT_EQ(readFile(out / "copy.dxf"), readFile(path_));  // R12 stays R12
    if (!isR12())
        return;
    // Saved as R2000 it keeps its content in that version's form, which
    // ezdxf accepts.
    writeDxfDrawing(*db, (out / "copy.dxf").string(), DxfVersion::R2000);
    std::unique_ptr<OdDbDatabase> again = readDxfDrawing((out / "copy.dxf").string());
    EXPECT_EQ(dxfDrawingVersion(*again), DxfVersion::R2000);
    expectMatchesFacts(*again, facts_, false);
    ezdxfAgrees(*again, out / "copy.dxf");
}

TEST_P(DrawingInterop, EditedStylesReadBackInEzdxf)
{
    std::unique_ptr<OdDbDatabase> db = readDxfDrawing(path_.string());
    const OdDbHandle seedAsRead = db->handseed();
    const auto before = dimensionsByStyle(*db);
    OdDbSymbolTablePtr styles = db->getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
    {
        // New values, including text the legacy code pages cannot hold.
        OdDbDimStyleTableRecordPtr s = styles->getAt("Style03", OdDb::kForWrite);
        s->setDimasz(7.5);
        s->setDimpost("<> мм ∅");
        s->setDimclrd(OdCmColor::fromIndex(3));
        s->setDimtad(2);
        s->setDimmzf(10.0);  // no group code: travels as QRV_DIMVARS
        s->setDimmzs("см");
    }
    // Rename the current style, which dimensions and the header name.
    OdDbDimStyleTableRecordPtr renamed = styles->getAt("Style01", OdDb::kForWrite);
    renamed->setName("Переименован01");
    renamed.reset();
    // A new child style of Style02 for radial dimensions.
    {
        OdDbDimStyleTableRecordPtr base = styles->getAt("Style02", OdDb::kForRead);
        OdDbDimStyleTableRecordPtr child = OdDbDimStyleTableRecord::createObject();
        child->setDimVars(base->dimVars());
        child->setName("Style02$4");
        child->setDimtxt(4.75);
        styles->add(child);
    }
    // A per-entity override on a dimension of Style05.
    auto it = before.find("Style05");
    ASSERT_NE(it, before.end());
    const OdDbHandle overridden = it->second.getHandle();
    {
        OdDbDimensionPtr dim = it->second.safeOpenObject(OdDb::kForWrite);
        dim->setDimtxt(9.25);
        dim->setDimclrt(OdCmColor::fromIndex(5));
    }
    styles.reset();

    TempFolder out;
    const std::filesystem::path saved = out / "edited.dxf";
    writeDxfDrawing(*db, saved.string());

    // ezdxf reads what our database holds, and finds nothing to complain of.
    std::map<std::string, int> checked = ezdxfAgrees(*db, saved);
    EXPECT_GT(checked["style"], 900);
    EXPECT_GE(checked["override"], 10);

    // Our own reader gets the same drawing back.
    std::unique_ptr<OdDbDatabase> again = readDxfDrawing(saved.string());
    const auto after = dimensionsByStyle(*again);
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(after.count("Переименован01"), before.count("Style01"));
    EXPECT_EQ(after.count("Style01"), 0u);
    EXPECT_EQ(recordName(again->getDimstyle()), "Переименован01");
    OdDbSymbolTablePtr againStyles = again->getDimStyleTableId().safeOpenObject();
    OdDbDimStyleTableRecordPtr s3 = againStyles->getAt("Style03", OdDb::kForRead);
    EXPECT_EQ(s3->dimasz(), 7.5);
    EXPECT_EQ(s3->dimpost(), "<> мм ∅");
    EXPECT_EQ(s3->dimmzf(), 10.0);
    EXPECT_EQ(s3->dimmzs(), "см");
    OdDbDimStyleTableRecordPtr child = againStyles->getAt("Style02$4", OdDb::kForRead);
    ASSERT_TRUE(child);
    EXPECT_EQ(child->dimtxt(), 4.75);
    OdDbDimensionPtr dim = again->getOdDbObjectId(overridden).safeOpenObject();
    EXPECT_EQ(dim->dimtxt(), 9.25);
    EXPECT_EQ(dim->dimclrt().colorIndex(), 5);
    // The new record got a handle from the seed the file gave, and kept it.
    EXPECT_GE(child->getDbHandle().value(), seedAsRead.value());

    // And a second save of what was read is the same file.
    writeDxfDrawing(*again, (out / "again.dxf").string());
    EXPECT_EQ(readFile(out / "again.dxf"), readFile(saved));
}

TEST_P(DrawingInterop, WrittenInAnotherVersionReadsTheSameInEzdxf)
{
    std::unique_ptr<OdDbDatabase> db = readDxfDrawing(path_.string());
    // Across the change of text encoding: legacy code pages to UTF-8 and back.
    const DxfVersion other = dxfDrawingVersion(*db) >= DxfVersion::R2007 ? DxfVersion::R2000 : DxfVersion::R2018;
    TempFolder out;
    const std::filesystem::path saved = out / "other.dxf";
    writeDxfDrawing(*db, saved.string(), other);
    std::map<std::string, int> checked = ezdxfAgrees(*db, saved);
    EXPECT_GT(checked["style"], 900);
    EXPECT_GE(checked["override"], 8);
    // And back in our reader, every style value is what it was, including
    // those the older version has no group code for.
    std::unique_ptr<OdDbDatabase> again = readDxfDrawing(saved.string());
    OdDbSymbolTablePtr before = db->getDimStyleTableId().safeOpenObject();
    OdDbSymbolTablePtr after = again->getDimStyleTableId().safeOpenObject();
    for (OdDbObjectId id : before->recordIds()) {
        OdDbDimStyleTableRecordPtr a = id.safeOpenObject();
        OdDbDimStyleTableRecordPtr b = after->getAt(a->getName(), OdDb::kForRead);
        ASSERT_TRUE(b) << a->getName();
        for (int i = 0; i < OdDbDimVars::kCount; ++i) {
            if (OdDbDimVars::describe(i).type == OdDbDimVarType::kObjectId)
                EXPECT_EQ(recordName(std::get<OdDbObjectId>(a->dimVar(i))),
                          recordName(std::get<OdDbObjectId>(b->dimVar(i))))
                    << a->getName() << " " << OdDbDimVars::describe(i).name;
            else
                EXPECT_TRUE(a->dimVars().equal(i, b->dimVars())) << a->getName() << " " << OdDbDimVars::describe(i).name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Releases, DrawingInterop,
                         ::testing::Values("R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"),
                         [](const auto& info) { return std::string(info.param); });

// Another reader of our output, where Debian's LibreCAD is installed.
TEST(DrawingInteropLibreCad, ConvertsOurSampleToPdf)
{
    if (std::system("command -v librecad >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "librecad is not installed";
    std::unique_ptr<OdDbDatabase> db = readDxfDrawing(DDS_SOURCE_DIR "/examples/sample.dxf");
    OdDbSymbolTablePtr styles = db->getDimStyleTableId().safeOpenObject();
    OdDbDimStyleTableRecordPtr iso = styles->getAt("Plate-ISO", OdDb::kForWrite);
    iso->setDimasz(4.0);
    iso.reset();
    TempFolder out;
    writeDxfDrawing(*db, (out / "plate.dxf").string());
    const std::string command = "cd '" + out.path().string() + "' && QT_QPA_PLATFORM=offscreen librecad dxf2pdf " +
                                "plate.dxf >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists(out / "plate.pdf"));
}

// A drawing made in memory (the host's new drawing) is written complete
// enough for another program: ezdxf reads it without audit errors.
TEST(DrawingInteropNew, NewDrawingReadsInEzdxf)
{
    const std::string python = pythonWithEzdxf();
    if (python.empty())
        GTEST_SKIP() << "ezdxf is not installed (Debian package python3-ezdxf)";
    OdDbDatabase db(OdDb::kMetric);
    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    OdDbRotatedDimensionPtr dim = OdDbRotatedDimension::createObject();
    dim->setXLine1Point({0, 0}), dim->setXLine2Point({40, 0}), dim->setDimLinePoint({0, 10});
    dim->setDimensionStyle(db.getDimStyleStandardId());
    dim->setDimtxt(3.5);
    ms->appendOdDbEntity(dim);
    dim.reset();
    ms.reset();
    TempFolder out;
    for (DxfVersion v : {DxfVersion::R2000, DxfVersion::R2018}) {
        const std::filesystem::path path = out / (std::string(dxfVersionRelease(v)) + ".dxf");
        writeDxfDrawing(db, path.string(), v);
        std::vector<Fact> peer = ezdxfReadBack(python, path);
        ASSERT_FALSE(peer.empty()) << dxfVersionRelease(v);
        EXPECT_EQ(auditErrors(peer), 0) << dxfVersionRelease(v);
        std::map<std::string, int> checked = expectMatchesFacts(db, peer, true);
        EXPECT_GT(checked["style"], 40);
        EXPECT_EQ(checked["override"], 1);
    }
}
