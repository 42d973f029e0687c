// DIMLINEAR and DIMALIGNED: a length between two points, measured
// horizontally, vertically, at a chosen angle, or along the points.
#include <algorithm>
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

// Options of DIMLINEAR's location prompt, in list order.
enum LinearOption { kText, kAngle, kHorizontal, kVertical, kRotated };

struct Origins {
  OdGePoint3d first, second;
  DimPointSources sources;
};

OdGePoint3d onArcAt(const OdDbArc& arc, double angle) {
  return arc.center() + OdGeVector3d(std::cos(angle), std::sin(angle), 0.0) * arc.radius();
}

// The two points measured: typed, or the ends of a line or arc picked after
// Enter. False when the command ends.
bool askOrigins(HostApDocument& doc, Origins& origins) {
  HostEdInput& input = *doc.editorInput();
  const PointAnswer first = askPoint(input, draftText(DraftText::kFirstOrigin), "", kPromptEmptyAllowed);
  if (first.kind == PointAnswer::kEnter) {
    const OdDbEntityPtr picked = pickObject(
        doc, draftText(DraftText::kSelectLineOrArc),
        [](const OdDbEntity& e) { return OdDbLine::cast(&e) || OdDbArc::cast(&e); },
        draftText(DraftText::kNotLineOrArc));
    if (!picked) return false;
    if (auto line = OdDbLine::cast(picked)) {
      origins = {line->startPoint(), line->endPoint(), {}};
    } else {
      auto arc = OdDbArc::cast(picked);
      origins = {onArcAt(*arc, arc->startAngle()), onArcAt(*arc, arc->endAngle()), {}};
    }
    origins.sources.snapOn(0, *picked, OdDbOsnapType::kStart);
    origins.sources.snapOn(1, *picked, OdDbOsnapType::kEnd);
    return true;
  }
  if (first.kind != PointAnswer::kPoint) return false;
  origins.sources.takeSnap(0, input);
  HostPointOptions rubberBand;
  rubberBand.base = first.point;
  const PointAnswer second = askPoint(input, draftText(DraftText::kSecondOrigin), "", 0, rubberBand);
  if (second.kind != PointAnswer::kPoint) return false;
  origins.sources.takeSnap(1, input);
  origins.first = first.point;
  origins.second = second.point;
  return true;
}

// Horizontal or vertical by where the dimension line goes: beside the
// points it measures their height, above or below them their width.
double rotationFromLocation(const Origins& o, const OdGePoint3d& at) {
  auto outside = [](double v, double a, double b) {
    const double lo = std::min(a, b), hi = std::max(a, b);
    return v < lo ? lo - v : v > hi ? v - hi : 0.0;
  };
  const double beside = outside(at.x, o.first.x, o.second.x);
  const double aboveOrBelow = outside(at.y, o.first.y, o.second.y);
  return beside > aboveOrBelow ? std::numbers::pi / 2 : 0.0;
}

OdDbRotatedDimensionPtr makeRotated(const Origins& o, const OdGePoint3d& at, double rotation,
                                    const DimTextChoice& text) {
  OdDbRotatedDimensionPtr dim = OdDbRotatedDimension::createObject();
  dim->setXLine1Point(o.first);
  dim->setXLine2Point(o.second);
  dim->setDimLinePoint(at);
  dim->setRotation(rotation);
  text.applyTo(*dim);
  return dim;
}

OdDbAlignedDimensionPtr makeAligned(const Origins& o, const OdGePoint3d& at, const DimTextChoice& text) {
  OdDbAlignedDimensionPtr dim = OdDbAlignedDimension::createObject();
  dim->setXLine1Point(o.first);
  dim->setXLine2Point(o.second);
  dim->setDimLinePoint(at);
  text.applyTo(*dim);
  return dim;
}

// The points of a length dimension, or nothing (said so) when they are one.
HostApDocument* originsOrRefuse(CommandProcessor& cp, Origins& origins) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc || !askOrigins(*doc, origins)) return nullptr;
  if (samePoint(origins.first, origins.second)) {
    cp.input().print(draftText(DraftText::kRefusedSamePoints));
    return nullptr;
  }
  return doc;
}

}  // namespace

void commandDimLinear(CommandProcessor& cp) {
  Origins origins;
  HostApDocument* doc = originsOrRefuse(cp, origins);
  if (!doc) return;
  DimTextChoice text;
  std::optional<double> fixedRotation;
  HostPointOptions placing;
  placing.preview = styledPreview(*doc->database(), AnnotationKind::kLinear, [&](const OdGePoint3d& at) {
    return makeRotated(origins, at, fixedRotation.value_or(rotationFromLocation(origins, at)), text);
  });
  OdGePoint3d at;
  for (;;) {
    const PointAnswer answer = askDimensionLocation(cp.input(), draftText(DraftText::kDimLineLocation),
                                                    draftText(DraftText::kLinearOptions), kText, text, placing);
    if (answer.kind == PointAnswer::kPoint) {
      at = answer.point;
      break;
    }
    if (answer.kind != PointAnswer::kOption) return;
    if (answer.option == kHorizontal) fixedRotation = 0.0;
    if (answer.option == kVertical) fixedRotation = std::numbers::pi / 2;
    if (answer.option == kRotated) {
      const double current = fixedRotation.value_or(0.0);
      const auto angle = askAngle(cp.input(), promptWithAngle(DraftText::kDimLineAnglePrompt, current), current);
      if (!angle) return;
      fixedRotation = *angle;
    }
  }
  OdDbRotatedDimensionPtr dim = makeRotated(origins, at, fixedRotation.value_or(rotationFromLocation(origins, at)), text);
  if (dim->getMeasurement() <= 1e-10 * std::max(1.0, origins.first.distanceTo(origins.second))) {
    cp.input().print(draftText(DraftText::kRefusedZeroLength));
    return;
  }
  addDimension(cp.input(), *doc->database(), dim, AnnotationKind::kLinear, &origins.sources);
}

void commandDimAligned(CommandProcessor& cp) {
  Origins origins;
  HostApDocument* doc = originsOrRefuse(cp, origins);
  if (!doc) return;
  DimTextChoice text;
  HostPointOptions placing;
  placing.preview = styledPreview(*doc->database(), AnnotationKind::kLinear,
                                  [&](const OdGePoint3d& at) { return makeAligned(origins, at, text); });
  const PointAnswer answer = askDimensionLocation(cp.input(), draftText(DraftText::kDimLineLocation),
                                                  draftText(DraftText::kTextAngleOptions), 0, text, placing);
  if (answer.kind != PointAnswer::kPoint) return;
  addDimension(cp.input(), *doc->database(), makeAligned(origins, answer.point, text), AnnotationKind::kLinear,
               &origins.sources);
}

}  // namespace qrvhost
