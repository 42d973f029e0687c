// Reading big drawings with records prepared ahead on a second thread: the
// result must be exactly what reading on one thread gives, whatever the
// worker does or fails to do.
#include "DrawingTestSupport.h"
#include "DxfReadAhead.h"
#include "OdDbBlockTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>
#include <stdexcept>

using namespace dxftest;

namespace {

struct Numbered {
    size_t index = 0;
    bool ready = false;
    std::vector<int> values;
};
using Ahead = DxfReadAhead<Numbered>;

// A preparer that marks each record with its number.
Ahead::Prepare numbering(std::atomic<int>* prepared = nullptr)
{
    return [prepared](Numbered& r) {
        if (r.index == 13)
            throw std::runtime_error("cannot prepare 13");
        r.values.assign(1, int(r.index));
        if (prepared)
            ++*prepared;
    };
}

std::vector<uint32_t> upTo(uint32_t n)
{
    std::vector<uint32_t> order(n);
    for (uint32_t i = 0; i < n; ++i)
        order[i] = i;
    return order;
}

} // namespace

// Waits (a while at most) until the worker has prepared `count` records.
void waitFor(const std::atomic<int>& prepared, int count)
{
    for (int i = 0; i < 10000 && prepared.load() < count; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST(DxfReadAhead, GivesPreparedRecordsInOrderAndLeavesTheRestToTheReader)
{
    std::atomic<int> prepared{0};
    Ahead ahead(upTo(5000), numbering(&prepared));
    waitFor(prepared, 1000);  // the worker fills the ring, then waits for room
    for (size_t i : {0, 1, 2}) {
        Numbered* r = ahead.take(i);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->index, i);
        EXPECT_EQ(r->values, std::vector<int>{int(i)});
    }
    EXPECT_EQ(ahead.take(1), nullptr);  // already given: the reader reads it itself
    Numbered* r = ahead.take(10);       // 3 to 9 were never asked for: dropped
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->values, std::vector<int>{10});
    EXPECT_EQ(ahead.take(13), nullptr);  // could not be prepared
    EXPECT_NE(ahead.take(14), nullptr);
    // Beyond the ring, whatever is given is the record asked for.
    for (size_t i = 1000; i < 5000; i += 3) {
        if (Numbered* given = ahead.take(i)) {
            ASSERT_EQ(given->index, i);
            ASSERT_EQ(given->values, std::vector<int>{int(i)});
        }
    }
    EXPECT_EQ(ahead.take(5000), nullptr);
    EXPECT_GT(prepared.load(), 1000);
}

TEST(DxfReadAhead, StopsWhenTheReaderStopsEarly)
{
    std::atomic<int> prepared{0};
    {
        Ahead ahead(upTo(1000000), numbering(&prepared));
        waitFor(prepared, 1);
        ahead.take(0);
        // Leaving now must neither hang nor prepare the whole order.
    }
    EXPECT_LT(prepared.load(), 1000000);
}

namespace {

// Every entity of model space as text, in order: kind and geometry.
std::vector<std::string> describeModelSpace(const OdDbDatabase& db)
{
    std::vector<std::string> out;
    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject();
    for (OdDbObjectId id : ms->entityIds()) {
        OdDbObjectPtr obj = id.safeOpenObject();
        std::string text = obj->isA()->name();
        if (auto line = OdDbLine::cast(obj.get()))
            text += " " + std::to_string(line->startPoint().x) + " " + std::to_string(line->endPoint().y);
        else if (auto circle = OdDbCircle::cast(obj.get()))
            text += " " + std::to_string(circle->radius());
        else if (auto dim = OdDbRotatedDimension::cast(obj.get()))
            text += " " + std::to_string(dim->xLine2Point().x) + " " + std::to_string(dim->dimtxt());
        out.push_back(text + " " + id.getHandle().ascii());
    }
    return out;
}

} // namespace

// With a second thread or without (forced either way, whatever the
// machine's load), with the tag index given back on the way, from memory
// and from a mapped file whose pages are given back too.
TEST(DxfReadAhead, BigDrawingReadsAsItWasWrittenAndWritesBackUnchanged)
{
    const std::string bytes = bigDrawing(6000);
    TempFolder dir;
    writeFile(dir / "big.dxf", bytes);
    for (const char* ahead : {"on", "off"})
    for (bool fromFile : {false, true}) {
        SCOPED_TRACE(std::string(ahead) + (fromFile ? " from the file" : " from memory"));
        EnvForced forced("DDS_DXF_READ_AHEAD", ahead);
        EnvForced mapped("DDS_DXF_MAP_FILE", "always");
        std::unique_ptr<OdDbDatabase> db =
            fromFile ? readDxfDrawing((dir / "big.dxf").string()) : readDxfDrawingFromBytes(bytes);
        EXPECT_EQ(writeDxfDrawingToBytes(*db), bytes);
        const std::vector<std::string> entities = describeModelSpace(*db);
        ASSERT_EQ(entities.size(), 6000u + 600u + 240u);
        EXPECT_EQ(entities[0].rfind("OdDbLine 0.000000 -0.000000", 0), 0u) << entities[0];
        EXPECT_EQ(entities[1].rfind("OdDbCircle 0.500000", 0), 0u) << entities[1];
        EXPECT_EQ(entities[2].rfind("OdDbRotatedDimension 10.000000 0.500000", 0), 0u) << entities[2];
        EXPECT_EQ(entities.back().rfind("OdDbLine 5999.000000 -1499.750000", 0), 0u) << entities.back();
    }
}

TEST(DxfReadAhead, BadValueDeepInABigDrawingNamesItsLine)
{
    std::string bytes = bigDrawing(6000);
    // The type flags of the last dimension: its kind is decided from them,
    // on the worker when reading ahead.
    const size_t dim = bytes.rfind("\nDIMENSION\n");
    ASSERT_NE(dim, std::string::npos);
    const size_t flags = bytes.find("\n 70\n", dim);
    ASSERT_NE(flags, std::string::npos);
    const size_t value = flags + 5;
    bytes.replace(value, bytes.find('\n', value) - value, "seven");
    const auto line = 1 + std::count(bytes.begin(), bytes.begin() + long(value), '\n');
    for (const char* ahead : {"on", "off"}) {
        EnvForced forced("DDS_DXF_READ_AHEAD", ahead);
        EnvForced mapped("DDS_DXF_MAP_FILE", "always");
        EXPECT_EQ(readError(bytes), "Bad DXF file: line " + std::to_string(line) +
                                        ": value for group code 70 is not an integer: 'seven'") << ahead;
    }
}

namespace {

// A drawing written by hand whose BLOCKS section, of `count` blocks of one
// line each, is the larger part, the model space's `count` lines the rest.
std::string blocksAndLines(int count)
{
    std::string out = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1032\n  0\nENDSEC\n"
                      "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n  5\n2\n330\n0\n"
                      "  0\nLAYER\n  5\n10\n330\n2\n  2\n0\n  0\nENDTAB\n  0\nENDSEC\n"
                      "  0\nSECTION\n  2\nBLOCKS\n";
    unsigned handle = 0x100;
    auto hex = [](unsigned h) {
        char text[16];
        std::snprintf(text, sizeof text, "%X", h);
        return std::string(text);
    };
    for (int i = 0; i < count; ++i) {
        const std::string record = hex(handle++);
        out += "  0\nBLOCK\n  5\n" + hex(handle++) + "\n330\n" + record + "\n  2\nB" + std::to_string(i) +
               "\n 70\n     0\n 10\n0.0\n 20\n0.0\n";
        out += "  0\nLINE\n  5\n" + hex(handle++) + "\n330\n" + record + "\n  8\n0\n 10\n" + std::to_string(i) +
               ".5\n 20\n0.25\n 11\n1.0\n 21\n2.0\n";
        out += "  0\nENDBLK\n  5\n" + hex(handle++) + "\n330\n" + record + "\n";
    }
    out += "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n";
    for (int i = 0; i < count; ++i)
        out += "  0\nLINE\n  5\n" + hex(handle++) + "\n  8\n0\n 10\n" + std::to_string(i) + "\n 20\n1.5\n";
    return out + "  0\nENDSEC\n  0\nEOF\n";
}

// All the structure pass finds in `bytes`, one line a fact, or its error.
std::vector<std::string> structureOf(std::string_view bytes, const char* ahead, bool* split = nullptr)
{
    EnvForced forced("DDS_DXF_READ_AHEAD", ahead);
    std::vector<std::string> facts;
    try {
        DxfDocument doc = DxfDocument::parse(bytes);
        if (split)
            *split = doc.splitOnTwoThreads();
        std::unique_ptr<DxfTagIndex> index = doc.takeTagIndex();
        std::vector<DxfTag> tags;
        for (size_t i = 0; i < doc.records().size(); ++i) {
            const DxfRecord& r = doc.records()[i];
            std::ostringstream s;
            s << r.type << " " << r.name << " " << r.handle << " " << r.owner << " " << r.byteBegin << "-"
              << r.byteEnd << " line " << r.firstLine << " tags " << r.tagCount << " indexed "
              << index->tags(i, doc.bytes(), r.byteBegin, r.firstLine, tags) << ":";
            for (const DxfTag& t : tags)
                s << " " << t.code << "@" << t.line << "=" << t.value;
            facts.push_back(s.str());
        }
        for (const DxfSection& sec : doc.sections())
            facts.push_back("section " + std::string(sec.name) + " " + std::to_string(sec.firstRecord) + "-" +
                            std::to_string(sec.endRecord) + " " + std::to_string(sec.byteEnd));
        for (const DxfBlock& b : doc.blocks())
            facts.push_back("block " + std::string(b.name) + " " + std::to_string(b.begin) + "-" + std::to_string(b.end));
        for (const DxfUnreadHandle& u : doc.unreadHandles())
            facts.push_back("unread " + std::to_string(u.record) + " line " + std::to_string(u.line));
        facts.insert(facts.end(), doc.warnings().begin(), doc.warnings().end());
        facts.push_back("EOF at " + std::to_string(doc.eofBegin()));
    } catch (const DxfError& e) {
        facts.assign(1, e.what());
    }
    return facts;
}

// The text with the `nth` occurrence of `what` from its end replaced.
std::string edited(std::string text, std::string_view what, std::string_view with, int nth = 1)
{
    size_t at = std::string::npos;
    for (int i = 0; i < nth; ++i)
        at = text.rfind(what, at == std::string::npos ? at : at - 1);
    return text.replace(at, what.size(), with);
}

} // namespace

// A second thread splits the end part of the largest section while this one
// splits up to it: whatever the text, the records, their tags, lines,
// warnings and errors must be those one thread finds.
TEST(DxfReadAhead, SplittingOnTwoThreadsFindsWhatOneThreadFinds)
{
    const std::string plain = blocksAndLines(3000);
    std::string crlf;
    for (char c : plain)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::vector<std::pair<const char*, std::string>> texts = {
        {"plain", plain},
        {"CRLF", crlf},
        {"bad handles on both sides",
         edited(edited(edited(plain, "  5\n131\n", "  5\nX1\n"), "  5\n2811\n", "  5\n\n"), "330\n2810\n", "330\n#\n")},
        {"block never closed", edited(plain, "ENDBLK", "ENDBLX", 800)},
        {"entities among blocks", edited(plain, "  0\nBLOCK\n", "  0\nCIRCLE\n", 700)},
        {"group code broken", edited(plain, "\n 21\n", "\n 2x\n", 500)},
        {"text ends inside", plain.substr(0, plain.size() - 1000)},
    };
    for (const auto& [what, text] : texts) {
        SCOPED_TRACE(what);
        const std::vector<std::string> one = structureOf(text, "off");
        // The second thread may start too late to take part (this thread
        // has passed its place by then); in a well-formed text it mostly does.
        const bool wellFormed = std::string_view(what) == "plain" || std::string_view(what) == "CRLF";
        bool split = false;
        for (int attempt = 0; attempt < (wellFormed ? 50 : 3) && !split; ++attempt)
            EXPECT_EQ(structureOf(text, "on", &split), one);
        if (wellFormed) {
            EXPECT_TRUE(split);
            EXPECT_GT(one.size(), 12000u);
        }
    }
}
