// Entities carried by maps (the modify commands' moves, turns, mirrors and
// scales) and stretched: every shape lands where the map puts its points,
// dimensions keep (or scale) what they measure, text stays readable unless
// MIRRTEXT asks otherwise, and what cannot be carried is refused whole.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "../shared/every_dimension_kind.h"
#include "OdDbCurves.h"
#include "OdDbEntities.h"
#include "OdDbEntityKinds.h"
#include "OdDbFaces.h"
#include "OdDbLeader.h"
#include "OdDbTransform.h"
#include "db_test_util.h"

namespace {

constexpr double kPi = std::numbers::pi;

void expectNear(const OdGePoint3d& a, const OdGePoint3d& b, const char* what) {
  EXPECT_NEAR(a.distanceTo(b), 0.0, 1e-9) << what << ": (" << a.x << "," << a.y << "," << a.z << ") vs (" << b.x
                                          << "," << b.y << "," << b.z << ")";
}

OdGePoint3d onCircle(const OdGePoint3d& c, double r, double a) { return {c.x + r * std::cos(a), c.y + r * std::sin(a), c.z}; }

// The points that say where a curve runs: its ends and a point between,
// in the order it runs (so that a mirror that forgot to turn an arc round
// shows).
std::vector<OdGePoint3d> runningPoints(const OdDbEntity& e) {
  if (auto a = OdDbArc::cast(&e)) {
    double sweep = std::fmod(a->endAngle() - a->startAngle(), 2 * kPi);
    if (sweep <= 0) sweep += 2 * kPi;
    return {onCircle(a->center(), a->radius(), a->startAngle()),
            onCircle(a->center(), a->radius(), a->startAngle() + sweep / 2),
            onCircle(a->center(), a->radius(), a->endAngle())};
  }
  if (auto c = OdDbCircle::cast(&e)) return {c->center()};
  if (auto l = OdDbLine::cast(&e)) return {l->startPoint(), l->endPoint()};
  if (auto p = OdDbPolyline::cast(&e)) {
    // The first segment's arc by its bulge: its middle point.
    const auto v0 = p->vertexAt(0), v1 = p->vertexAt(1);
    const double chordX = v1.x - v0.x, chordY = v1.y - v0.y;
    const double sagitta = v0.bulge / 2;  // over the chord, to the right of travel
    const OdGePoint3d mid{(v0.x + v1.x) / 2 + sagitta * chordY, (v0.y + v1.y) / 2 - sagitta * chordX};
    return {{v0.x, v0.y}, mid, {v1.x, v1.y}};
  }
  if (auto el = OdDbEllipse::cast(&e)) {
    auto at = [&](double t) {
      const OdGeVector3d major = el->majorAxis();
      const OdGeVector3d n = el->normal();
      const OdGeVector3d minor = OdGeVector3d(n.y * major.z - n.z * major.y, n.z * major.x - n.x * major.z,
                                              n.x * major.y - n.y * major.x) * el->radiusRatio();
      return el->center() + major * std::cos(t) + minor * std::sin(t);
    };
    return {at(el->startParam()), at((el->startParam() + el->endParam()) / 2), at(el->endParam())};
  }
  if (auto s = OdDbSpline::cast(&e)) return s->controlPoints();
  if (auto f = OdDbFace::cast(&e)) return {f->vertexAt(0), f->vertexAt(1), f->vertexAt(2), f->vertexAt(3)};
  if (auto s = OdDbSolid::cast(&e)) return {s->pointAt(0), s->pointAt(1), s->pointAt(2), s->pointAt(3)};
  if (auto l = OdDbLeader::cast(&e)) return l->vertices();
  if (auto pt = OdDbPoint::cast(&e)) return {pt->position()};
  if (auto r = OdDbRay::cast(&e)) return {r->basePoint()};
  return {};
}

std::vector<OdDbEntityPtr> everyCurve() {
  OdDbLinePtr line = OdDbLine::createObject();
  line->setStartPoint({1, 2}), line->setEndPoint({7, -3});
  OdDbCirclePtr circle = OdDbCircle::createObject();
  circle->setCenter({4, 4}), circle->setRadius(2);
  OdDbArcPtr arc = OdDbArc::createObject();
  arc->setCenter({-3, 1}), arc->setRadius(3), arc->setStartAngle(0.3), arc->setEndAngle(2.0);
  OdDbPolylinePtr poly = OdDbPolyline::createObject();
  poly->addVertexAt(0, 0, 0, 0.6), poly->addVertexAt(1, 5, 1), poly->addVertexAt(2, 6, 6);
  OdDbEllipsePtr ellipse = OdDbEllipse::createObject();
  ellipse->setCenter({2, -5}), ellipse->setMajorAxis({4, 1, 0}), ellipse->setRadiusRatio(0.5);
  ellipse->setStartParam(0.4), ellipse->setEndParam(2.5);
  OdDbSplinePtr spline = OdDbSpline::createObject();
  spline->setControlPoints({{0, 0}, {1, 3}, {4, 3}, {5, 0}});
  OdDbFacePtr face = OdDbFace::createObject();
  for (int i = 0; i < 4; ++i) face->setVertexAt(i, {double(i), double(i * i), 1});
  OdDbSolidPtr solid = OdDbSolid::createObject();
  for (int i = 0; i < 4; ++i) solid->setPointAt(i, {double(i % 2), double(i / 2)});
  OdDbLeaderPtr leader = OdDbLeader::createObject();
  leader->setVertices({{0, 0}, {3, 3}, {6, 3}});
  OdDbPointPtr point = OdDbPoint::createObject();
  point->setPosition({9, 9});
  OdDbRayPtr ray = OdDbRay::createObject();
  ray->setBasePoint({1, 1}), ray->setUnitDir({1, 1, 0});
  return {line, circle, arc, poly, ellipse, spline, face, solid, leader, point, ray};
}

struct NamedMap {
  const char* name;
  OdGeMatrix3d map;
};

std::vector<NamedMap> commandMaps() {
  return {{"move", OdGeMatrix3d::translation({5, -2, 0})},
          {"rotate", OdGeMatrix3d::rotation(0.7, OdGeVector3d::kZAxis(), {3, 4})},
          {"scale", OdGeMatrix3d::scaling(2.5, {2, -1})},
          {"mirror", OdGeMatrix3d::mirroring({1, 1}, {4, 5})}};
}

}  // namespace

TEST(Transform, CurvesLandWhereTheMapPutsTheirPointsInTheOrderTheyRun) {
  for (const NamedMap& m : commandMaps()) {
    for (const OdDbEntityPtr& entity : everyCurve()) {
      SCOPED_TRACE(std::string(m.name) + " " + entity->isA()->name());
      const std::vector<OdGePoint3d> before = runningPoints(*entity);
      const double radius = OdDbCircle::cast(entity) ? OdDbCircle::cast(entity)->radius() : 0.0;
      ASSERT_EQ(canTransformEntity(*entity, m.map), OdDbTransformCheck::kOk);
      transformEntity(*entity, m.map);
      const std::vector<OdGePoint3d> after = runningPoints(*entity);
      ASSERT_EQ(after.size(), before.size());
      // A mirrored arc runs the other way round: its points in reverse.
      const bool reversed = m.map.det() < 0 && (OdDbArc::cast(entity) || OdDbEllipse::cast(entity));
      for (std::size_t i = 0; i < before.size(); ++i)
        expectNear(after[reversed ? after.size() - 1 - i : i], m.map.apply(before[i]), "point");
      if (auto c = OdDbCircle::cast(entity)) {
        EXPECT_NEAR(c->radius(), radius * *m.map.uniformScale(), 1e-12);
      }
    }
  }
}

TEST(Transform, DimensionsMeasureTheSameOrTheScaledLength) {
  for (const NamedMap& m : commandMaps()) {
    OdDbDatabase db;
    for (OdDbObjectId id : addOneDimensionOfEveryKind(db)) {
      OdDbDimensionPtr dim = id.safeOpenObject(OdDb::kForWrite);
      SCOPED_TRACE(std::string(m.name) + " " + dim->isA()->name());
      // An ordinate dimension measures along the drawing's axes: turned or
      // mirrored, it measures what its points now span along them.
      if (OdDbOrdinateDimension::cast(dim) && (m.map.det() < 0 || std::string(m.name) == "rotate")) continue;
      const double before = dim->getMeasurement();
      const bool angular = OdDb2LineAngularDimension::cast(dim) || OdDb3PointAngularDimension::cast(dim);
      transformEntity(*dim, m.map);
      const double factor = angular ? 1.0 : *m.map.uniformScale();
      EXPECT_NEAR(dim->getMeasurement(), before * factor, 1e-9);
      EXPECT_TRUE(dim->isDimBlockOutOfDate());
      EXPECT_TRUE(dim->isUsingDefaultTextPosition()) << "a position the dimension chose stays its choice";
    }
  }
}

TEST(Transform, MirroredTextReadsAsBeforeUnlessMirrtextAndMultilineTextAlways) {
  const OdGeMatrix3d acrossY = OdGeMatrix3d::mirroring({10, 0}, {10, 1});
  for (const bool mirrorText : {false, true}) {
    OdDbTextPtr text = OdDbText::createObject();
    text->setPosition({2, 3}), text->setTextString("AB");
    transformEntity(*text, acrossY, mirrorText);
    SCOPED_TRACE(mirrorText ? "MIRRTEXT 1" : "MIRRTEXT 0");
    if (mirrorText) {
      // Running leftwards from the mirrored point, turned over its baseline.
      expectNear(text->position(), {18, 3}, "position");
      EXPECT_NEAR(std::cos(text->rotation()), -1, 1e-12);
      EXPECT_EQ(text->generationFlags() & 4, 4);
    } else {
      // Readable, right-justified at the mirrored start: it covers the
      // mirrored place.
      EXPECT_NEAR(std::remainder(text->rotation(), 2 * kPi), 0, 1e-12);
      EXPECT_EQ(text->generationFlags(), 0);
      EXPECT_EQ(text->horizontalMode(), 2);
      expectNear(text->alignmentPoint(), {18, 3}, "alignment point");
    }
  }
  OdDbMTextPtr mtext = OdDbMText::createObject();
  mtext->setLocation({2, 3}), mtext->setAttachment(1), mtext->setRotation(0.2);
  transformEntity(*mtext, acrossY, true);
  expectNear(mtext->location(), {18, 3}, "location");
  EXPECT_NEAR(std::remainder(mtext->rotation(), 2 * kPi), -0.2, 1e-12);
  EXPECT_EQ(mtext->attachment(), 3) << "top left becomes top right";
}

TEST(Transform, BlockReferencesAndPlanesFollowTheMap) {
  OdDbBlockReferencePtr insert = OdDbBlockReference::createObject();
  insert->setPosition({1, 2}), insert->setRotation(0.5), insert->setScaleFactors({2, 3, 1});
  transformEntity(*insert, OdGeMatrix3d::rotation(0.25, OdGeVector3d::kZAxis(), {}) *
                               OdGeMatrix3d::scaling(2, {}));
  EXPECT_NEAR(insert->rotation(), 0.75, 1e-12);
  EXPECT_NEAR(insert->scaleFactors().x, 4, 1e-12);
  EXPECT_NEAR(insert->scaleFactors().y, 6, 1e-12);
  transformEntity(*insert, OdGeMatrix3d::mirroring({0, 0}, {0, 1}));
  EXPECT_LT(insert->scaleFactors().x, 0) << "mirrored along its own X axis";
  // A circle on a plane facing down: the point given in its own plane
  // lands where the world point went.
  OdDbCirclePtr circle = OdDbCircle::createObject();
  circle->setNormal({0, 0, -1}), circle->setCenter({3, 4, 0});  // the world's (-3, 4)
  transformEntity(*circle, OdGeMatrix3d::translation({1, 0, 0}));
  expectNear(circle->center(), {2, 4, 0}, "centre in its plane");
  EXPECT_EQ(circle->normal(), OdGeVector3d(0, 0, -1));
}

TEST(Transform, WhatCannotBeCarriedIsRefusedAndLeftAsItWas) {
  OdDbDatabase db;
  // A record kept as read: an entity class the database does not model.
  struct Kept : OdDbEntity {
    const OdRxClass* isA() const override { return OdDbEntity::desc(); }
    OdDbObject* cloneRaw() const override { return new Kept(*this); }
    void assignFrom(const OdDbObject& o) override { *this = static_cast<const Kept&>(o); }
  };
  OdSmartPtr<Kept> kept(new Kept());
  const OdGeMatrix3d move = OdGeMatrix3d::translation({1, 0, 0});
  EXPECT_EQ(canTransformEntity(*kept, move), OdDbTransformCheck::kKeptAsRead);
  EXPECT_EQ(thrownError([&] { transformEntity(*kept, move); }).code(), eInvalidInput);
  OdDbBlockReferencePtr withAttributes = OdDbBlockReference::createObject();
  auto extras = std::make_shared<OdDbInsertExtras>();
  extras->attributes.emplace_back();
  withAttributes->setInsertExtras(extras);
  EXPECT_EQ(canTransformEntity(*withAttributes, move), OdDbTransformCheck::kKeptAsRead);
  // A map that does not keep shapes has no circle to make of a circle.
  OdGeMatrix3d stretchX;
  stretchX.m[0][0] = 2;
  OdDbCirclePtr circle = OdDbCircle::createObject();
  EXPECT_EQ(thrownError([&] { transformEntity(*circle, stretchX); }).code(), eInvalidInput);
  EXPECT_EQ(circle->radius(), 1.0);
  EXPECT_EQ(canTransformEntity(*OdDbLine::createObject(), stretchX), OdDbTransformCheck::kOk);
  // Carried beyond the range of numbers: refused, for the command to take
  // back what it changed, never left for the file to choke on.
  OdDbLinePtr far = OdDbLine::createObject();
  far->setEndPoint({1e308, 0});
  EXPECT_EQ(thrownError([&] { transformEntity(*far, OdGeMatrix3d::translation({1e308, 0, 0})); }).code(),
            eInvalidInput);
  EXPECT_EQ(thrownError([&] { stretchEntity(*far, [](const OdGePoint3d&) { return true; }, {1e308, 0, 0}); }).code(),
            eInvalidInput);
}

TEST(Transform, StretchMovesOnlyThePointsInside) {
  auto inside = [](const OdGePoint3d& p) { return p.x > 8; };
  const OdGeVector3d offset{3, 0, 0};
  OdDbLinePtr line = OdDbLine::createObject();
  line->setStartPoint({0, 0}), line->setEndPoint({10, 0});
  EXPECT_TRUE(stretchEntity(*line, inside, offset));
  expectNear(line->startPoint(), {0, 0}, "start stays");
  expectNear(line->endPoint(), {13, 0}, "end moves");
  OdDbAlignedDimensionPtr dim = OdDbAlignedDimension::createObject();
  dim->setXLine1Point({0, 0}), dim->setXLine2Point({10, 0}), dim->setDimLinePoint({5, 2});
  EXPECT_TRUE(stretchEntity(*dim, inside, offset));
  EXPECT_NEAR(dim->getMeasurement(), 13, 1e-12);
  OdDbArcPtr arc = OdDbArc::createObject();
  arc->setCenter({1, 1});
  EXPECT_FALSE(stretchEntity(*arc, inside, offset)) << "its centre is outside: it stays";
  expectNear(arc->center(), {1, 1}, "arc");
}
