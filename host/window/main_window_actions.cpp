// The main window's menus, toolbars and their actions, made from the one
// command table (window_commands.h): an entry that types a command types it
// at the command line, so it runs exactly as a typed one; the others run
// here (a file dialog first, a view mode).
#include <QAction>
#include <QDockWidget>
#include <QFileDialog>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <map>
#include <string>

#include "command_line_panel.h"
#include "document_tabs.h"
#include "documents.h"
#include "drawing_view.h"
#include "host_entry.h"
#include "host_log.h"
#include "host_text.h"
#include "layer_box.h"
#include "main_window.h"
#include "style_box.h"
#include "window_commands.h"
#include "window_texts.h"

namespace qrvwindow {

namespace {

QString inLanguage(const char* const (&texts)[2]) {
  return QString::fromUtf8(hostLanguage() == HostLanguage::kRussian ? texts[1] : texts[0]);
}

HostApDocument* currentDocument() {
  HostApDocManager* docs = hostDocManager();
  return docs ? docs->curDocument() : nullptr;
}

}  // namespace

void MainWindow::buildActions() {
  // What the window runs itself, by command id.
  const std::map<std::string, std::function<void(bool)>> own = {
      {"open", [this](bool) { openFile(); }},
      {"save",
       [this](bool) {
         HostApDocument* doc = currentDocument();
         if (doc && doc->fileName().empty())
           saveAs();
         else if (typeLines)
           typeLines({"SAVE"});
       }},
      {"saveas", [this](bool) { saveAs(); }},
      {"close",
       [this](bool) {
         const auto lines = m_tabs->closingLines(hostDocManager(), m_tabs->currentIndex());
         if (lines && typeLines) typeLines(*lines);
       }},
      {"export", [this](bool) { exportPicture(); }},
      {"exit", [this](bool) { close(); }},
      {"selectall", [this](bool) { selectAll(); }},
      {"zoomin", [this](bool) { m_view->zoomAt(m_view->rect().center(), 2.0); }},
      {"zoomout", [this](bool) { m_view->zoomAt(m_view->rect().center(), 0.5); }},
      {"zoomwindow", [this](bool on) { m_view->setMode(on ? DrawingView::Mode::kZoomWindow : DrawingView::Mode::kNormal); }},
      {"zoomextents", [this](bool) { m_view->zoomExtents(); }},
      {"pan", [this](bool on) { m_view->setMode(on ? DrawingView::Mode::kPan : DrawingView::Mode::kNormal); }},
      {"properties", [this](bool on) { m_paletteDock->setVisible(on); }},
      {"commandline", [this](bool on) { m_commandDock->setVisible(on); }},
      {"dark", [this](bool on) { setDark(on); }},
      {"osnap", [this](bool) { toggleSnaps(); }},
      {"orthomode", [this](bool) { toggleMode("orthomode"); }},
      {"gridmode", [this](bool) { toggleMode("gridmode"); }},
      {"snapmode", [this](bool) { toggleMode("snapmode"); }},
      {"dimstyleimport", [this](bool) { importStyles(); }},
      {"about",
       [this](bool) {
         QMessageBox::about(this, say("About qrvhost", "О программе qrvhost"),
                            say("qrvhost: dimension styles for drawings.", "qrvhost: размерные стили для чертежей."));
       }},
  };
  for (const WindowCommand& c : windowCommands()) {
    auto* a = new QAction(inLanguage(c.label), this);
    a->setObjectName(QString("action-") + c.id);
    a->setToolTip(inLanguage(c.tip));
    a->setStatusTip(inLanguage(c.tip));
    if (c.keys) {
      a->setShortcut(QKeySequence(QString::fromLatin1(c.keys), QKeySequence::PortableText));
      a->setShortcutContext(Qt::WindowShortcut);
    }
    a->setCheckable(c.checkable);
    if (c.icon) a->setIcon(QIcon(QString(":/icons/%1.svg").arg(c.id)));
    if (c.typed) {
      const QStringList lines = QString::fromUtf8(c.typed).split('\n');
      connect(a, &QAction::triggered, this, [this, lines] {
        if (typeLines) typeLines(lines);
      });
    } else if (auto it = own.find(c.id); it != own.end()) {
      connect(a, &QAction::triggered, this, it->second);
    } else {
      // A table entry without a way to run it is a fault of this file.
      a->setEnabled(false);
      hostTraceNote("host/window", __LINE__, std::string("no handler for the window command ") + c.id);
    }
    m_actions[c.id] = a;
  }
  action("redo")->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  action("dark")->setChecked(m_dark);
  m_snapAction = action("osnap");
  // The docks' toggles follow the docks, however they were closed.
  action("properties")->setChecked(true);
  action("commandline")->setChecked(true);
  connect(m_paletteDock, &QDockWidget::visibilityChanged, action("properties"), [this](bool) {
    action("properties")->setChecked(!m_paletteDock->isHidden());
  });
  connect(m_commandDock, &QDockWidget::visibilityChanged, action("commandline"), [this](bool) {
    action("commandline")->setChecked(!m_commandDock->isHidden());
  });
  // A view mode ends by itself (a box zoomed to, Escape): its toggle too.
  m_view->onModeEnded = [this] {
    action("zoomwindow")->setChecked(false);
    action("pan")->setChecked(false);
  };

  // The status bar's toggles: short names, pressed while on.
  for (const WindowStatusToggle& t : windowStatusToggles()) {
    auto* button = new QToolButton(statusBar());
    button->setObjectName(QString("status-") + t.id);
    button->setDefaultAction(action(t.id));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setText(inLanguage(t.label));
    button->setAutoRaise(true);
    // The action's text is the menu's; the button keeps its short one.
    connect(action(t.id), &QAction::changed, button, [button, t] { button->setText(inLanguage(t.label)); });
    statusBar()->addPermanentWidget(button);
  }

  for (const WindowMenu& m : windowMenus()) {
    QMenu* menu = menuBar()->addMenu(inLanguage(m.label));
    for (const char* id : m.ids) {
      if (std::string_view(id) == "|") {
        menu->addSeparator();
      } else if (std::string_view(id) == "recent") {
        m_recentMenu = menu->addMenu(say("&Recent drawings", "&Последние чертежи"));
        fillRecentMenu();
      } else {
        menu->addAction(action(id));
      }
    }
  }
  for (const WindowToolBar& t : windowToolBars()) {
    QToolBar* bar = new QToolBar(inLanguage(t.label), this);
    addToolBar(t.leftEdge ? Qt::LeftToolBarArea : Qt::TopToolBarArea, bar);
    bar->setObjectName(t.name);
    bar->setIconSize(QSize(24, 24));
    for (const char* id : t.ids) {
      if (std::string_view(id) == "|")
        bar->addSeparator();
      else
        bar->addAction(action(id));
    }
    if (std::string_view(t.name) == "layerToolBar") {
      m_layerBox = new LayerBox(bar);
      m_layerBox->typeLines = [this](const QStringList& lines) {
        if (typeLines) typeLines(lines);
      };
      bar->addWidget(m_layerBox);
    }
    if (std::string_view(t.name) == "dimensionToolBar") {
      bar->addSeparator();
      // No caption beside it: the toolbar keeps room in every language, and
      // the tooltip says what it is.
      m_styleBox = new DimStyleBox(bar);
      m_styleBox->setToolTip(qs(hostText(HostText::kStyleBoxTip)));
      bar->addWidget(m_styleBox);
      // -DIMSTYLE Restore makes it current the way the command line would.
      m_styleBox->makeCurrent = [this](const QString& name) {
        if (typeLines) typeLines({"-DIMSTYLE", "R", name});
      };
    }
  }
}

QAction* MainWindow::action(const char* id) const {
  const auto it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
}

void MainWindow::importStyles() {
  const QString path = QFileDialog::getOpenFileName(this, qs(hostText(HostText::kImportStylesFrom)),
                                                    QString(), say("Drawings (*.dxf *.dwg)", "Чертежи (*.dxf *.dwg)"));
  // The styles to take and what to do with those the drawing has are
  // asked at the command line.
  if (!path.isEmpty() && typeLines) typeLines({"DIMSTYLEIMPORT", path});
}

}  // namespace qrvwindow
