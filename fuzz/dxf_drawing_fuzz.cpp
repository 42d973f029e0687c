// Feeds arbitrary bytes to the drawing mapping: DXF into the drawing
// database and back out. Anything may be refused with an OdError
// (eBadDxfFile); nothing may crash, hang, leak, throw anything else or trip a
// sanitizer. A drawing that is accepted must also keep the mapping's
// promises, which are checked here and abort when broken:
//  - every object can be opened, every dimension style variable read (a
//    record it names is one of its own table), and a purge query answered,
//    without changing what is written;
//  - the drawing can be written, and what is written can be read again;
//  - a complete drawing read without repairs and written unchanged is the
//    same file, byte for byte, and so is our own output read and written
//    again;
//  - the dimension styles (every variable, arrowheads and text style by
//    handle) and the current dimension values survive a write and a read.
#include "DxfBinary.h"
#include "DxfDocument.h"
#include "DxfDrawingIO.h"
#include "DxfError.h"
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbObject.h"
#include "OdDbSymbolTable.h"
#include "OdDbSymbolTableRecord.h"
#include "OdResult.h"
#include "OdStringUtil.h"

#include <cstdint>
#include <deque>
#include <map>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

// DXF_DRAWING_FUZZ_VERBOSE=1 says, per input, what happened and which
// promises applied: for looking at one input, not for fuzzing.
bool verbose()
{
    static const bool on = std::getenv("DXF_DRAWING_FUZZ_VERBOSE") != nullptr;
    return on;
}

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

[[noreturn]] void fail(const char* what, const std::exception& e)
{
    std::fprintf(stderr, "broken promise: %s: %s\n", what, e.what());
    std::abort();
}

// A variable that names a record names one of its own table, or none:
// anything else would be written as what it is not.
bool refersToItsTable(const OdDbDatabase& db, int index, const OdDbDimVarValue& value)
{
    const auto* id = std::get_if<OdDbObjectId>(&value);
    if (!id || id->isNull())
        return true;
    const std::string_view key = OdDbDimVars::describe(index).key;
    const OdDbObjectId table = key == "txsty" ? db.getTextStyleTableId()
                               : key == "ltype" || key == "ltex1" || key == "ltex2" ? db.getLinetypeTableId()
                                                                                     : db.getBlockTableId();
    OdDbObjectPtr record = id->openObject();
    return !record || record->ownerId() == table;
}

// Reading the drawing through the database's interface: what a user of the
// drawing does first. None of it may change the drawing.
void exerciseDatabase(const OdDbDatabase& db)
{
    size_t live = 0;
    OdDbObjectIdArray candidates;
    db.forEachObject([&](OdDbObjectId id) {
        OdDbObjectPtr obj = id.openObject(OdDb::kForRead, true);
        check(obj.get() != nullptr, "a resident object cannot be opened");
        check(obj->objectId() == id, "an object does not know its own id");
        check(db.getOdDbObjectId(id.getHandle()) == id, "an object is not found by its handle");
        if (obj->isErased())
            return;
        ++live;
        (void)obj->xDataApplications();
        (void)db.hardReferenceCount(id);
        if (dynamic_cast<const OdDbSymbolTableRecord*>(obj.get()))
            candidates.push_back(id);
    });
    check(live <= db.numObjects(), "more live objects than objects");

    OdDbSymbolTablePtr styles = db.getDimStyleTableId().openObject();
    if (styles) {
        for (OdDbSymbolTableIteratorPtr it = styles->newIterator(); !it->done(); it->step()) {
            OdDbDimStyleTableRecordPtr style = OdDbDimStyleTableRecord::cast(it->getRecord());
            check(style.get() != nullptr, "the dimension style table holds something else");
            check(styles->getAt(style->getName()).isValid(), "a dimension style is not found by its name");
            for (int i = 0; i < OdDbDimVars::kCount; ++i)
                check(refersToItsTable(db, i, style->dimVar(i)), "a dimension style refers to a record of another table");
#define TOUCH_DIMVAR(key, Type, code) (void)style->dim##key();
            ODDB_DIMVARS(TOUCH_DIMVAR)
#undef TOUCH_DIMVAR
            (void)style->dimblkName();
        }
    }
    for (int i = 0; i < OdDbDimVars::kCount; ++i)
        (void)db.dimVar(i);

    // What a purge of every record would leave: a query, it removes nothing.
    const size_t before = candidates.size();
    db.purge(candidates);
    check(candidates.size() <= before, "purge made up records");
}

// Whether the drawing is as the file said, with nothing repaired or made up
// by reading: only then is write-back promised to be the same file.
bool readAsItWas(const OdDbDatabase& db, const DxfReadReport& report)
{
    if (!report.warnings.empty())
        return false;
    bool fromFile = true;
    db.forEachObject([&](OdDbObjectId id) {
        OdDbObjectPtr obj = id.openObject(OdDb::kForRead, true);
        fromFile = fromFile && obj && obj->fileRecord() != 0;
    });
    return fromFile;
}

// Whether the bytes are a complete ASCII drawing in a version that is
// written as it was read, with LF line endings and a handle on every object:
// sections a drawing needs but the file lacked, R12 to R14 drawings (written
// as R2000), binary files, CRLF files and records without a handle (saved
// with the handle reading gave them) are written differently, as documented.
bool writtenAsRead(std::string_view bytes)
{
    if (dxfIsBinary(bytes) || bytes.find("\r\n") != std::string_view::npos)
        return false;
    try {
        DxfDocument doc = DxfDocument::parse(bytes);
        if (doc.wasBinary() || doc.version() < DxfVersion::R2000)
            return false;
        for (const char* name : {"HEADER", "TABLES", "BLOCKS", "ENTITIES", "OBJECTS"}) {
            const DxfSection* section = doc.section(name);
            if (!section)
                return false;
            for (size_t i = section->firstRecord; i < section->endRecord; ++i)
                if (doc.records()[i].handle == 0 && doc.records()[i].type != "ENDTAB")
                    return false;
        }
        return true;
    } catch (const DxfError&) {
        check(false, "the file layer refuses what the drawing mapping accepted");
    }
    return false;
}

// The name of the table record behind an identifier ("" for anything else).
std::string recordName(const OdDbObjectId& id)
{
    OdDbSymbolTableRecordPtr record = OdDbSymbolTableRecord::cast(id.openObject());
    return record ? std::string(record->getName()) : std::string();
}

// The dimension styles of two drawings agree: every style of the first is in
// the second with the same name and every variable the same. Records are
// matched by handle, or by name where `a` is saved as R12, whose tables
// carry no handles.
void compareDimStyles(const OdDbDatabase& a, const OdDbDatabase& b)
{
    const bool byHandle = dxfDrawingVersion(a) >= DxfVersion::R2000;
    auto sameRef = [&](const OdDbObjectId& x, const OdDbObjectId& y) {
        if (x.isNull() || y.isNull())
            return x.isNull() == y.isNull();
        // Names, like R12 references, ignore letter case.
        return byHandle ? x.getHandle() == y.getHandle() : qrv::foldCase(recordName(x)) == qrv::foldCase(recordName(y));
    };
    // By name, records of the same name (recovery may join two tables) pair
    // up in the order of their tables.
    std::map<std::string, std::deque<OdDbObjectId>> byName;
    if (OdDbSymbolTablePtr table = b.getDimStyleTableId().openObject(); table && !byHandle)
        for (OdDbSymbolTableIteratorPtr it = table->newIterator(); !it->done(); it->step())
            byName[qrv::foldCase(recordName(it->getRecordId()))].push_back(it->getRecordId());
    auto counterpart = [&](const OdDbObjectId& id, const OdString& name) {
        if (byHandle)
            return b.getOdDbObjectId(id.getHandle());
        std::deque<OdDbObjectId>& same = byName[qrv::foldCase(std::string(name))];
        if (same.empty())
            return OdDbObjectId();
        const OdDbObjectId first = same.front();
        same.pop_front();
        return first;
    };
    auto sameValue = [&](const OdDbDimVarValue& x, const OdDbDimVarValue& y) {
        const auto* xi = std::get_if<OdDbObjectId>(&x);
        const auto* yi = std::get_if<OdDbObjectId>(&y);
        if (xi || yi)
            return xi && yi && sameRef(*xi, *yi);
        return odDimVarValueEqual(x, y);
    };
    OdDbSymbolTablePtr styles = a.getDimStyleTableId().openObject();
    if (!styles)
        return;
    for (OdDbSymbolTableIteratorPtr it = styles->newIterator(); !it->done(); it->step()) {
        OdDbObjectId id = it->getRecordId();
        OdDbDimStyleTableRecordPtr mine = OdDbDimStyleTableRecord::cast(id.openObject());
        OdDbDimStyleTableRecordPtr theirs =
            OdDbDimStyleTableRecord::cast(counterpart(id, mine->getName()).openObject());
        check(theirs.get() != nullptr, "a dimension style is lost in a write and read");
        check(mine->getName() == theirs->getName(), "a dimension style's name changes in a write and read");
        for (int i = 0; i < OdDbDimVars::kCount; ++i) {
            if (!sameValue(mine->dimVar(i), theirs->dimVar(i))) {
                std::fprintf(stderr, "%s of style '%s'\n", OdDbDimVars::describe(i).name,
                             mine->getName().c_str());
                check(false, "a dimension style variable changes in a write and read");
            }
        }
    }
    for (int i = 0; i < OdDbDimVars::kCount; ++i) {
        if (!sameValue(a.dimVar(i), b.dimVar(i))) {
            std::fprintf(stderr, "$%s\n", OdDbDimVars::describe(i).name);
            check(false, "a current dimension value changes in a write and read");
        }
    }
    check(sameRef(a.getDimstyle(), b.getDimstyle()), "the current dimension style changes in a write and read");
}

std::string writeOrAbort(const OdDbDatabase& db, const char* what)
{
    try {
        return writeDxfDrawingToBytes(db);
    } catch (const std::exception& e) {
        fail(what, e);
    }
}

std::unique_ptr<OdDbDatabase> readOrAbort(const std::string& bytes, DxfReadReport& report, const char* what)
{
    try {
        return readDxfDrawingFromBytes(bytes, &report);
    } catch (const std::exception& e) {
        fail(what, e);
    }
}

// A file reading refuses goes through recovery, which may refuse it too;
// what it gives can be written, and what is written reads without recovery.
void recoverRefused(const std::string& input)
{
    DxfReadReport report;
    std::unique_ptr<OdDbDatabase> db;
    try {
        db = recoverDxfDrawingFromBytes(input, report);
    } catch (const OdError& e) {
        if (verbose())
            std::fprintf(stderr, "recovery refused: %s\n", e.what());
        if (e.code() != eBadDxfFile)
            fail("recovery failed with an internal error instead of refusing the file", e);
        return;
    }
    check(db != nullptr, "recovery gave no drawing and no error");
    check(report.repaired, "a recovered drawing is not marked repaired");
    if (verbose())
        std::fprintf(stderr, "recovered: %zu objects, %zu repairs, %zu records dropped\n", db->numObjects(),
                     report.warnings.size(), report.dropped);
    exerciseDatabase(*db);
    const std::string out = writeOrAbort(*db, "a recovered drawing cannot be written");
    DxfReadReport again;
    std::unique_ptr<OdDbDatabase> reread = readOrAbort(out, again, "what recovery wrote cannot be read plainly");
    compareDimStyles(*db, *reread);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    // Every other input is read with the second threads forced on (they
    // start only for big files otherwise): the promises hold either way.
    ::setenv("DDS_DXF_READ_AHEAD", size % 2 ? "on" : "off", 1);
    DxfReadReport report;
    std::unique_ptr<OdDbDatabase> db;
    try {
        db = readDxfDrawingFromBytes(input, &report);
    } catch (const OdError& e) {
        if (verbose())
            std::fprintf(stderr, "refused: %s\n", e.what());
        // Bad files are refused as such, with the file layer's message; any
        // other code is the database refusing what the reader asked of it.
        if (e.code() != eBadDxfFile)
            fail("reading failed with an internal error instead of refusing the file", e);
        recoverRefused(input);
        return 0;
    } catch (const DxfError& e) {
        if (verbose())
            std::fprintf(stderr, "refused by the file layer: %s\n", e.what());
        return 0; // the file layer's own error should have been translated, but is still a refusal
    }
    check(db != nullptr, "reading gave no drawing and no error");

    exerciseDatabase(*db);
    const std::string out = writeOrAbort(*db, "an accepted drawing cannot be written");
    const bool sameFilePromised = writtenAsRead(input) && readAsItWas(*db, report);
    if (verbose()) {
        std::fprintf(stderr, "accepted: %zu objects, %zu warnings, written %s (%zu bytes)\n", db->numObjects(),
                     report.warnings.size(), out == input ? "as read" : "differently", out.size());
        for (const std::string& w : report.warnings)
            std::fprintf(stderr, "  warning: %s\n", w.c_str());
        std::fprintf(stderr, "  same file promised: %s\n", sameFilePromised ? "yes" : "no");
    }
    if (sameFilePromised)
        check(out == input, "a drawing read and written unchanged is not the same file");

    DxfReadReport again;
    std::unique_ptr<OdDbDatabase> reread = readOrAbort(out, again, "what was written cannot be read");
    compareDimStyles(*db, *reread);

    // Our own output is a file like any other: read and written unchanged,
    // it stays the same.
    const std::string out2 = writeOrAbort(*reread, "what was written and read again cannot be written");
    const bool sameOutputPromised = writtenAsRead(out) && readAsItWas(*reread, again);
    if (verbose())
        std::fprintf(stderr, "  output read again: %zu objects, %zu warnings, same file promised: %s, %s\n",
                     reread->numObjects(), again.warnings.size(), sameOutputPromised ? "yes" : "no",
                     out2 == out ? "same" : "different");
    if (sameOutputPromised)
        check(out2 == out, "our own output, read and written unchanged, is not the same file");
    return 0;
}
