#include "command_line_panel.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include "prompt_links.h"

namespace qrvwindow {

namespace {
constexpr int kHistoryLines = 2000;
}

CommandLinePanel::CommandLinePanel(QWidget* parent)
    : QWidget(parent), m_history(new QPlainTextEdit(this)), m_prompt(new QLabel(this)), m_edit(new QLineEdit(this)) {
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  m_history->setReadOnly(true);
  m_history->setFont(fixed);
  m_history->setMaximumBlockCount(kHistoryLines);
  m_history->setFocusPolicy(Qt::NoFocus);
  m_history->setObjectName("history");
  m_prompt->setFont(fixed);
  m_prompt->setObjectName("prompt");
  m_prompt->setTextFormat(Qt::RichText);
  m_prompt->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  m_prompt->setFocusPolicy(Qt::NoFocus);
  // A keyword clicked answers the prompt as though it had been typed.
  connect(m_prompt, &QLabel::linkActivated, this, [this](const QString& keyword) {
    m_edit->setText(keyword);
    submit();
  });
  m_edit->setFont(fixed);
  m_edit->setObjectName("commandInput");
  m_edit->installEventFilter(this);
  m_edit->setFrame(false);
  connect(m_edit, &QLineEdit::returnPressed, this, [this] { submit(); });

  auto* line = new QHBoxLayout;
  line->setContentsMargins(4, 0, 4, 2);
  line->addWidget(m_prompt);
  line->addWidget(m_edit, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(m_history, 1);
  layout->addLayout(line);
}

void CommandLinePanel::appendOutput(const QString& text) {
  m_pending += text;
  qsizetype nl;
  bool added = false;
  while ((nl = m_pending.indexOf('\n')) >= 0) {
    m_history->appendPlainText(m_pending.left(nl));
    m_pending.remove(0, nl + 1);
    added = true;
  }
  if (added) m_history->verticalScrollBar()->setValue(m_history->verticalScrollBar()->maximum());
  m_prompt->setText(promptWithKeywordLinks(m_pending.trimmed()));
}

void CommandLinePanel::addNote(const QString& line) {
  m_history->appendPlainText(line);
  m_history->verticalScrollBar()->setValue(m_history->verticalScrollBar()->maximum());
}

void CommandLinePanel::showTyped(const QString& line) { m_edit->setText(line); }

void CommandLinePanel::focusInput() { m_edit->setFocus(); }

void CommandLinePanel::typeText(const QString& text) {
  m_edit->setFocus();
  m_edit->insert(text);
}

QString CommandLinePanel::historyText() const { return m_history->toPlainText(); }

void CommandLinePanel::submit() {
  const QString line = m_edit->text();
  m_edit->clear();
  m_walk = -1;
  if (!line.trimmed().isEmpty() && (m_typed.isEmpty() || m_typed.back() != line)) m_typed << line;
  if (onSubmit) onSubmit(line);
}

void CommandLinePanel::complete() {
  const QString typed = m_edit->text().trimmed();
  if (typed.isEmpty() || typed.contains(' ')) return;
  QStringList matches;
  for (const QString& name : m_completions)
    if (name.startsWith(typed, Qt::CaseInsensitive)) matches << name;
  if (matches.isEmpty()) return;
  // The longest start every match shares; the history lists them when
  // that adds nothing.
  QString common = matches.front();
  for (const QString& m : matches)
    while (!m.startsWith(common, Qt::CaseInsensitive)) common.chop(1);
  if (common.size() > typed.size()) {
    m_edit->setText(common.toUpper());
  } else if (matches.size() > 1) {
    m_history->appendPlainText(matches.join("  "));
  }
}

bool CommandLinePanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_edit || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Up:
      if (m_typed.isEmpty()) return true;
      m_walk = m_walk < 0 ? int(m_typed.size()) - 1 : std::max(0, m_walk - 1);
      m_edit->setText(m_typed[m_walk]);
      return true;
    case Qt::Key_Down:
      if (m_walk < 0) return true;
      if (++m_walk >= int(m_typed.size())) {
        m_walk = -1;
        m_edit->clear();
      } else {
        m_edit->setText(m_typed[m_walk]);
      }
      return true;
    case Qt::Key_Escape:
      m_edit->clear();
      m_walk = -1;
      if (onCancel) onCancel();
      return true;
    case Qt::Key_Tab:
      complete();
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

}  // namespace qrvwindow
