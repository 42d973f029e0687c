#include "console.h"

#include <istream>
#include <string>
#include <ostream>

#include "text_format.h"

HostAnswer hostAnswerFromLine(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line == "^C" || line.find('\x1b') != std::string::npos) return {HostAnswer::kCancel, {}};
  return {HostAnswer::kText, std::move(line)};
}

bool hostLooksLikeUtf16(std::string_view text) {
  return text.size() >= 2 && ((text[0] == '\xFF' && text[1] == '\xFE') || (text[0] == '\xFE' && text[1] == '\xFF') ||
                              (text[0] == '\0') != (text[1] == '\0'));
}

int ScriptInput::nextByte() {
  if (m_firstByte < 0) return m_in.get();
  const int c = m_firstByte;
  m_firstByte = -1;
  return c;
}

bool ScriptInput::readLine(std::string& line) {
  line.clear();
  bool any = false;
  for (int c; (c = nextByte()) != std::char_traits<char>::eof();) {
    any = true;
    if (c == '\n') break;
    if (c == '\r') {
      if (m_in.peek() == '\n') m_in.get();
      break;
    }
    line += char(c);
  }
  if (m_first) {
    m_first = false;
    if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
  }
  return any;
}

HostAnswer ScriptInput::next() {
  if (m_first && m_refusal.empty()) {
    const int first = m_in.get(), second = m_in.peek();
    if (first != std::char_traits<char>::eof()) m_firstByte = first;
    if (first != std::char_traits<char>::eof() && second != std::char_traits<char>::eof() &&
        hostLooksLikeUtf16(std::string{char(first), char(second)}))
      m_refusal = kHostUtf16Refusal;
  }
  if (!m_refusal.empty()) return {HostAnswer::kEndOfInput, {}};
  std::string line;
  if (!readLine(line)) return {HostAnswer::kEndOfInput, {}};
  HostAnswer answer = hostAnswerFromLine(std::move(line));
  if (answer.kind == HostAnswer::kCancel) answer.text = "^C";  // shown as the echo
  return answer;
}

// Whatever reaches the terminal has its control characters written out:
// names and values from files and scripts pass through every message.
void HostConsole::print(const OdString& line) {
  m_out << hostEscapeControls(std::string(line), true) << '\n';
  m_out.flush();
}

void HostConsole::write(const OdString& text) {
  m_out << hostEscapeControls(std::string(text), true);
  m_out.flush();
}

HostAnswer HostConsole::ask(const OdString& prompt) {
  m_lastPrompt = prompt;
  std::string shown = hostEscapeControls(std::string(prompt), true);
  if (!shown.empty() && shown.back() != ' ' && shown.back() != '\n') shown += ' ';
  // A line editor draws its prompt itself (and again after a completion
  // list); lines above the prompt's last one are ours to print.
  if (!m_ended && m_input->showsPrompt()) {
    const std::size_t newline = shown.rfind('\n');
    if (newline != std::string::npos) m_out << shown.substr(0, newline + 1);
    m_input->setPrompt(newline == std::string::npos ? shown : shown.substr(newline + 1));
  } else {
    m_out << shown;
  }
  m_out.flush();
  if (m_ended) {
    m_out << '\n';
    ++m_unanswered;
    return {HostAnswer::kEndOfInput, {}};
  }
  HostAnswer answer = m_input->next();
  if (answer.kind == HostAnswer::kEndOfInput) m_ended = true;
  if (answer.kind != HostAnswer::kText) ++m_unanswered;
  if (m_input->echoAnswers() || answer.kind == HostAnswer::kEndOfInput)
    m_out << hostEscapeControls(answer.text) << '\n';
  m_out.flush();
  if (answer.kind == HostAnswer::kCancel) answer.text.clear();
  return answer;
}
