#pragma once
// The tags of every record as the structure pass found them, so that a
// reader of the records' content never splits the text into lines again.
//
// Four bytes a tag: its group code and the length of its value. Where the
// value starts follows from the record's start, the length of the group
// code line and the line ending, so a record is indexed only when those
// follow one rule throughout: group codes right-aligned in three columns
// ("  0", " 10", "100", "1000", as nearly every writer puts them) or
// written without blanks ("0", "10"), one line ending (the file's), codes
// below 4096 and values below 1 MiB. Other records are not indexed; their
// readers split them as before (DxfTagRange), with the same result.
//
// The index lives in chunks of 64 Ki tags of memory of their own, which a
// reader gives back as it moves on through the file (releaseBefore), so
// that the index and the objects read from it do not add up.
#include "DxfTag.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class DxfTagIndex {
public:
    DxfTagIndex() = default;
    ~DxfTagIndex();
    DxfTagIndex(const DxfTagIndex&) = delete;
    DxfTagIndex& operator=(const DxfTagIndex&) = delete;

    // ---- building, in record order (the structure pass) ----
    // Starts the next record with its group-0 tag, which starts at `at`.
    void beginRecord(std::size_t at, const DxfTag& first, std::string_view text);
    // Every further tag of that record, which starts at `at`. Inline: it
    // runs for every tag of the file.
    void add(std::size_t at, const DxfTag& tag, const char* text)
    {
        if (layout_.back() == kNone)
            return;
        const std::size_t valueBegin = static_cast<std::size_t>(tag.value.data() - text);
        const auto code = static_cast<std::uint32_t>(tag.code);  // a negative code becomes too big
        if (at != expected_ || code > kMaxCode || tag.value.size() > kMaxLength ||
            valueBegin - at != codeWidth(code, layout_.back()) + lineEnd_ || next_ == chunkEnd_) [[unlikely]] {
            addSlowly(at, tag, text);
            return;
        }
        *next_++ = code | (static_cast<std::uint32_t>(tag.value.size()) << kCodeBits);
        ++count_;
        expected_ = valueBegin + tag.value.size() + lineEnd_;
    }
    // The record ends at `at` (where the next one or the section's end starts).
    void endRecord(std::size_t at);
    // Adds the records of `other`, built over the text that follows the
    // last record here (by a second thread splitting it meanwhile).
    void append(const DxfTagIndex& other);

    // ---- reading ----
    // Whether the tags of record `record` can be had from the index.
    bool has(std::size_t record) const
    {
        if (record >= layout_.size() || layout_[record] == kNone)
            return false;
        const std::uint32_t begin = first_[record], end = endOf(record);
        return begin < end && chunks_[begin >> kChunkBits] && chunks_[(end - 1) >> kChunkBits];
    }
    // Replaces `out` with the tags of `record`, which starts at `byteBegin`
    // on line `firstLine` of `text`. False (and `out` untouched) when the
    // record is not indexed or its part of the index was released.
    bool tags(std::size_t record, std::string_view text, std::size_t byteBegin, std::uint32_t firstLine,
              std::vector<DxfTag>& out) const
    {
        if (!has(record))
            return false;
        const std::uint8_t layout = layout_[record];
        const std::uint32_t begin = first_[record], end = endOf(record);
        out.resize(end - begin);
        DxfTag* tag = out.data();
        const char* base = text.data();
        std::size_t at = byteBegin;
        std::uint32_t line = firstLine;
        for (std::uint32_t i = begin; i < end; ++i, ++tag, line += 2) {
            const std::uint32_t packed = chunks_[i >> kChunkBits][i & (kChunkTags - 1)];
            const std::uint32_t code = packed & kMaxCode;
            const std::size_t length = packed >> kCodeBits;
            const std::size_t valueBegin = at + codeWidth(code, layout) + lineEnd_;
            tag->code = static_cast<int>(code);
            tag->line = line;
            tag->value = std::string_view(base + valueBegin, length);
            at = valueBegin + length + lineEnd_;
        }
        return true;
    }

    // Gives back the chunks that hold only tags of records before `record`;
    // those records are then read from the text again. Not to be called
    // while another thread reads them.
    void releaseBefore(std::size_t record);

    std::size_t recordCount() const { return layout_.size(); }

private:
    static constexpr unsigned kChunkBits = 16;
    static constexpr std::size_t kChunkTags = std::size_t(1) << kChunkBits;
    static constexpr unsigned kCodeBits = 12;
    static constexpr std::uint32_t kMaxCode = (1u << kCodeBits) - 1;
    static constexpr std::uint32_t kMaxLength = (1u << (32 - kCodeBits)) - 1;

    // How a record's group code lines are written; kNone: not indexed.
    enum Layout : std::uint8_t { kNone = 0, kPadded = 1, kBare = 2 };

    // The length of a group code line without its line ending (codes up
    // to 4095: at most four digits).
    static std::size_t codeWidth(std::uint32_t code, std::uint8_t layout)
    {
        if (layout == kPadded)
            return 3 + (code >= 1000);
        return 1 + (code >= 10) + (code >= 100) + (code >= 1000);
    }
    std::uint32_t endOf(std::size_t record) const { return record + 1 < first_.size() ? first_[record + 1] : count_; }
    // A tag add() does not store in its quick way: a new chunk, or a tag
    // that breaks the record's layout (the record is then dropped).
    void addSlowly(std::size_t at, const DxfTag& tag, const char* text);
    void drop();
    // Points next_ at tag count_.
    void seek();

    std::vector<std::uint32_t*> chunks_;  // null once released
    std::uint32_t* next_ = nullptr;       // where the next tag goes
    std::uint32_t* chunkEnd_ = nullptr;
    std::uint32_t count_ = 0;             // tags stored
    std::vector<std::uint32_t> first_;    // per record: its first tag in the index
    std::vector<std::uint8_t> layout_;    // per record
    std::size_t lineEnd_ = 0;             // bytes of a line ending (1 LF, 2 CRLF), from the first record
    std::size_t expected_ = 0;            // where the current record's next tag must start
    bool full_ = false;                   // 4 Gi tags: nothing more is indexed
};
