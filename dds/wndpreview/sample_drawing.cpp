#include "sample_drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "OdDbBlockTableRecord.h"

namespace dds {
namespace {

constexpr OdInt16 kOutlineColor = 43;

OdGeVector3d leaderRay() {
  const double k = 1 / std::numbers::sqrt2;
  return {k, k, 0};
}

OdGePoint3d operator*(const OdGePoint3d& p, double u) { return {p.x * u, p.y * u, p.z * u}; }

template <class T>
OdSmartPtr<T> append(OdDbBlockTableRecord* space, OdDbDatabase* db, OdSmartPtr<T> entity) {
  entity->setDatabaseDefaults(db);
  space->appendOdDbEntity(entity);
  return entity;
}

// The stored position is where the text starts out; the dimension keeps
// placing its text itself.
void setInitialTextPosition(OdDbDimension* dim, const OdGePoint3d& p) {
  dim->setTextPosition(p);
  dim->useDefaultTextPosition();
}

OdDbRotatedDimensionPtr linear(OdDbBlockTableRecord* space, OdDbDatabase* db, OdGePoint3d p1, OdGePoint3d p2,
                               OdGePoint3d line, double rotation, OdGePoint3d text, double u) {
  OdDbRotatedDimensionPtr d = OdDbRotatedDimension::createObject();
  d->setXLine1Point(p1 * u);
  d->setXLine2Point(p2 * u);
  d->setDimLinePoint(line * u);
  d->setRotation(rotation);
  setInitialTextPosition(d.get(), text * u);
  d->setDimensionStyle(db->getDimstyle());
  return append(space, db, d);
}

}  // namespace

int previewKindOfChildDigit(int digit) {
  switch (digit) {
    case -1: return kPreviewAll;
    case 0: return kPreviewLinear;
    case 2: return kPreviewAngular;
    case 3: return kPreviewDiameter;
    case 4: return kPreviewRadius;
    case 6: return kPreviewOrdinate;
    case 7: return kPreviewLeader;
    default: return -1;
  }
}

bool SampleEntities::complete() const {
  return outline && hole && linear[0] && linear[1] && linear[2] && leaderText && leader && radial && diametric &&
         angular && ordinate[0] && ordinate[1];
}

std::vector<OdDbEntity*> SampleEntities::shown(int kind) const {
  std::vector<OdDbEntity*> out{outline.get(), hole.get()};
  auto addLinear = [&] {
    for (const auto& d : linear) out.push_back(d.get());
  };
  switch (kind) {
    case kPreviewAll:
      addLinear();
      out.push_back(radial.get());
      out.push_back(angular.get());
      out.push_back(leader.get());
      out.push_back(leaderText.get());
      break;
    case kPreviewLinear: addLinear(); break;
    case kPreviewDiameter: out.push_back(diametric.get()); break;
    case kPreviewRadius: out.push_back(radial.get()); break;
    case kPreviewAngular: out.push_back(angular.get()); break;
    case kPreviewOrdinate:
      out.push_back(ordinate[0].get());
      out.push_back(ordinate[1].get());
      break;
    case kPreviewLeader:
      out.push_back(leader.get());
      out.push_back(leaderText.get());
      break;
    default: break;
  }
  return out;
}

std::vector<OdDbDimension*> SampleEntities::dimensions() const {
  return {linear[0].get(), linear[1].get(), linear[2].get(), radial.get(), diametric.get(),
          angular.get(),   ordinate[0].get(), ordinate[1].get()};
}

double sampleUnit(OdDb::MeasurementValue measurement) {
  if (measurement == OdDb::kMetric) return 1.0;
  return OdDbDimVars::imperialDefaults().txt / OdDbDimVars::metricDefaults().txt;
}

// The leader runs out of the hole past the plate's corner; its note starts
// just beyond its end, level with it. Notes taller than the sample's own
// (2.5) go out farther by their extra height, so that they do not run into
// the dimension text above the plate, which grows with them.
constexpr double kLeaderReach = 4.5;  // hole radii from the centre
constexpr double kSampleTextHeight = 2.5;
OdGePoint3d sampleLeaderEnd(double unit, double textHeight) {
  const double extra = std::max(0.0, textHeight / unit - kSampleTextHeight) * 2.5;
  return (kSampleHoleCentre + leaderRay() * (kLeaderReach * kSampleHoleRadius + extra)) * unit;
}

OdGePoint3d sampleLeaderTextLocation(double unit, double textHeight) {
  return sampleLeaderEnd(unit, textHeight) + OdGeVector3d(0.8 * unit, 0, 0);
}

SampleEntities createSampleEntities(OdDbDatabase* db, const OdString& leaderText) {
  SampleEntities s;
  const double u = sampleUnit(db->getMEASUREMENT());
  OdDbBlockTableRecordPtr space = db->getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  OdDbBlockTableRecord* ms = space.get();

  OdDbPolylinePtr outline = OdDbPolyline::createObject();
  const double vertices[7][2] = {{9.9498, 0.6943},  {41.6007, 0.6943},  {29.6659, 21.3887}, {14.491, 21.3887},
                                 {14.491, 24.7083}, {-0.0502, 24.7083}, {-0.0502, 10.6943}};
  for (unsigned i = 0; i < 7; ++i) outline->addVertexAt(i, vertices[i][0] * u, vertices[i][1] * u);
  // The arc from the last vertex back to the first rounds the plate's corner.
  outline->setBulgeAt(6, 0.48816666666666664);
  outline->setClosed(true);
  outline->setColorIndex(kOutlineColor);
  s.outline = append(ms, db, outline);

  OdDbCirclePtr hole = OdDbCircle::createObject();
  hole->setCenter(kSampleHoleCentre * u);
  hole->setRadius(kSampleHoleRadius * u);
  hole->setColorIndex(kOutlineColor);
  s.hole = append(ms, db, hole);

  s.linear[0] = linear(ms, db, {-0.0502, 24.7083}, {14.491, 24.7083}, {0.0, 34.0278}, 0.0, {7.2204, 38.0}, u);
  s.linear[1] = linear(ms, db, {-0.0502, 10.6943}, {-0.0502, 24.7083}, {-9.0, 20.0}, std::numbers::pi / 2,
                       {-14.0, 18.0}, u);
  s.linear[2] = linear(ms, db, {29.6659, 21.3887}, {41.6007, 0.6943}, {38.8064, 26.6602}, -1.0472, {50.0, 20.0}, u);

  OdDbMTextPtr text = OdDbMText::createObject();
  text->setContents(leaderText);
  text->setRotation(0.0);  // along the X axis
  text->setAttachment(kSampleLeaderAttachment);
  text->setLocation(sampleLeaderTextLocation(u));
  s.leaderText = append(ms, db, text);

  OdDbLeaderPtr leader = OdDbLeader::createObject();
  leader->appendVertex((kSampleHoleCentre + leaderRay() * kSampleHoleRadius) * u);
  leader->appendVertex(sampleLeaderEnd(u));
  leader->setDimensionStyle(db->getDimstyle());
  s.leader = append(ms, db, leader);
  s.leader->attachAnnotation(s.leaderText->objectId());

  OdDbRadialDimensionPtr radial = OdDbRadialDimension::createObject();
  radial->setCenter(kSampleHoleCentre * u);
  radial->setChordPoint(OdGePoint3d(6.815, 5.5783) * u);
  setInitialTextPosition(radial.get(), OdGePoint3d(-0.0492, -5.6243) * u);
  radial->setDimensionStyle(db->getDimstyle());
  s.radial = append(ms, db, radial);

  OdDbDiametricDimensionPtr diametric = OdDbDiametricDimension::createObject();
  diametric->setChordPoint(OdGePoint3d(13.7132, 6.0213) * u);
  diametric->setFarChordPoint(OdGePoint3d(6.1864, 15.3673) * u);
  setInitialTextPosition(diametric.get(), OdGePoint3d(25.7053, -8.8692) * u);
  diametric->setDimensionStyle(db->getDimstyle());
  s.diametric = append(ms, db, diametric);

  OdDb3PointAngularDimensionPtr angular = OdDb3PointAngularDimension::createObject();
  angular->setCenterPoint(OdGePoint3d(41.6007, 0.6943) * u);
  angular->setXLine1Point(OdGePoint3d(34.0, 0.6943) * u);
  angular->setXLine2Point(OdGePoint3d(38.2905, 6.4341) * u);
  angular->setArcPoint(OdGePoint3d(25.6614, 7.3991) * u);
  setInitialTextPosition(angular.get(), OdGePoint3d(20.0, 14.0) * u);
  angular->setDimensionStyle(db->getDimstyle());
  s.angular = append(ms, db, angular);

  const OdGePoint3d ends[2] = {{32.8849, 10.6412}, {8.8453, 35.7118}};
  for (int i = 0; i < 2; ++i) {
    OdDbOrdinateDimensionPtr o = OdDbOrdinateDimension::createObject();
    o->setDefiningPoint(kSampleHoleCentre * u);
    o->setLeaderEndPoint(ends[i] * u);
    // The leader runs along the axis the measurement is not taken on.
    if (i == 0) o->useYAxis(); else o->useXAxis();
    o->setDimensionStyle(db->getDimstyle());
    s.ordinate[i] = append(ms, db, o);
  }
  return s;
}

}  // namespace dds

