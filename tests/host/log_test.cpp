// The trace log's line formats and destinations.
#include <gtest/gtest.h>

#include <regex>

#include "host_test_support.h"

namespace {

TEST(TraceLog, MessageForms) {
  EXPECT_EQ(hostLogMessage(HostLogLevel::kError, true, E_FAIL, "RETERRIF marco, expr: pDST.isNull() "),
            "ERROR(80004005) 'RETERRIF marco, expr: pDST.isNull() '");
  EXPECT_EQ(hostLogMessage(HostLogLevel::kError, false, 0, "(pDb != 0)"), "ERROR '(pDb != 0)'");
  EXPECT_EQ(hostLogMessage(HostLogLevel::kWarning, true, E_INVALIDARG, "x"), "WARNING(80070057) 'x'");
  EXPECT_EQ(hostLogMessage(HostLogLevel::kWarning, false, 0, "y"), "WARNING 'y'");
  EXPECT_EQ(hostLogMessage(HostLogLevel::kError, true, 0x1, "z"), "ERROR(1) 'z'");
}

TEST(TraceLog, LinesCarryTimeSourceAndLine) {
  CapturedLog log;
  hostTraceError("dds/dds", 120, E_FAIL, "RETERRIF3VOID marco, expr: !pAD ");
  hostTraceError("dds/stdafx", 7, "Duplicate record name");
  hostTraceWarning("dds/dlgdimstyle", 9, E_ABORT, "w1");
  hostTraceWarning("dds/dlgdimstyle", 10, "w2");
  const std::string text = log.text();
  const std::regex line(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d (\S+)\((\d+)\): (.*))");
  std::vector<std::string> messages;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(l, m, line)) << l;
    messages.push_back(m[1].str() + ":" + m[2].str() + " " + m[3].str());
  }
  EXPECT_EQ(messages, (std::vector<std::string>{
                          "dds/dds:120 ERROR(80004005) 'RETERRIF3VOID marco, expr: !pAD '",
                          "dds/stdafx:7 ERROR 'Duplicate record name'",
                          "dds/dlgdimstyle:9 WARNING(80004004) 'w1'",
                          "dds/dlgdimstyle:10 WARNING 'w2'",
                      }));
}

TEST(TraceLog, ErrorsAlsoGoToStandardError) {
  CapturedLog log;
  setHostLogEchoErrors(true);
  testing::internal::CaptureStderr();
  hostTraceError("dds/dds", 5, E_FAIL, "boom");
  hostTraceWarning("dds/dds", 6, "quiet");
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "dds/dds(5): ERROR(80004005) 'boom'\n");
}

TEST(TraceLog, AnUnwritableLogFileIsRefusedAndTheOldOneKept) {
  CapturedLog log;
  std::string why;
  EXPECT_FALSE(setHostLogFile("/proc/no/such/folder/x.log", &why));
  EXPECT_FALSE(why.empty());
  hostTraceNote("host", 1, "still here");
  EXPECT_NE(log.text().find("NOTE 'still here'"), std::string::npos);
}

}  // namespace
