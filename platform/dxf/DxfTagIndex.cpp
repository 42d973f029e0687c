#include "DxfTagIndex.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <sys/mman.h>

namespace {

constexpr std::size_t kChunkBytes = (std::size_t(1) << 16) * sizeof(std::uint32_t);

// Chunks are mappings of their own, so that releasing one gives its memory
// back to the system at once, whatever the allocator keeps.
std::uint32_t* newChunk()
{
    void* p = ::mmap(nullptr, kChunkBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    return static_cast<std::uint32_t*>(p);
}

void freeChunk(std::uint32_t* chunk)
{
    if (chunk)
        ::munmap(chunk, kChunkBytes);
}

} // namespace

DxfTagIndex::~DxfTagIndex()
{
    for (std::uint32_t* chunk : chunks_)
        freeChunk(chunk);
}

void DxfTagIndex::beginRecord(std::size_t at, const DxfTag& first, std::string_view text)
{
    first_.push_back(count_);
    layout_.push_back(kNone);
    if (full_ || first.code != 0)
        return;
    // The group-0 line tells the layout: "  0" or "0", then LF or CRLF.
    const std::size_t codeLine = static_cast<std::size_t>(first.value.data() - text.data()) - at;
    const std::size_t lineEnd = codeLine >= 2 && text[at + codeLine - 2] == '\r' ? 2 : 1;
    if (lineEnd_ == 0)
        lineEnd_ = lineEnd;
    if (lineEnd != lineEnd_)
        return;
    const std::size_t width = codeLine - lineEnd_;
    if (width != 3 && width != 1)
        return;
    layout_.back() = width == 3 ? kPadded : kBare;
    expected_ = at;
    add(at, first, text.data());
}

void DxfTagIndex::addSlowly(std::size_t at, const DxfTag& tag, const char* text)
{
    const std::size_t valueBegin = static_cast<std::size_t>(tag.value.data() - text);
    const auto code = static_cast<std::uint32_t>(tag.code);
    if (at != expected_ || code > kMaxCode || tag.value.size() > kMaxLength ||
        valueBegin - at != codeWidth(code, layout_.back()) + lineEnd_)
        return drop();
    if (next_ == chunkEnd_) {
        if (count_ > UINT32_MAX - kChunkTags) {
            full_ = true;
            return drop();
        }
        chunks_.push_back(newChunk());
        seek();
    }
    add(at, tag, text);
}

void DxfTagIndex::endRecord(std::size_t at)
{
    // The last value must end where the record does: a value line ended
    // otherwise (a CR that is no line ending, the end of the text) is no
    // layout the index can give back.
    if (!layout_.empty() && layout_.back() != kNone && at != expected_)
        drop();
}

void DxfTagIndex::append(const DxfTagIndex& other)
{
    // Layouts hold only with one line ending throughout; the other's
    // records are read from the text where the endings differ.
    const bool sameEnding = lineEnd_ == 0 || other.lineEnd_ == 0 || lineEnd_ == other.lineEnd_;
    const bool fits = sameEnding && !full_ && count_ <= UINT32_MAX - kChunkTags - other.count_;
    if (lineEnd_ == 0)
        lineEnd_ = other.lineEnd_;
    const std::uint32_t base = count_;
    for (std::size_t r = 0; r < other.layout_.size(); ++r) {
        first_.push_back(fits ? base + other.first_[r] : count_);
        layout_.push_back(fits ? other.layout_[r] : std::uint8_t(kNone));
    }
    if (!fits)
        return;
    // The other's tags are those of its indexed records, one after another.
    std::uint32_t copied = 0;
    while (copied < other.count_) {
        if (next_ == chunkEnd_) {
            chunks_.push_back(newChunk());
            seek();
        }
        const std::uint32_t* from = other.chunks_[copied >> kChunkBits] + (copied & (kChunkTags - 1));
        const std::size_t n = std::min({static_cast<std::size_t>(chunkEnd_ - next_),
                                        kChunkTags - (copied & (kChunkTags - 1)),
                                        static_cast<std::size_t>(other.count_ - copied)});
        std::memcpy(next_, from, n * sizeof(std::uint32_t));
        next_ += n;
        count_ += static_cast<std::uint32_t>(n);
        copied += static_cast<std::uint32_t>(n);
    }
}

void DxfTagIndex::drop()
{
    count_ = first_.back();
    layout_.back() = kNone;
    seek();
}

void DxfTagIndex::seek()
{
    const std::size_t chunk = count_ >> kChunkBits;
    if (chunk < chunks_.size()) {
        next_ = chunks_[chunk] + (count_ & (kChunkTags - 1));
        chunkEnd_ = chunks_[chunk] + kChunkTags;
    } else {
        next_ = chunkEnd_ = nullptr;
    }
}

void DxfTagIndex::releaseBefore(std::size_t record)
{
    const std::uint32_t firstKept = record < first_.size() ? first_[record] : count_;
    for (std::size_t c = 0; c < chunks_.size() && (c + 1) * kChunkTags <= firstKept; ++c) {
        freeChunk(chunks_[c]);
        chunks_[c] = nullptr;
    }
}
