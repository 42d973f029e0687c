// The style editor's owner-drawn lists on the headless backend: they hold a
// value of their own, select the item it reads as, tell their owner about a
// pick, and keep the value when a picker is cancelled.
#include "backend.h"
#include "dialog.h"
#include "dialog_template.h"
#include "dimprops/editor_controls.h"
#include "headless_backend.h"
#include "palette_test_support.h"
#include "user_input.h"

namespace {

struct Silent : ui::DialogHandler {
  std::intptr_t onMessage(ui::Dialog&, const ui::Message&) override { return 0; }
};

// Runs a dialog with two owner-drawn drop-downs (10 and 11) and plays it.
void withLists(const std::function<void(ui::Dialog&)>& play) {
  ui::setBackend(nullptr);
  ui::DialogTemplate t;
  t.id = 1;
  t.cx = 120;
  t.cy = 40;
  t.controls = {{10, ui::ControlKind::kDropDown, "", {4, 4, 110, 12}, ui::kStyleOwnerDrawFixed},
                {11, ui::ControlKind::kDropDown, "", {4, 20, 110, 12}, ui::kStyleOwnerDrawFixed}};
  Silent handler;
  ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
    play(d);
    d.end(ui::kIdOk);
  });
  ui::runModalDialog(t, handler, nullptr, nullptr);
}

}  // namespace

TEST_F(PaletteHost, EditorListsHoldTheirValueAndTellTheirOwner) {
  CColorCtl colors;
  CLineWeightCtl weights(0);  // LWUNITS 0: inches
  std::vector<std::string> heard;
  colors.onChanged([&](const OdCmColor& c) { heard.push_back(dds::kinds::colorText(c)); });
  bool acceptPicker = false;
  HostPickers pickers;
  pickers.color = [&](HostWindowHandle, OdCmColor& c, bool, int) {
    c = OdCmColor::fromRGB(1, 2, 3);
    return acceptPicker;
  };
  hostSetPickers(pickers);
  hostClearCustomColors();
  withLists([&](ui::Dialog& d) {
    ASSERT_TRUE(colors.attach(d, 10));
    ASSERT_TRUE(weights.attach(d, 11));
    EXPECT_FALSE(colors.attach(d, 10));  // taken over once
    colors.setValue(OdCmColor(OdCmColor::kByBlock));
    EXPECT_EQ(d.control(10)->selection(), 1);
    ASSERT_TRUE(ui::user::select(d, 10, 2));  // red
    EXPECT_EQ(colors.value().colorIndex(), 1);
    const int more = d.control(10)->itemCount() - 1;
    ASSERT_TRUE(ui::user::select(d, 10, more));  // "More Colors...", cancelled
    EXPECT_EQ(colors.value().colorIndex(), 1);
    EXPECT_EQ(d.control(10)->selection(), 2);
    acceptPicker = true;
    ASSERT_TRUE(ui::user::select(d, 10, more));
    EXPECT_EQ(colors.value(), OdCmColor::fromRGB(1, 2, 3));
    EXPECT_EQ(d.control(10)->itemText(d.control(10)->itemCount() - 2), "1,2,3");  // a custom colour now

    weights.setValue(OdDb::LineWeight(25));
    EXPECT_EQ(d.control(11)->itemText(d.control(11)->selection()), "0.010''");
    // Items draw a picture and their text.
    ui::RecordingDC dc;
    d.control(10)->drawItem(dc, 2, {0, 0, 120, 16}, 0);
    EXPECT_EQ(dc.texts(), std::vector<std::string>{"red"});
    EXPECT_GT(dc.calls().size(), 2u);  // the swatch before the text
  });
  EXPECT_EQ(heard, (std::vector<std::string>{"red", "1,2,3"}));
  hostSetPickers({});
  hostClearCustomColors();
}
