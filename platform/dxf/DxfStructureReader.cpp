// Splits the text of a DXF file into sections, records, header variables,
// tables and blocks (see DxfDocument.h). One pass over the tags; only the few
// values the structure needs (group 0 types, handles, owners, names) are
// looked at, everything else is skipped without being parsed.
#include "DxfDocument.h"
#include "DxfError.h"

namespace {

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
        current_ = kNone;
        openTable_ = kNone;
        openBlock_ = kNone;
        size_t variable = kNone;

        for (;;) {
            at = tokenizer_.offset();
            if (!tokenizer_.next(tag))
                throw DxfError(tokenizer_.line(),
                               "unexpected end of file inside section " + std::string(section.name));
            if (tag.code == 0) {
                std::string_view type = dxfTrim(tag.value);
                if (type == "ENDSEC") {
                    closeRecord(at);
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
                closeRecord(at);
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
            if (current_ != kNone) {
                index_->add(at, tag, text_.data());
                absorb(tag);
            }
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
        current_ = doc_.records_.size();
        DxfRecord& record = doc_.records_.emplace_back();
        record.type = type;
        record.byteBegin = at;
        record.firstLine = tag.line;
        record.tagCount = 1;
        index_->beginRecord(at, tag, text_);
        isDimStyle_ = type == "DIMSTYLE";
        inGroup102_ = false;
        inXdata_ = false;
        ownerSeen_ = false;
        nameSeen_ = false;
        handleSeen_ = false;

        if (kind_ == SectionKind::Tables) {
            if (type == "TABLE") {
                if (openTable_ != kNone)
                    throw DxfError(tag.line, "table " + tableName() + " never closed: TABLE found before ENDTAB");
                openTable_ = current_;
            } else if (type == "ENDTAB") {
                if (openTable_ == kNone)
                    throw DxfError(tag.line, "ENDTAB without TABLE");
                doc_.tables_.push_back({doc_.records_[openTable_].name, openTable_, current_});
                openTable_ = kNone;
            } else if (openTable_ == kNone) {
                throw DxfError(tag.line, "'TABLE' expected in section TABLES, found " + quoted(type));
            }
        } else if (kind_ == SectionKind::Blocks) {
            if (type == "BLOCK") {
                if (openBlock_ != kNone)
                    throw DxfError(tag.line, "block " + blockName() + " never closed: BLOCK found before ENDBLK");
                openBlock_ = current_;
            } else if (type == "ENDBLK") {
                if (openBlock_ == kNone)
                    throw DxfError(tag.line, "ENDBLK without BLOCK");
                doc_.blocks_.push_back({doc_.records_[openBlock_].name, openBlock_, current_});
                openBlock_ = kNone;
            } else if (openBlock_ == kNone) {
                throw DxfError(tag.line, "'BLOCK' expected in section BLOCKS, found " + quoted(type));
            }
        }
    }

    // Picks the structural values out of a record's tags. Handles and owners
    // inside 102 groups (reactors, extension dictionaries) and in xdata
    // belong to other objects and are not the record's own.
    void absorb(const DxfTag& tag)
    {
        DxfRecord& record = doc_.records_[current_];
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
            // In a DIMSTYLE entry group 5 is the old arrow block name.
            if (!isDimStyle_ && !handleSeen_) {
                record.handle = handleOrNone(tag, record, "handle", "it gets a new handle");
                handleSeen_ = true;
            }
            break;
        case 105:
            if (isDimStyle_ && !handleSeen_) {
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
        if (dxfParseHandle(tag.trimmed(), handle))
            return handle;
        doc_.unreadHandles_.push_back({current_, tag.line});
        doc_.warnings_.push_back("line " + std::to_string(tag.valueLine()) + ": the " + std::string(record.type) +
                                 " has " + quoted(tag.value) + " where its " + what + " belongs; " + done);
        return 0;
    }

    void closeRecord(size_t at)
    {
        if (current_ != kNone) {
            doc_.records_[current_].byteEnd = at;
            index_->endRecord(at);
        }
    }

    void checkNothingOpen(uint32_t line, const char* found)
    {
        if (openTable_ != kNone)
            throw DxfError(line, "table " + tableName() + " never closed: " + found + " found before ENDTAB");
        if (openBlock_ != kNone)
            throw DxfError(line, "block " + blockName() + " never closed: " + found + " found before ENDBLK");
    }

    static constexpr size_t kReleaseStep = size_t(1) << 20;
    size_t released_ = 0;  // bytes of text given back from the start
    std::string tableName() const { return quoted(doc_.records_[openTable_].name); }
    std::string blockName() const { return quoted(doc_.records_[openBlock_].name); }

    static constexpr size_t kNone = static_cast<size_t>(-1);

    DxfDocument& doc_;
    std::string_view text_;
    DxfTokenizer tokenizer_;
    DxfTagIndex* index_ = nullptr;
    SectionKind kind_ = SectionKind::Other;
    size_t current_ = kNone;
    size_t openTable_ = kNone;
    size_t openBlock_ = kNone;
    bool isDimStyle_ = false;
    bool inGroup102_ = false;
    bool inXdata_ = false;
    bool ownerSeen_ = false;
    bool nameSeen_ = false;
    bool handleSeen_ = false;
};

void DxfDocument::split(size_t start)
{
    DxfStructureReader(*this, start).run();
}
