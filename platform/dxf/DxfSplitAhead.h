#pragma once
// Splitting part of a big DXF text on a second thread (see
// DxfStructureReader.cpp, which takes the records over).
#include "DxfRecordCollector.h"

#include <atomic>
#include <stop_token>
#include <string_view>

namespace dxfsplit {

// Whether a group-0 value ends the records of a section.
inline bool endsRecords(std::string_view type)
{
    return type == "ENDSEC" || type == "SECTION" || type == "EOF";
}

// The records a second thread split, from `begin` to `end` (the tag that
// ends their section), with line numbers counted from 1 at `begin`.
struct RecordRun {
    size_t begin = 0;
    size_t end = kNone;  // kNone: not usable (stopped, or the text gave out)
    uint32_t lines = 0;  // lines from `begin` to `end`
    std::vector<DxfRecord> records;
    DxfTagIndex index;
    std::vector<DxfUnreadHandle> unread;  // record numbers within `records`
    std::vector<LineWarning> warnings;
};

// Where a record may start at or after `from` (see DxfSplitAhead.cpp);
// kNone when there is none near.
size_t findRecordStart(std::string_view text, size_t from);

// Where a second thread should begin splitting the text after `from`;
// kNone: nothing worth sharing.
size_t secondHalfStart(std::string_view text, size_t from);

// Finds where to begin (published in `begin` for the first thread), then
// splits records from there to the end of their section into `run` (on the
// second thread). Gives up, leaving the run unusable, when asked to stop,
// when the text gives out and on any error: the first thread then finds the
// same error itself, with its true line number.
void splitRun(const DxfDocument& doc, size_t from, RecordRun& run, std::atomic<size_t>& begin,
              std::stop_token stop);

} // namespace dxfsplit
