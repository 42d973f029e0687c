#include "host_context.h"

#include "OdStringUtil.h"
#include "editor_input.h"
#include "help_topics.h"
#include "host_error.h"
#include "host_text.h"
#include "text_format.h"

QrContext* gpQrContext = nullptr;

namespace {

bool sameName(const std::string& a, std::string_view b) { return !a.empty() && qrv::equalNoCase(a, b); }

}  // namespace

void QrContext::registerCommand(const QrCommand& command) {
  HostCommandEntry entry;
  entry.globalName = hostWideToUtf8(command.globalName);
  entry.localName = hostWideToUtf8(command.localName);
  entry.groupName = hostWideToUtf8(command.groupName);
  entry.description = hostWideToUtf8(command.description ? command.description : u"");
  entry.flags = command.flags;
  entry.transparent = command.isTransparent();
  entry.documentCommand = command.isDocumentCommand();
  entry.handler = command.handler;
  if (entry.globalName.empty() && entry.localName.empty())
    throw HostError("a command needs a name", E_INVALIDARG);
  if (entry.globalName.empty()) entry.globalName = entry.localName;
  if (entry.localName.empty()) entry.localName = entry.globalName;
  if (entry.globalName.find_first_of(" \t") != std::string::npos ||
      entry.localName.find_first_of(" \t") != std::string::npos)
    throw HostError("command names cannot contain blanks: \"" + entry.globalName + "\"", E_INVALIDARG);

  for (const HostCommandEntry& known : m_commands) {
    const bool clash = sameName(known.globalName, entry.globalName) ||
                       sameName(known.localName, entry.localName) ||
                       sameName(known.globalName, entry.localName) ||
                       sameName(known.localName, entry.globalName);
    if (!clash) continue;
    if (known.handler == entry.handler && sameName(known.globalName, entry.globalName)) return;
    throw HostError("the command name \"" + entry.globalName + "\" is already taken");
  }
  m_commands.push_back(std::move(entry));
}

const HostCommandEntry* QrContext::findCommand(std::string_view name) const {
  for (const HostCommandEntry& c : m_commands)
    if (sameName(c.localName, name) || sameName(c.globalName, name)) return &c;
  return nullptr;
}

void QrContext::forgetCommandsFrom(std::size_t first) {
  if (first < m_commands.size()) m_commands.resize(first);
}

HostIconHandle QrContext::applicationIcon(int) const { return nullptr; }

bool QrContext::showHelp(const char* topicKey, HostWindowHandle) {
  const std::string key = topicKey ? topicKey : "";
  if (auto text = m_help.text(key)) {
    std::string body = *text;
    while (!body.empty() && (body.back() == '\n' || body.back() == '\r')) body.pop_back();
    m_input.print(body);
    return true;
  }
  m_input.print(hostFormat(hostText(HostText::kNoHelpTopic).c_str(), key.c_str()));
  return false;
}

int QrContext::questionBox(const OdString& text, HostWindowHandle) {
  m_input.print(text);
  const int r = m_input.getKeyword(hostText(HostText::kQuestionPrompt), hostText(HostText::kYesNoKeywords),
                                   kPromptHasDefault);
  // Yes is the first local keyword, *Yes the first global one.
  const int locals = static_cast<int>(HostKeywordList(hostText(HostText::kYesNoKeywords)).local().size());
  return (r == kPromptKeyword || r == kPromptKeyword + locals) ? 1 : 0;
}
