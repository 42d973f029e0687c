#include "DxfConverterRepair.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "DxfDimVarCodec.h"
#include "DxfDrawingIO.h"
#include "DxfError.h"
#include "DxfFile.h"
#include "OdDbDatabase.h"
#include "DxfVersion.h"
#include "OdCmColor.h"
#include "OdDbDimVars.h"

namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::optional<std::int64_t> integer(std::string_view text) {
  text = trimmed(text);
  std::int64_t v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return v;
}

std::optional<std::uint64_t> hexNumber(std::string_view text) {
  text = trimmed(text);
  std::uint64_t v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, 16);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return v;
}

// Splits off the first word of `line`.
std::string_view word(std::string_view& line) {
  line = trimmed(line);
  const std::size_t end = line.find(' ');
  const std::string_view w = line.substr(0, end);
  line = end == std::string_view::npos ? std::string_view() : line.substr(end + 1);
  return w;
}

// One line of the file: its text without the line break, and the break.
struct Line {
  std::string_view text;
  std::string_view ending;
};

std::vector<Line> splitLines(std::string_view dxf) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < dxf.size()) {
    std::size_t end = dxf.find('\n', pos);
    const std::size_t next = end == std::string_view::npos ? dxf.size() : end + 1;
    if (end == std::string_view::npos) end = dxf.size();
    std::size_t textEnd = end;
    if (textEnd > pos && dxf[textEnd - 1] == '\r') --textEnd;
    lines.push_back({dxf.substr(pos, textEnd - pos), dxf.substr(textEnd, next - textEnd)});
    pos = next;
  }
  return lines;
}

// A value line as the file writes numbers: right-aligned integers like the
// converter's own ("    70" style is not needed: readers trim blanks).
std::string intText(std::int64_t v) { return std::to_string(v); }

std::string realText(double v) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  std::string s(buf, ec == std::errc() ? end : buf);
  if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
  return s;
}

class Mender {
 public:
  Mender(std::string_view dxf, const DxfConverterFacts& facts) : m_lines(splitLines(dxf)), m_facts(facts) {
    m_ending = m_lines.empty() ? std::string_view("\n") : m_lines.front().ending;
    if (m_ending.empty()) m_ending = "\n";
  }

  std::string run(std::vector<std::string>& notes) {
    m_out.reserve(m_lines.size() * 8);
    std::size_t i = 0;
    while (i < m_lines.size()) {
      const std::optional<std::int64_t> code = integer(m_lines[i].text);
      if (!code || i + 1 >= m_lines.size()) {
        // No tag here: passed on for the reader to judge.
        flushRecord();
        emit(m_lines[i].text, m_lines[i].ending);
        ++i;
        continue;
      }
      tag(int(*code), i);
      i += 2;
    }
    flushRecord();
    say(notes, m_layers, "layer colours given the sign of the layer's on/off state");
    say(notes, m_styleColours, "dimension style colours made colour indices");
    say(notes, m_trueColours, "true colours written without their colour method");
    say(notes, m_layerIndexes, "colour indices of layers of a true colour made the nearest index");
    say(notes, m_headerColours, "header dimension colours taken from the DWG");
    say(notes, m_styleValues, "dimension style values written out");
    say(notes, m_carriageReturns, "carriage returns inside texts written as ^M");
    return std::move(m_out);
  }

 private:
  struct Tag {
    int code;
    std::size_t line;       // index of its code line
    std::string newValue;   // empty: the value line as it is
    bool made = false;      // written by the mending, no line of the file
  };

  void say(std::vector<std::string>& notes, int count, const char* what) {
    if (count > 0) notes.push_back(std::to_string(count) + " " + what);
  }

  void emit(std::string_view text, std::string_view ending) {
    m_out.append(text);
    m_out.append(ending.empty() ? m_ending : ending);
  }

  void tag(int code, std::size_t line) {
    const std::string_view value = trimmed(m_lines[line + 1].text);
    if (code == 0) {
      flushRecord();
      m_type = std::string(value);
      if (m_type == "SECTION") m_section.clear();
      m_handle = 0;
      m_variable.clear();
    }
    Tag t{code, line, {}, false};
    // The section's name is its first 2; header variables hold 2s too ($DIMSTYLE).
    if (m_type == "SECTION" && code == 2 && m_section.empty()) m_section = std::string(value);
    if (m_section == "HEADER") {
      if (code == 9) m_variable = std::string(value);
      if (code == 1 && m_variable == "$ACADVER") m_version = dxfVersionFromName(value);
      if (code == 70 && m_variable.rfind("$DIMCLR", 0) == 0) mendHeaderColour(t, value);
    }
    if ((code == 5 || code == 105) && m_handle == 0)
      if (auto h = hexNumber(value)) m_handle = *h;
    if (code >= 420 && code <= 429)
      if (auto v = integer(value); v && (*v < 0 || *v > 0xFFFFFF)) {
        t.newValue = intText(std::uint32_t(*v) & 0xFFFFFFu);
        ++m_trueColours;
      }
    if (m_type == "LAYER" && code == 62) mendLayerColour(t, value);
    if (m_type == "DIMSTYLE" && code >= 176 && code <= 178)
      if (auto v = integer(value); v && (*v < 0 || *v > 257)) {
        t.newValue = intText(dxfColourIndexOfWord(*v));
        ++m_styleColours;
      }
    m_record.push_back(std::move(t));
  }

  void mendHeaderColour(Tag& t, std::string_view value) {
    const auto it = m_facts.headerColours.find(m_variable.substr(1));
    const auto v = integer(value);
    if (it == m_facts.headerColours.end() || !v || *v == it->second) return;
    t.newValue = intText(it->second);
    ++m_headerColours;
  }

  void mendLayerColour(Tag& t, std::string_view value) {
    const auto v = integer(value);
    if (!v || *v == 0 || std::llabs(*v) > 257) return;
    const bool off = m_facts.layersOff.count(m_handle) != 0;
    const std::int64_t wanted = off ? -std::llabs(*v) : std::llabs(*v);
    if (wanted == *v) return;
    t.newValue = intText(wanted);
    ++m_layers;
  }

  // A dimension style's numeric variables the entry lacks get the DWG's
  // values, before the extended data.
  void addMissingStyleValues() {
    const auto values = m_facts.styleValues.find(m_handle);
    if (values == m_facts.styleValues.end() || !m_version) return;
    std::set<int> present;
    std::size_t insertAt = m_record.size();
    for (std::size_t k = 0; k < m_record.size(); ++k) {
      if (m_record[k].code >= 1000) {
        insertAt = k;
        break;
      }
      present.insert(m_record[k].code);
    }
    std::vector<Tag> added;
    for (int index = 0; index < OdDbDimVars::kCount; ++index) {
      const OdDbDimVarDesc& d = OdDbDimVars::describe(index);
      const bool numeric = d.type != OdDbDimVarType::kString && d.type != OdDbDimVarType::kColor &&
                           d.type != OdDbDimVarType::kObjectId;
      // 70 also holds the entry's flags; the fill colour is no number anyway.
      if (!numeric || d.dxfCode == 70 || !dxfDimVarHasCode(index, *m_version) || present.count(d.dxfCode)) continue;
      const auto v = values->second.find(d.name);
      if (v == values->second.end()) continue;
      double value = v->second;
      if (dxfDimVarInDegrees(index)) value = value * 180.0 / M_PI;
      const bool real = d.type == OdDbDimVarType::kDouble;
      added.push_back({d.dxfCode, 0, real ? realText(value) : intText(std::int64_t(std::llround(value))), true});
    }
    // The text fill colour is the entry's second 70 (the first is its flags).
    const auto colours = m_facts.styleColours.find(m_handle);
    const int fillIndex = *OdDbDimVars::indexOf("DIMTFILLCLR");
    if (colours != m_facts.styleColours.end() && dxfDimVarHasCode(fillIndex, *m_version)) {
      int seventies = 0;
      for (std::size_t k = 0; k < insertAt; ++k) seventies += m_record[k].code == 70;
      const auto fill = colours->second.find("DIMTFILLCLR");
      if (seventies == 1 && fill != colours->second.end()) added.push_back({70, 0, intText(fill->second), true});
    }
    m_styleValues += int(added.size());
    m_record.insert(m_record.begin() + std::ptrdiff_t(insertAt), added.begin(), added.end());
  }

  // The value a tag has now: mended, or as the file holds it.
  std::string_view valueOf(const Tag& t) const {
    return t.newValue.empty() ? trimmed(m_lines[t.line + 1].text) : std::string_view(t.newValue);
  }

  // A layer of a true colour gets, beside it, the low byte of that colour
  // as its colour index; the nearest index is what other programs show.
  void mendLayerIndexOfTrueColour() {
    Tag* index = nullptr;
    std::optional<std::int64_t> rgb;
    for (Tag& t : m_record) {
      if (t.code >= 1000) break;
      if (t.code == 62) index = &t;
      if (t.code == 420) rgb = integer(valueOf(t));
    }
    if (!index || !rgb) return;
    const auto v = integer(valueOf(*index));
    if (!v) return;
    const std::int64_t nearest = OdCmColor::nearestIndex(OdUInt8(*rgb >> 16), OdUInt8(*rgb >> 8), OdUInt8(*rgb));
    const std::int64_t wanted = *v < 0 ? -nearest : nearest;
    if (wanted == *v) return;
    index->newValue = intText(wanted);
    ++m_layerIndexes;
  }

  // A style's text fill of a true colour comes as 256 (by layer) in the
  // fill colour (the entry's second 70) and the colour in 428: the fill is
  // the nearest index of that colour.
  void mendStyleFillOfTrueColour() {
    Tag* fill = nullptr;
    std::optional<std::int64_t> rgb;
    int seventies = 0;
    for (Tag& t : m_record) {
      if (t.code >= 1000) break;
      if (t.code == 70 && ++seventies == 2) fill = &t;
      if (t.code == 428) rgb = integer(valueOf(t));
    }
    if (!fill || !rgb || integer(valueOf(*fill)) != std::optional<std::int64_t>(256)) return;
    fill->newValue = intText(OdCmColor::nearestIndex(OdUInt8(*rgb >> 16), OdUInt8(*rgb >> 8), OdUInt8(*rgb)));
    ++m_styleColours;
  }

  void flushRecord() {
    if (m_type == "DIMSTYLE" && !m_record.empty() && m_record.front().code == 0) {
      addMissingStyleValues();
      mendStyleFillOfTrueColour();
    }
    if (m_type == "LAYER" && !m_record.empty() && m_record.front().code == 0) mendLayerIndexOfTrueColour();
    for (const Tag& t : m_record) {
      if (t.made) {
        emit(std::to_string(t.code), {});
        emit(t.newValue, {});
        continue;
      }
      emit(m_lines[t.line].text, m_lines[t.line].ending);
      std::string_view value = t.newValue.empty() ? m_lines[t.line + 1].text : std::string_view(t.newValue);
      std::string escaped;
      if (value.find('\r') != std::string_view::npos) {
        // A carriage return inside a text (the converter writes some texts
        // as their bytes) ends the line for other readers: written as the
        // caret escape readers take for it.
        for (char c : value) c == '\r' ? (escaped += "^M", ++m_carriageReturns) : (escaped += c, 0);
        value = escaped;
      }
      emit(value, m_lines[t.line + 1].ending);
    }
    m_record.clear();
  }

  std::vector<Line> m_lines;
  const DxfConverterFacts& m_facts;
  std::string_view m_ending;
  std::string m_out;
  std::vector<Tag> m_record;
  std::string m_type, m_section, m_variable;
  std::uint64_t m_handle = 0;
  std::optional<DxfVersion> m_version;
  int m_layers = 0, m_styleColours = 0, m_trueColours = 0, m_headerColours = 0, m_styleValues = 0;
  int m_carriageReturns = 0, m_layerIndexes = 0;
};

}  // namespace

DxfConverterFacts dxfParseConverterFacts(std::string_view text) {
  DxfConverterFacts facts;
  for (const Line& l : splitLines(text)) {
    std::string_view rest = l.text;
    const std::string_view kind = word(rest);
    if (kind == "version") {
      facts.version = std::string(word(rest));
    } else if (kind == "not-converted") {
      const std::string name(word(rest));
      if (auto n = integer(word(rest)); n && *n > 0 && !name.empty()) facts.notConverted[name] += int(*n);
    } else if (kind == "layer-off") {
      if (auto h = hexNumber(word(rest))) facts.layersOff.insert(*h);
    } else if (kind == "header" || kind == "dimstyle-colour") {
      const auto handle = kind == "header" ? std::optional<std::uint64_t>(0) : hexNumber(word(rest));
      const std::string name(word(rest));
      const auto index = integer(word(rest));
      const auto colourWord = hexNumber(word(rest));
      // Before R2004 a colour is its index; from then on, its word.
      std::optional<std::int64_t> colour;
      if (colourWord && (*colourWord >> 24) >= 0xC0)
        colour = dxfColourIndexOfWord(std::int64_t(*colourWord));
      else if (index)
        colour = *index;
      if (!colour || !handle) continue;
      if (kind == "header")
        facts.headerColours[name] = *colour;
      else
        facts.styleColours[*handle][name] = *colour;
    } else if (kind == "dimstyle") {
      const auto handle = hexNumber(word(rest));
      const std::string name(word(rest));
      const std::string value(word(rest));
      char* end = nullptr;
      const double v = std::strtod(value.c_str(), &end);
      if (handle && !name.empty() && !value.empty() && end && *end == 0 && std::isfinite(v))
        facts.styleValues[*handle][name] = v;
    }
  }
  return facts;
}

std::int64_t dxfColourIndexOfWord(std::int64_t word) {
  if (word >= 0 && word <= 257) return word;
  const std::uint32_t w = std::uint32_t(word);
  switch (w >> 24) {
    case 0xC0: return 256;  // by layer
    case 0xC1: return 0;    // by block
    case 0xC2:              // a true colour
      return OdCmColor::nearestIndex(OdUInt8(w >> 16), OdUInt8(w >> 8), OdUInt8(w));
    case 0xC3: {  // an index
      const std::int64_t index = w & 0xFF;
      return index == 0 ? 0 : index;
    }
    case 0xC8: return 257;  // none
    default: return 256;
  }
}

std::string dxfRepairConverterOutput(std::string_view dxf, const DxfConverterFacts& facts,
                                     std::vector<std::string>& notes) {
  return Mender(dxf, facts).run(notes);
}

std::unique_ptr<OdDbDatabase> readConvertedDxfDrawing(const std::string& path, const std::string& factLines, bool recover,
                                                      DxfReadReport& report, DxfConvertedRead& converted) {
  const DxfConverterFacts facts = dxfParseConverterFacts(factLines);
  converted.notConverted = facts.notConverted;
  converted.dwgVersion = facts.version;
  std::string text;
  try {
    const DxfFileBytes file = dxfReadFile(path);
    text = dxfRepairConverterOutput(std::string_view(file.data.get(), file.size), facts, converted.mended);
  } catch (const DxfError& e) {
    throw OdError(eBadDxfFile, e.what());
  }
  if (!recover) {
    try {
      return readDxfDrawingFromBytes(text, &report);
    } catch (const OdError& e) {
      // More faults of the converter's writer (a value out of range in an
      // object this system does not model, text with raw line breaks): its
      // output is read through recovery, which lists what it mends. The
      // DWG itself is never written.
      converted.recoveredBecause = e.description().c_str();
    }
  }
  return recoverDxfDrawingFromBytes(text, report);
}
