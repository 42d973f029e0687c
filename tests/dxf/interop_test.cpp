// Drawings written by ezdxf, an independent DXF implementation, must read
// and give the values ezdxf itself reads back (their byte-for-byte write-back
// is the drawing interop tests' to check).
// The drawings are made during the test run by make_interop_drawings.py;
// the tests skip when ezdxf is not installed.
#include "DxfTestSupport.h"

#include <map>
#include <set>

using namespace dxftest;

namespace {

// One line of the flat expectation file: kind, key, field, the field's DXF
// group code as ezdxf knows it (0 for none), JSON value.

// ezdxf keeps the \U+ escapes of legacy files in the text it reads back;
// decoding them gives what the text stands for, which is what we read.
std::string peerText(std::string_view text)
{
    return dxfDecodeText(text, DxfCodePage::Utf8);
}

void expectSameValue(const DxfDocument& doc, const DxfTag& tag, const std::string& json, const std::string& what)
{
    std::string expected = jsonValue(json);
    if (json.front() == '"')
        EXPECT_EQ(doc.text(tag), peerText(expected)) << what;
    else if (tag.kind() == DxfValueKind::Double)
        EXPECT_EQ(tag.toDouble(), std::stod(expected)) << what;
    else
        EXPECT_EQ(tag.toInt(), std::stoll(expected)) << what;
}

class DxfInterop : public EzdxfReleaseTest {};

// The last tag of each group code in a record (DIMSTYLE's 70 DIMTFILLCLR
// comes after its 70 flags).
std::map<int, DxfTag> lastTags(const DxfDocument& doc, const DxfRecord& record)
{
    std::map<int, DxfTag> tags;
    for (const DxfTag& tag : doc.tags(record))
        tags[tag.code] = tag;
    return tags;
}

// (group code, value) pairs of a record's ACAD DSTYLE xdata.
std::map<int, DxfTag> dstyleOverrides(const DxfDocument& doc, const DxfRecord& record)
{
    std::map<int, DxfTag> stored;
    bool inDstyle = false;
    int pendingCode = -1;
    for (const DxfTag& tag : doc.tags(record)) {
        if (tag.code == 1000 && tag.trimmed() == "DSTYLE")
            inDstyle = true;
        else if (!inDstyle || tag.code == 1002)
            continue;
        else if (pendingCode < 0)
            pendingCode = static_cast<int>(tag.toInt());
        else
            stored.emplace(pendingCode, tag), pendingCode = -1;
    }
    return stored;
}

} // namespace

TEST_P(DxfInterop, ValuesAsEzdxfReadsThem)
{
    DxfDocument doc = DxfDocument::load(path_);
    std::map<std::string, const DxfRecord*> styles;  // decoded name -> entry
    const DxfTable& table = *doc.table("DIMSTYLE");
    for (size_t i = table.head + 1; i < table.endTab; ++i)
        styles[doc.text(DxfTag{2, 0, doc.records()[i].name})] = &doc.records()[i];
    std::map<uint64_t, const DxfRecord*> byHandle;
    for (const DxfRecord& r : doc.records())
        if (r.handle != 0) {
            EXPECT_TRUE(byHandle.emplace(r.handle, &r).second) << "duplicate handle " << std::hex << r.handle;
        }

    std::set<std::string> peerStyles;
    std::map<std::string, size_t> checked;
    for (const Fact& fact : facts_) {
        std::string what = fact.kind + " " + fact.key + " " + fact.field;
        if (fact.kind == "header" && fact.key == "$ACADVER") {
            EXPECT_EQ(dxfVersionName(doc.version()), jsonValue(fact.value));
        } else if (fact.kind == "header" && fact.key == "$DWGCODEPAGE") {
            if (doc.codePage() != DxfCodePage::Utf8) {
                EXPECT_EQ(dxfCodePageName(doc.codePage()), jsonValue(fact.value));
            }
        } else if (fact.kind == "header") {
            const DxfHeaderVariable* variable = doc.headerVariable(fact.key);
            ASSERT_NE(variable, nullptr) << what;
            DxfTag first = *doc.tags(*variable).begin();
            if (fact.key == "$HANDSEED")
                EXPECT_EQ(first.toHandle(), std::stoull(jsonValue(fact.value), nullptr, 16));
            else
                expectSameValue(doc, first, fact.value, what);
        } else if (fact.kind == "style") {
            peerStyles.insert(peerText(fact.key));
            ASSERT_EQ(styles.count(peerText(fact.key)), 1u) << what;
            const DxfRecord& entry = *styles[peerText(fact.key)];
            if (fact.field == "handle" && doc.version() > DxfVersion::R12) {
                EXPECT_EQ(entry.handle, std::stoull(jsonValue(fact.value), nullptr, 16)) << what;
            } else if (fact.code != 0) {
                std::map<int, DxfTag> tags = lastTags(doc, entry);
                ASSERT_EQ(tags.count(fact.code), 1u) << what;
                expectSameValue(doc, tags.at(fact.code), fact.value, what);
                ++checked["style values"];
            }
        } else if (fact.kind == "entity") {
            const DxfRecord* record = byHandle[std::stoull(fact.key, nullptr, 16)];
            ASSERT_NE(record, nullptr) << what;
            EXPECT_EQ(record->type, jsonValue(fact.value));
            if (doc.version() > DxfVersion::R12) {
                EXPECT_EQ(byHandle.at(record->owner)->type, "BLOCK_RECORD") << what;
            }
        } else if (fact.kind == "override" && fact.code != 0) {
            std::map<int, DxfTag> stored = dstyleOverrides(doc, *byHandle.at(std::stoull(fact.key, nullptr, 16)));
            ASSERT_EQ(stored.count(fact.code), 1u) << what;
            expectSameValue(doc, stored.at(fact.code), fact.value, what);
            ++checked["overrides"];
        }
    }
    EXPECT_EQ(peerStyles.size(), styles.size());
    EXPECT_TRUE(styles.count("Размеры$4") && styles.count("Style00$7") && styles.count("ГОСТ 2.307$6"));
    // ezdxf writes Latin-1 letters that ANSI_1251 lacks as "\xNN", which is
    // no DXF escape; both sides then read that text literally.
    EXPECT_EQ(styles.count("Cotes éè"), doc.codePage() == DxfCodePage::Ansi1251 ? 0u : 1u);
    EXPECT_GT(checked["style values"], 500u);
    EXPECT_GE(checked["overrides"], 8u);
}

INSTANTIATE_TEST_SUITE_P(Releases, DxfInterop,
                         ::testing::Values("R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"),
                         [](const auto& info) { return std::string(info.param); });
