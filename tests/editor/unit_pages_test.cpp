// The Primary units, Alternate units and Tolerances pages: every value
// they show comes back unchanged, the unit formats switch the controls and
// precision lists that count for them, the text around the value keeps the
// alternate placement, and values the drawing refuses are not written.
#include "DxfDrawingIO.h"
#include "dlgmodify/editor_store.h"
#include "dlgmodify/unit_codes.h"
#include "editor_test_support.h"

using namespace dds;

namespace {

constexpr int kTabs = 1155, kPrimaryTab = 4;
constexpr int kTextPage = 1006, kPrimaryPage = 1007;
// Primary: unit format, precision, fraction format, separator, round off,
// prefix, suffix, scale, layout only, leading, trailing, feet, inches,
// angular format, angular precision, angular leading and trailing.
constexpr std::initializer_list<int> kPrimaryControls = {1110, 1111, 1115, 1117, 1112, 1122, 1123, 1124, 1126,
                                                         1127, 1078, 1079, 1080, 1106, 1107, 1129, 1081};

struct UnitPages : EditorFixture {
  std::string saved() { return writeDxfDrawingToBytes(*db); }
  void set(const OdString& styleName, std::initializer_list<std::pair<const char*, OdDbDimVarValue>> values) {
    for (const auto& [name, value] : values) setVar(styleName, name, value);
  }
  // OK on an unchanged editor gives back every value it loaded.
  void expectRoundTrip(const OdString& styleName, std::initializer_list<const char*> names) {
    const OdDbDimVars before = open(styleName)->dimVars();
    const std::string file = saved();
    EXPECT_EQ(edit(style(styleName),
                   [&](StyleEditorDialog& editor, ui::Dialog& d) {
                     EditorStore store(db, db->dimsah());
                     editor.storeControls(store);
                     for (const char* name : names) {
                       const int var = *OdDbDimVars::indexOf(name);
                       bool found = false;
                       for (const StoredValue& v : store.values())
                         if (v.var == var) {
                           found = true;
                           EXPECT_TRUE(sameEditorValue(var, v.value, before.get(var), db)) << name;
                         }
                       EXPECT_TRUE(found) << name << " is not stored";
                     }
                     ASSERT_TRUE(ui::user::click(d, 1));
                   }),
              1);
    EXPECT_EQ(saved(), file) << "OK without a change writes nothing";
  }
};

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
      {"L=", {"L=", "", false}, "L=<>"},  // no value marker: all of it is the prefix
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

  for (int bits = 0; bits < 16; ++bits) EXPECT_EQ(encodeZeroSuppression(decodeZeroSuppression(bits)), bits) << bits;
}

TEST_F(UnitPages, PrimaryUnitsLoadAndStoreEveryValue) {
  add("Metric");
  set("Metric", {{"DIMLUNIT", 2}, {"DIMDEC", 3}, {"DIMDSEP", int(',')}, {"DIMRND", 0.25}, {"DIMPOST", OdString("<> mm")},
                 {"DIMLFAC", -2.0}, {"DIMZIN", 8}, {"DIMAUNIT", 1}, {"DIMADEC", 2}, {"DIMAZIN", 3}});
  expectRoundTrip("Metric", {"DIMLUNIT", "DIMDEC", "DIMDSEP", "DIMRND", "DIMPOST", "DIMLFAC", "DIMZIN", "DIMAUNIT",
                             "DIMADEC", "DIMAZIN"});
  add("Imperial");
  set("Imperial", {{"DIMLUNIT", 4}, {"DIMDEC", 5}, {"DIMFRAC", 1}, {"DIMPOST", OdString("~<>\"\\X")}, {"DIMZIN", 12},
                   {"DIMAUNIT", 3}, {"DIMADEC", 8}, {"DIMAZIN", 0}, {"DIMDSEP", int(' ')}});
  expectRoundTrip("Imperial", {"DIMLUNIT", "DIMDEC", "DIMFRAC", "DIMPOST", "DIMZIN", "DIMAUNIT", "DIMADEC", "DIMAZIN"});
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
  set("Arch", {{"DIMLUNIT", 2}, {"DIMDEC", 8}});
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
    ASSERT_TRUE(ui::user::type(p, 1112, ""));
    ASSERT_TRUE(ui::user::click(p, 1126));
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  EXPECT_EQ(open("Arch")->dimpost(), "<><> mm\\X");
  EXPECT_EQ(open("Arch")->dimrnd(), 0.0) << "an empty round-off field is 0";
  EXPECT_EQ(open("Arch")->dimlfac(), -1.0);
}

TEST_F(UnitPages, AlternateUnitsLoadAndStoreEveryValueAndThePlacement) {
  add("Dual");
  set("Dual", {{"DIMALT", true}, {"DIMALTU", 4}, {"DIMALTD", 3}, {"DIMALTF", 1.0 / 25.4}, {"DIMALTRND", 0.25},
               {"DIMAPOST", OdString("[<>\"]")}, {"DIMALTZ", 3}, {"DIMPOST", OdString("<> mm\\X")}});
  expectRoundTrip("Dual", {"DIMALT", "DIMALTU", "DIMALTD", "DIMALTF", "DIMALTRND", "DIMAPOST", "DIMALTZ", "DIMPOST"});
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
