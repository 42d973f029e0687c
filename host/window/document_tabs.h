#pragma once
// The open drawings as tabs above the drawing view (hidden while only one
// is open). Choosing a tab makes its drawing current; closing a changed
// drawing asks whether to save it first. Everything is done by typing
// commands at the command line (SWITCH, CLOSE and their answers), so it
// runs exactly as typed commands do.
#include <QStringList>
#include <QTabBar>
#include <functional>
#include <optional>

class HostApDocManager;
class HostApDocument;

namespace qrvwindow {

class DocumentTabs : public QTabBar {
public:
  explicit DocumentTabs(QWidget* parent = nullptr);

  // Shows the open drawings of `docs`, the current one chosen; a changed
  // drawing's name carries a mark.
  void sync(HostApDocManager* docs);

  // The lines that close the drawing at `index`, after asking whether to
  // save it when it has unsaved changes; nothing when the user cancels.
  std::optional<QStringList> closingLines(HostApDocManager* docs, int index);
  // The lines that close every changed drawing the same way before the
  // session ends (QUIT follows them); nothing when the user cancels.
  std::optional<QStringList> quittingLines(HostApDocManager* docs);

  // The line typer of the window.
  std::function<void(const QStringList& lines)> typeLines;
  // Asks where to save a drawing that has no file yet; empty: cancelled.
  std::function<QString(HostApDocument* doc)> askFileName;

private:
  // Yes, No or Cancel for a changed drawing, as the answer lines to CLOSE;
  // nothing when cancelled.
  std::optional<QStringList> saveAnswer(HostApDocument* doc);

  bool m_syncing = false;
  HostApDocManager* m_docs = nullptr;
};

// The name a tab and the window's title show: the drawing's title, and a
// mark when it has unsaved changes.
QString documentCaption(const HostApDocument* doc);

}  // namespace qrvwindow
