// What the structure reader makes of a file: sections, records, tables,
// blocks, header variables, handles and owners, and ranges that tile it.
#include "DxfTestSupport.h"

#include <cstdio>
#include <memory>
#include <random>

using namespace dxftest;

namespace {

// Reassembles a file from its sections, header variables and records.
std::string reassemble(const DxfDocument& doc)
{
    std::string out;
    size_t done = 0;
    auto piece = [&](size_t begin, size_t end) {
        out += doc.slice(done, begin);  // what lies between pieces
        out += doc.slice(begin, end);
        done = end;
    };
    for (const DxfSection& s : doc.sections()) {
        piece(s.byteBegin, s.bodyBegin);
        for (const DxfHeaderVariable& v : doc.headerVariables())
            if (v.byteBegin >= s.bodyBegin && v.byteEnd <= s.bodyEnd)
                piece(v.byteBegin, v.byteEnd);
        for (size_t i = s.firstRecord; i < s.endRecord; ++i)
            piece(doc.records()[i].byteBegin, doc.records()[i].byteEnd);
        piece(s.bodyEnd, s.byteEnd);
    }
    piece(doc.eofBegin(), doc.bytes().size());
    return out;
}

const DxfRecord& withHandle(const DxfDocument& doc, uint64_t handle)
{
    for (const DxfRecord& r : doc.records())
        if (r.handle == handle)
            return r;
    throw std::runtime_error("no such handle");
}

} // namespace

TEST(DxfStructure, SectionsRecordsHandlesAndOwners)
{
    DxfDocument doc = DxfDocument::parse(smallDrawing());
    std::vector<std::string_view> names;
    for (const DxfSection& s : doc.sections())
        names.push_back(s.name);
    EXPECT_EQ(names, (std::vector<std::string_view>{"HEADER", "TABLES", "BLOCKS", "ENTITIES", "OBJECTS"}));
    const DxfSection& entities = *doc.section("ENTITIES");
    EXPECT_EQ(entities.bodyLine, 95u);
    EXPECT_EQ(entities.endRecord - entities.firstRecord, 3u);
    EXPECT_EQ(doc.slice(entities.bodyEnd, entities.byteEnd), "  0\nENDSEC\n");

    const DxfRecord& line = withHandle(doc, 0x3B);
    EXPECT_EQ(line.type, "LINE");
    EXPECT_EQ(line.owner, 0x1Fu);  // the 330 inside the reactor group is no owner
    EXPECT_EQ(line.firstLine, 95u);
    EXPECT_EQ(line.tagCount, 8u);
    EXPECT_EQ(withHandle(doc, 0x3C).name, "*D1");
    EXPECT_EQ(withHandle(doc, 0x3C).tagCount, 10u);  // xdata included
    EXPECT_EQ(withHandle(doc, 0xC).type, "DICTIONARY");

    std::vector<int> codes;
    for (const DxfTag& tag : doc.tags(withHandle(doc, 0x3D)))
        codes.push_back(tag.code);
    EXPECT_EQ(codes, (std::vector<int>{0, 5, 330, 40}));
}

TEST(DxfStructure, TablesAndBlocks)
{
    DxfDocument doc = DxfDocument::parse(smallDrawing());
    const DxfTable& table = *doc.table("DIMSTYLE");
    EXPECT_EQ(doc.records()[table.head].handle, 0xAu);
    ASSERT_EQ(table.endTab - table.head, 3u);
    const DxfRecord& standard = doc.records()[table.head + 1];
    EXPECT_EQ(standard.handle, 0x1Fu);  // from 105; its empty group 5 is no handle
    EXPECT_EQ(standard.owner, 0xAu);
    EXPECT_EQ(standard.name, "Standard");
    const DxfRecord& child = doc.records()[table.head + 2];
    EXPECT_EQ(doc.text(DxfTag{2, 0, child.name}), "Размер$4");
    EXPECT_EQ(doc.records()[table.endTab].type, "ENDTAB");

    ASSERT_EQ(doc.blocks().size(), 1u);
    const DxfBlock& block = doc.blocks()[0];
    EXPECT_EQ(block.name, "*D1");
    EXPECT_EQ(block.end - block.begin, 2u);
    EXPECT_EQ(doc.records()[block.begin + 1].type, "LINE");
    EXPECT_EQ(doc.records()[block.end].handle, 0x22u);
}

TEST(DxfStructure, HeaderVariablesAndTheirValueTags)
{
    DxfDocument doc = DxfDocument::parse(smallDrawing());
    EXPECT_EQ(doc.headerVariables().size(), 3u);
    const DxfHeaderVariable& extmin = *doc.headerVariable("$EXTMIN");
    std::vector<double> values;
    std::vector<uint32_t> lines;
    for (const DxfTag& tag : doc.tags(extmin)) {
        values.push_back(tag.toDouble());
        lines.push_back(tag.line);
    }
    EXPECT_EQ(values, (std::vector<double>{0.0, -1.5, 0.0}));
    EXPECT_EQ(lines, (std::vector<uint32_t>{15, 17, 19}));
    EXPECT_EQ(doc.verbatim(extmin), "  9\n$EXTMIN\n 10\n0.0\n 20\n-1.5\n 30\n0.0\n");
    EXPECT_EQ((*doc.tags(extmin).begin()).value, "0.0");
    EXPECT_EQ(doc.headerVariable("$NOPE"), nullptr);
}

TEST(DxfStructure, PiecesTileTheFileExactly)
{
    std::string text = smallDrawing();
    // A BOM, comments, an unknown section, a thumbnail, bytes after EOF.
    text.insert(0, "\xEF\xBB\xBF" "999\ncomment\n");
    text.insert(text.find("  0\nSECTION\n  2\nTABLES"),
                lines({"999", "between", "  0", "SECTION", "  2", "MYAPPDATA", " 90", "12", "  0", "THING", "  0",
                       "ENDSEC", "  0", "SECTION", "  2", "THUMBNAILIMAGE", " 90", "3", "310", "0A0B0C", "  0",
                       "ENDSEC"}));
    text += "trailing junk\n";
    DxfDocument doc = DxfDocument::parse(text);
    EXPECT_EQ(reassemble(doc), text);
    EXPECT_EQ(doc.records()[doc.section("MYAPPDATA")->firstRecord].type, "THING");
    const DxfSection& thumb = *doc.section("THUMBNAILIMAGE");
    EXPECT_EQ(thumb.firstRecord, thumb.endRecord);
    EXPECT_EQ(doc.slice(thumb.bodyBegin, thumb.bodyEnd), " 90\n3\n310\n0A0B0C\n");

    std::string crlf;
    for (char c : smallDrawing())
        crlf += c == '\n' ? "\r\n" : std::string(1, c);
    DxfDocument crlfDoc = DxfDocument::parse(crlf);
    EXPECT_EQ(crlfDoc.lineEnding(), DxfLineEnding::CrLf);
    EXPECT_EQ(crlfDoc.records().size(), 11u);
    EXPECT_EQ(reassemble(crlfDoc), crlf);
}

TEST(DxfStructure, VersionAndCodePageWithFallbacks)
{
    DxfDocument doc = DxfDocument::parse(smallDrawing());
    EXPECT_EQ(doc.version(), DxfVersion::R2000);
    EXPECT_EQ(doc.codePage(), DxfCodePage::Ansi1251);
    EXPECT_EQ(doc.lineEnding(), DxfLineEnding::Lf);
    EXPECT_TRUE(doc.warnings().empty());

    DxfDocument bare = DxfDocument::parse(lines({"  0", "SECTION", "  2", "ENTITIES", "  0", "LINE", "  0", "ENDSEC",
                                                 "  0", "EOF"}));
    EXPECT_EQ(bare.version(), DxfVersion::R12);
    EXPECT_EQ(bare.codePage(), DxfCodePage::Ansi1252);
    ASSERT_EQ(bare.warnings().size(), 1u);
    EXPECT_NE(bare.warnings()[0].find("$ACADVER"), std::string::npos);

    std::string text = smallDrawing();
    text.replace(text.find("ANSI_1251"), 9, "ANSI_932");
    DxfDocument unknown = DxfDocument::parse(text);
    EXPECT_EQ(unknown.codePage(), DxfCodePage::Ansi1252);
    EXPECT_EQ(unknown.warnings(), std::vector<std::string>{"code page 'ANSI_932' is not supported; text is read as ANSI_1252"});
}

TEST(DxfStructure, DocumentMovesWithoutInvalidatingItsViews)
{
    // Tiny inputs would fit inside a std::string's own storage; the
    // document's buffer must not move with the document.
    std::vector<DxfDocument> docs;
    for (int i = 0; i < 20; ++i)
        docs.push_back(DxfDocument::parse("  0\nEOF\n"));
    docs.push_back(DxfDocument::parse(smallDrawing()));
    EXPECT_EQ(docs.back().records()[0].type, "TABLE");
    EXPECT_EQ(docs.back().sections()[0].name, "HEADER");
}

// The tags splitting keeps for the records' readers are those of the text,
// whatever the layout of each record's lines; records of a layout the index
// cannot describe, and records whose part was given back, are read from the
// text instead.
TEST(DxfStructure, TagIndexGivesTheTagsOfTheText)
{
    std::mt19937 random(11);
    const char* codeForms[] = {"%3d", "%d", "%4d", "%d ", "\t%d"};
    for (const char* end : {"\n", "\r\n"}) {
        std::string text = std::string("  0") + end + "SECTION" + end + "  2" + end + "ENTITIES" + end;
        std::vector<bool> regular;
        for (int r = 0; r < 20000; ++r) {
            // Mostly one of the two regular layouts, all through a record.
            const int form = random() % 8 == 0 ? int(2 + random() % 3) : int(random() % 2);
            regular.push_back(form < 2 && r != 7);
            const int count = r == 7 ? 3 : 1 + int(random() % 15);
            for (int i = 0; i < count; ++i) {
                const int code = i == 0 ? 0 : int(1 + random() % 1100);
                char codeText[16];
                std::snprintf(codeText, sizeof codeText, codeForms[form], code);
                std::string value = i == 0 ? "LINE" : std::string(random() % 9, "ab 1.-"[random() % 6]);
                if (r == 7 && i == 1)
                    value.assign(std::size_t(1) << 20, 'x');  // too long for the index
                text += codeText + std::string(end) + value + end;
            }
        }
        text += std::string("  0") + end + "ENDSEC" + end + "  0" + end + "EOF" + end;
        DxfDocument doc = DxfDocument::parse(text);
        std::unique_ptr<DxfTagIndex> index = doc.takeTagIndex();
        ASSERT_TRUE(index);
        ASSERT_EQ(index->recordCount(), doc.records().size());
        auto compare = [&] {
            std::size_t indexed = 0;
            for (std::size_t i = 0; i < doc.records().size(); ++i) {
                const DxfRecord& r = doc.records()[i];
                std::vector<DxfTag> tags;
                if (!index->tags(i, doc.bytes(), r.byteBegin, r.firstLine, tags))
                    continue;
                ++indexed;
                std::size_t k = 0;
                for (const DxfTag& t : doc.tags(r)) {
                    if (k >= tags.size()) {
                        ADD_FAILURE() << "record " << i << " has more tags in the text";
                        break;
                    }
                    EXPECT_EQ(tags[k].code, t.code);
                    EXPECT_EQ(tags[k].line, t.line);
                    EXPECT_EQ(tags[k].value.data(), t.value.data());
                    EXPECT_EQ(tags[k].value.size(), t.value.size());
                    ++k;
                }
                EXPECT_EQ(k, tags.size());
                EXPECT_TRUE(regular[i]) << "record " << i;
            }
            return indexed;
        };
        const std::size_t all = compare();
        EXPECT_GT(all, doc.records().size() * 3 / 4);
        index->releaseBefore(doc.records().size() / 2);
        const std::size_t rest = compare();
        EXPECT_LT(rest, all);
        EXPECT_GT(rest, all / 3);
        EXPECT_FALSE(index->has(0));
    }
}
