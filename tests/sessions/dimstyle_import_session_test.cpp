// DIMSTYLEIMPORT in whole qrvhost sessions: the README's batch example on
// three drawings and a damaged one, the saved results read back with ezdxf,
// deep arrowheads and names the drawing cannot take. (Its Russian face,
// failures and undo run in the Russian drafting session.)
#include <gtest/gtest.h>

#include "OdDbTextStyleTableRecord.h"
#include "session_support.h"

using namespace sessions;

namespace {

const std::filesystem::path kExamples = std::filesystem::path(DDS_SOURCE_DIR) / "examples";

// The example script, with the standard drawing named by its full path.
std::string exampleScript() {
  std::string script = readAll(kExamples / "standard.scr");
  const std::string relative = "\nstandard.dxf\n";
  script.replace(script.find(relative), relative.size(), "\n" + (kExamples / "standard.dxf").string() + "\n");
  return script;
}

// Compares the named styles of each drawing with the standard drawing's in
// ezdxf: every DXF attribute the standard has, names of what the handles
// point at (equal but for letter case), what the references resolve to, and
// the audit.
constexpr const char* kCheckScript = R"PY(
import sys, ezdxf
standard = ezdxf.readfile(sys.argv[1])
NAMES = ("Company", "Company$0", "Company$7")
REFS = {"dimtxsty": "styles", "dimltype": "linetypes", "dimltex1": "linetypes", "dimltex2": "linetypes",
        "dimblk": "blocks", "dimblk1": "blocks", "dimblk2": "blocks", "dimldrblk": "blocks"}
def values(doc, name):
    attribs = dict(doc.dimstyles.get(name).dxfattribs())
    for key in ("handle", "owner", "name"):
        attribs.pop(key, None)
    return attribs
def same(key, a, b):
    if key in REFS and isinstance(a, str) and isinstance(b, str):
        return a.upper() == b.upper()
    return a == b
for path in sys.argv[2:]:
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    print(path, "audit errors", len(auditor.errors))
    for name in NAMES:
        want, got = values(standard, name), values(doc, name)
        for key in sorted(want):
            if not same(key, want[key], got.get(key)):
                print(path, name, "DIFF", key, want[key], got.get(key))
        for key, table in REFS.items():
            ref = got.get(key)
            if ref and getattr(doc, table).get(ref) is None:
                print(path, name, "UNRESOLVED", key, ref)
    tick = [(e.dxftype(), e.dxf.layer) for e in doc.blocks.get("Company-Tick")]
    if tick != [("SOLID", "Company-Arrows"), ("LINE", "Company-Arrows")]:
        print(path, "DIFF block", tick)
    print(path, "current", doc.header["$DIMSTYLE"].upper())
)PY";

}  // namespace

TEST(DimStyleImportSessions, TheBatchExampleBringsTheStandardIntoEveryDrawing) {
  const auto dir = tempFolder("import-batch");
  // Without the style; with an outdated "COMPANY" and its own text style
  // "Company-Text"; the bundled sample, made by another program.
  makeDrawing(dir / "a.dxf");
  {
    makeDrawing(dir / "b.dxf");
    auto db = readDxfDrawing((dir / "b.dxf").string());
    OdDbDimStyleTableRecordPtr old = OdDbDimStyleTableRecord::createObject();
    old->setName("COMPANY");
    old->setDimasz(9.0);
    OdDbDimStyleTablePtr(db->getDimStyleTableId().safeOpenObject(OdDb::kForWrite))->add(old);
    OdDbTextStyleTableRecordPtr text = OdDbTextStyleTableRecord::createObject();
    text->setName("company-text");
    OdDbTextStyleTablePtr(db->getTextStyleTableId().safeOpenObject(OdDb::kForWrite))->add(text);
    writeDxfDrawing(*db, (dir / "b.dxf").string());
  }
  std::filesystem::copy_file(kExamples / "sample.dxf", dir / "c.dxf");
  // A damaged drawing among them fails alone and is left as it was.
  const std::string damaged = "0\nSECTION\n2\nHEADER\nnot a group code\n";
  writeText(dir / "bad.dxf", damaged);
  writeText(dir / "standard.scr", exampleScript());

  const Result r = runHost("--each --script " + (dir / "standard.scr").string() + " " + (dir / "a.dxf").string() +
                           " " + (dir / "bad.dxf").string() + " " + (dir / "b.dxf").string() + " " +
                           (dir / "c.dxf").string());
  EXPECT_EQ(r.status, 5) << r.out;
  EXPECT_EQ(readAll(dir / "bad.dxf"), damaged);
  expectAllIn(r.out, {"[1/4] " + (dir / "a.dxf").string() + ": saved",
                      "[2/4] " + (dir / "bad.dxf").string() + ": failed, cannot open:",
                      "Batch: 4 drawing(s), 3 saved, 1 failed.",
                      "Company: imported, with block \"Company-Tick\", layer \"Company-Arrows\", text style "
                          "\"Company-Text\", linetype \"Company-Center\".",
                      "Company: overwritten, with block \"Company-Tick\", layer \"Company-Arrows\", "
                          "linetype \"Company-Center\".",
                      "Dimension styles: 2 imported, 1 overwritten, 0 skipped, 0 not found, 0 not imported."});

  // The matched text style is the drawing's own, so the name keeps its case.
  auto b = readDxfDrawing((dir / "b.dxf").string());
  OdDbDimStyleTablePtr styles = b->getDimStyleTableId().safeOpenObject();
  OdDbDimStyleTableRecordPtr company = styles->getAt("Company").safeOpenObject();
  EXPECT_EQ(company->getName(), "COMPANY");
  EXPECT_EQ(OdDbTextStyleTableRecordPtr(company->dimtxsty().safeOpenObject())->getName(), "company-text");

  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  const std::string out = runPython(dir, kCheckScript,
                                    {kExamples / "standard.dxf", dir / "a.dxf", dir / "b.dxf", dir / "c.dxf"});
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 6) << out;
  EXPECT_FALSE(contains(out, "DIFF") || contains(out, "UNRESOLVED") || contains(out, "Error")) << out;
  for (const char* name : {"a.dxf", "b.dxf", "c.dxf"}) {
    expectAllIn(out, {(dir / name).string() + " audit errors 0", (dir / name).string() + " current COMPANY"});
  }
}

// An arrowhead block nesting 20,000 blocks, one inside the next: the import
// copies the whole chain instead of running out of stack.
TEST(DimStyleImportSessions, AnArrowheadNestedTwentyThousandDeepIsCopiedWhole) {
  const auto dir = tempFolder("import-deep");
  constexpr int kDepth = 20000;
  {
    OdDbDatabase db;
    OdDbBlockTablePtr blocks = db.getBlockTableId().safeOpenObject(OdDb::kForWrite);
    OdDbObjectId inner;
    for (int level = kDepth - 1; level >= 0; --level) {
      OdDbBlockTableRecordPtr block = OdDbBlockTableRecord::createObject();
      block->setName("Deep" + std::to_string(level));
      const OdDbObjectId id = blocks->add(block);
      if (inner.isNull()) {
        OdDbLinePtr line = OdDbLine::createObject();
        line->setEndPoint({1, 1, 0});
        block->appendOdDbEntity(line);
      } else {
        OdDbBlockReferencePtr insert = OdDbBlockReference::createObject();
        insert->setBlockTableRecord(inner);
        block->appendOdDbEntity(insert);
      }
      inner = id;
    }
    OdDbDimStyleTableRecordPtr style = OdDbDimStyleTableRecord::createObject();
    style->setName("Deep");
    style->setDimblk(inner);
    OdDbDimStyleTablePtr(db.getDimStyleTableId().safeOpenObject(OdDb::kForWrite))->add(style);
    blocks.release();
    writeDxfDrawing(db, (dir / "deep.dxf").string());
  }
  makeDrawing(dir / "in.dxf");
  const Result r = runScript(dir, "DIMSTYLEIMPORT\n" + (dir / "deep.dxf").string() + "\nDeep\n\nSAVEAS\n" +
                                      (dir / "out.dxf").string() + "\nQUIT\n",
                             (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out.substr(0, 2000);
  expectAllIn(r.out, {"Dimension styles: 1 imported, 0 overwritten, 0 skipped, 0 not found, 0 not imported."});

  auto out = readDxfDrawing((dir / "out.dxf").string());
  OdDbBlockTablePtr blocks = out->getBlockTableId().safeOpenObject();
  OdDbDimStyleTableRecordPtr style = OdDbDimStyleTablePtr(out->getDimStyleTableId().safeOpenObject())
                                         ->getAt("Deep").safeOpenObject();
  OdDbObjectId block = style->dimblk();
  for (int level = 0; level < kDepth - 1; ++level) {
    OdDbBlockTableRecordPtr rec = block.safeOpenObject();
    ASSERT_EQ(rec->getName(), "Deep" + std::to_string(level));
    auto it = rec->newIterator();
    ASSERT_FALSE(it->done());
    block = OdDbBlockReferencePtr(it->entity())->blockTableRecord();
  }
  OdDbBlockTableRecordPtr last = block.safeOpenObject();
  EXPECT_EQ(last->getName(), "Deep" + std::to_string(kDepth - 1));
  EXPECT_FALSE(last->newIterator()->done());
}

// Source styles the drawing's table cannot take (a name with a leading
// blank, a '*', an unflagged '|'), and two spelled alike but for letter
// case: each gets its reason, in either language, and the rest comes in.
TEST(DimStyleImportSessions, StylesWithRefusedOrTwinNamesAreListedAndTheRestImported) {
  const auto dir = tempFolder("import-names");
  {
    OdDbDatabase db;
    OdDbDimStyleTablePtr styles = db.getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
    for (const char* name : {"Good", "LEADX", "STXR", "XQY", "COMPANY", "CompanQ"}) {
      OdDbDimStyleTableRecordPtr style = OdDbDimStyleTableRecord::createObject();
      style->setName(name);
      styles->add(style);
    }
    styles.release();
    writeDxfDrawing(db, (dir / "raw.dxf").string());
  }
  // Names our own writer would never write, as another program's file has them.
  std::string text = readAll(dir / "raw.dxf");
  for (const auto& [from, to] : {std::pair{"\nLEADX\n", "\n lead\n"}, {"\nSTXR\n", "\nst*r\n"}, {"\nXQY\n", "\nX|Y\n"},
                                 {"\nCompanQ\n", "\nCompany\n"}}) {
    ASSERT_NE(text.find(from), std::string::npos) << from;
    text.replace(text.find(from), std::string(from).size(), to);
  }
  writeText(dir / "source.dxf", text);
  makeDrawing(dir / "in.dxf");

  const std::string import = "DIMSTYLEIMPORT\n" + (dir / "source.dxf").string() + "\n\n\n";
  Result r = runScript(dir, import + "SAVEAS\n" + (dir / "out.dxf").string() + "\nQUIT\n", (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  const std::string badName = ": not imported, its name cannot be a style name here (empty, longer than 255";
  expectAllIn(r.out, {"Good: imported.", " lead" + badName, "st*r" + badName, "X|Y" + badName,
                      "COMPANY: imported.",
                      "Company: not imported, the source drawing has \"COMPANY\" too, equal but for letter case",
                      "Dimension styles: 2 imported, 0 overwritten, 1 skipped, 0 not found, 4 not imported."});
  auto out = readDxfDrawing((dir / "out.dxf").string());
  OdDbDimStyleTablePtr styles = out->getDimStyleTableId().safeOpenObject();
  EXPECT_FALSE(styles->getAt("Good").isNull());
  EXPECT_EQ(OdDbDimStyleTableRecordPtr(styles->getAt("Company").safeOpenObject())->getName(), "COMPANY");

  r = runScript(dir, import + "QUIT\n", (dir / "in.dxf").string(), "--lang ru");
  expectAllIn(r.out, {"st*r: не импортирован, его имя не может быть именем стиля",
                      "Company: не импортирован, в исходном чертеже есть и \"COMPANY\""});
}
