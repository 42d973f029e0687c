#include "object_snap.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace snap {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// How far outside a segment's ends or an arc's angles a crossing may lie
// and still count (rounding of points that sit exactly on an end).
constexpr double kRelativeSlack = 1e-9;

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator*(Point a, double s) { return {a.x * s, a.y * s}; }
double dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
double cross(Point a, Point b) { return a.x * b.y - a.y * b.x; }
double length(Point a) { return std::hypot(a.x, a.y); }
double distance(Point a, Point b) { return length(a - b); }
Point onCircle(const Arc& a, double angle) {
  return {a.centre.x + a.radius * std::cos(angle), a.centre.y + a.radius * std::sin(angle)};
}

// An arc whose end angle equals its start angle goes all the way round, as
// the view draws it.
double sweepOf(const Arc& a) {
  if (a.full) return kTwoPi;
  double d = std::fmod(a.end - a.start, kTwoPi);
  if (d < 0) d += kTwoPi;
  return d == 0 ? kTwoPi : d;
}

// Whether the direction from the centre to p lies within the arc's angles.
bool withinAngles(const Arc& a, Point p) {
  if (a.full) return true;
  double s = std::fmod(std::atan2(p.y - a.centre.y, p.x - a.centre.x) - a.start, kTwoPi);
  if (s < 0) s += kTwoPi;
  const double slack = kRelativeSlack * kTwoPi;
  return s <= sweepOf(a) + slack || s >= kTwoPi - slack;
}

// The parameter of the point of the line a-b nearest to p (0 at a, 1 at b).
double along(const Segment& s, Point p) {
  const Point d = s.b - s.a;
  const double l2 = dot(d, d);
  return l2 > 0 ? dot(p - s.a, d) / l2 : 0;
}

bool withinEnds(double t) { return t >= -kRelativeSlack && t <= 1 + kRelativeSlack; }

std::vector<Point> segmentSegment(const Segment& p, const Segment& q) {
  const Point d1 = p.b - p.a, d2 = q.b - q.a;
  const double den = cross(d1, d2);
  // Parallel (or a segment without length): overlapping lines have no one
  // point where they cross; touching ends are end snaps already.
  if (std::fabs(den) <= 1e-12 * length(d1) * length(d2) || den == 0) return {};
  const double t = cross(q.a - p.a, d2) / den, u = cross(q.a - p.a, d1) / den;
  if (!withinEnds(t) || !withinEnds(u)) return {};
  return {p.a + d1 * t};
}

// Where the line through the segment meets the arc's circle, kept when on
// both.
std::vector<Point> segmentArc(const Segment& s, const Arc& a) {
  const Point d = s.b - s.a;
  const double l = length(d);
  if (l == 0 || !(a.radius > 0)) return {};
  const Point u = d * (1 / l);
  const Point foot = s.a + u * dot(a.centre - s.a, u);
  const double off = distance(foot, a.centre);
  if (off > a.radius * (1 + kRelativeSlack)) return {};
  const double h = std::sqrt(std::max(0.0, a.radius * a.radius - off * off));
  std::vector<Point> out;
  for (Point p : {foot - u * h, foot + u * h}) {
    if (!out.empty() && distance(out.front(), p) <= kRelativeSlack * a.radius) break;  // touching: one point
    if (withinEnds(along(s, p)) && withinAngles(a, p)) out.push_back(p);
  }
  return out;
}

std::vector<Point> arcArc(const Arc& p, const Arc& q) {
  const Point d = q.centre - p.centre;
  const double dist = length(d);
  const double scale = std::max(p.radius, q.radius);
  if (dist <= kRelativeSlack * scale) return {};  // concentric: no single crossing
  if (dist > (p.radius + q.radius) * (1 + kRelativeSlack) ||
      dist < std::fabs(p.radius - q.radius) * (1 - kRelativeSlack))
    return {};
  const double x = (p.radius * p.radius - q.radius * q.radius + dist * dist) / (2 * dist);
  const double h = std::sqrt(std::max(0.0, p.radius * p.radius - x * x));
  const Point u = d * (1 / dist), n{-u.y, u.x};
  const Point base = p.centre + u * x;
  std::vector<Point> out;
  for (Point c : {base + n * h, base - n * h}) {
    if (!out.empty() && distance(out.front(), c) <= kRelativeSlack * scale) break;
    if (withinAngles(p, c) && withinAngles(q, c)) out.push_back(c);
  }
  return out;
}

}  // namespace

namespace {
// The segments of a path, its closing one included.
template <class F>
void forEachSegment(const Path& path, F&& f) {
  const std::size_t n = path.points.size();
  for (std::size_t i = 0; i + 1 < n; ++i) f(Segment{path.points[i], path.points[i + 1]});
  if (path.closed && n > 2) f(Segment{path.points[n - 1], path.points[0]});
}
}  // namespace

double distanceTo(const Curve& curve, Point p) {
  if (const auto* path = std::get_if<Path>(&curve)) {
    double best = path->points.empty() ? INFINITY : distance(p, path->points.front());
    forEachSegment(*path, [&](const Segment& s) { best = std::min(best, distanceTo(s, p)); });
    return best;
  }
  if (const auto* s = std::get_if<Segment>(&curve)) {
    const double t = std::clamp(along(*s, p), 0.0, 1.0);
    return distance(p, s->a + (s->b - s->a) * t);
  }
  const Arc& a = std::get<Arc>(curve);
  if (withinAngles(a, p)) return std::fabs(distance(p, a.centre) - a.radius);
  return std::min(distance(p, onCircle(a, a.start)), distance(p, onCircle(a, a.start + sweepOf(a))));
}

std::vector<Point> intersections(const Curve& a, const Curve& b) {
  // A path crosses where one of its segments does; a point where two of
  // them meet counts once.
  for (auto [path, other] : {std::pair{&a, &b}, std::pair{&b, &a}})
    if (const auto* p = std::get_if<Path>(path)) {
      std::vector<Point> out;
      if (!p->crossings) return out;
      if (const auto* q = std::get_if<Path>(other); q && !q->crossings) return out;
      forEachSegment(*p, [&](const Segment& s) {
        for (Point x : intersections(s, *other))
          if (std::none_of(out.begin(), out.end(), [&](Point y) { return distance(x, y) <= 1e-9 * (1 + length(x)); }))
            out.push_back(x);
      });
      return out;
    }
  const auto* sa = std::get_if<Segment>(&a);
  const auto* sb = std::get_if<Segment>(&b);
  if (sa && sb) return segmentSegment(*sa, *sb);
  if (sa) return segmentArc(*sa, std::get<Arc>(b));
  if (sb) return segmentArc(*sb, std::get<Arc>(a));
  return arcArc(std::get<Arc>(a), std::get<Arc>(b));
}

unsigned kindsOfOsmode(unsigned osmode) {
  unsigned kinds = 0;
  if (osmode & 1) kinds |= kindBit(Kind::kEndpoint);
  if (osmode & 2) kinds |= kindBit(Kind::kMidpoint);
  if (osmode & 4) kinds |= kindBit(Kind::kCentre);
  if (osmode & 32) kinds |= kindBit(Kind::kIntersection);
  if (osmode & 512) kinds |= kindBit(Kind::kNearest);
  return kinds;
}

namespace {
Point nearestOn(const Segment& s, Point p) { return s.a + (s.b - s.a) * std::clamp(along(s, p), 0.0, 1.0); }

// The point of the curve nearest to p; none on a row of points that is not
// the curve itself.
std::optional<Point> nearestOn(const Curve& curve, Point p) {
  if (const auto* s = std::get_if<Segment>(&curve)) return nearestOn(*s, p);
  if (const auto* path = std::get_if<Path>(&curve)) {
    if (!path->crossings || path->points.empty()) return std::nullopt;
    std::optional<Point> best;
    forEachSegment(*path, [&](const Segment& s) {
      const Point q = nearestOn(s, p);
      if (!best || distance(q, p) < distance(*best, p)) best = q;
    });
    return best ? best : std::optional<Point>(path->points.front());
  }
  const Arc& a = std::get<Arc>(curve);
  const double off = distance(p, a.centre);
  if (off > 0 && withinAngles(a, p)) return a.centre + (p - a.centre) * (a.radius / off);
  const Point first = onCircle(a, a.start), last = onCircle(a, a.start + sweepOf(a));
  return distance(p, first) <= distance(p, last) ? first : last;
}
}  // namespace

std::optional<Snap> nearestSnap(const std::vector<Curve>& curves, Point cursor, double aperture, unsigned kinds) {
  if (!(aperture > 0)) return std::nullopt;
  std::optional<Snap> best;
  double bestDistance = 0;
  // Points at one place (an end that is also a crossing) go to the kind
  // listed first.
  const double tie = aperture * 1e-9;
  auto offer = [&](Kind kind, Point p, std::size_t curve, std::optional<std::size_t> other = std::nullopt) {
    if (!(kinds & kindBit(kind))) return;
    const double d = distance(p, cursor);
    if (!(d <= aperture)) return;
    if (best && (d > bestDistance + tie || (d >= bestDistance - tie && kind >= best->kind))) return;
    best = Snap{kind, p, curve, other};
    bestDistance = d;
  };

  // Every snap point but a centre lies on its curve: only curves within
  // the aperture can give one.
  std::vector<std::size_t> near;
  for (std::size_t i = 0; i < curves.size(); ++i) {
    const Curve& c = curves[i];
    if (const auto* a = std::get_if<Arc>(&c)) offer(Kind::kCentre, a->centre, i);
    if (const auto* p = std::get_if<Path>(&c); p && p->centre) offer(Kind::kCentre, *p->centre, i);
    if (distanceTo(c, cursor) <= aperture) near.push_back(i);
  }
  for (std::size_t i : near) {
    const Curve* c = &curves[i];
    if (const auto* s = std::get_if<Segment>(c)) {
      offer(Kind::kEndpoint, s->a, i);
      offer(Kind::kEndpoint, s->b, i);
      offer(Kind::kMidpoint, (s->a + s->b) * 0.5, i);
    } else if (const auto* p = std::get_if<Path>(c)) {
      if (!p->closed && !p->points.empty()) {
        if (p->firstIsEnd) offer(Kind::kEndpoint, p->points.front(), i);
        if (p->lastIsEnd) offer(Kind::kEndpoint, p->points.back(), i);
      }
    } else if (const Arc& a = std::get<Arc>(*c); !a.full) {
      offer(Kind::kEndpoint, onCircle(a, a.start), i);
      offer(Kind::kEndpoint, onCircle(a, a.start + sweepOf(a)), i);
      offer(Kind::kMidpoint, onCircle(a, a.start + sweepOf(a) / 2), i);
    }
  }
  if (kinds & kindBit(Kind::kIntersection))
    for (std::size_t i = 0; i < near.size(); ++i)
      for (std::size_t j = i + 1; j < near.size(); ++j)
        for (Point p : intersections(curves[near[i]], curves[near[j]])) offer(Kind::kIntersection, p, near[i], near[j]);

  if (!best && (kinds & kindBit(Kind::kCentre))) {
    double nearest = aperture;
    for (std::size_t i : near)
      if (const auto* a = std::get_if<Arc>(&curves[i]); a && distanceTo(curves[i], cursor) <= nearest) {
        nearest = distanceTo(curves[i], cursor);
        best = Snap{Kind::kCentre, a->centre, i, std::nullopt};
      }
  }
  if (!best && (kinds & kindBit(Kind::kNearest))) {
    double nearest = aperture;
    for (std::size_t i : near)
      if (const std::optional<Point> p = nearestOn(curves[i], cursor); p && distance(*p, cursor) <= nearest) {
        nearest = distance(*p, cursor);
        best = Snap{Kind::kNearest, *p, i, std::nullopt};
      }
  }
  return best;
}

}  // namespace snap
