// NEW, OPEN, SAVE, SAVEAS, CLOSE, QUIT and SWITCH.
#include <filesystem>
#include <string>
#include <vector>

#include "OdDbDatabase.h"
#include "file_output.h"
#include "OdStringUtil.h"
#include "app_services.h"
#include "command_processor.h"
#include "documents.h"
#include "drawing_files.h"
#include "drawing_io.h"
#include "dwg_converter.h"
#include "dwg_texts.h"
#include "editor_input.h"
#include "host_commands.h"
#include "host_error.h"
#include "host_log.h"
#include "host_services.h"
#include "host_text.h"
#include "host_texts_local.h"
#include "text_format.h"

namespace fs = std::filesystem;

namespace qrvhost {

namespace {

constexpr int kTextAnswer = kPromptEmptyAllowed | kPromptBlanksAllowed;

// A title or path shown inside a keyword prompt keeps its "%" signs.
std::string escapePercent(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

// Asks a Yes/No(/Cancel) question whose prompt holds one "%s" for a name
// (given) and one for the keywords. Gives the keyword index (0 Yes, 1 No,
// 2 Cancel), -1 for Enter (the default), -2 when cancelled.
int askChoice(CommandProcessor& cp, HostText prompt, const std::string& name, HostText keywords) {
  const OdString list = hostText(keywords);
  const OdString shown = hostFormat(hostText(prompt).c_str(), escapePercent(hostEscapeControls(name)).c_str(), "%s");
  const int r = cp.input().getKeyword(shown, list, kPromptHasDefault);
  if (r == kPromptCancelled) return -2;
  if (r == kPromptEnter) return -1;
  const int locals = static_cast<int>(HostKeywordList(list).local().size());
  const int index = r - kPromptKeyword;
  return index >= locals ? index - locals : index;
}

// Writes the drawing and says how it went; a failure is also reported on
// standard error and the log, and remembered for the session's exit status.
bool writeDrawing(CommandProcessor& cp, HostApDocument& doc, const std::string& path) {
  std::string error;
  std::vector<std::string> dimensionFailures;
  const bool saved = saveDrawingFile(doc, path, error, &dimensionFailures);
  for (const std::string& line : dimensionFailures) cp.input().print(line);
  if (!saved) {
    cp.input().print(
        hostFormat(hostText(HostText::kCannotSave).c_str(), hostEscapeControls(path).c_str(), error.c_str()));
    hostTraceError("host/files", __LINE__, "cannot save " + path + ": " + error);
    cp.noteSaveFailed();
    return false;
  }
  cp.input().print(hostFormat(hostText(HostText::kSaved).c_str(), hostEscapeControls(path).c_str()));
  return true;
}

// Why a typed name cannot be a drawing's file: a folder, no file name
// ("folder/", which would otherwise become "folder/.dxf"), or something
// that is not a regular file (/dev/null). Empty when fine.
OdString badTargetName(const std::string& typed, const std::string& path) {
  std::string plain = typed;
  if (plain.size() >= 2 && plain.front() == '"' && plain.back() == '"') plain = plain.substr(1, plain.size() - 2);
  std::error_code ec;
  if ((!plain.empty() && plain.back() == '/') || fs::is_directory(plain, ec) || fs::is_directory(path, ec))
    return hostFormat(hostText(HostText::kNameIsFolder).c_str(), plain.c_str());
  const std::string file = fs::path(path).filename().string();
  if (file.empty() || qrv::equalNoCase(file, ".dxf"))
    return hostFormat(hostText(HostText::kNameWithoutBase).c_str(), plain.c_str());
  for (const std::string& name : {plain, path})
    if (!hostWhyNotAFileTarget(name).empty())
      return hostFormat(hostText(HostText::kNotRegularFile).c_str(), name.c_str());
  return {};
}

// Asks before a read-only file is replaced (a script must answer Yes).
bool mayReplaceReadOnly(CommandProcessor& cp, const std::string& path) {
  return !hostIsReadOnlyFile(path) || askChoice(cp, HostText::kReadOnlyReplacePrompt, path, HostText::kYesNoKeywords) == 0;
}

// Before the drawing's own file is replaced when somebody else wrote it
// since it was read or saved: a person is asked, a script refused (it
// cannot know what it would destroy).
bool mayReplaceChangedFile(CommandProcessor& cp, HostApDocument& doc, const std::string& path) {
  if (!fileChangedOnDisk(doc, path)) return true;
  const std::string shown = hostEscapeControls(path);
  if (cp.askPerson) return cp.askPerson(hostFormat(localText(LocalText::kFileChangedQuestion).c_str(), shown.c_str()));
  const OdString line = hostFormat(localText(LocalText::kFileChangedRefused).c_str(), shown.c_str());
  cp.input().print(line);
  hostTraceError("host/files", __LINE__, line.c_str());
  cp.noteSaveFailed();
  return false;
}

// Asks for a file name and saves under it. False when the user gave up or
// the save failed (said so).
// The version a save of `doc` writes, for the user: a new drawing's is the
// latest.
std::string shownVersion(HostApDocument& doc) { return doc.saveVersion().empty() ? "R2018" : doc.saveVersion(); }

// Puts the document's save version back unless the save went through.
struct SaveVersionGuard {
  HostApDocument& doc;
  std::string before = doc.saveVersion();
  bool saved = false;
  ~SaveVersionGuard() {
    if (!saved) doc.setSaveVersion(before);
  }
};

bool saveAs(CommandProcessor& cp, HostApDocument& doc) {
  std::string current = doc.fileName().empty() ? doc.title() : doc.fileName();
  if (doc.fileName().empty() && !doc.convertedFrom().empty()) {
    // Saved beside the DWG it came from, as DXF.
    cp.input().print(dwgText(DwgText::kSavedAsDxf));
    current = dxfNameFor(doc.convertedFrom());
  } else if (isDwgPath(current)) {
    current = dxfNameFor(current);  // a converted drawing kept for recovery after a crash
  }
  // A version name typed instead of a file name chooses the DXF version
  // (it sticks to the drawing once saved), and the name is asked again.
  SaveVersionGuard guard{doc};
  OdString typed;
  int r = kPromptCancelled;
  for (;;) {
    cp.input().print(hostFormat(hostText(HostText::kSaveAsVersion).c_str(), shownVersion(doc).c_str(), kHostSaveVersions));
    r = cp.input().getString(hostFormat(hostText(HostText::kSaveAsPromptDefault).c_str(), current.c_str()), "",
                             kTextAnswer, typed);
    const std::string version = r == kPromptText ? hostSaveVersionName(std::string(typed)) : std::string();
    if (version.empty()) break;
    doc.setSaveVersion(version);
  }
  if (r == kPromptCancelled) return false;
  const std::string answer = r == kPromptEnter ? current : std::string(typed);
  const std::string path = drawingPath(answer);
  if (isDwgPath(path)) {
    // Only DXF is written: a DWG (the one the drawing came from, or any
    // other) is never replaced by a file of another format.
    const OdString why = hostFormat(dwgText(DwgText::kNoDwgWriting).c_str(), hostEscapeControls(path).c_str());
    cp.input().print(why);
    hostTraceError("host/files", __LINE__, "cannot save " + path + ": " + why);
    cp.noteSaveFailed();
    return false;
  }
  if (const OdString why = badTargetName(answer, path); !why.empty()) {
    cp.input().print(why);
    hostTraceError("host/files", __LINE__, "cannot save " + path + ": " + why);
    cp.noteSaveFailed();
    return false;
  }
  std::error_code ec;
  const bool sameFile = !doc.fileName().empty() && fs::weakly_canonical(doc.fileName(), ec) == fs::weakly_canonical(path, ec);
  if (hostIsReadOnlyFile(path)) {
    if (!mayReplaceReadOnly(cp, path)) return false;
  } else if (!sameFile && fs::exists(path, ec)) {
    if (askChoice(cp, HostText::kReplacePrompt, path, HostText::kYesNoKeywords) != 0) return false;
  }
  if (!mayReplaceChangedFile(cp, doc, path)) return false;
  guard.saved = writeDrawing(cp, doc, path);
  return guard.saved;
}

bool save(CommandProcessor& cp, HostApDocument& doc) {
  if (doc.fileName().empty()) return saveAs(cp, doc);
  if (!mayReplaceReadOnly(cp, doc.fileName()) || !mayReplaceChangedFile(cp, doc, doc.fileName())) return false;
  return writeDrawing(cp, doc, doc.fileName());
}

void sayNotes(CommandProcessor& cp, const std::vector<std::string>& notes) {
  for (const std::string& note : notes) cp.input().print(hostFormat(hostText(HostText::kReadNote).c_str(), note.c_str()));
}

void sayCurrent(CommandProcessor& cp) {
  if (HostApDocument* doc = cp.services().documents().curDocument())
    cp.input().print(hostFormat(hostText(HostText::kCurrentDrawing).c_str(), hostEscapeControls(doc->title()).c_str()));
}

}  // namespace

void commandNew(CommandProcessor& cp) {
  HostApDocManager& documents = cp.services().documents();
  HostApDocument* doc = documents.addDocument(cp.services().app().createNewDrawing(), "", "");
  cp.input().print(hostFormat(hostText(HostText::kNewDrawing).c_str(), doc->title().c_str()));
}

namespace {

// OPEN, or with `recover` RECOVER: the same, but a damaged file is read as
// far as it goes, each repair said.
void openOrRecover(CommandProcessor& cp, bool recover) {
  OdString typed;
  if (cp.input().getString(hostText(HostText::kOpenPrompt), "", kTextAnswer, typed) != kPromptText) return;
  const std::string path = drawingPath(typed);
  HostApDocManager& documents = cp.services().documents();
  if (HostApDocument* open = findOpenDrawing(documents, path)) {
    documents.activateDocument(open);
    cp.input().print(hostFormat(hostText(HostText::kAlreadyOpen).c_str(), hostEscapeControls(open->title()).c_str()));
    return;
  }
  std::string error;
  HostDrawingRead read;
  read.recover = recover;
  if (!openDrawingFile(documents, path, error, read)) {
    cp.input().print(
        hostFormat(hostText(HostText::kCannotOpen).c_str(), hostEscapeControls(path).c_str(), error.c_str()));
    std::error_code ec;
    if (!recover && fs::is_regular_file(path, ec)) cp.input().print(hostText(HostText::kRecoverHint));
    return;
  }
  cp.input().print(hostFormat(hostText(HostText::kOpened).c_str(), hostEscapeControls(path).c_str()));
  sayNotes(cp, readingNotes(read));
}

}  // namespace

void commandOpen(CommandProcessor& cp) { openOrRecover(cp, false); }

void commandRecover(CommandProcessor& cp) { openOrRecover(cp, true); }

void commandSave(CommandProcessor& cp) {
  if (HostApDocument* doc = cp.requireDocument()) save(cp, *doc);
}

void commandSaveAs(CommandProcessor& cp) {
  if (HostApDocument* doc = cp.requireDocument()) saveAs(cp, *doc);
}

void commandClose(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  if (doc->isModified()) {
    const int choice = askChoice(cp, HostText::kSaveChangesPrompt, doc->title(), HostText::kYesNoCancelKeywords);
    if (choice == -2 || choice == 2) return;                      // cancelled: the drawing stays open
    if ((choice == -1 || choice == 0) && !save(cp, *doc)) return;  // Yes (the default): only a saved drawing closes
  }
  const std::string title = doc->title();
  try {
    cp.services().documents().closeDocument(doc);
  } catch (const HostError& e) {
    cp.input().print(hostFormat(hostText(HostText::kCannotClose).c_str(), hostEscapeControls(title).c_str(), e.what()));
    return;
  }
  cp.input().print(hostFormat(hostText(HostText::kClosed).c_str(), hostEscapeControls(title).c_str()));
  sayCurrent(cp);
}

void commandQuit(CommandProcessor& cp) {
  int unsaved = 0;
  for (HostApDocument* doc : cp.services().documents().documents())
    if (doc->isModified()) ++unsaved;
  if (unsaved > 0) {
    const OdString list = hostText(HostText::kYesNoKeywords);
    const OdString shown = hostFormat(hostText(HostText::kQuitUnsavedPrompt).c_str(), unsaved, "%s");
    const int r = cp.input().getKeyword(shown, list, kPromptHasDefault);
    const int locals = static_cast<int>(HostKeywordList(list).local().size());
    if (r != kPromptKeyword && r != kPromptKeyword + locals) return;  // only Yes quits
  }
  cp.requestQuit();
}

void commandSwitch(CommandProcessor& cp) {
  HostApDocManager& documents = cp.services().documents();
  const auto& docs = documents.documents();
  if (docs.empty()) {
    cp.input().print(hostText(HostText::kNoDrawing));
    return;
  }
  cp.input().print(hostText(HostText::kDrawingList));
  int current = 1;
  for (std::size_t i = 0; i < docs.size(); ++i) {
    const bool active = docs[i] == documents.curDocument();
    if (active) current = static_cast<int>(i + 1);
    cp.input().print(hostFormat("%3d %c %s%s", static_cast<int>(i + 1), active ? '*' : ' ',
                                hostEscapeControls(docs[i]->title()).c_str(),
                                docs[i]->isModified() ? hostText(HostText::kModifiedMark).c_str() : ""));
  }
  OdString typed;
  const int r = cp.input().getString(hostFormat(hostText(HostText::kSwitchPrompt).c_str(), current), "",
                                     kTextAnswer, typed);
  if (r != kPromptText) return;
  HostApDocument* chosen = nullptr;
  char* end = nullptr;
  const long number = std::strtol(typed.c_str(), &end, 10);
  if (end && *end == 0 && number >= 1 && number <= static_cast<long>(docs.size()))
    chosen = docs[static_cast<std::size_t>(number - 1)];
  for (std::size_t i = 0; !chosen && i < docs.size(); ++i)
    if (qrv::equalNoCase(docs[i]->title(), typed) || docs[i]->fileName() == drawingPath(typed)) chosen = docs[i];
  if (!chosen) {
    cp.input().print(hostFormat(hostText(HostText::kUnknownDrawing).c_str(), hostEscapeControls(typed).c_str()));
    return;
  }
  documents.activateDocument(chosen);
  sayCurrent(cp);
}

const std::vector<HostCommandDef>& hostCommands() {
  static const std::vector<HostCommandDef> commands = {
      {"NEW", commandNew, false, false},       {"OPEN", commandOpen, false, false},
      {"RECOVER", commandRecover, false, false},
      {"SAVE", commandSave, true, false},      {"SAVEAS", commandSaveAs, true, false},
      {"CLOSE", commandClose, false, false},   {"QUIT", commandQuit, false, false},
      {"EXIT", commandQuit, false, false},     {"SWITCH", commandSwitch, false, false},
      {"UNDO", commandUndo, true, false},      {"U", commandUndoOne, true, false},
      {"REDO", commandRedo, true, false},
      {"SETVAR", commandSetvar, true, true},   {"HELP", commandHelp, false, false},
      {"EXPORT", commandExport, true, true},   {"DIMREGEN", commandDimRegen, true, true},
      {"DIMLINEAR", commandDimLinear, true, true},     {"DIMALIGNED", commandDimAligned, true, true},
      {"DIMRADIUS", commandDimRadius, true, true},     {"DIMDIAMETER", commandDimDiameter, true, true},
      {"DIMARC", commandDimArc, true, true},           {"DIMANGULAR", commandDimAngular, true, true},
      {"DIMORDINATE", commandDimOrdinate, true, true}, {"LEADER", commandLeader, true, true},
      {"DIMBASELINE", commandDimBaseline, true, true}, {"DIMCONTINUE", commandDimContinue, true, true},
      {"DIMJOGGED", commandDimJogged, true, true},     {"DIMTEDIT", commandDimTedit, true, true},
      {"MATCHPROP", commandMatchProp, true, true},     {"-DIMGRIP", commandDimGrip, true, true},
      {"ERASE", commandErase, true, true},      {"-LAYER", commandLayer, true, true},
      {"DIMREASSOCIATE", commandDimReassociate, true, true},
      {"DIMDISASSOCIATE", commandDimDisassociate, true, true},
      {"LAYER", commandLayerManager, true, true},
      {"MOVE", commandMove, true, true},        {"COPY", commandCopy, true, true},
      {"ROTATE", commandRotate, true, true},    {"MIRROR", commandMirror, true, true},
      {"SCALE", commandScale, true, true},      {"STRETCH", commandStretch, true, true},
      {"SELECT", commandSelect, false, false}, {"PROPERTIES", commandProperties, false, false},
      {"REFRESHPROPERTIES", commandRefreshProperties, false, false},
      {"ZOOM", commandZoom, false, false},     {"SNAPSHOT", commandSnapshot, false, false},
  };
  return commands;
}

const HostCommandDef* findHostCommand(const std::string& name) {
  for (const HostCommandDef& c : hostCommands())
    if (qrv::equalNoCase(c.name, name)) return &c;
  return nullptr;
}

}  // namespace qrvhost
