#include "line_editor_input.h"

#include <unistd.h>

#ifdef QRVHOST_HAVE_LIBEDIT
#include <histedit.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cwchar>
#include <filesystem>

#include "input_wait.h"
#endif

namespace qrvhost {

#ifdef QRVHOST_HAVE_LIBEDIT

namespace {

constexpr int kHistoryLines = 1000;

volatile std::sig_atomic_t gInterrupted = 0;
void onInterrupt(int) { gInterrupted = 1; }

class LineEditorInput : public HostInputSource {
public:
  explicit LineEditorInput(LineEditorSetup setup) : m_setup(std::move(setup)) {
    // Multi-byte characters (Russian keywords, file names) are edited as
    // characters only under the user's character set.
    std::setlocale(LC_CTYPE, "");
    // Ctrl-C while a command runs (not while editing) must not end the
    // program.
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &m_previousInterrupt);

    m_history = history_init();
    HistEvent ev;
    history(m_history, &ev, H_SETSIZE, kHistoryLines);
    history(m_history, &ev, H_SETUNIQUE, 1);
    if (!m_setup.historyFile.empty()) history(m_history, &ev, H_LOAD, m_setup.historyFile.c_str());

    m_editor = el_init("qrvhost", stdin, stdout, stderr);
    el_set(m_editor, EL_CLIENTDATA, this);
    el_set(m_editor, EL_EDITOR, "emacs");
    el_set(m_editor, EL_PROMPT, &LineEditorInput::promptOf);
    el_set(m_editor, EL_HIST, history, m_history);
    el_set(m_editor, EL_GETCFN, &LineEditorInput::readCharacter);
    // While a line is edited Ctrl-C is a key (cancel), not a signal that
    // libedit's own reading would swallow.
    el_set(m_editor, EL_SETTY, "-d", "-isig", nullptr);
    el_set(m_editor, EL_ADDFN, "qrv-cancel", "Cancel the prompt", &LineEditorInput::cancelKey);
    el_set(m_editor, EL_BIND, "^C", "qrv-cancel", nullptr);
    el_set(m_editor, EL_ADDFN, "qrv-complete", "Complete the word", &LineEditorInput::completeKey);
    el_set(m_editor, EL_BIND, "^I", "qrv-complete", nullptr);
    el_source(m_editor, nullptr);  // the user's ~/.editrc, as other programs on libedit
  }

  ~LineEditorInput() override {
    el_end(m_editor);
    history_end(m_history);
    sigaction(SIGINT, &m_previousInterrupt, nullptr);
  }

  HostAnswer next() override {
    m_cancelled = false;
    int count = 0;
    const char* line = el_gets(m_editor, &count);
    if (m_cancelled) return {HostAnswer::kCancel, {}};
    if (!line || count <= 0) {
      std::fputc('\n', stdout);  // the next output starts on a line of its own
      return {HostAnswer::kEndOfInput, {}};
    }
    std::string text(line, std::size_t(count));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    remember(text);
    return hostAnswerFromLine(std::move(text));
  }

  bool echoAnswers() const override { return false; }
  bool showsPrompt() const override { return true; }
  void setPrompt(const std::string& prompt) override { m_prompt = prompt; }

private:
  static LineEditorInput& of(EditLine* el) {
    void* self = nullptr;
    el_get(el, EL_CLIENTDATA, &self);
    return *static_cast<LineEditorInput*>(self);
  }
  static char* promptOf(EditLine* el) { return of(el).m_prompt.data(); }

  static unsigned char cancelKey(EditLine* el, int) {
    of(el).m_cancelled = true;
    return CC_NEWLINE;
  }

  static unsigned char completeKey(EditLine* el, int) { return of(el).complete(); }

  // The editor's reading of one character, waiting through
  // hostWaitForInput so that the session's idle work (recovery copies)
  // goes on while nobody types. 1 with a character, 0 at the end, -1 on an
  // error, as the editor's own reader answers.
  static int readCharacter(EditLine*, wchar_t* out) {
    std::mbstate_t state{};
    for (;;) {
      char byte = 0;
      const ssize_t n = hostWaitForInput(STDIN_FILENO) ? ::read(STDIN_FILENO, &byte, 1) : -1;
      if (n == 0) return 0;
      if (n < 0) {
        if (errno == EINTR) continue;
        return -1;
      }
      const std::size_t used = std::mbrtowc(out, &byte, 1, &state);
      if (used == static_cast<std::size_t>(-2)) continue;  // a character of several bytes, not complete yet
      if (used == static_cast<std::size_t>(-1)) {
        state = {};
        *out = static_cast<unsigned char>(byte);  // not in the character set: the byte as it is
      }
      return 1;
    }
  }

  unsigned char complete() {
    const LineInfo* info = el_line(m_editor);
    const std::string typed(info->buffer, info->cursor);
    const CompletionWords words = m_setup.words ? m_setup.words() : CompletionWords{};
    const bool atCommand = m_setup.isCommandPrompt && m_setup.isCommandPrompt(m_prompt);
    const std::vector<std::string> found = completionCandidates(typed, m_prompt, atCommand, words);
    if (found.empty()) return CC_REFRESH_BEEP;
    const std::size_t blank = typed.find_last_of(' ');
    const std::size_t wordLength = typed.size() - (blank == std::string::npos ? 0 : blank + 1);
    // The editor deletes characters, not bytes.
    int wordCharacters = 0;
    for (std::size_t i = typed.size() - wordLength; i < typed.size(); ++i)
      wordCharacters += (static_cast<unsigned char>(typed[i]) & 0xC0) != 0x80;
    const std::string prefix = commonPrefix(found);
    // The word is replaced as a whole, so its letter case becomes the
    // candidate's.
    if (found.size() == 1 || prefix.size() > wordLength) {
      el_deletestr(m_editor, wordCharacters);
      el_insertstr(m_editor, (found.size() == 1 ? found.front() + " " : prefix).c_str());
      return CC_REFRESH;
    }
    std::fputc('\n', stdout);
    std::string list;
    for (const std::string& f : found) {
      if (list.size() + f.size() > 76) {
        std::printf("%s\n", list.c_str());
        list.clear();
      }
      list += (list.empty() ? "" : "  ") + f;
    }
    std::printf("%s\n", list.c_str());
    return CC_REDISPLAY;
  }

  // Each line goes into the history file at once, so a session that ends
  // abruptly keeps what was typed; written through a temporary file so the
  // file is never half-written.
  void remember(const std::string& text) {
    if (text.find_first_not_of(' ') == std::string::npos) return;
    HistEvent ev;
    history(m_history, &ev, H_ENTER, text.c_str());
    if (m_setup.historyFile.empty()) return;
    std::error_code ec;
    const std::filesystem::path file(m_setup.historyFile);
    std::filesystem::create_directories(file.parent_path(), ec);
    const std::string temporary = m_setup.historyFile + ".new";
    if (history(m_history, &ev, H_SAVE, temporary.c_str()) >= 0)
      std::filesystem::rename(temporary, file, ec);
  }

  LineEditorSetup m_setup;
  EditLine* m_editor = nullptr;
  History* m_history = nullptr;
  std::string m_prompt;
  bool m_cancelled = false;
  struct sigaction m_previousInterrupt {};
};

}  // namespace

std::unique_ptr<HostInputSource> openLineEditor(LineEditorSetup setup, std::string& why) {
  if (!::isatty(STDIN_FILENO) || !::isatty(STDOUT_FILENO)) {
    why = "standard input or output is no terminal";
    return nullptr;
  }
  return std::make_unique<LineEditorInput>(std::move(setup));
}

#else

std::unique_ptr<HostInputSource> openLineEditor(LineEditorSetup, std::string& why) {
  why = "this build of qrvhost has no line editing (libedit was missing when it was built)";
  return nullptr;
}

#endif

}  // namespace qrvhost
