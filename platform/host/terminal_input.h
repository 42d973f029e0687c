#pragma once
// Answers typed at the terminal. Ctrl-C cancels the current prompt instead
// of ending the program; end of file (Ctrl-D) ends the input. Standard
// input that is no terminal (a pipe) is read the same way.
#include "console.h"

class TerminalInput : public HostInputSource {
public:
  // Installs the Ctrl-C handler for the life of the object.
  TerminalInput();
  ~TerminalInput() override;
  TerminalInput(const TerminalInput&) = delete;
  TerminalInput& operator=(const TerminalInput&) = delete;

  HostAnswer next() override;
  // A terminal shows what is typed; piped input is shown like a script.
  bool echoAnswers() const override { return m_echo; }

private:
  bool m_echo = false;
  std::string m_pending;  // bytes read past the end of the last line
  bool m_eof = false;
};
