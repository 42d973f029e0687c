// DIMCOMPARE in a scripted host session: the dialog opens headless, prints
// itself, and the script's lines play its user.
#include <gtest/gtest.h>

#include <cstdlib>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "backend.h"
#include "dlgcompare/compare_command.h"
#include "headless_backend.h"
#include "host_context.h"
#include "host_test_support.h"
#include "stdafx/module_resources.h"
#include "../shared/style_table_test_support.h"
#include "translation.h"

namespace {

struct DimCompare : ::testing::Test {
  void SetUp() override {
    ::setenv("QRV_UI", "headless", 1);
    Supp_InitResTranslation(&dds::moduleResources());
    setHostLanguage(HostLanguage::kEnglish);
    ui::headlessBackend().reset();
  }
  void TearDown() override {
    ::unsetenv("QRV_UI");
    ui::setBackend(nullptr);
  }
};

}  // namespace

TEST_F(DimCompare, ScriptLinesDriveTheDialog) {
  ScriptedHost host("Wide\ndump\nselect 1179 <none>\nselect 1177 Nowhere\npress Close\n");
  HostApDocument* doc = host.newDocument();
  addStandardCopy(*doc->database(), "Wide", 0.5);
  dds::runCompareCommand();
  const std::string out = host.transcript();
  // The dump when it opens: Standard against Wide.
  expectAllIn(out, {"dialog 1011 \"Compare Dimension Styles\"",
                    "1177 dropdown enabled visible \"\" selection=0 \"Standard\"",
                    "1179 dropdown enabled visible \"\" selection=2 \"Wide\"",
                    "1181 label enabled visible \"Found 1 differences:\"",
                    "row 0: \"Arrow size\" | \"DIMASZ\" | \"2,5\" | \"0,5\"",
                    "*Invalid* control 1177 has no item \"Nowhere\""});
  EXPECT_EQ(ui::backend().name(), std::string("headless"));
}

TEST_F(DimCompare, TwoNamesOrAnUnknownName) {
  {
    ScriptedHost host("Wide,Standard\npress Close\n");
    addStandardCopy(*host.newDocument()->database(), "Wide", 0.5);
    dds::runCompareCommand();
    expectAllIn(host.transcript(), {"1177 dropdown enabled visible \"\" selection=1 \"Wide\""});
  }
  {
    ScriptedHost host("Missing\n");
    host.newDocument();
    dds::runCompareCommand();
    expectAllIn(host.transcript(), {"No dimension style named \"Missing\"."});
    EXPECT_EQ(host.transcript().find("dialog 1011"), std::string::npos);
  }
  {
    // Enter: the current style with itself; the end of the script closes it.
    ScriptedHost host("\n");
    host.newDocument();
    dds::runCompareCommand();
    expectAllIn(host.transcript(), {"All properties of dimension style \\\"Standard\\\":"});
  }
}

TEST_F(DimCompare, HelpByButtonAndF1) {
  HostServicesOptions options;
  options.helpFolder = std::string(DDS_SOURCE_DIR) + "/docs/help";
  ScriptedHost host("\nkey F1\npress &Help\npress Close\n", options);
  host.newDocument();
  dds::runCompareCommand();
  const std::string out = host.transcript();
  const std::string topic = readText(options.helpFolder + "/QRV_HELP_DIMSTYLE_DIFF.txt");
  const std::string firstLine = topic.substr(0, topic.find('\n'));
  ASSERT_FALSE(firstLine.empty());
  std::size_t shown = 0;
  for (auto at = out.find(firstLine); at != std::string::npos; at = out.find(firstLine, at + 1)) ++shown;
  EXPECT_EQ(shown, 2u) << out;
}

TEST_F(DimCompare, RegistersWithTheHost) {
  ScriptedHost host;
  EXPECT_EQ(dds::registerCompareCommand(), S_OK);
  const HostCommandEntry* entry = gpQrContext->findCommand("dimcompare");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->handler, &dds::runCompareCommand);
  EXPECT_EQ(dds::registerCompareCommand(), S_OK) << "registering again changes nothing";
}
