// qrvhost's main window in whole sessions on the offscreen Qt platform:
// scripts typed into its command line, and pictures of the window compared
// with the reference pictures in tests/window/reference (DDS_RENEW_PICTURES=1
// writes them anew; look at them before committing).
#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "picture_compare.h"
#include "assoc_checks.h"
#include "session_support.h"

namespace {

namespace fs = std::filesystem;

const std::string kSample = std::string(DDS_SOURCE_DIR) + "/examples/sample.dxf";
// A dimension of the sample drawing.
const char* kSampleDimension = "69";

using HostRun = sessions::Result;  // standard output only: standard error goes to a file

fs::path tempFolder(const std::string& name) { return sessions::tempFolder("window-" + name); }

// Runs qrvhost on the sample drawing with the script; the window's
// settings live in `dir` (dark or light background).
HostRun runHost(const fs::path& dir, const std::string& args, const std::string& script, bool dark = true,
                const std::string& drawing = kSample) {
  fs::create_directories(dir / "config/qrvhost");
  std::ofstream(dir / "config/qrvhost/qrvhost.conf")
      << "[view]\ndarkBackground=" << (dark ? "true" : "false") << "\n";
  std::ofstream(dir / "s.scr") << script;
  // A screen larger than the window, so that it opens at its own size.
  std::ofstream(dir / "screen.json") << R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1920,
    "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
  // Run in `dir`, so that file names in the script can be short and the
  // same in every run; standard error goes to a file of its own.
  const std::string cmd = "(cd " + dir.string() + " && env QT_QPA_PLATFORM=offscreen:configfile=" +
                          (dir / "screen.json").string() + " XDG_CONFIG_HOME=" + (dir / "config").string() +
                          " XDG_DATA_HOME=" + (dir / "data").string() + " timeout 60 " + DDS_BINARY_DIR +
                          "/bin/qrvhost --log /dev/null " + args + " --script " + (dir / "s.scr").string() + " " +
                          drawing + " 2>" + (dir / "stderr.txt").string() + ")";
  return sessions::runCommand(cmd);
}

using sessions::contains;

// A transcript without the widths of list columns: a dialog on screen
// measures them in its font's pixels, a headless one in fixed units.
std::string withoutColumnWidths(const std::string& transcript) {
  static const std::regex width(R"(("(?:[^"\\]|\\.)*") \d+)");
  std::istringstream in(transcript);
  std::string out, line;
  while (std::getline(in, line))
    out += (line.find("columns: ") != std::string::npos ? std::regex_replace(line, width, "$1 W") : line) + '\n';
  return out;
}

// The window's picture written as `shot` matches the reference of its name.
void expectLikeReference(const fs::path& shot, const std::string& transcript) {
  const QImage picture(QString::fromStdString(shot.string()));
  ASSERT_FALSE(picture.isNull()) << transcript;
  picturetest::expectLikeReference(picture, "tests/window/reference", shot.filename().string());
}

}  // namespace

TEST(MainWindowSessions, ScriptTypedIntoTheWindowPrintsWhatTheConsolePrints) {
  const auto dir = tempFolder("transcript");
  // A command of the module, a variable, a dialog played by its script
  // lines, undo, the palette played by its lines, and a drafting command
  // with points and Escape.
  const std::string script =
      "-DIMSTYLE\n?\n\n^C\nDIMASZ\n0.3\nDIMSTYLE\nkey Escape\nU\nSELECT\n" + std::string(kSampleDimension) +
      "\n\nPROPERTIES\nset Text.Text height = 6\nclose\nDIMLINEAR\n0,0\n^C\n";
  const HostRun console = runHost(dir / "console", "--console", script);
  const HostRun window = runHost(dir / "window", "--gui", script);
  ASSERT_EQ(console.status, 0) << console.out;
  ASSERT_EQ(window.status, 0) << window.out;
  // The dialog shows its window while the script plays it; what it says is
  // the same.
  EXPECT_EQ(withoutColumnWidths(window.out), withoutColumnWidths(console.out));
  expectAllIn(window.out, {"Command: -DIMSTYLE", "Dialog: key Escape", "  Text.Text height = 6"});
}

TEST(MainWindowSessions, ZoomAndSnapshotNeedTheirArgumentsAndTheConsoleHasNoView) {
  const auto dir = tempFolder("zoom");
  const std::string script = "ZOOM\nE\nSNAPSHOT\n" + (dir / "shot.txt").string() + "\nSNAPSHOT\n" +
                             (dir / "view.png").string() + "\n";
  const HostRun console = runHost(dir / "console", "--console", script);
  ASSERT_EQ(console.status, 0) << console.out;
  expectAllIn(console.out, {"There is no drawing view to zoom", "The file name must end in .png."});
  // The console writes the view's picture at the window's size.
  const QImage view(QString::fromStdString((dir / "view.png").string()));
  EXPECT_EQ(view.size(), QSize(1280, 800));
  const HostRun window = runHost(dir / "window", "--gui", "ZOOM\nE\n");
  EXPECT_FALSE(contains(window.out, "There is no drawing view")) << window.out;
}

// A dimension placed by clicking line ends in the view follows the line
// MOVE takes (picked, its points clicked too), and goes back with UNDO: in
// the drawing, and where a click in the view finds it.
TEST(MainWindowSessions, ADimensionPlacedByClicksFollowsTheLineMovedByClicksAndUndoTakesItBack) {
  const auto dir = tempFolder("follow");
  fs::create_directories(dir);
  std::string left, right;  // upright lines 30 apart
  {
    OdDbDatabase db;
    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    for (double x : {0.0, 30.0}) {
      OdDbLinePtr line = OdDbLine::createObject();
      line->setStartPoint({x, 0, 0}), line->setEndPoint({x, 30, 0});
      (x == 0 ? left : right) = ms->appendOdDbEntity(line).getHandle().ascii();
    }
    ms.release();
    writeDxfDrawing(db, (dir / "lines.dxf").string());
  }
  // The lines' top ends, the dimension line between them; the right line
  // picked and moved from its foot 6 to the right. Then a click where only
  // the moved dimension is (33,15) picks it, and after UNDO picks nothing,
  // while one at (20,15) does.
  const std::string script =
      "DIMLINEAR\nclick 0,30\nclick 30,30\nclick 15,15\nSAVEAS\nplaced.dxf\n"
      "MOVE\nclick 30,5\n\nclick 30,0\nclick 36,0\nSAVEAS\nmoved.dxf\n"
      "MOVE\nclick 33,15\n^C\nUNDO\n\nSAVEAS\nundone.dxf\n"
      "MOVE\nclick 33,15\nclick 20,15\n^C\nQUIT\nY\n";
  const HostRun r = runHost(dir / "run", "--gui", script, true, (dir / "lines.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  // The ends were clicked as snaps, which the command line shows.
  expectAllIn(r.out, {"_END " + left + " 0,30", "_END " + right + " 30,30", "Undone: MOVE"});
  auto dimensionIn = [&](const char* file) {
    auto db = readDxfDrawing((dir / "run" / file).string());
    const auto dims = sessions::entitiesOf<OdDbRotatedDimension>(*db);
    EXPECT_EQ(dims.size(), 1u) << file;
    int associated = 0;
    EXPECT_EQ(sessions::followFaults(*db, &associated), "") << file;
    EXPECT_EQ(associated, 1) << file;
    return dims.empty() ? OdGePoint3d() : dims[0]->xLine2Point();
  };
  EXPECT_EQ(dimensionIn("placed.dxf"), OdGePoint3d(30, 30, 0));
  EXPECT_EQ(dimensionIn("moved.dxf"), OdGePoint3d(36, 30, 0));
  EXPECT_EQ(dimensionIn("undone.dxf"), OdGePoint3d(30, 30, 0));
  auto placed = readDxfDrawing((dir / "run/placed.dxf").string());
  const std::string picked = "Select objects: " + sessions::entitiesOf<OdDbRotatedDimension>(*placed).at(0)->getDbHandle().ascii();
  const std::size_t undone = r.out.find("Undone: MOVE");
  auto count = [&](std::size_t from, std::size_t to) {
    int n = 0;
    for (std::size_t at = r.out.find(picked, from); at < to; at = r.out.find(picked, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count(0, undone), 1) << r.out;
  EXPECT_EQ(count(undone, std::string::npos), 1) << r.out;
}

// The main window with a dimension selected (the palette filled), in both
// languages on both backgrounds.
TEST(MainWindowSessions, PicturesOfTheWindowMatchTheReferences) {
  for (const char* lang : {"en", "ru"}) {
    for (bool dark : {false, true}) {
      const std::string name = std::string("main-window-") + lang + (dark ? "-dark" : "-light") + ".png";
      SCOPED_TRACE(name);
      const auto dir = tempFolder(name);
      const fs::path shot = dir / name;
      const HostRun r = runHost(dir, std::string("--gui --lang ") + lang,
                                "SELECT\n" + std::string(kSampleDimension) + "\n\nSNAPSHOT\n" + name + "\n", dark);
      ASSERT_EQ(r.status, 0) << r.out;
      EXPECT_EQ(QImage(QString::fromStdString(shot.string())).size(), QSize(1280, 800));
      expectLikeReference(shot, r.out);
    }
  }
}

// The Layer manager on screen with a new layer, a refusal said under the
// list, in both languages.
TEST(MainWindowSessions, TheLayerManagerMatchesItsReferencePictures) {
  for (const char* lang : {"en", "ru"}) {
    const std::string name = std::string("layer-manager-") + lang + ".png";
    SCOPED_TRACE(name);
    const auto dir = tempFolder(name);
    const HostRun r = runHost(dir, std::string("--gui --lang ") + lang,
                              "LAYER\npress 301\ntype 314 red\nselect 316 #10\npress 312\nselect 300 #0\n"
                              "press 312\npicture " + name + "\npress 2\n", false);
    ASSERT_EQ(r.status, 0) << r.out;
    ASSERT_TRUE(contains(r.out, "picture: " + name)) << r.out;
    expectLikeReference(dir / name, r.out);
  }
}
