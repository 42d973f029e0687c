// DIMORDINATE: the X or Y distance of a feature from the origin.
#include <cmath>

#include "OdDbDimension.h"
#include "command_processor.h"
#include "dim_associate.h"
#include "documents.h"
#include "drafting_input.h"
#include "drafting_texts.h"
#include "host_commands.h"
#include "new_annotation.h"

namespace qrvhost {

namespace {

enum OrdinateOption { kXDatum, kYDatum, kText, kAngle };

// Without a chosen datum the leader's direction decides: a leader that runs
// up or down measures X, one that runs sideways measures Y.
bool measuresX(std::optional<bool> chosen, const OdGePoint3d& feature, const OdGePoint3d& end) {
  if (chosen) return *chosen;
  return std::fabs(end.y - feature.y) >= std::fabs(end.x - feature.x);
}

OdDbOrdinateDimensionPtr makeOrdinate(const OdGePoint3d& feature, const OdGePoint3d& end, bool xAxis,
                                      const DimTextChoice& text) {
  OdDbOrdinateDimensionPtr dim = OdDbOrdinateDimension::createObject();
  dim->setOrigin(OdGePoint3d::kOrigin());
  dim->setDefiningPoint(feature);
  dim->setLeaderEndPoint(end);
  if (xAxis)
    dim->useXAxis();
  else
    dim->useYAxis();
  text.applyTo(*dim);
  return dim;
}

}  // namespace

void commandDimOrdinate(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  const PointAnswer feature = askPoint(cp.input(), draftText(DraftText::kFeatureLocation), "", 0);
  if (feature.kind != PointAnswer::kPoint) return;
  DimPointSources sources;
  sources.takeSnap(1, cp.input());
  DimTextChoice text;
  std::optional<bool> xDatum;
  HostPointOptions placing;
  placing.base = feature.point;
  placing.preview = styledPreview(*doc->database(), AnnotationKind::kOrdinate, [&](const OdGePoint3d& at) {
    return makeOrdinate(feature.point, at, measuresX(xDatum, feature.point, at), text);
  });
  OdGePoint3d end;
  for (;;) {
    const PointAnswer answer = askDimensionLocation(cp.input(), draftText(DraftText::kLeaderEndpoint),
                                                    draftText(DraftText::kOrdinateOptions), kText, text, placing);
    if (answer.kind == PointAnswer::kPoint) {
      end = answer.point;
      break;
    }
    if (answer.kind != PointAnswer::kOption) return;
    xDatum = answer.option == kXDatum;
  }
  if (samePoint(end, feature.point)) {
    cp.input().print(draftText(DraftText::kRefusedSamePoints));
    return;
  }
  addDimension(cp.input(), *doc->database(), makeOrdinate(feature.point, end, measuresX(xDatum, feature.point, end), text),
               AnnotationKind::kOrdinate, &sources);
}

}  // namespace qrvhost
