// OK in an editor nobody touched gives every value back exactly, whatever
// the fields can show; a typed text that is no number is refused by name.
#include <numbers>

#include "OdDbBlockTableRecord.h"
#include "OdDbTextStyleTableRecord.h"
#include "OdDmUtil.h"
#include "dlgmodify/editor_store.h"
#include "editor_test_support.h"

using namespace dds;

namespace {

struct OkKeeps : EditorFixture {
  OdDbObjectId addBlock(const OdString& name) {
    OdDbBlockTablePtr blocks = db->getBlockTableId().safeOpenObject(OdDb::kForWrite);
    OdDbBlockTableRecordPtr block = OdDbBlockTableRecord::createObject();
    block->setName(name);
    return blocks->add(block);
  }
  // The text an arrow list shows.
  static std::string shown(ui::Dialog& p, int id) {
    const ui::Control* list = p.control(id);
    return list->selection() < 0 ? std::string("(none)") : list->itemText(list->selection());
  }
};

}  // namespace

TEST_F(OkKeeps, TextWithoutTheValueMarkerFollowsTheValue) {
  add("Units");
  setVars("Units", {{"DIMPOST", OdString(" mm")}, {"DIMAPOST", OdString("[] in")}});
  add("Abc");
  setVars("Abc", {{"DIMPOST", OdString("abc")}, {"DIMAPOST", OdString(".")}});
  expectUnchanged("Units", {"DIMPOST", "DIMAPOST"}, [&](ui::Dialog& d) {
    EXPECT_EQ(page(d, kPrimaryPage).control(1122)->text(), "");
    EXPECT_EQ(page(d, kPrimaryPage).control(1123)->text(), " mm") << "a suffix, as dimensions draw it";
    EXPECT_EQ(page(d, kAlternatePage).control(1123)->text(), " in");
  });
  expectUnchanged("Abc", {"DIMPOST", "DIMAPOST"});

  edit(style("Units"), [&](StyleEditorDialog&, ui::Dialog& d) {
    ASSERT_TRUE(ui::user::select(d, kTabs, 4));
    ASSERT_TRUE(ui::user::type(page(d, kPrimaryPage), 1122, "~"));
    ASSERT_TRUE(ui::user::select(d, kTabs, 5));
    ASSERT_TRUE(ui::user::click(page(d, kAlternatePage), 1133));  // alternate units on
    ASSERT_TRUE(ui::user::type(page(d, kAlternatePage), 1122, "("));
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  EXPECT_EQ(open("Units")->dimpost(), "~<> mm");
  EXPECT_EQ(open("Units")->dimapost(), "([] in") << "the alternate marker as the drawing wrote it";
}

// Drawings from other programs hold values a prompt refuses (a separator of
// 0, an alternate multiplier of 0, a precision no list offers): untouched,
// they go back as they were, and OK is not refused for them.
TEST_F(OkKeeps, ValuesAPromptRefusesGoBackAsTheDrawingHoldsThem) {
  add("Held");
  setVars("Held", {{"DIMALTF", 0.0}, {"DIMDSEP", OdInt16(0)}, {"DIMDEC", OdInt16(99)}, {"DIMTXT", -5.0}});
  expectUnchanged("Held", {"DIMALTF", "DIMTXT"});
}

TEST_F(OkKeeps, NumbersFinerThanTheirFieldsStayWhileTheTextIsAsLoaded) {
  const OdDbObjectId fixedId = addTextStyle("Fixed", 2.5);
  add("Fine");
  setVars("Fine", {{"DIMLFAC", 1 / 25.4},     {"DIMFXL", 1 / 3.0},   {"DIMDLE", 1e-8},       {"DIMASZ", 2 / 3.0},
                   {"DIMCEN", -1 / 7.0},      {"DIMTXSTY", fixedId}, {"DIMTXT", 0.18},       {"DIMTFAC", 1 / 3.0},
                   {"DIMSCALE", 1 / 48.0},    {"DIMRND", 1 / 64.0},  {"DIMALTRND", 1 / 32.0}, {"DIMALTF", 1 / 25.4},
                   {"DIMJOGANG", 0.5},        {"DIMTOL", true},      {"DIMTP", 1 / 3.0},     {"DIMTM", 1 / 6.0},
                   {"DIMAZIN", 3},            {"DIMADEC", 4}});
  expectUnchanged("Fine",
                  {"DIMLFAC", "DIMFXL", "DIMDLE", "DIMASZ", "DIMCEN", "DIMTXT", "DIMTFAC", "DIMSCALE", "DIMRND",
                   "DIMALTRND", "DIMALTF", "DIMJOGANG", "DIMTP", "DIMTM", "DIMAZIN", "DIMADEC"},
                  [&](ui::Dialog& d) {
                    EXPECT_EQ(page(d, kTextPage).control(1073)->text(), "2.5") << "the style's fixed height shows";
                    EXPECT_EQ(page(d, EditorFixture::kSymbolsPage).control(1064)->text(), "29");
                  });

  // A changed text counts as typed.
  edit(style("Fine"), [&](StyleEditorDialog&, ui::Dialog& d) {
    ASSERT_TRUE(ui::user::select(d, kTabs, 4));
    ASSERT_TRUE(ui::user::type(page(d, kPrimaryPage), 1124, "0.03937"));
    ASSERT_TRUE(ui::user::select(d, kTabs, 1));
    ASSERT_TRUE(ui::user::type(page(d, EditorFixture::kSymbolsPage), 1064, "28.4"));
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  EXPECT_EQ(open("Fine")->dimlfac(), 0.03937);
  EXPECT_EQ(open("Fine")->dimjogang(), 28 * std::numbers::pi / 180);
  EXPECT_EQ(open("Fine")->dimfxl(), 1 / 3.0);
}

TEST_F(OkKeeps, AFramedTextKeepsItsFrameBesideATolerance) {
  add("Deviation");
  setVars("Deviation", {{"DIMTOL", true}, {"DIMTP", 0.2}, {"DIMTM", 0.1}, {"DIMGAP", -0.09}});
  add("Limits");
  setVars("Limits", {{"DIMLIM", true}, {"DIMGAP", -0.625}});
  expectUnchanged("Deviation", {"DIMGAP", "DIMTOL"});
  expectUnchanged("Limits", {"DIMGAP", "DIMLIM"});

  edit(style("Limits"), [&](StyleEditorDialog&, ui::Dialog& d) {
    ASSERT_TRUE(ui::user::select(d, kTabs, 6));
    ASSERT_TRUE(ui::user::select(page(d, kTolerancePage), 1147, 1));  // Symmetrical
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  EXPECT_EQ(open("Limits")->dimgap(), 0.625) << "a method the user chose decides the sign";
}

TEST_F(OkKeeps, SeparateArrowheadsFollowTheStylesOwnSwitch) {
  db->setDimsah(false);
  add("Separate");
  setVars("Separate", {{"DIMSAH", true}, {"DIMBLK", OdDmUtil::getArrowId("_Oblique", db)},
                       {"DIMBLK1", OdDbObjectId()}, {"DIMBLK2", OdDmUtil::getArrowId("_Dot", db)}});
  expectUnchanged("Separate", {"DIMSAH", "DIMBLK", "DIMBLK1", "DIMBLK2"}, [&](ui::Dialog& d) {
    EXPECT_EQ(shown(page(d, kSymbolsPage), 1044), "Closed filled");
    EXPECT_EQ(shown(page(d, kSymbolsPage), 1046), "Dot");
  });

  edit(style("Separate"), [&](StyleEditorDialog&, ui::Dialog& d) {
    ui::Dialog& symbols = page(d, kSymbolsPage);
    ASSERT_TRUE(ui::user::select(d, kTabs, 1));
    ASSERT_TRUE(ui::user::select(symbols, 1044, symbols.control(1044)->findItemText("Open 30")));
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  OdDbDimStyleTableRecordPtr r = open("Separate");
  EXPECT_EQ(OdDmUtil::arrowName(r->dimblk1()), "_Open30") << "where the style's dimensions read it";
  EXPECT_EQ(OdDmUtil::arrowName(r->dimblk2()), "_Open30");
  EXPECT_EQ(OdDmUtil::arrowName(r->dimblk()), "_Oblique");
}

TEST_F(OkKeeps, AUserArrowBlockIsShownNamedAndPreviewed) {
  const OdDbObjectId tick = addBlock("Company-Tick");
  add("Ticks");
  setVars("Ticks", {{"DIMBLK", tick}, {"DIMLDRBLK", tick}});
  expectUnchanged("Ticks", {"DIMBLK", "DIMLDRBLK"}, [&](ui::Dialog& d) {
    ui::Dialog& symbols = page(d, kSymbolsPage);
    for (int list : {1044, 1046, 1048}) {
      EXPECT_EQ(shown(symbols, list), "User arrow...") << list;
      EXPECT_EQ(symbols.control(list)->tooltip(), "Company-Tick") << list;
    }
  });

  edit(style("Ticks"), [&](StyleEditorDialog& editor, ui::Dialog& d) {
    ASSERT_TRUE(ui::user::select(d, kTabs, 1));
    ASSERT_TRUE(ui::user::type(page(d, kSymbolsPage), 1050, "4.5"));
    ui::dispatchPostedMessages();
    ASSERT_NE(editor.previewCopy(), nullptr);
    EXPECT_EQ(editor.previewCopy()->dimasz(), 4.5) << "the preview follows";
    EXPECT_EQ(OdDmUtil::arrowName(editor.previewCopy()->dimblk()), "Company-Tick") << "copied into the sample";
    EXPECT_NE(editor.previewCopy()->dimblk().database(), db);
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  EXPECT_EQ(open("Ticks")->dimblk(), tick);
  EXPECT_EQ(open("Ticks")->dimasz(), 4.5);
}

TEST_F(OkKeeps, ATypedTextThatIsNoNumberIsRefusedByName) {
  add("Comma");
  setVar("Comma", "DIMDSEP", int(','));
  edit(style("Comma"), [&](StyleEditorDialog&, ui::Dialog& d) {
    ASSERT_TRUE(ui::user::type(page(d, kLinesPage), 1043, "2,5"));
    ASSERT_TRUE(ui::user::click(d, 1));
  });
  EXPECT_EQ(open("Comma")->dimexe(), 2.5) << "the style's decimal separator";

  add("Point");
  setVar("Point", "DIMDSEP", int('.'));
  const std::string before = saved();
  for (const char* typed : {"2,5", "abc", ""}) {
    EXPECT_EQ(edit(style("Point"), [&](StyleEditorDialog& editor, ui::Dialog& d) {
                ASSERT_TRUE(ui::user::type(page(d, kLinesPage), 1043, typed));
                ASSERT_TRUE(ui::user::spin(page(d, kLinesPage), 1042, true));
                EXPECT_EQ(page(d, kLinesPage).control(1043)->text(), typed) << "a spin does not guess";
                ui::dispatchPostedMessages();
                EXPECT_EQ(editor.previewCopy()->dimexe(), open("Point")->dimexe()) << "the preview keeps the value";
                ASSERT_TRUE(ui::user::click(d, 1));
                EXPECT_FALSE(d.ended());
              }),
              2);
    EXPECT_NE(host->transcript().find("Extend beyond dim lines: \"" + std::string(typed) + "\" is not a number."),
              std::string::npos)
        << host->transcript();
  }
  EXPECT_TRUE(saved() == before) << "nothing written";
}
