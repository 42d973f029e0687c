#include "document_tabs.h"

#include <QFileInfo>
#include <QMessageBox>

#include "documents.h"
#include "window_texts.h"

namespace qrvwindow {

QString documentCaption(const HostApDocument* doc) {
  return doc ? qs(doc->title()) + (doc->isModified() ? "*" : "") : QString();
}

DocumentTabs::DocumentTabs(QWidget* parent) : QTabBar(parent) {
  setObjectName("documentTabs");
  setAutoHide(true);
  setTabsClosable(true);
  setExpanding(false);
  setDocumentMode(true);
  connect(this, &QTabBar::currentChanged, this, [this](int index) {
    if (m_syncing || index < 0 || !typeLines) return;
    typeLines({"SWITCH", QString::number(index + 1)});
  });
  connect(this, &QTabBar::tabCloseRequested, this, [this](int index) {
    if (const auto lines = closingLines(m_docs, index); lines && typeLines) typeLines(*lines);
  });
}

void DocumentTabs::sync(HostApDocManager* docs) {
  m_docs = docs;
  m_syncing = true;
  const std::vector<HostApDocument*> open = docs ? docs->documents() : std::vector<HostApDocument*>{};
  while (count() > int(open.size())) removeTab(count() - 1);
  for (std::size_t i = 0; i < open.size(); ++i) {
    const int at = int(i);
    const QString caption = documentCaption(open[i]);
    if (at >= count()) addTab(caption);
    if (tabText(at) != caption) setTabText(at, caption);
    setTabToolTip(at, open[i]->fileName().empty() ? say("Not saved yet", "Ещё не сохранён") : qs(open[i]->fileName()));
    if (open[i] == docs->curDocument()) setCurrentIndex(at);
  }
  m_syncing = false;
}

std::optional<QStringList> DocumentTabs::saveAnswer(HostApDocument* doc) {
  const QMessageBox::StandardButton choice =
      QMessageBox::question(window(), say("Close drawing", "Закрытие чертежа"),
                            say("Save changes to \"%1\"?", "Сохранить изменения в \"%1\"?").arg(qs(doc->title())),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (choice == QMessageBox::No) return QStringList{"No"};
  if (choice != QMessageBox::Yes) return std::nullopt;
  if (!doc->fileName().empty()) return QStringList{"Yes"};
  // A drawing without a file: CLOSE asks for its name next.
  const QString path = askFileName ? askFileName(doc) : QString();
  if (path.isEmpty()) return std::nullopt;
  QStringList answers{"Yes", path};
  // The file dialog has asked already whether to replace another file.
  if (QFileInfo::exists(path)) answers << "Yes";
  return answers;
}

std::optional<QStringList> DocumentTabs::closingLines(HostApDocManager* docs, int index) {
  if (!docs || index < 0 || index >= int(docs->documents().size())) return std::nullopt;
  HostApDocument* doc = docs->documents()[std::size_t(index)];
  QStringList lines{"SWITCH", QString::number(index + 1), "CLOSE"};
  if (doc->isModified()) {
    const auto answers = saveAnswer(doc);
    if (!answers) return std::nullopt;
    lines << *answers;
  }
  return lines;
}

std::optional<QStringList> DocumentTabs::quittingLines(HostApDocManager* docs) {
  QStringList lines;
  if (!docs) return lines;
  // From the last to the first: closing one leaves the numbers of those
  // before it as they were.
  const std::vector<HostApDocument*> open = docs->documents();
  for (int i = int(open.size()) - 1; i >= 0; --i) {
    if (!open[std::size_t(i)]->isModified()) continue;
    const auto closing = closingLines(docs, i);
    if (!closing) return std::nullopt;
    lines << *closing;
  }
  return lines;
}

}  // namespace qrvwindow
