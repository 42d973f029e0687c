// The main window as the host's session sees it (MainWindowLink): the
// command line's input source and output, and the point tracker of the
// editor input. The command processor asks for an answer; the window runs
// its event loop until there is one.
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSettings>
#include <QTimer>
#include <cctype>
#include <cstdio>
#include <deque>
#include <optional>
#include <iostream>

#include "command_line_panel.h"
#include "console.h"
#include "documents.h"
#include "drawing_view.h"
#include "editor_input.h"
#include "host_context.h"
#include "host_entry.h"
#include "host_text.h"
#include "main_window.h"
#include "main_window_link.h"
#include "point_input.h"
#include "window_texts.h"

namespace qrvwindow {

namespace {

// A script line stays in the command line this long, so that a person
// watching can follow.
constexpr int kScriptLinePauseMs = 0;

// What the command line prints, handed to the panel (and to standard
// output when the session keeps a transcript).
class PanelOutput : public std::streambuf {
public:
  PanelOutput(CommandLinePanel& panel, bool echo) : m_panel(panel), m_echo(echo) {}

protected:
  int_type overflow(int_type ch) override {
    if (ch == traits_type::eof()) return traits_type::not_eof(ch);
    const char c = char(ch);
    xsputn(&c, 1);
    return ch;
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    if (m_echo) std::cout.write(s, n);
    // UTF-8 sequences may arrive split: only whole characters go on.
    m_bytes.append(s, std::size_t(n));
    std::size_t whole = m_bytes.size();
    for (std::size_t back = 1; back <= 3 && back <= m_bytes.size(); ++back) {
      const unsigned char b = static_cast<unsigned char>(m_bytes[m_bytes.size() - back]);
      if ((b & 0xC0) == 0x80) continue;
      const std::size_t need = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
      if (need > back) whole = m_bytes.size() - back;
      break;
    }
    m_panel.appendOutput(QString::fromUtf8(m_bytes.data(), qsizetype(whole)));
    m_bytes.erase(0, whole);
    return n;
  }
  int sync() override {
    if (m_echo) std::cout.flush();
    return 0;
  }

private:
  CommandLinePanel& m_panel;
  bool m_echo;
  std::string m_bytes;
};

class WindowSession : public qrvhost::MainWindowLink, public HostInputSource, public HostPointTracker {
public:
  explicit WindowSession(const qrvhost::WindowStart& start)
      : m_script(start.script), m_output(m_window.commandLine(), start.echoToStdout) {
    for (const std::string& name : start.commandNames) m_hostCommands << qs(name);
    CommandLinePanel& line = m_window.commandLine();
    line.onSubmit = [this](const QString& text) { give({HostAnswer::kText, text.toStdString()}); };
    line.onCancel = [this] { give({HostAnswer::kCancel, {}}); };
    m_window.answer = [this](const QString& text) { give({HostAnswer::kText, text.toStdString()}); };
    m_window.cancel = [this] { give({HostAnswer::kCancel, {}}); };
    m_window.typeLines = [this](const QStringList& lines) {
      if (!atCommandPrompt()) m_queued.push_back({HostAnswer::kCancel, {}});
      for (const QString& l : lines) m_queued.push_back({HostAnswer::kText, l.toStdString()});
      wake();
    };
    m_window.closeRequested = [this] {
      // A script answers QUIT's question itself; a person is asked about
      // each changed drawing in a message box.
      if (m_script)
        m_window.typeLines({"QUIT"});
      else
        m_window.askAndQuit();
    };
    m_window.promptKind = [this] {
      if (m_pointAsked) return MainWindow::PromptKind::kPoint;
      return atCommandPrompt() ? MainWindow::PromptKind::kCommand : MainWindow::PromptKind::kOther;
    };
    m_window.show();
    m_window.commandLine().focusInput();
  }

  ~WindowSession() override { sessionEnding(); }

  void sessionEnding() override {
    if (m_tracked) {
      m_tracked->setPointTracker(nullptr);
      m_tracked = nullptr;
    }
    m_window.release();
  }

  // MainWindowLink
  HostInputSource& input() override { return *this; }
  std::streambuf& output() override { return m_output; }
  void zoomExtents() override { m_window.view().zoomExtents(); }
  void togglePalette() override { m_window.togglePalette(); }
  bool interactive() const override { return !m_script; }
  bool snapshot(const std::string& path, std::string& error) override {
    QApplication::processEvents();
    const QPixmap picture = m_window.grab();
    if (picture.isNull() || !picture.save(QString::fromStdString(path), "PNG")) {
      error = "the picture could not be written";
      return false;
    }
    return true;
  }

  // HostInputSource
  bool echoAnswers() const override { return true; }
  HostAnswer next() override {
    attachTracker();
    const bool atCommand = atCommandPrompt();
    if (atCommand) m_window.commandLine().setCompletions(commandNames());
    m_window.refresh();
    HostAnswer answer = nextAnswer();
    if (atCommand && answer.kind == HostAnswer::kText) {
      // Enter at an empty Command prompt repeats the last command (a
      // script's empty line stays Enter, as in the console).
      if (!m_script && hostTrim(answer.text).empty()) answer.text = m_lastCommand;
      const std::string name = hostTrim(answer.text).substr(0, hostTrim(answer.text).find(' '));
      if (!name.empty()) m_lastCommand = name;
    }
    return answer;
  }

private:
  HostAnswer nextAnswer() {
    if (!m_queued.empty()) return take();
    while (m_script) {
      HostAnswer a = m_script->next();
      if (const std::optional<OdGePoint3d> at = a.kind == HostAnswer::kText ? clickLine(a.text) : std::nullopt) {
        // What the click answers (a snap, a point, picked objects) is the
        // answer; a click that answers nothing (a pick at the Command
        // prompt) lets the script go on.
        m_window.commandLine().showTyped(qs(a.text));
        clickView(*at);
        m_window.commandLine().showTyped(QString());
        if (!m_queued.empty()) return take();
        continue;
      }
      if (a.kind == HostAnswer::kText) {
        m_window.commandLine().showTyped(qs(a.text));
        pause(kScriptLinePauseMs);
        m_window.commandLine().showTyped(QString());
      }
      return a;
    }
    while (m_queued.empty() && !m_ended) {
      QEventLoop loop;
      m_loop = &loop;
      loop.exec();
      m_loop = nullptr;
    }
    if (m_queued.empty()) return {HostAnswer::kEndOfInput, {}};
    return take();
  }

public:
  bool askYesNo(const std::string& question) override {
    return QMessageBox::question(&m_window, "qrvhost", qs(question), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
  }

  // HostPointTracker
  void pointRequested(const HostPointRequest& request) override {
    m_pointAsked = true;
    m_window.pointPromptStarted(request.options);
  }
  void pointRequestEnded() override {
    m_pointAsked = false;
    m_window.pointPromptEnded();
  }

private:

  // "click x,y": a script's click of the left button on the view at the
  // pixel of that drawing point, the cursor moved there first, as a user
  // clicks; nothing else of the line is taken for a click.
  static std::optional<OdGePoint3d> clickLine(const std::string& text) {
    const std::string line = hostTrim(text);
    if (line.size() < 6 || line[5] != ' ') return std::nullopt;
    for (std::size_t i = 0; i < 5; ++i)
      if (std::tolower(static_cast<unsigned char>(line[i])) != "click"[i]) return std::nullopt;
    return hostParsePoint(hostTrim(line.substr(6)), std::nullopt);
  }
  void clickView(const OdGePoint3d& at) {
    m_window.refresh();
    QApplication::processEvents();
    DrawingView& view = m_window.view();
    const QPointF pixel = view.toPixel(QPointF(at.x, at.y));
    auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
      QMouseEvent e(type, pixel, view.mapToGlobal(pixel), button, held, Qt::NoModifier);
      QApplication::sendEvent(&view, &e);
    };
    send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    QApplication::processEvents();
  }

  void attachTracker() {
    if (m_tracked) return;
    if (HostApDocManager* docs = hostDocManager()) {
      m_tracked = &docs->editorInput();
      m_tracked->setPointTracker(this);
    }
  }

  // The host's commands and those the modules registered now.
  QStringList commandNames() const {
    QStringList names = m_hostCommands;
    if (gpQrContext)
      for (const HostCommandEntry& c : gpQrContext->commands()) {
        names << qs(c.globalName);
        if (!c.localName.empty() && c.localName != c.globalName) names << qs(c.localName);
      }
    names.sort(Qt::CaseInsensitive);
    names.removeDuplicates();
    return names;
  }

  bool atCommandPrompt() {
    return m_window.commandLine().prompt().trimmed() == qs(hostText(HostText::kCommandPrompt));
  }

  void give(HostAnswer answer) {
    m_queued.push_back(std::move(answer));
    wake();
  }
  void wake() {
    if (m_loop) m_loop->quit();
  }
  HostAnswer take() {
    HostAnswer a = std::move(m_queued.front());
    m_queued.pop_front();
    return a;
  }
  static void pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
  }

  MainWindow m_window;
  HostInputSource* m_script;
  PanelOutput m_output;
  std::deque<HostAnswer> m_queued;
  QEventLoop* m_loop = nullptr;
  bool m_ended = false;
  bool m_pointAsked = false;
  std::string m_lastCommand;
  QStringList m_hostCommands;
  HostEdInput* m_tracked = nullptr;
};

bool ensureApplication() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
  if (QCoreApplication::instance()) return false;
  static int argc = 1;
  static char name[] = "qrvhost";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives as long as the process
  QCoreApplication::setOrganizationName("qrvhost");
  QCoreApplication::setApplicationName("qrvhost");
  return true;
}

}  // namespace

}  // namespace qrvwindow

extern "C" qrvhost::MainWindowLink* qrvwindow_open(const qrvhost::WindowStart* start, std::string* error) {
  if (!qrvwindow::ensureApplication()) {
    if (error) *error = "the process already runs a Qt application without widgets";
    return nullptr;
  }
  return new qrvwindow::WindowSession(*start);
}
