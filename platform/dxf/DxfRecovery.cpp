#include "DxfRecovery.h"

#include "DxfBinary.h"
#include "DxfError.h"
#include "DxfGroupCode.h"
#include "DxfRecoveryRules.h"
#include "DxfTag.h"
#include "DxfWriter.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>
#include <unordered_set>

namespace {

// The standard sections, each of which a drawing has once.
bool isStandard(std::string_view name)
{
    for (const char* s : {"HEADER", "CLASSES", "TABLES", "BLOCKS", "ENTITIES", "OBJECTS"})
        if (name == s)
            return true;
    return false;
}

bool isTableType(std::string_view type)
{
    for (const char* t : {"VPORT", "LTYPE", "LAYER", "STYLE", "VIEW", "UCS", "APPID", "DIMSTYLE", "BLOCK_RECORD"})
        if (type == t)
            return true;
    return false;
}

std::string hex(uint64_t value)
{
    char buffer[24];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    (void)ec;
    std::string out(buffer, end);
    for (char& c : out)
        if (c >= 'a' && c <= 'f')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Where the tags of a binary file start: after its first line, also when a
// copy through a text tool changed that line's end ("\r\n" to "\n") or lost
// a byte of it. npos for a text file.
size_t binaryStart(std::string_view bytes)
{
    if (dxfIsBinary(bytes))
        return kDxfBinarySentinel.size();
    const std::string_view head = bytes.substr(0, 32);
    const size_t end = head.find(std::string_view("\x1a\0", 2));
    if (end == std::string_view::npos || end < 16 || end > 26)
        return std::string_view::npos;
    const std::string_view line = head.substr(0, end);
    if (line.find("Binary") == std::string_view::npos && line.find("AutoCAD") == std::string_view::npos)
        return std::string_view::npos;
    return end + 2;
}

// The first 2 of a record: the name of a table entry or block.
template <class Record>
std::string_view nameOf(const Record& record)
{
    for (const auto& t : record)
        if (t.code == 2)
            return dxfTrim(t.value);
    return {};
}

template <class Record>
bool sameTags(const Record& a, const Record& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.code == y.code && dxfTrim(x.value) == dxfTrim(y.value);
    });
}

// Whether a record has a name at all (a text style for shapes has an empty
// one).
template <class Record>
bool hasName(const Record& record)
{
    for (const auto& t : record)
        if (t.code == 2)
            return true;
    return false;
}

} // namespace

DxfRecovery::DxfRecovery(std::string_view bytes)
{
    decode(bytes);
    if (buffer_.rfind("\xEF\xBB\xBF", 0) == 0)
        pos_ = 3;
    read();
    refuseWithoutStructure(bytes);
    checkValues();
    clearDanglingReferences();
}

void DxfRecovery::decode(std::string_view bytes)
{
    const size_t start = binaryStart(bytes);
    if (start == std::string_view::npos) {
        if (bytes.substr(0, 18) == "AutoCAD Binary DXF")
            throw DxfError(0, "byte offset 0: a binary DXF file whose first line is damaged beyond reading");
        buffer_ = std::string(bytes);
        return;
    }
    binary_ = true;
    binarySize_ = bytes.size();
    DxfBinaryPartial partial;
    buffer_ = dxfBinaryToTextPartly(bytes, start, partial);
    tagOffsets_ = std::move(partial.tagOffsets);
    // Said before any tag is read: repair() names a tag's offset, these the
    // file's own.
    if (start != kDxfBinarySentinel.size()) {
        repairs_.push_back("byte offset 0: the first line of the binary file is damaged; its tags are read from byte "
                           "offset " + std::to_string(start));
        ++repairCount_;
    }
    if (!partial.stopReason.empty()) {
        std::string why = partial.stopReason;
        if (const size_t colon = why.find(": "); why.rfind("binary DXF, ", 0) == 0 && colon != std::string::npos)
            why = why.substr(colon + 2);
        repairs_.push_back("byte offset " + std::to_string(partial.stopOffset) + ": " + why + "; the " +
                           std::to_string(bytes.size() - partial.stopOffset) +
                           " byte(s) from there on cannot be read and are left out");
        ++repairCount_;
        ++leftOut_;
    }
}

void DxfRecovery::refuseWithoutStructure(std::string_view bytes) const
{
    if (!sections_.empty())
        return;
    if (bytes.empty())
        throw DxfError(0, "the file is empty: there is nothing to recover");
    const bool utf16 = bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0 ||
                       (bytes.size() > 1 && (bytes[0] == '\0' || bytes[1] == '\0'));
    if (utf16)
        throw DxfError(0, "the file is UTF-16 text (or holds NUL bytes), which no DXF reader takes: save it as "
                          "8-bit text, then open it");
    throw DxfError(0, "the file holds no DXF structure (no section): it is no drawing, and recovery would make an "
                      "empty one of it");
}

std::string DxfRecovery::where(uint32_t originalLine) const
{
    if (!binary_)
        return "line " + std::to_string(originalLine);
    const size_t tag = originalLine ? (originalLine - 1) / 2 : 0;
    return "byte offset " + std::to_string(tag < tagOffsets_.size() ? tagOffsets_[tag] : binarySize_);
}

void DxfRecovery::repair(uint32_t line, const std::string& text, size_t count)
{
    repairs_.push_back(where(line) + ": " + text);
    repairCount_ += count;
}

void DxfRecovery::drop(const Record& record, const std::string& why)
{
    ++dropped_;
    ++leftOut_;
    repair(record.front().line, std::string(dxfTrim(record.front().value)) + " dropped: " + why);
}

std::string_view DxfRecovery::made(std::string text)
{
    made_.push_back(std::make_unique<std::string>(std::move(text)));
    return *made_.back();
}

std::string_view DxfRecovery::newHandle()
{
    return made(hex(nextHandle_++));
}

bool DxfRecovery::lineAt(size_t& pos, std::string_view& line) const
{
    if (pos >= buffer_.size())
        return false;
    size_t lf = buffer_.find('\n', pos);
    if (lf == std::string::npos)
        lf = buffer_.size();
    line = std::string_view(buffer_).substr(pos, lf - pos);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    pos = lf + 1;
    return true;
}

// How many tags in a row, from `pos` on, read as sound tags: a group code
// and a value that fits it. Tells which of two ways past a damaged line
// keeps the tags in step.
int DxfRecovery::tagsThatFit(size_t pos) const
{
    constexpr int kWindow = 8;
    int fit = 0;
    std::string_view codeLine, value;
    while (fit < kWindow && lineAt(pos, codeLine) && lineAt(pos, value)) {
        int code = 0;
        if (!dxfRecoveryGroupCode(codeLine, code) || !dxfRecoveryValueFits(code, value))
            break;
        ++fit;
    }
    return fit;
}

// A tag: a line holding a group code and the line after it. A line that
// holds no group code is skipped (said, and counted), and the tags go on in
// whichever step keeps more of the following tags sound: the next line (a
// line break too many, or one lost) or the one after (a damaged code whose
// value follows).
bool DxfRecovery::nextTag(Tag& tag)
{
    if (havePending_) {
        havePending_ = false;
        tag = pending_;
        return true;
    }
    std::string_view codeLine;
    uint32_t skipped = 0, firstSkipped = 0;
    auto saySkipped = [&] {
        if (skipped)
            repair(firstSkipped, std::to_string(skipped) + " line(s) holding no group code skipped", skipped);
        leftOut_ += skipped;
    };
    for (;;) {
        if (!lineAt(pos_, codeLine)) {
            saySkipped();
            return false;
        }
        ++line_;
        int code = 0;
        if (dxfRecoveryGroupCode(codeLine, code)) {
            saySkipped();
            tag.code = code;
            tag.line = line_ - 1;
            std::string_view value;
            if (!lineAt(pos_, value)) {
                repair(tag.line, "the file ends after a group code without its value");
                ++leftOut_;
                return false;
            }
            ++line_;
            tag.value = value;
            readDecimalComma(tag);
            if ((code == 5 || code == 105) && !dxfTrim(value).empty()) {
                uint64_t h = 0;
                if (dxfParseHandle(dxfTrim(value), h))
                    nextHandle_ = std::max(nextHandle_, h + 1);
            }
            return true;
        }
        if (!skipped++)
            firstSkipped = line_ - 1;
        // The line after a damaged code is its value when the tags after it
        // fit better that way.
        size_t afterValue = pos_;
        std::string_view value;
        if (lineAt(afterValue, value) && tagsThatFit(afterValue) > tagsThatFit(pos_)) {
            pos_ = afterValue;
            ++line_;
            ++skipped;
        }
    }
}

void DxfRecovery::read()
{
    Tag tag;
    uint32_t strays = 0, firstStray = 0;
    auto flushStrays = [&] {
        if (strays)
            repair(firstStray, std::to_string(strays) + " tag(s) outside any section skipped", strays);
        leftOut_ += strays;
        strays = 0;
    };
    while (nextTag(tag)) {
        const std::string_view v = dxfTrim(tag.value);
        if (tag.code == 0 && v == "EOF")
            break;
        if (tag.code == 0 && v == "SECTION") {
            flushStrays();
            readSection(tag);
            continue;
        }
        if (!strays++)
            firstStray = tag.line;
    }
    flushStrays();
}

DxfRecovery::Section& DxfRecovery::sectionNamed(const std::string& name, uint32_t line, bool& again)
{
    again = false;
    if (isStandard(name))
        for (Section& s : sections_)
            if (s.name == name) {
                repair(line, "a second " + name + " section; its content joins the first");
                again = true;
                return s;
            }
    sections_.push_back({name, {}, {}});
    return sections_.back();
}

void DxfRecovery::readSection(const Tag& start)
{
    Tag tag;
    if (!nextTag(tag)) {
        repair(start.line, "the file ends after SECTION");
        return;
    }
    std::string name;
    if (tag.code == 2) {
        name = std::string(dxfTrim(tag.value));
    } else {
        repair(start.line, "a section without a name; its content is dropped");
        pushBack(tag);
    }
    const bool header = name == "HEADER";
    std::vector<Tag> variables;
    std::vector<Record> records;
    uint32_t loose = 0, firstLoose = 0;
    for (;;) {
        if (!nextTag(tag)) {
            repair(line_, "section " + name + " never closed: the file ends inside it");
            // What the file ends in was cut short: only the structure's own
            // records (a table head, a block) are kept as they are.
            if (!records.empty() && !dxfRecoveryIsStructural(dxfTrim(records.back().front().value))) {
                drop(records.back(), "the file ends inside it");
                records.pop_back();
            }
            break;
        }
        const std::string_view v = dxfTrim(tag.value);
        if (tag.code == 0 && v == "ENDSEC")
            break;
        if (tag.code == 0 && (v == "SECTION" || v == "EOF")) {
            repair(tag.line, "section " + name + " never closed: " + std::string(v) + " found before ENDSEC");
            pushBack(tag);
            break;
        }
        if (header && tag.code != 0) {
            if (tag.code == 9 || !variables.empty())
                variables.push_back(tag);
            else if (!loose++)
                firstLoose = tag.line;
            continue;
        }
        if (tag.code == 0) {
            records.push_back({tag});
            continue;
        }
        if (records.empty()) {
            if (!loose++)
                firstLoose = tag.line;
            continue;
        }
        records.back().push_back(tag);
    }
    if (loose)
        repair(firstLoose,
               std::to_string(loose) + " tag(s) before the first " +
                   (header ? std::string("variable") : std::string("record")) + " of section " + name + " skipped",
               loose);
    leftOut_ += loose;
    records = wholeRecords(std::move(records));
    if (name.empty()) {
        for (const Record& r : records)
            drop(r, "it stands in a section without a name");
        return;
    }
    bool again = false;
    Section& section = sectionNamed(name, start.line, again);
    if (header) {
        for (const Record& r : records)
            drop(r, "records have no place in the HEADER section");
        mergeVariables(section, std::move(variables), again);
    } else if (name == "TABLES") {
        placeTables(section, std::move(records));
    } else if (name == "BLOCKS") {
        placeBlocks(section, std::move(records));
    } else {
        mergeRecords(section, std::move(records), again);
    }
}

// Records as they were written: a group 0 value that is no record type
// (a damaged one) takes its record with it; a record with a second handle
// lost the line that started the next one, whose tags are left out with
// the handle.
std::vector<DxfRecovery::Record> DxfRecovery::wholeRecords(std::vector<Record> records)
{
    std::vector<Record> out;
    out.reserve(records.size());
    for (Record& r : records) {
        const std::string_view type = dxfTrim(r.front().value);
        if (!dxfRecoveryRecordType(type)) {
            ++dropped_;
            ++leftOut_;
            repair(r.front().line, "a record of type " + dxfQuote(type) + " dropped: it is no record type");
            continue;
        }
        // A SORTENTSTABLE pairs entities (331) with sort handles (5).
        const int own = type == "DIMSTYLE" ? 105 : type == "SORTENTSTABLE" ? -1 : 5;
        bool handle = false, xdata = false;
        // Extended data holds no group 5 either: one there is a record's.
        for (size_t t = 1; t < r.size(); ++t) {
            xdata = xdata || r[t].code == 1001;
            if (r[t].code != own)
                continue;
            if (handle || xdata) {
                repair(r[t].line, std::to_string(r.size() - t) + " tag(s) from a second handle of the " +
                                      std::string(type) + " on left out: the start of the record they belong to is lost",
                       r.size() - t);
                leftOut_ += r.size() - t;
                r.erase(r.begin() + static_cast<std::ptrdiff_t>(t), r.end());
                break;
            }
            handle = true;
        }
        out.push_back(std::move(r));
    }
    return out;
}

// A second HEADER section: the variables the first one has already set
// stay as the first one says.
void DxfRecovery::mergeVariables(Section& section, std::vector<Tag> variables, bool again)
{
    std::unordered_set<std::string_view> known;
    if (again)
        for (const Tag& t : section.variables)
            if (t.code == 9)
                known.insert(dxfTrim(t.value));
    bool keep = true;
    for (const Tag& t : variables) {
        if (t.code == 9) {
            keep = !known.count(dxfTrim(t.value));
            if (!keep) {
                repair(t.line, std::string(dxfTrim(t.value)) + " given again: the first value is kept");
                ++leftOut_;
            }
        }
        if (keep)
            section.variables.push_back(t);
    }
}

// A second section of the same name: a record with a handle that is the
// same, tag for tag, as one the earlier sections hold is that one given
// again, and is left out. Records without a handle may well be drawn twice
// on purpose (two lines one on the other).
void DxfRecovery::mergeRecords(Section& section, std::vector<Record> records, bool again)
{
    auto key = [](const Record& r) {
        std::string k;
        bool handle = false;
        for (const Tag& t : r) {
            handle = handle || ((t.code == 5 || t.code == 105) && !dxfTrim(t.value).empty());
            k.append(std::to_string(t.code)).append(1, '\n').append(dxfTrim(t.value)).append(1, '\n');
        }
        return handle ? k : std::string();
    };
    std::unordered_map<std::string, uint32_t> known;
    if (again)
        for (const Record& r : section.records)
            if (std::string k = key(r); !k.empty())
                known.emplace(std::move(k), r.front().line);
    for (Record& r : records) {
        if (auto it = again ? known.find(key(r)) : known.end(); it != known.end()) {
            // Nothing of the file is lost with a copy.
            repair(r.front().line,
                   std::string(dxfTrim(r.front().value)) + " left out: a copy of the one at " + where(it->second));
            ++dropped_;
            continue;
        }
        section.records.push_back(std::move(r));
    }
}

void DxfRecovery::placeTables(Section& section, std::vector<Record> records)
{
    // The tables already placed (of an earlier TABLES section), then these.
    struct Table {
        std::string name;
        Record head;
        std::vector<Record> entries;
        Record end;
        std::unordered_map<std::string, size_t> names;  // folded entry names, and their entries
    };
    std::vector<Table> tables;
    // An entry whose name the table already has is that entry given again
    // (a TABLES section given twice): the first one is kept. Viewports are
    // the exception: one name holds every viewport of a tiled arrangement.
    auto add = [&](Table& table, Record&& entry) {
        const std::string name = dxfRecoveryFolded(nameOf(entry));
        if (!hasName(entry)) {
            drop(entry, "a table entry without a name (group 2)");
            return;
        }
        if (!name.empty() && table.name != "VPORT") {
            auto [it, added] = table.names.emplace(name, table.entries.size());
            if (!added) {
                const Record& kept = table.entries[it->second];
                drop(entry, table.name + " '" + std::string(nameOf(entry)) + "' is given again; the one at " +
                                where(kept.front().line) + " is kept");
                // A copy, tag for tag, takes nothing with it.
                if (sameTags(kept, entry))
                    --leftOut_;
                return;
            }
        }
        table.entries.push_back(std::move(entry));
    };
    for (size_t i = 0; i < section.records.size(); ++i) {
        Record& r = section.records[i];
        const std::string_view type = dxfTrim(r.front().value);
        if (type == "TABLE") {
            tables.push_back({});
            tables.back().head = r;
            tables.back().name = std::string(nameOf(r));
        } else if (type == "ENDTAB") {
            tables.back().end = r;
        } else {
            add(tables.back(), std::move(r));
        }
    }
    constexpr size_t kNone = static_cast<size_t>(-1);
    auto find = [&](std::string_view name) {
        for (size_t i = 0; i < tables.size(); ++i)
            if (tables[i].name == name)
                return i;
        return kNone;
    };
    size_t open = kNone;
    for (Record& r : records) {
        const std::string_view type = dxfTrim(r.front().value);
        if (type == "TABLE") {
            std::string name(nameOf(r));
            if (open != kNone)
                repair(r.front().line, "table " + tables[open].name + " never closed: TABLE found before ENDTAB");
            if (size_t same = find(name); same != kNone) {
                repair(r.front().line, "a second " + name + " table; its entries join the first");
                open = same;
                continue;
            }
            tables.push_back({name, std::move(r), {}, {}, {}});
            open = tables.size() - 1;
            continue;
        }
        if (type == "ENDTAB") {
            if (open == kNone)
                repair(r.front().line, "ENDTAB without TABLE skipped");
            else if (tables[open].end.empty())
                tables[open].end = std::move(r);
            open = kNone;
            continue;
        }
        if (open != kNone && tables[open].name == type) {
            add(tables[open], std::move(r));
            continue;
        }
        // A type no table has (a damaged one) makes no table of its own.
        if (!isTableType(type)) {
            drop(r, "no table holds records of this type");
            continue;
        }
        // An entry outside its table: into the table of its type.
        size_t home = find(type);
        if (home == kNone) {
            Record head{{0, made("TABLE"), 0}, {2, made(std::string(type)), 0}, {5, newHandle(), 0},
                        {330, made("0"), 0}, {100, made("AcDbSymbolTable"), 0}, {70, made("0"), 0}};
            tables.push_back({std::string(type), std::move(head), {}, {}, {}});
            home = tables.size() - 1;
            repair(r.front().line, std::string(type) + " outside its table: put into a new " + std::string(type) +
                                       " table");
        } else {
            repair(r.front().line, std::string(type) + " outside its table: moved into table " + tables[home].name);
        }
        add(tables[home], std::move(r));
        // Outside any table: the entries after it (and an ENDTAB) are
        // taken to belong with it, their head lost.
        if (open == kNone)
            open = home;
    }
    section.records.clear();
    for (Table& t : tables) {
        if (t.end.empty()) {
            if (!t.head.empty() && t.head.front().line)
                repair(t.head.front().line, "table " + t.name + " never closed: ENDTAB added");
            t.end = {{0, made("ENDTAB"), 0}};
        }
        section.records.push_back(std::move(t.head));
        for (Record& e : t.entries)
            section.records.push_back(std::move(e));
        section.records.push_back(std::move(t.end));
    }
}

void DxfRecovery::placeBlocks(Section& section, std::vector<Record> records)
{
    bool open = false;
    size_t openBlock = 0;
    // Blocks by folded name: a block given again (a BLOCKS section given
    // twice) is left out with its entities, the first one kept.
    std::unordered_map<std::string, uint32_t> names;
    for (const Record& r : section.records)
        if (dxfTrim(r.front().value) == "BLOCK")
            names.emplace(dxfRecoveryFolded(nameOf(r)), r.front().line);
    size_t skipping = 0;  // the entities of a block given again
    const Record* skipped = nullptr;
    auto endSkipping = [&] {
        if (skipped && skipping)
            repair(skipped->front().line, std::to_string(skipping) + " record(s) of that block left out with it",
                   skipping);
        dropped_ += skipping;
        leftOut_ += skipping;
        skipped = nullptr;
        skipping = 0;
    };
    auto close = [&](uint32_t line) {
        const Record& begin = section.records[openBlock];
        repair(line ? line : begin.front().line, "block never closed: ENDBLK added");
        bool markers = false;
        std::string_view owner;
        for (const Tag& t : begin) {
            markers = markers || t.code == 100;
            if (t.code == 330 && owner.empty())
                owner = t.value;
        }
        Record end{{0, made("ENDBLK"), 0}};
        if (markers) {
            end.push_back({5, newHandle(), 0});
            if (!owner.empty())
                end.push_back({330, owner, 0});
            end.push_back({100, made("AcDbEntity"), 0});
        }
        end.push_back({8, made("0"), 0});
        if (markers)
            end.push_back({100, made("AcDbBlockEnd"), 0});
        section.records.push_back(std::move(end));
        open = false;
    };
    for (Record& r : records) {
        const std::string_view type = dxfTrim(r.front().value);
        if (type == "BLOCK") {
            if (open)
                close(r.front().line);
            endSkipping();
            const std::string name = dxfRecoveryFolded(nameOf(r));
            if (auto [it, added] = names.emplace(name, r.front().line); !name.empty() && !added) {
                drop(r, "block '" + std::string(nameOf(r)) + "' is given again; the one at " + where(it->second) +
                            " is kept");
                skipped = &r;
                continue;
            }
            open = true;
            openBlock = section.records.size();
            section.records.push_back(std::move(r));
        } else if (skipped) {
            if (type == "ENDBLK")
                endSkipping();
            else
                ++skipping;
        } else if (type == "ENDBLK") {
            if (!open) {
                repair(r.front().line, "ENDBLK without BLOCK skipped");
                continue;
            }
            section.records.push_back(std::move(r));
            open = false;
        } else if (open) {
            section.records.push_back(std::move(r));
        } else {
            drop(r, "it stands outside any block");
        }
    }
    endSkipping();
    if (open)
        close(0);
}

std::string DxfRecovery::text() const
{
    DxfWriter w;
    auto put = [&](const Tag& t) { w.text(t.code, t.value); };
    for (const Section& s : sections_) {
        w.text(0, "SECTION");
        w.text(2, s.name);
        for (const Tag& t : s.variables)
            put(t);
        for (const Record& r : s.records)
            for (const Tag& t : r)
                put(t);
        w.text(0, "ENDSEC");
    }
    w.text(0, "EOF");
    return w.release();
}

uint32_t DxfRecovery::originalLine(uint32_t line) const
{
    // Every tag is two lines; recovery's own tags (SECTION, names, ENDSEC)
    // have no original line.
    const uint32_t wanted = (line - 1) / 2;
    uint32_t tag = 0;
    for (const Section& s : sections_) {
        tag += 2;
        for (const Tag& t : s.variables)
            if (tag++ == wanted)
                return t.line;
        for (const Record& r : s.records)
            for (const Tag& t : r)
                if (tag++ == wanted)
                    return t.line;
        ++tag;
    }
    return 0;
}
