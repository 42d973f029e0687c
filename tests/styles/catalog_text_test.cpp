// The variable catalogue and the text of values.
#include <gtest/gtest.h>

#include <cmath>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDmUtil.h"
#include "dlgdimstyle/dim_var_catalog.h"
#include "stdafx/module_resources.h"
#include "stdafx/value_text.h"
#include "translation.h"

using namespace dds;

namespace {
struct Translation : ::testing::Test {
  void SetUp() override {
    Supp_InitResTranslation(&moduleResources());
    setHostLanguage(HostLanguage::kEnglish);
  }
};
}  // namespace

// The listing's alphabetical order itself is checked with the listings.
TEST(Catalogue, EveryPositionIsUsedOnceAndEveryEntryMapsToItsDatabaseSlot) {
  ASSERT_EQ(variableCount(), 78);
  EXPECT_EQ(listingPosition("DIMasz"), listingPosition("DIMASZ"));
  EXPECT_EQ(listingPosition("DIMASO"), -1);
  std::vector<int> seen(78, 0);
  for (int i = 0; i < 78; ++i) {
    ++seen[listingPosition(dimVarName(i))];
    EXPECT_EQ(OdDbDimVars::describe(dimVarInfo(i).storageIndex()).name, dimVarName(i));
  }
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), 78);
}

TEST_F(Translation, IntegerCharacterAndYesNoTexts) {
  EXPECT_EQ(intText(46, "dsep"), ".");
  EXPECT_EQ(intText(44, "DSEP"), ",");
  EXPECT_EQ(intText(0, "dsep"), OdString(1, '\0'));
  EXPECT_EQ(intText(-2, "lwd"), "-2");
  EXPECT_EQ(intText(4, "dec"), "4");
  EXPECT_EQ(boolText(true), "Yes");
  EXPECT_EQ(boolText(false), "No");
}

TEST_F(Translation, LengthAndAngleTextsComeFromTheUnitFunctions) {
  EXPECT_EQ(lengthText(0.18, "asz"), "0.1800");
  EXPECT_EQ(lengthText(25.4, "altf"), "25.4000");
  const OdString angle = lengthText(M_PI / 4, "jogang");
  EXPECT_EQ(angle.rfind("45", 0), 0u) << angle;
}

TEST_F(Translation, RecordColourAndArrowTexts) {
  OdDbDatabase db;
  EXPECT_EQ(recordText(OdDbObjectId(), "txsty"), "<default>");
  EXPECT_EQ(recordText(OdDbObjectId(), "ltype"), "BYBLOCK");
  EXPECT_EQ(recordText(OdDbObjectId(), "blk1"), "Closed filled");
  EXPECT_EQ(recordText(db.getTextStyleStandardId(), "txsty"), "Standard");
  EXPECT_EQ(recordText(db.getLinetypeByLayerId(), "ltype"), "ByLayer");
  EXPECT_EQ(recordText(OdDmUtil::getArrowId("_Open30", &db), "blk"), "Open 30");
  // Not a symbol table record: handle and class.
  const OdString dict = recordText(db.getNamedObjectsDictionaryId(), "blk");
  EXPECT_EQ(dict.rfind("0x", 0), 0u);
  EXPECT_NE(dict.find("(OdDbDictionary)"), std::string::npos);
  // An erased record reads as an error, not as a name that no longer exists.
  OdDbObjectId dot = OdDmUtil::getArrowId("_Dot", &db);
  dot.safeOpenObject(OdDb::kForWrite)->erase();
  EXPECT_EQ(recordText(dot, "blk"), "<error>");

  EXPECT_EQ(arrowDisplayName("_OPEN30"), "Open 30");
  EXPECT_EQ(arrowDisplayName("_small"), "Dot small blank");
  EXPECT_EQ(arrowDisplayName(""), "Closed filled");
  EXPECT_EQ(arrowDisplayName("MyArrow"), "User arrow...");

  EXPECT_EQ(colorText(OdCmColor(OdCmColor::kByBlock)), "BYBLOCK");
  EXPECT_EQ(colorText(OdCmColor()), "BYLAYER");
  EXPECT_EQ(colorText(OdCmColor::fromIndex(1)), "red");
  EXPECT_EQ(colorText(OdCmColor::fromIndex(7)), "white");
  EXPECT_EQ(colorText(OdCmColor::fromIndex(8)), "#808080");
  EXPECT_EQ(colorText(OdCmColor::fromRGB(255, 128, 0)), "#FF8000");
}

TEST_F(Translation, RussianTextsFollowTheSessionLanguage) {
  setHostLanguage(HostLanguage::kRussian);
  EXPECT_NE(boolText(true), "Yes");
  EXPECT_NE(arrowDisplayName("_Dot"), "Dot");
  setHostLanguage(HostLanguage::kEnglish);
}

TEST(ControlNumbers, ReadAndWrite) {
  EXPECT_EQ(readControlDouble(""), 0.0);
  EXPECT_EQ(readControlDouble("  2.5  "), 2.5);
  EXPECT_EQ(readControlDouble("1e-3"), 0.001);
  EXPECT_EQ(readControlDouble("abc"), 0.0);
  EXPECT_EQ(writeControlDouble(-0.0000001), "0");
  EXPECT_EQ(writeControlDouble(10.0), "10");
  EXPECT_EQ(writeControlDouble(2.5), "2.5");
  EXPECT_EQ(writeControlDouble(0.0000015), "0.0000015");
  EXPECT_EQ(writeControlDouble(1234.5678901), "1234.5678901");
}
