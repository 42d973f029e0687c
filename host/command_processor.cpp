#include "command_processor.h"

#include "input_wait.h"

#include "opm/opm_services.h"

#include <algorithm>
#include <deque>
#include <exception>
#include <sstream>
#include <utility>

#include "OdDbDatabase.h"
#include "OdDbDimAssocFollow.h"
#include "OdStringUtil.h"
#include "assoc_texts.h"
#include "command_factory.h"
#include "console.h"
#include "documents.h"
#include "editor_input.h"
#include "editor_reactor.h"
#include "host_commands.h"
#include "host_context.h"
#include "host_error.h"
#include "host_log.h"
#include "host_services.h"
#include "host_text.h"
#include "host_texts_local.h"
#include "sysvars.h"
#include "text_format.h"

namespace qrvhost {

namespace {
constexpr int kCmdActiveCommand = 1;
constexpr int kCmdActiveDialog = 8;
}  // namespace

// Answers typed after the command name on the Command line, handed to the
// command's prompts before the session's own input is asked again. They
// are shown after their prompts, as a script's answers are. It stands in
// front of the session's input for the processor's whole life, so that the
// console never changes its source in the middle of a session.
class LineAnswers final : public HostInputSource {
public:
  explicit LineAnswers(HostInputSource& rest) : m_rest(rest) {}
  HostAnswer next() override {
    m_fromLine = !m_words.empty();
    if (!m_fromLine) return m_rest.next();
    HostAnswer answer{HostAnswer::kText, m_words.front()};
    m_words.pop_front();
    return answer;
  }
  bool echoAnswers() const override { return m_fromLine || m_rest.echoAnswers(); }
  // An answer from the line is shown after a prompt the console prints.
  bool showsPrompt() const override { return m_words.empty() && m_rest.showsPrompt(); }
  void setPrompt(const std::string& prompt) override { m_rest.setPrompt(prompt); }
  void set(std::deque<std::string> words) { m_words = std::move(words); }
  // The answers nobody asked for; none are left afterwards.
  std::deque<std::string> takeLeft() { return std::exchange(m_words, {}); }

private:
  std::deque<std::string> m_words;
  HostInputSource& m_rest;
  bool m_fromLine = false;
};

CommandProcessor::CommandProcessor(HostServices& services, HostInputSource* input)
    : m_services(services), m_input(input) {
  if (m_input) {
    m_line = std::make_unique<LineAnswers>(*m_input);
    m_services.console().setInput(*m_line);
  }
  installConsolePickers(m_services.editorInput());
  // Dimensions whose geometry went say so where the user works.
  odDbSetDimAssocNoteSink([this](OdDbHandle dimension, OdDbDimAssocLoss why) {
    const AssocText text = why == OdDbDimAssocLoss::kGeometryGone ? AssocText::kLostWhole
                           : why == OdDbDimAssocLoss::kPointGone  ? AssocText::kLostPoint
                                                                  : AssocText::kMovedAway;
    this->input().print(hostFormat(assocText(text).c_str(), dimension.ascii().c_str()));
  });
  // Modules ask for host commands by name (the palette's "RefreshProperties").
  hostSetCommandRunner([this](const OdString& name) {
    const HostCommandDef* def = findHostCommand(name);
    if (!def) return false;
    def->run(*this);
    return true;
  });
}

CommandProcessor::~CommandProcessor() {
  hostSetCommandRunner(nullptr);
  hostSetPickers({});
  odDbSetDimAssocNoteSink(nullptr);
  if (m_input) m_services.console().setInput(*m_input);
}

HostEdInput& CommandProcessor::input() { return m_services.editorInput(); }

HostApDocument* CommandProcessor::requireDocument() {
  HostApDocument* doc = m_services.documents().curDocument();
  if (!doc) input().print(hostText(HostText::kNoDrawing));
  return doc;
}

void CommandProcessor::run() {
  while (!m_quit) {
    if (onCommandPrompt) onCommandPrompt();
    OdString typed;
    const int flags = kPromptEmptyAllowed | (m_input ? kPromptBlanksAllowed : 0);
    int r;
    {
      // The same work goes on while the prompt waits (nobody types, or the
      // program feeding the input is busy): no command is half done now.
      HostInputIdleWork idle(onCommandPrompt);
      r = input().getString(hostText(HostText::kCommandPrompt), "", flags, typed);
    }
    if (m_services.console().inputEnded()) break;
    if (r != kPromptText) continue;  // Enter or a cancel at the Command prompt does nothing
    runTyped(typed);
    if (m_services.console().inputEnded()) break;
  }
}

void CommandProcessor::runTyped(const std::string& typed) {
  std::istringstream words(typed);
  std::string name;
  words >> name;
  std::deque<std::string> answers;
  for (std::string w; words >> w;) answers.push_back(w);
  if (answers.empty() || !m_line) return runNamed(answers.empty() ? name : typed);
  m_line->set(std::move(answers));
  runNamed(name);  // runs the command as every command runs: failures end in a message
  const std::deque<std::string> left = m_line->takeLeft();
  if (!left.empty()) {
    std::string rest;
    for (const std::string& w : left) rest += (rest.empty() ? "" : " ") + w;
    input().print(hostFormat(localText(LocalText::kAnswersIgnored).c_str(), rest.c_str()));
  }
}

void CommandProcessor::failBatch(const std::string& why) {
  if (m_batchFailure.empty()) m_batchFailure = why;
  requestQuit();
}

void CommandProcessor::runNamed(const std::string& typed) {
  const std::string name = qrv::toUpper(typed);
  if (m_batch && (name == "OPEN" || name == "NEW" || name == "CLOSE")) {
    input().print(hostFormat(hostText(HostText::kBatchNotAllowed).c_str(), name.c_str()));
    return failBatch(hostFormat(hostText(HostText::kBatchNotAllowed).c_str(), name.c_str()));
  }
  if (const HostCommandDef* def = findHostCommand(name)) {
    runCommand(def->name, {def->lockDocument, def->undoStep, false}, [&] { def->run(*this); });
    return;
  }
  if (runModuleCommand(name) || runDialogCommand(name)) return;
  if (m_services.sysVars().isKnown(name)) {
    const bool writes = !m_services.sysVars().isReadOnly(name);
    runCommand(name, {writes, writes, false}, [&] { editVariable(*this, name); });
    return;
  }
  input().print(hostFormat(hostText(HostText::kUnknownCommand).c_str(), hostEscapeControls(typed).c_str()));
  if (m_batch) failBatch(hostFormat(hostText(HostText::kBatchUnknownCommand).c_str(), typed.c_str()));
}

bool CommandProcessor::runModuleCommand(const std::string& name) {
  const HostCommandEntry* found = gpQrContext ? gpQrContext->findCommand(name) : nullptr;
  if (!found) return false;
  const HostCommandEntry command = *found;  // the registry may change while it runs
  if (m_running && !command.transparent) {
    input().print(hostFormat(hostText(HostText::kNestedCommand).c_str(), command.globalName.c_str()));
    return true;
  }
  RunOptions options;
  options.lockDocument = command.documentCommand;
  options.undoStep = (command.flags & kQrCmdUndoStep) != 0;
  runCommand(command.globalName, options, [&] {
    if (!command.handler) {
      input().print(hostFormat(hostText(HostText::kCommandNoHandler).c_str(), command.globalName.c_str()));
      return;
    }
    command.handler();
  });
  return true;
}

bool CommandProcessor::runDialogCommand(const std::string& name) {
  const HostCommandFactoryRegistry::Entry* entry = m_services.commandFactory().findTyped(name);
  if (!entry) return false;
  const auto function = entry->function;
  runCommand(name, {true, true, true}, [&] { function(); });
  return true;
}

void CommandProcessor::runCommand(const std::string& globalName, RunOptions options,
                                  const std::function<void()>& body) {
  HostApDocManager& documents = m_services.documents();
  HostSysVars& vars = m_services.sysVars();
  const int previousActive = vars.commandActive();
  const bool wasRunning = m_running;
  m_running = true;
  vars.setCommandActive(previousActive | kCmdActiveCommand | (options.dialog ? kCmdActiveDialog : 0));
  hostBroadcastCommandWillStart(globalName);

  HostApDocument* doc = documents.curDocument();
  OdDbDatabase* db = doc ? doc->database() : nullptr;
  const bool locked = options.lockDocument && doc &&
                      hostSucceeded(documents.lockDocument(doc, kHostLockWrite, globalName, globalName));
  const bool undoOpen = options.undoStep && db;
  if (undoOpen) db->beginUndoGroup(globalName);

  const int unansweredBefore = m_services.console().unanswered();
  const int refusedBefore = m_services.console().refused();
  if (!wasRunning) m_refusal.reset();
  bool failed = false;
  std::string reason;
  try {
    body();
  } catch (const OdError& e) {
    failed = true;
    reason = e.description();
    input().print(hostFormat(hostText(HostText::kCommandFailed).c_str(), globalName.c_str(), e.description().c_str()));
    hostTraceError("host/commands", __LINE__, globalName + ": " + e.description());
  } catch (const std::exception& e) {
    failed = true;
    reason = e.what();
    input().print(hostFormat(hostText(HostText::kCommandFailed).c_str(), globalName.c_str(), e.what()));
    hostTraceError("host/commands", __LINE__, globalName + ": " + e.what());
  } catch (...) {
    failed = true;
    input().print(hostFormat(hostText(HostText::kCommandFailed).c_str(), globalName.c_str(), "?"));
    hostTraceError("host/commands", __LINE__, globalName + ": unknown exception");
  }

  // A locked document cannot be closed; an unlocked one may have been.
  const auto& open = documents.documents();
  const bool stillOpen = doc && std::find(open.begin(), open.end(), doc) != open.end();
  // A command that fails leaves the drawing as it found it, and no step to
  // undo: half of a dimension is nothing a drafter can use.
  if (undoOpen && stillOpen && failed && db->endFailedUndoGroup())
    hostTraceWarning("host/commands", __LINE__, globalName + ": what it changed is taken back");
  else if (undoOpen && stillOpen && !failed)
    db->endUndoGroup();
  if (locked && stillOpen) documents.unlockDocument(doc);
  if (failed)
    hostBroadcastCommandCancelled(globalName);
  else
    hostBroadcastCommandEnded(globalName);
  vars.setCommandActive(previousActive);
  m_running = wasRunning;
  if (!m_batch || wasRunning) return;
  if (!failed && m_refusal) {
    failed = true;
    reason = *m_refusal;
  } else if (!failed && m_services.console().refused() != refusedBefore) {
    failed = true;
    reason = hostFormat(hostText(HostText::kBatchAnswerRefused).c_str(),
                        m_services.console().lastRefusedPrompt().c_str());
  }
  if (failed)
    failBatch(hostFormat(hostText(HostText::kBatchCommandFailed).c_str(), globalName.c_str()) +
              (reason.empty() ? "" : ": " + reason));
  else if (m_services.console().unanswered() != unansweredBefore)
    failBatch(hostFormat(hostText(HostText::kBatchCommandCancelled).c_str(), globalName.c_str(),
                         m_services.console().lastPrompt().c_str()));
}

}  // namespace qrvhost
