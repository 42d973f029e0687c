// The qrvhost executable run as users and scripts run it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "../shared/run_command.h"
#include "host_test_support.h"

namespace {

std::string hostPath() { return std::string(DDS_BINARY_DIR) + "/bin/qrvhost"; }

struct HostRun : CommandResult {
  std::string err;
};

HostRun runHost(const std::string& arguments, const std::string& script = "") {
  TempFolder folder;
  // English unless the test asks otherwise (a later --lang wins), whatever
  // the machine's locale.
  // A host that hangs fails the test with timeout's status 124.
  std::string command = "timeout 60 " + hostPath() + " --lang en --log " + folder.file("trace.log") + " " + arguments;
  if (!script.empty()) {
    writeText(folder.file("s.scr"), script);
    command += " --script " + folder.file("s.scr");
  }
  HostRun run{runCommandOutput(command + " 2>" + folder.file("err.txt")), {}};
  run.err = readText(folder.file("err.txt"));
  return run;
}

// A drawing with two stray tags before its only section: recovery skips them.
const std::string kDamage = "  9\n$STRAY\n 70\n1\n  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n 10\n0.0\n"
                            " 20\n0.0\n 11\n1.0\n 21\n1.0\n  0\nENDSEC\n  0\nEOF\n";

class HostCli : public testing::Test {
protected:
  void SetUp() override {
    if (!std::filesystem::exists(hostPath())) GTEST_SKIP() << "qrvhost is not built";
  }
};

TEST_F(HostCli, ScriptWithEnterCancelVariablesAndCommandActive) {
  const HostRun run = runHost("--new --lang en",
                              "SETVAR\nDIMASZ\n0.25\nDIMASZ\n\nDIMDEC\n^C\nUNDO\n\nDIMASZ\n\nCMDACTIVE\nQUIT\nyes\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Command: SETVAR\n"
            "Enter variable name or [?]: DIMASZ\n"
            "Enter new value for DIMASZ <0.18>: 0.25\n"
            "Command: DIMASZ\n"
            "Enter new value for DIMASZ <0.25>: \n"
            "Command: DIMDEC\n"
            "Enter new value for DIMDEC <4>: ^C\n"
            "*Cancel*\n"
            "Command: UNDO\n"
            "Enter the number of operations to undo <1>: \n"
            "Undone: SETVAR\n"
            "Command: DIMASZ\n"
            "Enter new value for DIMASZ <0.18>: \n"
            "Command: CMDACTIVE\n"
            "CMDACTIVE = 1 (read only)\n"  // while a command runs
            "Command: QUIT\n"
            "1 drawing(s) have unsaved changes. Quit without saving? [Yes/No] <No>: yes\n");
}

TEST_F(HostCli, TheModuleIsLoadedAndItsCommandsAnswer) {
  const HostRun run = runHost("--new", "DIMSTYLE\npress Close\nHELP\n?\n-dimstyle\n");  // -dimstyle last: its prompts end with the script
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Command: -dimstyle\n"), std::string::npos);
  EXPECT_EQ(run.out.find("Unknown command \"-dimstyle\""), std::string::npos);
  expectAllIn(run.out, {"Command: DIMSTYLE\ndialog 1000 \"Dimension Style Manager\"\n", "-DIMSTYLE",
                        "QRV_HELP_DIMSTYLE_DLG"});
}

TEST_F(HostCli, ScriptedRunsAreRepeatable) {
  const std::string script = "NEW\nSWITCH\n1\nHELP\n\nDIMZIN\n3\nSETVAR\n?\nCLOSE\nno\n";
  const HostRun first = runHost("--new", script);
  const HostRun second = runHost("--new", script);
  EXPECT_EQ(first.status, 0);
  EXPECT_EQ(first.out, second.out);
  EXPECT_NE(first.out.find("Current drawing: \"Drawing1.dxf\"."), std::string::npos);
}

TEST_F(HostCli, DamagedDrawingsOpenThroughRecoveryAndSaveInTheFormAsked) {
  TempFolder folder;
  const std::string damaged = folder.file("damaged.dxf"), fixed = folder.file("fixed.dxf");
  writeText(damaged, kDamage);
  HostRun run = runHost("--new", "OPEN\n" + damaged + "\nRECOVER\n" + damaged + "\nDXFBINARY\n1\nSAVEAS\n" + fixed +
                                     "\nQUIT\n");
  EXPECT_NE(run.out.find("line 1: 'SECTION' or 'EOF' expected, found group code 9\nRECOVER may open it"),
            std::string::npos) << run.out;
  expectAllIn(run.out, {"Note: line 1: 2 tag(s) outside any section skipped\n",
                        "Note: 2 repairs, 0 records dropped\n"});
  EXPECT_EQ(readText(fixed).rfind("AutoCAD Binary DXF", 0), 0u);
  // Recovered and not yet saved, the drawing counts as changed.
  run = runHost("--recover " + damaged, "QUIT\n");
  expectAllIn(run.out, {"damaged.dxf: line 1: 2 tag(s) outside any section skipped", "Quit without saving?"});
}

TEST_F(HostCli, EachWithRecoveryNeverSavesLessOverTheFile) {
  TempFolder folder;
  const std::string notes = folder.file("notes.dxf"), damaged = folder.file("damaged.dxf");
  writeText(notes, "Not a drawing.\n");
  writeText(damaged, kDamage);
  HostRun run = runHost("--each --recover " + notes + " " + damaged, "DIMASZ\n0.5\n");
  EXPECT_EQ(run.status, 5);
  expectAllIn(run.out, {"no DXF structure", "recovery left out 2 piece(s) of the file"});
  EXPECT_EQ(readText(notes), "Not a drawing.\n");
  EXPECT_EQ(readText(damaged), kDamage);
  EXPECT_FALSE(std::filesystem::exists(damaged + ".bak"));
  // Said so, the drawing is saved, the file kept beside it.
  run = runHost("--each --recover --accept-losses " + damaged, "DIMASZ\n0.5\n");
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(readText(damaged + ".bak"), kDamage);
}

TEST_F(HostCli, FailuresGiveAClearLineAndAStatus) {
  EXPECT_EQ(runHost("--new", "").status, 0);
  const std::string badModule = std::string(DDS_BINARY_DIR) + "/bin/libqrvdb.so";
  const struct {
    std::string arguments, script;
    int status;
    const char* said;  // on standard error
  } cases[] = {
      {"--new --script /no/such/script.scr", "", 3, "qrvhost: cannot read the script /no/such/script.scr"},
      {"/no/such/drawing.dxf", "QUIT\n", 2, "qrvhost: cannot open /no/such/drawing.dxf"},
      {"--new --module /no/such/libdds.so", "QUIT\n", 4, "does not exist"},
      {"--new --module " + badModule, "QUIT\n", 4, "has no QRVInit entry"},
      {"--bogus", "", 1, "unknown option '--bogus'"},
      {"--lang de", "", 1, ""},
  };
  for (const auto& c : cases) {
    const HostRun run = runHost(c.arguments, c.script);
    EXPECT_EQ(run.status, c.status) << c.arguments;
    EXPECT_NE(run.err.find(c.said), std::string::npos) << c.arguments << "\n" << run.err;
  }
}

// A program feeding the host through a pipe may take its time between
// lines: the changed drawing is copied for recovery meanwhile, with the
// script on standard input as with plain piped input.
TEST_F(HostCli, APipedRunKeepsRecoveryCopiesWhileItWaits) {
  for (const std::string mode : {"--script -", ""}) {
    TempFolder folder;
    const std::string copies = folder.file("qrvhost/recovery");
    const CommandResult run = runCommandOutput(
        "{ printf 'DIMASZ\\n0.5\\n'; sleep 2; find " + copies + " -name '*.dxf' >" + folder.file("seen.txt") +
        "; printf 'QUIT\\nY\\n'; } | XDG_DATA_HOME=" + folder.path.string() +
        " QRVHOST_RECOVERY_MINUTES=0.005 timeout 60 " + hostPath() + " --lang en --log /dev/null --new " + mode +
        " 2>&1");
    EXPECT_EQ(run.status, 0) << mode << run.out;
    EXPECT_NE(readText(folder.file("seen.txt")).find("/1.dxf"), std::string::npos) << mode << run.out;
  }
}

// A log that cannot be written is said on standard error: named with
// --log the run ends (a named pipe nobody reads included, which would hold
// the start for ever); the default log's folder is only warned about.
TEST_F(HostCli, ALogThatCannotBeWrittenIsSaid) {
  TempFolder folder;
  const std::string pipe = folder.file("log.pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  HostRun run = runHost("--new --log " + pipe, "QUIT\n");
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("qrvhost: cannot write the log file " + pipe + ": it is a named pipe that no program reads"),
            std::string::npos)
      << run.err;

  writeText(folder.file("s.scr"), "QUIT\n");
  const CommandResult quiet =
      runCommandOutput("XDG_DATA_HOME=" + folder.file("s.scr") + "/data timeout 60 " + hostPath() +
                       " --lang en --new --script " + folder.file("s.scr") + " 2>&1");
  EXPECT_EQ(quiet.status, 0) << quiet.out;
  EXPECT_NE(quiet.out.find("qrvhost: cannot write the log file " + folder.file("s.scr") +
                           "/data/qrvhost/qrvhost.log: Not a directory; going on without a log"),
            std::string::npos)
      << quiet.out;
}

}  // namespace
