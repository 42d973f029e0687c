#pragma once
// Splits ASCII DXF text into tags. Every tag is two lines: a group code and a
// value. Lines end in LF or CRLF; a group code line may have blanks before
// and after the number. Nothing is allocated per tag: values are views into
// the text.
#include "DxfTag.h"

#include <bit>
#include <cstddef>
#include <cstring>
#include <cstdint>
#include <iterator>
#include <string_view>

class DxfTokenizer {
public:
    // `text` is the whole buffer; reading starts at `offset`, whose line
    // number is `line`. Offsets stay relative to the whole buffer.
    explicit DxfTokenizer(std::string_view text, size_t offset = 0, uint32_t line = 1)
        : text_(text), pos_(offset), line_(line)
    {
    }

    // Reads the next tag. Returns false at the end of the text, also when a
    // group code line is the last line (then danglingCode() is true). Throws
    // DxfError when a group code line does not hold a number.
    [[gnu::always_inline]] bool next(DxfTag& tag)
    {
        // Nearly every tag of a file is a short group code line ("  0",
        // " 10", "330") and a short value line, with at least a word of text
        // after them: that case is read here, inline, and everything else
        // (blanks after the code, signs, CRLF at a word's edge, the end of
        // the text) by the general reader.
        const size_t size = text_.size();
        if (pos_ + 16 <= size) {
            const char* p = text_.data() + pos_;
            const char* q = p;
            while (*q == ' ' && q - p < 8)
                ++q;
            if (static_cast<unsigned char>(*q - '0') < 10) {
                // At most 8 blanks and 5 digits: everything read lies in
                // the 16 bytes checked above.
                int code = 0;
                const char* digits = q;
                do
                    code = code * 10 + (*q++ - '0');
                while (static_cast<unsigned char>(*q - '0') < 10 && q - digits < 5);
                const char* lf = *q == '\n' ? q : (*q == '\r' && q[1] == '\n' ? q + 1 : nullptr);
                if (lf) {
                    const size_t valueBegin = static_cast<size_t>(lf + 1 - text_.data());
                    const size_t valueLf = findLineFeed(valueBegin);
                    size_t valueEnd = valueLf;
                    if (valueEnd > valueBegin && text_[valueEnd - 1] == '\r')
                        --valueEnd;
                    tag.code = code;
                    tag.line = line_;
                    tag.value = std::string_view(text_.data() + valueBegin, valueEnd - valueBegin);
                    pos_ = valueLf + 1;
                    line_ += 2;
                    dangling_ = false;
                    return true;
                }
            }
        }
        return nextGeneral(tag);
    }

    size_t offset() const { return pos_; }  // where the next tag starts
    uint32_t line() const { return line_; } // the line number at offset()
    bool danglingCode() const { return dangling_; }

private:
    bool nextGeneral(DxfTag& tag);

    // Offset of the first LF at or after `from`, or the text size. Eight
    // bytes at a time: values are mostly shorter than that.
    size_t findLineFeed(size_t from) const
    {
        const char* base = text_.data();
        const size_t size = text_.size();
        constexpr uint64_t kOnes = 0x0101010101010101ull;
        constexpr uint64_t kHighs = 0x8080808080808080ull;
        constexpr uint64_t kLineFeeds = kOnes * '\n';
        size_t i = from;
        // The bit trick below finds the first byte in memory order on
        // little-endian machines only; others take the plain loop.
        if constexpr (std::endian::native == std::endian::little)
            for (; i + 8 <= size; i += 8) {
                uint64_t word;
                std::memcpy(&word, base + i, 8);
                const uint64_t x = word ^ kLineFeeds;
                // The lowest flagged byte is exactly the first zero byte of x.
                const uint64_t zeros = (x - kOnes) & ~x & kHighs;
                if (zeros)
                    return i + static_cast<size_t>(std::countr_zero(zeros) / 8);
            }
        for (; i < size; ++i)
            if (base[i] == '\n')
                return i;
        return size;
    }

    std::string_view text_;
    size_t pos_;
    uint32_t line_;
    bool dangling_ = false;
};

// The tags of a byte range that was already read once (a record, a header
// variable). Iterating reads them again from the buffer, which costs less
// than keeping millions of tags in memory.
class DxfTagRange {
public:
    DxfTagRange() = default;
    DxfTagRange(std::string_view text, size_t begin, size_t end, uint32_t line)
        : text_(text.substr(0, end)), begin_(begin), line_(line)
    {
    }

    class iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = DxfTag;
        using difference_type = std::ptrdiff_t;
        using pointer = const DxfTag*;
        // By value: a tag is three words, and `*range.begin()` must not
        // leave a reference into a temporary iterator.
        using reference = DxfTag;

        iterator() = default;
        iterator(std::string_view text, size_t begin, uint32_t line) : tokenizer_(text, begin, line), atEnd_(false)
        {
            ++*this;
        }
        DxfTag operator*() const { return tag_; }
        pointer operator->() const { return &tag_; }
        iterator& operator++()
        {
            if (!tokenizer_.next(tag_))
                atEnd_ = true;
            return *this;
        }
        void operator++(int) { ++*this; }
        bool operator==(const iterator& other) const { return atEnd_ == other.atEnd_; }

    private:
        DxfTokenizer tokenizer_{std::string_view()};
        DxfTag tag_;
        bool atEnd_ = true;
    };

    iterator begin() const { return iterator(text_, begin_, line_); }
    iterator end() const { return iterator(); }
    // Byte range of these tags in the buffer.
    size_t byteBegin() const { return begin_; }
    size_t byteEnd() const { return text_.size(); }

private:
    std::string_view text_;
    size_t begin_ = 0;
    uint32_t line_ = 1;
};
