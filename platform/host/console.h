#pragma once
// The command line: where prompts and messages are shown and answers come
// from. Everything shown goes to one output stream (standard output in the
// host), so that a scripted session prints the same transcript every time.
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "OdString.h"

// One answer of the user: a line of text, a cancel (Escape or Ctrl-C), or
// the end of the input (end of a script, end of file on the terminal).
struct HostAnswer {
  enum Kind { kText, kCancel, kEndOfInput };
  Kind kind = kEndOfInput;
  std::string text;
};

class HostInputSource {
public:
  virtual ~HostInputSource() = default;
  virtual HostAnswer next() = 0;
  // Scripts are not typed where the user can see them, so the console
  // shows each answer after its prompt; a terminal echoes by itself.
  virtual bool echoAnswers() const = 0;
  // A source that shows the prompt itself (a line editor, which draws it
  // again while the line is edited) is given it instead of the output.
  virtual bool showsPrompt() const { return false; }
  virtual void setPrompt(const std::string& /*prompt*/) {}
};

// Answers read line by line from a stream: each line is one answer exactly
// as a user would type it at the prompt shown; an empty line is Enter. A
// line "^C", or a line holding the Escape character, cancels the prompt.
// Lines end with LF, CR LF or CR alone (scripts written on any system), and
// a UTF-8 byte order mark before the first line is not part of it.
class ScriptInput : public HostInputSource {
public:
  explicit ScriptInput(std::istream& in) : m_in(in) {}
  HostAnswer next() override;
  bool echoAnswers() const override { return true; }
  // Why the script was not run (it ended before its first line): its first
  // bytes are UTF-16 (hostLooksLikeUtf16), which a stream read as it comes
  // can only tell then. Empty when it ran.
  const std::string& refusal() const { return m_refusal; }

private:
  bool readLine(std::string& line);
  int nextByte();

  std::istream& m_in;
  bool m_first = true;
  int m_firstByte = -1;  // read to look at the second, not yet part of a line
  std::string m_refusal;
};

// Whether text starting with these bytes is UTF-16, whose lines would run
// as garbage commands: by its byte order mark, or without one by a NUL
// beside the first letter (a NUL further on is an answer's own, which its
// prompt refuses).
bool hostLooksLikeUtf16(std::string_view start);
// Why such a script is refused.
inline constexpr const char* kHostUtf16Refusal = "it is UTF-16 text; save it as UTF-8";

// Classifies one typed line (shared by scripts and the terminal).
HostAnswer hostAnswerFromLine(std::string line);

class HostConsole {
public:
  HostConsole(HostInputSource& input, std::ostream& output) : m_input(&input), m_out(output) {}

  // A line of output (a newline is added).
  void print(const OdString& line);
  // Output without a newline.
  void write(const OdString& text);
  // Shows the prompt (followed by one blank) and waits for the answer.
  // After the end of the input every further question ends the same way.
  HostAnswer ask(const OdString& prompt);
  bool inputEnded() const { return m_ended; }
  // How many questions ended without an answer (cancelled, or the input
  // ended while asking), and the last question asked: so that a batch can
  // tell a command its script cancelled from one that ran through.
  int unanswered() const { return m_unanswered; }
  // How many answers were refused and asked again ("Invalid option
  // keyword."): a batch fails a drawing whose script gave one.
  void noteRefused() {
    ++m_refused;
    m_refusedPrompt = m_lastPrompt;
  }
  int refused() const { return m_refused; }
  const OdString& lastRefusedPrompt() const { return m_refusedPrompt; }
  const OdString& lastPrompt() const { return m_lastPrompt; }

  std::ostream& out() { return m_out; }
  // A new source starts afresh, also after an earlier one ended.
  void setInput(HostInputSource& input) {
    m_input = &input;
    m_ended = false;
  }

private:
  HostInputSource* m_input;
  std::ostream& m_out;
  bool m_ended = false;
  int m_unanswered = 0;
  int m_refused = 0;
  OdString m_refusedPrompt;
  OdString m_lastPrompt;
};
