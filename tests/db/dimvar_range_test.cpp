// The allowed values of the dimension variables and of arrowhead blocks,
// the checks every way a value comes in goes through.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "OdDbDimVarRange.h"
#include "OdDbSymUtil.h"
#include "OdDmUtil.h"
#include "db_test_util.h"

namespace {
int indexOf(const char* name) { return *OdDbDimVars::indexOf(name); }
bool allowed(const char* name, const OdDbDimVarValue& v) { return odDbDimVarValueAllowed(indexOf(name), v); }
}  // namespace

TEST(DimVarRanges, EveryDefaultIsAllowed) {
  // A range that refused a default would make every new drawing report itself.
  OdDbDatabase db;
  for (const OdDbDimVars& defaults : {OdDbDimVars::imperialDefaults(), OdDbDimVars::metricDefaults()})
    for (int i = 0; i < OdDbDimVars::kCount; ++i)
      EXPECT_EQ(odDbCheckDimVarValue(i, defaults.get(i)), "") << OdDbDimVars::describe(i).name;
}

TEST(DimVarRanges, ValuesThatOnlyTheStoredTypeAcceptedAreRefusedWithTheRange) {
  EXPECT_FALSE(allowed("DIMDEC", 99));
  EXPECT_FALSE(allowed("DIMDEC", -5));
  EXPECT_TRUE(allowed("DIMDEC", 8));
  EXPECT_FALSE(allowed("DIMTAD", 7));
  EXPECT_FALSE(allowed("DIMLUNIT", 9));
  EXPECT_FALSE(allowed("DIMLUNIT", 0));
  EXPECT_FALSE(allowed("DIMAUNIT", -3));
  EXPECT_FALSE(allowed("DIMTXT", -0.1));
  EXPECT_FALSE(allowed("DIMASZ", -1.0));
  EXPECT_FALSE(allowed("DIMLFAC", 0.0));
  EXPECT_FALSE(allowed("DIMLWD", 9999));
  EXPECT_FALSE(allowed("DIMJOGANG", -0.5));
  EXPECT_FALSE(allowed("DIMPOST", OdString("mm\0X", 4)));
  EXPECT_FALSE(allowed("DIMSCALE", std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(allowed("DIMCEN", std::nan("")));
  // Where the sign carries meaning, both signs.
  EXPECT_TRUE(allowed("DIMLFAC", -2.0));
  EXPECT_TRUE(allowed("DIMCEN", -0.09));
  EXPECT_TRUE(allowed("DIMGAP", -0.625));
  EXPECT_TRUE(allowed("DIMPOST", OdString("mm\rX")));  // from a file: kept, written escaped
  // Read from a file, a refused value is kept unless no drawing can hold it.
  EXPECT_TRUE(odDbDimVarValueStorable(indexOf("DIMLWD"), 9999));
  EXPECT_TRUE(odDbDimVarValueStorable(indexOf("DIMDSEP"), 0));
  EXPECT_TRUE(odDbDimVarValueStorable(indexOf("DIMALTF"), 0.0));
  EXPECT_FALSE(odDbDimVarValueStorable(indexOf("DIMPOST"), OdString("mm\0X", 4)));
  EXPECT_FALSE(odDbDimVarValueStorable(indexOf("DIMSCALE"), std::numeric_limits<double>::infinity()));

  EXPECT_EQ(odDbCheckDimVarValue(indexOf("DIMDEC"), 99), "DIMDEC 99 is out of range (0..8)");
  EXPECT_EQ(odDbCheckDimVarValue(indexOf("DIMLFAC"), 0.0), "DIMLFAC 0 is out of range (≠ 0)");
  EXPECT_EQ(odDbDimVarRangeText(indexOf("DIMJOGANG")), "0°..180°");
  EXPECT_EQ(odDbDimVarRangeText(indexOf("DIMLWD")).substr(0, 16), "-3, -2, -1, 0, 5");
}

TEST(DimVarRanges, LayoutAndAnonymousBlocksCannotBeArrowheads) {
  OdDbDatabase db;
  const OdDbObjectId dim = addRotatedDim(db, db.getDimStyleStandardId());
  OdDbDimensionPtr d = dim.safeOpenObject();
  OdDbObjectId anonymous;
  {
    OdDbBlockTablePtr blocks = db.getBlockTableId().safeOpenObject(OdDb::kForWrite);
    OdDbBlockTableRecordPtr b = OdDbBlockTableRecord::createObject();
    b->setNameAsStored("*D1");
    b->setStoredFlags(1);
    anonymous = blocks->add(b);
  }
  for (const OdDbObjectId& id : {db.getModelSpaceId(), db.getPaperSpaceId(), anonymous}) {
    EXPECT_FALSE(odDbMayBeArrowhead(id));
    EXPECT_FALSE(allowed("DIMBLK", id));
    EXPECT_FALSE(odDbDimVarValueStorable(indexOf("DIMBLK"), id));
  }
  for (const char* name : {"*Model_Space", "*Paper_Space", "*D1"})
    EXPECT_EQ(thrownError([&] { OdDmUtil::getArrowId(name, &db); }).code(), eInvalidInput) << name;
  EXPECT_TRUE(odDbMayBeArrowhead(OdDbObjectId()));
  EXPECT_TRUE(odDbMayBeArrowhead(OdDmUtil::getArrowId("_Dot", &db)));
  EXPECT_FALSE(odDbMayBeArrowhead(db.getDimStyleStandardId()));  // no block at all
}
