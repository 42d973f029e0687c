#pragma once
// Splits ASCII DXF text into tags. Every tag is two lines: a group code and a
// value. Lines end in LF or CRLF; a group code line may have blanks before
// and after the number. Nothing is allocated per tag: values are views into
// the text.
#include "DxfTag.h"

#include <cstddef>
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
    bool next(DxfTag& tag);

    size_t offset() const { return pos_; }  // where the next tag starts
    uint32_t line() const { return line_; } // the line number at offset()
    bool danglingCode() const { return dangling_; }

private:
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
