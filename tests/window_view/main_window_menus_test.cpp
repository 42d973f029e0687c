// The main window's menus: each entry types its command into the command
// line, and Open, Save As and Export take the file the file dialog gives.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QMenuBar>
#include <QSet>
#include <QSettings>
#include <QTimer>
#include <QToolBar>
#include <filesystem>

#include "../host/host_test_support.h"
#include "main_window.h"
#include "translation.h"
#include "window_commands.h"
#include "offscreen_application.h"

namespace {

QAction* menuEntry(QMainWindow& window, const QString& menu, const QString& entry) {
  for (QAction* m : window.menuBar()->actions())
    if (m->menu() && m->text().remove('&') == menu)
      for (QAction* a : m->menu()->actions())
        if (a->text().remove('&') == entry) return a;
  return nullptr;
}

QMenu* recentDrawings(QMainWindow& window) {
  for (QMenu* m : window.findChildren<QMenu*>())
    if (m->title().remove('&') == "Recent drawings") return m;
  return nullptr;
}

// Answers the next file dialog with the path, as a user typing it would.
void answerFileDialog(const QString& path) {
  QTimer::singleShot(0, [path] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();  // the OK button, which checks the name
  });
}

}  // namespace

TEST(MainWindowMenus, EachEntryTypesItsCommandAndTheFileDialogsAnswerOpenSaveAsAndExport) {
  offscreenApplication();
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "qrv-window-menus";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "other.dxf") << "0\nEOF\n";
  // No settings of the user's: the recent drawings start empty.
  setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  QSettings().remove("files/recent");

  ScriptedHost host;
  HostServices& services = host.services;
  services.documents().addDocument(std::make_unique<OdDbDatabase>(), (dir / "a.dxf").string(), "a.dxf");

  qrvwindow::MainWindow window;
  // Native dialogs would not answer the test.
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  std::vector<QStringList> typed;
  window.typeLines = [&](const QStringList& lines) { typed.push_back(lines); };
  auto run = [&](const QString& menu, const QString& entry) {
    typed.clear();
    QAction* a = menuEntry(window, menu, entry);
    EXPECT_NE(a, nullptr) << menu.toStdString() << " > " << entry.toStdString();
    if (a) a->trigger();
    return typed.size() == 1 ? typed.front() : QStringList{"(" + QString::number(typed.size()) + " typings)"};
  };
  EXPECT_EQ(run("File", "New"), QStringList{"NEW"});
  EXPECT_EQ(run("File", "Save"), QStringList{"SAVE"});
  EXPECT_EQ(run("Edit", "Undo"), QStringList{"U"});
  EXPECT_EQ(run("Edit", "Redo"), QStringList{"REDO"});
  window.refresh();  // the drawing's tab, and the drawing first among the recent ones
  EXPECT_EQ(run("File", "Close"), (QStringList{"SWITCH", "1", "CLOSE"}));  // unchanged: no question

  // Recent drawings: most recent first, kept across sessions; an entry
  // opens its drawing through OPEN.
  const QString a = QString::fromStdString((dir / "a.dxf").string());
  const QString b = QString::fromStdString((dir / "b.dxf").string());
  services.documents().addDocument(std::make_unique<OdDbDatabase>(), b.toStdString(), "b.dxf");
  window.refresh();
  EXPECT_EQ(QSettings().value("files/recent").toStringList(), (QStringList{b, a}));
  QMenu* recent = recentDrawings(window);
  ASSERT_NE(recent, nullptr);
  ASSERT_EQ(recent->actions().size(), 2);
  typed.clear();
  recent->actions()[1]->trigger();
  EXPECT_EQ(typed, std::vector<QStringList>{(QStringList{"OPEN", a})});
  {
    qrvwindow::MainWindow next;
    QMenu* kept = recentDrawings(next);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->actions().size(), 2);
  }
  EXPECT_EQ(run("Format", "Dimension Style..."), QStringList{"DIMSTYLE"});
  EXPECT_EQ(run("Format", "Compare dimension styles..."), QStringList{"DIMCOMPARE"});
  EXPECT_EQ(run("Help", "Commands"), (QStringList{"HELP", ""}));

  const QString other = QString::fromStdString((dir / "other.dxf").string());
  answerFileDialog(other);
  EXPECT_EQ(run("File", "Open..."), (QStringList{"OPEN", other}));
  const QString copy = QString::fromStdString((dir / "copy.dxf").string());
  answerFileDialog(copy);
  EXPECT_EQ(run("File", "Save As..."), (QStringList{"SAVEAS", copy}));
  const QString picture = QString::fromStdString((dir / "picture.svg").string());
  answerFileDialog(picture);
  EXPECT_EQ(run("File", "Export..."), (QStringList{"EXPORT", picture}));
}

// One loop over the window's command table, in both languages: every
// command has its action, with a label, a tooltip and (where it has one) an
// icon that draws; a command that types does so from its action; menus and
// toolbars name only commands of the table; no two actions share a key.
TEST(MainWindowMenus, EveryCommandOfTheTableHasAnActionThatSaysAndDoesWhatItShould) {
  offscreenApplication();
  ScriptedHost host;
  for (HostLanguage language : {HostLanguage::kEnglish, HostLanguage::kRussian}) {
    setHostLanguage(language);
    qrvwindow::MainWindow window;
    std::vector<QStringList> typed;
    window.typeLines = [&](const QStringList& lines) { typed.push_back(lines); };
    QSet<QKeySequence> keys;
    for (const qrvwindow::WindowCommand& c : qrvwindow::windowCommands()) {
      SCOPED_TRACE(c.id);
      auto* a = window.findChild<QAction*>(QString("action-") + c.id);
      ASSERT_NE(a, nullptr);
      EXPECT_TRUE(a->isEnabled());
      EXPECT_EQ(a->text(), QString::fromUtf8(c.label[language == HostLanguage::kRussian]));
      EXPECT_FALSE(a->toolTip().isEmpty());
      EXPECT_EQ(a->isCheckable(), c.checkable);
      if (c.icon) {
        EXPECT_FALSE(a->icon().pixmap(24, 24).isNull());
      }
      for (const QKeySequence& k : a->shortcuts()) {
        EXPECT_FALSE(keys.contains(k)) << k.toString().toStdString();
        keys.insert(k);
      }
      if (c.typed) {
        typed.clear();
        a->trigger();
        EXPECT_EQ(typed, std::vector<QStringList>{QString::fromUtf8(c.typed).split('\n')});
      }
    }
    auto known = [](std::string_view id) {
      return id == "|" || id == "recent" || qrvwindow::findWindowCommand(id) != nullptr;
    };
    for (const auto& m : qrvwindow::windowMenus())
      for (const char* id : m.ids) EXPECT_TRUE(known(id)) << id;
    for (const auto& t : qrvwindow::windowToolBars())
      for (const char* id : t.ids) EXPECT_TRUE(known(id)) << id;
  }
  setHostLanguage(HostLanguage::kEnglish);
}

// The window keeps its layout from one session to the next: a dock the user
// closed stays closed, a toolbar hidden stays hidden.
TEST(MainWindowMenus, TheLayoutIsKeptForTheNextSession) {
  offscreenApplication();
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "qrv-window-layout";
  std::filesystem::remove_all(dir);
  setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  ScriptedHost host;
  {
    qrvwindow::MainWindow window;
    window.show();
    window.findChild<QDockWidget*>("paletteDock")->hide();
    window.findChild<QToolBar*>("viewToolBar")->hide();
    window.release();
  }
  qrvwindow::MainWindow next;
  next.show();
  EXPECT_TRUE(next.findChild<QDockWidget*>("paletteDock")->isHidden());
  EXPECT_TRUE(next.findChild<QToolBar*>("viewToolBar")->isHidden());
  EXPECT_FALSE(next.findChild<QToolBar*>("dimensionToolBar")->isHidden());
  next.release();
}
