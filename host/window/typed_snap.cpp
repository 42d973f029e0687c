#include "typed_snap.h"

#include <algorithm>
#include <cmath>

#include "OdDbDatabase.h"
#include "point_input.h"
#include "snap_answer.h"

namespace qrvwindow {

namespace {

const char* typedName(snap::Kind kind) {
  switch (kind) {
    case snap::Kind::kEndpoint: return "_END";
    case snap::Kind::kMidpoint: return "_MID";
    case snap::Kind::kCentre: return "_CEN";
    case snap::Kind::kIntersection: return "_INT";
    case snap::Kind::kNearest: return "_NEA";
  }
  return nullptr;
}

// Whether the answer gives back the point the view snapped to.
bool givesPoint(const std::string& answer, const OdDbDatabase& db, const snap::Point& p) {
  const HostSnapAnswer read = hostParseSnapAnswer(answer, db);
  if (read.kind != HostSnapAnswer::kSnapped) return false;
  const double size = std::max({1.0, std::abs(p.x), std::abs(p.y)});
  return std::hypot(read.ref.point.x - p.x, read.ref.point.y - p.y) <= 1e-9 * size;
}

}  // namespace

std::optional<std::string> typedSnapAnswer(const SceneSnap& snap, const OdDbDatabase& db) {
  const char* name = typedName(snap.kind);
  if (!name || snap.on.isNull() || (snap.kind == snap::Kind::kIntersection && snap.with.isNull())) return std::nullopt;
  std::string objects = std::string(name) + " " + snap.on.getHandle().ascii();
  if (snap.kind == snap::Kind::kIntersection) objects += " " + snap.with.getHandle().ascii();
  // The point chooses which end, which segment of a polyline, which
  // crossing; a centre is tried without it too, since the segment nearest
  // to a bulge's centre need not be the bulge.
  const std::string withPoint = objects + " " + hostPointAnswer(OdGePoint3d(snap.point.x, snap.point.y, 0));
  if (givesPoint(withPoint, db, snap.point)) return withPoint;
  if (snap.kind == snap::Kind::kCentre && givesPoint(objects, db, snap.point)) return objects;
  return std::nullopt;
}

}  // namespace qrvwindow
