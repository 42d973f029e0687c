#include "OdDbDimAssocFollow.h"

#include <cmath>
#include <numbers>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "OdDbDatabase.h"
#include "OdDbDictionary.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

std::function<void(OdDbHandle, OdDbDimAssocLoss)>& noteSink() {
  static std::function<void(OdDbHandle, OdDbDimAssocLoss)> sink;
  return sink;
}

void note(OdDbHandle dimension, OdDbDimAssocLoss why) {
  if (noteSink()) noteSink()(dimension, why);
}

OdGePoint3d onCircle(const OdGePoint3d& c, double r, double angle) {
  return c + OdGeVector3d(std::cos(angle), std::sin(angle), 0.0) * r;
}

double angleOf(const OdGePoint3d& c, const OdGePoint3d& p) { return std::atan2(p.y - c.y, p.x - c.x); }

// A straight piece or an arc of an object, as snaps see it.
struct Piece {
  OdGePoint3d start, end;
  bool arc = false;
  OdGePoint3d centre;
  double radius = 0, startAngle = 0, endAngle = 0;  // end > start for arcs
  bool full = false;                                // a circle
};

std::optional<Piece> lineOf(const OdGePoint3d& a, const OdGePoint3d& b) {
  Piece p;
  p.start = a, p.end = b;
  return p;
}

std::optional<Piece> arcOf(const OdGePoint3d& c, double r, double start, double end, bool full) {
  Piece p;
  p.arc = true, p.full = full, p.centre = c, p.radius = r;
  p.startAngle = start;
  p.endAngle = end;
  if (!full) {
    while (p.endAngle <= p.startAngle) p.endAngle += kTwoPi;
  } else {
    p.endAngle = start + kTwoPi;
  }
  p.start = onCircle(c, r, p.startAngle);
  p.end = onCircle(c, r, p.endAngle);
  return p;
}

// Segment `gsMarker` (from 1) of a light polyline.
std::optional<Piece> polylineSegment(const OdDbPolyline& pl, OdInt32 gsMarker) {
  const unsigned n = pl.numVerts();
  const unsigned segments = pl.isClosed() ? n : (n > 0 ? n - 1 : 0);
  if (gsMarker < 1 || unsigned(gsMarker) > segments) return std::nullopt;
  const auto a = pl.vertexAt(unsigned(gsMarker - 1)), b = pl.vertexAt(unsigned(gsMarker) % n);
  const OdGePoint3d pa(a.x, a.y, pl.elevation()), pb(b.x, b.y, pl.elevation());
  if (a.bulge == 0.0) return lineOf(pa, pb);
  // A bulge is the tangent of a quarter of the included angle, positive
  // counter-clockwise.
  const double included = 4 * std::atan(a.bulge);
  const double chord = pa.distanceTo(pb);
  if (chord == 0.0) return lineOf(pa, pb);
  const double r = chord / (2 * std::sin(std::fabs(included) / 2));
  const OdGeVector3d along = (pb - pa) * (1.0 / chord);
  const OdGeVector3d left(-along.y, along.x, 0.0);
  const double toCentre = r * std::cos(included / 2) * (a.bulge > 0 ? 1 : -1);
  const OdGePoint3d mid = pa + (pb - pa) * 0.5;
  const OdGePoint3d c = mid + left * toCentre;
  auto p = a.bulge > 0 ? arcOf(c, r, angleOf(c, pa), angleOf(c, pb), false)
                       : arcOf(c, r, angleOf(c, pb), angleOf(c, pa), false);
  // The piece runs from the first vertex to the second whatever the turn.
  p->start = pa, p->end = pb;
  return p;
}

std::optional<Piece> pieceOf(const OdDbEntity& e, OdInt32 gsMarker) {
  if (auto l = OdDbLine::cast(&e)) return lineOf(l->startPoint(), l->endPoint());
  if (auto a = OdDbArc::cast(&e)) return arcOf(a->center(), a->radius(), a->startAngle(), a->endAngle(), false);
  if (auto c = OdDbCircle::cast(&e)) return arcOf(c->center(), c->radius(), 0.0, 0.0, true);
  if (auto pl = OdDbPolyline::cast(&e)) return polylineSegment(*pl, gsMarker);
  return std::nullopt;
}

OdGePoint3d middleOf(const Piece& p) {
  if (!p.arc) return p.start + (p.end - p.start) * 0.5;
  return onCircle(p.centre, p.radius, (p.startAngle + p.endAngle) / 2);
}

// The point at parameter t: 0 to 1 along a straight piece, the angle on an
// arc.
OdGePoint3d pointAt(const Piece& p, double t) {
  return p.arc ? onCircle(p.centre, p.radius, t) : p.start + (p.end - p.start) * t;
}

double paramNear(const Piece& p, const OdGePoint3d& q) {
  if (p.arc) return angleOf(p.centre, q);
  const OdGeVector3d d = p.end - p.start;
  const double len2 = d.x * d.x + d.y * d.y + d.z * d.z;
  if (len2 == 0) return 0;
  const OdGeVector3d w = q - p.start;
  return (w.x * d.x + w.y * d.y + w.z * d.z) / len2;
}

// Where two pieces (lines extended, whole circles) cross, nearest to `near`.
std::optional<OdGePoint3d> crossingOf(const Piece& a, const Piece& b, const OdGePoint3d& near) {
  std::vector<OdGePoint3d> found;
  if (!a.arc && !b.arc) {
    const OdGeVector3d d1 = a.end - a.start, d2 = b.end - b.start, w = b.start - a.start;
    const double den = d1.x * d2.y - d1.y * d2.x;
    if (std::fabs(den) <= 1e-12 * d1.length() * d2.length()) return std::nullopt;
    found.push_back(a.start + d1 * ((w.x * d2.y - w.y * d2.x) / den));
  } else if (a.arc != b.arc) {
    const Piece& l = a.arc ? b : a;
    const Piece& c = a.arc ? a : b;
    const OdGeVector3d d = l.end - l.start, f = l.start - c.centre;
    const double A = d.x * d.x + d.y * d.y, B = 2 * (f.x * d.x + f.y * d.y),
                 C = f.x * f.x + f.y * f.y - c.radius * c.radius;
    const double disc = B * B - 4 * A * C;
    if (A == 0 || disc < 0) return std::nullopt;
    for (double s : {-1.0, 1.0}) found.push_back(l.start + d * ((-B + s * std::sqrt(disc)) / (2 * A)));
  } else {
    const OdGeVector3d d = b.centre - a.centre;
    const double dist = std::hypot(d.x, d.y);
    if (dist == 0 || dist > a.radius + b.radius || dist < std::fabs(a.radius - b.radius)) return std::nullopt;
    const double along = (a.radius * a.radius - b.radius * b.radius + dist * dist) / (2 * dist);
    const double h = std::sqrt(std::max(0.0, a.radius * a.radius - along * along));
    const OdGePoint3d m = a.centre + d * (along / dist);
    const OdGeVector3d perp(-d.y / dist, d.x / dist, 0.0);
    found.push_back(m + perp * h);
    found.push_back(m - perp * h);
  }
  if (found.empty()) return std::nullopt;
  OdGePoint3d best = found.front();
  for (const OdGePoint3d& p : found)
    if (p.distanceTo(near) < best.distanceTo(near)) best = p;
  return best;
}

// The segment of a polyline nearest to q (from 1).
OdInt32 nearestSegment(const OdDbPolyline& pl, const OdGePoint3d& q) {
  const unsigned n = pl.numVerts();
  const unsigned segments = pl.isClosed() ? n : (n > 0 ? n - 1 : 0);
  OdInt32 best = 1;
  double bestDistance = INFINITY;
  for (unsigned i = 1; i <= segments; ++i) {
    const auto p = polylineSegment(pl, OdInt32(i));
    if (!p) continue;
    double t = paramNear(*p, q);
    if (!p->arc) t = std::clamp(t, 0.0, 1.0);
    const double d = std::min({pointAt(*p, t).distanceTo(q), p->start.distanceTo(q), p->end.distanceTo(q)});
    if (d < bestDistance) bestDistance = d, best = OdInt32(i);
  }
  return best;
}

OdDbEntityPtr entityOf(const OdDbDatabase& db, OdDbHandle h) {
  if (h.isNull()) return OdDbEntityPtr();
  return OdDbEntity::cast(db.getOdDbObjectId(h).openObject());
}

}  // namespace

std::optional<OdDbOsnapPointRef> odDbMakeOsnapRef(const OdDbEntity& on, OdDbOsnapType type,
                                                  const std::optional<OdGePoint3d>& near, const OdDbEntity* second) {
  OdDbOsnapPointRef ref;
  ref.osnapType = type;
  ref.mainObjects = {on.getDbHandle()};
  ref.subentType = 2;  // an edge
  if (auto pl = OdDbPolyline::cast(&on)) {
    const unsigned n = pl->numVerts();
    const OdInt32 segments = OdInt32(pl->isClosed() ? n : (n > 0 ? n - 1 : 0));
    ref.gsMarker = near ? nearestSegment(*pl, *near) : type == OdDbOsnapType::kEnd ? segments : 1;
  }
  const auto piece = pieceOf(on, ref.gsMarker);
  if (!piece) return std::nullopt;
  switch (type) {
    case OdDbOsnapType::kEnd:
    case OdDbOsnapType::kStart: {
      if (piece->full) return std::nullopt;
      const bool start = near ? piece->start.distanceTo(*near) <= piece->end.distanceTo(*near)
                              : type == OdDbOsnapType::kStart;
      ref.osnapType = start ? OdDbOsnapType::kStart : OdDbOsnapType::kEnd;
      ref.geomParam = start ? (piece->arc ? piece->startAngle : 0.0) : (piece->arc ? piece->endAngle : 1.0);
      break;
    }
    case OdDbOsnapType::kMid:
      if (piece->full) return std::nullopt;
      break;
    case OdDbOsnapType::kCen:
      if (!piece->arc) return std::nullopt;
      break;
    case OdDbOsnapType::kNear:
      if (!near) return std::nullopt;
      ref.geomParam = paramNear(*piece, *near);
      break;
    case OdDbOsnapType::kInt: {
      if (!second) return std::nullopt;
      OdDbOsnapPointRef other;
      if (auto pl = OdDbPolyline::cast(second)) other.gsMarker = nearestSegment(*pl, near.value_or(OdGePoint3d()));
      const auto b = pieceOf(*second, other.gsMarker);
      if (!b || !crossingOf(*piece, *b, near.value_or(OdGePoint3d()))) return std::nullopt;
      ref.intersectObjects = {second->getDbHandle()};
      ref.intSubentType = OdInt16(2);
      ref.intGsMarker = other.gsMarker;
      break;
    }
    default:
      return std::nullopt;
  }
  ref.point = near.value_or(OdGePoint3d());
  if (OdDbDatabase* db = on.database()) {
    const auto p = odDbOsnapPoint(*db, ref);
    if (!p) return std::nullopt;
    ref.point = *p;
  }
  return ref;
}

std::optional<OdGePoint3d> odDbOsnapPoint(const OdDbDatabase& db, const OdDbOsnapPointRef& ref) {
  const OdDbEntityPtr on = entityOf(db, ref.mainObject());
  if (!on) return std::nullopt;
  const auto piece = pieceOf(*on, ref.gsMarker);
  if (!piece) return std::nullopt;
  switch (ref.osnapType) {
    case OdDbOsnapType::kStart:
      return piece->full ? std::nullopt : std::optional(piece->start);
    case OdDbOsnapType::kEnd:
      if (piece->full) return std::nullopt;
      // Some files name both ends "end" and tell them by the parameter.
      if (!piece->arc && ref.geomParam == 0.0) return piece->start;
      if (piece->arc && std::fabs(std::remainder(ref.geomParam - piece->startAngle, kTwoPi)) <
                            std::fabs(std::remainder(ref.geomParam - piece->endAngle, kTwoPi)))
        return piece->start;
      return piece->end;
    case OdDbOsnapType::kMid:
      return piece->full ? std::nullopt : std::optional(middleOf(*piece));
    case OdDbOsnapType::kCen:
      return piece->arc ? std::optional(piece->centre) : std::nullopt;
    case OdDbOsnapType::kNear:
      return pointAt(*piece, ref.geomParam);
    case OdDbOsnapType::kInt: {
      const OdDbEntityPtr other = entityOf(db, ref.intersectObject());
      if (!other) return std::nullopt;
      const auto b = pieceOf(*other, ref.intGsMarker.value_or(0));
      if (!b) return std::nullopt;
      return crossingOf(*piece, *b, ref.point);
    }
    default:
      return std::nullopt;
  }
}

namespace {

// The defining points of a dimension by association index, read and set.
struct PointAccess {
  std::function<OdGePoint3d()> get;
  std::function<void(const OdGePoint3d&)> set;
};

template <class D>
void addPoint(std::vector<std::pair<int, PointAccess>>& out, int index, D* d, OdGePoint3d (D::*get)() const,
              void (D::*set)(const OdGePoint3d&)) {
  out.push_back({index, PointAccess{[d, get] { return (d->*get)(); }, [d, set](const OdGePoint3d& p) { (d->*set)(p); }}});
}

std::vector<std::pair<int, PointAccess>> pointsOf(OdDbDimension& dim) {
  std::vector<std::pair<int, PointAccess>> out;
  OdDbDimension* p = &dim;
  if (auto d = dynamic_cast<OdDbRotatedDimension*>(p)) {
    addPoint(out, 0, d, &OdDbRotatedDimension::xLine1Point, &OdDbRotatedDimension::setXLine1Point);
    addPoint(out, 1, d, &OdDbRotatedDimension::xLine2Point, &OdDbRotatedDimension::setXLine2Point);
  } else if (auto d = dynamic_cast<OdDbAlignedDimension*>(p)) {
    addPoint(out, 0, d, &OdDbAlignedDimension::xLine1Point, &OdDbAlignedDimension::setXLine1Point);
    addPoint(out, 1, d, &OdDbAlignedDimension::xLine2Point, &OdDbAlignedDimension::setXLine2Point);
  } else if (auto d = dynamic_cast<OdDbRadialDimension*>(p)) {
    addPoint(out, 0, d, &OdDbRadialDimension::chordPoint, &OdDbRadialDimension::setChordPoint);
    addPoint(out, 1, d, &OdDbRadialDimension::center, &OdDbRadialDimension::setCenter);
  } else if (auto d = dynamic_cast<QrHugeRadius*>(p)) {
    addPoint(out, 0, d, &QrHugeRadius::chordPoint, &QrHugeRadius::setChordPoint);
    addPoint(out, 1, d, &QrHugeRadius::center, &QrHugeRadius::setCenter);
  } else if (auto d = dynamic_cast<OdDbDiametricDimension*>(p)) {
    addPoint(out, 0, d, &OdDbDiametricDimension::chordPoint, &OdDbDiametricDimension::setChordPoint);
    addPoint(out, 1, d, &OdDbDiametricDimension::farChordPoint, &OdDbDiametricDimension::setFarChordPoint);
  } else if (auto d = dynamic_cast<OdDb2LineAngularDimension*>(p)) {
    addPoint(out, 0, d, &OdDb2LineAngularDimension::xLine1Start, &OdDb2LineAngularDimension::setXLine1Start);
    addPoint(out, 1, d, &OdDb2LineAngularDimension::xLine1End, &OdDb2LineAngularDimension::setXLine1End);
    addPoint(out, 2, d, &OdDb2LineAngularDimension::xLine2Start, &OdDb2LineAngularDimension::setXLine2Start);
    addPoint(out, 3, d, &OdDb2LineAngularDimension::xLine2End, &OdDb2LineAngularDimension::setXLine2End);
  } else if (auto d = dynamic_cast<OdDb3PointAngularDimension*>(p)) {
    addPoint(out, 0, d, &OdDb3PointAngularDimension::xLine1Point, &OdDb3PointAngularDimension::setXLine1Point);
    addPoint(out, 1, d, &OdDb3PointAngularDimension::xLine2Point, &OdDb3PointAngularDimension::setXLine2Point);
    addPoint(out, 2, d, &OdDb3PointAngularDimension::centerPoint, &OdDb3PointAngularDimension::setCenterPoint);
  } else if (auto d = dynamic_cast<OdDbArcDimension*>(p)) {
    addPoint(out, 0, d, &OdDbArcDimension::xLine1Point, &OdDbArcDimension::setXLine1Point);
    addPoint(out, 1, d, &OdDbArcDimension::xLine2Point, &OdDbArcDimension::setXLine2Point);
    addPoint(out, 2, d, &OdDbArcDimension::center, &OdDbArcDimension::setCenter);
  } else if (auto d = dynamic_cast<OdDbOrdinateDimension*>(p)) {
    addPoint(out, 0, d, &OdDbOrdinateDimension::origin, &OdDbOrdinateDimension::setOrigin);
    addPoint(out, 1, d, &OdDbOrdinateDimension::definingPoint, &OdDbOrdinateDimension::setDefiningPoint);
  }
  return out;
}

// The points that place a dimension rather than define what it measures.
std::vector<PointAccess> placingPointsOf(OdDbDimension& dim) {
  std::vector<std::pair<int, PointAccess>> out;
  OdDbDimension* p = &dim;
  if (auto d = dynamic_cast<OdDbRotatedDimension*>(p))
    addPoint(out, 0, d, &OdDbRotatedDimension::dimLinePoint, &OdDbRotatedDimension::setDimLinePoint);
  else if (auto d = dynamic_cast<OdDbAlignedDimension*>(p))
    addPoint(out, 0, d, &OdDbAlignedDimension::dimLinePoint, &OdDbAlignedDimension::setDimLinePoint);
  else if (auto d = dynamic_cast<OdDb2LineAngularDimension*>(p))
    addPoint(out, 0, d, &OdDb2LineAngularDimension::arcPoint, &OdDb2LineAngularDimension::setArcPoint);
  else if (auto d = dynamic_cast<OdDb3PointAngularDimension*>(p))
    addPoint(out, 0, d, &OdDb3PointAngularDimension::arcPoint, &OdDb3PointAngularDimension::setArcPoint);
  else if (auto d = dynamic_cast<OdDbArcDimension*>(p)) {
    addPoint(out, 0, d, &OdDbArcDimension::arcPoint, &OdDbArcDimension::setArcPoint);
    addPoint(out, 0, d, &OdDbArcDimension::leader1Point, &OdDbArcDimension::setLeader1Point);
    addPoint(out, 0, d, &OdDbArcDimension::leader2Point, &OdDbArcDimension::setLeader2Point);
  } else if (auto d = dynamic_cast<OdDbOrdinateDimension*>(p)) {
    addPoint(out, 0, d, &OdDbOrdinateDimension::leaderEndPoint, &OdDbOrdinateDimension::setLeaderEndPoint);
  } else if (auto d = dynamic_cast<QrHugeRadius*>(p)) {
    addPoint(out, 0, d, &QrHugeRadius::overrideCenter, &QrHugeRadius::setOverrideCenter);
    addPoint(out, 0, d, &QrHugeRadius::jogPoint, &QrHugeRadius::setJogPoint);
  }
  std::vector<PointAccess> result;
  for (auto& [i, a] : out) result.push_back(std::move(a));
  return result;
}

bool near(const OdGeVector3d& a, const OdGeVector3d& b, double scale) {
  return (a - b).length() <= 1e-9 * std::max(1.0, scale);
}

void moveText(OdDbDimension& dim, const OdGeVector3d& by) {
  if (by.length() == 0) return;
  const bool byDefault = dim.isUsingDefaultTextPosition();
  dim.setTextPosition(dim.textPosition() + by);
  if (byDefault) dim.useDefaultTextPosition();
}

}  // namespace

std::optional<OdGePoint3d> odDbDimAssocPoint(const OdDbDimension& dimension, int index) {
  for (auto& [i, access] : pointsOf(const_cast<OdDbDimension&>(dimension)))
    if (i == index) return access.get();
  return std::nullopt;
}

bool odDbApplyDimAssoc(OdDbDimension& dim, const OdDbDimAssoc& assoc) {
  OdDbDatabase* db = dim.database();
  if (!db) return false;
  auto points = pointsOf(dim);
  struct Move {
    PointAccess* access;
    OdGePoint3d from, to;
  };
  std::vector<Move> moves;
  double scale = 1.0;
  for (auto& [index, access] : points) {
    const auto& ref = assoc.pointRef(index);
    if (!ref) continue;
    const auto to = odDbOsnapPoint(*db, *ref);
    if (!to) return false;
    const OdGePoint3d from = access.get();
    scale = std::max({scale, std::fabs(from.x), std::fabs(from.y), std::fabs(to->x), std::fabs(to->y)});
    moves.push_back({&access, from, *to});
  }
  if (moves.empty()) return false;
  bool changed = false;
  for (const Move& m : moves) changed = changed || !near(m.to - m.from, OdGeVector3d(), scale);
  if (!changed) return true;

  const OdGeVector3d first = moves.front().to - moves.front().from;
  bool together = moves.size() == points.size();
  for (const Move& m : moves) together = together && near(m.to - m.from, first, scale);

  // Before the points move: what keeps its place relative to them.
  auto aligned = dynamic_cast<OdDbAlignedDimension*>(&dim);
  double offset = 0.0;
  if (aligned) {
    const OdGeVector3d d = aligned->xLine2Point() - aligned->xLine1Point();
    const double len = d.length();
    const OdGeVector3d w = aligned->dimLinePoint() - aligned->xLine1Point();
    if (len > 0) offset = (d.x * w.y - d.y * w.x) / len;
  }
  auto arcDim = dynamic_cast<OdDbArcDimension*>(&dim);
  const double arcOffset =
      arcDim ? arcDim->center().distanceTo(arcDim->arcPoint()) - arcDim->center().distanceTo(arcDim->xLine1Point()) : 0.0;
  for (const Move& m : moves) m.access->set(m.to);

  if (together) {
    // Geometry moved as a whole: the dimension goes along.
    for (PointAccess& a : placingPointsOf(dim)) a.set(a.get() + first);
    for (auto& [index, access] : points)
      if (!assoc.pointRef(index)) access.set(access.get() + first);
    moveText(dim, first);
  } else if (aligned) {
    const OdGeVector3d d = aligned->xLine2Point() - aligned->xLine1Point();
    const double len = d.length();
    if (len > 0) aligned->setDimLinePoint(aligned->xLine2Point() + OdGeVector3d(-d.y, d.x, 0.0) * (offset / len));
  } else if (arcDim) {
    const OdGePoint3d c = arcDim->center();
    const double a1 = angleOf(c, arcDim->xLine1Point());
    double a2 = angleOf(c, arcDim->xLine2Point());
    while (a2 <= a1) a2 += kTwoPi;
    const double r = c.distanceTo(arcDim->xLine1Point()) + arcOffset;
    arcDim->setArcStartParam(a1);
    arcDim->setArcEndParam(a2);
    arcDim->setArcPoint(onCircle(c, r, (a1 + a2) / 2));
  } else if (dynamic_cast<OdDbRadialDimension*>(&dim) || dynamic_cast<OdDbDiametricDimension*>(&dim)) {
    moveText(dim, first);  // the text keeps its place beside the chord point
  } else if (dynamic_cast<QrHugeRadius*>(&dim)) {
    // The shown centre and the jog keep their places beside the chord
    // point, with the text.
    for (PointAccess& a : placingPointsOf(dim)) a.set(a.get() + first);
    moveText(dim, first);
  } else if (auto ordinate = dynamic_cast<OdDbOrdinateDimension*>(&dim); ordinate && assoc.pointRef(1)) {
    // The leader keeps its run from the feature.
    const Move& feature = moves.back();
    ordinate->setLeaderEndPoint(ordinate->leaderEndPoint() + (feature.to - feature.from));
  }
  dim.recomputeDimBlock();
  return true;
}

void odDbSetDimAssocNoteSink(std::function<void(OdDbHandle, OdDbDimAssocLoss)> sink) { noteSink() = std::move(sink); }

namespace {

// A dimension whose associated points the step moved while their geometry
// stayed no longer measures that geometry: it keeps where it was put and
// follows nothing.
bool movedAwayFromGeometry(const OdDbDatabase& db, const OdDbDimension& dim, const OdDbDimAssoc& assoc) {
  const auto* before = dynamic_cast<const OdDbDimension*>(db.stateBeforeStep(dim.objectId()));
  if (!before) return false;
  for (int i = 0; i < OdDbDimAssoc::kPoints; ++i) {
    if (!assoc.pointRef(i)) continue;
    const auto was = odDbDimAssocPoint(*before, i), is = odDbDimAssocPoint(dim, i);
    if (was && is && !(*was == *is)) return true;
  }
  return false;
}

}  // namespace

int odDbFollowDimAssociations(OdDbDatabase& db, std::uint64_t since) {
  // What changed in the step: geometry that may carry associations, and
  // associations themselves (a new one is not followed: it was just made
  // from where the geometry is).
  std::unordered_map<std::uint64_t, bool> changed;  // handle -> erased
  std::unordered_set<std::uint64_t> madeInStep;      // associations set in the step
  db.forEachChangedSince(since, [&](OdDbObjectId id) {
    const OdDbObjectPtr obj = id.openObject();
    if (!obj) {
      changed[id.getHandle().value()] = true;
      return;
    }
    if (OdDbEntity::cast(obj)) changed[id.getHandle().value()] = false;
    if (OdDbDimAssoc::cast(obj)) madeInStep.insert(id.getHandle().value());
  });
  if (changed.empty()) return 0;
  std::vector<OdDbObjectId> assocs;
  db.forEachObject([&](OdDbObjectId id) {
    if (id.isErased()) return;
    if (OdDbDimAssoc::cast(id.openObject())) assocs.push_back(id);
  });
  int followed = 0;
  for (OdDbObjectId assocId : assocs) {
    OdDbDimAssocPtr assoc = OdDbDimAssoc::cast(assocId.openObject());
    if (!assoc) continue;
    const OdDbHandle dimHandle = assoc->dimension();
    // A dimension erased in the step takes its association along (and the
    // dictionary that held only it), so that no saved object names it.
    const OdDbObjectId dimId = db.getOdDbObjectId(dimHandle);
    if (!dimId.isNull() && dimId.isErased() && changed.count(dimHandle.value())) {
      const OdDbObjectId dictId = assoc->ownerId();
      assoc.reset();
      assocId.openObject(OdDb::kForWrite)->erase();
      OdDbDictionaryPtr dict = OdDbDictionary::cast(dictId.openObject(OdDb::kForWrite));
      if (dict && dict->ownerId() == dimId) {
        dict->remove(kOdDbDimAssocKey);
        if (dict->numEntries() == 0) dict->erase();
      }
      continue;
    }
    bool touched = false;
    for (int i = 0; i < OdDbDimAssoc::kPoints; ++i) {
      const auto& ref = assoc->pointRef(i);
      if (!ref) continue;
      for (OdDbHandle h : {ref->mainObject(), ref->intersectObject()}) {
        auto it = changed.find(h.value());
        if (h.isNull() || it == changed.end()) continue;
        touched = true;
      }
    }
    if (!touched) {
      // An association set in the step (DIMREASSOCIATE) placed the points.
      if (changed.count(dimHandle.value()) == 0 || madeInStep.count(assocId.getHandle().value())) continue;
      OdDbDimensionPtr dim = OdDbDimension::cast(db.getOdDbObjectId(dimHandle).openObject());
      if (!dim || !movedAwayFromGeometry(db, *dim, *assoc)) continue;
      assoc.reset();
      dim->upgradeOpen();
      odDbRemoveDimAssoc(*dim);
      note(dimHandle, OdDbDimAssocLoss::kMovedAway);
      ++followed;
      continue;
    }
    OdDbDimensionPtr dim = OdDbDimension::cast(db.getOdDbObjectId(dimHandle).openObject(OdDb::kForWrite));
    if (!dim) continue;  // the dimension itself is gone
    // Points whose geometry was erased (or can no longer give the snap)
    // lose their reference; the dimension stays where it is.
    bool dropped = false;
    OdDbDimAssocPtr writable;
    for (int i = 0; i < OdDbDimAssoc::kPoints; ++i) {
      const auto& ref = assoc->pointRef(i);
      if (!ref || odDbOsnapPoint(db, *ref)) continue;
      if (ref->mainObject().isNull()) continue;  // a path or external reference: kept as it is
      if (!writable) writable = OdDbDimAssoc::cast(assocId.openObject(OdDb::kForWrite));
      writable->setPointRef(i, std::nullopt);
      dropped = true;
    }
    if (dropped) {
      ++followed;
      if (!writable->hasReferences()) {
        writable.reset();
        assoc.reset();
        odDbRemoveDimAssoc(*dim);
        note(dimHandle, OdDbDimAssocLoss::kGeometryGone);
        continue;
      }
      note(dimHandle, OdDbDimAssocLoss::kPointGone);
    }
    const OdDbDimAssoc& current = writable ? *writable : *assoc;
    if (odDbApplyDimAssoc(*dim, current)) ++followed;
  }
  return followed;
}
