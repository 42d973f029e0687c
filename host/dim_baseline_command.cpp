// DIMBASELINE and DIMCONTINUE: more dimensions after one already drawn,
// each from the base's first origin with its line further out, or each
// from where the previous one ends on the same line.
#include <algorithm>
#include <vector>

#include "OdDbBlockTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbDatabase.h"
#include "OdDbDimAssoc.h"
#include "OdDbDimAssocFollow.h"
#include "command_processor.h"
#include "dim_associate.h"
#include "dim_edit_texts.h"
#include "dimension_chain.h"
#include "documents.h"
#include "drafting_input.h"
#include "drafting_texts.h"
#include "host_commands.h"
#include "new_annotation.h"

namespace qrvhost {

namespace {

enum ChainOption { kUndo, kSelect };

AnnotationKind kindOf(const OdDbDimension& d) {
  if (isOrdinate(d)) return AnnotationKind::kOrdinate;
  if (OdDb2LineAngularDimension::cast(&d) || OdDb3PointAngularDimension::cast(&d)) return AnnotationKind::kAngular;
  return AnnotationKind::kLinear;
}

// The dimension drawn last that a chain can follow: new ones are appended to
// model space, so it is the last such one there.
OdDbDimensionPtr lastChainable(OdDbDatabase& db) {
  OdDbDimensionPtr last;
  OdDbBlockTableRecordPtr space = db.getModelSpaceId().safeOpenObject();
  for (auto it = space->newIterator(); !it->done(); it->step()) {
    OdDbEntityPtr e = it->entity();
    if (e && canChainFrom(*e)) last = OdDbDimension::cast(e);
  }
  return last;
}

// How far apart baseline dimensions stand: the spacing of the style a new
// dimension of the kind gets, with the current overrides, at its scale.
double baselineSpacing(const OdDbDatabase& db, AnnotationKind kind) {
  OdDbRotatedDimensionPtr probe = OdDbRotatedDimension::createObject();
  setNewAnnotationStyle(db, *probe, kind);
  const OdDbDimVars vars = probe->effectiveDimVars();
  return vars.dli * (vars.scale > 0 ? vars.scale : 1.0);
}

// The reference point `index` of a dimension's association, if it has one.
std::optional<OdDbOsnapPointRef> assocRef(const OdDbDimension& d, int index) {
  OdDbDimAssocPtr assoc = OdDbDimAssoc::cast(odDbDimAssocId(d).openObject());
  return assoc ? assoc->pointRef(index) : std::nullopt;
}

// A two-line angle's line, when its association keeps one: the first
// line's references are 0 and 1, the second's 2 and 3.
OdDbEntityPtr associatedLine(const OdDbDimension& angle, bool second) {
  for (int i : {second ? 2 : 0, second ? 3 : 1})
    if (const auto ref = assocRef(angle, i); ref && angle.database())
      if (OdDbEntityPtr line = OdDbEntity::cast(angle.database()->getOdDbObjectId(ref->mainObject()).openObject()))
        return line;
  return OdDbEntityPtr();
}

// The snap on `on` near `at`, kept only when it is at `at` now (the point a
// chain took from a line's ray need not be one of its ends).
std::optional<OdDbOsnapPointRef> snapAt(const OdDbEntity& on, OdDbOsnapType type, const OdGePoint3d& at,
                                        const OdDbEntity* second = nullptr) {
  std::optional<OdDbOsnapPointRef> ref = odDbMakeOsnapRef(on, type, at, second);
  if (!ref || !on.database()) return std::nullopt;
  const std::optional<OdGePoint3d> now = odDbOsnapPoint(*on.database(), *ref);
  if (!now || now->distanceTo(at) > 1e-9 * std::max(1.0, at.distanceTo(OdGePoint3d::kOrigin()))) return std::nullopt;
  return ref;
}

// A three-point angle chained from an angle between two lines: the vertex
// is where the lines cross, and the first point the end of the line whose
// ray it lies on.
void fromTwoLines(const OdDbDimension& angle, const OdDb3PointAngularDimension& next, DimPointSources& sources) {
  const OdDbEntityPtr first = associatedLine(angle, false), second = associatedLine(angle, true);
  if (first && second) sources.refs[2] = snapAt(*first, OdDbOsnapType::kInt, next.centerPoint(), second.get());
  for (const OdDbEntityPtr& line : {first, second})
    if (line && !sources.refs[0]) sources.refs[0] = snapAt(*line, OdDbOsnapType::kEnd, next.xLine1Point());
}

// Where the new dimension's points came from: the point just given (a
// snap follows its object), and the points it shares with the dimension
// it follows, which follow what that one's follow. Chains of ordinates
// share the origin; of angles (made of three points) the vertex too.
DimPointSources chainSources(ChainMode mode, const OdDbDimension& base, const OdDbDimension& previous,
                             const OdDbDimension& next, const HostEdInput& input) {
  DimPointSources sources;
  sources.takeSnap(1, input);  // the second origin, the second angle end, the feature
  if (isOrdinate(next)) {
    sources.refs[0] = assocRef(previous, 0);
  } else if (OdDb3PointAngularDimension::cast(&next)) {
    // A chain of three-point angles numbers its points alike; one from two
    // lines finds its points on them.
    const OdDbDimension& from = mode == ChainMode::kBaseline ? base : previous;
    if (OdDb3PointAngularDimension::cast(&from)) {
      sources.refs[0] = assocRef(from, mode == ChainMode::kBaseline ? 0 : 1);
      sources.refs[2] = assocRef(from, 2);
    } else if (OdDb2LineAngularDimension::cast(&from)) {
      fromTwoLines(from, static_cast<const OdDb3PointAngularDimension&>(next), sources);
    }
  } else {
    sources.refs[0] = mode == ChainMode::kBaseline ? assocRef(base, 0) : assocRef(previous, 1);
  }
  return sources;
}

// What Undo takes back: the dimension made and the chain as it was before.
struct Made {
  OdDbDimensionPtr dimension, base, previous;
};

void chainCommand(CommandProcessor& cp, ChainMode mode) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  HostEdInput& input = cp.input();
  OdDbDatabase& db = *doc->database();
  OdDbDimensionPtr base = lastChainable(db), previous = base;
  std::vector<Made> made;
  for (;;) {
    if (!base) {
      const EditText prompt = mode == ChainMode::kBaseline ? EditText::kSelectBaseDimension
                                                           : EditText::kSelectContinuedDimension;
      base = OdDbDimension::cast(pickObject(*doc, editText(prompt), canChainFrom, editText(EditText::kNotChainable)));
      if (!base) return;
      previous = base;
    }
    const AnnotationKind kind = kindOf(*base);
    const double spacing = mode == ChainMode::kBaseline ? baselineSpacing(db, kind) : 0.0;
    HostPointOptions placing;
    placing.base = chainStart(mode, *base, *previous);
    placing.preview = [&, kind, spacing](const OdGePoint3d& at) -> OdDbEntityPtr {
      OdDbDimensionPtr d = nextInChain(mode, *base, *previous, at, spacing);
      if (d) setNewAnnotationStyle(db, *d, kind);
      return d;
    };
    const EditText prompt = isOrdinate(*base) ? EditText::kFeatureLocationOrOptions : EditText::kSecondOriginOrOptions;
    const PointAnswer answer =
        askPoint(input, editText(prompt), editText(EditText::kUndoSelectOptions), kPromptEmptyAllowed, placing);
    if (answer.kind == PointAnswer::kCancelled) return;
    if (answer.kind == PointAnswer::kEnter || (answer.kind == PointAnswer::kOption && answer.option == kSelect)) {
      base = previous = OdDbDimensionPtr();
      continue;
    }
    if (answer.kind == PointAnswer::kOption) {  // Undo
      if (made.empty()) {
        input.print(editText(EditText::kNothingToUndo));
        continue;
      }
      made.back().dimension->objectId().safeOpenObject(OdDb::kForWrite)->erase();
      base = made.back().base;
      previous = made.back().previous;
      made.pop_back();
      continue;
    }
    const OdDbDimensionPtr next = nextInChain(mode, *base, *previous, answer.point, spacing);
    if (!next) {
      input.print(editText(EditText::kRefusedNothingToMeasure));
      continue;
    }
    // An ordinate may measure nothing (a feature on the origin's line).
    if (kind != AnnotationKind::kOrdinate && next->getMeasurement() <= 1e-10 * std::max(1.0, answer.point.distanceTo(placing.base.value()))) {
      input.print(draftText(DraftText::kRefusedZeroLength));
      continue;
    }
    const DimPointSources sources = chainSources(mode, *base, *previous, *next, input);
    addDimension(input, db, next, kind, &sources);
    made.push_back({next, base, previous});
    previous = next;
  }
}

}  // namespace

void commandDimBaseline(CommandProcessor& cp) { chainCommand(cp, ChainMode::kBaseline); }
void commandDimContinue(CommandProcessor& cp) { chainCommand(cp, ChainMode::kContinue); }

}  // namespace qrvhost
