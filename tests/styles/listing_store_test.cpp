// Listings, comparisons, overrides and the style store.
#include <gtest/gtest.h>

#include "OdDbBlockTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbLeader.h"
#include "dlgdimstyle/style_listing.h"
#include "dlgdimstyle/style_store.h"
#include "stdafx/module_resources.h"
#include "stdafx/value_text.h"
#include "../shared/dimension_builders.h"
#include "../shared/style_table_test_support.h"
#include "translation.h"

using namespace dds;

namespace {

struct Styles : ::testing::Test {
  OdDbDatabase db;
  void SetUp() override {
    Supp_InitResTranslation(&moduleResources());
    setHostLanguage(HostLanguage::kEnglish);
  }
  OdDbObjectId add(const OdString& name, double asz = 0.18) { return addStandardCopy(db, name, asz); }
  OdDbDimStyleTableRecordPtr rec(OdDbObjectId id, OdDb::OpenMode m = OdDb::kForRead) { return id.safeOpenObject(m); }
  OdDbObjectId leaderUsing(OdDbObjectId style) { return addLeader(db, style); }
  std::vector<OdString> names() {
    std::vector<OdString> out;
    OdDbDimStyleTablePtr t = db.getDimStyleTableId().safeOpenObject();
    for (auto it = t->newIterator(); !it->done(); it->step()) out.push_back(it->getRecord()->getName());
    return out;
  }
};

}  // namespace

TEST_F(Styles, ListingsHave78RowsInAlphabeticalOrder) {
  DimVarRows rows;
  listStyleValues(rec(db.getDimStyleStandardId()).get(), rows, false);
  ASSERT_EQ(rows.size(), 78u * 2);
  EXPECT_EQ(rows[0], "DIMADEC");
  EXPECT_EQ(rows[13 * 2], "DIMASZ");
  EXPECT_EQ(rows[13 * 2 + 1], "0.1800");
  EXPECT_EQ(rows[77 * 2], "DIMZIN");
  listCurrentValues(&db, rows, true);
  ASSERT_EQ(rows.size(), 78u * 3);
  EXPECT_EQ(rows[13 * 3 + 2], "Arrow size");
  for (std::size_t i = 3; i < rows.size(); i += 3) EXPECT_LT(rows[i - 3], rows[i]);
}

TEST_F(Styles, ComparisonRules) {
  OdDbObjectId a = add("A", 0.18), b = add("B", 0.1800000001);
  DimVarRows rows;
  compareStyleValues(rec(a).get(), rec(a).get(), &db, rows, true);
  EXPECT_TRUE(rows.empty()) << "a style compared with itself";
  compareStyleValues(rec(a).get(), rec(b).get(), &db, rows, false);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], "DIMASZ");
  rec(b, OdDb::kForWrite)->setDimpost("MM");
  rec(a, OdDb::kForWrite)->setDimpost("mm");
  compareStyleValues(rec(a).get(), rec(b).get(), &db, rows, true);
  ASSERT_EQ(rows.size(), 8u);  // two rows of four, in listing order
  EXPECT_EQ(rows[0], "DIMASZ");
  EXPECT_EQ(rows[4], "DIMPOST");
  EXPECT_EQ(rows[5], "mm");
  EXPECT_EQ(rows[6], "MM");
  // Current values against the current style right after making it current.
  compareStyleValues(nullptr, rec(db.getDimStyleStandardId()).get(), &db, rows, false);
  EXPECT_TRUE(rows.empty());
  compareStyleValues(nullptr, nullptr, &db, rows, false);
  EXPECT_TRUE(rows.empty());
  db.setDimtxt(1.0);
  compareStyleValues(rec(db.getDimStyleStandardId()).get(), nullptr, &db, rows, false);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], "DIMTXT");
  EXPECT_TRUE(hasOverrides(rec(db.getDimStyleStandardId()).get(), &db));
}

TEST_F(Styles, EntityListingsAndCopiesIncludeOverrides) {
  OdDbObjectId a = add("A", 0.5);
  OdDbLeaderPtr ldr = leaderUsing(a).safeOpenObject(OdDb::kForWrite);
  ldr->setDimgap(0.33);
  DimVarRows rows;
  listEntityValues(ldr.get(), rows, false);
  EXPECT_EQ(rows[13 * 2 + 1], "0.5000");
  copyEntityToCurrent(&db, ldr.get());
  EXPECT_DOUBLE_EQ(db.dimgap(), 0.33);
  EXPECT_DOUBLE_EQ(db.dimasz(), 0.5);
  db.setDimtxt(0.4);
  copyCurrentToEntity(ldr.get(), &db);
  EXPECT_DOUBLE_EQ(ldr->dimtxt(), 0.4);
  copyCurrentToStyle(rec(a, OdDb::kForWrite).get(), &db);
  EXPECT_DOUBLE_EQ(rec(a)->dimtxt(), 0.4);
  copyStyleToCurrent(&db, rec(db.getDimStyleStandardId()).get());
  EXPECT_FALSE(hasOverrides(rec(db.getDimStyleStandardId()).get(), &db));
}

TEST_F(Styles, ChildStyleRules) {
  OdDbObjectId s3 = add("Standard$3");
  ChildStyleInfo info;
  ASSERT_TRUE(parseChildStyle(s3, &info));
  EXPECT_EQ(info.digit, 3);
  EXPECT_EQ(info.parentName, "Standard");
  EXPECT_EQ(info.typeName, "Diameter");
  EXPECT_EQ(styleLabel(s3), "Standard [Diameter]");
  EXPECT_EQ(styleTypeLabel(s3), "Diameter");
  add("A");
  for (const char* ordinary : {"A$1", "A$5", "A$9", "A$x", "A$", "$0"}) {
    OdDbObjectId id = add(ordinary);
    EXPECT_FALSE(parseChildStyle(id, &info)) << ordinary;
    EXPECT_EQ(info.parentName, ordinary);
    EXPECT_EQ(styleLabel(id), ordinary);
    EXPECT_EQ(styleTypeLabel(id), "");
  }
  EXPECT_EQ(styleLabel(OdDbObjectId()), "<null>");
  // Without its parent the same name is an ordinary style.
  OdDbDatabase other;
  OdDbDimStyleTablePtr t = other.getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
  OdDbDimStyleTableRecordPtr orphan = OdDbDimStyleTableRecord::createObject();
  orphan->setName("Mech$3");
  OdDbObjectId orphanId = t->add(orphan);
  EXPECT_FALSE(parseChildStyle(orphanId));
}

TEST_F(Styles, DeletingTakesTheChildrenAlongOnlyWhenAllAreUnused) {
  OdDbObjectId a = add("A"), a0 = add("A$0"), a7 = add("A$7"), aa = add("AA$0");
  EXPECT_TRUE(canDeleteStyle(a, &db));
  EXPECT_FALSE(canDeleteStyle(db.getDimStyleStandardId(), &db));  // the current style
  EXPECT_TRUE(canDeleteStyle(OdDbObjectId(), &db));                 // the overrides entry
  OdDbObjectId ldr = leaderUsing(a7);
  EXPECT_FALSE(deleteStyle(a, &db));
  EXPECT_TRUE(a.isValid() && a0.isValid() && a7.isValid());
  ldr.safeOpenObject(OdDb::kForWrite)->erase();
  EXPECT_TRUE(deleteStyle(a, &db));
  EXPECT_TRUE(a.isErased() && a0.isErased() && a7.isErased());
  EXPECT_TRUE(aa.isValid());
  // Deleting the overrides entry makes the current values the style's.
  db.setDimasz(9.0);
  EXPECT_TRUE(deleteStyle(OdDbObjectId(), &db));
  EXPECT_DOUBLE_EQ(db.dimasz(), 0.18);
}

TEST_F(Styles, RenameTakesTheChildrenAlong) {
  OdDbObjectId a = add("A");
  add("A$2");
  add("AA$2");
  add("A$5");
  const OdString b = "B";
  EXPECT_TRUE(renameStyle(a, &b));
  const auto n = names();
  EXPECT_NE(std::find(n.begin(), n.end(), "B$2"), n.end());
  EXPECT_NE(std::find(n.begin(), n.end(), "AA$2"), n.end());
  EXPECT_NE(std::find(n.begin(), n.end(), "A$5"), n.end());
  EXPECT_EQ(std::find(n.begin(), n.end(), "A$2"), n.end());
  EXPECT_FALSE(renameStyle(a, nullptr));
  const OdString bad = "bad:name", dup = "standard";
  EXPECT_FALSE(renameStyle(a, &bad));
  EXPECT_FALSE(renameStyle(a, &dup));
  EXPECT_EQ(rec(a)->getName(), "B");
}

TEST_F(Styles, StylesOfExternalReferencesAreNeverChanged) {
  OdDbDimStyleTableRecordPtr r = rec(db.getDimStyleStandardId())->clone();
  r->setNameAsStored("Ext|Dep");
  r->setDependent(true);
  r->setDimasz(0.5);
  const OdDbObjectId dep = OdDbDimStyleTablePtr(db.getDimStyleTableId().safeOpenObject(OdDb::kForWrite))->add(r);
  ASSERT_TRUE(isExternalStyle(dep));
  EXPECT_FALSE(isExternalStyle(db.getDimStyleStandardId()));
  const OdString other = "Mine";
  EXPECT_FALSE(renameStyle(dep, &other));
  EXPECT_FALSE(canDeleteStyle(dep, &db));
  EXPECT_FALSE(deleteStyle(dep, &db));
  setAnnotativeStyle(dep, true);
  EXPECT_FALSE(isAnnotativeStyle(dep));
  // Current (as a drawing may hold it) with overrides: they stay overrides.
  db.setDimstyle(dep);
  db.setDimasz(9.0);
  EXPECT_FALSE(saveOverridesToCurrentStyle(&db));
  EXPECT_EQ(rec(dep)->getName(), "Ext|Dep");
  EXPECT_DOUBLE_EQ(rec(dep)->dimasz(), 0.5);
  EXPECT_FALSE(dep.isErased());
}

TEST_F(Styles, SetCurrentStyleAndOverrides) {
  OdDbObjectId a = add("A", 0.7);
  EXPECT_EQ(setCurrentStyle(&db, db.getDimStyleStandardId()), S_FALSE);
  EXPECT_EQ(setCurrentStyle(nullptr, a), E_INVALIDARG);
  EXPECT_EQ(setCurrentStyle(&db, a), S_OK);
  EXPECT_EQ(currentStyleId(&db), a);
  EXPECT_EQ(currentStyleName(&db), "A");
  EXPECT_DOUBLE_EQ(db.dimasz(), 0.7);
  // With overrides and nobody to say yes, the overrides stay.
  db.setDimtxt(2.0);
  EXPECT_EQ(setCurrentStyle(&db, db.getDimStyleStandardId()), E_ABORT);
  EXPECT_EQ(currentStyleId(&db), a);
  EXPECT_DOUBLE_EQ(db.dimtxt(), 2.0);
  saveOverridesToCurrentStyle(&db);
  EXPECT_DOUBLE_EQ(rec(a)->dimtxt(), 2.0);
  EXPECT_FALSE(hasOverrides(rec(a).get(), &db));
}

TEST_F(Styles, CreateFromBaseAndNewNames) {
  OdDbObjectId a = add("A", 0.6);
  OdDbObjectId copy = createStyleFromBase(a, kChildNone, "Copy of A");
  ASSERT_FALSE(copy.isNull());
  EXPECT_DOUBLE_EQ(rec(copy)->dimasz(), 0.6);
  OdDbObjectId child = createStyleFromBase(a, kChildRadius, "ignored");
  EXPECT_EQ(rec(child)->getName(), "A$4");
  // A child made from a child belongs to the same parent.
  EXPECT_EQ(newStyleName(child, kChildLeader, "x"), "A$7");
  EXPECT_TRUE(createStyleFromBase(a, kChildNone, "a").isNull());  // duplicate, logged
  EXPECT_FALSE(isNewStyleNameValid(&db, "a"));
  EXPECT_FALSE(isNewStyleNameValid(&db, "x<y"));
  EXPECT_TRUE(isNewStyleNameValid(&db, "Fresh"));
  EXPECT_FALSE(isAnnotativeStyle(a));
  setAnnotativeStyle(a, true);
  EXPECT_TRUE(isAnnotativeStyle(a));
}

TEST_F(Styles, DialogListOrder) {
  add("Zed");
  OdDbObjectId a = add("A");
  add("A$7");
  add("A$0");
  add("Standard$4");
  ASSERT_EQ(setCurrentStyle(&db, a), S_OK);
  db.setDimtxt(3.0);
  std::vector<OdString> texts;
  for (const StyleListEntry& e : styleListForDialogs(&db)) texts.push_back((e.indented ? "  " : "") + e.text);
  EXPECT_EQ(texts, (std::vector<OdString>{"Standard", "  Radius", "Zed", "A", "  Leader", "  Linear",
                                          "  <style overrides>"}));
}
