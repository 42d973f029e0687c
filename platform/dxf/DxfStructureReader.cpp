// Splits the text of a DXF file into sections, records, header variables,
// tables and blocks (see DxfDocument.h). One pass over the tags; only the few
// values the structure needs (group 0 types, handles, owners, names) are
// looked at, everything else is skipped without being parsed.
//
// Part of a big file is split on a second thread where a core is free
// (DxfSplitAhead.h): it starts at a record in the largest section and
// collects the records up to the section's end, while this thread splits
// what comes before. When this thread comes to the record where the other began, it takes
// the other's records as if it had split them; when it never lands exactly
// there (the guess was no record start, which only a malformed file makes
// possible), it throws the other's work away and goes on alone.
#include "DxfDocument.h"
#include "DxfError.h"
#include "DxfRecordCollector.h"
#include "DxfSecondThread.h"
#include "DxfSplitAhead.h"

#include <atomic>
#include <memory>
#include <optional>
#include <thread>

namespace {

using namespace dxfsplit;

enum class SectionKind { Header, Tables, Blocks, Other };

SectionKind kindOf(std::string_view name)
{
    if (name == "HEADER")
        return SectionKind::Header;
    if (name == "TABLES")
        return SectionKind::Tables;
    if (name == "BLOCKS")
        return SectionKind::Blocks;
    return SectionKind::Other;
}

std::string quoted(std::string_view text)
{
    return dxfQuote(text);
}

} // namespace

class DxfStructureReader {
public:
    DxfStructureReader(DxfDocument& doc, size_t start)
        : doc_(doc), text_(doc.bytes()), tokenizer_(text_, start, 1)
    {
    }

    void run()
    {
        // Typical drawings hold one record per 100-200 bytes; reserving for that
        // saves the vector growth, which would briefly double its memory.
        doc_.records_.reserve(text_.size() / 128 + 16);
        doc_.tagIndex_ = std::make_unique<DxfTagIndex>();
        index_ = doc_.tagIndex_.get();
        records_.emplace(text_, doc_.records_, *index_, doc_.unreadHandles_, warnings_);
        startSecondHalf();
        DxfTag tag;
        for (;;) {
            size_t at = tokenizer_.offset();
            if (!tokenizer_.next(tag))
                throw DxfError(tokenizer_.line(), "unexpected end of file: the 'EOF' marker is missing");
            if (tag.code == 999)  // comment
                continue;
            if (tag.code != 0)
                throw DxfError(tag.line, "'SECTION' or 'EOF' expected, found group code " + std::to_string(tag.code));
            std::string_view type = dxfTrim(tag.value);
            if (type == "EOF") {
                doc_.eofBegin_ = at;
                flushWarnings();
                return;
            }
            if (type != "SECTION")
                throw DxfError(tag.line, "'SECTION' or 'EOF' expected, found " + quoted(type));
            readSection(at, tag.line);
        }
    }

private:
    void readSection(size_t at, uint32_t line)
    {
        DxfTag tag;
        if (!tokenizer_.next(tag))
            throw DxfError(tokenizer_.line(), "unexpected end of file: section name missing after SECTION");
        if (tag.code != 2)
            throw DxfError(tag.line, "section name (group code 2) expected after SECTION, found group code " +
                                         std::to_string(tag.code));
        DxfSection section;
        section.name = dxfTrim(tag.value);
        section.byteBegin = at;
        section.firstLine = line;
        section.bodyBegin = tokenizer_.offset();
        section.bodyLine = tokenizer_.line();
        section.firstRecord = doc_.records_.size();
        kind_ = kindOf(section.name);
        records_->forget();
        openTable_ = kNone;
        openBlock_ = kNone;
        size_t variable = kNone;

        for (;;) {
            at = tokenizer_.offset();
            if (!tokenizer_.next(tag))
                throw DxfError(tokenizer_.line(),
                               "unexpected end of file inside section " + std::string(section.name));
            if (tag.code == 0) {
                if (at >= secondHalfBegin_.load(std::memory_order_acquire)) [[unlikely]]
                    if (takeSecondHalf(at, tag.line))
                        continue;
                std::string_view type = dxfTrim(tag.value);
                if (type == "ENDSEC") {
                    records_->close(at);
                    if (variable != kNone)
                        doc_.variables_[variable].byteEnd = at;
                    checkNothingOpen(tag.line, "ENDSEC");
                    section.bodyEnd = at;
                    section.byteEnd = tokenizer_.offset();
                    section.endRecord = doc_.records_.size();
                    doc_.sections_.push_back(section);
                    return;
                }
                if (type == "SECTION" || type == "EOF")
                    throw DxfError(tag.line, "section " + std::string(section.name) + " never closed: " +
                                                 std::string(type) + " found before ENDSEC");
                if (kind_ == SectionKind::Header)
                    throw DxfError(tag.line, "unexpected " + quoted(type) +
                                                 " in section HEADER (header variables start with group code 9)");
                records_->close(at);
                startRecord(at, tag, type);
                continue;
            }
            if (kind_ == SectionKind::Header) {
                if (tag.code == 9) {
                    if (variable != kNone)
                        doc_.variables_[variable].byteEnd = at;
                    variable = doc_.variables_.size();
                    DxfHeaderVariable v;
                    v.name = dxfTrim(tag.value);
                    v.byteBegin = at;
                    v.valueBegin = tokenizer_.offset();
                    v.byteEnd = v.valueBegin;
                    v.firstLine = tag.line;
                    doc_.variables_.push_back(v);
                }
                continue;
            }
            records_->add(at, tag);
        }
    }

    void startRecord(size_t at, const DxfTag& tag, std::string_view type)
    {
        // The text behind goes back to the file cache as splitting moves on
        // (where it is mapped): a big file's text would otherwise stay
        // whole beside its records and tag index. What is looked at again
        // is paged in again, a few dozen pages a time.
        if (at >= released_ + kReleaseStep) {
            doc_.releaseText(released_, at);
            released_ = at;
        }
        records_->start(at, tag, type);
        checkPlace(records_->current(), tag.line, type);
    }

    // Tables hold entries between TABLE and ENDTAB, the blocks section
    // entities between BLOCK and ENDBLK.
    void checkPlace(size_t record, uint32_t line, std::string_view type)
    {
        if (kind_ == SectionKind::Tables) {
            if (type == "TABLE") {
                if (openTable_ != kNone)
                    throw DxfError(line, "table " + tableName() + " never closed: TABLE found before ENDTAB");
                openTable_ = record;
            } else if (type == "ENDTAB") {
                if (openTable_ == kNone)
                    throw DxfError(line, "ENDTAB without TABLE");
                doc_.tables_.push_back({doc_.records_[openTable_].name, openTable_, record});
                openTable_ = kNone;
            } else if (openTable_ == kNone) {
                throw DxfError(line, "'TABLE' expected in section TABLES, found " + quoted(type));
            }
        } else if (kind_ == SectionKind::Blocks) {
            if (type == "BLOCK") {
                if (openBlock_ != kNone)
                    throw DxfError(line, "block " + blockName() + " never closed: BLOCK found before ENDBLK");
                openBlock_ = record;
            } else if (type == "ENDBLK") {
                if (openBlock_ == kNone)
                    throw DxfError(line, "ENDBLK without BLOCK");
                doc_.blocks_.push_back({doc_.records_[openBlock_].name, openBlock_, record});
                openBlock_ = kNone;
            } else if (openBlock_ == kNone) {
                throw DxfError(line, "'BLOCK' expected in section BLOCKS, found " + quoted(type));
            }
        }
    }

    // Starts splitting the second half of a big text on a second thread.
    void startSecondHalf()
    {
        if (!dxfSecondThreadPays(text_.size(), kSecondHalfFrom))
            return;
        secondHalf_ = std::make_unique<RecordRun>();
        splitter_ = std::jthread([&doc = doc_, from = tokenizer_.offset(), &run = *secondHalf_,
                                  &begin = secondHalfBegin_](std::stop_token stop) {
            splitRun(doc, from, run, begin, stop);
        });
    }

    // This thread has come to the record at `at` (on `line`), at or past
    // where the second thread began. Takes the second thread's records when
    // `at` is that place in a section of records, and goes on where the
    // second thread stopped; else goes on alone. Whether it took them.
    bool takeSecondHalf(size_t at, uint32_t line)
    {
        secondHalfBegin_.store(kNone, std::memory_order_relaxed);
        const std::unique_ptr<RecordRun> run = std::move(secondHalf_);
        if (at != run->begin || kind_ == SectionKind::Header)
            splitter_.request_stop();
        splitter_.join();
        if (at != run->begin || kind_ == SectionKind::Header || run->end == kNone)
            return false;
        records_->close(at);
        flushWarnings();
        const uint32_t lineShift = line - 1;
        const size_t first = doc_.records_.size();
        for (DxfRecord& record : run->records) {
            record.firstLine += lineShift;
            doc_.records_.push_back(record);
            checkPlace(doc_.records_.size() - 1, record.firstLine, record.type);
        }
        index_->append(run->index);
        for (const DxfUnreadHandle& u : run->unread)
            doc_.unreadHandles_.push_back({first + u.record, u.line + lineShift});
        for (LineWarning& w : run->warnings)
            warnings_.push_back({w.line + lineShift, std::move(w.text)});
        records_->forget();
        doc_.splitOnTwoThreads_ = true;
        tokenizer_ = DxfTokenizer(text_, run->end, line + run->lines);
        doc_.releaseText(released_, run->end);
        released_ = run->end;
        return true;
    }

    void flushWarnings()
    {
        for (const LineWarning& w : warnings_)
            doc_.warnings_.push_back("line " + std::to_string(w.line) + ": " + w.text);
        warnings_.clear();
    }

    void checkNothingOpen(uint32_t line, const char* found)
    {
        if (openTable_ != kNone)
            throw DxfError(line, "table " + tableName() + " never closed: " + found + " found before ENDTAB");
        if (openBlock_ != kNone)
            throw DxfError(line, "block " + blockName() + " never closed: " + found + " found before ENDBLK");
    }

    // A second thread pays for texts from this size on (where a core is free).
    static constexpr size_t kSecondHalfFrom = size_t(4) << 20;
    size_t released_ = 0;  // bytes of text given back from the start
    std::string tableName() const { return quoted(doc_.records_[openTable_].name); }
    std::string blockName() const { return quoted(doc_.records_[openBlock_].name); }

    DxfDocument& doc_;
    std::string_view text_;
    DxfTokenizer tokenizer_;
    DxfTagIndex* index_ = nullptr;
    std::vector<LineWarning> warnings_;
    std::optional<RecordCollector> records_;
    SectionKind kind_ = SectionKind::Other;
    size_t openTable_ = kNone;
    size_t openBlock_ = kNone;
    std::atomic<size_t> secondHalfBegin_{kNone};  // where the second thread began
    std::unique_ptr<RecordRun> secondHalf_;  // what it splits
    std::jthread splitter_;  // the last member: stopped and joined first when splitting fails
};

void DxfDocument::split(size_t start)
{
    DxfStructureReader(*this, start).run();
}
