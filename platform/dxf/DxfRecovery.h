#pragma once
// Recovery of DXF files whose structure is damaged: stray tags between
// sections, records outside their table or block, tables and blocks never
// closed, sections cut short or given twice, lines that are no tags.
//
// Recovery reads every section and record that can be read and writes them
// anew as sound DXF text (LF endings), which the ordinary reader then reads.
// Misplaced table entries go into the table of their type (one is made when
// the file has none); what cannot be placed is dropped. Every repair is
// listed with the line of the original file it concerns.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class DxfRecovery {
public:
    // Reads `bytes` (ASCII or binary DXF). Throws DxfError only for binary
    // input that cannot be decoded.
    explicit DxfRecovery(std::string_view bytes);
    DxfRecovery(const DxfRecovery&) = delete;
    DxfRecovery& operator=(const DxfRecovery&) = delete;

    // The drawing as sound DXF text.
    std::string text() const;
    // The line of the original file that line `line` of text() came from
    // (0 for lines recovery wrote itself).
    uint32_t originalLine(uint32_t line) const;
    // Mends the record that holds line `line` of text(), whose content the
    // reader above cannot take: a common property with a default loses its
    // tag, any other record is dropped. False when the line is in no record that can go (a
    // section's, table's or block's own lines).
    bool dropRecordAt(uint32_t line, const std::string& why);

    // "line 12: ..." per repair, in the order they were made.
    const std::vector<std::string>& repairs() const { return repairs_; }
    size_t droppedRecords() const { return dropped_; }

private:
    struct Tag {
        int code = 0;
        std::string_view value;
        uint32_t line = 0;  // in the original file; 0 when recovery made it
    };
    using Record = std::vector<Tag>;  // a group 0 tag and the tags up to the next
    struct Section {
        std::string name;
        std::vector<Tag> variables;    // HEADER: 9 $NAME and value tags
        std::vector<Record> records;   // the other sections
    };

    void read();
    void readSection(const Tag& start);
    Section& sectionNamed(const std::string& name, uint32_t line);
    void placeTables(Section& section, std::vector<Record> records);
    void placeBlocks(Section& section, std::vector<Record> records);
    std::string_view made(std::string text);
    // A real written with a decimal comma ("0,5"), in a record or in the
    // header, is read as 0.5, with a repair; false for any other text.
    bool readDecimalComma(Tag& tag);
    std::string_view newHandle();
    void repair(uint32_t line, const std::string& text);
    void drop(const Record& record, const std::string& why);
    bool nextTag(Tag& tag);
    void pushBack(const Tag& tag) { pending_ = tag, havePending_ = true; }

    std::string buffer_;  // the text read (a binary file's text form)
    size_t pos_ = 0;
    uint32_t line_ = 1;
    bool havePending_ = false;
    Tag pending_;
    std::vector<Section> sections_;
    std::vector<std::unique_ptr<std::string>> made_;  // values recovery wrote itself
    uint64_t nextHandle_ = 1;
    std::vector<std::string> repairs_;
    size_t dropped_ = 0;
};
