#include "opm/palette_script.h"

#include "documents.h"
#include "opm/palette_model.h"
#include "text_format.h"
#include "translation.h"

namespace {

bool russian() { return hostLanguage() == HostLanguage::kRussian; }

std::string trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string rowLine(const PaletteModel& palette, const PaletteModel::Row& row) {
  std::string line = "  " + PaletteModel::shownName(row) + " = ";
  line += palette.varies(row) ? "*VARIES*" : palette.valueText(row);
  if (palette.isReadOnly(row)) line += " (read-only)";
  return line;
}

// The word and the rest of a line: "set X = Y" gives "set" and "X = Y".
std::pair<std::string, std::string> splitVerb(const std::string& line) {
  const auto blank = line.find_first_of(" \t");
  if (blank == std::string::npos) return {line, std::string()};
  return {line.substr(0, blank), trim(line.substr(blank))};
}

}  // namespace

void dumpPalette(const PaletteModel& palette, const PalettePrinter& print) {
  if (palette.selection().empty()) {
    print("palette: " + std::string(russian() ? "чертеж " : "the drawing ") + palette.document().title());
  } else {
    std::string counts;
    for (const auto& c : palette.classCounts())
      counts += (counts.empty() ? "" : ", ") + hostClassDisplayName(c.cls) + ": " + std::to_string(c.count);
    print(hostFormat("palette: %d objects (%s)", int(palette.selection().size()), counts.c_str()));
    print("filter: " + palette.currentFilterEntry());
  }
  for (const auto& row : palette.rows()) print(rowLine(palette, row));
}

std::string paletteRowLine(const PaletteModel& palette, const std::string& rowName) {
  const PaletteModel::Row* row = palette.findRow(rowName);
  return row ? rowLine(palette, *row) : std::string();
}

PaletteLineResult runPaletteScriptLine(PaletteModel& palette, const std::string& rawLine,
                                       const PalettePrinter& print) {
  PaletteLineResult result;
  const std::string line = trim(rawLine);
  const auto [verb, rest] = splitVerb(line);
  const std::string lowered = [&] {
    std::string v = verb;
    for (char& ch : v) ch = char(std::tolower(static_cast<unsigned char>(ch)));
    return v;
  }();
  auto refuse = [&](const std::string& why) {
    result.ok = false;
    result.error = why;
    return result;
  };

  if (line.empty() || lowered == "close") {
    result.close = true;
    return result;
  }
  if (lowered == "dump" && rest.empty()) {
    dumpPalette(palette, print);
    return result;
  }
  if (lowered == "filter") {
    if (palette.filterEntries().empty())
      return refuse(russian() ? "в наборе объекты одного типа" : "the selection holds one kind of object");
    if (!palette.setFilter(rest)) return refuse("no filter entry \"" + rest + "\"");
    dumpPalette(palette, print);
    return result;
  }
  if (lowered == "set") {
    const auto eq = rest.find('=');
    if (eq == std::string::npos) return refuse("set needs \"Category.Label = TEXT\"");
    const std::string name = trim(rest.substr(0, eq));
    std::string text = trim(rest.substr(eq + 1));
    // Quotes keep blanks at the ends: set Text.Text override = " 50 "
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
    const PaletteModel::Row* row = palette.findRow(name);
    if (!row) return refuse("no row \"" + name + "\"");
    const std::string key = row->name;
    OdString message;
    const bool ok = palette.setValue(*row, text, message);
    if (!ok) return refuse(message.empty() ? std::string("the value was not taken") : message);
    // The rows may have been built anew; the row is found again by name.
    const std::string shown = paletteRowLine(palette, key);
    if (!shown.empty()) print(shown);
    if (!message.empty()) print(message);
    return result;
  }
  return refuse("unknown palette line \"" + line + "\" (dump, set, filter, close)");
}
