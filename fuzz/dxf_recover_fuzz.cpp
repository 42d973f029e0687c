// Feeds arbitrary bytes to recovery (RECOVER): text or binary DXF, damaged
// any way. Anything may be refused with an OdError (eBadDxfFile); nothing
// may crash, hang, leak, throw anything else or trip a sanitizer. What
// recovery accepts must keep its promise, checked here and aborting when
// broken:
//  - the drawing is marked repaired, and can be written;
//  - what is written is read by the ordinary reader, without recovery;
//  - what is written holds no reference to an object it does not hold (an
//    owner, a pointer, a dictionary entry), which other readers trip over.
// A binary input is also recovered cut short and with its first line's end
// changed as a text tool changes it, the commonest damage to binary files.
#include "DxfBinary.h"
#include "DxfDocument.h"
#include "DxfDrawingIO.h"
#include "DxfError.h"
#include "DxfTag.h"
#include "OdDbDatabase.h"
#include "OdResult.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

namespace {

bool verbose()
{
    static const bool on = std::getenv("DXF_RECOVER_FUZZ_VERBOSE") != nullptr;
    return on;
}

void check(bool condition, const char* what, const std::string& detail = {})
{
    if (!condition) {
        std::fprintf(stderr, "broken promise: %s %s\n", what, detail.c_str());
        std::abort();
    }
}

bool isReference(int code)
{
    return (code >= 330 && code <= 369) || (code >= 390 && code <= 399) || code == 480 || code == 481;
}

// Every handle a reference of the written file names is a record of it.
void checkReferences(const std::string& written)
{
    DxfDocument doc = DxfDocument::parse(written);
    std::unordered_set<uint64_t> handles;
    for (const DxfRecord& r : doc.records())
        if (r.handle)
            handles.insert(r.handle);
    for (const DxfRecord& r : doc.records()) {
        for (const DxfTag& tag : doc.tags(r)) {
            if (tag.code == 1001)
                break;  // extended data is the application's own
            if (!isReference(tag.code))
                continue;
            const std::string_view value = dxfTrim(tag.value);
            uint64_t h = 0;
            if (value.empty() || (dxfParseHandle(value, h) && (h == 0 || handles.count(h))))
                continue;
            check(false, "a recovered drawing, written, refers to no object:",
                  std::string(r.type) + " at line " + std::to_string(r.firstLine) + ", group " + std::to_string(tag.code) +
                      " " + std::string(value));
        }
    }
}

void recover(const std::string& input)
{
    DxfReadReport report;
    std::unique_ptr<OdDbDatabase> db;
    try {
        db = recoverDxfDrawingFromBytes(input, report);
    } catch (const OdError& e) {
        if (verbose())
            std::fprintf(stderr, "refused: %s\n", e.what());
        check(e.code() == eBadDxfFile, "recovery failed with an internal error instead of refusing:", e.what());
        return;
    }
    check(db != nullptr, "recovery gave no drawing and no error");
    check(report.repaired, "a recovered drawing is not marked repaired");
    if (verbose()) {
        std::fprintf(stderr, "recovered: %zu objects, %zu repairs, %zu dropped, %zu left out\n", db->numObjects(),
                     report.repairs, report.dropped, report.leftOut);
        for (const std::string& w : report.warnings)
            std::fprintf(stderr, "  %s\n", w.c_str());
    }
    std::string out;
    try {
        out = writeDxfDrawingToBytes(*db, dxfDrawingVersion(*db), DxfForm::Text);
    } catch (const std::exception& e) {
        check(false, "a recovered drawing cannot be written:", e.what());
    }
    try {
        DxfReadReport again;
        readDxfDrawingFromBytes(out, &again);
    } catch (const std::exception& e) {
        check(false, "what recovery wrote cannot be read without recovery:", e.what());
    }
    checkReferences(out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    recover(input);
    if (dxfIsBinary(input)) {
        recover(input.substr(0, input.size() * 7 / 8));
        std::string lf = input;
        lf.erase(18, 1);  // "\r\n" become "\n"
        recover(lf);
    }
    return 0;
}
