// The Primary units, Alternate units and Tolerances pages: every value
// they show comes back unchanged, the unit formats switch the controls and
// precision lists that count for them, the text around the value keeps the
// alternate placement, and values the drawing refuses are not written.
#include "dlgmodify/unit_codes.h"
#include "editor_test_support.h"

using namespace dds;

namespace {

constexpr int kPrimaryTab = 4;
// Primary: unit format, precision, fraction format, separator, round off,
// prefix, suffix, scale, layout only, leading, trailing, feet, inches,
// angular format, angular precision, angular leading and trailing.
constexpr std::initializer_list<int> kPrimaryControls = {1110, 1111, 1115, 1117, 1112, 1122, 1123, 1124, 1126,
                                                         1127, 1078, 1079, 1080, 1106, 1107, 1129, 1081};

struct UnitPages : EditorFixture {};

}  // namespace

TEST(UnitCodes, ValueTextKeepsPrefixSuffixAndPlacement) {
  struct Case {
    const char* stored;
    ValueText shown;
    const char* storedBack;
  };
  const Case cases[] = {
      {"", {"", "", false}, ""},
      {"<> mm", {"", " mm", false}, "<> mm"},
      {"L=", {"", "L=", false}, "<>L="},  // no value marker: all of it follows the value
      {"\\X", {"", "", true}, "\\X"},
      {"~<> mm\\X", {"~", " mm", true}, "~<> mm\\X"},
      {"a\\Xb<>c", {"a\\Xb", "c", false}, "a\\Xb<>c"},  // only a trailing "\X" places the value
      {"<><>", {"", "<>", false}, "<><>"},              // the first marker is the value
  };
  for (const Case& c : cases) {
    const ValueText t = splitPrimaryText(c.stored);
    EXPECT_EQ(t.prefix, c.shown.prefix) << c.stored;
    EXPECT_EQ(t.suffix, c.shown.suffix) << c.stored;
    EXPECT_EQ(t.below, c.shown.below) << c.stored;
    EXPECT_EQ(joinValueText(t), c.storedBack) << c.stored;
  }
  const ValueText dots = splitAlternateText(".<>.");
  EXPECT_EQ(dots.prefix + dots.suffix, "");
  EXPECT_EQ(joinValueText(splitAlternateText(".")), "");
  const ValueText brackets = splitAlternateText("~[] in");
  EXPECT_EQ(brackets.prefix + "|" + brackets.suffix, "~| in") << "other programs mark the value with []";
  EXPECT_EQ(joinValueText(brackets), "~[] in");

  for (int bits = 0; bits < 16; ++bits) EXPECT_EQ(encodeZeroSuppression(decodeZeroSuppression(bits)), bits) << bits;
}

TEST_F(UnitPages, PrimaryUnitsLoadAndStoreEveryValue) {
  add("Metric");
  setVars("Metric", {{"DIMLUNIT", 2}, {"DIMDEC", 3}, {"DIMDSEP", int(',')}, {"DIMRND", 0.25}, {"DIMPOST", OdString("<> mm")},
                 {"DIMLFAC", -2.0}, {"DIMZIN", 8}, {"DIMAUNIT", 1}, {"DIMADEC", 2}, {"DIMAZIN", 3}});
  expectUnchanged("Metric", {"DIMLUNIT", "DIMDEC", "DIMDSEP", "DIMRND", "DIMPOST", "DIMLFAC", "DIMZIN", "DIMAUNIT",
                             "DIMADEC", "DIMAZIN"});
  add("Imperial");
  setVars("Imperial", {{"DIMLUNIT", 4}, {"DIMDEC", 5}, {"DIMFRAC", 1}, {"DIMPOST", OdString("~<>\"\\X")}, {"DIMZIN", 12},
                   {"DIMAUNIT", 3}, {"DIMADEC", 8}, {"DIMAZIN", 0}, {"DIMDSEP", int(' ')}});
  expectUnchanged("Imperial", {"DIMLUNIT", "DIMDEC", "DIMFRAC", "DIMPOST", "DIMZIN", "DIMAUNIT", "DIMADEC", "DIMAZIN"});
  edit(style("Imperial"), [&](StyleEditorDialog&, ui::Dialog& d) {
    ui::Dialog& p = page(d, kPrimaryPage);
    EXPECT_EQ(p.control(1122)->text(), "~");
    EXPECT_EQ(p.control(1123)->text(), "\"") << "the placement marker is not part of the suffix";
    EXPECT_EQ(states(p, {1127, 1078, 1079, 1080}), "0011");
    EXPECT_TRUE(p.control(1079)->check() == ui::kChecked && p.control(1080)->check() == ui::kChecked);
  });
}

TEST_F(UnitPages, PrimaryUnitFormatSwitchesItsControlsAndLists) {
  add("Arch");
  setVars("Arch", {{"DIMLUNIT", 2}, {"DIMDEC", 8}});
  edit(style("Arch"), [&](StyleEditorDialog&, ui::Dialog& d) {
    ASSERT_TRUE(ui::user::select(d, kTabs, kPrimaryTab));
    ui::Dialog& p = page(d, kPrimaryPage);
    EXPECT_EQ(states(p, kPrimaryControls), "11011111111001111");
    EXPECT_FALSE(enabled(page(d, kTextPage), 1052));
    ASSERT_TRUE(ui::user::select(p, 1110, 3));  // Architectural
    EXPECT_EQ(states(p, kPrimaryControls), "11101111100111111");
    EXPECT_TRUE(enabled(page(d, kTextPage), 1052)) << "fractions have a height scale";
    EXPECT_EQ(p.control(1111)->selection(), 8) << "the position is kept";
    EXPECT_NE(p.control(1111)->itemText(0), "0") << "architectural forms";
    ASSERT_TRUE(ui::user::select(p, 1110, 2));  // Engineering has eight precisions
    EXPECT_EQ(p.control(1111)->selection(), -1);
    ASSERT_TRUE(ui::user::select(p, 1106, 2));  // gradians
    EXPECT_EQ(p.control(1107)->itemText(0), "0g");
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  EXPECT_EQ(open("Arch")->dimlunit(), 3);
  EXPECT_EQ(open("Arch")->dimdec(), 8) << "no precision chosen keeps the old one";
  EXPECT_EQ(open("Arch")->dimaunit(), 2);

  add("Arch$7");
  edit(style("Arch$7"), [&](StyleEditorDialog&, ui::Dialog& d) {
    EXPECT_EQ(states(page(d, kPrimaryPage), kPrimaryControls), std::string(kPrimaryControls.size(), '0'));
  });
  add("Arch$4");
  edit(style("Arch$4"), [&](StyleEditorDialog&, ui::Dialog& d) {
    EXPECT_EQ(states(page(d, kPrimaryPage), {1106, 1107, 1129, 1081, 1110}), "00001") << "radius: no angles";
  });
}

TEST_F(UnitPages, PrimaryTextsAndAScaleOfZero) {
  add("Arch");
  const std::string before = saved();
  edit(style("Arch"), [&](StyleEditorDialog&, ui::Dialog& d) {
    ASSERT_TRUE(ui::user::select(d, kTabs, kPrimaryTab));
    ui::Dialog& p = page(d, kPrimaryPage);
    ASSERT_TRUE(ui::user::type(p, 1124, "0"));
    ASSERT_TRUE(ui::user::click(d, 1));
    EXPECT_FALSE(d.ended()) << "a scale of 0 is refused and the editor stays";
    ASSERT_TRUE(ui::user::click(d, 2));
  });
  EXPECT_EQ(saved(), before);
  edit(style("Arch"), [&](StyleEditorDialog&, ui::Dialog& d) {
    ASSERT_TRUE(ui::user::select(d, kTabs, kPrimaryTab));
    ui::Dialog& p = page(d, kPrimaryPage);
    ASSERT_TRUE(ui::user::type(p, 1122, "<>"));
    ASSERT_TRUE(ui::user::type(p, 1123, " mm\\X"));
    ASSERT_TRUE(ui::user::click(p, 1126));
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  EXPECT_EQ(open("Arch")->dimpost(), "<><> mm\\X");
  EXPECT_EQ(open("Arch")->dimlfac(), -1.0);
}

TEST_F(UnitPages, AlternateUnitsLoadAndStoreEveryValueAndThePlacement) {
  add("Dual");
  setVars("Dual", {{"DIMALT", true}, {"DIMALTU", 4}, {"DIMALTD", 3}, {"DIMALTF", 1.0 / 25.4}, {"DIMALTRND", 0.25},
               {"DIMAPOST", OdString("[<>\"]")}, {"DIMALTZ", 3}, {"DIMPOST", OdString("<> mm\\X")}});
  expectUnchanged("Dual", {"DIMALT", "DIMALTU", "DIMALTD", "DIMALTF", "DIMALTRND", "DIMAPOST", "DIMALTZ", "DIMPOST"});
  edit(style("Dual"), [&](StyleEditorDialog&, ui::Dialog& d) {
    ui::Dialog& p = page(d, 1008);
    EXPECT_EQ(p.control(1146)->check(), ui::kChecked) << "below, with a suffix";
    // Alternate: show, format, precision, multiplier, round, prefix,
    // suffix, after, below, leading, trailing, feet, inches.
    const std::initializer_list<int> controls = {1133, 1136, 1138, 1140, 1143, 1122, 1123,
                                                 1145, 1146, 1172, 1173, 1175, 1174};
    EXPECT_EQ(states(p, controls), "1111111110011") << "stacked architectural counts feet and inches";
    ASSERT_TRUE(ui::user::select(d, kTabs, 5));
    ASSERT_TRUE(ui::user::select(p, 1136, 1));  // Decimal
    EXPECT_EQ(states(p, controls), "1111111111100");
    ASSERT_TRUE(ui::user::click(p, 1145));
    ASSERT_TRUE(ui::user::click(p, 1133));
    EXPECT_EQ(states(p, controls), "1000000000000");
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  EXPECT_FALSE(open("Dual")->dimalt());
  EXPECT_EQ(open("Dual")->dimaltu(), 2);
  EXPECT_EQ(open("Dual")->dimpost(), "<> mm") << "after the primary value";
  EXPECT_EQ(open("Dual")->dimaltf(), 1.0 / 25.4) << "an untouched multiplier keeps every digit";

  add("Dual$7");
  edit(style("Dual$7"), [&](StyleEditorDialog&, ui::Dialog& d) {
    EXPECT_EQ(states(page(d, 1008), {1133, 1136, 1146}), "000") << "a leader has no alternate units";
  });
}

namespace {
// Tolerances: method, precision, upper, lower, height scale, position,
// leading, trailing, feet, inches; alternate precision, leading, trailing,
// feet, inches.
constexpr std::initializer_list<int> kToleranceControls = {1147, 1150, 1152, 1155, 1158, 1161, 1165, 1166,
                                                           1169, 1168, 1164, 1129, 1081, 1083, 1082};
constexpr int kFrame = 1077;
}  // namespace

TEST_F(UnitPages, EveryToleranceMethodLoadsAndStoresBackAsItWas) {
  struct Method {
    const char* style;
    std::initializer_list<std::pair<const char*, OdDbDimVarValue>> values;
    int shown;
    std::initializer_list<const char*> stored;
  };
  const Method methods[] = {
      {"None", {{"DIMGAP", 0.09}, {"DIMTZIN", 3}}, 0, {"DIMTOL", "DIMLIM", "DIMGAP", "DIMTZIN"}},
      {"Symmetrical", {{"DIMTOL", true}, {"DIMTP", 0.1}, {"DIMTM", 0.1}, {"DIMTDEC", 3}, {"DIMTOLJ", 2}},
       1, {"DIMTOL", "DIMLIM", "DIMGAP", "DIMTP", "DIMTM", "DIMTDEC", "DIMTOLJ"}},
      {"Deviation", {{"DIMTOL", true}, {"DIMTP", 0.2}, {"DIMTM", -0.05}, {"DIMTFAC", 0.7}, {"DIMALT", true},
                     {"DIMALTU", 4}, {"DIMALTTD", 5}, {"DIMALTTZ", 12}},
       2, {"DIMTP", "DIMTM", "DIMTFAC", "DIMALTTD", "DIMALTTZ"}},
      {"Limits", {{"DIMLIM", true}, {"DIMTP", 0.3}, {"DIMTM", 0.1}, {"DIMLUNIT", 4}, {"DIMTZIN", 8}},
       3, {"DIMTOL", "DIMLIM", "DIMTP", "DIMTM", "DIMTZIN"}},
      {"Basic", {{"DIMGAP", -0.09}}, 4, {"DIMTOL", "DIMLIM", "DIMGAP"}},
  };
  for (const Method& m : methods) {
    SCOPED_TRACE(m.style);
    add(m.style);
    setVars(m.style, m.values);
    expectUnchanged(m.style, m.stored);
    edit(style(m.style), [&](StyleEditorDialog&, ui::Dialog& d) {
      EXPECT_EQ(page(d, kTolerancePage).control(1147)->selection(), m.shown);
      EXPECT_EQ(page(d, kTextPage).control(kFrame)->check() == ui::kChecked, m.shown == 4);
    });
  }
}

TEST_F(UnitPages, TheMethodTheFrameBoxAndTheUnitFormatsSwitchTheToleranceControls) {
  add("Tol");
  setVars("Tol", {{"DIMTOL", true}, {"DIMTP", 0.1}, {"DIMTM", 0.1}, {"DIMGAP", -0.09}});
  edit(style("Tol"), [&](StyleEditorDialog&, ui::Dialog& d) {
    ASSERT_TRUE(ui::user::select(d, kTabs, 6));
    ui::Dialog& p = page(d, kTolerancePage);
    ui::Dialog& text = page(d, kTextPage);
    EXPECT_EQ(states(p, kToleranceControls), "111011110000000") << "symmetrical: no lower value";
    EXPECT_NE(text.control(kFrame)->check(), ui::kChecked) << "a tolerance has no frame";
    ASSERT_TRUE(ui::user::select(p, 1147, 2));
    EXPECT_EQ(states(p, kToleranceControls), "111111110000000");
    ASSERT_TRUE(ui::user::select(p, 1147, 4));
    EXPECT_EQ(states(p, kToleranceControls), "100000000000000");
    EXPECT_EQ(text.control(kFrame)->check(), ui::kChecked) << "basic frames the text";
    ASSERT_TRUE(ui::user::select(p, 1147, 0));
    EXPECT_NE(text.control(kFrame)->check(), ui::kChecked) << "the frame goes with the method";

    // Architectural units count feet and inches; alternate units switch on
    // their own tolerance controls.
    ASSERT_TRUE(ui::user::select(d, kTabs, kPrimaryTab));
    ASSERT_TRUE(ui::user::select(page(d, kPrimaryPage), 1110, 3));
    ASSERT_TRUE(ui::user::select(d, kTabs, 5));
    ASSERT_TRUE(ui::user::click(page(d, kAlternatePage), 1133));
    EXPECT_EQ(states(p, kToleranceControls), "100000000000000") << "no method, no values";
    ASSERT_TRUE(ui::user::select(d, kTabs, 6));
    ASSERT_TRUE(ui::user::select(p, 1147, 3));
    EXPECT_EQ(states(p, kToleranceControls), "111111001111100");
    ASSERT_TRUE(ui::user::select(d, kTabs, 5));
    ASSERT_TRUE(ui::user::select(page(d, kAlternatePage), 1136, 3));  // architectural alternates
    EXPECT_EQ(states(p, kToleranceControls), "111111001110011");
    ASSERT_TRUE(ui::user::click(page(d, kAlternatePage), 1133));
    EXPECT_EQ(states(p, kToleranceControls), "111111001100000") << "alternate units off";

    // The frame box and "Basic" are one value, whichever page sets it.
    ASSERT_TRUE(ui::user::select(d, kTabs, 2));
    ASSERT_TRUE(ui::user::click(text, kFrame));
    EXPECT_EQ(p.control(1147)->selection(), 4);
    EXPECT_EQ(states(p, kToleranceControls), "100000000000000");
    ASSERT_TRUE(ui::user::click(text, kFrame));
    EXPECT_EQ(p.control(1147)->selection(), 0);

    // Both height scale fields keep one text.
    ASSERT_TRUE(ui::user::type(text, 1052, "0.6"));
    EXPECT_EQ(p.control(1158)->text(), "0.6");
    ASSERT_TRUE(ui::user::select(d, kTabs, 6));
    ASSERT_TRUE(ui::user::select(p, 1147, 2));
    ASSERT_TRUE(ui::user::type(p, 1158, "0.75"));
    EXPECT_EQ(text.control(1052)->text(), "0.75");

    // Equal deviations stay a deviation.
    ASSERT_TRUE(ui::user::type(p, 1152, "0.05"));
    ASSERT_TRUE(ui::user::type(p, 1155, "0.05"));
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  const OdDbDimStyleTableRecordPtr tol = open("Tol");
  EXPECT_TRUE(tol->dimtol());
  EXPECT_FALSE(tol->dimlim());
  EXPECT_EQ(tol->dimtp(), 0.05 + 0.00000002);
  EXPECT_EQ(tol->dimtm(), 0.05);
  EXPECT_EQ(tol->dimgap(), 0.09) << "only basic keeps the gap negative";
  EXPECT_EQ(tol->dimtfac(), 0.75);
  EXPECT_EQ(tol->dimlunit(), 4);

  add("Tol$7");
  edit(style("Tol$7"), [&](StyleEditorDialog&, ui::Dialog& d) {
    EXPECT_EQ(states(page(d, kTolerancePage), kToleranceControls), std::string(kToleranceControls.size(), '0'));
    ASSERT_TRUE(ui::user::select(d, kTabs, 2));
    ASSERT_TRUE(ui::user::click(page(d, kTextPage), kFrame));
    EXPECT_NE(page(d, kTextPage).control(kFrame)->check(), ui::kChecked) << "a leader has no frame";
  });
}
