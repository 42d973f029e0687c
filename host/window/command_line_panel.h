#pragma once
// The command line under the drawing: the history of prompts and answers,
// the prompt being asked, and the line the user types. Up and Down walk
// the lines typed before; Escape cancels; Tab completes a command name.
#include <QStringList>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace qrvwindow {

class CommandLinePanel : public QWidget {
public:
  explicit CommandLinePanel(QWidget* parent = nullptr);

  // Text the command line prints: whole lines go to the history, the rest
  // is the prompt now asked.
  void appendOutput(const QString& text);
  QString prompt() const { return m_pending; }
  // A line of the window's own in the history (a setting toggled by a
  // key), kept apart from the prompt being asked.
  void addNote(const QString& line);
  // Names Tab completes at the Command prompt.
  void setCompletions(QStringList names) { m_completions = std::move(names); }
  // Shows a line as though it were being typed (scripted sessions).
  void showTyped(const QString& line);
  void focusInput();
  // Types text at the end of the line being edited (keys pressed over the view).
  void typeText(const QString& text);
  QString historyText() const;

  std::function<void(const QString& line)> onSubmit;
  std::function<void()> onCancel;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void submit();
  void complete();

  QPlainTextEdit* m_history;
  QLabel* m_prompt;
  QLineEdit* m_edit;
  QString m_pending;  // output after the last line break: the prompt
  QStringList m_typed;  // lines typed, oldest first
  int m_walk = -1;      // where Up/Down stand in m_typed; -1 at the new line
  QStringList m_completions;
};

}  // namespace qrvwindow
