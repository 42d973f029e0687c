// Dialogs on the headless backend: what a procedure hears when a user acts,
// and what the user sees afterwards.
#include <gtest/gtest.h>

#include "backend.h"
#include "dialog.h"
#include "headless_backend.h"
#include "ui_test_support.h"
#include "user_input.h"

using namespace uitest;

namespace {

struct Dialogs : ::testing::Test {
  Recorder proc;
  ui::Dialog dlg{sampleTemplate(), &proc, nullptr};
  void SetUp() override { ui::headlessBackend().reset(); }
  void TearDown() override {
    ui::dispatchPostedMessages();
    ui::headlessBackend().reset();
  }
};

}  // namespace

TEST_F(Dialogs, UserActionsReachTheProcedureButProgramChangesDoNot) {
  ASSERT_TRUE(ui::user::click(dlg, kButton));
  EXPECT_EQ(proc.count(ui::kMsgCommand, kButton, ui::kCmdClicked), 1);

  ui::Control& drop = *dlg.control(kDrop);
  drop.addItem("x");
  drop.addItem("y");
  drop.setSelection(1);  // the program's own choice: no notification
  EXPECT_EQ(proc.count(ui::kMsgCommand, kDrop), 0);
  ASSERT_TRUE(ui::user::select(dlg, kDrop, 0));
  EXPECT_EQ(proc.count(ui::kMsgCommand, kDrop, ui::kCmdSelChange), 1);
  EXPECT_EQ(drop.selection(), 0);

  // An edit reports every change of its text, also the program's.
  dlg.control(kEdit)->setText("1");
  ASSERT_TRUE(ui::user::type(dlg, kEdit, "2.5ф"));
  EXPECT_EQ(proc.count(ui::kMsgCommand, kEdit, ui::kCmdEditChange), 5);
  EXPECT_EQ(dlg.control(kEdit)->text(), "2.5ф");

  // Check boxes toggle, radio buttons clear the rest of their group.
  ASSERT_TRUE(ui::user::setCheck(dlg, kCheck, true));
  EXPECT_EQ(dlg.control(kCheck)->check(), ui::kChecked);
  ASSERT_TRUE(ui::user::click(dlg, kRadio1));
  ASSERT_TRUE(ui::user::click(dlg, kRadio2));
  EXPECT_EQ(dlg.control(kRadio1)->check(), ui::kUnchecked);
  EXPECT_EQ(dlg.control(kRadio2)->check(), ui::kChecked);
  EXPECT_FALSE(ui::user::setCheck(dlg, kRadio2, false));
}

TEST_F(Dialogs, UnreachableControlsRefuseTheUser) {
  std::string why;
  dlg.control(kButton)->enable(false);
  EXPECT_FALSE(ui::user::click(dlg, kButton, &why));
  EXPECT_EQ(why, "control 101 is disabled");
  EXPECT_FALSE(ui::user::click(dlg, kHidden, &why));
  EXPECT_EQ(why, "control 114 is hidden");
  EXPECT_FALSE(ui::user::click(dlg, 9999, &why));
  EXPECT_FALSE(ui::user::select(dlg, kDrop, 0, &why)) << "an empty list has no item 0";
  dlg.control(kEdit)->setReadOnly(true);
  EXPECT_FALSE(ui::user::type(dlg, kEdit, "x", &why));
  EXPECT_EQ(proc.count(ui::kMsgCommand, kButton), 0);
}

TEST_F(Dialogs, PostedMessagesCoalesceWhenTheHandlerRemovesQueuedCopies) {
  constexpr unsigned kRefresh = ui::kMsgUser + 900;
  int refreshes = 0;
  proc.react = [&](ui::Dialog& d, const ui::Message& m) -> std::intptr_t {
    if (m.msg == ui::kMsgCommand && m.code == ui::kCmdEditChange) d.post(kRefresh);
    if (m.msg == kRefresh) {
      d.removePosted(kRefresh);
      ++refreshes;
    }
    return 0;
  };
  ui::user::type(dlg, kEdit, "12345");  // five keystrokes queued together
  EXPECT_EQ(ui::postedMessageCount(), 5);
  EXPECT_EQ(ui::dispatchPostedMessages(), 1);
  EXPECT_EQ(refreshes, 1);

  // Other messages keep their place and order.
  dlg.post(ui::kMsgUser + 1, 7);
  dlg.post(kRefresh);
  dlg.post(ui::kMsgUser + 2, 8);
  dlg.post(kRefresh);
  EXPECT_EQ(dlg.removePosted(kRefresh), 2);
  ui::dispatchPostedMessages();
  ASSERT_GE(proc.seen.size(), 2u);
  EXPECT_EQ(proc.seen[proc.seen.size() - 2].msg, ui::kMsgUser + 1);
  EXPECT_EQ(proc.seen.back().msg, ui::kMsgUser + 2);
}

TEST(PostedMessages, AreDroppedWithTheirDialog) {
  Recorder proc;
  {
    ui::Dialog gone(sampleTemplate(), &proc, nullptr);
    gone.post(ui::kMsgUser + 5);
  }
  EXPECT_EQ(ui::postedMessageCount(), 0);
  EXPECT_EQ(ui::dispatchPostedMessages(), 0);
}

TEST_F(Dialogs, SpinDeltasFollowTheRange) {
  EXPECT_EQ(dlg.control(kSpin)->buddy(), dlg.control(kEdit));
  ui::user::spin(dlg, kSpin, true);
  ui::user::spin(dlg, kSpin, false);
  dlg.control(kSpin)->setSpinRange(0, 100);
  ui::user::spin(dlg, kSpin, true);
  std::vector<int> deltas;
  for (const auto& s : proc.seen)
    if (s.msg == ui::kMsgNotify && s.code == ui::kNotifySpinDelta) deltas.push_back(s.delta);
  // The default range runs from 100 down to 0: up proposes -1.
  EXPECT_EQ(deltas, (std::vector<int>{-1, 1, 1}));
  EXPECT_FALSE(ui::user::spin(dlg, kEdit, true)) << "an edit is no spin";
}

TEST_F(Dialogs, SortedListsKeepItemDataAndSelection) {
  ui::Control& drop = *dlg.control(kDrop);
  EXPECT_EQ(drop.addItem("beta", 1), 0);
  EXPECT_EQ(drop.addItem("Alpha", 2), 0);
  drop.setSelection(1);  // beta
  EXPECT_EQ(drop.addItem("alpha", 3), 1) << "equal names keep their order";
  EXPECT_EQ(drop.addItem("Гамма", 4), 3);
  EXPECT_EQ(drop.addItem("<none>", -2), 0);
  EXPECT_EQ(drop.itemText(drop.selection()), "beta");
  std::vector<std::intptr_t> data;
  for (int i = 0; i < drop.itemCount(); ++i) data.push_back(drop.itemData(i));
  EXPECT_EQ(data, (std::vector<std::intptr_t>{-2, 2, 3, 1, 4}));
  EXPECT_EQ(drop.findItemData(1), 3);
  EXPECT_EQ(drop.itemData(99), -1);
  drop.deleteItem(0);
  EXPECT_EQ(drop.itemText(drop.selection()), "beta");
  drop.deleteItem(drop.selection());
  EXPECT_EQ(drop.selection(), -1);

  // An unsorted list keeps the order of insertion.
  ui::Control& list = *dlg.control(kList);
  list.insertColumn(0, "Name", 80);
  list.addItem("b", 10);
  list.insertItem(0, "a", 11, 1);
  EXPECT_EQ(list.itemText(0), "a");
  EXPECT_EQ(list.item(0)->indent, 1);
}

TEST_F(Dialogs, ListViewColumnsAndSelectionNotifications) {
  ui::Control& list = *dlg.control(kList);
  list.insertColumn(0, "A", 100);
  list.insertColumn(1, "B", 75);
  const int row = list.addItem("one", 5);
  list.setItemText(row, 1, "uno");
  list.insertColumn(1, "Mid", 10);  // cells move with their columns
  EXPECT_EQ(list.itemText(row, 2), "uno");
  EXPECT_EQ(list.itemText(row, 1), "");
  list.deleteColumn(1);
  EXPECT_EQ(list.itemText(row, 1), "uno");
  list.setSelection(0);
  list.clearItems();
  EXPECT_EQ(proc.count(ui::kMsgNotify, kList, ui::kNotifyItemChanged), 2) << "selected, then nothing";
  list.setRedraw(false);
  list.setRedraw(false);
  list.setRedraw(true);
  EXPECT_TRUE(list.redrawSuspended());
  list.setRedraw(true);
  EXPECT_FALSE(list.redrawSuspended());
}

TEST_F(Dialogs, LabelEditing) {
  ui::Control& list = *dlg.control(kList);
  list.addItem("Standard", 0);
  list.addItem("Child", 1);
  // The dialog refuses child rows and keeps only names it accepts.
  proc.react = [&](ui::Dialog&, const ui::Message& m) -> std::intptr_t {
    if (m.code == ui::kNotifyBeginLabelEdit) return list.itemData(m.item) == 1;
    if (m.code == ui::kNotifyEndLabelEdit) return m.text && *m.text != "bad";
    return 0;
  };
  std::string why;
  EXPECT_FALSE(ui::user::editLabel(dlg, kList, 1, std::string("X"), &why));
  EXPECT_EQ(list.itemText(1), "Child");
  EXPECT_TRUE(ui::user::editLabel(dlg, kList, 0, std::string("Renamed")));
  EXPECT_EQ(list.itemText(0), "Renamed");
  EXPECT_TRUE(ui::user::editLabel(dlg, kList, 0, std::string("bad")));
  EXPECT_EQ(list.itemText(0), "Renamed");
  EXPECT_TRUE(ui::user::editLabel(dlg, kList, 0, std::nullopt));
  EXPECT_FALSE(proc.seen.back().hasText) << "a cancelled edit hands over no text";

  // F2 starts an edit, the user types, Enter ends it; Escape cancels.
  proc.react = [&](ui::Dialog&, const ui::Message& m) -> std::intptr_t {
    if (m.code == ui::kNotifyKeyDown && m.key == ui::Key::kF2) list.beginLabelEdit(list.selection());
    return m.code == ui::kNotifyEndLabelEdit ? 1 : 0;
  };
  list.setSelection(0);
  ASSERT_TRUE(ui::user::pressKey(dlg, ui::Key::kF2, kList));
  ASSERT_TRUE(list.isEditingLabel());
  ui::user::type(dlg, kList, "Typed");
  ui::user::pressKey(dlg, ui::Key::kEnter);
  EXPECT_FALSE(list.isEditingLabel());
  EXPECT_EQ(list.itemText(0), "Typed");
  EXPECT_EQ(proc.count(ui::kMsgCommand, kDefault), 0) << "Enter went to the edit, not to the OK button";
  ui::user::pressKey(dlg, ui::Key::kF2, kList);
  ui::user::type(dlg, kList, "Dropped");
  ui::user::pressKey(dlg, ui::Key::kEscape);
  EXPECT_EQ(list.itemText(0), "Typed");
  EXPECT_EQ(proc.count(ui::kMsgCommand, ui::kIdCancel), 0);
}

TEST_F(Dialogs, Keys) {
  ui::user::pressKey(dlg, ui::Key::kF1);
  EXPECT_EQ(proc.count(ui::kMsgHelp), 1);
  ui::user::pressKey(dlg, ui::Key::kEscape);
  EXPECT_EQ(proc.count(ui::kMsgCommand, ui::kIdCancel), 1);
  ui::user::pressKey(dlg, ui::Key::kEnter);
  EXPECT_EQ(proc.count(ui::kMsgCommand, kDefault), 1);
  ui::user::pressKey(dlg, ui::Key::kDelete, kList);
  EXPECT_EQ(proc.count(ui::kMsgNotify, kList, ui::kNotifyKeyDown), 1);
  EXPECT_EQ(proc.seen.back().key, ui::Key::kDelete);
  ui::user::pressKey(dlg, ui::Key::kSpace, kButton);
  EXPECT_EQ(proc.count(ui::kMsgCommand, kButton, ui::kCmdClicked), 1);
  // The close box: Cancel unless the procedure handles it.
  ui::user::close(dlg);
  EXPECT_EQ(proc.count(ui::kMsgClose), 1);
  EXPECT_EQ(proc.count(ui::kMsgCommand, ui::kIdCancel), 2);
  EXPECT_EQ(ui::keyFromName("escape"), ui::Key::kEscape);
  EXPECT_EQ(ui::keyFromName("F13"), ui::Key::kNone);
}

TEST_F(Dialogs, TabPagesAreChildDialogs) {
  ui::DialogTemplate page;
  page.id = 4001;
  page.child = true;
  page.controls = {{200, ui::ControlKind::kButton, "Inside", {5, 5, 40, 14}, 0}};
  Recorder pageProc;
  int tag = 42;
  ui::Dialog* first = dlg.createChild(page, &pageProc, 1002, &tag);
  ui::Dialog* second = dlg.createChild(page, &pageProc, 1003, &tag);
  EXPECT_EQ(pageProc.count(ui::kMsgInitDialog), 2);
  EXPECT_EQ(first->parent(), &dlg);
  EXPECT_EQ(first->userData(), &tag);
  EXPECT_EQ(dlg.child(1003), second);
  second->show(false);
  ui::Control& tab = *dlg.control(kTab);
  tab.addItem("Lines", 1002);
  tab.addItem("Text", 1003);
  tab.setSelection(0);
  // The dialog swaps pages on the two notifications.
  proc.react = [&](ui::Dialog& d, const ui::Message& m) -> std::intptr_t {
    if (m.id != kTab) return 0;
    const bool leaving = m.code == ui::kNotifyTabSelChanging;
    if (leaving || m.code == ui::kNotifyTabSelChange)
      d.child(int(tab.itemData(tab.selection())))->show(!leaving);
    return 0;
  };
  EXPECT_FALSE(ui::user::click(*second, 200)) << "a hidden page's controls are out of reach";
  ASSERT_TRUE(ui::user::select(dlg, kTab, 1));
  EXPECT_FALSE(first->isVisible());
  EXPECT_TRUE(second->isVisible());
  EXPECT_TRUE(ui::user::click(*second, 200));
  EXPECT_EQ(pageProc.count(ui::kMsgCommand, 200), 1);
}

TEST_F(Dialogs, OwnerDrawnItemsAndPaintedFramesDrawThroughTheDeviceContext) {
  ui::Control& drop = *dlg.control(kOwnerDrop);
  drop.addItem("Red");
  proc.react = [](ui::Dialog&, const ui::Message& m) -> std::intptr_t {
    if (m.msg != ui::kMsgDrawItem) return 0;
    m.dc->fillRect({m.itemRect.x, m.itemRect.y, 10, m.itemRect.cy}, {255, 0, 0});
    m.dc->text({m.itemRect.x + 12, m.itemRect.y}, m.control->itemText(m.item));
    return 1;
  };
  ui::RecordingDC dc;
  drop.drawItem(dc, 0, {0, 0, 80, 16}, ui::kItemSelected);
  ASSERT_EQ(dc.calls().size(), 2u);
  EXPECT_EQ(dc.calls()[0].kind, ui::DcCall::kFillRect);
  EXPECT_EQ(dc.calls()[0].color, (ui::Color{255, 0, 0}));
  EXPECT_EQ(dc.texts(), std::vector<std::string>{"Red"});
  EXPECT_EQ(dc.textExtent("Red"), (ui::Point{18, 13}));

  ui::Control& frame = *dlg.control(kFrame);
  const auto before = frame.revision();
  frame.setPainter([](ui::DeviceContext& d, const ui::Rect& r) { d.frameRect(r); });
  frame.invalidate();
  EXPECT_GT(frame.revision(), before);
  ui::RecordingDC frameDc;
  frame.paint(frameDc, {0, 0, 60, 45});
  ASSERT_EQ(frameDc.calls().size(), 1u);
  EXPECT_EQ(frameDc.calls()[0].rect, (ui::Rect{0, 0, 60, 45}));
}

TEST(ModalRun, MeasuresOwnerDrawnListsRunsTheDriverAndReturnsTheResult) {
  ui::headlessBackend().reset();
  Recorder proc;
  ui::Dialog* seen = nullptr;
  proc.react = [&](ui::Dialog& d, const ui::Message& m) -> std::intptr_t {
    if (m.msg == ui::kMsgMeasureItem) *m.itemHeight = 18;
    if (m.msg == ui::kMsgCommand && m.id == kDefault) d.end(7);
    return 0;
  };
  int owner = 0;
  ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
    seen = &d;
    EXPECT_EQ(d.userData(), &owner);
    EXPECT_EQ(d.control(kOwnerDrop)->itemHeight(), 18);
    EXPECT_EQ(d.focus(), d.control(kButton)) << "the first control that takes input";
    ui::user::click(d, kDefault);
  });
  EXPECT_EQ(ui::runModalDialog(sampleTemplate(), proc, nullptr, &owner), 7);
  EXPECT_NE(seen, nullptr);
  // Order: measure, init, ..., destroy.
  ASSERT_GE(proc.seen.size(), 3u);
  EXPECT_EQ(proc.seen[0].msg, ui::kMsgMeasureItem);
  EXPECT_EQ(proc.seen[1].msg, ui::kMsgInitDialog);
  EXPECT_EQ(proc.seen.back().msg, ui::kMsgDestroy);

  // Nobody there: the dialog gets Escape, then ends with Cancel.
  Recorder idle;
  ui::headlessBackend().setDefaultDriver([](ui::Dialog&) {});
  EXPECT_EQ(ui::runModalDialog(sampleTemplate(), idle, nullptr), ui::kIdCancel);
  EXPECT_EQ(idle.count(ui::kMsgCommand, ui::kIdCancel), 1);
  ui::headlessBackend().reset();
}

TEST(ContextMenus, HeadlessAnswersComeFromTheQueue) {
  ui::headlessBackend().reset();
  Recorder proc;
  ui::Dialog dlg(sampleTemplate(), &proc, nullptr);
  const ui::Menu menu{{3, "Set &current", true}, {1000, "Rename", false}, {0, "", true}, {8, "Delete", true}};
  EXPECT_EQ(ui::trackPopupMenu(dlg, menu, {}), 0) << "no answer: dismissed";
  ui::headlessBackend().queueMenuAnswer("set current");
  EXPECT_EQ(ui::trackPopupMenu(dlg, menu, {}), 3);
  ui::headlessBackend().queueMenuAnswer("1000");
  EXPECT_EQ(ui::trackPopupMenu(dlg, menu, {}), 0) << "a disabled entry cannot be chosen";
  ui::headlessBackend().queueMenuAnswer("8");
  EXPECT_EQ(ui::trackPopupMenu(dlg, menu, {}), 8);
  ASSERT_NE(ui::headlessBackend().lastMenu(), nullptr);
  EXPECT_EQ(ui::headlessBackend().lastMenu()->size(), 4u);

  // Right button on a list row selects it first.
  ui::Control& list = *dlg.control(kList);
  list.addItem("a");
  list.addItem("b");
  ASSERT_TRUE(ui::user::rightClick(dlg, kList, 1));
  EXPECT_EQ(list.selection(), 1);
  EXPECT_EQ(proc.count(ui::kMsgNotify, kList, ui::kNotifyRightClick), 1);
  ui::headlessBackend().reset();
}

TEST(Clipboard, HeadlessClipboardHoldsUnicodeText) {
  ui::HeadlessClipboard& cb = ui::headlessBackend().headlessClipboard();
  cb.reset();
  EXPECT_FALSE(cb.unicodeText());
  EXPECT_FALSE(cb.setUnicodeText(u"closed")) << "only while open";
  ASSERT_TRUE(cb.open(nullptr));
  EXPECT_FALSE(cb.open(nullptr)) << "one opener at a time";
  EXPECT_TRUE(cb.empty());
  EXPECT_TRUE(cb.setUnicodeText(u"Размер\t1\r\n"));
  cb.close();
  EXPECT_EQ(cb.unicodeText(), std::u16string(u"Размер\t1\r\n"));
  EXPECT_EQ(cb.data().back(), u'\0') << "stored with its terminating zero";
  cb.setRefuseOpen(true);
  EXPECT_FALSE(cb.open(nullptr));
  EXPECT_EQ(cb.unicodeText(), std::u16string(u"Размер\t1\r\n")) << "a refused open changes nothing";
  cb.reset();
}
