#include "session.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>
#include <iterator>
#include <iostream>
#include <memory>

#include "OdDbDatabase.h"
#include "app_services.h"
#include "batch_run.h"
#include "cli_options.h"
#include "command_names.h"
#include "command_processor.h"
#include "console.h"
#include "documents.h"
#include "drawing_files.h"
#include "dxf_binding.h"
#include "editor_input.h"
#include "host_commands.h"
#include "host_log.h"
#include "host_paths.h"
#include "host_services.h"
#include "host_text.h"
#include "host_texts_local.h"
#include "host_context.h"
#include "recovery_files.h"
#include "recovery_offer.h"
#include "standard_input_stream.h"
#include "line_editor_input.h"
#include "linetype_file.h"
#include "main_window_link.h"
#include "sysvars.h"
#include "module_loader.h"
#include "terminal_input.h"
#include "text_format.h"
#include "translation.h"
#include "backend.h"
#include "display_probe.h"

#include <cstdlib>

#ifdef QRVHOST_HAVE_RENDER
#include "box_selector.h"
#include "dim_block_builder.h"
#include "native_gate.h"
#endif

namespace qrvhost {

namespace {

int failWith(int status, const std::string& message) {
  std::cerr << "qrvhost: " << message << std::endl;
  hostTraceNote("host/session", __LINE__, message);
  return status;
}

// The whole of a script file; false with `error` set when it cannot be read
// (a folder, a file whose reading fails such as /proc/self/mem). Read with
// plain system calls: a failing read then is an error to report, not an
// exception from deep inside a stream.
bool readScriptFile(const std::string& path, std::string& text, std::string& error) {
  auto fail = [&](const std::string& why) {
    error = "cannot read the script " + path + ": " + why;
    return false;
  };
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return fail(std::strerror(errno));
  if (S_ISDIR(st.st_mode)) return fail("it is a folder");
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail(std::strerror(errno));
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) {
      text.append(buf, std::size_t(n));
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      const int err = errno;
      ::close(fd);
      return fail(std::strerror(err));
    }
  }
  ::close(fd);
  // Lines typed as UTF-16 would run as garbage commands: refused whole.
  if (hostLooksLikeUtf16(text)) return fail(kHostUtf16Refusal);
  return true;
}

// Filled while the session's services exist: the line editor's completion
// reads the commands and variables there.
HostServices* gCompletionServices = nullptr;

// A person at a terminal gets line editing; piped input and terminals
// without it read plain lines.
std::unique_ptr<HostInputSource> openTerminalInput() {
  LineEditorSetup setup;
  if (const std::string folder = dataFolder(); !folder.empty()) setup.historyFile = folder + "/history";
  setup.words = [] {
    CompletionWords words;
    if (!gCompletionServices) return words;
    words.commands = typeableCommandNames(*gCompletionServices);
    words.variables = gCompletionServices->sysVars().names();
    return words;
  };
  setup.isCommandPrompt = [](const std::string& prompt) {
    return hostTrim(prompt) == hostTrim(std::string(hostText(HostText::kCommandPrompt).c_str()));
  };
  std::string why;
  if (::isatty(STDIN_FILENO) && ::isatty(STDOUT_FILENO)) {
    if (auto editor = openLineEditor(std::move(setup), why)) return editor;
    hostTraceNote("host/session", __LINE__, "plain terminal input: " + why);
  }
  return std::make_unique<TerminalInput>();
}

// The script as the session's input; null with `error` set when it cannot be read.
std::unique_ptr<HostInputSource> openInput(const CliOptions& options, std::unique_ptr<std::istream>& stream,
                                           std::string& error) {
  if (!options.script) return openTerminalInput();
  if (*options.script == "-") {
    stream = std::make_unique<StandardInputStream>();
    return std::make_unique<ScriptInput>(*stream);
  }
  std::string text;
  if (!readScriptFile(*options.script, text, error)) return nullptr;
  stream = std::make_unique<std::istringstream>(std::move(text));
  return std::make_unique<ScriptInput>(*stream);
}

// Standard input that is a pipe or a file is read like a script: such a
// session is someone's program talking to the host, not a person.
bool stdinIsPiped() {
  struct stat st {};
  return ::fstat(0, &st) == 0 && (S_ISFIFO(st.st_mode) || S_ISREG(st.st_mode));
}

// Whether the session runs in the main window: asked for, or a person
// starts the host where a display answers.
bool wantsWindow(const CliOptions& options) {
  if (options.gui) return true;
  if (options.console || options.script || options.each || stdinIsPiped()) return false;
  return ui::displayReachable();
}

// Qt ends the process when it has no display to show on; say so instead.
bool windowCanShow() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  return (platform && *platform) || ui::displayReachable();
}

// Opens the drawings of the command line (the last one stays active), or
// the sample drawing, or a new drawing. False when a named drawing cannot
// be opened.
bool openStartDrawings(const CliOptions& options, HostServices& services, std::string& error) {
  HostApDocManager& documents = services.documents();
  for (const std::string& name : options.drawings) {
    const std::string path = drawingPath(name);
    if (findOpenDrawing(documents, path)) continue;
    std::string why;
    HostDrawingRead read;
    read.recover = options.recover;
    if (!openDrawingFile(documents, path, why, read)) {
      error = "cannot open " + name + ": " + why;
      return false;
    }
    for (const std::string& note : readingNotes(read))
      services.console().print(hostFormat(hostText(HostText::kReadNote).c_str(), (name + ": " + note).c_str()));
  }
  if (!options.drawings.empty()) return true;
  if (!options.newDrawing) {
    if (auto sample = sampleDrawing()) {
      std::string why;
      if (openDrawingFile(documents, *sample, why)) return true;
      std::cerr << "qrvhost: cannot open the sample drawing " << *sample << ": " << why
                << "; starting with a new drawing" << std::endl;
    } else {
      std::cerr << "qrvhost: no sample drawing found; starting with a new drawing" << std::endl;
    }
  }
  documents.addDocument(services.app().createNewDrawing(), "", "");
  return true;
}

// The keeper of this session's recovery copies; null without a data
// folder to keep them in.
std::unique_ptr<RecoveryKeeper> startRecovery(HostConsole& console) {
  const std::string folder = dataFolder();
  if (folder.empty()) return nullptr;
  std::string error;
  const auto interval = recoveryInterval(error);
  if (!error.empty()) console.print(hostFormat(localText(LocalText::kRecoveryProblem).c_str(), error.c_str()));
  return std::make_unique<RecoveryKeeper>(folder + "/recovery", interval);
}

}  // namespace

int runHost(int argc, const char* const* argv) {
  std::string error;
  const auto options = parseCommandLine(argc, argv, error);
  if (!options) {
    std::cerr << "qrvhost: " << error << '\n' << usageText();
    return kExitUsage;
  }
  if (options->help) {
    std::cout << usageText();
    return kExitOk;
  }
  if (options->version) {
    std::cout << "qrvhost 0.1\n";
    return kExitOk;
  }
  setHostLanguage(options->language.value_or(hostLanguageFromEnvironment()));

  if (options->logFile) {
    if (!setHostLogFile(*options->logFile, &error)) return failWith(kExitUsage, error);
  } else if (const std::string path = defaultLogPath(); !path.empty()) {
    // Without a log file errors still reach standard error: the session
    // goes on, but says once that nothing is logged.
    std::string why;
    if (!setHostLogFile(path, &why)) std::cerr << "qrvhost: " << why << "; going on without a log" << std::endl;
  }

  const bool window = wantsWindow(*options);
  if (window && !windowCanShow())
    return failWith(kExitUsage, "--gui: no display answers (DISPLAY, WAYLAND_DISPLAY); use --console");
  std::unique_ptr<std::istream> scriptStream;
  std::unique_ptr<HostInputSource> script;
  if (!window || options->script) {
    script = openInput(*options, scriptStream, error);
    if (!script) return failWith(kExitScript, error);
  }
  // --each replays the whole script for every drawing: read it once.
  std::string eachScript;
  if (options->each) {
    std::istream& from = scriptStream ? *scriptStream : std::cin;
    eachScript.assign(std::istreambuf_iterator<char>(from), std::istreambuf_iterator<char>());
    if (hostLooksLikeUtf16(eachScript))
      return failWith(kExitScript, "cannot read the script " + *options->script + ": " + kHostUtf16Refusal);
  }
#ifdef QRVHOST_HAVE_RENDER
  // Dimensions build their geometry with the renderer's builders.
  render::installDimBlockBuilder();
  // Modules draw pictures (the style preview) through the host's gate.
  render::installNativeGate();
  // Typed selection boxes take what the pictures put in them.
  render::installBoxSelector();
#endif

  // The window outlives the console that prints into it.
  std::unique_ptr<MainWindowLink> mainWin;
  std::unique_ptr<std::ostream> windowOut;
  HostInputSource* input = script.get();
  if (window) {
    WindowStart start;
    start.script = script.get();
    start.echoToStdout = bool(options->script);
    for (const HostCommandDef& c : hostCommands()) start.commandNames.push_back(c.name);
    start.commandNames.insert(start.commandNames.end(), {"DIMSTYLE", "DDIM"});
    mainWin = openMainWindow(start, error);
    if (!mainWin && options->gui) return failWith(kExitUsage, error);
  }
  // A script plays the user of every dialog too, so dialogs must not wait
  // for a user who is not there (unless the caller asked for a backend):
  // without a window they stay headless; beside the window they show
  // theirs while the script's lines play them.
  if (options->script) {
    setenv("QRV_UI", mainWin ? "qt" : "headless", 0);
    ui::setScriptedSession(true);
  }
  if (mainWin) {
    windowOut = std::make_unique<std::ostream>(&mainWin->output());
    input = &mainWin->input();
    setMainWindow(mainWin.get());
  } else if (!input) {
    // No window after all (a build without Qt): the terminal session.
    std::cerr << "qrvhost: " << error << "; starting the terminal session" << std::endl;
    script = openInput(*options, scriptStream, error);
    input = script.get();
  }

  int status = kExitOk;
  {
    HostConsole console(*input, windowOut ? *windowOut : std::cout);
    HostServicesOptions serviceOptions;
    serviceOptions.helpFolder = helpFolder();
    HostServices services(console, serviceOptions);
    hostSetDefaultLinetypeFile(linetypeFile());
    installTextStyleCommand(services);
    bindDrawingFiles();

    LoadedModule module;
    if (!module.load(options->module.value_or(defaultModulePath()), error)) return failWith(kExitModule, error);
    gCompletionServices = &services;

    if (options->each) {
      if (runScriptOnEach(options->drawings, eachScript, services, console, options->recover,
                          options->saveVersion, options->acceptLosses) > 0)
        status = kExitBatchFailed;
    } else if (!openStartDrawings(*options, services, error)) {
      status = failWith(kExitDrawing, error);
    } else {
      std::unique_ptr<RecoveryKeeper> recovery = startRecovery(console);
      // Only a person is asked; a script leaves what it finds for one.
      const bool person = !options->script && (mainWin || ::isatty(STDIN_FILENO));
      const auto ask = [&](const std::string& question) {
        return mainWin ? mainWin->askYesNo(question) : gpQrContext->questionBox(question) == 1;
      };
      if (recovery && person) offerLeftDrawings(*recovery, services, ask);
      CommandProcessor processor(services, input);
      if (person) processor.askPerson = ask;
      if (recovery)
        processor.onCommandPrompt = [&] {
          for (const std::string& problem : recovery->tick(services.documents()))
            console.print(hostFormat(localText(LocalText::kRecoveryProblem).c_str(), problem.c_str()));
        };
      processor.run();
      // The reason was shown and written to standard error when it failed.
      if (options->script && processor.saveFailed()) status = kExitSaveFailed;
      // A script read as it comes (standard input) is told UTF-16 only at
      // its first line; nothing of it ran.
      if (auto* piped = dynamic_cast<ScriptInput*>(script.get()); piped && !piped->refusal().empty())
        status = failWith(kExitScript, "cannot read the script " + *options->script + ": " + piped->refusal());
    }
    // Documents go first, so the module's reactor hears about each of them
    // before it is detached; then the module; then the services.
    setMainWindow(nullptr);
    if (mainWin) mainWin->sessionEnding();
    HostApDocManager& documents = services.documents();
    while (!documents.documents().empty()) documents.closeDocument(documents.documents().back());
    module.unload();
    gCompletionServices = nullptr;
  }
  closeHostLog();
  return status;
}

}  // namespace qrvhost
