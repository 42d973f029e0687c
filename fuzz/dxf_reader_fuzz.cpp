// Feeds arbitrary bytes to the DXF reader. Anything may be refused with a
// DxfError; nothing may crash, hang, leak or read out of bounds. What is
// accepted must also keep the reader's promises, which are checked here and
// abort when broken:
//  - the pieces of the document tile its bytes exactly (lossless write-back);
//  - records lie inside their sections, in order, without overlap;
//  - every value of every record can be asked for its typed value, and text
//    survives a decode/encode/decode round trip;
//  - split on two threads (forced, whatever the input's size), the input
//    gives what it gives on one: the same records, warnings or error.
#include "DxfCodePage.h"
#include "DxfDocument.h"
#include "DxfError.h"
#include "DxfWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

void touchValue(const DxfDocument& doc, const DxfTag& tag)
{
    try {
        switch (tag.kind()) {
        case DxfValueKind::Double: (void)tag.toDouble(); break;
        case DxfValueKind::Int16:
        case DxfValueKind::Int32:
        case DxfValueKind::Int64: (void)tag.toInt(); break;
        case DxfValueKind::Bool: (void)tag.toBool(); break;
        case DxfValueKind::Handle: (void)tag.toHandle(); break;
        case DxfValueKind::Binary: {
            std::vector<uint8_t> bytes;
            tag.appendBinary(bytes);
            break;
        }
        case DxfValueKind::String: {
            std::string text = doc.text(tag);
            std::string again = dxfDecodeText(dxfEncodeText(text, doc.codePage()), doc.codePage());
            check(again == text, "text changes in a decode/encode/decode round trip");
            break;
        }
        }
    } catch (const DxfError&) {
        // A value that does not fit its group code: refused, fine.
    }
}

void checkDocument(const DxfDocument& doc, const DxfTagIndex& index)
{
    std::string_view bytes = doc.bytes();
    DxfWriter out;
    size_t done = 0;
    auto copyTo = [&](size_t end) {
        check(end >= done && end <= bytes.size(), "pieces out of order or out of bounds");
        out.verbatim(bytes.substr(done, end - done));
        done = end;
    };
    for (const DxfSection& s : doc.sections()) {
        check(s.byteBegin <= s.bodyBegin && s.bodyBegin <= s.bodyEnd && s.bodyEnd <= s.byteEnd,
              "section ranges inconsistent");
        copyTo(s.byteBegin);
        for (size_t i = s.firstRecord; i < s.endRecord; ++i) {
            const DxfRecord& r = doc.records()[i];
            check(r.byteBegin >= s.bodyBegin && r.byteEnd <= s.bodyEnd && r.byteBegin < r.byteEnd,
                  "record outside its section");
            copyTo(r.byteBegin);
            out.verbatim(doc.verbatim(r));
            done = r.byteEnd;
            uint32_t count = 0;
            std::vector<DxfTag> indexed;
            const bool fromIndex = index.tags(i, bytes, r.byteBegin, r.firstLine, indexed);
            for (const DxfTag& tag : doc.tags(r)) {
                touchValue(doc, tag);
                check(!fromIndex || (count < indexed.size() && indexed[count].code == tag.code &&
                                     indexed[count].line == tag.line && indexed[count].value.data() == tag.value.data() &&
                                     indexed[count].value.size() == tag.value.size()),
                      "the tag index gives other tags than the text");
                ++count;
            }
            check(count == r.tagCount, "tag count differs when the record is read again");
            check(!fromIndex || indexed.size() == count, "the tag index gives another number of tags");
        }
        copyTo(s.byteEnd);
    }
    for (const DxfHeaderVariable& v : doc.headerVariables()) {
        check(v.byteBegin < v.valueBegin && v.valueBegin <= v.byteEnd && v.byteEnd <= bytes.size(),
              "header variable range inconsistent");
        for (const DxfTag& tag : doc.tags(v))
            touchValue(doc, tag);
    }
    copyTo(doc.eofBegin());
    copyTo(bytes.size());
    check(out.view() == bytes, "verbatim write-back differs from the input");
}

// What splitting found, or the error it refused the input with.
struct Split {
    std::string error;
    std::optional<DxfDocument> doc;  // holds the text the records point into
    std::vector<DxfRecord> records;
    std::vector<std::string> warnings;
    std::vector<size_t> pieces;  // sections, tables, blocks, handles not read
};

Split splitWith(std::string_view input, const char* secondThread)
{
    ::setenv("DDS_DXF_READ_AHEAD", secondThread, 1);
    Split out;
    try {
        const DxfDocument& doc = out.doc.emplace(DxfDocument::parse(input));
        out.records = doc.records();
        out.warnings = doc.warnings();
        for (const DxfSection& s : doc.sections())
            out.pieces.insert(out.pieces.end(), {s.byteBegin, s.bodyBegin, s.bodyEnd, s.byteEnd, s.firstRecord,
                                                 s.endRecord, s.firstLine, s.bodyLine});
        for (const DxfTable& t : doc.tables())
            out.pieces.insert(out.pieces.end(), {t.head, t.endTab});
        for (const DxfBlock& b : doc.blocks())
            out.pieces.insert(out.pieces.end(), {b.begin, b.end});
        for (const DxfUnreadHandle& u : doc.unreadHandles())
            out.pieces.insert(out.pieces.end(), {u.record, u.line});
    } catch (const DxfError& e) {
        out.error = e.what();
    }
    ::unsetenv("DDS_DXF_READ_AHEAD");
    return out;
}

void checkSplitOnTwoThreads(std::string_view input)
{
    const Split one = splitWith(input, "off"), two = splitWith(input, "on");
    check(one.error == two.error, "an error differs when splitting on two threads");
    check(one.warnings == two.warnings && one.pieces == two.pieces, "a warning or piece differs on two threads");
    check(one.records.size() == two.records.size(), "the records differ on two threads");
    for (size_t i = 0; i < one.records.size(); ++i) {
        const DxfRecord &a = one.records[i], &b = two.records[i];
        check(a.type == b.type && a.name == b.name && a.handle == b.handle && a.owner == b.owner &&
                  a.byteBegin == b.byteBegin && a.byteEnd == b.byteEnd && a.firstLine == b.firstLine &&
                  a.tagCount == b.tagCount,
              "a record differs on two threads");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    checkSplitOnTwoThreads(input);
    try {
        DxfDocument doc = DxfDocument::parse(input);
        if (!doc.wasBinary())
            check(doc.bytes() == input, "ASCII input not kept as it is");
        std::unique_ptr<DxfTagIndex> index = doc.takeTagIndex();
        check(index && index->recordCount() == doc.records().size(), "no tag index for every record");
        checkDocument(doc, *index);
    } catch (const DxfError&) {
        // Refused with a message: the expected outcome for most inputs.
    }
    return 0;
}
