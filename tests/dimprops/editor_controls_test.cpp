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

TEST_F(PaletteHost, APickInAPaletteRowReachesEveryClassAsOneUndoStep) {
  const OdDbObjectId rotated = addDim<OdDbRotatedDimension>(2.5);
  const OdDbObjectId aligned = addDim<OdDbAlignedDimension>(2.5);
  const OdDbObjectId leader = addDim<OdDbLeader>(2.5);
  PaletteModel palette(*doc);
  palette.setSelection({rotated, aligned, leader});
  auto tads = [&] {
    return std::vector<int>{open<OdDbRotatedDimension>(rotated)->dimtad(), open<OdDbAlignedDimension>(aligned)->dimtad(),
                            open<OdDbLeader>(leader)->dimtad()};
  };
  auto reds = [&] {
    return std::vector<bool>{open<OdDbRotatedDimension>(rotated)->dimclrd().colorIndex() == 1,
                             open<OdDbAlignedDimension>(aligned)->dimclrd().colorIndex() == 1,
                             open<OdDbLeader>(leader)->dimclrd().colorIndex() == 1};
  };
  const std::vector<int> tadBefore = tads();
  // The window palette's way: the row's first editor takes the list over.
  withLists([&](ui::Dialog& d) {
    const PaletteModel::Row* posVert = palette.findRow("Text.Text pos vert");
    const PaletteModel::Row* color = palette.findRow("Lines & Arrows.Dim line color");
    ASSERT_TRUE(posVert && color);
    ASSERT_EQ(posVert->editors.size(), 3u);
    ASSERT_TRUE(posVert->editors.front()->createControl(d.hostHandle(), 10));
    ASSERT_TRUE(color->editors.front()->createControl(d.hostHandle(), 11));
    const int below = d.control(10)->findItemText("Below");
    ASSERT_TRUE(ui::user::select(d, 10, below));
    EXPECT_EQ(d.control(10)->selection(), below);  // the row shows what all took, not a blank
    ASSERT_TRUE(ui::user::select(d, 11, d.control(11)->findItemText("red")));
  });
  EXPECT_EQ(tads(), (std::vector<int>{4, 4, 4}));
  EXPECT_EQ(reds(), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(rowText(palette, "Text.Text pos vert"), "Below");
  db->undo();  // the colour, on every class at once
  EXPECT_EQ(reds(), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(tads(), (std::vector<int>{4, 4, 4}));
  db->undo();
  EXPECT_EQ(tads(), tadBefore);

  // A pick that builds the rows anew (another style) still reaches all.
  OdDbSymbolTablePtr styles = db->getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
  OdDbDimStyleTableRecordPtr wide = OdDbDimStyleTableRecord::createObject();
  wide->setName("Wide");
  const OdDbObjectId wideId = styles->add(wide);
  styles.release();
  const int generation = palette.generation();
  withLists([&](ui::Dialog& d) {
    ASSERT_TRUE(palette.findRow("Misc.Dim style")->editors.front()->createControl(d.hostHandle(), 10));
    ASSERT_TRUE(ui::user::select(d, 10, d.control(10)->findItemText("Wide")));
  });
  EXPECT_NE(palette.generation(), generation);
  EXPECT_EQ(open<OdDbLeader>(leader)->dimensionStyle(), wideId);
  EXPECT_EQ(open<OdDbAlignedDimension>(aligned)->dimensionStyle(), wideId);
}
