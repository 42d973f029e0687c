#include "cli_options.h"

#include <cstring>

#include "drawing_io.h"

namespace qrvhost {

const char* usageText() {
  return "usage: qrvhost [--gui|--console] [--lang en|ru] [--script FILE|-] [--log FILE] [--new]\n"
         "               [--module FILE] [--each [--dxf-version V]] [--recover [--accept-losses]]\n"
         "               [--help] [--version] [DRAWING.dxf|.dwg ...]\n"
         "  --gui            the main window (the default when a display answers and neither\n"
         "                   --script nor --console is given); with --script the script's lines\n"
         "                   are typed into the window's command line\n"
         "  --console        the terminal session, even when a display answers\n"
         "  --lang en|ru     language of the texts (default: from LC_ALL, LC_MESSAGES or LANG)\n"
         "  --script FILE    answers from FILE, one line per answer ('-': standard input);\n"
         "                   the session ends without saving after the last line\n"
         "  --log FILE       the trace log (default: ~/.local/share/qrvhost/qrvhost.log)\n"
         "  --new            start with a new drawing instead of the sample drawing\n"
         "  --module FILE    load this module library instead of libdds.so next to qrvhost\n"
         "  --each           with --script: run the script on each drawing in turn and save it;\n"
         "                   a progress line per drawing and a summary at the end\n"
         "  --dxf-version V  with --each: save in DXF version V (R12, R2000, R2004, R2007, R2010,\n"
         "                   R2013, R2018) instead of each drawing's own\n"
         "  --recover        open the drawings named through recovery, as RECOVER does: a damaged\n"
         "                   file is read as far as it goes, each repair said\n"
         "  --accept-losses  with --each --recover: also save a drawing of which recovery left\n"
         "                   something out (records, tags, lines); without it such a drawing fails\n"
         "                   and its file stays as it is\n"
         "  DRAWING.dxf      drawings to open (DXF, or DWG through the DWG converter);\n"
         "                   the last one is the current drawing\n";
}

std::optional<CliOptions> parseCommandLine(int argc, const char* const* argv, std::string& error) {
  CliOptions options;
  bool onlyFiles = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](const char* option) -> std::optional<std::string> {
      if (i + 1 >= argc) {
        error = std::string("option ") + option + " needs a value";
        return std::nullopt;
      }
      return std::string(argv[++i]);
    };
    if (onlyFiles || arg.empty() || arg[0] != '-') {
      if (arg.empty()) {
        error = "an empty drawing name";
        return std::nullopt;
      }
      options.drawings.push_back(arg);
    } else if (arg == "--") {
      onlyFiles = true;
    } else if (arg == "--lang") {
      auto v = value("--lang");
      if (!v) return std::nullopt;
      if (*v != "en" && *v != "ru") {
        error = "--lang takes en or ru, not '" + *v + "'";
        return std::nullopt;
      }
      options.language = parseHostLanguage(*v);
    } else if (arg == "--script") {
      auto v = value("--script");
      if (!v) return std::nullopt;
      options.script = *v;
    } else if (arg == "--log") {
      auto v = value("--log");
      if (!v) return std::nullopt;
      options.logFile = *v;
    } else if (arg == "--module") {
      auto v = value("--module");
      if (!v) return std::nullopt;
      options.module = *v;
    } else if (arg == "--new") {
      options.newDrawing = true;
    } else if (arg == "--each") {
      options.each = true;
    } else if (arg == "--dxf-version") {
      auto v = value("--dxf-version");
      if (!v) return std::nullopt;
      options.saveVersion = hostSaveVersionName(*v);
      if (options.saveVersion.empty()) {
        error = "--dxf-version takes one of " + std::string(kHostSaveVersions) + ", not '" + *v + "'";
        return std::nullopt;
      }
    } else if (arg == "--recover") {
      options.recover = true;
    } else if (arg == "--accept-losses") {
      options.acceptLosses = true;
    } else if (arg == "--gui") {
      options.gui = true;
    } else if (arg == "--console") {
      options.console = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else {
      error = "unknown option '" + arg + "'";
      return std::nullopt;
    }
  }
  if (options.each && (!options.script || options.drawings.empty())) {
    error = "--each needs --script FILE and at least one drawing";
    return std::nullopt;
  }
  if (!options.saveVersion.empty() && !options.each) {
    error = "--dxf-version goes with --each (SAVEAS chooses the version in a session)";
    return std::nullopt;
  }
  if (options.gui && options.console) {
    error = "--gui and --console exclude each other";
    return std::nullopt;
  }
  if (options.gui && options.each) {
    error = "--each runs without a window; --gui and --each exclude each other";
    return std::nullopt;
  }
  if (options.recover && options.drawings.empty()) {
    error = "--recover needs at least one drawing";
    return std::nullopt;
  }
  if (options.acceptLosses && !(options.each && options.recover)) {
    error = "--accept-losses goes with --each --recover";
    return std::nullopt;
  }
  if (options.newDrawing && !options.drawings.empty()) {
    error = "--new and drawing names exclude each other";
    return std::nullopt;
  }
  return options;
}

}  // namespace qrvhost
