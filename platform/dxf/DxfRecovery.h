#pragma once
// Recovery of DXF files whose structure or content is damaged: stray tags
// between sections, records outside their table or block, tables and blocks
// never closed, sections and tables given twice, lines that are no tags,
// values that do not fit their group code, references to no object, binary
// files cut short.
//
// Recovery reads every section and record that can be read and writes them
// anew as sound DXF text (LF endings), which the ordinary reader then reads.
// Misplaced table entries go into the table of their type (one is made when
// the file has none); what cannot be placed is dropped. Every repair is
// listed with the place in the original file it concerns: its line, or in a
// binary file its byte offset.
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
    // Reads `bytes` (ASCII or binary DXF, also binary whose first line was
    // damaged). Throws DxfError when they hold no DXF structure at all (an
    // empty file, UTF-16 text, anything without a section): recovery never
    // turns such a file into an empty drawing.
    explicit DxfRecovery(std::string_view bytes);
    DxfRecovery(const DxfRecovery&) = delete;
    DxfRecovery& operator=(const DxfRecovery&) = delete;

    // The drawing as sound DXF text.
    std::string text() const;
    // The line of the original file (of a binary file's text form) that
    // line `line` of text() came from (0 for lines recovery wrote itself).
    uint32_t originalLine(uint32_t line) const;
    // Where an original line is in the file, for messages: "line 12", or in
    // a binary file "byte offset 3456".
    std::string where(uint32_t originalLine) const;
    bool wasBinary() const { return binary_; }
    // Mends the record that holds line `line` of text(), whose content the
    // reader above cannot take: a common property with a default loses its
    // tag, any other record is dropped. False when the line is in no record that can go (a
    // section's, table's or block's own lines).
    bool dropRecordAt(uint32_t line, const std::string& why);

    // "line 12: ..." per repair, in the order they were made.
    const std::vector<std::string>& repairs() const { return repairs_; }
    // The repairs counted one by one: every line skipped counts.
    size_t repairCount() const { return repairCount_; }
    size_t droppedRecords() const { return dropped_; }
    // What of the file the drawing does not hold: records, variables, tags
    // and lines left out. 0: the drawing holds everything the file held.
    size_t leftOut() const { return leftOut_; }

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

    void decode(std::string_view bytes);
    void refuseWithoutStructure(std::string_view bytes) const;
    void read();
    void readSection(const Tag& start);
    Section& sectionNamed(const std::string& name, uint32_t line, bool& again);
    std::vector<Record> wholeRecords(std::vector<Record> records);
    void mergeVariables(Section& section, std::vector<Tag> variables, bool again);
    void mergeRecords(Section& section, std::vector<Record> records, bool again);
    void placeTables(Section& section, std::vector<Record> records);
    void placeBlocks(Section& section, std::vector<Record> records);
    void checkValues();
    void checkVariables(Section& section);
    void restoreFirstSubclass(const Section& section, Record& record);
    void closeGroups(Record& record);
    void closeSequences(Section& section);
    void clearDanglingReferences();
    std::string_view made(std::string text);
    // A real written with a decimal comma ("0,5"), in a record or in the
    // header, is read as 0.5, with a repair; false for any other text.
    bool readDecimalComma(Tag& tag);
    std::string_view newHandle();
    void repair(uint32_t line, const std::string& text, size_t count = 1);
    void drop(const Record& record, const std::string& why);
    bool nextTag(Tag& tag);
    bool lineAt(size_t& pos, std::string_view& line) const;
    int tagsThatFit(size_t pos) const;
    void pushBack(const Tag& tag) { pending_ = tag, havePending_ = true; }

    std::string buffer_;  // the text read (a binary file's text form)
    size_t pos_ = 0;
    uint32_t line_ = 1;
    bool havePending_ = false;
    Tag pending_;
    bool binary_ = false;
    std::vector<size_t> tagOffsets_;  // binary: the byte offset of each tag of buffer_
    size_t binarySize_ = 0;
    std::vector<Section> sections_;
    std::vector<std::unique_ptr<std::string>> made_;  // values recovery wrote itself
    uint64_t nextHandle_ = 1;
    std::vector<std::string> repairs_;
    size_t repairCount_ = 0;
    size_t dropped_ = 0;
    size_t leftOut_ = 0;
};
