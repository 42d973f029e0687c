// DWG drawings in whole qrvhost sessions. A stand-in converter (a shell
// script in Node's place) checks what the host asks of it and how it takes
// every way a conversion ends; the real converter, where it is installed,
// opens the shared DWG drawings.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "OdDbLayerTableRecord.h"
#include "session_support.h"

using namespace sessions;
namespace fs = std::filesystem;

namespace {

// A converter folder and a stand-in "node" that runs `body` with the
// host's arguments ($1 --liftoff-only, $2 the driver, $3 the DWG, $4 the
// DXF to write); it records them, one a line, in dir/args. Gives the shell
// prefix that makes qrvhost use it.
std::string standInConverter(const fs::path& dir, const std::string& body) {
  const fs::path folder = dir / "converter";
  fs::create_directories(folder / "node_modules/@mlightcad/libredwg-web/wasm");
  writeText(folder / "dwg2dxf.mjs", "");
  writeText(folder / "node_modules/@mlightcad/libredwg-web/wasm/libredwg-web.wasm", "");
  const fs::path node = dir / "node";
  writeText(node, "#!/bin/sh\nprintf '%s\\n' \"$@\" > " + (dir / "args").string() + "\n" + body + "\n");
  ::chmod(node.c_str(), 0755);
  return "QRVHOST_DWG_CONVERTER=" + folder.string() + " QRVHOST_NODE=" + node.string();
}

std::vector<std::string> recordedArgs(const fs::path& dir) {
  std::vector<std::string> out;
  std::istringstream in(readAll(dir / "args"));
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

std::size_t dimensionsIn(const std::string& path) {
  auto db = readDxfDrawing(path);
  return entitiesOf<OdDbDimension>(*db).size();
}

}  // namespace

TEST(DwgSessions, ADwgOpensThroughTheConverterAndIsSavedAsDxfBesideIt) {
  const auto dir = tempFolder("dwg-open");
  makeDrawing(dir / "fixture.dxf");
  const std::string prefix = standInConverter(
      dir, "cp " + (dir / "fixture.dxf").string() +
               " \"$4\"\nprintf 'version AC1032\\nnot-converted MULTILEADER 15\\nnot-converted proxy 2\\n'");
  // Blanks, quotes, a leading dash and a letter beyond ASCII reach the
  // converter as they are.
  const fs::path dwg = dir / "-my \"plan\" 'a' é.dwg";
  writeText(dwg, "AC1032 a drawing");
  const Result r = runScript(dir,
                             "OPEN\n" + dwg.string() + "\nSAVEAS\n" + (dir / "other.DWG").string() +
                                 "\nSAVE\n\nQUIT\n",
                             "", "--new", prefix + " ");
  EXPECT_EQ(r.status, 6) << "the refused save is a failed save: " << r.out;
  expectAllIn(r.out, {"Not converted: 15 MULTILEADER, 2 proxy objects.",
                      "Cannot save as", "drawings are saved as DXF only",
                      "This drawing was opened from DWG; it is saved as DXF"});
  const std::vector<std::string> args = recordedArgs(dir);
  ASSERT_EQ(args.size(), 4u) << r.out;
  EXPECT_EQ(args[0], "--liftoff-only");
  EXPECT_EQ(args[1], (dir / "converter/dwg2dxf.mjs").string());
  EXPECT_EQ(args[2], dwg.string());
  EXPECT_FALSE(fs::exists(fs::path(args[3]).parent_path())) << "the private folder is removed";
  EXPECT_EQ(readAll(dwg), "AC1032 a drawing");
  EXPECT_FALSE(fs::exists(dir / "other.DWG"));
  const fs::path saved = dir / "-my \"plan\" 'a' é.dxf";
  ASSERT_TRUE(fs::exists(saved)) << r.out;
  EXPECT_EQ(dimensionsIn(saved.string()), 2u);

  // --each saves the DXF beside the DWG, and leaves the DWG as it is.
  fs::remove(saved);
  writeText(dir / "each.scr", "SETVAR DIMASZ 2\n");
  const Result each = runHost("--each --script " + (dir / "each.scr").string() + " " + (dir / "plain.dwg").string(),
                              prefix + " ");
  writeText(dir / "plain.dwg", "AC1032 another");
  const Result each2 = runHost("--each --script " + (dir / "each.scr").string() + " " + (dir / "plain.dwg").string(),
                               prefix + " ");
  EXPECT_EQ(each.status, 5) << "no such drawing: " << each.out;
  ASSERT_EQ(each2.status, 0) << each2.out;
  EXPECT_TRUE(contains(each2.out, "plain.dwg -> " + (dir / "plain.dxf").string() + ": saved")) << each2.out;
  EXPECT_DOUBLE_EQ(readDxfDrawing((dir / "plain.dxf").string())->dimasz(), 2.0);
  EXPECT_EQ(readAll(dir / "plain.dwg"), "AC1032 another");
}

TEST(DwgSessions, AConversionThatFailsOpensNothingAndSaysWhy) {
  const auto dir = tempFolder("dwg-fail");
  const fs::path dwg = dir / "plan.dwg";
  writeText(dwg, "AC1018 a drawing");
  const struct {
    const char* body;
    const char* limits;
    const char* said;
  } cases[] = {
      {"kill -SEGV $$", "", "the DWG converter crashed (Segmentation fault)"},
      {"echo 'LibreDWG crashed while reading x: table index is out of bounds' >&2; exit 4", "",
       "the DWG converter crashed (LibreDWG crashed while reading x: table index is out of bounds)"},
      {"echo 'LibreDWG could not convert x (error 0x800)' >&2; exit 2", "",
       "the DWG converter cannot convert it: LibreDWG could not convert x (error 0x800)"},
      {"sleep 20", "QRVHOST_DWG_SECONDS=0.5 ", "the DWG converter took longer than 0.5 s and was stopped"},
      {"exec /usr/bin/python3 -c \"import time; b = b'x' * (200 << 20); time.sleep(20)\"", "QRVHOST_DWG_MEGABYTES=64 ",
       "the DWG converter needed more than 64 MB of memory and was stopped"},
      {"echo 'no drawing here' > \"$4\"", "", "the DWG converter wrote no DXF"},
      {"exit 0", "", "the DWG converter wrote no DXF"},
  };
  for (const auto& c : cases) {
    fs::remove(dir / "args");
    const std::string prefix = standInConverter(dir, c.body);
    const Result r = runScript(dir, "OPEN\n" + dwg.string() + "\n", "", "--new", prefix + " " + c.limits);
    EXPECT_TRUE(contains(r.out, "Cannot open") && contains(r.out, c.said)) << c.body << "\n" << r.out;
    EXPECT_FALSE(contains(r.out, "Opened")) << c.body << "\n" << r.out;
    const std::vector<std::string> args = recordedArgs(dir);
    ASSERT_EQ(args.size(), 4u) << c.body;
    EXPECT_FALSE(fs::exists(fs::path(args[3]).parent_path())) << c.body;
  }
  EXPECT_EQ(readAll(dwg), "AC1018 a drawing");

  // Without the converter: how to install it.
  const Result r = runScript(dir, "OPEN\n" + dwg.string() + "\n", "", "--new",
                             "QRVHOST_DWG_CONVERTER=" + (dir / "nothing").string() + " ");
  EXPECT_TRUE(contains(r.out, "optional DWG converter, which is not installed; install it with "
                              "scripts/setup-dwg-converter.sh")) << r.out;
}

// The real converter on the shared DWG drawings, where both are there.
TEST(DwgSessions, SharedDrawingsOpenWithTheDimensionsOfTheirTwins) {
  const fs::path source(DDS_SOURCE_DIR);
  if (!fs::exists(source / "tools/dwg2dxf/node_modules/@mlightcad/libredwg-web/wasm/libredwg-web.wasm") ||
      std::system("command -v node >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "skipped: the DWG converter is not installed (scripts/setup-dwg-converter.sh)";
  const fs::path shared = source / "../shared/corpus/dwg";
  if (!fs::exists(shared / "example_2018.dwg"))
    GTEST_SKIP() << "skipped: the shared DWG drawings (../shared/corpus/dwg) are not there";
  const auto dir = tempFolder("dwg-shared");
  for (const char* name : {"example_2000", "example_2018", "2000_TS1"}) {
    const fs::path copy = dir / (std::string(name) + ".dxf");
    const Result r = runScript(dir, "SAVEAS\n" + copy.string() + "\n", (shared / name).string() + ".dwg");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(contains(r.out, "Converted from DWG in")) << r.out;
    auto converted = readDxfDrawing(copy.string());
    auto twin = readDxfDrawing((shared / name).string() + ".dxf");
    EXPECT_EQ(entitiesOf<OdDbDimension>(*converted).size(), entitiesOf<OdDbDimension>(*twin).size()) << name;
    EXPECT_GT(entitiesOf<OdDbDimension>(*converted).size(), 0u) << name;
    // Every layer shown as in the twin: the converter writes them all off.
    OdDbLayerTablePtr layers = twin->getLayerTableId().safeOpenObject();
    OdDbLayerTablePtr mine = converted->getLayerTableId().safeOpenObject();
    for (auto it = layers->newIterator(); !it->done(); it->step()) {
      OdDbLayerTableRecordPtr layer = it->getRecord();
      OdDbLayerTableRecordPtr same = mine->getAt(layer->getName()).safeOpenObject();
      EXPECT_EQ(same->isOff(), layer->isOff()) << name << " " << layer->getName();
    }
  }
  // A drawing whose conversion crashes inside the converter opens nothing.
  const Result r = runScript(dir, "", (shared / "example_2004.dwg").string());
  EXPECT_TRUE(contains(r.out, "the DWG converter crashed")) << r.out;
}
