// DIMRADIUS, DIMDIAMETER and DIMARC: dimensions of a picked circle or arc,
// placed where the user points.
#include <cmath>
#include <numbers>

#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "command_processor.h"
#include "dim_associate.h"
#include "documents.h"
#include "drafting_input.h"
#include "drafting_texts.h"
#include "host_commands.h"
#include "new_annotation.h"

namespace qrvhost {

namespace {

struct Curve {
  OdGePoint3d centre;
  double radius = 0.0;
  double start = 0.0, end = 0.0;  // an arc's angles
  OdDbEntityPtr picked;
};

bool isArc(const OdDbEntity& e) { return OdDbArc::cast(&e) != nullptr; }
bool isArcOrCircle(const OdDbEntity& e) { return isArc(e) || OdDbCircle::cast(&e) != nullptr; }

// The picked curve; false when the command ends.
bool pickCurve(HostApDocument& doc, bool arcsOnly, Curve& curve) {
  const OdDbEntityPtr picked =
      arcsOnly ? pickObject(doc, draftText(DraftText::kSelectArc), isArc, draftText(DraftText::kNotArc))
               : pickObject(doc, draftText(DraftText::kSelectArcOrCircle), isArcOrCircle,
                            draftText(DraftText::kNotArcOrCircle));
  if (!picked) return false;
  if (auto arc = OdDbArc::cast(picked))
    curve = {arc->center(), arc->radius(), arc->startAngle(), arc->endAngle(), picked};
  else if (auto circle = OdDbCircle::cast(picked))
    curve = {circle->center(), circle->radius(), 0.0, 0.0, picked};
  return true;
}

// The measured curve's points: the chord point (and the far one or the
// centre) on the circle, the ends and centre of an arc.
DimPointSources sourcesOf(const Curve& curve, const OdDbDimension& dim) {
  DimPointSources sources;
  if (auto d = OdDbRadialDimension::cast(&dim)) {
    sources.snapOn(0, *curve.picked, OdDbOsnapType::kNear, d->chordPoint());
    sources.snapOn(1, *curve.picked, OdDbOsnapType::kCen);
  } else if (auto d = OdDbDiametricDimension::cast(&dim)) {
    sources.snapOn(0, *curve.picked, OdDbOsnapType::kNear, d->chordPoint());
    sources.snapOn(1, *curve.picked, OdDbOsnapType::kNear, d->farChordPoint());
  } else if (OdDbArcDimension::cast(&dim)) {
    sources.snapOn(0, *curve.picked, OdDbOsnapType::kStart);
    sources.snapOn(1, *curve.picked, OdDbOsnapType::kEnd);
    sources.snapOn(2, *curve.picked, OdDbOsnapType::kCen);
  }
  return sources;
}

OdGeVector3d towards(const OdGePoint3d& from, const OdGePoint3d& to) {
  const OdGeVector3d d = to - from;
  const double n = d.length();
  return n > 0 ? d * (1.0 / n) : OdGeVector3d(1, 0, 0);
}

OdDbRadialDimensionPtr makeRadius(const Curve& c, const OdGePoint3d& at, const DimTextChoice& text) {
  OdDbRadialDimensionPtr dim = OdDbRadialDimension::createObject();
  dim->setCenter(c.centre);
  dim->setChordPoint(c.centre + towards(c.centre, at) * c.radius);
  dim->setTextPosition(at);
  text.applyTo(*dim);
  return dim;
}

OdDbDiametricDimensionPtr makeDiameter(const Curve& c, const OdGePoint3d& at, const DimTextChoice& text) {
  OdDbDiametricDimensionPtr dim = OdDbDiametricDimension::createObject();
  const OdGeVector3d u = towards(c.centre, at);
  dim->setChordPoint(c.centre + u * c.radius);
  dim->setFarChordPoint(c.centre - u * c.radius);
  dim->setTextPosition(at);
  text.applyTo(*dim);
  return dim;
}

// The dimension arc runs at the distance of the location from the centre,
// through the middle of the arc measured.
OdDbArcDimensionPtr makeArcLength(const Curve& c, const OdGePoint3d& at, const DimTextChoice& text) {
  OdDbArcDimensionPtr dim = OdDbArcDimension::createObject();
  auto onCircle = [&](double angle, double r) {
    return c.centre + OdGeVector3d(std::cos(angle), std::sin(angle), 0.0) * r;
  };
  double sweep = std::fmod(c.end - c.start, 2 * std::numbers::pi);
  if (sweep <= 0) sweep += 2 * std::numbers::pi;
  dim->setCenter(c.centre);
  dim->setXLine1Point(onCircle(c.start, c.radius));
  dim->setXLine2Point(onCircle(c.end, c.radius));
  dim->setArcPoint(onCircle(c.start + sweep / 2, c.centre.distanceTo(at)));
  dim->setArcStartParam(c.start);
  dim->setArcEndParam(c.start + sweep);
  text.applyTo(*dim);
  return dim;
}

using Maker = OdDbDimensionPtr (*)(const Curve&, const OdGePoint3d&, const DimTextChoice&);

void dimensionCurve(CommandProcessor& cp, bool arcsOnly, DraftText locationPrompt, Maker make, AnnotationKind kind) {
  HostApDocument* doc = cp.requireDocument();
  Curve curve;
  if (!doc || !pickCurve(*doc, arcsOnly, curve)) return;
  DimTextChoice text;
  HostPointOptions placing;
  placing.base = curve.centre;
  placing.preview = styledPreview(*doc->database(), kind, [&](const OdGePoint3d& at) { return make(curve, at, text); });
  const PointAnswer answer = askDimensionLocation(cp.input(), draftText(locationPrompt),
                                                  draftText(DraftText::kTextAngleOptions), 0, text, placing);
  if (answer.kind != PointAnswer::kPoint) return;
  if (samePoint(answer.point, curve.centre)) {
    cp.input().print(draftText(DraftText::kRefusedAtCentre));
    return;
  }
  const OdDbDimensionPtr dim = make(curve, answer.point, text);
  const DimPointSources sources = sourcesOf(curve, *dim);
  addDimension(cp.input(), *doc->database(), dim, kind, &sources);
}

}  // namespace

void commandDimRadius(CommandProcessor& cp) {
  dimensionCurve(cp, false, DraftText::kDimLineLocation,
                 [](const Curve& c, const OdGePoint3d& at, const DimTextChoice& t) -> OdDbDimensionPtr {
                   return makeRadius(c, at, t);
                 },
                 AnnotationKind::kRadius);
}

void commandDimDiameter(CommandProcessor& cp) {
  dimensionCurve(cp, false, DraftText::kDimLineLocation,
                 [](const Curve& c, const OdGePoint3d& at, const DimTextChoice& t) -> OdDbDimensionPtr {
                   return makeDiameter(c, at, t);
                 },
                 AnnotationKind::kDiameter);
}

// An arc length is a length: it follows the style's linear settings.
void commandDimArc(CommandProcessor& cp) {
  dimensionCurve(cp, true, DraftText::kArcLengthLocation,
                 [](const Curve& c, const OdGePoint3d& at, const DimTextChoice& t) -> OdDbDimensionPtr {
                   return makeArcLength(c, at, t);
                 },
                 AnnotationKind::kLinear);
}

}  // namespace qrvhost
