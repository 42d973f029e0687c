// A drawing read from a file maps it, gives its pages back as reading moves
// on, and copies unchanged records from it when saved. Another program may
// replace, rewrite or cut the file meanwhile: a save must then either copy
// what was read or refuse, never mix two files, and nothing may crash.
#include "DrawingTestSupport.h"
#include "DxfDocument.h"

#include <fstream>

#include <unistd.h>

using namespace dxftest;

namespace {

std::string saveError(const OdDbDatabase& db, const std::filesystem::path& path)
{
    try {
        writeDxfDrawing(db, path.string());
    } catch (const OdError& e) {
        return e.what();
    }
    return "";
}

size_t filesIn(const std::filesystem::path& folder)
{
    return size_t(std::distance(std::filesystem::directory_iterator(folder), {}));
}

} // namespace

TEST(DxfMappedFile, AFileReplacedByAnotherProgramStillGivesTheRecordsItHeld)
{
    EnvForced mapEvery("DDS_DXF_MAP_FILE", "always");
    TempFolder dir;
    const std::string bytes = bigDrawing(3000);
    writeFile(dir / "a.dxf", bytes);
    std::unique_ptr<OdDbDatabase> db = readDxfDrawing((dir / "a.dxf").string());
    // The way careful editors save: a new file renamed over the old one.
    writeFile(dir / "new.dxf", "  0\nEOF\n");
    std::filesystem::rename(dir / "new.dxf", dir / "a.dxf");
    EXPECT_EQ(writeDxfDrawingToBytes(*db), bytes);
    EXPECT_EQ(saveError(*db, dir / "a.dxf"), "");
    EXPECT_EQ(readFile(dir / "a.dxf"), bytes);
    // Saved over itself (the mapped file is now the backup): still the same.
    EXPECT_EQ(saveError(*db, dir / "a.dxf"), "");
    EXPECT_EQ(readFile(dir / "a.dxf"), bytes);
    // A line in the middle changed: what is saved (ranges copied from file
    // to file around the record written anew) is what is written in memory.
    OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject();
    const std::vector<OdDbObjectId> ids = ms->entityIds();
    for (size_t i = ids.size() / 2; i < ids.size(); ++i)
        if (OdDbLinePtr line = OdDbLine::cast(ids[i].safeOpenObject(OdDb::kForWrite).get())) {
            line->setStartPoint({-1, -2, 0});
            break;
        }
    const std::string changed = writeDxfDrawingToBytes(*db);
    EXPECT_NE(changed, bytes);
    EXPECT_EQ(saveError(*db, dir / "a.dxf"), "");
    EXPECT_EQ(readFile(dir / "a.dxf"), changed);
}

TEST(DxfMappedFile, AFileRewrittenInPlaceOrCutShortIsNeverCopiedFrom)
{
    EnvForced mapEvery("DDS_DXF_MAP_FILE", "always");
    for (bool cut : {false, true}) {
        SCOPED_TRACE(cut ? "cut short" : "rewritten in place");
        TempFolder dir;
        const std::string bytes = bigDrawing(3000);
        const std::filesystem::path path = dir / "a.dxf";
        writeFile(path, bytes);
        std::unique_ptr<OdDbDatabase> db = readDxfDrawing(path.string());
        if (cut) {
            std::filesystem::resize_file(path, bytes.size() / 2);
        } else {
            std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
            file.seekp(std::streamoff(bytes.size() / 2));
            file.put('#');
        }
        const std::string changed = readFile(path);
        EXPECT_NE(saveError(*db, path).find("was changed on disk by another program"), std::string::npos);
        EXPECT_EQ(readFile(path), changed);
        EXPECT_EQ(filesIn(dir.path()), 1u);  // no backup, no temporary file left
        EXPECT_NE(saveError(*db, dir / "b.dxf"), "");
        EXPECT_FALSE(std::filesystem::exists(dir / "b.dxf"));
        EXPECT_THROW(writeDxfDrawingToBytes(*db), OdError);
    }
}

TEST(DxfMappedFile, TextCutShortUnderTheDocumentReadsAsZerosInsteadOfEndingTheProgram)
{
    EnvForced mapEvery("DDS_DXF_MAP_FILE", "always");
    TempFolder dir;
    const std::string bytes = bigDrawing(3000);
    writeFile(dir / "a.dxf", bytes);
    DxfDocument doc = DxfDocument::load(dir / "a.dxf");
    ASSERT_TRUE(doc.mapped());
    EXPECT_NO_THROW(doc.checkTextUnchanged());
    doc.releaseText(0, doc.bytes().size());
    EXPECT_EQ(doc.bytes(), bytes);  // paged in again as it was
    const size_t page = size_t(::sysconf(_SC_PAGESIZE));
    std::filesystem::resize_file(dir / "a.dxf", page);
    const std::string_view text = doc.bytes();
    const size_t wholePages = bytes.size() / page * page;  // the rest is a copy of the document's own
    EXPECT_EQ(text.substr(0, page), bytes.substr(0, page));
    EXPECT_EQ(text.substr(page, wholePages - page), std::string(wholePages - page, '\0'));
    EXPECT_EQ(text.substr(wholePages), bytes.substr(wholePages));
    EXPECT_NE(errorOf([&] { doc.checkTextUnchanged(); }).find("was changed on disk"), std::string::npos);
}

TEST(DxfMappedFile, EverySizeAroundAPageIsMappedWholeAndEndsInANul)
{
    TempFolder dir;
    const size_t page = size_t(::sysconf(_SC_PAGESIZE));
    for (size_t size : {size_t(1), page - 1, page, page + 1, 2 * page, 3 * page - 7}) {
        SCOPED_TRACE(size);
        std::string bytes(size, 'x');
        for (size_t i = 0; i < size; i += 97)
            bytes[i] = char('a' + i % 26);
        writeFile(dir / "f", bytes);
        std::unique_ptr<DxfFileMapping> mapping = DxfFileMapping::open(dir / "f");
        ASSERT_NE(mapping, nullptr);
        EXPECT_EQ(mapping->bytes(), bytes);
        EXPECT_EQ(mapping->bytes().data()[size], '\0');
        mapping->release(0, size);
        EXPECT_EQ(mapping->bytes(), bytes);
        EXPECT_TRUE(mapping->unchanged());
    }
    writeFile(dir / "empty", "");
    EXPECT_EQ(DxfFileMapping::open(dir / "empty"), nullptr);  // read instead
    EXPECT_EQ(DxfFileMapping::open(dir.path()), nullptr);
    // A small drawing is read into memory unless mapping is forced.
    writeFile(dir / "small.dxf", bigDrawing(30));
    EXPECT_FALSE(DxfDocument::load(dir / "small.dxf").mapped());
    EnvForced mapEvery("DDS_DXF_MAP_FILE", "always");
    EXPECT_TRUE(DxfDocument::load(dir / "small.dxf").mapped());
}
