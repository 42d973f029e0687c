// Recovery copies: kept for changed drawings, gone once saved, left behind
// by a session that ends abruptly and offered to the next one.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "drawing_io.h"
#include "host_test_support.h"
#include "recovery_files.h"
#include "recovery_offer.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using qrvhost::RecoveryKeeper;
using qrvhost::offerLeftDrawings;

// A stand-in file layer: a drawing is its DIMASZ as text.
void useTinyDrawingFiles() {
  hostSetDrawingIO(
      [](const std::string& path, HostDrawingRead&) {
        std::ifstream in(path);
        double value = 0;
        if (!(in >> value)) throw OdError(eBadDxfFile, path);
        auto db = std::make_unique<OdDbDatabase>();
        db->setDimasz(value);
        return db;
      },
      [](const OdDbDatabase& db, const std::string& path, HostDrawingSave&) { std::ofstream(path) << db.dimasz(); });
}

// A session in a child process (a copy of `host`) that changes a drawing,
// keeps its copy and ends without cleaning up, as a crash would.
void crashedSession(ScriptedHost& host, const fs::path& recovery, double dimasz) {
  const pid_t child = ::fork();
  if (child == 0) {
    HostApDocument* doc = host.newDocument();
    doc->markSaved("/drawings/part.dxf");
    doc->database()->setDimasz(dimasz);
    RecoveryKeeper keeper(recovery.string(), 1ms);
    std::this_thread::sleep_for(2ms);
    keeper.tick(host.documents());
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
}

}  // namespace

TEST(RecoveryFiles, KeptWhileChangedAndRemovedOnceSaved) {
  useTinyDrawingFiles();
  TempFolder folder;
  const fs::path recovery = folder.path / "recovery";
  ScriptedHost host;
  HostApDocument* doc = host.newDocument();
  RecoveryKeeper keeper(recovery.string(), 1ms);
  const fs::path own = recovery / ("session-" + std::to_string(::getpid()));
  std::this_thread::sleep_for(2ms);
  EXPECT_TRUE(keeper.tick(host.documents()).empty());
  EXPECT_FALSE(fs::exists(own / "1.dxf"));  // nothing changed, nothing kept

  doc->database()->setDimasz(0.5);
  std::this_thread::sleep_for(2ms);
  EXPECT_TRUE(keeper.tick(host.documents()).empty());
  std::ifstream copy(own / "1.dxf");
  double kept = 0;
  copy >> kept;
  EXPECT_DOUBLE_EQ(kept, 0.5);
  // A running session's copies are not offered to another one.
  EXPECT_TRUE(RecoveryKeeper(recovery.string(), 1ms).leftBehind().empty());

  doc->markSaved((folder.path / "saved.dxf").string());
  keeper.tick(host.documents());
  EXPECT_FALSE(fs::exists(own / "1.dxf"));
  EXPECT_FALSE(fs::exists(own / "1.name"));

  // No copies without an interval.
  doc->database()->setDimasz(0.7);
  RecoveryKeeper off((folder.path / "off").string(), 0ms);
  off.tick(host.documents());
  EXPECT_FALSE(fs::exists(folder.path / "off"));
}

TEST(RecoveryFiles, ASessionThatEndedAbruptlyIsOfferedOnce) {
  useTinyDrawingFiles();
  TempFolder folder;
  const fs::path recovery = folder.path / "recovery";
  ScriptedHost host;
  RecoveryKeeper keeper(recovery.string(), 1ms);
  int asked = 0;

  // Declined: the copies go and are not offered again.
  crashedSession(host, recovery, 0.25);
  ASSERT_EQ(keeper.leftBehind().size(), 1u);
  offerLeftDrawings(keeper, host.services, [&](const std::string& question) {
    ++asked;
    EXPECT_NE(question.find("\"part.dxf\""), std::string::npos) << question;
    return false;
  });
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(keeper.leftBehind().empty());
  EXPECT_TRUE(host.documents().documents().empty());

  // Accepted: the drawing opens under its own file name, with its changes
  // still to be saved.
  crashedSession(host, recovery, 0.75);
  offerLeftDrawings(keeper, host.services, [&](const std::string&) { return ++asked, true; });
  EXPECT_EQ(asked, 2);
  ASSERT_EQ(host.documents().documents().size(), 1u);
  HostApDocument* doc = host.documents().curDocument();
  EXPECT_EQ(doc->fileName(), "/drawings/part.dxf");
  EXPECT_TRUE(doc->isModified());
  EXPECT_DOUBLE_EQ(doc->database()->dimasz(), 0.75);
  EXPECT_TRUE(keeper.leftBehind().empty());
  offerLeftDrawings(keeper, host.services, [&](const std::string&) { return ++asked, true; });
  EXPECT_EQ(asked, 2);  // nothing left: nobody is asked
  hostSetDrawingIO({}, {});
}
