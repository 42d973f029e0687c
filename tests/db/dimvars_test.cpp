// The 78 dimension variables: stored types, defaults, and the drawing's
// current values.
#include <gtest/gtest.h>

#include <cmath>

#include "db_test_util.h"
#include "OdDmUtil.h"
#include "OdStringUtil.h"

#include <set>

namespace {
// A value for variable i that differs from the defaults, of its stored type.
OdDbDimVarValue distinctValue(OdDbDatabase& db, int i) {
  switch (OdDbDimVars::describe(i).type) {
    case OdDbDimVarType::kInt16:
    case OdDbDimVarType::kUInt16:
    case OdDbDimVarType::kUInt8: return std::get<int>(OdDbDimVars::imperialDefaults().get(i)) + 1;
    case OdDbDimVarType::kDouble: return 0.125 * (i + 1);
    case OdDbDimVarType::kBool: return OdDbDimVars::imperialDefaults().get(i) != OdDbDimVarValue(true);
    case OdDbDimVarType::kString: return OdString("<> mm ") + OdDbDimVars::describe(i).key;
    case OdDbDimVarType::kColor: return OdCmColor::fromRGB(10, 20, OdUInt8(i));
    case OdDbDimVarType::kObjectId: return OdDmUtil::getArrowId("_Dot", &db);
    case OdDbDimVarType::kLineWeight: return int(OdDb::kLnWt035);
  }
  return 0;
}
}  // namespace

TEST(DimVars, CatalogueHas78UniqueNamesInUpperCase) {
  std::set<std::string> names;
  for (int i = 0; i < OdDbDimVars::kCount; ++i) {
    const OdDbDimVarDesc& d = OdDbDimVars::describe(i);
    names.insert(d.name);
    EXPECT_EQ(std::string(d.name), "DIM" + qrv::toUpper(d.key));
    EXPECT_EQ(OdDbDimVars::indexOf(d.name), i);
    EXPECT_EQ(OdDbDimVars::indexOf(d.key), i);
  }
  EXPECT_EQ(names.size(), 78u);
  EXPECT_EQ(OdDbDimVars::indexOf("dimAsz"), OdDbDimVars::indexOf("DIMASZ"));
  EXPECT_FALSE(OdDbDimVars::indexOf("DIMASO").has_value());
}

TEST(DimVars, EveryVariableRoundTripsInItsStoredType) {
  OdDbDatabase db;
  OdDbDimStyleTableRecordPtr rec = addStyle(db, "All").safeOpenObject(OdDb::kForWrite);
  for (int i = 0; i < OdDbDimVars::kCount; ++i) rec->setDimVar(i, distinctValue(db, i));
  for (int i = 0; i < OdDbDimVars::kCount; ++i) {
    EXPECT_EQ(rec->dimVar(i), distinctValue(db, i)) << OdDbDimVars::describe(i).name;
    EXPECT_FALSE(rec->dimVars().equal(i, OdDbDimVars::imperialDefaults())) << OdDbDimVars::describe(i).name;
  }
  // Narrowing to the stored type is visible through the typed getters.
  rec->setDimVar(*OdDbDimVars::indexOf("DIMZIN"), 300);  // 8-bit unsigned
  EXPECT_EQ(rec->dimzin(), OdUInt8(300 % 256));
  rec->setDimdsep(',');
  EXPECT_EQ(rec->dimdsep(), 44);
  EXPECT_THROW(rec->setDimVar(*OdDbDimVars::indexOf("DIMASZ"), OdString("x")), OdError);
  EXPECT_THROW(rec->setDimVar(78, 1), OdError);
}

TEST(DimVars, CurrentValuesCopyToAndFromRecords) {
  OdDbDatabase db;
  OdDbObjectId big = addStyle(db, "Big", 5.0);
  db.setDimstyleData(big);
  EXPECT_DOUBLE_EQ(db.dimasz(), 5.0);
  db.setDimtxt(0.3);
  OdDbDimStyleTableRecordPtr temp = OdDbDimStyleTableRecord::createObject();
  db.getDimstyleData(temp.get());
  EXPECT_DOUBLE_EQ(temp->dimasz(), 5.0);
  EXPECT_DOUBLE_EQ(temp->dimtxt(), 0.3);
  db.setDimstyle(big);
  EXPECT_EQ(db.getDimstyle(), big);
  EXPECT_THROW(db.setDimstyle(db.getLayerZeroId()), OdError);
  EXPECT_THROW(db.setLUNITS(9), OdError);
}

TEST(DimVars, DoublesCompareExactlyAndNaNDiffersFromItself) {
  OdDbDimVars a = OdDbDimVars::imperialDefaults(), b = a;
  const int asz = *OdDbDimVars::indexOf("asz");
  b.asz = 0.1800000001;
  EXPECT_FALSE(a.equal(asz, b));
  a.asz = b.asz = std::nan("");
  EXPECT_FALSE(a.equal(asz, b));
  const int post = *OdDbDimVars::indexOf("post");
  a.post = "mm";
  b.post = "MM";
  EXPECT_FALSE(a.equal(post, b));
}
