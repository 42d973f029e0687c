// The command-line style command, run against scripted answers.
#include <gtest/gtest.h>

#include <sstream>

#include "OdDbBlockTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "console.h"
#include "dds/dimstyle_session.h"
#include "dlgdimstyle/style_store.h"
#include "editor_input.h"
#include "selection.h"
#include "stdafx/module_resources.h"
#include "../shared/expect_text.h"
#include "../shared/style_table_test_support.h"
#include "translation.h"

using namespace dds;

namespace {

struct DimStyle : ::testing::Test {
  OdDbDatabase db;
  OdDbObjectId dim1, text;

  void SetUp() override {
    Supp_InitResTranslation(&moduleResources());
    setHostLanguage(HostLanguage::kEnglish);
    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    OdDbRotatedDimensionPtr d = OdDbRotatedDimension::createObject();
    d->setXLine2Point({10, 0});
    d->setDimensionStyle(db.getDimStyleStandardId());
    dim1 = ms->appendOdDbEntity(d);
    OdDbTextPtr t = OdDbText::createObject();
    t->setTextString("note");
    text = ms->appendOdDbEntity(t);
  }

  // Runs the command on the answers (one per line) and gives the transcript.
  std::string run(const std::string& answers) {
    std::istringstream in(answers);
    std::ostringstream out;
    ScriptInput script(in);
    HostConsole console(script, out);
    HostEdInput input(console);
    HostEdSSManager selection(input, db);
    DimStyleSession(nullptr, &db, &input, &selection).run();
    return out.str();
  }

  OdDbObjectId style(const char* name) {
    OdDbDimStyleTablePtr t = db.getDimStyleTableId().safeOpenObject();
    return t->getAt(name);
  }
  static bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
  static int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
    return n;
  }
};

}  // namespace

TEST_F(DimStyle, StartShowsTheStyleAndTheOverrides) {
  db.setDimasz(0.5);
  const std::string out = run("\x1b\n");
  expectAllIn(out, {"Current dimension style: \"Standard\". Annotative: No.", "Current dimension overrides:",
                    "DIMASZ          0.5000",
                    "Enter a dimension style option [ANnotative/Save/Restore/STatus/Variables/Apply/?]<Restore>:"});
}

TEST_F(DimStyle, EnterRestoresAndEnterAgainAsksForADimension) {
  const std::string out = run("\n\n\n");
  expectAllIn(out, {"Enter a dimension style name, [?] or <select dimension>:", "Select dimension"});
}

TEST_F(DimStyle, SaveComparesWithTildeAndRefusesToRedefineOnEnterOrNo) {
  db.setDimtxt(0.25);
  const std::string out = run("S\n~standard\n~nosuch\nStandard\n\nStandard\nN\nMine\n");
  expectAllIn(out, {"Differences between \"STANDARD\" and current settings:",
                    "                STANDARD             Current Setting",
                    "DIMTXT          0.1800               0.2500", "Unknown dimension style."});
  EXPECT_EQ(count(out, "That name is already in use, redefine it? [Yes/No]<No>:"), 2);
  EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(style("Standard").safeOpenObject())->dimtxt(), 0.18);
  ASSERT_FALSE(style("Mine").isNull());
  EXPECT_EQ(OdDbDimStyleTableRecordPtr(style("Mine").safeOpenObject())->getName(), "Mine");
  EXPECT_EQ(db.getDimstyle(), style("Mine"));
  EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(style("Mine").safeOpenObject())->dimtxt(), 0.25);
}

TEST_F(DimStyle, RedefineWithYesOverwritesAndCancelLeavesTheStyleAlone) {
  db.setDimtxt(0.3);
  run("S\nStandard\n\x1b\n");
  EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(style("Standard").safeOpenObject())->dimtxt(), 0.18);
  run("S\nStandard\nY\n");
  EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(style("Standard").safeOpenObject())->dimtxt(), 0.3);
  EXPECT_FALSE(run("\x1b\n").find("Current dimension overrides:") != std::string::npos);
}

TEST_F(DimStyle, SaveRefusesAStyleOfAnExternalReference) {
  OdDbDimStyleTableRecordPtr r = OdDbDimStyleTableRecordPtr(style("Standard").safeOpenObject())->clone();
  r->setNameAsStored("Ext|Dep");
  r->setDependent(true);
  OdDbDimStyleTablePtr(db.getDimStyleTableId().safeOpenObject(OdDb::kForWrite))->add(r);
  db.setDimtxt(0.3);
  const std::string out = run("S\next|dep\nMine\n");
  EXPECT_TRUE(has(out, "\"Ext|Dep\" is a style of an external reference; it cannot be changed here.")) << out;
  EXPECT_FALSE(has(out, "redefine it?")) << out;
  EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(style("Ext|Dep").safeOpenObject())->dimtxt(), 0.18);
  EXPECT_EQ(db.getDimstyle(), style("Mine")) << "a refused name asks for another";
}

TEST_F(DimStyle, AnnotativeSavesAnAnnotativeStyleAndAsksAgain) {
  const std::string out = run("AN\nY\nAnno\n?\n\n\x1b\n");
  EXPECT_TRUE(has(out, "Create annotative dimension style [Yes/No]<Yes>:")) << out;
  EXPECT_TRUE(isAnnotativeStyle(style("Anno")));
  EXPECT_EQ(db.getDimstyle(), style("Anno"));
  EXPECT_EQ(count(out, "Enter a dimension style option"), 3) << out;
  expectAllIn(out, {"Named dimension styles:", "Anno                            Annotative", "\nStandard\n"});
}

TEST_F(DimStyle, StatusListsTheHeaderRowsAndAll78Variables) {
  const std::string out = run("ST\n");
  const auto aso = out.find("DIMASO          Yes                  Create dimension objects");
  const auto style = out.find("DIMSTYLE        Standard             Current dimension style\n\n");
  const auto adec = out.find("DIMADEC         0                    Angular decimal places");
  const auto zin = out.find("DIMZIN          0                    Zero suppression");
  ASSERT_NE(aso, std::string::npos) << out;
  ASSERT_NE(style, std::string::npos) << out;
  ASSERT_NE(adec, std::string::npos) << out;
  ASSERT_NE(zin, std::string::npos) << out;
  EXPECT_LT(aso, style);
  EXPECT_LT(style, adec);
  EXPECT_LT(adec, zin);
  EXPECT_EQ(count(out, "\nDIM"), 80);
}

TEST_F(DimStyle, RestoreFromADimensionTakesItsValuesAndStyleAndFromAnythingElseNothing) {
  db.setDimasz(0.7);
  const std::string out = run("R\n\n" + text.getHandle().ascii() + "\n");
  EXPECT_TRUE(has(out, "Selected object is not a dimension.")) << out;
  EXPECT_DOUBLE_EQ(db.dimasz(), 0.7);
  const OdDbObjectId other = addStandardCopy(db, "Other");
  {
    OdDbDimensionPtr d = dim1.safeOpenObject(OdDb::kForWrite);
    d->setDimensionStyle(other);
    d->setDimgap(0.4);
  }
  run("R\n\n" + dim1.getHandle().ascii() + "\n");
  EXPECT_EQ(db.getDimstyle(), other);
  EXPECT_DOUBLE_EQ(db.dimgap(), 0.4);
}

TEST_F(DimStyle, OneStyleIsListedComparedOrReportedUnknown) {
  std::string out = run("V\nStandard\n");
  EXPECT_TRUE(has(out, "DIMASZ          0.1800               Arrow size")) << out;
  EXPECT_EQ(count(out, "\nDIM"), 78);
  out = run("?\nstandard\n?\nnosuch\n\x1b\n");
  expectAllIn(out, {"\nStandard\n", "Unknown dimension style."});
  out = run("S\n~Standard\n\x1b\n");
  EXPECT_TRUE(has(out, "No Differences.")) << out;
}
