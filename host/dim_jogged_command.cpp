// DIMJOGGED: the radius of a large arc or circle whose centre lies off the
// sheet, drawn from a centre shown elsewhere with a jog in its line.
#include <cmath>
#include <numbers>

#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "command_processor.h"
#include "dim_associate.h"
#include "dim_edit_texts.h"
#include "documents.h"
#include "drafting_input.h"
#include "drafting_texts.h"
#include "host_commands.h"
#include "new_annotation.h"

namespace qrvhost {

namespace {

struct Circle {
  OdGePoint3d centre;
  double radius = 0.0;
};

bool isArcOrCircle(const OdDbEntity& e) { return OdDbArc::cast(&e) || OdDbCircle::cast(&e); }

bool pickCircle(HostApDocument& doc, Circle& circle, OdDbEntityPtr& picked) {
  picked = pickObject(doc, draftText(DraftText::kSelectArcOrCircle), isArcOrCircle,
                      draftText(DraftText::kNotArcOrCircle));
  if (auto arc = OdDbArc::cast(picked)) circle = {arc->center(), arc->radius()};
  else if (auto c = OdDbCircle::cast(picked)) circle = {c->center(), c->radius()};
  else return false;
  return true;
}

struct Jogged {
  Circle circle;
  OdGePoint3d shownCentre;
};

// The dimension with its text at `location` and the jog at `jog`; the jog
// angle is the style's, so that the new dimension looks like its style.
QrHugeRadiusPtr makeJogged(const OdDbDatabase& db, const Jogged& j, const OdGePoint3d& location,
                           const OdGePoint3d& jog, const DimTextChoice& text) {
  QrHugeRadiusPtr dim = QrHugeRadius::createObject();
  OdGeVector3d out = location - j.circle.centre;
  out = out.length() > 0 ? out * (1.0 / out.length()) : OdGeVector3d(1, 0, 0);
  dim->setCenter(j.circle.centre);
  dim->setChordPoint(j.circle.centre + out * j.circle.radius);
  dim->setOverrideCenter(j.shownCentre);
  dim->setJogPoint(jog);
  dim->setTextPosition(location);
  text.applyTo(*dim);
  setNewAnnotationStyle(db, *dim, AnnotationKind::kRadius);
  const double styleJog = dim->effectiveDimVars().jogang;
  // A style angle the entity cannot hold leaves it the usual 45 degrees.
  if (styleJog >= 5 * std::numbers::pi / 180 && styleJog <= std::numbers::pi / 2) dim->setJogAngle(styleJog);
  return dim;
}

}  // namespace

void commandDimJogged(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  Jogged j;
  OdDbEntityPtr picked;
  if (!doc || !pickCircle(*doc, j.circle, picked)) return;
  const OdDbDatabase& db = *doc->database();
  HostEdInput& input = cp.input();
  const PointAnswer shown = askPoint(input, editText(EditText::kCentreOverride), "", 0);
  if (shown.kind != PointAnswer::kPoint) return;
  j.shownCentre = shown.point;

  DimTextChoice text;
  HostPointOptions placing;
  placing.base = j.shownCentre;
  // Until the jog is given it sits halfway along the radius shown.
  placing.preview = [&](const OdGePoint3d& at) -> OdDbEntityPtr {
    return makeJogged(db, j, at, j.circle.centre + (at - j.circle.centre) * 0.5, text);
  };
  const PointAnswer location = askDimensionLocation(input, draftText(DraftText::kDimLineLocation),
                                                    draftText(DraftText::kTextAngleOptions), 0, text, placing);
  if (location.kind != PointAnswer::kPoint) return;
  if (samePoint(location.point, j.circle.centre)) {
    input.print(draftText(DraftText::kRefusedAtCentre));
    return;
  }
  OdGeVector3d out = location.point - j.circle.centre;
  out = out * (1.0 / out.length());
  if (samePoint(j.shownCentre, j.circle.centre + out * j.circle.radius)) {
    input.print(editText(EditText::kRefusedOverrideAtChord));
    return;
  }
  HostPointOptions jogging;
  jogging.preview = [&](const OdGePoint3d& at) -> OdDbEntityPtr {
    return makeJogged(db, j, location.point, at, text);
  };
  const PointAnswer jog = askPoint(input, editText(EditText::kJogLocation), "", 0, jogging);
  if (jog.kind != PointAnswer::kPoint) return;
  const QrHugeRadiusPtr dim = makeJogged(db, j, location.point, jog.point, text);
  // Like a radius, it follows the curve: the point where its arrow meets
  // it, and its true centre.
  DimPointSources sources;
  sources.snapOn(0, *picked, OdDbOsnapType::kNear, dim->chordPoint());
  sources.snapOn(1, *picked, OdDbOsnapType::kCen);
  addDimension(input, *doc->database(), dim, AnnotationKind::kRadius, &sources);
}

}  // namespace qrvhost
