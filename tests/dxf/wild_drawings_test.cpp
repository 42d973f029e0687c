// Drawings as other programs leave them (make_wild_drawings.py, one per kind
// of trouble): each opens, saves, and reads back the same in our reader and
// in ezdxf, whose audit of the copy finds no more errors than in the file
// it came from.
#include "DrawingTestSupport.h"

#include "OdDbBlockTableRecord.h"
#include "OdDbEntities.h"
#include "OdDbTextStyleTableRecord.h"
#include "OdDmUtil.h"

using namespace dxftest;

namespace {

// The drawings, made once per test process; skipped without ezdxf.
class WildDrawings : public EzdxfMadeDrawings<::testing::Test> {
protected:
    void SetUp() override
    {
        EzdxfMadeDrawings::SetUp();
        if (!IsSkipped())
            make("make_wild_drawings.py", "", *folder_ / "wild_colours.dxf");
    }

    // What ezdxf reads from a drawing (through its recover mode when asked);
    // empty when it cannot read it at all.
    std::vector<Fact> census(const std::filesystem::path& drawing, bool recover) const
    {
        const std::filesystem::path tsv = drawing.string() + (recover ? ".recovered.tsv" : ".tsv");
        const std::string command = python_ + " '" DDS_SOURCE_DIR "/tests/dxf/make_wild_drawings.py' --census '" +
                                    drawing.string() + "' '" + tsv.string() + "'" +
                                    (recover ? " --recover" : "") + " >/dev/null 2>&1";
        return std::system(command.c_str()) == 0 ? readFacts(tsv) : std::vector<Fact>();
    }
};

class WildDrawing : public WildDrawings, public ::testing::WithParamInterface<const char*> {
protected:
    std::filesystem::path path() const { return *folder_ / (std::string("wild_") + GetParam() + ".dxf"); }
};

// Entities per class over every block of the drawing.
std::map<std::string, int> entityCounts(const OdDbDatabase& db)
{
    std::map<std::string, int> counts;
    OdDbBlockTablePtr blocks = db.getBlockTableId().safeOpenObject();
    for (auto b = blocks->newIterator(); !b->done(); b->step()) {
        OdDbBlockTableRecordPtr block = b->getRecord();
        for (OdDbObjectId id : block->entityIds())
            ++counts[id.openObject()->isA()->name()];
    }
    return counts;
}

std::map<std::string, std::string> factsOfKind(const std::vector<Fact>& facts, const std::string& kind)
{
    std::map<std::string, std::string> out;
    for (const Fact& f : facts)
        if (f.kind == kind)
            out[f.key + " " + f.field] = f.value;
    return out;
}

} // namespace

TEST_P(WildDrawing, OpensSavesAndReadsBackAlikeHereAndInEzdxf)
{
    const std::filesystem::path path_ = path();
    DxfReadReport report;
    // Damaged structure opens through recovery only.
    const bool damaged = std::string(GetParam()) == "damaged";
    if (damaged) {
        EXPECT_THROW(readDxfDrawing(path_.string()), OdError);
    }
    std::unique_ptr<OdDbDatabase> db =
        damaged ? recoverDxfDrawing(path_.string(), report) : readDxfDrawing(path_.string(), report);
    TempFolder out;
    const std::filesystem::path copy = out / "copy.dxf";
    writeDxfDrawing(*db, copy.string());

    DxfReadReport again;
    std::unique_ptr<OdDbDatabase> reread = readDxfDrawing(copy.string(), again);
    EXPECT_FALSE(again.repaired) << "what the save wrote needed repairs again";
    EXPECT_EQ(entityCounts(*reread), entityCounts(*db));

    // The original as ezdxf reads it, through its recover mode where it
    // cannot read it plainly (handles in the wrong form); some it cannot
    // read at all.
    std::vector<Fact> before = census(path_, false);
    if (before.empty())
        before = census(path_, true);
    const std::vector<Fact> after = census(copy, false);
    ASSERT_FALSE(after.empty()) << "ezdxf cannot read the saved copy";
    if (before.empty()) {
        EXPECT_EQ(auditErrors(after), 0);
        return;
    }
    EXPECT_EQ(factsOfKind(after, "count"), factsOfKind(before, "count"));
    EXPECT_LE(auditErrors(after), auditErrors(before));
    // Every style value ezdxf read from the original, it reads from the copy
    // (which, written in a later version, may say more).
    const std::map<std::string, std::string> styles = factsOfKind(after, "style");
    int compared = 0;
    for (const auto& [key, value] : factsOfKind(before, "style")) {
        auto it = styles.find(key);
        ASSERT_NE(it, styles.end()) << key;
        EXPECT_EQ(it->second, value) << key;
        ++compared;
    }
    EXPECT_GT(compared, 20);
}

INSTANTIATE_TEST_SUITE_P(Kinds, WildDrawing,
                         ::testing::Values("nested_r12", "binary", "AC1006", "AC1003", "named_refs", "handles",
                                           "damaged", "r12_objects", "r12_layouts", "no_version", "r12_marked",
                                           "colours"));

TEST_F(WildDrawings, RepairsAreSaidWithTheirLinesAndMarkTheDrawingChanged)
{
    DxfReadReport report;
    std::unique_ptr<OdDbDatabase> named =
        readDxfDrawing((*folder_ / "wild_named_refs.dxf").string(), report);
    ASSERT_EQ(report.warnings.size(), 2u);
    EXPECT_NE(report.warnings[0].find("group code 340 holds 'Standard' where a handle belongs"), std::string::npos);
    EXPECT_NE(report.warnings[1].find("group code 342 holds 'NoSuchBlock'"), std::string::npos);
    EXPECT_EQ(report.warnings[0].rfind("line ", 0), 0u);
    EXPECT_TRUE(report.repaired);
    OdDbDimStyleTableRecordPtr standard = named->getDimStyleStandardId().safeOpenObject();
    EXPECT_EQ(recordName(standard->dimtxsty()), "Standard");

    report = {};
    readDxfDrawing((*folder_ / "wild_AC1006.dxf").string(), report);
    EXPECT_NE(report.warnings.at(0).find("version AC1006 (R10) is read as R12"), std::string::npos);
    EXPECT_FALSE(report.repaired);  // nothing a save would write otherwise
}

TEST_F(WildDrawings, BinaryDrawingsKeepTheirLineBreaksAndTheirForm)
{
    const std::filesystem::path path = *folder_ / "wild_binary.dxf";
    std::unique_ptr<OdDbDatabase> db = readDxfDrawing(path.string());
    auto texts = [](const OdDbDatabase& d) {
        std::vector<std::string> out;
        OdDbBlockTableRecordPtr ms = d.getModelSpaceId().safeOpenObject();
        for (OdDbObjectId id : ms->entityIds())
            if (OdDbTextPtr t = OdDbText::cast(id.openObject().get()))
                out.push_back(t->textString());
        return out;
    };
    const std::vector<std::string> expected = {"first line\nsecond line", "carriage\rreturn"};
    EXPECT_EQ(texts(*db), expected);
    TempFolder out;
    writeDxfDrawing(*db, (out / "same.dxf").string());  // the form it was read in
    EXPECT_EQ(readFile(out / "same.dxf"), readFile(path));
    // In the text form, as caret escapes; and back.
    writeDxfDrawing(*db, (out / "text.dxf").string(), dxfDrawingVersion(*db), DxfForm::Text);
    const std::string text = readFile(out / "text.dxf");
    EXPECT_NE(text.find("\nfirst line^Jsecond line\n"), std::string::npos);
    std::unique_ptr<OdDbDatabase> fromText = readDxfDrawing((out / "text.dxf").string());
    EXPECT_EQ(dxfDrawingForm(*fromText), DxfForm::Text);
    EXPECT_EQ(texts(*fromText), expected);
}

// What is written is in the version written: a header without a version
// gets the one its body is in, records of a later form in an R12 file are
// written in R12 form, and what R12 cannot hold is named in one note.
TEST_F(WildDrawings, SavesSayTheVersionTheyAreInAndNameWhatR12CannotHold)
{
    TempFolder out;
    std::unique_ptr<OdDbDatabase> unnamed = readDxfDrawing((*folder_ / "wild_no_version.dxf").string());
    EXPECT_EQ(dxfDrawingVersion(*unnamed), DxfVersion::R2000);
    writeDxfDrawing(*unnamed, (out / "named.dxf").string());
    EXPECT_NE(readFile(out / "named.dxf").find("$ACADVER\n  1\nAC1015\n"), std::string::npos);

    std::unique_ptr<OdDbDatabase> marked = readDxfDrawing((*folder_ / "wild_r12_marked.dxf").string());
    EXPECT_EQ(dxfDrawingVersion(*marked), DxfVersion::R12);
    const std::string r12 = writeDxfDrawingToBytes(*marked);
    EXPECT_EQ(r12.find("AcDb"), std::string::npos);
    EXPECT_EQ(r12.find("LINE\n  5\n\n"), std::string::npos);  // no empty handle
    {
        // Style references R12 has no group code for travel by name in a
        // file without handles: read back, they name the same records.
        OdDbObjectPtr table = marked->getTextStyleTableId().openObject(OdDb::kForWrite);
        OdDbTextStyleTableRecordPtr notes = OdDbTextStyleTableRecord::createObject();
        notes->setName("Notes");
        const OdDbObjectId notesId = OdDbSymbolTable::cast(table.get())->add(notes);
        OdDbDimStyleTableRecordPtr standard = marked->getDimStyleStandardId().safeOpenObject(OdDb::kForWrite);
        standard->setDimtxsty(notesId);
        standard->setDimVar(*OdDbDimVars::indexOf("ldrblk"), OdDmUtil::getArrowId("_Dot", marked.get()));
    }
    // Header variables R12 has not go under names of our own.
    marked->setDimadec(3);
    marked->setMEASUREMENT(OdDb::kMetric);
    const std::string withNames = writeDxfDrawingToBytes(*marked);
    EXPECT_EQ(withNames.find("\n$DIMADEC"), std::string::npos);
    EXPECT_EQ(withNames.find("\n$MEASUREMENT"), std::string::npos);
    std::unique_ptr<OdDbDatabase> named = readDxfDrawingFromBytes(withNames);
    OdDbDimStyleTableRecordPtr standard = named->getDimStyleStandardId().safeOpenObject();
    EXPECT_EQ(recordName(standard->dimtxsty()), "Notes");
    EXPECT_EQ(recordName(standard->dimldrblk()), "_Dot");
    EXPECT_EQ(named->dimadec(), 3);
    EXPECT_EQ(named->getMEASUREMENT(), OdDb::kMetric);

    std::unique_ptr<OdDbDatabase> coloured = readDxfDrawing((*folder_ / "wild_colours.dxf").string());
    std::string note;
    writeDxfDrawing(*coloured, (out / "r12.dxf").string(), DxfVersion::R12, DxfForm::Text, &note);
    EXPECT_EQ(note.rfind("Not kept in R12: ", 0), 0u) << note;
    EXPECT_NE(note.find("true colour"), std::string::npos) << note;
    EXPECT_NE(note.find("lineweight"), std::string::npos) << note;
    EXPECT_NE(note.find("header variable"), std::string::npos) << note;  // those R12 has not
    EXPECT_EQ(readFile(out / "r12.dxf").find("\n$ACADMAINTVER"), std::string::npos);
    const std::vector<Fact> peer = census(out / "r12.dxf", false);
    ASSERT_FALSE(peer.empty()) << "ezdxf cannot read the R12 copy";
    // The same entities, light polylines as R12's polylines.
    std::map<std::string, std::string> counts = factsOfKind(census(*folder_ / "wild_colours.dxf", false), "count");
    counts["POLYLINE "] = counts["LWPOLYLINE "];
    counts.erase("LWPOLYLINE ");
    EXPECT_EQ(factsOfKind(peer, "count"), counts);
    EXPECT_NE(readFile(out / "r12.dxf").find("$ACADVER\n  1\nAC1009\n"), std::string::npos);
}
