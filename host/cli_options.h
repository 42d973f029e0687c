#pragma once
// The command-line interface of qrvhost:
//   qrvhost [--gui|--console] [--lang en|ru] [--script FILE|-] [--log FILE] [--new]
//           [--module FILE] [--each [--dxf-version V]] [--recover [--accept-losses]] [--help] [--version] [DRAWING.dxf ...]
#include <optional>
#include <string>
#include <vector>

#include "translation.h"

namespace qrvhost {

struct CliOptions {
  std::optional<HostLanguage> language;  // --lang; else the environment's
  std::optional<std::string> script;     // --script FILE, "-" for standard input
  std::optional<std::string> logFile;    // --log FILE
  std::optional<std::string> module;     // --module FILE (another build of the module)
  bool newDrawing = false;               // --new: a new drawing instead of the sample
  bool each = false;                     // --each: run the script once per drawing, save each
  bool recover = false;                  // --recover: open the drawings named through recovery
  bool acceptLosses = false;             // --accept-losses: --each saves what recovery left something out of
  std::string saveVersion;               // --dxf-version R12: the DXF version --each saves in
  bool gui = false;                      // --gui: the main window, also with --script
  bool console = false;                  // --console: the terminal session even with a display
  bool help = false;
  bool version = false;
  std::vector<std::string> drawings;     // opened in order; the last is active
};

// The options, or nothing with `error` set (a one-line message).
std::optional<CliOptions> parseCommandLine(int argc, const char* const* argv, std::string& error);

const char* usageText();

}  // namespace qrvhost
