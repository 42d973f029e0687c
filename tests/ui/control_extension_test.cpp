// What controls of the style editor and the palette lean on: controls that
// handle their own messages, commands posted the way a control posts them,
// window properties, a disabled owner, and pictures kept for later.
#include <gtest/gtest.h>

#include "backend.h"
#include "dialog.h"
#include "headless_backend.h"
#include "ui_test_support.h"
#include "user_input.h"

using namespace uitest;

TEST(ControlExtension, SeesItsMessagesBeforeTheDialog) {
  Recorder proc;
  ui::Dialog dlg(sampleTemplate(), &proc, nullptr);
  ui::Control& drop = *dlg.control(kOwnerDrop);
  drop.addItem("ByLayer");
  int drawnByControl = 0;
  // A colour list draws its own swatches and lets the rest through.
  drop.setExtension([&](ui::Control& c, const ui::Message& m) -> std::optional<std::intptr_t> {
    if (m.msg != ui::kMsgDrawItem) return std::nullopt;
    ++drawnByControl;
    m.dc->text({m.itemRect.x, m.itemRect.y}, c.itemText(m.item));
    return 1;
  });
  ui::RecordingDC dc;
  drop.drawItem(dc, 0, {0, 0, 50, 16}, 0);
  EXPECT_EQ(drawnByControl, 1);
  EXPECT_EQ(proc.count(ui::kMsgDrawItem), 0);
  drop.addItem("ByBlock");
  ui::user::select(dlg, kOwnerDrop, 1);
  EXPECT_EQ(proc.count(ui::kMsgCommand, kOwnerDrop, ui::kCmdSelChange), 1) << "passed on";

  // A list extended to refuse clicks beside its rows keeps its selection.
  ui::Control& list = *dlg.control(kList);
  list.addItem("a");
  list.setSelection(0);
  list.setExtension([](ui::Control&, const ui::Message& m) -> std::optional<std::intptr_t> {
    if (m.code == ui::kNotifyRightClick && m.item < 0) return 0;
    return std::nullopt;
  });
  ui::user::rightClick(dlg, kList, -1);
  EXPECT_EQ(proc.count(ui::kMsgNotify, kList, ui::kNotifyRightClick), 0);
  EXPECT_EQ(list.selection(), 0);
}

TEST(PostedCommands, ArriveWithIdAndCode) {
  Recorder proc;
  ui::Dialog dlg(sampleTemplate(), &proc, nullptr);
  dlg.postCommand(kOwnerDrop, ui::kCmdSelEndOk);
  EXPECT_EQ(proc.count(ui::kMsgCommand), 0) << "not before the loop runs";
  ui::dispatchPostedMessages();
  EXPECT_EQ(proc.count(ui::kMsgCommand, kOwnerDrop, ui::kCmdSelEndOk), 1);
}

TEST(Windows, PropertiesDisabledOwnersAndGeometry) {
  ui::headlessBackend().reset();
  Recorder proc;
  ui::Dialog dlg(sampleTemplate(), &proc, nullptr);
  ui::Control& combo = *dlg.control(kOwnerDrop);
  // A focus lock is a counter kept on the window.
  EXPECT_EQ(combo.property("PZKILLFOCUSLOCKED"), 0);
  combo.setProperty("PZKILLFOCUSLOCKED", combo.property("PZKILLFOCUSLOCKED") + 1);
  combo.setProperty("PZKILLFOCUSLOCKED", combo.property("PZKILLFOCUSLOCKED") + 1);
  EXPECT_EQ(combo.property("PZKILLFOCUSLOCKED"), 2);
  combo.removeProperty("PZKILLFOCUSLOCKED");
  EXPECT_EQ(combo.property("PZKILLFOCUSLOCKED"), 0);

  // While a picker is up its owner takes no input.
  std::string why;
  dlg.enable(false);
  EXPECT_FALSE(ui::user::click(dlg, kButton, &why));
  EXPECT_EQ(why, "the dialog is disabled");
  dlg.enable(true);
  EXPECT_TRUE(ui::user::click(dlg, kButton));

  // Pixels from dialog units; text measured in the dialog font.
  EXPECT_EQ(dlg.control(kList)->pixelRect(), (ui::Rect{165, 8, 128, 130}));
  EXPECT_EQ(ui::measureText("More Colors..."), (ui::Point{84, 13}));
  combo.setDroppedWidth(ui::measureText("More Colors...").x + 4);
  EXPECT_EQ(combo.droppedWidth(), 88);

  ui::Control& list = *dlg.control(kList);
  list.addItem("a");
  list.ensureVisible(5);
  EXPECT_EQ(list.scrollTarget(), -1) << "no such row";
  list.ensureVisible(0);
  EXPECT_EQ(list.takeScrollTarget(), 0);
  EXPECT_EQ(list.scrollTarget(), -1);
}

TEST(RecordedPictures, ReplayOnAnotherContext) {
  ui::RecordingDC picture;
  picture.setPen({0, 0, 255}, 2, ui::PenStyle::kDash);
  picture.polyline({{0, 0}, {10, 5}});
  picture.fillPolygon({{0, 0}, {4, 0}, {2, 3}}, {0, 0, 0});
  picture.setFontHeight(10);
  picture.text({1, 2}, "2.50");
  ui::RecordingDC copy;
  picture.replay(copy);
  ASSERT_EQ(copy.calls().size(), picture.calls().size());
  EXPECT_EQ(copy.calls()[0].style, ui::PenStyle::kDash);
  EXPECT_EQ(copy.calls()[1].points.size(), 2u);
  EXPECT_EQ(copy.texts(), std::vector<std::string>{"2.50"});
  // A given font height scales the measured text.
  EXPECT_EQ(copy.textExtent("2.50"), (ui::Point{20, 10}));
}
