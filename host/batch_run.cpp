#include "batch_run.h"

#include <algorithm>
#include <sstream>

#include "OdResult.h"
#include "command_processor.h"
#include "console.h"
#include "documents.h"
#include "drawing_files.h"
#include "dwg_converter.h"
#include "file_output.h"
#include "host_log.h"
#include "host_services.h"
#include "host_text.h"
#include "text_format.h"
#include "translation.h"

namespace qrvhost {

namespace {

// What the console reads between runs: nothing more.
class EndedInput : public HostInputSource {
public:
  HostAnswer next() override { return HostAnswer{}; }
  bool echoAnswers() const override { return true; }
};

// Runs the script on the open document; false with `why` when it failed.
bool runScript(const std::string& script, HostServices& services, HostConsole& console, std::string& why) {
  static EndedInput ended;
  std::istringstream in(script);
  ScriptInput input(in);
  console.setInput(input);
  bool ok = false;
  try {
    // Given the script as its input, so that a command typed with its
    // answers on one line runs as in a plain script session.
    CommandProcessor processor(services, &input);
    processor.setBatch(true);
    processor.run();
    why = processor.batchFailure();
    ok = why.empty();
  } catch (const OdError& e) {
    why = e.description();
  } catch (const std::exception& e) {
    why = e.what();
  }
  console.setInput(ended);  // `input` goes now; the console must not keep it
  return ok;
}

}  // namespace

int runScriptOnEach(const std::vector<std::string>& drawings, const std::string& script, HostServices& services,
                    HostConsole& console, bool recover, const std::string& saveVersion, bool acceptLosses) {
  HostApDocManager& documents = services.documents();
  std::vector<std::pair<std::string, std::string>> failures;
  int saved = 0;
  const int total = int(drawings.size());
  for (int i = 0; i < total; ++i) {
    const std::string& name = drawings[i];
    console.print(hostFormat(hostText(HostText::kBatchProgress).c_str(), i + 1, total, name.c_str()));
    const std::string path = drawingPath(name);
    // A DWG is converted, and saved beside itself as DXF: never written over.
    const std::string savePath = isDwgPath(path) ? dxfNameFor(path) : path;
    std::string why;
    std::vector<std::string> kept;
    HostDrawingRead read;
    read.recover = recover;
    HostApDocument* doc = openDrawingFile(documents, path, why, read);
    if (doc)
      for (const std::string& note : readingNotes(read))
        console.print(hostFormat(hostText(HostText::kReadNote).c_str(), note.c_str()));
    if (doc && !saveVersion.empty()) doc->setSaveVersion(saveVersion);
    if (!doc) {
      failures.emplace_back(name, hostFormat(hostText(HostText::kBatchCannotOpen).c_str(), why.c_str()));
    } else if (recover && read.leftOut > 0 && !acceptLosses) {
      // Saved in place, a drawing that holds less than its file would
      // replace it: only the user says that may be.
      failures.emplace_back(name, hostFormat(hostText(HostText::kBatchRecoveryLeftOut).c_str(), int(read.leftOut)));
    } else if (!runScript(script, services, console, why)) {
      failures.emplace_back(name, hostFormat(hostText(HostText::kBatchScriptFailed).c_str(), why.c_str()));
    } else if (std::find(documents.documents().begin(), documents.documents().end(), doc) ==
               documents.documents().end()) {
      failures.emplace_back(name, hostText(HostText::kBatchDrawingClosed));
      doc = nullptr;
    } else if (hostIsReadOnlyFile(savePath)) {
      // Nobody answers whether a read-only drawing may be replaced.
      failures.emplace_back(name, hostFormat(hostText(HostText::kBatchCannotSave).c_str(), "the file is read-only"));
    } else if (fileChangedOnDisk(*doc, savePath)) {
      failures.emplace_back(name, hostFormat(hostText(HostText::kBatchCannotSave).c_str(),
                                             "the file changed on disk while the script ran"));
    } else if (!saveDrawingFile(*doc, savePath, why, &kept)) {
      // The file layer saves atomically: the old file is still there.
      failures.emplace_back(name, hostFormat(hostText(HostText::kBatchCannotSave).c_str(), why.c_str()));
    } else {
      ++saved;
    }
    for (const std::string& line : kept) console.print(line);
    if (!failures.empty() && failures.back().first == name) {
      console.print(hostFormat(hostText(HostText::kBatchFailed).c_str(), i + 1, total, name.c_str(),
                               failures.back().second.c_str()));
      hostTraceError("host/batch", __LINE__, name + ": " + failures.back().second);
    } else {
      // A DWG's DXF is said by name: the DWG itself did not change.
      const std::string shown = savePath == path ? name : name + " -> " + savePath;
      console.print(hostFormat(hostText(HostText::kBatchSaved).c_str(), i + 1, total, shown.c_str()));
    }
    // Close every drawing the run left open, unsaved changes or not: each
    // drawing starts alone, and only the saved file counts.
    while (!documents.documents().empty()) documents.closeDocument(documents.documents().back());
  }
  console.print(hostFormat(hostText(HostText::kBatchSummary).c_str(), total, saved,
                           int(failures.size())));
  for (const auto& [name, why] : failures) console.print("  " + name + ": " + why);
  return int(failures.size());
}

}  // namespace qrvhost
