// The Compare dialog as real Qt widgets on the offscreen platform: the same
// dialog code, played through the widgets, with screenshots for review.
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "dialog.h"
#include "dialog_script.h"
#include "dlgcompare/compare_command.h"
#include "dlgcompare/compare_styles_dialog.h"
#include "host_test_support.h"
#include "../shared/qt_dialog_test_support.h"
#include "../shared/style_table_test_support.h"

using namespace qttest;

namespace {

struct CompareQt : QtDialogTest<> {
  OdDbDatabase db;  // imperial: Standard's arrows are 0.18

  void SetUp() override {
    startIn(HostLanguage::kEnglish);
    OdDbDimStyleTableRecordPtr(addStandardCopy(db, "Wide", 0.25).safeOpenObject(OdDb::kForWrite))->setDimpost("mm");
  }

  // Runs the dialog on Standard with itself; `play` acts through widgets.
  int run(const std::function<void(ui::Dialog&, QWidget&)>& play) {
    ui::qt::qtBackend().setShownHook(play);
    OdDbDimStyleTableRecordPtr standard = db.getDimStyleStandardId().safeOpenObject();
    dds::CompareStylesDialog dialog(&db);
    return dialog.run(standard.get(), standard.get(), nullptr);
  }
  template <class W>
  static W* find(QWidget& window, int id) {
    W* w = window.findChild<W*>(QString::number(id));
    EXPECT_NE(w, nullptr) << id;
    return w;
  }
};

}  // namespace

TEST_F(CompareQt, OpensShowsTheRowsCopiesAndCloses) {
  const int result = run([](ui::Dialog&, QWidget& window) {
    settle();
    EXPECT_EQ(window.windowTitle(), "Compare Dimension Styles");
    auto* rows = find<QTreeWidget>(window, 1182);
    auto* caption = find<QLabel>(window, 1181);
    ASSERT_TRUE(rows && caption);
    EXPECT_EQ(caption->text(), "All properties of dimension style \"Standard\":");
    EXPECT_EQ(rows->topLevelItemCount(), 78);
    EXPECT_EQ(rows->columnCount(), 3);
    EXPECT_EQ(rows->headerItem()->text(2), "Standard");
    // The description at least as wide as ever, the other columns wide
    // enough for their texts, and all of them in view.
    EXPECT_GE(rows->columnWidth(0), 100);
    int total = 0;
    for (int c = 0; c < rows->columnCount(); ++c) total += rows->columnWidth(c);
    EXPECT_LE(total, rows->viewport()->width());
    for (int c = 1; c < rows->columnCount(); ++c) {
      int widest = rows->fontMetrics().horizontalAdvance(rows->headerItem()->text(c));
      for (int r = 0; r < rows->topLevelItemCount(); ++r)
        widest = std::max(widest, rows->fontMetrics().horizontalAdvance(rows->topLevelItem(r)->text(c)));
      EXPECT_LE(widest, rows->columnWidth(c)) << c;
    }

    choose(find<QComboBox>(window, 1179), "Wide");
    EXPECT_EQ(caption->text(), "Found 2 differences:");
    ASSERT_EQ(rows->topLevelItemCount(), 2);
    EXPECT_EQ(rows->columnCount(), 4);
    EXPECT_EQ(rows->headerItem()->text(3), "Wide");
    EXPECT_EQ(rows->topLevelItem(0)->text(1), "DIMASZ");
    EXPECT_EQ(rows->topLevelItem(0)->text(3), "0.2500");
    EXPECT_EQ(rows->topLevelItem(0)->toolTip(0), "Arrow size") << "label tips";

    auto* copy = find<QPushButton>(window, 1183);
    EXPECT_EQ(copy->toolTip(), "Copy to clipboard");
    EXPECT_FALSE(copy->icon().isNull());
    QGuiApplication::clipboard()->setText("before");
    copy->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "Arrow size\tDIMASZ\t0.1800\t0.2500\r\nPrefix and suffix for dimension text\tDIMPOST\t\tmm\r\n");
    shot(window, "compare-dialog-en.png");
    find<QPushButton>(window, 2)->click();
  });
  EXPECT_EQ(result, 2);
}

TEST_F(CompareQt, RussianWindowAndEscape) {
  setHostLanguage(HostLanguage::kRussian);
  const int result = run([](ui::Dialog&, QWidget& window) {
    settle();
    EXPECT_EQ(window.windowTitle(), "Сравнение размерных стилей");
    choose(find<QComboBox>(window, 1179), "Wide");
    EXPECT_EQ(find<QLabel>(window, 1181)->text(), "Найдено различий: 2");
    EXPECT_EQ(find<QTreeWidget>(window, 1182)->headerItem()->text(0), "Описание");
    EXPECT_EQ(find<QPushButton>(window, 2)->text(), "Закрыть");
    shot(window, "compare-dialog-ru.png");
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&window, &escape);
  });
  EXPECT_EQ(result, 2);
}

TEST_F(CompareQt, DimCompareOpensAWindowWhenTheSessionHasADisplay) {
  ::setenv("QRV_UI", "qt", 1);
  ScriptedHost host("Wide\n");
  host.newDocument(OdDb::kEnglish);
  addStandardCopy(*host.documents().curDocument()->database(), "Wide", 0.5);
  bool shown = false;
  ui::qt::qtBackend().setShownHook([&](ui::Dialog&, QWidget& window) {
    settle();
    shown = true;
    EXPECT_EQ(find<QLabel>(window, 1181)->text(), "Found 1 differences:");
    find<QPushButton>(window, 2)->click();
  });
  dds::runCompareCommand();
  ::unsetenv("QRV_UI");
  EXPECT_TRUE(shown);
  EXPECT_EQ(ui::backend().name(), std::string("qt"));
  EXPECT_EQ(host.transcript().find("dialog 1011"), std::string::npos) << "a window prints no dump";
  ui::setBackend(&ui::qt::qtBackend());
}

// Among the sides: "<none>" after a style in "Compare", the one-sided
// listing of that style. The window's close box ends it as Close does.
TEST_F(CompareQt, TheWidgetsShowWhatTheHeadlessDumpShows) {
  db.setDimtxt(0.3);  // overrides: both lists offer them
  for (HostLanguage language : {HostLanguage::kEnglish, HostLanguage::kRussian}) {
    setHostLanguage(language);
    const int result = run([](ui::Dialog& dialog, QWidget& window) {
      for (const char* line : {"", "select 1179 Wide", "select 1177 #0", "select 1179 #0", "select 1177 Wide",
                               "select 1179 #1", "press 1183"}) {
        ASSERT_TRUE(ui::runDialogScriptLine(dialog, line, [](const std::string&) {}).ok) << line;
        settle();
        EXPECT_EQ(ui::qt::QtBackend::dumpWidgets(dialog), ui::dumpDialog(dialog)) << line;
      }
      window.close();
    });
    EXPECT_EQ(result, 2);
  }
}
