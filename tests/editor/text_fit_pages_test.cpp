// The Text and Fit pages: every value they show comes back unchanged, what
// the clicks enable, what a text style with a fixed height does to the
// height field, numbers that are not numbers, and the host's text style
// dialog behind "...".
#include "OdDbTextStyleTableRecord.h"
#include "command_factory.h"
#include "dialog_script.h"
#include "dlgmodify/editor_store.h"
#include "dlgmodify/fit_page.h"
#include "editor_test_support.h"

using namespace dds;

namespace {

constexpr int kTextTab = 2, kFitTab = 3;

struct TextFit : EditorFixture {
  // The page of a tab, brought to the front as a user would.
  static ui::Dialog& show(ui::Dialog& d, int tab) {
    EXPECT_TRUE(ui::user::select(d, kTabs, tab));
    return page(d, tab == kTextTab ? kTextPage : kFitPage);
  }
};

}  // namespace

TEST_F(TextFit, LoadAndStoreKeepEveryValueOfBothPages) {
  const OdDbObjectId narrow = addTextStyle("Narrow", 0.0);
  add("Arch");
  setVars("Arch", {{"DIMTXSTY", narrow}, {"DIMCLRT", OdCmColor::fromRGB(200, 10, 20)}, {"DIMTFILL", 2},
                   {"DIMTFILLCLR", OdCmColor::fromIndex(3)}, {"DIMTXT", 3.1}, {"DIMTFAC", 0.7}, {"DIMGAP", -0.625},
                   {"DIMTAD", 4}, {"DIMJUST", 2}, {"DIMTIH", false}, {"DIMTOH", true}, {"DIMTIX", true},
                   {"DIMATFIT", 1},  // kept while text stays inside
                   {"DIMSOXD", true}, {"DIMTMOVE", 2}, {"DIMTOFL", false}, {"DIMUPT", true}, {"DIMSCALE", 2.5}});
  expectUnchanged("Arch", {"DIMTXSTY", "DIMCLRT", "DIMTFILL", "DIMTFILLCLR", "DIMTXT", "DIMTFAC", "DIMGAP", "DIMTAD",
                           "DIMJUST", "DIMTIH", "DIMTOH", "DIMTIX", "DIMSOXD", "DIMTMOVE", "DIMTOFL", "DIMUPT",
                           "DIMSCALE"});
  EXPECT_EQ(open("Arch")->dimatfit(), 1);

  // The other way round: horizontal text, best fit, scaled to the layout.
  setVars("Arch", {{"DIMTIH", true}, {"DIMTFILL", 1}, {"DIMTIX", false}, {"DIMATFIT", 3}, {"DIMSCALE", 0.0},
                   {"DIMGAP", 0.09}});
  expectUnchanged("Arch", {"DIMTIH", "DIMTOH", "DIMTFILL", "DIMTIX", "DIMATFIT", "DIMSCALE", "DIMGAP"});

  // Text inside lines but outside horizontal has no button; OK keeps it.
  setVar("Arch", "DIMTOH", false);
  expectUnchanged("Arch", {"DIMTIX"});
  EXPECT_TRUE(open("Arch")->dimtih());
  EXPECT_FALSE(open("Arch")->dimtoh());
}

TEST_F(TextFit, ClicksFollowTheirRules) {
  add("Arch");
  for (const char* name : {"Arch", "Arch$7"}) {
    const OdDbObjectId id = style(name).isNull() ? add(name) : style(name);
    edit(id, [&](StyleEditorDialog& editor, ui::Dialog& d) {
      ui::Dialog& text = show(d, kTextTab);
      ASSERT_TRUE(ui::user::click(text, 1077));
      EXPECT_EQ(text.control(1077)->check(), editor.notLeader() ? ui::kChecked : ui::kUnchecked)
          << name << ": a leader has no frame";
      ui::Dialog& fit = show(d, kFitTab);
      ASSERT_TRUE(ui::user::click(fit, 1100));
      EXPECT_EQ(states(fit, {1101, 1102}), "00");
      EXPECT_EQ(fit.control(1099)->check(), ui::kUnchecked) << "one group with the field inside";
      ASSERT_TRUE(ui::user::click(fit, 1099));
      EXPECT_EQ(states(fit, {1101, 1102}), "11");
      if (!editor.notLeader()) return;  // the fit buttons are disabled
      ASSERT_TRUE(ui::user::click(fit, 1092));
      ASSERT_TRUE(ui::user::click(fit, 1090));
      EXPECT_EQ(fit.control(1092)->check(), ui::kUnchecked) << "the five fit buttons are one group";
      ASSERT_TRUE(ui::user::click(fit, 1097));
      EXPECT_EQ(fit.control(1090)->check(), ui::kChecked) << "the text moves are a group of their own";
    });
  }
}

TEST_F(TextFit, AStyleWithAFixedHeightLocksTheHeightField) {
  addTextStyle("Fixed", 3.5);
  const OdDbObjectId id = add("Arch");
  setVar("Arch", "DIMTXT", 2.0);
  EXPECT_EQ(edit(id, [&](StyleEditorDialog& editor, ui::Dialog& d) {
              ui::Dialog& text = show(d, kTextTab);
              ASSERT_TRUE(ui::user::select(text, 1067, text.control(1067)->findItemText("Fixed")));
              EXPECT_EQ(states(text, {1073, 1074}), "00");
              EXPECT_EQ(text.control(1073)->text(), "3.5");
              ui::dispatchPostedMessages();  // the preview copy takes 3.5
              ASSERT_TRUE(ui::user::select(text, 1067, text.control(1067)->findItemText("Standard")));
              EXPECT_EQ(states(text, {1073, 1074}), "11");
              EXPECT_EQ(text.control(1073)->text(), "3.5") << "the height the preview last showed";
              ASSERT_TRUE(ui::user::select(text, 1067, text.control(1067)->findItemText("Fixed")));
              EXPECT_DOUBLE_EQ(std::get<double>(stored(editor).at("DIMTXT")), 3.5);
              ASSERT_TRUE(ui::user::click(d, 1));
            }),
            1);
  EXPECT_EQ(open("Arch")->dimtxt(), 3.5);
  OdDbTextStyleTablePtr table = db->getTextStyleTableId().safeOpenObject();
  EXPECT_EQ(open("Arch")->dimtxsty(), table->getAt("Fixed"));
}

TEST_F(TextFit, AWrongScaleShowsRed) {
  const OdDbObjectId id = add("Arch");
  EXPECT_EQ(edit(id, [&](StyleEditorDialog&, ui::Dialog& d) {
              ui::Dialog& fit = show(d, kFitTab);
              ui::Control& scale = *fit.control(1101);
              EXPECT_FALSE(scale.textColors()) << "a number in the usual colours";
              for (const char* wrong : {"-2", "abc", "", "2x"}) {
                ASSERT_TRUE(ui::user::type(fit, 1101, wrong));
                const auto colors = scale.textColors();
                ASSERT_TRUE(colors) << wrong;
                EXPECT_EQ(*colors, (ui::TextColors{{240, 0, 0}, {255, 255, 255}})) << wrong;
              }
              EXPECT_NE(ui::dumpDialog(d).find("1101 edit enabled visible \"2x\" colors=#F00000/#FFFFFF"),
                        std::string::npos);
              ASSERT_TRUE(ui::user::type(fit, 1101, "-2"));
              ASSERT_TRUE(ui::user::click(d, 1));
            }),
            1);
  EXPECT_EQ(open("Arch")->dimscale(), 2.0) << "the magnitude of the scale typed";
  EXPECT_FALSE(FitPage::isWrongScale(" 1.5 "));
  EXPECT_FALSE(FitPage::isWrongScale("0"));
  EXPECT_TRUE(FitPage::isWrongScale("1e999"));
}

TEST_F(TextFit, TheStyleButtonRunsTheHostsTextStyleDialog) {
  const OdDbObjectId fixed = addTextStyle("Fixed", 0.0);
  const OdDbObjectId id = add("Arch");
  setVar("Arch", "DIMTXSTY", fixed);
  std::optional<long> window;
  std::optional<int> cmddia;
  // The host's dialog gives the style a fixed height.
  host->services.commandFactory().addHostCommand("TextPropsCmd", [&](const ICmdParams* params) -> HRESULT {
    window = params->getLong("HWND");
    cmddia = params->getInt("CMDDIA");
    OdDbTextStyleTableRecordPtr(fixed.safeOpenObject(OdDb::kForWrite))->setTextSize(4.25);
    return S_OK;
  });
  edit(id, [&](StyleEditorDialog&, ui::Dialog& d) {
    ui::Dialog& text = show(d, kTextTab);
    EXPECT_EQ(states(text, {1073, 1074}), "11");
    ASSERT_TRUE(ui::user::click(text, 1068));
    EXPECT_TRUE(window.has_value());
    EXPECT_EQ(cmddia, 1);
    EXPECT_EQ(text.control(1073)->text(), "4.25") << "the style's new height, taken over by the preview";
    EXPECT_EQ(states(text, {1073, 1074}), "00");
  });
}
