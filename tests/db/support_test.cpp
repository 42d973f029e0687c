// Arrow blocks, symbol names, colours, lineweights, extended data,
// and dictionaries.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "db_test_util.h"
#include "OdDbDictionary.h"
#include "OdDbSymUtil.h"
#include "OdDmUtil.h"

TEST(Arrows, BuiltInBlocksAreMadeOnFirstUseAndFoundInAnyCase) {
  OdDbDatabase db;
  EXPECT_EQ(OdDmUtil::builtInArrowNames().size(), 20u);
  EXPECT_TRUE(OdDmUtil::getArrowId("", &db).isNull());
  OdDbObjectId open30 = OdDmUtil::getArrowId("open30", &db);
  ASSERT_FALSE(open30.isNull());
  EXPECT_EQ(OdDmUtil::arrowName(open30), "_Open30");
  EXPECT_EQ(OdDmUtil::getArrowId("_OPEN30", &db), open30);
  OdDbBlockTableRecordPtr block = open30.safeOpenObject();
  EXPECT_EQ(block->entityIds().size(), 3u);
  EXPECT_TRUE(OdDmUtil::isBuiltInArrow("_dotsmall"));
  EXPECT_TRUE(OdDmUtil::isBuiltInArrow(""));
  EXPECT_FALSE(OdDmUtil::isBuiltInArrow("MyArrow"));
  EXPECT_THROW(OdDmUtil::getArrowId("MyArrow", &db), OdError);
  EXPECT_EQ(OdDmUtil::arrowName(OdDbObjectId()), "");
  for (const OdString& name : OdDmUtil::builtInArrowNames()) EXPECT_NO_THROW(OdDmUtil::getArrowId(name, &db));
}

TEST(SymbolNames, TheUsualRules) {
  EXPECT_EQ(OdDbSymUtil::validateSymbolName("Mech-1 (ISO)", nullptr, false), eOk);
  EXPECT_EQ(OdDbSymUtil::validateSymbolName("Размеры", nullptr, false), eOk);
  EXPECT_EQ(OdDbSymUtil::validateSymbolName("A$0", nullptr, false), eOk);
  EXPECT_EQ(OdDbSymUtil::validateSymbolName(OdString(255, 'x'), nullptr, false), eOk);
  EXPECT_NE(OdDbSymUtil::validateSymbolName(OdString(256, 'x'), nullptr, false), eOk);
  // 255 Cyrillic letters are 510 bytes but still 255 characters.
  OdString cyr;
  for (int i = 0; i < 255; ++i) cyr += "ж";
  EXPECT_EQ(OdDbSymUtil::validateSymbolName(cyr, nullptr, false), eOk);
  for (const char* bad : {"<", ">", "/", "\\", "\"", ":", ";", "?", "*", "|", "=", "'", "`"}) {
    EXPECT_NE(OdDbSymUtil::validateSymbolName(OdString("a") + bad + "b", nullptr, false), eOk) << bad;
  }
  EXPECT_EQ(OdDbSymUtil::validateSymbolName("XREF|Standard", nullptr, true), eOk);
  // Control characters, C1 as well as C0, are refused with the reason.
  for (const char* name : {"Bad\xC2\x85Name", "Bad\xC2\x9FName", "Bad\x01Name", "Bad\x7FName", "tab\there"}) {
    OdString why;
    EXPECT_EQ(OdDbSymUtil::validateSymbolName(name, nullptr, false, &why), eInvalidSymbolTableName) << name;
    EXPECT_EQ(why, "the name contains a control character");
  }
  EXPECT_EQ(OdDbSymUtil::validateSymbolName("ISO-25 \xC2\xA0\xC3\xA9", nullptr, false), eOk);  // NBSP and é are no controls
}

TEST(Colors, MethodsEqualityAndDisplayNames) {
  OdCmColor byLayer, byBlock(OdCmColor::kByBlock), red = OdCmColor::fromIndex(1);
  EXPECT_TRUE(byLayer.isByLayer());
  EXPECT_EQ(byLayer.colorNameForDisplay(), "BYLAYER");
  EXPECT_EQ(byBlock.colorNameForDisplay(), "BYBLOCK");
  EXPECT_EQ(red.colorNameForDisplay(), "red");
  EXPECT_EQ(OdCmColor::fromIndex(8).colorNameForDisplay(), "Color 8");
  OdCmColor trueRed = OdCmColor::fromRGB(255, 0, 0);
  EXPECT_EQ(trueRed.colorNameForDisplay(), "255,0,0");
  // The same shade by index and by true colour are different colours.
  EXPECT_NE(red, trueRed);
  EXPECT_EQ(red.red(), 255);
  EXPECT_EQ(trueRed.colorIndex(), 1);
  EXPECT_EQ(OdCmColor::fromIndex(0), byBlock);
  EXPECT_EQ(OdCmColor::fromIndex(256), byLayer);
  EXPECT_EQ(OdCmColor::fromRGB(255, 128, 0).rgb24(), 0xFF8000u);
}

TEST(Colors, LineweightsAreTheStandardSet) {
  EXPECT_TRUE(OdDb::isValidLineWeight(-3));
  EXPECT_TRUE(OdDb::isValidLineWeight(211));
  EXPECT_FALSE(OdDb::isValidLineWeight(12));
  OdDbDatabase db;
  OdDbEntityPtr dim = addRotatedDim(db, db.getDimStyleStandardId()).safeOpenObject(OdDb::kForWrite);
  EXPECT_THROW(dim->setLineWeight(OdDb::LineWeight(17)), OdError);
  dim->setLineWeight(OdDb::kLnWt050);
  EXPECT_EQ(dim->lineWeight(), OdDb::kLnWt050);
}

TEST(ExtendedData, PerApplicationChainsNeedARegisteredApplication) {
  OdDbDatabase db;
  OdDbEntityPtr dim = addRotatedDim(db, db.getDimStyleStandardId()).safeOpenObject(OdDb::kForWrite);
  OdResBufPtr rb = OdResBuf::newRb(1001, OdString("ACAD_DSTYLE_DIMTALN"));
  rb->setNext(OdResBuf::newRb(1070, OdInt16(1)));
  EXPECT_THROW(dim->setXData(rb.get()), OdError);
  EXPECT_TRUE(db.newRegApp("ACAD_DSTYLE_DIMTALN"));
  EXPECT_FALSE(db.newRegApp("acad_dstyle_dimtaln"));
  dim->setXData(rb.get());
  OdResBufPtr back = dim->xData("ACAD_DSTYLE_DIMTALN");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->getString(), "ACAD_DSTYLE_DIMTALN");
  ASSERT_TRUE(back->next());
  EXPECT_EQ(back->next()->getInt16(), 1);
  // A real read as an integer (a damaged file's data) stays within range.
  EXPECT_EQ(OdResBuf::newRb(1040, 8.9e44)->getInt64(), std::numeric_limits<OdInt64>::max());
  EXPECT_EQ(OdResBuf::newRb(1040, std::nan(""))->getInt64(), 0);
  EXPECT_TRUE(dim->xData("OTHER").isNull());
  // A chain of the name alone removes the application's data.
  dim->setXData(OdResBuf::newRb(1001, OdString("ACAD_DSTYLE_DIMTALN")).get());
  EXPECT_TRUE(dim->xData("ACAD_DSTYLE_DIMTALN").isNull());
  // Group codes outside extended data are refused.
  OdResBufPtr bad = OdResBuf::newRb(1001, OdString("ACAD"));
  bad->setNext(OdResBuf::newRb(40, 1.0));
  EXPECT_THROW(dim->setXData(bad.get()), OdError);
}

TEST(Dictionaries, ExtensionDictionaryEntries) {
  OdDbDatabase db;
  OdDbEntityPtr dim = addRotatedDim(db, db.getDimStyleStandardId()).safeOpenObject(OdDb::kForWrite);
  EXPECT_TRUE(dim->extensionDictionary().isNull());
  OdDbObjectId dictId = dim->createExtensionDictionary();
  EXPECT_EQ(dim->createExtensionDictionary(), dictId);
  OdDbDictionaryPtr dict = dictId.safeOpenObject(OdDb::kForWrite);
  EXPECT_EQ(dict->ownerId(), dim->objectId());
  OdDbObjectId entry = dict->setAt("ACAD_DIMASSOC", OdDbXrecord::createObject());
  EXPECT_TRUE(dict->has("acad_dimassoc"));
  EXPECT_EQ(dict->getAt("ACAD_DIMASSOC"), entry);
  EXPECT_EQ(dict->numEntries(), 1);
  auto it = dict->newIterator();
  ASSERT_FALSE(it->done());
  EXPECT_EQ(it->name(), "ACAD_DIMASSOC");
  EXPECT_TRUE(dict->remove("ACAD_DIMASSOC"));
  EXPECT_FALSE(dict->has("ACAD_DIMASSOC"));
  EXPECT_THROW(dict->setAt("", OdDbXrecord::createObject()), OdError);
}

TEST(Clone, ACloneIsAFreeCopyThatATableAccepts) {
  OdDbDatabase db;
  OdDbDimStyleTableRecordPtr base = addStyle(db, "Base", 0.75).safeOpenObject();
  OdDbDimStyleTableRecordPtr copy = base->clone();
  EXPECT_FALSE(copy->isDBRO());
  EXPECT_DOUBLE_EQ(copy->dimasz(), 0.75);
  copy->setName("Base$3");
  copy->setDimasz(0.1);  // a free object may always be changed
  OdDbDimStyleTablePtr t = db.getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
  OdDbObjectId id = t->add(copy);
  EXPECT_EQ(OdDbDimStyleTableRecordPtr(id.safeOpenObject())->getName(), "Base$3");
  EXPECT_DOUBLE_EQ(base->dimasz(), 0.75);
}
