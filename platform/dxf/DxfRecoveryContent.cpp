// Recovery's judgement of what the records and header variables hold:
// values that do not fit their group codes, points without their y,
// references to no object, and the records the reader above refuses.
#include "DxfRecovery.h"

#include "DxfError.h"
#include "DxfGroupCode.h"
#include "DxfRecoveryRules.h"
#include "DxfTag.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace {

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

// "'x1' is no number"
std::string misfit(int code, std::string_view value)
{
    return dxfQuote(value) + " is no " + dxfValueKindName(dxfValueKind(code));
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

// Every value is judged here, whether or not the reader above would look at
// it: what is written is read again by other programs, which refuse what
// this reader lets through unused (a record type "0", a variable "^^NAME").
void DxfRecovery::checkValues()
{
    for (Section& s : sections_) {
        checkVariables(s);
        for (size_t i = 0; i < s.records.size();) {
            Record& r = s.records[i];
            const std::string_view type = dxfTrim(r.front().value);
            const bool structural = dxfRecoveryIsStructural(type);
            restoreFirstSubclass(s, r);
            closeGroups(r);
            std::string broken;
            for (size_t t = 1; t < r.size() && broken.empty();) {
                const Tag& tag = r[t];
                std::string why;
                if (!dxfRecoveryValueFits(tag.code, tag.value))
                    why = misfit(tag.code, tag.value);
                if (const int y = dxfRecoveryPointY(tag.code);
                    why.empty() && y && type != "XRECORD" && (t + 1 >= r.size() || r[t + 1].code != y)) {
                    // Every other reader wants a point's y.
                    repair(tag.line, "the point of group code " + std::to_string(tag.code) + " of " +
                                         std::string(type) + " has no y (" + std::to_string(y) + "): 0 is used");
                    r.insert(r.begin() + static_cast<std::ptrdiff_t>(t + 1), Tag{y, made("0.0"), 0});
                }
                if (why.empty()) {
                    ++t;
                } else if (structural || dxfRecoveryHasDefault(type, tag.code)) {
                    // A common property has its default; the structure's own
                    // records stay, whatever they lose.
                    repair(tag.line, "group code " + std::to_string(tag.code) + " of " + std::string(type) +
                                         (structural ? " dropped: " : " dropped, the default is used: ") + why);
                    ++leftOut_;
                    r.erase(r.begin() + static_cast<std::ptrdiff_t>(t));
                } else {
                    broken = "group code " + std::to_string(tag.code) + ": " + why;
                }
            }
            if (broken.empty()) {
                ++i;
                continue;
            }
            drop(r, broken);
            s.records.erase(s.records.begin() + static_cast<std::ptrdiff_t>(i));
        }
        closeSequences(s);
    }
}

// A "102 {NAME" group runs to its "102 }" (or "102 NAME}"): one that lost
// its end is closed where its handles end, a stray end goes.
void DxfRecovery::closeGroups(Record& r)
{
    const std::string_view type = dxfTrim(r.front().value);
    size_t open = 0;
    auto close = [&](size_t at) {
        repair(r[open].line, "the group " + dxfQuote(dxfTrim(r[open].value)) + " of the " + std::string(type) +
                                 " never closed: closed");
        r.insert(r.begin() + static_cast<std::ptrdiff_t>(at), Tag{102, made("}"), 0});
        open = 0;
    };
    for (size_t t = 1; t < r.size(); ++t) {
        const std::string_view value = dxfTrim(r[t].value);
        if (r[t].code == 102 && !value.empty() && value.back() == '}' && value.front() != '{') {
            if (open) {
                open = 0;
                continue;
            }
            repair(r[t].line, "a group end of the " + std::string(type) + " without its start skipped");
            ++leftOut_;
            r.erase(r.begin() + static_cast<std::ptrdiff_t>(t--));
        } else if (open && (r[t].code == 102 || r[t].code == 100 || r[t].code == 1001 ||
                            (!dxfRecoveryReference(r[t].code) && dxfTrim(r[open].value).rfind("{ACAD_", 0) == 0))) {
            close(t);  // the tag that ended it comes next, after the end put in
        } else if (r[t].code == 102 && value.rfind('{', 0) == 0) {
            open = t;
        }
    }
    if (open)
        close(r.size());
}

// A POLYLINE's vertices and an INSERT's attributes end with a SEQEND; a
// sequence cut short (by the end of the file, a block's end, damage) gets
// one, and a vertex or attribute outside any sequence goes.
void DxfRecovery::closeSequences(Section& s)
{
    for (size_t i = 0; i < s.records.size(); ++i) {
        const Record& head = s.records[i];
        const std::string_view type = dxfTrim(head.front().value);
        const bool polyline = type == "POLYLINE";
        bool attributes = false;
        if (type == "INSERT")
            for (const Tag& t : head)
                attributes = attributes || (t.code == 66 && dxfTrim(t.value) == "1");
        if (type == "VERTEX" || type == "ATTRIB" || type == "SEQEND") {
            drop(head, "it stands in no POLYLINE or INSERT sequence");
            s.records.erase(s.records.begin() + static_cast<std::ptrdiff_t>(i--));
            continue;
        }
        if (!polyline && !attributes)
            continue;
        const std::string_view member = polyline ? "VERTEX" : "ATTRIB";
        size_t end = i + 1;
        while (end < s.records.size() && dxfTrim(s.records[end].front().value) == member)
            ++end;
        if (end < s.records.size() && dxfTrim(s.records[end].front().value) == "SEQEND") {
            i = end;
            continue;
        }
        bool markers = false;
        std::string_view handle, layer = "0";
        for (const Tag& t : head) {
            markers = markers || t.code == 100;
            if (t.code == 5 && handle.empty())
                handle = t.value;
            if (t.code == 8)
                layer = t.value;
        }
        Record seqend{{0, made("SEQEND"), 0}};
        if (!handle.empty())
            seqend.push_back({5, newHandle(), 0});
        if (markers && !handle.empty())
            seqend.push_back({330, handle, 0});
        if (markers)
            seqend.push_back({100, made("AcDbEntity"), 0});
        seqend.push_back({8, layer, 0});
        repair(head.front().line, "the " + std::string(type) + "'s sequence never ended: SEQEND added");
        s.records.insert(s.records.begin() + static_cast<std::ptrdiff_t>(end), std::move(seqend));
        i = end;
    }
}

// Other readers split a record by its subclass markers and need the first
// one: a table entry in the form with markers (R13 and later) that lost
// AcDbSymbolTableRecord, an XRECORD that lost AcDbXrecord, gets it back
// after its handle, owner and groups.
void DxfRecovery::restoreFirstSubclass(const Section& s, Record& r)
{
    const std::string_view type = dxfTrim(r.front().value);
    const bool entry = s.name == "TABLES" && !dxfRecoveryIsStructural(type);
    if (!entry && type != "XRECORD")
        return;
    const std::string_view marker = entry ? "AcDbSymbolTableRecord" : "AcDbXrecord";
    size_t markers = 0, first = 0;
    for (size_t t = 0; t < r.size(); ++t) {
        if (r[t].code != 100)
            continue;
        if (dxfTrim(r[t].value) == marker)
            return;
        if (!markers++)
            first = t;
    }
    if (!markers && entry)
        return;
    // As many markers as the record has when sound: the first one is
    // damaged, and is mended in place.
    if (markers == (entry ? 2u : 1u)) {
        repair(r[first].line, "the subclass marker " + dxfQuote(dxfTrim(r[first].value)) + " of the " +
                                  std::string(type) + " read as " + std::string(marker));
        r[first].value = made(std::string(marker));
        return;
    }
    size_t at = 1;
    bool inGroup = false;
    for (; at < r.size(); ++at) {
        const int code = r[at].code;
        if (code == 102)
            inGroup = dxfTrim(r[at].value).rfind('{', 0) == 0;
        else if (!inGroup && code != 5 && code != 105 && code != 330 && code != 360)
            break;
    }
    repair(r.front().line, "the " + std::string(type) + " has lost its subclass marker " + std::string(marker) +
                               ", which is put back");
    r.insert(r.begin() + static_cast<std::ptrdiff_t>(at), Tag{100, made(std::string(marker)), 0});
}

// A header variable is kept whole or not at all: its name, and each of its
// values fitting its group code.
void DxfRecovery::checkVariables(Section& s)
{
    std::vector<Tag>& v = s.variables;
    for (size_t begin = 0; begin < v.size();) {
        size_t end = begin + 1;
        while (end < v.size() && v[end].code != 9)
            ++end;
        const std::string_view name = dxfTrim(v[begin].value);
        std::string why;
        if (!dxfRecoveryVariableName(name))
            why = "it is no variable name";
        else if (end == begin + 1)
            why = "it has no value";
        // One value: one tag, or the x, y (and z) of a point. More tags are
        // what is left of a variable whose name was lost.
        if (const int y = dxfRecoveryPointY(v[begin + 1 < end ? begin + 1 : begin].code); why.empty()) {
            size_t value = begin + 2;
            if (y && value < end && v[value].code == y)
                ++value;
            if (y && value < end && v[value].code == y + 10)
                ++value;
            if (value < end) {
                repair(v[value].line, std::to_string(end - value) + " tag(s) after the value of " + std::string(name) +
                                          " left out",
                       end - value);
                leftOut_ += end - value;
                v.erase(v.begin() + static_cast<std::ptrdiff_t>(value), v.begin() + static_cast<std::ptrdiff_t>(end));
                end = value;
            }
        }
        for (size_t t = begin + 1; t < end && why.empty(); ++t) {
            if (!dxfRecoveryValueFits(v[t].code, v[t].value))
                why = "group code " + std::to_string(v[t].code) + ": " + misfit(v[t].code, v[t].value);
            else if (const int y = dxfRecoveryPointY(v[t].code); y && (t + 1 >= end || v[t + 1].code != y)) {
                repair(v[t].line, std::string(name) + ": the point of group code " + std::to_string(v[t].code) +
                                      " has no y (" + std::to_string(y) + "): 0 is used");
                v.insert(v.begin() + static_cast<std::ptrdiff_t>(t + 1), Tag{y, made("0.0"), 0});
                ++end;
            }
        }
        if (why.empty()) {
            begin = end;
            continue;
        }
        repair(v[begin].line, dxfQuote(name) + " dropped: " + why);
        ++leftOut_;
        v.erase(v.begin() + static_cast<std::ptrdiff_t>(begin), v.begin() + static_cast<std::ptrdiff_t>(end));
    }
}

// A reference to a handle no record has would be written back as it is,
// for every reader to trip over: it is cleared, and said. A dictionary
// entry goes with its name. Extended data is the application's own.
void DxfRecovery::clearDanglingReferences()
{
    std::unordered_set<uint64_t> handles;
    // Names of table entries and blocks: where one stands for a handle in a
    // dimension style, the reader above finds the record it names. Anywhere
    // else (an owner, a table's head, a record kept as read) a reference is
    // read as a handle only, so a name there is as lost as a handle to
    // nothing.
    std::unordered_set<std::string> names;
    for (const Section& s : sections_)
        for (const Record& r : s.records) {
            const std::string_view type = dxfTrim(r.front().value);
            int own = type == "DIMSTYLE" ? 105 : 5;
            bool named = s.name == "TABLES" || type == "BLOCK";
            for (const Tag& t : r) {
                if (t.code == 1001)
                    break;
                if (t.code == own && own) {
                    uint64_t h = 0;
                    if (dxfParseHandle(dxfTrim(t.value), h))
                        handles.insert(h);
                    own = 0;
                } else if (t.code == 2 && named) {
                    names.insert(dxfRecoveryFolded(dxfTrim(t.value)));
                    named = false;
                }
            }
        }
    struct LostOwner {
        uint32_t line;
        std::string type;
        size_t records;
    };
    std::unordered_map<std::string, LostOwner> lostOwners;
    std::vector<std::string> order;
    bool again = false;
    for (Section& s : sections_)
        for (size_t i = 0; i < s.records.size(); ++i) {
            Record& r = s.records[i];
            const std::string type(dxfTrim(r.front().value));
            bool inGroup = false, ownerSeen = false, layout = false;
            for (size_t t = 1; t < r.size(); ++t) {
                const Tag& tag = r[t];
                if (tag.code == 1001)
                    break;
                if (tag.code == 102)
                    inGroup = dxfTrim(tag.value).rfind('{', 0) == 0;
                layout = layout || (tag.code == 100 && dxfTrim(tag.value) == "AcDbLayout");
                if (!dxfRecoveryReference(tag.code))
                    continue;
                const bool owner = tag.code == 330 && !inGroup && !ownerSeen;
                ownerSeen = ownerSeen || owner;
                const std::string_view value = dxfTrim(tag.value);
                uint64_t h = 0;
                const bool handle = dxfParseHandle(value, h);
                if (value.empty() || (handle && (h == 0 || handles.count(h))) ||
                    (!handle && !owner && type == "DIMSTYLE" && names.count(dxfRecoveryFolded(value))))
                    continue;
                if (layout && tag.code == 330) {
                    // A layout is nothing without its block: it goes, and
                    // what pointed to it is looked at again.
                    drop(r, "its block record " + dxfQuote(value) + " names no object");
                    s.records.erase(s.records.begin() + static_cast<std::ptrdiff_t>(i--));
                    again = true;
                    break;
                }
                if (owner) {
                    // Said once per owner: a writer that leaves out a block
                    // record leaves it out of every entity it owns.
                    auto [it, added] = lostOwners.try_emplace(std::string(value), LostOwner{tag.line, type, 0});
                    it->second.records += 1;
                    if (added)
                        order.push_back(it->first);
                } else {
                    repair(tag.line, "reference " + std::to_string(tag.code) + " to " + dxfQuote(value) + " of the " +
                                         type + " names no object; it is cleared");
                }
                const bool entry = (tag.code == 350 || tag.code == 360) && t > 1 && r[t - 1].code == 3 &&
                                   type.find("DICTIONARY") != std::string::npos;
                // A draw-order pair (331 entity, 5 sort handle) goes whole:
                // a lone sort handle breaks the table for every reader.
                const bool sortPair = tag.code == 331 && type == "SORTENTSTABLE" && t + 1 < r.size() && r[t + 1].code == 5;
                size_t from = entry ? t - 1 : t, to = sortPair ? t + 2 : t + 1;
                // A group left empty ("102 {ACAD_XDICTIONARY" and "102 }")
                // goes with it: other readers refuse an empty one.
                if (from > 1 && to < r.size() && r[from - 1].code == 102 && r[to].code == 102 &&
                    dxfTrim(r[to].value) == "}")
                    --from, ++to, inGroup = false;
                r.erase(r.begin() + static_cast<std::ptrdiff_t>(from), r.begin() + static_cast<std::ptrdiff_t>(to));
                t = from - 1;
            }
        }
    for (const std::string& owner : order) {
        const LostOwner& lost = lostOwners.at(owner);
        repair(lost.line,
               "the owner " + dxfQuote(owner) + " of the " + lost.type +
                   (lost.records > 1 ? " and " + std::to_string(lost.records - 1) + " more record(s)" : std::string()) +
                   " names no object; it is cleared",
               lost.records);
    }
    if (again)
        clearDanglingReferences();
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
            ++leftOut_;
            s.variables.erase(s.variables.begin() + static_cast<std::ptrdiff_t>(begin),
                              s.variables.begin() + static_cast<std::ptrdiff_t>(end));
            return true;
        }
        for (size_t i = 0; i < s.records.size(); ++i) {
            tag += static_cast<uint32_t>(s.records[i].size());
            if (wanted >= tag)
                continue;
            if (dxfRecoveryIsStructural(dxfTrim(s.records[i].front().value)))
                return false;
            Record& record = s.records[i];
            const size_t at = wanted - (tag - static_cast<uint32_t>(record.size()));
            if (at > 0 && dxfRecoveryHasDefault(dxfTrim(record.front().value), record[at].code)) {
                // A property with a default (a colour, a lineweight): the tag
                // goes and the record stays, with the default.
                repair(record[at].line, "group code " + std::to_string(record[at].code) + " of " +
                                            std::string(dxfTrim(record.front().value)) + " dropped, the default is used: " +
                                            why);
                ++leftOut_;
                record.erase(record.begin() + static_cast<std::ptrdiff_t>(at));
                return true;
            }
            drop(s.records[i], why);
            s.records.erase(s.records.begin() + static_cast<std::ptrdiff_t>(i));
            // What pointed to it points nowhere now.
            clearDanglingReferences();
            return true;
        }
        ++tag;
        if (wanted < tag)
            return false;
    }
    return false;
}
