// The window layer's Qt backend with a dialog of every control kind: the
// widgets mirror the dialog and what the user does to them reaches the
// dialog procedure as it does headless.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QTimer>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <cstdlib>

#include "backend.h"
#include "dialog.h"
#include "dialog_script.h"
#include "headless_backend.h"
#include "qt_backend.h"
#include "../shared/qt_dialog_test_support.h"
#include "ui_test_support.h"

using namespace qttest;
using namespace uitest;

namespace {

constexpr unsigned kRefresh = ui::kMsgUser + 900;

// The sample dialog's procedure: fills its lists, draws its owner-drawn
// items, swaps tab pages, edits labels on F2 and coalesces refreshes.
struct SampleProc : Recorder {
  int drawn = 0, refreshes = 0, menuChoice = -1;
  Recorder pageProc;
  SampleProc() {
    react = [this](ui::Dialog& d, const ui::Message& m) -> std::intptr_t {
      switch (m.msg) {
        case ui::kMsgInitDialog: {
          d.control(kOwnerDrop)->addItem("Red", 0xFF0000);
          d.control(kOwnerDrop)->addItem("Blue", 0x0000FF);
          d.control(kOwnerDrop)->setSelection(0);
          ui::Control& list = *d.control(kList);
          list.insertColumn(0, "Style", 120);
          list.addItem("Standard");
          list.addItem("Linear", 0, 1);
          list.setSelection(0);
          ui::DialogTemplate page;
          page.id = 4001;
          page.child = true;
          page.cx = 60;
          page.cy = 20;
          page.controls = {{200, ui::ControlKind::kButton, "Inside", {2, 2, 40, 14}, 0}};
          ui::Control& tab = *d.control(kTab);
          for (int i = 0; i < 2; ++i) {
            ui::Dialog* p = d.createChild(page, &pageProc, 1002 + i);
            p->setPlacement({20, 178, 120, 40});
            p->show(i == 0);
            tab.addItem(i ? "Text" : "Lines", 1002 + i);
          }
          tab.setSelection(0);
          return 1;
        }
        case ui::kMsgDrawItem: {
          ++drawn;
          const int color = int(m.control->itemData(m.item));
          m.dc->fillRect({m.itemRect.x + 2, m.itemRect.y + 2, 12, m.itemRect.cy - 4},
                         {std::uint8_t(color >> 16), std::uint8_t(color >> 8), std::uint8_t(color)});
          m.dc->text({m.itemRect.x + 18, m.itemRect.y + 1}, m.control->itemText(m.item));
          return 1;
        }
        case ui::kMsgNotify:
          if (m.code == ui::kNotifyKeyDown && m.key == ui::Key::kF2) m.control->beginLabelEdit(m.control->selection());
          if (m.code == ui::kNotifyEndLabelEdit) return 1;
          if (m.code == ui::kNotifyRightClick)
            menuChoice = ui::trackPopupMenu(d, {{3, "Set current", true}, {0, "", true}, {8, "Delete", false}}, m.point);
          if (m.code == ui::kNotifyTabSelChanging || m.code == ui::kNotifyTabSelChange)
            d.child(int(m.control->itemData(m.control->selection())))->show(m.code == ui::kNotifyTabSelChange);
          return 0;
        case ui::kMsgCommand:
          if (m.code == ui::kCmdEditChange) d.post(kRefresh);
          if (m.id == ui::kIdCancel) d.end(ui::kIdCancel);
          return 0;
        case kRefresh:
          d.removePosted(kRefresh);
          ++refreshes;
          return 0;
        default:
          return 0;
      }
    };
  }
};

void key(QWidget* to, int qtKey, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
  QApplication::sendEvent(to, &press);
}

}  // namespace

TEST(QtLayer, EveryControlKindRoundTrips) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ui::setBackend(&ui::qt::qtBackend());
  SampleProc proc;
  ui::qt::qtBackend().setShownHook([&](ui::Dialog& d, QWidget& window) {
    settle();
    // Spin: the up arrow proposes -1 with the default range.
    auto* spin = ui::qt::QtBackend::widgetOf(d, kSpin);
    ASSERT_NE(spin, nullptr);
    spin->findChild<QToolButton*>("up")->click();
    EXPECT_EQ(proc.seen.back().code, ui::kNotifySpinDelta);
    EXPECT_EQ(proc.seen.back().delta, -1);

    // A check box shows the state the dialog keeps.
    auto* check = static_cast<QCheckBox*>(ui::qt::QtBackend::widgetOf(d, kCheck));
    check->click();
    settle();
    EXPECT_EQ(d.control(kCheck)->check(), ui::kChecked);
    EXPECT_TRUE(check->isChecked());

    // Three keystrokes queued together: three changes, one refresh.
    auto* edit = static_cast<QLineEdit*>(ui::qt::QtBackend::widgetOf(d, kEdit));
    edit->setFocus();
    key(edit, Qt::Key_1, "1");
    key(edit, Qt::Key_2, "2");
    key(edit, Qt::Key_3, "3");
    EXPECT_EQ(d.control(kEdit)->text(), "123");
    EXPECT_EQ(proc.count(ui::kMsgCommand, kEdit, ui::kCmdEditChange), 3);
    settle();
    EXPECT_EQ(proc.refreshes, 1);

    // Owner-drawn items are drawn by the dialog when the window paints.
    auto* combo = static_cast<QComboBox*>(ui::qt::QtBackend::widgetOf(d, kOwnerDrop));
    EXPECT_EQ(combo->count(), 2);
    window.grab();
    EXPECT_GT(proc.drawn, 0);

    // Tabs swap the pages.
    auto* tabs = static_cast<QTabBar*>(ui::qt::QtBackend::widgetOf(d, kTab));
    tabs->setCurrentIndex(1);
    settle();
    EXPECT_FALSE(d.child(1002)->isVisible());
    EXPECT_TRUE(d.child(1003)->isVisible());
    EXPECT_FALSE(window.findChild<QWidget*>("page1002")->isVisible());
    EXPECT_TRUE(window.findChild<QWidget*>("page1003")->isVisible());

    // F2 in the list edits the label in place; Enter keeps the text.
    auto* tree = static_cast<QTreeWidget*>(ui::qt::QtBackend::widgetOf(d, kList));
    EXPECT_EQ(tree->topLevelItemCount(), 2);
    tree->setFocus();
    key(tree, Qt::Key_F2);
    settle();
    ASSERT_TRUE(d.control(kList)->isEditingLabel());
    auto* editor = tree->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("ISO-25");
    emit editor->textEdited("ISO-25");
    key(editor, Qt::Key_Return);
    settle();
    EXPECT_FALSE(d.control(kList)->isEditingLabel());
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "ISO-25");
    EXPECT_EQ(proc.count(ui::kMsgCommand, kDefault), 0) << "Enter ended the edit only";

    // Picking a row in the widget selects it in the dialog.
    tree->setCurrentItem(tree->topLevelItem(1));
    settle();
    EXPECT_EQ(d.control(kList)->selection(), 1);

    // A right click on a row selects it and opens the dialog's menu; the
    // user takes the first entry.
    QTimer::singleShot(0, [] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      EXPECT_FALSE(menu->actions().back()->isEnabled());
      menu->setActiveAction(menu->actions().front());
      key(menu, Qt::Key_Return);
    });
    emit tree->customContextMenuRequested(tree->visualItemRect(tree->topLevelItem(0)).center());
    EXPECT_EQ(proc.menuChoice, 3);
    EXPECT_EQ(d.control(kList)->selection(), 0);

    // Everything else the widgets show is what the dialog holds.
    d.control(kButton)->enable(false);
    d.control(kButton)->setTooltip("Apply the changes");
    d.control(kRadio2)->setCheck(ui::kChecked);
    settle();
    EXPECT_EQ(ui::qt::QtBackend::dumpWidgets(d), ui::dumpDialog(d));

    shot(window, "qt-layer-sample.png");
    key(&window, Qt::Key_Escape);
  });
  EXPECT_EQ(ui::runModalDialog(sampleTemplate(), proc, nullptr), ui::kIdCancel);
  ui::qt::qtBackend().setShownHook(nullptr);
  ui::setBackend(nullptr);
}

TEST(QtLayer, DialogsBelongToTheMainWindowAndAScriptAnswersTheirMenus) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ui::setBackend(&ui::qt::qtBackend());
  QMainWindow main;
  main.show();
  SampleProc proc;
  int chosen = -1;
  ui::qt::qtBackend().setShownHook([&](ui::Dialog& d, QWidget& window) {
    settle();
    // Above the main window and modal to it alone.
    EXPECT_EQ(window.parentWidget(), &main);
    EXPECT_EQ(window.windowModality(), Qt::WindowModal);
    // A scripted session answers a menu from the script, opening none.
    ui::setScriptedSession(true);
    ui::headlessBackend().queueMenuAnswer("Two");
    chosen = ui::trackPopupMenu(d, {{1, "One"}, {2, "Two"}}, {0, 0});
    ui::setScriptedSession(false);
    key(&window, Qt::Key_Escape);
  });
  EXPECT_EQ(ui::runModalDialog(sampleTemplate(), proc, nullptr), ui::kIdCancel);
  EXPECT_EQ(chosen, 2);
  ui::qt::qtBackend().setShownHook(nullptr);
  ui::setBackend(nullptr);
}
