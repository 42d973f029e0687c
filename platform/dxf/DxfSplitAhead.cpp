// A second thread's part of splitting a big text: it finds where to begin
// so that both threads finish about together, and splits from there to the
// end of that section.
#include "DxfSplitAhead.h"

#include "DxfError.h"
#include "DxfTokenizer.h"

#include <algorithm>
#include <cstring>

namespace dxfsplit {

// Where a record may start at or after `from`: a group-0 line ("0", blanks
// around it and a CRLF ending allowed) whose value starts with a letter, in the first MiB
// after it; kNone when there is none. A value line "0" followed by a group
// code line never passes, so in a well-formed file the place is a record's
// start; the thread that comes to it checks that all the same.
size_t findRecordStart(std::string_view text, size_t from)
{
    const size_t limit = std::min(text.size(), from + (size_t(1) << 20));
    size_t line = text.find('\n', from);
    while (line != std::string_view::npos && line + 1 < limit) {
        const size_t begin = line + 1;
        const size_t lf = text.find('\n', begin);
        if (lf == std::string_view::npos)
            return kNone;
        const size_t codeEnd = lf > begin && text[lf - 1] == '\r' ? lf - 1 : lf;
        if (dxfTrim(text.substr(begin, codeEnd - begin)) == "0" && lf + 1 < text.size()) {
            const size_t valueEnd = text.find('\n', lf + 1);
            const std::string_view value =
                dxfTrim(text.substr(lf + 1, (valueEnd == std::string_view::npos ? text.size() : valueEnd) - lf - 1));
            const char c = value.empty() ? '\0' : value.front();
            if (((c >= 'A' && c <= 'Z') || c == '_') && !endsRecords(value))
                return begin;
        }
        line = lf;
    }
    return kNone;
}

// Where a second thread should begin splitting the text after `from` so
// that the split ends soonest. The second thread stops at the end of the
// section it begins in, and this thread goes on past it when it has taken
// its records: so the second thread takes the end part of a section, as
// much as this thread splits before it, and the section is the one that
// leaves this thread least to split alone after it. Sections are found by
// a look for "ENDSEC" lines, which only a text value can mimic; that costs
// balance, not correctness. The look itself takes the second thread about
// as long as splitting a tenth of the text (measured: 10 ms against 114 ms
// for 43 MB), which this thread splits meanwhile. kNone: nothing worth
// sharing.
size_t secondHalfStart(std::string_view text, size_t from)
{
    const size_t size = text.size();
    const size_t lookAhead = (size - from) / 10;
    size_t best = kNone, bestCost = size - from;
    const char* data = text.data();
    size_t sectionBegin = from;
    while (const void* found = memmem(data + sectionBegin, size - sectionBegin, "\nENDSEC", 7)) {
        const size_t end = static_cast<size_t>(static_cast<const char*>(found) - data);
        const size_t begin = std::clamp(from + (end - from + lookAhead) / 2, sectionBegin, end);
        const size_t cost = std::max(begin - from, end - begin + lookAhead) + (size - end);
        if (cost < bestCost) {
            best = begin;
            bestCost = cost;
        }
        sectionBegin = end + 7;
    }
    // Sharing less than a tenth pays nothing for the thread.
    if (best == kNone || bestCost > (size - from) / 10 * 9)
        return kNone;
    return findRecordStart(text, best);
}

void splitRun(const DxfDocument& doc, size_t from, RecordRun& run, std::atomic<size_t>& begin,
              std::stop_token stop)
{
    const std::string_view text = doc.bytes();
    run.begin = secondHalfStart(text, from);
    if (run.begin == kNone)
        return;
    begin.store(run.begin, std::memory_order_release);
    run.records.reserve((text.size() - run.begin) / 128 + 16);
    RecordCollector records(text, run.records, run.index, run.unread, run.warnings);
    DxfTokenizer tokenizer(text, run.begin, 1);
    size_t released = run.begin;
    DxfTag tag;
    try {
        for (;;) {
            const size_t at = tokenizer.offset();
            if (!tokenizer.next(tag))
                return;
            if (tag.code != 0) {
                if (at == run.begin)
                    return;
                records.add(at, tag);
                continue;
            }
            if (stop.stop_requested())
                return;
            const std::string_view type = dxfTrim(tag.value);
            records.close(at);
            if (endsRecords(type)) {
                run.end = at;
                run.lines = tag.line - 1;
                return;
            }
            if (at >= released + kReleaseStep) {
                doc.releaseText(released, at);
                released = at;
            }
            records.start(at, tag, type);
        }
    } catch (...) {
        run.end = kNone;
    }
}

} // namespace dxfsplit
