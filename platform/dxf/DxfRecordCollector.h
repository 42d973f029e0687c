#pragma once
// Collects the records of a run of DXF tags (each group-0 tag starts one):
// where each starts and ends, its tag index, and the values the structure
// needs among its tags. The structure reader and the second thread that
// splits part of a big file (DxfSplitAhead.h) both collect with it.
#include "DxfDocument.h"
#include "DxfError.h"
#include "DxfTagIndex.h"

#include <string>
#include <vector>

namespace dxfsplit {

constexpr size_t kNone = static_cast<size_t>(-1);
// Splitting gives the text behind it back to the file cache in steps of this many bytes.
constexpr size_t kReleaseStep = size_t(1) << 20;

// A warning about a record, with the line it names.
struct LineWarning {
    uint32_t line = 0;
    std::string text;
};

// Collects records from their tags: where each starts and ends, its tag
// index, and the structural values among its tags.
class RecordCollector {
public:
    RecordCollector(std::string_view text, std::vector<DxfRecord>& records, DxfTagIndex& index,
                    std::vector<DxfUnreadHandle>& unread, std::vector<LineWarning>& warnings)
        : text_(text), records_(records), index_(index), unread_(unread), warnings_(warnings)
    {
    }

    size_t current() const { return current_; }
    void forget() { current_ = kNone; }

    void start(size_t at, const DxfTag& tag, std::string_view type)
    {
        current_ = records_.size();
        DxfRecord& record = records_.emplace_back();
        record.type = type;
        record.byteBegin = at;
        record.firstLine = tag.line;
        record.tagCount = 1;
        index_.beginRecord(at, tag, text_);
        isDimStyle_ = type == "DIMSTYLE";
        inGroup102_ = false;
        inXdata_ = false;
        ownerSeen_ = false;
        nameSeen_ = false;
        handleSeen_ = false;
    }

    void add(size_t at, const DxfTag& tag)
    {
        if (current_ != kNone) {
            index_.add(at, tag, text_.data());
            absorb(tag);
        }
    }

    void close(size_t at)
    {
        if (current_ != kNone) {
            records_[current_].byteEnd = at;
            index_.endRecord(at);
        }
    }

private:
    // Picks the structural values out of a record's tags. Handles and owners
    // inside 102 groups (reactors, extension dictionaries) and in xdata
    // belong to other objects and are not the record's own.
    void absorb(const DxfTag& tag)
    {
        DxfRecord& record = records_[current_];
        ++record.tagCount;
        if (inXdata_)
            return;
        switch (tag.code) {
        case 1001:
            inXdata_ = true;
            break;
        case 102: {
            std::string_view v = dxfTrim(tag.value);
            if (!v.empty() && v.front() == '{')
                inGroup102_ = true;
            else if (v == "}")
                inGroup102_ = false;
            break;
        }
        case 5:
        case 105:
            // A DIMSTYLE entry's handle is its 105; its 5 is the old arrow
            // block name.
            if ((tag.code == 105) == isDimStyle_ && !handleSeen_) {
                record.handle = handleOrNone(tag, record, "handle", "it gets a new handle");
                handleSeen_ = true;
            }
            break;
        case 330:
            if (!inGroup102_ && !ownerSeen_) {
                record.owner = handleOrNone(tag, record, "owner", "the table, block or section it stands in owns it");
                ownerSeen_ = true;
            }
            break;
        case 2:
            if (!nameSeen_) {
                record.name = tag.value;
                nameSeen_ = true;
            }
            break;
        default:
            break;
        }
    }

    // Some writers leave a handle empty or put something else there: the
    // record is read without it, and the reader above gives it a new one.
    uint64_t handleOrNone(const DxfTag& tag, const DxfRecord& record, const char* what, const char* done)
    {
        uint64_t handle = 0;
        if (dxfParseHandle(tag.value, handle))
            return handle;
        unread_.push_back({current_, tag.line});
        warnings_.push_back({tag.valueLine(), "the " + std::string(record.type) + " has " + dxfQuote(tag.value) +
                                                  " where its " + what + " belongs; " + done});
        return 0;
    }

    std::string_view text_;
    std::vector<DxfRecord>& records_;
    DxfTagIndex& index_;
    std::vector<DxfUnreadHandle>& unread_;
    std::vector<LineWarning>& warnings_;
    size_t current_ = kNone;
    bool isDimStyle_ = false;
    bool inGroup102_ = false;
    bool inXdata_ = false;
    bool ownerSeen_ = false;
    bool nameSeen_ = false;
    bool handleSeen_ = false;
};

} // namespace dxfsplit
