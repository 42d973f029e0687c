#pragma once
// The command line: reads a command name at the "Command:" prompt and runs
// it. Names are looked up in this order: the host's commands, the commands
// modules registered, the host's dialog commands (DIMSTYLE), the system
// variables (typing a name shows the value and asks for a new one).
#include <functional>
#include <string>

class HostApDocument;
class HostEdInput;
class HostServices;

namespace qrvhost {

class CommandProcessor {
public:
  explicit CommandProcessor(HostServices& services);

  // Runs commands until QUIT or the end of the input.
  void run();
  // Runs the command a user typed at the Command prompt.
  void runTyped(const std::string& typed);

  void requestQuit() { m_quit = true; }
  bool quitRequested() const { return m_quit; }

  HostServices& services() { return m_services; }
  HostEdInput& input();
  // The active document; null (after saying "No drawing is open.") when none.
  HostApDocument* requireDocument();

  struct RunOptions {
    bool lockDocument = false;  // lock the active document for writing meanwhile
    bool undoStep = false;      // the command's changes are one undo step
    bool dialog = false;        // CMDACTIVE also says a dialog is up
  };
  // Runs a command body as the host runs every command: CMDACTIVE set,
  // editor reactors told, the document locked and the undo step open as
  // asked, and a failure reported instead of ending the session.
  void runCommand(const std::string& globalName, RunOptions options, const std::function<void()>& body);

private:
  bool runModuleCommand(const std::string& name);
  bool runDialogCommand(const std::string& name);

  HostServices& m_services;
  bool m_quit = false;
  bool m_running = false;
};

}  // namespace qrvhost
