// Whole qrvhost sessions on the bundled sample drawing.
#include <gtest/gtest.h>

#include "session_support.h"

using namespace sessions;

namespace {
const std::filesystem::path kSample = std::filesystem::path(DDS_SOURCE_DIR) / "examples" / "sample.dxf";
}  // namespace

TEST(HostSessions, SetAVariableSaveUnderANewNameAndQuit) {
  const auto dir = tempFolder("setvar");
  writeText(dir / "s.scr", "DIMASZ\n0.375\nSAVEAS\n" + (dir / "changed.dxf").string() + "\nQUIT\n");
  const Result r = runHost("--script " + (dir / "s.scr").string() + " " + kSample.string());
  ASSERT_EQ(r.status, 0) << r.out;
  auto db = readDxfDrawing((dir / "changed.dxf").string());
  EXPECT_DOUBLE_EQ(db->dimasz(), 0.375);
  // The sample itself is untouched.
  auto sample = readDxfDrawing(kSample.string());
  EXPECT_NE(sample->dimasz(), 0.375);
}

TEST(HostSessions, AnUnchangedDrawingIsSavedByteForByte) {
  const auto dir = tempFolder("verbatim");
  writeText(dir / "s.scr", "SAVEAS\n" + (dir / "copy.dxf").string() + "\nQUIT\n");
  const Result r = runHost("--script " + (dir / "s.scr").string() + " " + kSample.string());
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(readAll(dir / "copy.dxf"), readAll(kSample));
}

// The sample opens clean: its current values are those of its current
// style, so only the one dimension with overrides of its own carries any.
TEST(HostSessions, TheSampleOpensByDefaultWithItsStylesAndNoOverrides) {
  const auto dir = tempFolder("default");
  writeText(dir / "s.scr", "-dimstyle\n?\n\n\x1b\n");
  const Result r = runHost("--script " + (dir / "s.scr").string());
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(contains(r.out, "Named dimension styles:")) << r.out;
  EXPECT_TRUE(contains(r.out, "Current dimension style: \"Plate-ISO\"")) << r.out;
  EXPECT_FALSE(contains(r.out, "Current dimension overrides:")) << r.out;
  auto sample = readDxfDrawing(kSample.string());
  OdDbBlockTableRecordPtr ms = sample->getModelSpaceId().safeOpenObject();
  int withOverrides = 0;
  for (auto e = ms->newIterator(); !e->done(); e->step())
    if (auto dim = OdDbDimension::cast(e->entity().get())) withOverrides += !dim->dimOverrides().empty();
  EXPECT_EQ(withOverrides, 1);
}
