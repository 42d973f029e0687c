// Which controls each kind of style lets the user change on every page; on
// the Lines and the Symbols and arrows pages, what the clicks enable and the
// values that the page's own rules turn into (arrowheads, centre marks, jog
// angle, spin steps).
#include <cmath>
#include <numbers>

#include "OdDbLinetypeTableRecord.h"
#include "OdDmUtil.h"
#include "opm/opm_services.h"
#include "dlgmodify/editor_pages.h"
#include "dlgmodify/lines_page.h"
#include "dlgmodify/symbols_arrows_page.h"
#include "editor_test_support.h"

using namespace dds;

namespace {

// Lines: 1019 colour, 1020 linetype, 1023 extend, 1025 baseline, 1026/1028
// suppress dimension lines, 1032 colour, 1033 linetype, 1038/1039 suppress
// extension lines, 1043 extend, 1045 offset, 1041 fixed, 1047 length.
constexpr std::initializer_list<int> kLinesControls = {1019, 1020, 1023, 1025, 1026, 1028, 1032,
                                                       1033, 1038, 1039, 1043, 1045, 1041, 1047};
// Symbols: the three arrowheads, the centre mark size and its spin.
constexpr std::initializer_list<int> kSymbolsControls = {1044, 1046, 1048, 1053, 1052};
// Text: height and spin, fraction scale and spin, horizontal placement,
// the three alignment buttons.
constexpr std::initializer_list<int> kTextControls = {1073, 1074, 1052, 1053, 1079, 1085, 1086, 1087};
// Fit: keep text inside, the four fit buttons, the three text moves, the
// two fine-tuning boxes, suppress arrows, the scale field.
constexpr std::initializer_list<int> kFitControls = {1092, 1088, 1089, 1090, 1091, 1095, 1096,
                                                     1097, 1104, 1105, 1093, 1101};

struct Pages : EditorFixture {};

}  // namespace

TEST_F(Pages, EachKindOfStyleEnablesItsOwnControls) {
  add("Arch");
  struct Case {
    const char *style, *lines, *symbols, *text, *fit;
  };
  // DIMCEN is positive in the metric standard, DIMFXLON off.
  const Case cases[] = {
      {"Arch", "11111111111110", "11111", "11011111", "111111111111"},
      {"Arch$4", "11001111100000", "01011", "11010111", "011111111111"},  // radius
      {"Arch$7", "11000001000000", "00100", "11000000", "000000000011"},  // leader
      {"Arch$6", "01010011110110", "00000", "11010000", "000000000011"},  // ordinate
      {"Arch$3", "11111111111110", "11111", "11010111", "111111111111"},  // diameter: a parent on Lines and Symbols
  };
  for (const Case& c : cases) {
    const OdDbObjectId id = style(c.style).isNull() ? add(c.style) : style(c.style);
    edit(id, [&](StyleEditorDialog&, ui::Dialog& d) {
      EXPECT_EQ(states(page(d, kLinesPage), kLinesControls), c.lines) << c.style;
      EXPECT_EQ(states(page(d, kSymbolsPage), kSymbolsControls), c.symbols) << c.style;
      EXPECT_EQ(states(page(d, kTextPage), kTextControls), c.text) << c.style;
      EXPECT_EQ(states(page(d, kFitPage), kFitControls), c.fit) << c.style;
      ui::Dialog& fit = page(d, kFitPage);
      EXPECT_EQ(fit.controlBefore(*fit.control(1095))->isEnabled(), c.fit[5] == '1') << "the label above 1095";
    });
  }
  // Fractional units write fractions: their height scale may be changed.
  setVar("Arch", "DIMLUNIT", 5);
  edit(style("Arch"), [&](StyleEditorDialog&, ui::Dialog& d) {
    EXPECT_EQ(states(page(d, kTextPage), {1052, 1053}), "11");
  });
  edit(OdDbObjectId(), [&](StyleEditorDialog&, ui::Dialog& d) {
    EXPECT_EQ(states(page(d, kLinesPage), kLinesControls), "11111111111110") << "override mode";
    EXPECT_EQ(states(page(d, kFitPage), kFitControls), "111111111111") << "override mode";
  });
}

TEST_F(Pages, SuppressionAndFixedLengthClicksEnableWhatTheyGovern) {
  const OdDbObjectId id = add("Arch");
  setVar("Arch", "DIMSD1", true);
  setVar("Arch", "DIMSD2", true);
  setVar("Arch", "DIMSE1", true);
  edit(id, [&](StyleEditorDialog&, ui::Dialog& d) {
    ui::Dialog& lines = page(d, kLinesPage);
    EXPECT_EQ(states(lines, {1019, 1020, 1021, 1023}), "0000") << "both dimension lines suppressed";
    EXPECT_EQ(states(lines, {1032, 1033, 1043, 1045, 1041}), "00000") << "one extension line suppressed";
    ASSERT_TRUE(ui::user::setCheck(lines, 1028, false));
    EXPECT_EQ(states(lines, {1019, 1020, 1021, 1023, 1022}), "11111");
    ASSERT_TRUE(ui::user::setCheck(lines, 1039, true));
    EXPECT_EQ(states(lines, {1032, 1033, 1036, 1034}), "0000");
    ASSERT_TRUE(ui::user::setCheck(lines, 1039, false));  // one still suppressed: a click enables all the same
    EXPECT_EQ(states(lines, {1032, 1033, 1036, 1034, 1043, 1045, 1041, 1047}), "11111110");
    ASSERT_TRUE(ui::user::setCheck(lines, 1041, true));
    EXPECT_EQ(states(lines, {1047, 1046}), "11");
    ASSERT_TRUE(ui::user::setCheck(lines, 1039, true));
    EXPECT_EQ(states(lines, {1032, 1047}), "00");
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  EXPECT_TRUE(open("Arch")->dimse2());
  EXPECT_TRUE(open("Arch")->dimfxlon());
  EXPECT_FALSE(open("Arch")->dimsd2());
}

TEST_F(Pages, SpinsStepTheFieldsAndTheLinetypeByBlockIsNull) {
  const OdDbObjectId id = add("Arch");
  setVar("Arch", "DIMDLE", 0.18);
  setVar("Arch", "DIMLTYPE", db->getLinetypeByBlockId());
  edit(id, [&](StyleEditorDialog& editor, ui::Dialog& d) {
    ui::Dialog& lines = page(d, kLinesPage);
    ASSERT_TRUE(ui::user::spin(lines, 1022, true));
    EXPECT_EQ(lines.control(1023)->text(), "0.1805");
    ASSERT_TRUE(ui::user::spin(lines, 1022, false));
    ASSERT_TRUE(ui::user::spin(lines, 1022, false));
    EXPECT_EQ(lines.control(1023)->text(), "0.1795");
    auto* linesPage = static_cast<LinesPage*>(editor.page(kTabLines));
    EXPECT_EQ(linesPage->dimLinetype().value(), "ByBlock");
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  EXPECT_EQ(open("Arch")->dimdle(), 0.1795);
  EXPECT_EQ(open("Arch")->dimltype(), db->getLinetypeByBlockId()) << "equal to ByBlock: not written as null";
  // A choice of ByBlock over another linetype is written as the null reference.
  setVar("Arch", "DIMLTYPE", db->getLinetypeContinuousId());
  edit(id, [&](StyleEditorDialog&, ui::Dialog& d) {
    ui::Control* list = page(d, kLinesPage).control(1020);
    ASSERT_TRUE(ui::user::select(page(d, kLinesPage), 1020, list->findItemText("By Block")));
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  EXPECT_TRUE(open("Arch")->dimltype().isNull());
}

TEST_F(Pages, ArrowheadsCentreMarksAndJogAngleFollowTheirRules) {
  const OdDbObjectId id = add("Arch");
  setVar("Arch", "DIMCEN", -0.09);
  edit(id, [&](StyleEditorDialog&, ui::Dialog& d) {
    ui::Dialog& symbols = page(d, kSymbolsPage);
    ASSERT_TRUE(ui::user::select(d, 1155, 1));
    ui::Control* first = symbols.control(1044);
    ASSERT_TRUE(ui::user::select(symbols, 1044, first->findItemText("Open 30")));
    EXPECT_EQ(symbols.control(1046)->itemText(symbols.control(1046)->selection()), "Open 30")
        << "the second arrowhead follows the first";
    ASSERT_TRUE(ui::user::type(symbols, 1064, "44.6"));
    ASSERT_TRUE(ui::user::click(symbols, 1055));  // no centre marks
    EXPECT_EQ(states(symbols, {1053, 1052}), "00");
    ASSERT_TRUE(ui::user::click(symbols, 1060));  // no arc length symbol
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  OdDbDimStyleTableRecordPtr r = open("Arch");
  EXPECT_FALSE(r->dimsah()) << "equal arrowheads without DIMSAH: one arrowhead";
  EXPECT_EQ(OdDmUtil::arrowName(r->dimblk()), "_Open30");
  EXPECT_EQ(r->dimcen(), 0.0);
  EXPECT_EQ(r->dimarcsym(), 2);
  EXPECT_EQ(r->dimjogang(), 45 * std::numbers::pi / 180);

  edit(id, [&](StyleEditorDialog&, ui::Dialog& d) {
    ui::Dialog& symbols = page(d, kSymbolsPage);
    EXPECT_EQ(symbols.control(1064)->text(), "45");
    ASSERT_TRUE(ui::user::select(d, 1155, 1));
    ASSERT_TRUE(ui::user::select(symbols, 1046, symbols.control(1046)->findItemText("Dot")));
    ASSERT_TRUE(ui::user::click(symbols, 1057));  // centre lines
    EXPECT_EQ(states(symbols, {1053, 1052}), "11");
    ASSERT_TRUE(ui::user::type(symbols, 1053, "0.5"));
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  r = open("Arch");
  EXPECT_TRUE(r->dimsah()) << "different arrowheads";
  EXPECT_EQ(OdDmUtil::arrowName(r->dimblk1()), "_Open30");
  EXPECT_EQ(OdDmUtil::arrowName(r->dimblk2()), "_Dot");
  EXPECT_EQ(r->dimcen(), -0.5);
}

TEST_F(Pages, ALinetypeLoadedByThePickerJoinsEveryListAndIsStored) {
  const OdDbObjectId id = add("Arch");
  const HostPickers saved = hostGetPickers();
  bool ownerWasDisabled = false;
  HostPickers pickers = saved;
  pickers.linetype = [&](HostWindowHandle owner, OdString& name) {
    ownerWasDisabled = owner && !ui::Dialog::fromHostHandle(owner)->isEnabled();
    OdDbLinetypeTablePtr table = db->getLinetypeTableId().safeOpenObject(OdDb::kForWrite);
    OdDbLinetypeTableRecordPtr lt = OdDbLinetypeTableRecord::createObject();
    lt->setName("CENTER");
    lt->setDashes({1.25, -0.25, 0.25, -0.25});
    table->add(lt);
    name = "CENTER";
    return true;
  };
  hostSetPickers(pickers);
  edit(id, [&](StyleEditorDialog&, ui::Dialog& d) {
    ui::Dialog& lines = page(d, kLinesPage);
    ui::Control* list = lines.control(1020);
    ASSERT_EQ(lines.control(1033)->findItemText("CENTER"), -1);
    ASSERT_TRUE(ui::user::select(lines, 1020, list->itemCount() - 1));  // "Load..."
    ui::dispatchPostedMessages();
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_TRUE(d.isEnabled());
    EXPECT_EQ(list->itemText(list->selection()), "CENTER");
    EXPECT_GE(lines.control(1033)->findItemText("CENTER"), 0) << "the other lists take it up";
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  hostSetPickers(saved);
  OdDbLinetypeTablePtr table = db->getLinetypeTableId().safeOpenObject();
  EXPECT_EQ(open("Arch")->dimltype(), table->getAt("CENTER"));
}
