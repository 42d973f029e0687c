// Importing dimension styles between two drawings in memory.
#include <gtest/gtest.h>

#include "OdDbBlockTableRecord.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbTextStyleTableRecord.h"
#include "OdDmUtil.h"
#include "dlgdimstyle/style_import.h"
#include "dlgdimstyle/style_import_text.h"
#include "stdafx/module_resources.h"
#include "translation.h"

using namespace dds;

namespace {

template <class Table>
OdDbObjectId addRecord(OdDbObjectId table, OdSmartPtr<OdDbSymbolTableRecord> rec, const OdString& name) {
  rec->setName(name);
  return OdSmartPtr<Table>(table.safeOpenObject(OdDb::kForWrite))->add(rec);
}

OdDbObjectId addStyle(OdDbDatabase& db, const OdString& name, double asz) {
  OdDbDimStyleTableRecordPtr rec = OdDbDimStyleTableRecord::createObject();
  rec->setDimasz(asz);
  return addRecord<OdDbDimStyleTable>(db.getDimStyleTableId(), rec, name);
}

OdDbDimStyleTableRecordPtr style(const OdDbDatabase& db, const OdString& name) {
  OdDbDimStyleTablePtr t = db.getDimStyleTableId().safeOpenObject();
  return t->getAt(name).openObject();
}

// Names of a table's records, in table order.
std::vector<OdString> names(OdDbObjectId table) {
  std::vector<OdString> out;
  OdDbSymbolTablePtr t = table.safeOpenObject();
  for (auto it = t->newIterator(); !it->done(); it->step()) out.push_back(it->getRecord()->getName());
  return out;
}

OdString recordName(OdDbObjectId id) {
  OdDbSymbolTableRecordPtr rec = id.openObject();
  return rec ? rec->getName() : OdString();
}

// Every variable equal, identifiers by the name of what they point at.
void expectSameValues(const OdDbDimStyleTableRecord& a, const OdDbDimStyleTableRecord& b) {
  for (int i = 0; i < OdDbDimVars::kCount; ++i) {
    const OdDbDimVarValue va = a.dimVar(i), vb = b.dimVar(i);
    if (auto ida = std::get_if<OdDbObjectId>(&va)) {
      const OdDbObjectId idb = std::get<OdDbObjectId>(vb);
      EXPECT_EQ(recordName(*ida), recordName(idb)) << OdDbDimVars::describe(i).name;
      EXPECT_EQ(ida->isNull(), idb.isNull()) << OdDbDimVars::describe(i).name;
      if (!idb.isNull()) {
        EXPECT_EQ(idb.database(), b.database()) << OdDbDimVars::describe(i).name;
      }
    } else {
      EXPECT_TRUE(odDimVarValueEqual(va, vb)) << OdDbDimVars::describe(i).name;
    }
  }
}

std::vector<StyleImportLine::Outcome> outcomes(const StyleImportResult& r) {
  std::vector<StyleImportLine::Outcome> out;
  for (const auto& l : r.lines) out.push_back(l.outcome);
  return out;
}

// A standard drawing: "Company" with two child styles, a text style, a
// linetype and a user arrow whose entities sit on a layer of its own; a
// Cyrillic style; and a style whose arrow block cannot be copied.
struct Import : ::testing::Test {
  OdDbDatabase source{OdDb::kMetric};
  OdDbDatabase target{OdDb::kEnglish};
  OdDbObjectId narrow, tick;

  void SetUp() override {
    Supp_InitResTranslation(&moduleResources());
    setHostLanguage(HostLanguage::kEnglish);
    OdDbTextStyleTableRecordPtr text = OdDbTextStyleTableRecord::createObject();
    text->setFileName("isocp.shx");
    text->setXScale(0.8);
    narrow = addRecord<OdDbTextStyleTable>(source.getTextStyleTableId(), text, "Narrow");
    OdDbLinetypeTableRecordPtr lt = OdDbLinetypeTableRecord::createObject();
    lt->setDashes({6, -1.5, 1, -1.5});
    const OdDbObjectId center = addRecord<OdDbLinetypeTable>(source.getLinetypeTableId(), lt, "Center2");
    OdDbLayerTableRecordPtr layer = OdDbLayerTableRecord::createObject();
    layer->setColor(OdCmColor::fromIndex(1));
    layer->setLinetypeObjectId(center);
    const OdDbObjectId arrows = addRecord<OdDbLayerTable>(source.getLayerTableId(), layer, "Arrows");
    tick = block("Tick", [&](OdDbBlockTableRecord* b) {
      OdDbSolidPtr s = OdDbSolid::createObject();
      s->setPointAt(1, {-1, -0.25});
      s->setPointAt(2, {-1, 0.25});
      s->setLayer(arrows);
      b->appendOdDbEntity(s);
      OdDbTextPtr t = OdDbText::createObject();
      t->setTextStyle(narrow);
      t->setLayer(arrows);
      b->appendOdDbEntity(t);
    });

    OdDbDimStyleTableRecordPtr company = style(source, "Standard")->clone();
    company->setName("Company");
    company->setDimasz(3.5);
    company->setDimtxsty(narrow);
    company->setDimblk(tick);
    company->setDimltex1(center);
    company->setDimclrd(OdCmColor::fromIndex(5));
    company->setDimpost("<> mm");
    company->setDimblk1(OdDmUtil::getArrowId("_Oblique", &source));
    OdDbDimStyleTablePtr(source.getDimStyleTableId().safeOpenObject(OdDb::kForWrite))->add(company);
    addStyle(source, "Company$0", 4.0);
    OdDbDimStyleTableRecordPtr leader = style(source, "Standard")->clone();
    leader->setDimldrblk(tick);
    addRecord<OdDbDimStyleTable>(source.getDimStyleTableId(), leader, "Company$7");
    addStyle(source, "Компания", 5.0);
    const OdDbObjectId nested = block("WithDimension", [&](OdDbBlockTableRecord* b) {
      b->appendOdDbEntity(OdDbRotatedDimension::createObject());
    });
    OdDbDimStyleTableRecordPtr bad = OdDbDimStyleTableRecord::createObject();
    bad->setDimblk2(nested);
    addRecord<OdDbDimStyleTable>(source.getDimStyleTableId(), bad, "Bad");
  }

  template <class F>
  OdDbObjectId block(const OdString& name, F fill) {
    OdDbBlockTableRecordPtr b = OdDbBlockTableRecord::createObject();
    const OdDbObjectId id = addRecord<OdDbBlockTable>(source.getBlockTableId(), b, name);
    fill(b.get());
    return id;
  }

  StyleImportResult run(std::vector<OdString> names, ExistingStyles existing = ExistingStyles::kSkip) {
    return importDimStyles(target, source, names, existing);
  }
};

}  // namespace

TEST_F(Import, AStyleComesWithItsChildrenAndWhatItRefersToInOneUndoStep) {
  const auto tables = [&] {
    return std::vector{names(target.getDimStyleTableId()), names(target.getBlockTableId()),
                       names(target.getTextStyleTableId()), names(target.getLayerTableId()),
                       names(target.getLinetypeTableId())};
  };
  const auto before = tables();
  const OdDbDimVars currentBefore = target.dimVars();
  const OdDbObjectId currentStyle = target.getDimstyle();
  const StyleImportResult r = run({"Company"});
  EXPECT_EQ(outcomes(r), (std::vector{StyleImportLine::kImported, StyleImportLine::kImported,
                                       StyleImportLine::kImported}));
  for (const char* name : {"Company", "Company$0", "Company$7"}) {
    ASSERT_TRUE(style(target, name)) << name;
    expectSameValues(*style(source, name), *style(target, name));
  }
  EXPECT_FALSE(style(target, "Компания"));
  // The text style's data, the user arrow's entities and their layer came
  // along; the built-in arrow is the target's own.
  OdDbTextStyleTableRecordPtr text = style(target, "Company")->dimtxsty().safeOpenObject();
  EXPECT_EQ(text->fileName(), "isocp.shx");
  EXPECT_DOUBLE_EQ(text->xScale(), 0.8);
  OdDbBlockTableRecordPtr arrow = style(target, "Company")->dimblk().safeOpenObject();
  ASSERT_EQ(arrow->entityIds().size(), 2u);
  OdDbTextPtr label = arrow->entityIds()[1].safeOpenObject();
  EXPECT_EQ(label->textStyle(), text->objectId());
  OdDbLayerTableRecordPtr layer = label->layerId().safeOpenObject();
  EXPECT_EQ(layer->getName(), "Arrows");
  EXPECT_EQ(recordName(layer->linetypeObjectId()), "Center2");
  EXPECT_EQ(style(target, "Company$7")->dimldrblk(), arrow->objectId());
  EXPECT_EQ(importLineText(r.lines[0]),
            "Company: imported, with block \"Tick\", linetype \"Center2\", layer \"Arrows\", text style "
            "\"Narrow\", block \"_Oblique\".");
  EXPECT_EQ(importSummaryText(r), "Dimension styles: 3 imported, 0 overwritten, 0 skipped, 0 not found, 0 not imported.");
  // The drawing's current style and values stay.
  EXPECT_EQ(target.getDimstyle(), currentStyle);
  for (int i = 0; i < OdDbDimVars::kCount; ++i) EXPECT_TRUE(currentBefore.equal(i, target.dimVars())) << i;
  EXPECT_EQ(target.undoName(), "DIMSTYLEIMPORT");
  target.undo();
  EXPECT_EQ(tables(), before);
}

TEST_F(Import, ExistingStylesAreSkippedOrOverwrittenWhateverTheirLetterCase) {
  addStyle(target, "COMPANY", 9.0);
  addStyle(target, "company$2", 9.0);
  addStyle(target, "КОМПАНИЯ", 9.0);
  StyleImportResult r = run({"company", "Missing"});
  EXPECT_EQ(outcomes(r), (std::vector{StyleImportLine::kSkipped, StyleImportLine::kSkippedWithParent,
                                       StyleImportLine::kSkippedWithParent, StyleImportLine::kNotInSource}));
  EXPECT_EQ(importLineText(r.lines[1]), "Company$0: skipped with its parent style.");
  EXPECT_EQ(importSummaryText(r), "Dimension styles: 0 imported, 0 overwritten, 3 skipped, 1 not found, 0 not imported.");
  EXPECT_DOUBLE_EQ(style(target, "Company")->dimasz(), 9.0);
  EXPECT_FALSE(style(target, "Company$0")) << "children stay with a skipped parent";

  r = run({"компания", "Company"}, ExistingStyles::kOverwrite);
  EXPECT_EQ(outcomes(r), (std::vector{StyleImportLine::kOverwritten, StyleImportLine::kOverwritten,
                                       StyleImportLine::kImported, StyleImportLine::kImported,
                                       StyleImportLine::kKeptChild}));
  EXPECT_EQ(importLineText(r.lines[4]), "company$2: kept, the source drawing has no such child style.");
  EXPECT_EQ(style(target, "Company")->getName(), "COMPANY") << "the drawing's spelling stays";
  EXPECT_EQ(style(target, "компания")->getName(), "КОМПАНИЯ");
  expectSameValues(*style(source, "Company"), *style(target, "Company"));
  expectSameValues(*style(source, "Компания"), *style(target, "Компания"));
}

// A style whose arrowhead cannot come whole stays out; extended data comes
// along with its handles translated, or is left out and said so.
TEST_F(Import, WhatCannotComeWholeIsReportedAndTheRestImported) {
  source.newRegApp("ACME");
  source.newRegApp("LOOSE");
  {
    OdDbDimStyleTableRecordPtr company = style(source, "Company");
    company->upgradeOpen();
    for (auto [app, handle] : {std::pair{"ACME", narrow.getHandle()},
                               std::pair{"LOOSE", source.getModelSpaceId().getHandle()}}) {
      OdResBufPtr chain = OdResBuf::newRb(1001, OdString(app));
      chain->setNext(OdResBuf::newRb(1005))->setValue(handle);
      company->setXData(chain.get());
    }
  }
  const StyleImportResult r = run({});
  ASSERT_EQ(r.lines.size(), 6u);  // Standard (skipped), Company and its two children, Компания, Bad
  EXPECT_EQ(importLineText(r.lines.back()),
            "Bad: not imported, the block \"WithDimension\" holds an entity that cannot be copied (lines, arcs, "
            "circles, polylines, points, solids, texts and block references can).");
  EXPECT_FALSE(style(target, "Bad"));
  EXPECT_TRUE(OdDbBlockTablePtr(target.getBlockTableId().safeOpenObject())->getAt("WithDimension").isNull());
  EXPECT_TRUE(style(target, "Компания"));

  OdResBufPtr copied = style(target, "Company")->xData("ACME");
  ASSERT_TRUE(copied && copied->next());
  EXPECT_EQ(target.getOdDbObjectId(copied->next()->getHandle()), style(target, "Company")->dimtxsty());
  EXPECT_FALSE(style(target, "Company")->xData("LOOSE"));
  EXPECT_EQ(importLineText(r.lines[1]).substr(importLineText(r.lines[1]).find("; ")),
            "; the extended data of the application \"LOOSE\" was left out: it points at objects of the source "
            "drawing.");
}
