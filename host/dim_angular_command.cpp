// DIMANGULAR: the angle between two picked lines, or at a vertex between
// two points (Enter at the first prompt).
#include <cmath>

#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "command_processor.h"
#include "dim_associate.h"
#include "documents.h"
#include "drafting_input.h"
#include "drafting_texts.h"
#include "host_commands.h"
#include "new_annotation.h"
#include "selection.h"

namespace qrvhost {

namespace {

bool isLine(const OdDbEntity& e) { return OdDbLine::cast(&e) != nullptr; }

struct Segment {
  OdGePoint3d start, end;
};

// Direction vectors too close to one line to make an angle.
bool parallel(const OdGeVector3d& a, const OdGeVector3d& b) {
  const double cross = a.x * b.y - a.y * b.x;
  return std::fabs(cross) <= 1e-10 * a.length() * b.length() || a.length() == 0 || b.length() == 0;
}

// Where two lines (extended) meet; both must not be parallel.
OdGePoint3d crossing(const Segment& a, const Segment& b) {
  const OdGeVector3d d1 = a.end - a.start, d2 = b.end - b.start, w = b.start - a.start;
  const double t = (w.x * d2.y - w.y * d2.x) / (d1.x * d2.y - d1.y * d2.x);
  return a.start + d1 * t;
}

// Asks for the first line; Enter means three points instead. False when
// the command ends; `byPoints` set when Enter was given.
bool askFirstLine(HostApDocument& doc, Segment& line, bool& byPoints, OdDbEntityPtr& pickedLine) {
  HostEdSSManager& selection = *doc.selectionManager();
  for (;;) {
    OdDbObjectIdArray picked;
    const int r = selection.select(draftText(DraftText::kFirstLineOrVertex),
                                   kSelSingle | kSelCallerPrompt | kSelLockedLayersAllowed, picked);
    if (r == kSelectionCancelled) return false;
    if (r == kSelectionNone) {
      byPoints = true;
      return true;
    }
    if (auto l = OdDbLine::cast(picked.front().openObject())) {
      line = {l->startPoint(), l->endPoint()};
      pickedLine = l;
      return true;
    }
    doc.editorInput()->print(draftText(DraftText::kNotLine));
  }
}

OdDbDimensionPtr makeTwoLine(const Segment& a, const Segment& b, const OdGePoint3d& at, const DimTextChoice& text) {
  OdDb2LineAngularDimensionPtr dim = OdDb2LineAngularDimension::createObject();
  dim->setXLine1Start(a.start);
  dim->setXLine1End(a.end);
  dim->setXLine2Start(b.start);
  dim->setXLine2End(b.end);
  dim->setArcPoint(at);
  text.applyTo(*dim);
  return dim;
}

OdDbDimensionPtr makeThreePoint(const OdGePoint3d& vertex, const Segment& ends, const OdGePoint3d& at,
                                const DimTextChoice& text) {
  OdDb3PointAngularDimensionPtr dim = OdDb3PointAngularDimension::createObject();
  dim->setCenterPoint(vertex);
  dim->setXLine1Point(ends.start);
  dim->setXLine2Point(ends.end);
  dim->setArcPoint(at);
  text.applyTo(*dim);
  return dim;
}

// The three points; false when the command ends or they make no angle (said).
bool askThreePoints(CommandProcessor& cp, OdGePoint3d& vertex, Segment& ends, DimPointSources& sources) {
  HostEdInput& input = cp.input();
  const PointAnswer v = askPoint(input, draftText(DraftText::kVertex), "", 0);
  if (v.kind != PointAnswer::kPoint) return false;
  sources.takeSnap(2, input);
  HostPointOptions fromVertex;
  fromVertex.base = v.point;
  const PointAnswer a = askPoint(input, draftText(DraftText::kFirstEndpoint), "", 0, fromVertex);
  if (a.kind != PointAnswer::kPoint) return false;
  sources.takeSnap(0, input);
  const PointAnswer b = askPoint(input, draftText(DraftText::kSecondEndpoint), "", 0, fromVertex);
  if (b.kind != PointAnswer::kPoint) return false;
  sources.takeSnap(1, input);
  vertex = v.point;
  ends = {a.point, b.point};
  const OdGeVector3d d1 = a.point - v.point, d2 = b.point - v.point;
  const bool sameWay = parallel(d1, d2) && d1.x * d2.x + d1.y * d2.y >= 0;
  if (samePoint(v.point, a.point) || samePoint(v.point, b.point) || sameWay) {
    input.print(draftText(DraftText::kRefusedNoAngle));
    return false;
  }
  return true;
}

}  // namespace

void commandDimAngular(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  Segment first, second;
  OdGePoint3d vertex;
  bool byPoints = false;
  OdDbEntityPtr firstLine;
  DimPointSources sources;
  if (!askFirstLine(*doc, first, byPoints, firstLine)) return;
  if (byPoints) {
    if (!askThreePoints(cp, vertex, second, sources)) return;
  } else {
    const OdDbEntityPtr picked =
        pickObject(*doc, draftText(DraftText::kSecondLine), isLine, draftText(DraftText::kNotLine));
    if (!picked) return;
    auto line = OdDbLine::cast(picked);
    second = {line->startPoint(), line->endPoint()};
    if (parallel(first.end - first.start, second.end - second.start)) {
      cp.input().print(draftText(DraftText::kRefusedParallel));
      return;
    }
    vertex = crossing(first, second);
    sources.snapOn(0, *firstLine, OdDbOsnapType::kStart);
    sources.snapOn(1, *firstLine, OdDbOsnapType::kEnd);
    sources.snapOn(2, *picked, OdDbOsnapType::kStart);
    sources.snapOn(3, *picked, OdDbOsnapType::kEnd);
  }
  DimTextChoice text;
  auto make = [&](const OdGePoint3d& at) {
    return byPoints ? makeThreePoint(vertex, second, at, text) : makeTwoLine(first, second, at, text);
  };
  HostPointOptions placing;
  placing.base = vertex;
  placing.preview = styledPreview(*doc->database(), AnnotationKind::kAngular, make);
  const PointAnswer answer = askDimensionLocation(cp.input(), draftText(DraftText::kAngleArcLocation),
                                                  draftText(DraftText::kTextAngleOptions), 0, text, placing);
  if (answer.kind != PointAnswer::kPoint) return;
  if (samePoint(answer.point, vertex)) {
    cp.input().print(draftText(DraftText::kRefusedAtCentre));
    return;
  }
  addDimension(cp.input(), *doc->database(), make(answer.point), AnnotationKind::kAngular, &sources);
}

}  // namespace qrvhost
