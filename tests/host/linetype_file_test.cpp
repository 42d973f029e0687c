// Linetype files: what the reader takes and refuses, the program's own file,
// and loading definitions into a drawing as one undoable step.
#include <gtest/gtest.h>

#include <cmath>

#include "OdDbDatabase.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbSymbolTable.h"
#include "linetype_file.h"

namespace {

std::vector<LinetypeDefinition> parsed(const std::string& text, OdString* message = nullptr) {
  std::vector<LinetypeDefinition> defs;
  OdString why;
  const bool ok = hostParseLinetypeText(text, defs, why);
  if (message) *message = why;
  return ok ? defs : std::vector<LinetypeDefinition>{};
}

double patternLength(const LinetypeDefinition& d) {
  double sum = 0;
  for (double v : d.dashes) sum += std::fabs(v);
  return sum;
}

}  // namespace

TEST(LinetypeFile, ReadsDefinitionsAndNamesTheLineOfAFault) {
  const auto defs = parsed(";; comment\r\n*DASH2,Two dashes\n A, 1.5 ,-0.5,0,-0.5\n*FANCY,text\nA,1,-1,[\"T\",STANDARD,S=.1],-1\n");
  ASSERT_EQ(defs.size(), 2u);
  EXPECT_EQ(defs[0].name, "DASH2");
  EXPECT_EQ(defs[0].description, "Two dashes");
  EXPECT_EQ(defs[0].dashes, (std::vector<double>{1.5, -0.5, 0, -0.5}));
  EXPECT_FALSE(defs[0].complex);
  EXPECT_TRUE(defs[1].complex);
  EXPECT_EQ(defs[1].dashes, (std::vector<double>{1, -1, -1}));

  OdString message;
  EXPECT_TRUE(parsed("*A,x\nA,1,-abc\n", &message).empty());
  EXPECT_EQ(message, "line 2: \"-abc\" is not a length");
  EXPECT_TRUE(parsed("*A,x\n*B,y\nA,1\n", &message).empty());
  EXPECT_EQ(message, "line 2: the definition \"A\" has no pattern line");
  EXPECT_TRUE(parsed("A,1,-1\n", &message).empty());
  EXPECT_EQ(message.rfind("line 1: ", 0), 0u) << message;
  EXPECT_TRUE(parsed("*A,x\n", &message).empty());
}

TEST(LinetypeFile, TheProgramsFileHoldsEachFamilyInThreeSizes) {
  std::vector<LinetypeDefinition> defs;
  OdString message;
  ASSERT_TRUE(hostReadLinetypeFile(std::string(DDS_SOURCE_DIR) + "/data/linetypes.lin", defs, message)) << message;
  auto find = [&](const std::string& name) -> const LinetypeDefinition* {
    for (const auto& d : defs)
      if (d.name == name) return &d;
    return nullptr;
  };
  for (const char* family : {"DASHED", "DOT", "CENTER", "PHANTOM", "HIDDEN", "BORDER"}) {
    SCOPED_TRACE(family);
    const LinetypeDefinition* normal = find(family);
    const LinetypeDefinition* half = find(std::string(family) + "2");
    const LinetypeDefinition* twice = find(std::string(family) + "X2");
    ASSERT_TRUE(normal && half && twice);
    EXPECT_DOUBLE_EQ(patternLength(*twice), 2 * patternLength(*normal));
    EXPECT_LT(patternLength(*half), patternLength(*normal));
    EXPECT_EQ(half->dashes.size(), normal->dashes.size());
  }
}

TEST(LinetypeFile, LoadsTheNamedDefinitionsAsOneStepAndKeepsWhatTheDrawingHas) {
  OdDbDatabase db(OdDb::kMetric);
  const auto defs = parsed("*HIDDEN,h\nA,6,-3\n*DOT,d\nA,0,-6\n*FANCY,f\nA,1,[\"T\",STANDARD],-1\n");
  std::vector<OdString> loaded;
  OdString message;
  EXPECT_FALSE(hostLoadLinetypes(&db, defs, "hidden, NOPE", "my.lin", loaded, message));
  EXPECT_EQ(message, "Linetype \"NOPE\" is not in my.lin.");
  EXPECT_FALSE(hostLoadLinetypes(&db, defs, "FANCY", "my.lin", loaded, message));
  OdDbSymbolTablePtr table = db.getLinetypeTableId().safeOpenObject();
  EXPECT_FALSE(table->has("HIDDEN")) << "a refused load adds nothing";

  ASSERT_TRUE(hostLoadLinetypes(&db, defs, "hidden,dot", "my.lin", loaded, message)) << message;
  EXPECT_EQ(loaded, (std::vector<OdString>{"HIDDEN", "DOT"}));
  EXPECT_EQ(message, "Loaded 2 linetype(s) from my.lin.");
  OdDbLinetypeTableRecordPtr hidden = table->getAt("HIDDEN").safeOpenObject();
  EXPECT_EQ(hidden->dashes(), (std::vector<double>{6, -3}));
  EXPECT_EQ(hidden->comments(), "h");
  hidden.release();

  // Loaded again: the drawing's own is kept, and said so.
  ASSERT_TRUE(hostLoadLinetypes(&db, defs, "Hidden", "my.lin", loaded, message));
  EXPECT_EQ(message, "Loaded 0 linetype(s) from my.lin. Linetype \"HIDDEN\" is already loaded; it is kept as it is.");

  table.release();
  db.undo();  // the second load changed nothing: the first is the one step
  EXPECT_FALSE(db.hasUndo());
  table = db.getLinetypeTableId().safeOpenObject();
  EXPECT_FALSE(table->has("HIDDEN"));
  EXPECT_FALSE(table->has("DOT"));
}
