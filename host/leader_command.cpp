// LEADER: a leader through the points given, then lines of annotation text
// placed at its end.
#include <vector>

#include "OdDbEntities.h"
#include "OdDbLeader.h"
#include "command_processor.h"
#include "documents.h"
#include "drafting_input.h"
#include "drafting_texts.h"
#include "host_commands.h"
#include "new_annotation.h"

namespace qrvhost {

namespace {

enum LeaderOption { kAnnotation, kUndo };

OdDbLeaderPtr makeLeader(const std::vector<OdGePoint3d>& points) {
  OdDbLeaderPtr leader = OdDbLeader::createObject();
  leader->setVertices(points);
  return leader;
}

// The points of the leader; fewer than two when the user gave up.
std::vector<OdGePoint3d> askLeaderPoints(HostEdInput& input, const OdDbDatabase& db, bool& cancelled) {
  std::vector<OdGePoint3d> points;
  cancelled = false;
  const PointAnswer start = askPoint(input, draftText(DraftText::kLeaderStart), "", 0);
  if (start.kind != PointAnswer::kPoint) {
    cancelled = true;
    return points;
  }
  points.push_back(start.point);
  for (;;) {
    HostPointOptions next;
    next.base = points.back();
    next.preview = styledPreview(db, AnnotationKind::kLeader, [&](const OdGePoint3d& at) {
      std::vector<OdGePoint3d> withCursor = points;
      withCursor.push_back(at);
      return makeLeader(withCursor);
    });
    const bool first = points.size() == 1;
    const PointAnswer answer =
        first ? askPoint(input, draftText(DraftText::kLeaderNext), "", kPromptEmptyAllowed, next)
              : askPoint(input, draftText(DraftText::kLeaderNextOrOption), draftText(DraftText::kLeaderOptions),
                         kPromptHasDefault, next);
    if (answer.kind == PointAnswer::kCancelled) {
      cancelled = true;
      return points;
    }
    if (answer.kind == PointAnswer::kEnter || (answer.kind == PointAnswer::kOption && answer.option == kAnnotation))
      return points;
    if (answer.kind == PointAnswer::kOption) {  // Undo, offered from the second point on
      points.pop_back();
      continue;
    }
    if (samePoint(answer.point, points.back())) {
      input.print(draftText(DraftText::kSamePoint));
      continue;
    }
    points.push_back(answer.point);
  }
}

// Lines of annotation text until Enter; false when cancelled.
bool askAnnotation(HostEdInput& input, std::vector<OdString>& lines) {
  for (;;) {
    OdString line;
    const DraftText prompt = lines.empty() ? DraftText::kAnnotationFirstLine : DraftText::kAnnotationNextLine;
    const int r = input.getString(draftText(prompt), "", kPromptEmptyAllowed | kPromptBlanksAllowed, line);
    if (r == kPromptCancelled) return false;
    if (r != kPromptText) return true;
    lines.push_back(line);
  }
}

// The annotation sits beside the leader's end, on the side the last
// segment points to, at the leader's text height.
OdDbMTextPtr makeAnnotation(const OdDbLeader& leader, const std::vector<OdString>& lines) {
  const OdDbDimVars vars = leader.effectiveDimVars();
  const double scale = vars.scale > 0 ? vars.scale : 1.0;
  const auto& points = leader.vertices();
  const bool toTheRight = points.back().x >= points[points.size() - 2].x;
  OdString contents;
  for (const OdString& line : lines) contents += (contents.empty() ? "" : "\\P") + line;
  OdDbMTextPtr text = OdDbMText::createObject();
  text->setContents(contents);
  text->setTextHeight(vars.txt * scale);
  text->setAttachment(toTheRight ? 4 : 6);  // middle left, middle right
  const double gap = std::fabs(vars.gap) * scale;
  text->setLocation(points.back() + OdGeVector3d(toTheRight ? gap : -gap, 0.0, 0.0));
  if (!vars.txsty.isNull()) text->setTextStyle(vars.txsty);
  return text;
}

}  // namespace

void commandLeader(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  bool cancelled = false;
  const std::vector<OdGePoint3d> points = askLeaderPoints(cp.input(), *doc->database(), cancelled);
  if (cancelled) return;
  if (points.size() < 2) {
    cp.input().print(draftText(DraftText::kRefusedLeaderPoints));
    return;
  }
  std::vector<OdString> lines;
  if (!askAnnotation(cp.input(), lines)) return;
  OdDbDatabase& db = *doc->database();
  OdDbLeaderPtr leader = makeLeader(points);
  setNewAnnotationStyle(db, *leader, AnnotationKind::kLeader);
  if (!lines.empty()) {
    OdDbMTextPtr annotation = makeAnnotation(*leader, lines);
    annotation->setDatabaseDefaults(&db);
    leader->attachAnnotation(addToModelSpace(db, annotation));
  }
  addToModelSpace(db, leader);
}

}  // namespace qrvhost
