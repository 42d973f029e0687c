// Per-entity overrides on dimensions and leaders.
#include <gtest/gtest.h>

#include "db_test_util.h"
#include "OdDmUtil.h"

TEST(Overrides, SetDimstyleDataKeepsOnlyTheDifferences) {
  OdDbDatabase db;
  OdDbObjectId style = addStyle(db, "S", 0.5);
  OdDbDimensionPtr dim = addRotatedDim(db, style).safeOpenObject(OdDb::kForWrite);
  OdDbDimStyleTableRecordPtr temp = OdDbDimStyleTableRecord::createObject();
  dim->getDimstyleData(temp.get());
  EXPECT_DOUBLE_EQ(temp->dimasz(), 0.5);
  temp->setDimtxt(0.25);
  temp->setDimclrd(OdCmColor::fromIndex(1));
  dim->setDimstyleData(temp.get());
  ASSERT_EQ(dim->dimOverrides().items().size(), 2u);
  EXPECT_DOUBLE_EQ(dim->dimtxt(), 0.25);
  EXPECT_EQ(dim->dimclrd(), OdCmColor::fromIndex(1));
  EXPECT_DOUBLE_EQ(dim->dimasz(), 0.5);
  // Giving back the style's own values removes the overrides, all at once
  // or one by one.
  dim->setDimstyleData(style);
  EXPECT_TRUE(dim->dimOverrides().empty());
  dim->setDimasz(0.6);
  EXPECT_EQ(dim->dimOverrides().items().size(), 1u);
  dim->setDimasz(0.5);
  EXPECT_TRUE(dim->dimOverrides().empty());
  EXPECT_TRUE(dim->isDimBlockOutOfDate());
}

TEST(Overrides, ChangingTheStyleChangesEveryValueNotOverridden) {
  OdDbDatabase db;
  OdDbObjectId style = addStyle(db, "S", 0.5);
  OdDbObjectId d = addRotatedDim(db, style);
  {
    OdDbDimensionPtr dim = d.safeOpenObject(OdDb::kForWrite);
    dim->setDimtxt(0.3);
  }
  {
    OdDbDimStyleTableRecordPtr rec = style.safeOpenObject(OdDb::kForWrite);
    rec->setDimasz(0.9);
    rec->setDimtxt(0.7);
  }
  OdDbDimensionPtr dim = d.safeOpenObject();
  EXPECT_DOUBLE_EQ(dim->dimasz(), 0.9);  // follows the style
  EXPECT_DOUBLE_EQ(dim->dimtxt(), 0.3);  // stays overridden
}

TEST(Overrides, LeadersCarryStyleAndOverridesToo) {
  OdDbDatabase db;
  OdDbObjectId style = addStyle(db, "S");
  OdDbLeaderPtr ldr = addLeader(db, style).safeOpenObject(OdDb::kForWrite);
  ldr->setDimldrblk(OdDmUtil::getArrowId("_Dot", &db));
  EXPECT_EQ(OdDmUtil::arrowName(ldr->dimldrblk()), "_Dot");
  EXPECT_EQ(ldr->dimOverrides().items().size(), 1u);
  EXPECT_THROW(ldr->setDimensionStyle(db.getLayerZeroId()), OdError);
  EXPECT_THROW(ldr->vertexAt(5), OdError);
}

TEST(Overrides, MeasurementsOfEachKind) {
  OdDbRotatedDimensionPtr rot = OdDbRotatedDimension::createObject();
  rot->setXLine1Point({0, 0});
  rot->setXLine2Point({3, 4});
  EXPECT_DOUBLE_EQ(rot->getMeasurement(), 3.0);
  rot->setRotation(M_PI / 2);
  EXPECT_NEAR(rot->getMeasurement(), 4.0, 1e-12);
  OdDbAlignedDimensionPtr al = OdDbAlignedDimension::createObject();
  al->setXLine2Point({3, 4});
  EXPECT_DOUBLE_EQ(al->getMeasurement(), 5.0);
  OdDbDiametricDimensionPtr dia = OdDbDiametricDimension::createObject();
  dia->setChordPoint({-2, 0});
  dia->setFarChordPoint({2, 0});
  EXPECT_DOUBLE_EQ(dia->getMeasurement(), 4.0);
  OdDb3PointAngularDimensionPtr ang = OdDb3PointAngularDimension::createObject();
  ang->setXLine1Point({1, 0});
  ang->setXLine2Point({0, 1});
  ang->setArcPoint({1, 1});
  EXPECT_NEAR(ang->getMeasurement(), M_PI / 2, 1e-12);
  ang->setArcPoint({-1, -1});  // on the far side: the reflex angle
  EXPECT_NEAR(ang->getMeasurement(), 3 * M_PI / 2, 1e-12);
  // Two lines make four sectors; the arc point picks one: the angle
  // between the lines or its supplement, as the arc is drawn.
  OdDb2LineAngularDimensionPtr two = OdDb2LineAngularDimension::createObject();
  two->setXLine1Start({100, 80});
  two->setXLine1End({120, 60});
  two->setXLine2Start({120, 0});
  two->setXLine2End({120, 60});
  for (auto [arc, degrees] : {std::pair<OdGePoint3d, double>{{112, 75}, 45}, {{110, 50}, 135},
                              {{130, 40}, 45}, {{125, 70}, 135}}) {
    two->setArcPoint(arc);
    EXPECT_NEAR(two->getMeasurement(), degrees * M_PI / 180, 1e-12) << arc.x << "," << arc.y;
  }
  OdDbOrdinateDimensionPtr ord = OdDbOrdinateDimension::createObject();
  ord->setDefiningPoint({7, -3});
  ord->useYAxis();
  EXPECT_DOUBLE_EQ(ord->getMeasurement(), 3.0);
  OdDbArcDimensionPtr arc = OdDbArcDimension::createObject();
  arc->setXLine1Point({1, 0});
  arc->setXLine2Point({-1, 0});
  arc->setArcPoint({0, 1});
  EXPECT_NEAR(arc->getMeasurement(), M_PI, 1e-12);
  QrHugeRadiusPtr jog = QrHugeRadius::createObject();
  EXPECT_THROW(jog->setJogAngle(0.01), OdError);
  jog->setJogAngle(M_PI / 3);
  EXPECT_DOUBLE_EQ(jog->jogAngle(), M_PI / 3);
}

TEST(Overrides, ATextRotationThatIsNoNumberIsRefused) {
  OdDbDatabase db;
  OdDbDimensionPtr dim = addRotatedDim(db, db.getDimStyleStandardId()).safeOpenObject(OdDb::kForWrite);
  EXPECT_THROW(dim->setTextRotation(std::nan("")), OdError);
}
