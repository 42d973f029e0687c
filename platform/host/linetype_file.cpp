#include "linetype_file.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "OdDbDatabase.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbSymbolTable.h"
#include "OdStringUtil.h"
#include "opm/list_kinds.h"
#include "text_format.h"

namespace {

std::string trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> splitCommas(const std::string& s) {
  std::vector<std::string> parts;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t comma = s.find(',', pos);
    parts.push_back(trim(s.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos)));
    if (comma == std::string::npos) return parts;
    pos = comma + 1;
  }
}

// A length of a pattern line; false for anything but a finite number.
bool readLength(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end && *end == '\0' && std::isfinite(value);
}

std::string g_defaultFile;

}  // namespace

bool hostParseLinetypeText(const std::string& text, std::vector<LinetypeDefinition>& definitions,
                           OdString& message) {
  std::istringstream in(text);
  std::string raw;
  int lineNo = 0;
  bool awaitingPattern = false;
  auto refuse = [&](const std::string& why) {
    message = hostFormat("line %d: %s", lineNo, why.c_str());
    return false;
  };
  while (std::getline(in, raw)) {
    ++lineNo;
    if (lineNo == 1 && raw.rfind("\xEF\xBB\xBF", 0) == 0) raw.erase(0, 3);  // a UTF-8 byte order mark
    const std::string line = trim(raw);
    if (line.empty() || line.rfind(";;", 0) == 0) continue;
    if (line[0] == '*') {
      if (awaitingPattern) return refuse("the definition \"" + definitions.back().name + "\" has no pattern line");
      const std::size_t comma = line.find(',');
      LinetypeDefinition d;
      d.name = trim(line.substr(1, comma == std::string::npos ? std::string::npos : comma - 1));
      if (comma != std::string::npos) d.description = trim(line.substr(comma + 1));
      if (d.name.empty()) return refuse("a definition without a name");
      definitions.push_back(std::move(d));
      awaitingPattern = true;
      continue;
    }
    if (!awaitingPattern) return refuse("\"" + line + "\" is neither a definition (*NAME) nor a comment (;;)");
    const std::vector<std::string> parts = splitCommas(line);
    if (parts.front() != "A" && parts.front() != "a")
      return refuse("a pattern line starts with the alignment A");
    LinetypeDefinition& d = definitions.back();
    for (std::size_t i = 1; i < parts.size(); ++i) {
      if (!parts[i].empty() && parts[i].front() == '[') {
        // Text or a shape, up to its closing bracket: the definition is read
        // so that it can be named, not loaded.
        d.complex = true;
        while (i < parts.size() && parts[i].find(']') == std::string::npos) ++i;
        continue;
      }
      double length = 0;
      if (!readLength(parts[i], length)) return refuse("\"" + parts[i] + "\" is not a length");
      d.dashes.push_back(length);
    }
    if (d.dashes.empty() && !d.complex) return refuse("the pattern of \"" + std::string(d.name) + "\" holds no length");
    awaitingPattern = false;
  }
  if (awaitingPattern) return refuse("the definition \"" + definitions.back().name + "\" has no pattern line");
  return true;
}

bool hostReadLinetypeFile(const std::string& path, std::vector<LinetypeDefinition>& definitions, OdString& message) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    message = hostFormat("cannot read \"%s\"", path.c_str());
    return false;
  }
  std::ostringstream text;
  text << file.rdbuf();
  OdString why;
  if (!hostParseLinetypeText(text.str(), definitions, why)) {
    message = hostFormat("%s: %s", path.c_str(), why.c_str());
    return false;
  }
  return true;
}

bool hostLoadLinetypes(OdDbDatabase* db, const std::vector<LinetypeDefinition>& definitions, const OdString& names,
                       const std::string& fileName, std::vector<OdString>& loaded, OdString& message) {
  using opm::kinds::say;
  loaded.clear();
  if (!db) return false;
  // What was asked for, each once.
  std::vector<const LinetypeDefinition*> wanted;
  for (const std::string& name : splitCommas(names)) {
    if (name.empty()) continue;
    if (name == "*") {
      for (const LinetypeDefinition& d : definitions) wanted.push_back(&d);
      continue;
    }
    const auto found = std::find_if(definitions.begin(), definitions.end(),
                                    [&](const LinetypeDefinition& d) { return qrv::equalNoCase(d.name, name); });
    if (found == definitions.end()) {
      message = hostFormat(say("Linetype \"%s\" is not in %s.").c_str(), name.c_str(), fileName.c_str());
      return false;
    }
    wanted.push_back(&*found);
  }
  std::vector<const LinetypeDefinition*> unique;
  for (const LinetypeDefinition* d : wanted)
    if (std::find(unique.begin(), unique.end(), d) == unique.end()) unique.push_back(d);
  if (unique.empty()) {
    message = say("Cancelled.");
    return false;
  }
  for (const LinetypeDefinition* d : unique)
    if (d->complex) {
      message = hostFormat(say("Linetype \"%s\" holds text or shapes, which this program cannot draw; it was not loaded.").c_str(),
                           d->name.c_str());
      return false;
    }

  int added = 0;
  OdString notes;
  db->beginUndoGroup("LINETYPE");
  OdDbSymbolTablePtr table = db->getLinetypeTableId().safeOpenObject(OdDb::kForWrite);
  for (const LinetypeDefinition* d : unique) {
    const OdDbObjectId existing = table->getAt(d->name);
    if (!existing.isNull()) {
      OdDbObjectPtr rec = existing.openObject();
      const auto* record = dynamic_cast<const OdDbSymbolTableRecord*>(rec.get());
      loaded.push_back(record ? record->getName() : d->name);
      notes += (notes.empty() ? "" : " ") +
               hostFormat(say("Linetype \"%s\" is already loaded; it is kept as it is.").c_str(), d->name.c_str());
      continue;
    }
    OdDbLinetypeTableRecordPtr lt = OdDbLinetypeTableRecord::createObject();
    lt->setName(d->name);
    lt->setComments(d->description);
    lt->setDashes(d->dashes);
    table->add(lt);
    loaded.push_back(d->name);
    ++added;
  }
  table.release();
  db->endUndoGroup();
  message = hostFormat(say("Loaded %d linetype(s) from %s.").c_str(), added, fileName.c_str());
  if (!notes.empty()) message += " " + notes;
  return true;
}

bool hostLoadLinetypesFromFile(OdDbDatabase* db, const std::string& path, const OdString& names,
                               std::vector<OdString>& loaded, OdString& message) {
  const std::string file = path.empty() ? hostDefaultLinetypeFile() : path;
  if (file.empty()) {
    message = "no linetype file was named, and the program has none of its own";
    return false;
  }
  std::vector<LinetypeDefinition> definitions;
  if (!hostReadLinetypeFile(file, definitions, message)) return false;
  const std::size_t slash = file.find_last_of('/');
  return hostLoadLinetypes(db, definitions, names, slash == std::string::npos ? file : file.substr(slash + 1), loaded,
                           message);
}

void hostSetDefaultLinetypeFile(const std::string& path) { g_defaultFile = path; }

const std::string& hostDefaultLinetypeFile() { return g_defaultFile; }
