// Whole qrvhost sessions on the bundled sample drawing.
#include <gtest/gtest.h>

#include "../shared/layout_drawing.h"
#include "session_support.h"

using namespace sessions;

namespace {
const std::filesystem::path kSample = std::filesystem::path(DDS_SOURCE_DIR) / "examples" / "sample.dxf";
}  // namespace

// Without a drawing named, the sample opens, and opens clean: its current
// values are those of its current style, so only the one dimension with
// overrides of its own carries any. A copy saved before any change is the
// file byte for byte; a changed drawing saved under another name leaves the
// file it came from alone.
TEST(HostSessions, TheSampleOpensByDefaultCleanAndIsSavedByteForByteUntilChanged) {
  const auto dir = tempFolder("default");
  const std::string sample = readAll(kSample);
  const Result r = runScript(dir, "-dimstyle\n?\n\n\x1b\nSAVEAS\n" + (dir / "copy.dxf").string() +
                                      "\nDIMASZ\n0.375\nSAVEAS\n" + (dir / "changed.dxf").string() + "\nQUIT\n",
                             "");
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"Named dimension styles:", "Current dimension style: \"Plate-ISO\""});
  EXPECT_FALSE(contains(r.out, "Current dimension overrides:")) << r.out;
  EXPECT_EQ(readAll(dir / "copy.dxf"), sample);
  EXPECT_DOUBLE_EQ(readDxfDrawing((dir / "changed.dxf").string())->dimasz(), 0.375);
  EXPECT_EQ(readAll(kSample), sample);
  auto opened = readDxfDrawing(kSample.string());
  const auto dims = entitiesOf<OdDbDimension>(*opened);
  EXPECT_EQ(std::count_if(dims.begin(), dims.end(), [](const auto& d) { return !d->dimOverrides().empty(); }), 1);
}

// UNDO takes back a saved style, a palette change and a drafted dimension;
// REDO makes them again in order, and a new change after an undo leaves
// nothing to redo. The drawing's dimensions come without blocks: the save
// between builds them, which is no change of the user's and costs no redo.
TEST(HostSessions, RedoMakesUndoneStepsAgainUntilANewChange) {
  const auto dir = tempFolder("redo");
  const auto handles = makeDrawing(dir / "in.dxf");
  const auto undone = dir / "undone.dxf", redone = dir / "redone.dxf";
  const Result r = runScript(dir, "-DIMSTYLE S Big\n"
                                  "PROPERTIES\n" + handles[0] + "\n\nset Lines & Arrows.Arrow size = 0.75\nclose\n"
                                  "DIMLINEAR 0,10 10,10 5,13\n"
                                  "UNDO 3\nSAVEAS\n" + undone.string() + "\n"
                                  "REDO\nREDO\nREDO\nREDO\nSAVEAS\n" + redone.string() + "\n"
                                  "U\nDIMASZ 0.3\nREDO\nQUIT\nY\n", (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"Redone: -dimstyle\nCommand: REDO\nRedone: OPM_CHGPROP\nCommand: REDO\nRedone: DIMLINEAR\n"
                      "Command: REDO\nNothing to redo.\n",
                      "Command: DIMASZ 0.3\nEnter new value for DIMASZ <0.18>: 0.3\nCommand: REDO\nNothing to redo.\n"});

  auto dimensionCount = [](OdDbDatabase& db) { return entitiesOf<OdDbDimension>(db).size(); };
  auto arrowOfFirst = [&](OdDbDatabase& db) { return openEntity(db, handles[0])->dimasz(); };
  auto hasStyle = [](OdDbDatabase& db) {
    OdDbDimStyleTablePtr t = db.getDimStyleTableId().safeOpenObject();
    return !t->getAt("Big").isNull();
  };
  auto before = readDxfDrawing(undone.string());
  EXPECT_FALSE(hasStyle(*before));
  EXPECT_DOUBLE_EQ(arrowOfFirst(*before), 0.18);
  EXPECT_EQ(dimensionCount(*before), 2u);
  auto after = readDxfDrawing(redone.string());
  EXPECT_TRUE(hasStyle(*after));
  EXPECT_DOUBLE_EQ(arrowOfFirst(*after), 0.75);
  EXPECT_EQ(dimensionCount(*after), 3u);
  // The blocks the save between built are the dimensions' again after the
  // redo, none left behind beside a new one.
  int dimensionBlocks = 0;
  OdDbBlockTablePtr blocks = after->getBlockTableId().safeOpenObject();
  for (auto b = blocks->newIterator(); !b->done(); b->step())
    dimensionBlocks += b->getRecord()->getName().rfind("*D", 0) == 0;
  EXPECT_EQ(dimensionBlocks, 3);

  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  const std::string py = ezdxfReport(
      dir, "print('dimensions', len(doc.modelspace().query('DIMENSION')), 'Big' in doc.dimstyles)\n", redone);
  EXPECT_TRUE(contains(py, "errors 0\ndimensions 3 True")) << py;
}

// An R12 drawing saves as R12 unless SAVEAS is told a version, which then
// holds for later saves; a batch saves every drawing in the version it is
// given, and names what that version cannot hold.
TEST(HostSessions, SavesChooseTheirDxfVersion) {
  const auto dir = tempFolder("versions");
  {
    OdDbDatabase db;
    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    OdDbLinePtr line = OdDbLine::createObject();
    line->setEndPoint({10, 0, 0});
    line->setColor(OdCmColor::fromRGB(10, 120, 230));
    ms->appendOdDbEntity(line);
    ms.release();
    writeDxfDrawing(db, (dir / "old.dxf").string(), DxfVersion::R12);
    writeDxfDrawing(db, (dir / "new.dxf").string());
  }
  const auto copy = dir / "copy.dxf", later = dir / "later.dxf";
  Result r = runScript(dir, "SAVEAS\n" + copy.string() + "\nSAVEAS\nr2004\n" + later.string() + "\nDIMASZ 0.3\nSAVE\nQUIT\n",
                       (dir / "old.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"Saving as DXF R12;", "Saving as DXF R2004;"});
  EXPECT_TRUE(contains(readAll(copy), "$ACADVER\n  1\nAC1009\n"));
  EXPECT_TRUE(contains(readAll(later), "$ACADVER\n  1\nAC1018\n"));  // the SAVE after it too
  EXPECT_DOUBLE_EQ(readDxfDrawing(later.string())->dimasz(), 0.3);

  writeText(dir / "batch.scr", "DIMASZ\n0.5\n");
  r = runHost("--each --dxf-version R12 --script " + (dir / "batch.scr").string() + " " + (dir / "old.dxf").string() +
              " " + (dir / "new.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"Not kept in R12: ", "1 true colour"});
  EXPECT_FALSE(contains(r.out, "Note:")) << r.out;  // the R12 file reads without repairs
  for (const char* name : {"old.dxf", "new.dxf"}) {
    EXPECT_EQ(dxfDrawingVersion(*readDxfDrawing((dir / name).string())), DxfVersion::R12) << name;
    if (ezdxfAvailable()) {
      EXPECT_EQ(ezdxfReport(dir, "print(doc.dxfversion, len(doc.modelspace()))\n", dir / name), "errors 0\nAC1009 1\n")
          << name;
    }
  }
  r = runHost("--dxf-version R13 --each --script " + (dir / "batch.scr").string() + " " + (dir / "old.dxf").string());
  EXPECT_NE(r.status, 0);
  EXPECT_TRUE(contains(r.out, "--dxf-version takes one of")) << r.out;
}

// qrvhost --each: a command with its answers on one line runs as in a plain
// script, whatever its line ends; a script whose command refused an answer
// or was cancelled, could not save a copy, could not export, had a palette
// line refused or switched drawings fails its drawing, which is then neither
// saved nor backed up.
TEST(HostSessions, EachSavesOneLineCommandsAndFailsDrawingsWhoseScriptWasRefused) {
  const auto dir = tempFolder("each-refused");
  const auto x = dir / "x.dxf";
  std::filesystem::copy_file(kSample, x);
  writeText(dir / "x.bak", "the earlier backup");
  // A script from Windows or an old Mac, with a byte order mark, runs through.
  writeText(dir / "line.scr", "\xEF\xBB\xBF" "SETVAR DIMASZ 2\r\nDIMTXT\r0.25\r");
  Result r = runHost("--each --script " + (dir / "line.scr").string() + " " + x.string());
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_FALSE(contains(r.out, "Blanks")) << r.out;
  EXPECT_DOUBLE_EQ(readDxfDrawing(x.string())->dimasz(), 2.0);
  EXPECT_DOUBLE_EQ(readDxfDrawing(x.string())->dimtxt(), 0.25);

  const std::string saved = readAll(x);
  const std::string backup = readAll(dir / "x.bak");
  std::filesystem::create_directories(dir / "folder");
  const std::pair<const char*, std::string> scripts[] = {
      {"the command DIMASZ failed: an answer to", "DIMASZ\nabc\n0.5\n"},
      {"the command SAVEAS failed", "DIMASZ\n0.5\nSAVEAS\n" + (dir / "folder").string() + "\n"},
      {"the command EXPORT failed", "DIMASZ\n0.5\nEXPORT\n" + (dir / "picture.txt").string() + "\n"},
      {"the command PROPERTIES failed: no row", "DIMASZ\n0.5\nSELECT\nALL\n\nPROPERTIES\nset Nothing.Here = 1\n\n"},
      // The README's example on a drawing without the style "Company": the
      // later lines are taken as style names until the script ends.
      {"the command -dimstyle was cancelled at", "-dimstyle\nR\nCompany\n-dimstyle\nA\nALL\n\n"},
      {"OPEN cannot be used in a batch script", "OPEN\n" + kSample.string() + "\nDIMASZ\n0.5\n"},
  };
  for (const auto& [why, script] : scripts) {
    writeText(dir / "s.scr", script);
    r = runHost("--each --script " + (dir / "s.scr").string() + " " + x.string());
    EXPECT_EQ(r.status, 5) << r.out;
    expectAllIn(r.out, {why, "Batch: 1 drawing(s), 0 saved, 1 failed."});
    EXPECT_EQ(readAll(x), saved) << script;
    EXPECT_EQ(readAll(dir / "x.bak"), backup) << script;
  }
}

// Two sessions on one file: the one that saves last is refused instead of
// silently replacing the other's work (a person is asked instead). Its own
// saves count as the file's new state.
TEST(HostSessions, ASaveDoesNotReplaceWhatAnotherProgramWroteSince) {
  const auto dir = tempFolder("lost-update");
  const auto a = dir / "a.dxf", out = dir / "out.txt";
  std::filesystem::copy_file(kSample, a);
  writeText(dir / "other.scr", "DIMTXT\n0.4\nSAVE\n");
  const std::string host = std::string(DDS_BINARY_DIR) + "/bin/qrvhost --log /dev/null --lang en";
  // The other session saves once this one has the drawing open (its first
  // prompt is out), before this one's lines arrive.
  const Result r = runCommand(
      "{ until grep -q Command: " + out.string() + " 2>/dev/null; do sleep 0.05; done; timeout 60 " + host +
      " --script " + (dir / "other.scr").string() + " " + a.string() + " >/dev/null; printf 'DIMASZ\\n0.5\\nSAVE\\n"
      "SAVEAS\\n\\nSAVEAS\\n" + (dir / "b.dxf").string() + "\\nDIMASZ\\n0.6\\nSAVE\\n'; } | timeout 60 " + host +
      " --script - " + a.string() + " >" + out.string() + " 2>&1; echo status $?");
  const std::string transcript = readAll(out);
  EXPECT_TRUE(contains(r.out, "status 6")) << r.out << transcript;
  const std::string refused = "Cannot save \"" + a.string() + "\": it changed on disk since this drawing was opened";
  const std::size_t first = transcript.find(refused);
  ASSERT_NE(first, std::string::npos) << transcript;
  EXPECT_NE(transcript.find(refused, first + 1), std::string::npos) << "SAVEAS onto the file too\n" << transcript;
  EXPECT_TRUE(contains(transcript, "Command: SAVE\nSaved \"" + (dir / "b.dxf").string())) << transcript;
  auto kept = readDxfDrawing(a.string());
  EXPECT_DOUBLE_EQ(kept->dimtxt(), 0.4);  // the other session's work
  EXPECT_NE(kept->dimasz(), 0.5);
  EXPECT_DOUBLE_EQ(readDxfDrawing((dir / "b.dxf").string())->dimasz(), 0.6);
}

// Entities of kinds the pictures do not draw are said, never left out
// silently: at opening for model space, with EXPORT for what the picture
// met, each entity once however often its block is inserted.
TEST(HostSessions, WhatThePicturesCannotDrawIsSaid) {
  const auto dir = tempFolder("not-drawn");
  std::string drawing;
  for (const char* line : {"  0", "SECTION", "  2", "BLOCKS", "  0", "BLOCK", "  8", "0", "  2", "B", " 70",
                                   "0", " 10", "0", " 20", "0", " 30", "0", "  3", "B", "  0", "HATCH", "  8", "0",
                                   "  0", "ENDBLK", "  8", "0", "  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES",
                                   "  0", "LINE", "  8", "0", " 10", "0", " 20", "0", " 30", "0", " 11", "10", " 21",
                                   "10", " 31", "0", "  0", "3DSOLID", "  8", "0", "  0", "INSERT", "  8", "0", "  2",
                                   "B", " 10", "0", " 20", "0", " 30", "0", "  0", "INSERT", "  8", "0", "  2", "B",
                                   " 10", "5", " 20", "0", " 30", "0", "  0", "ENDSEC", "  0", "EOF"})
    drawing += std::string(line) + "\n";
  writeText(dir / "in.dxf", drawing);
  const Result r = runScript(dir, "EXPORT\n" + (dir / "out.svg").string() + "\n", (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"Not drawn: ACIS solids (1)\n", "Not drawn: ACIS solids (1), hatches (1)\n"});
}

// The current tab (CTAB) is model space or a layout by name; EXPORT draws
// it, or the layout its keyword names, and refuses names the drawing has not.
TEST(HostSessions, PicturesDrawTheCurrentTabOrTheLayoutNamed) {
  const auto dir = tempFolder("layouts");
  writeText(dir / "in.dxf", layoutDrawing());
  const Result r = runScript(dir,
                             "CTAB\nSheet9\nlayout1\nEXPORT\n" + (dir / "layout.svg").string() +
                                 "\nEXPORT\nL\nNone\nModel\n" + (dir / "model.svg").string() + "\nQUIT\n",
                             (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"The drawing has no layout \"Sheet9\"; it has: Model, Layout1.\n",
                      "Layout to draw <Layout1>: None\nThe drawing has no layout \"None\"; it has: Model, Layout1\n"
                      "Layout to draw <Layout1>: Model\n"});
  // The layout shows model space through its viewport at half size, cut to
  // the viewport: a picture of another shape than model space's.
  const std::string layout = readAll(dir / "layout.svg"), model = readAll(dir / "model.svg");
  EXPECT_NE(layout, model);
  EXPECT_TRUE(contains(layout, "#ff0000"));
  EXPECT_FALSE(contains(layout, "#00ff00"));  // frozen in the viewport
  EXPECT_TRUE(contains(model, "#00ff00"));
}

// An image shows its picture when the file its definition names is found
// beside the drawing (a Windows-style relative name); without the file the
// picture keeps its frame, and opening and EXPORT say so.
TEST(HostSessions, ImagesShowTheirPictureFilesOrSayTheyAreMissing) {
  const auto dir = tempFolder("images");
  std::string drawing;
  for (const char* line : {"0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1015", "0", "ENDSEC", "0",
                           "SECTION", "2", "ENTITIES", "0", "IMAGE", "5", "30", "100", "AcDbEntity", "8", "0", "100",
                           "AcDbRasterImage", "90", "0", "10", "0", "20", "0", "30", "0", "11", "10", "21", "0", "31",
                           "0", "12", "0", "22", "10", "32", "0", "13", "1", "23", "1", "340", "40", "70", "1", "280",
                           "0", "0", "ENDSEC", "0", "SECTION", "2", "OBJECTS", "0", "IMAGEDEF", "5", "40", "100",
                           "AcDbRasterImageDef", "90", "0", "1", ".\\pics\\red.png", "10", "1", "20", "1", "0",
                           "ENDSEC", "0", "EOF"})
    drawing += std::string(line) + "\n";
  writeText(dir / "in.dxf", drawing);
  const std::string script = "EXPORT\n" + (dir / "out.svg").string() + "\nQUIT\n";
  const std::string missing = "Not drawn: pictures of images (file not found or not readable; the frame is drawn) (1)";
  Result r = runScript(dir, script, (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(contains(r.out, "in.dxf: " + missing + "\n")) << r.out;
  EXPECT_TRUE(contains(r.out, "\n" + missing + "\n")) << r.out;
  EXPECT_FALSE(contains(readAll(dir / "out.svg"), "<image"));

  // One red pixel.
  std::filesystem::create_directories(dir / "pics");
  writeText(dir / "pics" / "red.png",
            std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0\x90\x77\x53\xde\0\0\0\x0cIDAT"
                        "\x78\x9c\x63\xf8\xcf\xc0\0\0\x03\x01\x01\0\xc9\xfe\x92\xef\0\0\0\0IEND\xae\x42\x60\x82",
                        69));
  r = runScript(dir, script, (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_FALSE(contains(r.out, "pictures of images")) << r.out;
  EXPECT_TRUE(contains(readAll(dir / "out.svg"), "<image width=\"1\" height=\"1\""));
}
