#include "console.h"

#include <istream>
#include <ostream>

HostAnswer hostAnswerFromLine(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line == "^C" || line.find('\x1b') != std::string::npos) return {HostAnswer::kCancel, {}};
  return {HostAnswer::kText, std::move(line)};
}

HostAnswer ScriptInput::next() {
  std::string line;
  if (!std::getline(m_in, line)) return {HostAnswer::kEndOfInput, {}};
  HostAnswer answer = hostAnswerFromLine(std::move(line));
  if (answer.kind == HostAnswer::kCancel) answer.text = "^C";  // shown as the echo
  return answer;
}

void HostConsole::print(const OdString& line) {
  m_out << line << '\n';
  m_out.flush();
}

void HostConsole::write(const OdString& text) {
  m_out << text;
  m_out.flush();
}

HostAnswer HostConsole::ask(const OdString& prompt) {
  m_out << prompt;
  if (!prompt.empty() && prompt.back() != ' ' && prompt.back() != '\n') m_out << ' ';
  m_out.flush();
  if (m_ended) {
    m_out << '\n';
    return {HostAnswer::kEndOfInput, {}};
  }
  HostAnswer answer = m_input->next();
  if (answer.kind == HostAnswer::kEndOfInput) m_ended = true;
  if (m_input->echoAnswers() || answer.kind == HostAnswer::kEndOfInput) m_out << answer.text << '\n';
  m_out.flush();
  if (answer.kind == HostAnswer::kCancel) answer.text.clear();
  return answer;
}
