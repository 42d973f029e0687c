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
#include <cstdlib>
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
