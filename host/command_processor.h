#pragma once
// The command line: reads a command name at the "Command:" prompt and runs
// it. Names are looked up in this order: the host's commands, the commands
// modules registered, the host's dialog commands (DIMSTYLE), the system
// variables (typing a name shows the value and asks for a new one).
#include <functional>
#include <memory>
#include <optional>
#include <string>

class HostApDocument;
class HostEdInput;
class HostInputSource;
class HostServices;

namespace qrvhost {

class LineAnswers;

class CommandProcessor {
public:
  // With the session's input source, a command may be followed on the same
  // line by answers to its prompts ("EXPORT out.svg"); without one, the
  // Command prompt takes a command name alone.
  explicit CommandProcessor(HostServices& services, HostInputSource* input = nullptr);
  ~CommandProcessor();
  CommandProcessor(const CommandProcessor&) = delete;
  CommandProcessor& operator=(const CommandProcessor&) = delete;

  // Runs commands until QUIT or the end of the input.
  void run();
  // Runs the command a user typed at the Command prompt: a command name,
  // optionally followed by blank-separated answers that the command's
  // prompts take in turn before asking the user. Answers left when the
  // command ends are dropped (and said so).
  void runTyped(const std::string& typed);

  // Runs at every Command prompt before it asks (work between commands,
  // such as saving recovery copies).
  std::function<void()> onCommandPrompt;
  // Puts a Yes/No question to the person using the session (a message box
  // in the window, a prompt in the console) and gives true for Yes; empty
  // when nobody is there to answer (a script, piped input, a batch), where
  // what needs a person's word is refused instead.
  std::function<bool(const std::string& question)> askPerson;

  void requestQuit() { m_quit = true; }
  bool quitRequested() const { return m_quit; }

  // A batch script (qrvhost --each) works on the one drawing the batch
  // opened: OPEN, NEW and CLOSE are refused, and the first command that is
  // refused, unknown, fails, is cancelled (by a "^C" line, or by the script
  // ending while the command still asks), had an answer refused or noted a
  // refusal (noteRefused) fails the drawing and ends the script;
  // batchFailure() then says why.
  void setBatch(bool batch) { m_batch = batch; }
  const std::string& batchFailure() const { return m_batchFailure; }
  // A SAVE or SAVEAS that failed; a script session then ends with an error
  // status.
  void noteSaveFailed() {
    m_saveFailed = true;
    noteRefused(std::string());
  }
  // The command did not do what it was asked (its reason is on the command
  // line already): a batch fails the drawing once the command ends.
  void noteRefused(const std::string& why) {
    if (!m_refusal) m_refusal = why;
  }
  bool saveFailed() const { return m_saveFailed; }

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

  void runNamed(const std::string& typed);
  void failBatch(const std::string& why);

  HostServices& m_services;
  HostInputSource* m_input = nullptr;
  // Stands between the console and m_input for the processor's life.
  std::unique_ptr<LineAnswers> m_line;
  bool m_quit = false;
  bool m_running = false;
  bool m_batch = false;
  std::string m_batchFailure;
  bool m_saveFailed = false;
  std::optional<std::string> m_refusal;  // of the running command
};

}  // namespace qrvhost
