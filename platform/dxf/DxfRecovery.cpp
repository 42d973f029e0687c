#include "DxfRecovery.h"

#include "DxfBinary.h"
#include "DxfError.h"
#include "DxfGroupCode.h"
#include "DxfTag.h"
#include "DxfWriter.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <charconv>

namespace {

bool isStructural(std::string_view type)
{
    return type == "TABLE" || type == "ENDTAB" || type == "BLOCK" || type == "ENDBLK";
}

// The standard sections, each of which a drawing has once.
bool isStandard(std::string_view name)
{
    for (const char* s : {"HEADER", "CLASSES", "TABLES", "BLOCKS", "ENTITIES", "OBJECTS"})
        if (name == s)
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

} // namespace

DxfRecovery::DxfRecovery(std::string_view bytes)
    : buffer_(dxfIsBinary(bytes) ? dxfBinaryToText(bytes) : std::string(bytes))
{
    if (buffer_.rfind("\xEF\xBB\xBF", 0) == 0)
        pos_ = 3;
    read();
}

void DxfRecovery::repair(uint32_t line, const std::string& text)
{
    repairs_.push_back("line " + std::to_string(line) + ": " + text);
}

void DxfRecovery::drop(const Record& record, const std::string& why)
{
    ++dropped_;
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

// A tag: a line holding a group code and the line after it. A line that
// holds no group code is skipped (said), and the next one tried instead.
bool DxfRecovery::nextTag(Tag& tag)
{
    if (havePending_) {
        havePending_ = false;
        tag = pending_;
        return true;
    }
    auto nextLine = [&](std::string_view& line) {
        if (pos_ >= buffer_.size())
            return false;
        size_t lf = buffer_.find('\n', pos_);
        if (lf == std::string::npos)
            lf = buffer_.size();
        line = std::string_view(buffer_).substr(pos_, lf - pos_);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        pos_ = lf + 1;
        ++line_;
        return true;
    };
    std::string_view codeLine;
    uint32_t skipped = 0, firstSkipped = 0;
    for (;;) {
        if (!nextLine(codeLine))
            return false;
        const std::string_view trimmed = dxfTrim(codeLine);
        int code = 0;
        auto [end, ec] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), code);
        if (ec == std::errc() && end == trimmed.data() + trimmed.size() && !trimmed.empty()) {
            if (skipped)
                repair(firstSkipped, std::to_string(skipped) + " line(s) holding no group code skipped");
            tag.code = code;
            tag.line = line_ - 1;
            std::string_view value;
            if (!nextLine(value)) {
                repair(tag.line, "the file ends after a group code without its value");
                return false;
            }
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
    }
}

void DxfRecovery::read()
{
    Tag tag;
    uint32_t strays = 0, firstStray = 0;
    auto flushStrays = [&] {
        if (strays)
            repair(firstStray, std::to_string(strays) + " tag(s) outside any section skipped");
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

DxfRecovery::Section& DxfRecovery::sectionNamed(const std::string& name, uint32_t line)
{
    if (isStandard(name))
        for (Section& s : sections_)
            if (s.name == name) {
                repair(line, "a second " + name + " section; its content joins the first");
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
        repair(firstLoose, std::to_string(loose) + " tag(s) before the first " +
                               (header ? std::string("variable") : std::string("record")) + " of section " + name +
                               " skipped");
    if (name.empty()) {
        for (const Record& r : records)
            drop(r, "it stands in a section without a name");
        return;
    }
    Section& section = sectionNamed(name, start.line);
    if (header) {
        for (const Record& r : records)
            drop(r, "records have no place in the HEADER section");
        section.variables.insert(section.variables.end(), variables.begin(), variables.end());
    } else if (name == "TABLES") {
        placeTables(section, std::move(records));
    } else if (name == "BLOCKS") {
        placeBlocks(section, std::move(records));
    } else {
        section.records.insert(section.records.end(), records.begin(), records.end());
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
    };
    std::vector<Table> tables;
    for (size_t i = 0; i < section.records.size(); ++i) {
        const Record& r = section.records[i];
        const std::string_view type = dxfTrim(r.front().value);
        if (type == "TABLE") {
            tables.push_back({});
            tables.back().head = r;
            for (const Tag& t : r)
                if (t.code == 2) {
                    tables.back().name = std::string(dxfTrim(t.value));
                    break;
                }
        } else if (type == "ENDTAB") {
            tables.back().end = r;
        } else {
            tables.back().entries.push_back(r);
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
            std::string name;
            for (const Tag& t : r)
                if (t.code == 2) {
                    name = std::string(dxfTrim(t.value));
                    break;
                }
            if (open != kNone)
                repair(r.front().line, "table " + tables[open].name + " never closed: TABLE found before ENDTAB");
            if (size_t same = find(name); same != kNone) {
                repair(r.front().line, "a second " + name + " table; its entries join the first");
                open = same;
                continue;
            }
            tables.push_back({name, std::move(r), {}, {}});
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
            tables[open].entries.push_back(std::move(r));
            continue;
        }
        // An entry outside its table: into the table of its type.
        size_t home = find(type);
        if (home == kNone) {
            Record head{{0, made("TABLE"), 0}, {2, made(std::string(type)), 0}, {5, newHandle(), 0},
                        {330, made("0"), 0}, {100, made("AcDbSymbolTable"), 0}, {70, made("0"), 0}};
            tables.push_back({std::string(type), std::move(head), {}, {}});
            home = tables.size() - 1;
            repair(r.front().line, std::string(type) + " outside its table: put into a new " + std::string(type) +
                                       " table");
        } else {
            repair(r.front().line, std::string(type) + " outside its table: moved into table " + tables[home].name);
        }
        tables[home].entries.push_back(std::move(r));
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
            open = true;
            openBlock = section.records.size();
            section.records.push_back(std::move(r));
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

namespace {

// Group codes of an entity's common properties, each of which has a default
// when left out: thickness, linetype scale, visibility, colour, lineweight,
// true colour, transparency.
bool hasDefault(int code)
{
    for (int c : {39, 48, 60, 62, 370, 420, 440})
        if (code == c)
            return true;
    return false;
}

// "-6,25" as "-6.25": a number whose one comma stands where its decimal
// point belongs; nothing for anything else.
std::optional<std::string> withDecimalPoint(std::string_view text)
{
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos || text.find(',', comma + 1) != std::string_view::npos ||
        text.find('.') != std::string_view::npos)
        return std::nullopt;
    std::string number(text);
    number[comma] = '.';
    const char* begin = number.data();
    double value = 0;
    const auto [end, error] = std::from_chars(begin + (number[0] == '+'), begin + number.size(), value);
    auto digit = [&](size_t i) { return i < number.size() && std::isdigit(static_cast<unsigned char>(number[i])); };
    if (error != std::errc() || end != begin + number.size() || comma == 0 || !digit(comma - 1) || !digit(comma + 1))
        return std::nullopt;
    return number;
}

} // namespace

bool DxfRecovery::readDecimalComma(Tag& tag)
{
    if (dxfValueKind(tag.code) != DxfValueKind::Double)
        return false;
    const std::optional<std::string> number = withDecimalPoint(dxfTrim(tag.value));
    if (!number)
        return false;
    // Writers that follow the machine's locale write "0,5".
    repair(tag.line, "'" + std::string(dxfTrim(tag.value)) + "' read as " + *number + " (a decimal comma)");
    tag.value = made(*number);
    return true;
}

bool DxfRecovery::dropRecordAt(uint32_t line, const std::string& why)
{
    const uint32_t wanted = (line - 1) / 2;
    uint32_t tag = 0;
    for (Section& s : sections_) {
        tag += 2;
        const uint32_t firstVariable = tag;
        tag += static_cast<uint32_t>(s.variables.size());
        if (wanted < firstVariable)
            return false;
        if (wanted < tag) {
            // A header variable whose value cannot be taken: the variable goes.
            const size_t at = wanted - firstVariable;
            size_t begin = at, end = at + 1;
            while (begin > 0 && s.variables[begin].code != 9)
                --begin;
            while (end < s.variables.size() && s.variables[end].code != 9)
                ++end;
            repair(s.variables[begin].line, std::string(dxfTrim(s.variables[begin].value)) + " dropped: " + why);
            s.variables.erase(s.variables.begin() + static_cast<std::ptrdiff_t>(begin),
                              s.variables.begin() + static_cast<std::ptrdiff_t>(end));
            return true;
        }
        for (size_t i = 0; i < s.records.size(); ++i) {
            tag += static_cast<uint32_t>(s.records[i].size());
            if (wanted >= tag)
                continue;
            if (isStructural(dxfTrim(s.records[i].front().value)))
                return false;
            Record& record = s.records[i];
            const size_t at = wanted - (tag - static_cast<uint32_t>(record.size()));
            if (at > 0 && hasDefault(record[at].code)) {
                // A property with a default (a colour, a lineweight): the tag
                // goes and the record stays, with the default.
                repair(record[at].line, "group code " + std::to_string(record[at].code) + " of " +
                                            std::string(dxfTrim(record.front().value)) + " dropped, the default is used: " +
                                            why);
                record.erase(record.begin() + static_cast<std::ptrdiff_t>(at));
                return true;
            }
            drop(s.records[i], why);
            s.records.erase(s.records.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
        ++tag;
        if (wanted < tag)
            return false;
    }
    return false;
}
