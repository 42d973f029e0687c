#pragma once
// A DXF file split into its structure, without interpreting any object.
//
// The whole file is one buffer. Reading splits it into sections; sections
// into records (everything from one group 0 to the next: an entity, an
// object, a table entry, a class, a block's BLOCK or ENDBLK); the header into
// variables. Each of those knows its byte range in the buffer, so a layer on
// top can parse what it models and, for anything unchanged, write the
// original bytes back: saves are then exact and cost a memcpy.
//
// The pieces tile the file: the bytes before the first section, each
// section's head, its body (header variables, or the bytes before its first
// record and then its records), its tail, the gaps between sections, and
// the end-of-file marker with whatever follows it, in order, are the file.
#include "DxfCodePage.h"
#include "DxfFileMapping.h"
#include "DxfTagIndex.h"
#include "DxfTokenizer.h"
#include "DxfVersion.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One group-0 record.
struct DxfRecord {
    std::string_view type;  // value of group 0: "LINE", "DIMSTYLE", "TABLE", "ENDBLK"...
    std::string_view name;  // first group 2 value (the name of a table, table entry or block); may be empty
    uint64_t handle = 0;    // group 5, or 105 for DIMSTYLE entries; 0 when the record has none
    uint64_t owner = 0;     // first group 330 outside a 102 group (the owner); 0 when none
    size_t byteBegin = 0;   // offset of the record's group-0 line
    size_t byteEnd = 0;     // offset just past its last value line
    uint32_t firstLine = 0; // line number of the group-0 line
    uint32_t tagCount = 0;  // number of tags, the group-0 tag included
};

// A record's handle (group 5, 105 in a DIMSTYLE) or owner (330) whose value
// is no handle: the record and the line of the tag's group code.
struct DxfUnreadHandle {
    size_t record = 0;
    uint32_t line = 0;
};

// "9 $NAME" and the value tags after it.
struct DxfHeaderVariable {
    std::string_view name;  // "$ACADVER"
    size_t byteBegin = 0;   // offset of the group 9 line
    size_t valueBegin = 0;  // offset of the first value tag
    size_t byteEnd = 0;
    uint32_t firstLine = 0; // line of the group 9 line
};

// A table of the TABLES section; numbers are indices into records().
struct DxfTable {
    std::string_view name;  // "DIMSTYLE"
    size_t head = 0;        // the TABLE record
    size_t endTab = 0;      // the ENDTAB record; entries are (head, endTab)
};

// A block definition of the BLOCKS section; indices into records().
struct DxfBlock {
    std::string_view name;
    size_t begin = 0;       // the BLOCK record
    size_t end = 0;         // the ENDBLK record; entities are (begin, end)
};

struct DxfSection {
    std::string_view name;     // "HEADER", "ENTITIES", or any name a file uses
    size_t byteBegin = 0;      // offset of the "0 SECTION" line
    size_t bodyBegin = 0;      // just past the "2 NAME" tag
    size_t bodyEnd = 0;        // offset of the "0 ENDSEC" line
    size_t byteEnd = 0;        // just past the ENDSEC value line
    uint32_t firstLine = 0;
    uint32_t bodyLine = 0;     // line number at bodyBegin
    size_t firstRecord = 0;    // records [firstRecord, endRecord) are this section's
    size_t endRecord = 0;
};

enum class DxfLineEnding { Lf, CrLf };

// Text files from this size on are mapped rather than read into memory
// (see DxfDocument::load).
inline constexpr std::size_t kDxfMapFromBytes = 4u << 20;

class DxfDocument {
public:
    // Reads a file (ASCII or binary DXF). Throws DxfError.
    static DxfDocument load(const std::filesystem::path& path);
    // Reads DXF held in memory; the bytes are copied into the document.
    static DxfDocument parse(std::string_view bytes);

    DxfDocument(DxfDocument&&) noexcept = default;
    DxfDocument& operator=(DxfDocument&&) noexcept = default;
    DxfDocument(const DxfDocument&) = delete;
    DxfDocument& operator=(const DxfDocument&) = delete;

    // The text the ranges refer to. For a binary file this is its ASCII form.
    std::string_view bytes() const { return {data_, size_}; }
    std::string_view slice(size_t begin, size_t end) const { return bytes().substr(begin, end - begin); }

    const std::vector<DxfSection>& sections() const { return sections_; }
    const std::vector<DxfRecord>& records() const { return records_; }
    const std::vector<DxfHeaderVariable>& headerVariables() const { return variables_; }
    const std::vector<DxfTable>& tables() const { return tables_; }
    const std::vector<DxfBlock>& blocks() const { return blocks_; }

    // First section / header variable / table of that name, or null.
    const DxfSection* section(std::string_view name) const;
    const DxfHeaderVariable* headerVariable(std::string_view name) const;
    const DxfTable* table(std::string_view name) const;

    DxfTagRange tags(const DxfRecord& record) const;
    DxfTagRange tags(const DxfHeaderVariable& variable) const; // the value tags only
    std::string_view verbatim(const DxfRecord& record) const { return slice(record.byteBegin, record.byteEnd); }
    std::string_view verbatim(const DxfHeaderVariable& v) const { return slice(v.byteBegin, v.byteEnd); }

    // For a layer that keeps a lighter index of its own: gives the records
    // away (records() is empty afterwards; tables and blocks keep their
    // indices). A big drawing's record list is half the size of its file.
    std::vector<DxfRecord> takeRecords() { return std::move(records_); }
    // The tags of the records as splitting found them (see DxfTagIndex.h),
    // for a reader of their content; given away, as it is worth keeping only
    // while the records are read. Null when already taken.
    std::unique_ptr<DxfTagIndex> takeTagIndex() { return std::move(tagIndex_); }

    // Offset of the "0 EOF" line; from there to the end of bytes() is the
    // file's tail (the marker and anything after it).
    size_t eofBegin() const { return eofBegin_; }

    DxfVersion version() const { return version_; }
    // The encoding of the file's text values, from the version and $DWGCODEPAGE.
    DxfCodePage codePage() const { return codePage_; }
    // A value as UTF-8.
    std::string text(const DxfTag& tag) const { return dxfDecodeText(tag.value, codePage_); }

    DxfLineEnding lineEnding() const { return lineEnding_; }
    bool wasBinary() const { return wasBinary_; }
    // Things that were read with an assumption: a missing version, an
    // unknown code page. Not errors; a caller may show them.
    const std::vector<std::string>& warnings() const { return warnings_; }
    // A document loaded from a file maps it rather than copying it (see
    // DxfFileMapping.h), other than a binary file, whose text is made anew.
    bool mapped() const { return mapping_ != nullptr; }
    // Whether a second thread split part of the text (big files, a core free).
    bool splitOnTwoThreads() const { return splitOnTwoThreads_; }
    // Where the text is mapped from its file, for a save to copy unchanged
    // ranges from file to file (see dxfSaveAtomically); none otherwise.
    DxfCopySource copySource() const { return mapping_ ? mapping_->copySource() : DxfCopySource{}; }
    // Gives the text of [begin, end) back to the file cache where it is
    // mapped: a reader done with part of the file calls this so that the
    // text and what is made of it do not add up. Looking at the part again
    // pages it in again. Nothing happens to text held in memory.
    void releaseText(size_t begin, size_t end) const;
    // Throws DxfError when the mapped file was changed on disk since it was
    // opened, so that nothing copied from the text mixes two files. Writers
    // of a file made with text of this one call it before writing and again
    // before the file they wrote takes the target's place.
    void checkTextUnchanged() const;

    // Whether reading repaired something (a record without a proper
    // handle), which a save then writes anew.
    bool repaired() const { return !unreadHandles_.empty(); }
    // The handles and owners that are no handle, in file order: the records
    // were read without them (see warnings()), so a save must write what the
    // drawing gave those records instead of copying the value back.
    const std::vector<DxfUnreadHandle>& unreadHandles() const { return unreadHandles_; }

private:
    DxfDocument() = default;
    static DxfDocument fromBuffer(std::unique_ptr<char[]> buffer, size_t size, bool wasBinary);
    static DxfDocument fromMapping(std::unique_ptr<DxfFileMapping> mapping);
    void readText();
    void split(size_t start);
    void detectEncoding();
    friend class DxfStructureReader;

    // The text is one of these; neither moves when the document moves, so
    // views into it stay valid.
    std::unique_ptr<char[]> buffer_;
    std::unique_ptr<DxfFileMapping> mapping_;
    const char* data_ = nullptr;
    size_t size_ = 0;
    std::vector<DxfSection> sections_;
    std::vector<DxfRecord> records_;
    std::vector<DxfHeaderVariable> variables_;
    std::vector<DxfTable> tables_;
    std::vector<DxfBlock> blocks_;
    std::unique_ptr<DxfTagIndex> tagIndex_;
    size_t eofBegin_ = 0;
    DxfVersion version_ = DxfVersion::R12;
    DxfCodePage codePage_ = DxfCodePage::Ansi1252;
    DxfLineEnding lineEnding_ = DxfLineEnding::Lf;
    bool wasBinary_ = false;
    bool splitOnTwoThreads_ = false;
    std::vector<std::string> warnings_;
    std::vector<DxfUnreadHandle> unreadHandles_;
};
