// The dialog-script vocabulary and the dump a script user reads.
#include <gtest/gtest.h>

#include "dialog.h"
#include "dialog_script.h"
#include "headless_backend.h"
#include "ui_test_support.h"

using namespace uitest;

namespace {

struct Script : ::testing::Test {
  Recorder proc;
  ui::Dialog dlg{sampleTemplate(), &proc, nullptr};
  std::vector<std::string> printed;
  ui::ScriptLineResult run(const std::string& line) {
    return ui::runDialogScriptLine(dlg, line, [&](const std::string& l) { printed.push_back(l); });
  }
  void SetUp() override { ui::headlessBackend().reset(); }
  void TearDown() override { ui::headlessBackend().reset(); }
};

}  // namespace

TEST_F(Script, EachVerbActsLikeTheUser) {
  dlg.control(kDrop)->addItem("Standard", 0);
  dlg.control(kDrop)->addItem("ISO-25", 1);
  dlg.control(kList)->addItem("row0");
  dlg.control(kList)->addItem("row1");

  EXPECT_TRUE(run("press apply").ok) << "by caption, without the mnemonic, any case";
  EXPECT_TRUE(run("press 101").ok);
  EXPECT_EQ(proc.count(ui::kMsgCommand, kButton, ui::kCmdClicked), 2);
  EXPECT_TRUE(run("select 107 standard").ok);
  EXPECT_EQ(dlg.control(kDrop)->itemText(dlg.control(kDrop)->selection()), "Standard");
  EXPECT_TRUE(run("select 107 #0").ok);
  EXPECT_EQ(dlg.control(kDrop)->itemText(dlg.control(kDrop)->selection()), "ISO-25");
  EXPECT_TRUE(run("select 109 #1").ok);
  EXPECT_EQ(dlg.control(kList)->selection(), 1);
  EXPECT_TRUE(run("type 105 \" two words \"").ok);
  EXPECT_EQ(dlg.control(kEdit)->text(), " two words ");
  EXPECT_TRUE(run("check 102").ok);
  EXPECT_EQ(dlg.control(kCheck)->check(), ui::kChecked);
  EXPECT_TRUE(run("clear 102").ok);
  EXPECT_EQ(dlg.control(kCheck)->check(), ui::kUnchecked);
  EXPECT_TRUE(run("spin 106 up").ok);
  EXPECT_TRUE(run("key F1").ok);
  EXPECT_EQ(proc.count(ui::kMsgHelp), 1);
  EXPECT_TRUE(run("key Delete 109").ok);
  EXPECT_EQ(proc.count(ui::kMsgNotify, kList, ui::kNotifyKeyDown), 1);
  EXPECT_TRUE(run("rclick 109 0").ok);
  EXPECT_EQ(dlg.control(kList)->selection(), 0);
  EXPECT_TRUE(run("edit 109 0 New name").ok);
}

TEST_F(Script, MistakesSayWhatIsWrongAndChangeNothing) {
  EXPECT_EQ(run("press Nowhere").error, "no button Nowhere");
  EXPECT_EQ(run("select 107 Missing").error, "control 107 has no item \"Missing\"");
  EXPECT_EQ(run("select 999 x").error, "no control 999");
  EXPECT_EQ(run("type 101 x").error, "control 101 is not an edit");
  EXPECT_EQ(run("key F13").error, "unknown key F13");
  EXPECT_EQ(run("spin 106 sideways").error, "spin needs up or down");
  EXPECT_EQ(run("frobnicate").error, "unknown command frobnicate");
  EXPECT_TRUE(run("").ok);
  EXPECT_EQ(proc.count(ui::kMsgCommand), 0);
}

TEST_F(Script, DumpShowsEveryControlInTemplateOrder) {
  ui::Control& list = *dlg.control(kList);
  list.insertColumn(0, "Description", 100);
  list.insertColumn(1, "Variable", 75);
  list.addItem("Arrow size");
  list.setItemText(0, 1, "DIMASZ");
  list.addItem("Tab\there", 0, 1);
  dlg.control(kButton)->enable(false);
  dlg.control(kCheck)->setCheck(ui::kChecked);
  dlg.control(kDrop)->addItem("A");
  dlg.control(kDrop)->setSelection(0);
  dlg.control(kButton)->setTooltip("Copy to clipboard");
  dlg.control(kButton)->setIcon("copy");
  const std::string dump = ui::dumpDialog(dlg);
  expectAllIn(dump, {"dialog 4000 \"Sample\"\n  100 label enabled visible \"&Name:\"\n",
                     "  101 button disabled visible \"&Apply\" icon=copy tooltip=\"Copy to clipboard\"\n",
                     "  102 checkbox enabled visible \"&Frame\" check=1\n",
                     "  107 dropdown enabled visible \"\" selection=0 \"A\"\n    item 0: \"A\"\n"});
  EXPECT_NE(dump.find("  109 list enabled visible \"\" selection=-1\n    columns: \"Description\" 100 | \"Variable\" 75\n"
                      "    row 0: \"Arrow size\" | \"DIMASZ\"\n    row 1: indent=1 \"Tab\\there\" | \"\"\n"),
            std::string::npos)
      << dump;
  EXPECT_NE(dump.find("  114 button enabled hidden \"Hidden\"\n"), std::string::npos);
  // Template order: the label comes first, the OK button last.
  EXPECT_LT(dump.find(" 100 "), dump.find(" 114 "));
  run("dump");
  EXPECT_EQ(printed.front(), "dialog 4000 \"Sample\"");
}
