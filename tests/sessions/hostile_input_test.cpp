// qrvhost given what a hostile user or a misbehaving machine gives it: each
// case builds its own bad input and checks the message, the exit status and
// that nothing on disk changed.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <regex>

#include "session_support.h"

using namespace sessions;
namespace fs = std::filesystem;

namespace {

Result runBounded(const std::string& args, const std::string& shellPrefix = "") {
  return runHost("--lang en " + args, shellPrefix);
}

Result runEnglish(const fs::path& dir, const std::string& script, const std::string& args) {
  return runScript(dir, script, args, "--lang en");
}

// The files of a folder, to see that a failure left nothing behind.
std::vector<std::string> filesIn(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A saved drawing with one header variable's value replaced in the text.
void setHeaderValue(const fs::path& drawing, const std::string& variable, const std::string& value) {
  std::string text = readAll(drawing);
  const std::size_t name = text.find("$" + variable + "\n");
  ASSERT_NE(name, std::string::npos) << variable;
  const std::size_t valueStart = text.find('\n', text.find('\n', name) + 1) + 1;
  text.replace(valueStart, text.find('\n', valueStart) - valueStart, value);
  writeText(drawing, text);
}

constexpr const char* kTimedOut = "exit 124 is timeout's: the host hung";

}  // namespace

TEST(HostileInput, AScriptThatCannotBeReadEndsWithStatus3) {
  const auto dir = tempFolder("badscript");
  makeDrawing(dir / "a.dxf");
  const std::string before = readAll(dir / "a.dxf");
  // Scripts saved as UTF-16, with and without a byte order mark.
  const std::string utf16 = (dir / "utf16.scr").string(), bare = (dir / "bare16.scr").string();
  writeText(utf16, std::string("\xFF\xFES\0E\0T\0V\0A\0R\0\n\0", 16));
  writeText(bare, std::string("S\0E\0T\0V\0A\0R\0\n\0", 14));
  for (const std::string& script : {dir.string(), std::string("/proc/self/mem"), utf16, bare}) {
    for (const std::string each : {"--each ", ""}) {
      const Result r = runBounded(each + "--script " + script + " " + (dir / "a.dxf").string());
      EXPECT_EQ(r.status, 3) << each << script << "\n" << r.out;
      EXPECT_TRUE(contains(r.out, "cannot read the script " + script)) << r.out;
      EXPECT_FALSE(contains(r.out, "terminate called")) << r.out;
    }
  }
  EXPECT_TRUE(contains(runBounded("--script " + utf16 + " " + (dir / "a.dxf").string()).out, "UTF-16"));
  // The same fed through a pipe: told at its first line, before it runs.
  for (const std::string& script : {utf16, bare}) {
    for (const std::string each : {"--each ", ""}) {
      const Result r = runBounded(each + "--script - " + (dir / "a.dxf").string() + " <" + script);
      EXPECT_EQ(r.status, 3) << each << script << "\n" << r.out;
      EXPECT_TRUE(contains(r.out, "cannot read the script -: it is UTF-16 text")) << r.out;
      EXPECT_FALSE(contains(r.out, "Unknown command")) << r.out;
    }
  }
  EXPECT_EQ(readAll(dir / "a.dxf"), before);

}

TEST(HostileInput, ANamedPipeIsRefusedEverywhereADrawingIsExpected) {
  const auto dir = tempFolder("fifo");
  makeDrawing(dir / "a.dxf");
  const fs::path pipe = dir / "p.dxf";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

  Result r = runBounded(pipe.string());
  EXPECT_EQ(r.status, 2) << kTimedOut << "\n" << r.out;
  EXPECT_TRUE(contains(r.out, "it is not a regular file")) << r.out;

  r = runEnglish(dir, "OPEN\n" + pipe.string() + "\nEXPORT\n" + (dir / "q.svg").string() + "\n", "--new");
  EXPECT_EQ(r.status, 0) << kTimedOut << "\n" << r.out;
  expectAllIn(r.out, {"Cannot open \"" + pipe.string() + "\": File access error: it is not a regular file",
                      "Written \"" + (dir / "q.svg").string()});

  r = runEnglish(dir, "DIMASZ\n0.5\n", "--each " + pipe.string() + " " + (dir / "a.dxf").string());
  EXPECT_EQ(r.status, 5) << kTimedOut << "\n" << r.out;
  EXPECT_TRUE(contains(r.out, "Batch: 2 drawing(s), 1 saved, 1 failed.")) << r.out;
}

TEST(HostileInput, AFullDiskLeavesPicturesAndDrawingsAsTheyWere) {
  // The file size limit makes every write past 1 KiB fail, as a full disk
  // does; the signal it would send is ignored so the write reports it.
  const std::string fullDisk = "trap \"\" XFSZ; ulimit -f 1;";
  const auto dir = tempFolder("fulldisk");
  makeDrawing(dir / "a.dxf");
  const std::string drawing = readAll(dir / "a.dxf");
  const std::string oldPicture(10000, 'x');
  writeText(dir / "old.svg", oldPicture);
  writeText(dir / "s.scr", "EXPORT\n" + (dir / "old.svg").string() + "\nEXPORT\n" + (dir / "new.svg").string() +
                               "\nDIMASZ\n0.5\nSAVE\n");
  const auto filesBefore = filesIn(dir);

  const Result r = runBounded("--script " + (dir / "s.scr").string() + " " + (dir / "a.dxf").string(), fullDisk);
  expectAllIn(r.out, {"Cannot write \"" + (dir / "old.svg").string(), "Cannot write \"" + (dir / "new.svg").string(),
                      "Cannot save"});
  EXPECT_EQ(r.status, 6) << r.out;  // the failed save, with the reason on standard error too
  EXPECT_EQ(readAll(dir / "old.svg"), oldPicture);
  EXPECT_EQ(readAll(dir / "a.dxf"), drawing);
  EXPECT_EQ(filesIn(dir), filesBefore);  // no new picture, no temporary file
}

TEST(HostileInput, HugeSizesFailToRecomputeInsteadOfGivingNonNumbers) {
  const auto dir = tempFolder("huge");
  makeDrawing(dir / "a.dxf");
  const Result r = runEnglish(dir,
                             "DIMSCALE\n1e308\n-dimstyle\nA\nALL\n\nDIMREGEN\nEXPORT\n" + (dir / "a.svg").string() +
                                 "\nSAVEAS\n" + (dir / "b.dxf").string() + "\n",
                             (dir / "a.dxf").string());
  EXPECT_FALSE(contains(r.out, "2 dimension(s) recomputed")) << r.out;
  expectAllIn(r.out, {"2 dimension(s) could not be recomputed:", "its geometry would not be finite"});
  // The dimensions keep their blocks, so the drawing is still drawn and saved.
  expectAllIn(r.out, {"keeps its previous picture", "Written \"" + (dir / "a.svg").string(),
                      "Saved \"" + (dir / "b.dxf").string()});
  EXPECT_EQ(r.status, 0) << r.out;
}

TEST(HostileInput, PromptsRefuseBadValuesAndNamesAndSayWhy) {
  const auto dir = tempFolder("ranges");
  // (Each variable's range and its text are the database's own tests; here,
  // that the prompts use them and ask again.)
  std::string script = "DIMDEC\n99\n-5\n3\nDIMBLK\n*Model_Space\n\n";
  const char kPostWithNul[] = "DIMPOST\n\"mm\0X\"\n\n";
  script.append(kPostWithNul, sizeof kPostWithNul - 1);
  script += "-dimstyle\nS\nBad\xC2\x85Name\nGood\nSAVEAS\n" + (dir / "ok.dxf").string() + "\n";
  const Result r = runEnglish(dir, script, "--new");
  expectAllIn(r.out, {"Invalid value for DIMDEC: the allowed values are 0..8.",
                      "\"*Model_Space\" is a layout or anonymous block and cannot be an arrowhead",
                      "a text cannot hold a line break or a NUL character",
                      // A refused name is said where the user looks, and another asked for.
                      "Invalid name: the name contains a control character.\nEnter name for new dimension style"});
  auto db = readDxfDrawing((dir / "ok.dxf").string());
  EXPECT_EQ(db->dimdec(), 3);
  EXPECT_TRUE(db->dimblk().isNull());
}

TEST(HostileInput, ValuesReadFromAFileAreKeptDrawnAndSavedAsTheyAre) {
  const auto dir = tempFolder("badheader");
  makeDrawing(dir / "a.dxf");
  setHeaderValue(dir / "a.dxf", "DIMLWD", "9999");
  setHeaderValue(dir / "a.dxf", "DIMDEC", "99");
  setHeaderValue(dir / "a.dxf", "DIMTXT", "-5");
  const std::string before = readAll(dir / "a.dxf");
  // Opened and left alone, the drawing has no changes: nothing was replaced.
  const Result quit = runEnglish(dir, "QUIT\n", (dir / "a.dxf").string());
  EXPECT_FALSE(contains(quit.out, "unsaved changes")) << quit.out;
  EXPECT_FALSE(contains(quit.out, "out of range")) << quit.out;

  // Given to every dimension, they are drawn with fallbacks where needed
  // (a lineweight that is none of the standard ones is by block); the
  // picture and the file are written, the file with the values as read.
  const Result r = runEnglish(dir,
                             "-dimstyle\nA\nALL\n\nDIMREGEN\nEXPORT\n" + (dir / "a.svg").string() + "\nSAVEAS\n" +
                                 (dir / "b.dxf").string() + "\nQUIT\n",
                             (dir / "a.dxf").string());
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_FALSE(contains(r.out, "could not")) << r.out;
  expectAllIn(r.out, {"2 dimension(s) recomputed", "Written \"" + (dir / "a.svg").string(),
                      "Saved \"" + (dir / "b.dxf").string()});
  EXPECT_EQ(readAll(dir / "a.dxf"), before);
  auto saved = readDxfDrawing((dir / "b.dxf").string());
  EXPECT_EQ(saved->dimlwd(), 9999);
  EXPECT_EQ(saved->dimdec(), 99);
  EXPECT_EQ(saved->dimtxt(), -5.0);
}

TEST(HostileInput, SaveAsAndExportRefuseFoldersDevicesAndPipesAndAskForReadOnlyFiles) {
  const auto dir = tempFolder("saveas");
  makeDrawing(dir / "a.dxf");
  writeText(dir / "ro.dxf", "read only");
  ::chmod((dir / "ro.dxf").c_str(), 0444);
  fs::create_directories(dir / "sub");
  ASSERT_EQ(::mkfifo((dir / "p.svg").c_str(), 0600), 0);
  const Result r = runEnglish(dir,
                             "EXPORT\n" + (dir / "p.svg").string() + "\n"
                             "SAVEAS\n" + (dir / "sub").string() + "/\nSAVEAS\n/dev/null\nSAVEAS\n" +
                                 (dir / "ro.dxf").string() + "\nNo\nSAVEAS\n" + (dir / "ro.dxf").string() + "\n",
                             (dir / "a.dxf").string());
  expectAllIn(r.out, {"Cannot write \"" + (dir / "p.svg").string() + "\": it is not a regular file",
                      "is a folder; a file name is needed.", "\"/dev/null\" is not a regular file.",
                      "\"" + (dir / "ro.dxf").string() + "\" is read-only. Replace it? [Yes/No] <No>: No"});
  EXPECT_EQ(r.status, 6) << r.out;
  EXPECT_TRUE(fs::is_empty(dir / "sub"));
  EXPECT_FALSE(fs::exists("/dev/null.dxf"));
  EXPECT_EQ(readAll(dir / "ro.dxf"), "read only");
}

TEST(HostileInput, PicturesTooComplexToDrawAreNotWritten) {
  // Each of 24 levels inserts the next twice, 16 million lines at the
  // bottom: model space inserts the top, and the standard style's arrows
  // are that block too.
  const auto dir = tempFolder("fanout");
  {
    OdDbDatabase db;
    OdDbBlockTablePtr blocks = db.getBlockTableId().safeOpenObject(OdDb::kForWrite);
    std::vector<OdDbBlockTableRecordPtr> levels;
    for (int i = 0; i < 24; ++i) {
      levels.push_back(OdDbBlockTableRecord::createObject());
      levels.back()->setName(("L" + std::to_string(i)).c_str());
      blocks->add(levels.back());
    }
    auto insert = [](OdDbBlockTableRecord* into, OdDbObjectId what) {
      OdDbBlockReferencePtr r = OdDbBlockReference::createObject();
      r->setBlockTableRecord(what);
      into->appendOdDbEntity(r);
    };
    for (int i = 0; i + 1 < 24; ++i)
      for (int k = 0; k < 2; ++k) insert(levels[i].get(), levels[i + 1]->objectId());
    OdDbLinePtr line = OdDbLine::createObject();
    line->setEndPoint({1, 1, 0});
    levels.back()->appendOdDbEntity(line);
    insert(OdDbBlockTableRecordPtr(db.getModelSpaceId().safeOpenObject(OdDb::kForWrite)).get(), levels[0]->objectId());
    OdDbDimStyleTableRecordPtr standard = db.getDimStyleStandardId().safeOpenObject(OdDb::kForWrite);
    standard->setDimblk("L0");
    levels.clear();
    blocks.release();
    standard.release();
    writeDxfDrawing(db, (dir / "a.dxf").string());
  }
  const Result r = runEnglish(dir,
                              "EXPORT\n" + (dir / "e.svg").string() + "\nSNAPSHOT\n" + (dir / "s.png").string() +
                                  "\nDIMPREVIEW\nStandard\n0\n" + (dir / "p.png").string() + "\n",
                              (dir / "a.dxf").string());
  for (const char* name : {"e.svg", "s.png", "p.png"}) {
    EXPECT_TRUE(contains(r.out, "Cannot write \"" + (dir / name).string() + "\": the ")) << name << "\n" << r.out;
    EXPECT_FALSE(fs::exists(dir / name)) << name;
  }
  EXPECT_FALSE(contains(r.out, "Written")) << r.out;
}

TEST(HostileInput, ControlCharactersFromNamesAndValuesAreWrittenOut) {
  // A file name and a value that would clear the terminal, move the cursor
  // or fake a line of their own.
  const auto dir = tempFolder("controls");
  const fs::path drawing = dir / "a\rb\x1b[2Jc\nSaved.dxf";
  makeDrawing(drawing);
  setHeaderValue(drawing, "DIMPOST", "mm\x1b]0;owned\x07");
  const Result r = runEnglish(dir, "DIMPOST\n\nSAVE\nFOO\x08\n", "\"" + drawing.string() + "\"");
  EXPECT_EQ(r.out.find_first_of("\r\x1b\x07\x08"), std::string::npos) << r.out;
  expectAllIn(r.out, {"a\\rb\\x1B[2Jc\\nSaved.dxf\".\n", "<\"mm\\x1B]0;owned\\x07\">", "Unknown command \"FOO\\x08\""});
}
