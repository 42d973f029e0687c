// DIMREASSOCIATE and DIMDISASSOCIATE: associating dimensions with geometry
// again, point by point, and taking their associations away.
#include "OdDbDimAssocFollow.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "assoc_texts.h"
#include "command_processor.h"
#include "dim_associate.h"
#include "documents.h"
#include "drafting_input.h"
#include "host_commands.h"
#include "selection.h"
#include "text_format.h"

namespace qrvhost {

namespace {

bool isLine(const OdDbEntity& e) { return OdDbLine::cast(&e) != nullptr; }
bool isArc(const OdDbEntity& e) { return OdDbArc::cast(&e) != nullptr; }
bool isLineOrArc(const OdDbEntity& e) { return isLine(e) || isArc(e); }
bool isArcOrCircle(const OdDbEntity& e) { return isArc(e) || OdDbCircle::cast(&e) != nullptr; }

// What the user answered for one dimension.
enum class Outcome { kChanged, kKept, kCancelled };

// A defining point asked with its prompt: an object snap (END 2A ...) sets
// its reference, Select object (where offered) the references of both
// extension lines from one line or arc (`selected` set), Enter keeps it.
Outcome askPoint(HostApDocument& doc, AssocText prompt, int index, DimPointSources& sources, bool offerSelect,
                 bool& selected) {
  HostEdInput& input = *doc.editorInput();
  const OdString options = offerSelect ? assocText(AssocText::kSelectObjectOption) : OdString();
  for (;;) {
    const PointAnswer answer = qrvhost::askPoint(input, assocText(prompt), options, kPromptEmptyAllowed);
    if (answer.kind == PointAnswer::kCancelled) return Outcome::kCancelled;
    if (answer.kind == PointAnswer::kEnter) return Outcome::kKept;
    if (answer.kind == PointAnswer::kOption) {
      const OdDbEntityPtr picked = pickObject(doc, assocText(AssocText::kSelectLineOrArc), isLineOrArc,
                                              assocText(AssocText::kNotThatObject));
      if (!picked) return Outcome::kKept;
      sources.snapOn(0, *picked, OdDbOsnapType::kStart);
      sources.snapOn(1, *picked, OdDbOsnapType::kEnd);
      selected = true;
      return Outcome::kChanged;
    }
    if (!input.lastPointSnap()) {
      input.refuse(assocText(AssocText::kNotSnapped));
      continue;
    }
    sources.takeSnap(index, input);
    return Outcome::kChanged;
  }
}

// Asks for the new sources of one dimension's points.
Outcome askSources(HostApDocument& doc, OdDbDimension& dim, DimPointSources& sources) {
  auto pick = [&](AssocText prompt, bool (*accept)(const OdDbEntity&)) {
    return pickObject(doc, assocText(prompt), accept, assocText(AssocText::kNotThatObject));
  };
  bool changed = false;
  if (OdDbRotatedDimension::cast(&dim) || OdDbAlignedDimension::cast(&dim)) {
    bool selected = false;
    for (int i = 0; i < 2 && !selected; ++i) {
      const Outcome o = askPoint(doc, i == 0 ? AssocText::kPointPrompt0 : AssocText::kPointPrompt1, i, sources,
                                 true, selected);
      if (o == Outcome::kCancelled) return o;
      changed = changed || o == Outcome::kChanged;
    }
  } else if (OdDb3PointAngularDimension::cast(&dim)) {
    const std::pair<AssocText, int> points[] = {
        {AssocText::kVertexPrompt, 2}, {AssocText::kAngleEnd1Prompt, 0}, {AssocText::kAngleEnd2Prompt, 1}};
    for (const auto& [prompt, index] : points) {
      bool selected = false;
      const Outcome o = askPoint(doc, prompt, index, sources, false, selected);
      if (o == Outcome::kCancelled) return o;
      changed = changed || o == Outcome::kChanged;
    }
  } else if (OdDbOrdinateDimension::cast(&dim)) {
    bool selected = false;
    const Outcome o = askPoint(doc, AssocText::kFeaturePrompt, 1, sources, false, selected);
    if (o != Outcome::kChanged) return o;
    changed = true;
  } else if (OdDb2LineAngularDimension::cast(&dim)) {
    for (int line = 0; line < 2; ++line) {
      const OdDbEntityPtr picked = pick(line == 0 ? AssocText::kSelectFirstLine : AssocText::kSelectSecondLine, isLine);
      if (!picked) continue;
      sources.snapOn(2 * line, *picked, OdDbOsnapType::kStart);
      sources.snapOn(2 * line + 1, *picked, OdDbOsnapType::kEnd);
      changed = true;
    }
  } else if (auto radial = OdDbRadialDimension::cast(&dim)) {
    const OdDbEntityPtr picked = pick(AssocText::kSelectArcOrCircle, isArcOrCircle);
    if (!picked) return Outcome::kKept;
    sources.snapOn(0, *picked, OdDbOsnapType::kNear, radial->chordPoint());
    sources.snapOn(1, *picked, OdDbOsnapType::kCen);
    changed = true;
  } else if (auto large = QrHugeRadius::cast(&dim)) {
    const OdDbEntityPtr picked = pick(AssocText::kSelectArcOrCircle, isArcOrCircle);
    if (!picked) return Outcome::kKept;
    sources.snapOn(0, *picked, OdDbOsnapType::kNear, large->chordPoint());
    sources.snapOn(1, *picked, OdDbOsnapType::kCen);
    changed = true;
  } else if (auto diametric = OdDbDiametricDimension::cast(&dim)) {
    const OdDbEntityPtr picked = pick(AssocText::kSelectArcOrCircle, isArcOrCircle);
    if (!picked) return Outcome::kKept;
    sources.snapOn(0, *picked, OdDbOsnapType::kNear, diametric->chordPoint());
    sources.snapOn(1, *picked, OdDbOsnapType::kNear, diametric->farChordPoint());
    changed = true;
  } else if (OdDbArcDimension::cast(&dim)) {
    const OdDbEntityPtr picked = pick(AssocText::kSelectArcOrCircle, isArc);
    if (!picked) return Outcome::kKept;
    sources.snapOn(0, *picked, OdDbOsnapType::kStart);
    sources.snapOn(1, *picked, OdDbOsnapType::kEnd);
    sources.snapOn(2, *picked, OdDbOsnapType::kCen);
    changed = true;
  }
  return changed ? Outcome::kChanged : Outcome::kKept;
}

}  // namespace

void commandDimReassociate(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  OdDbObjectIdArray picked;
  if (doc->selectionManager()->select(assocText(AssocText::kSelectToReassociate), kSelCallerPrompt, picked,
                                      OdDbDimension::desc()) != kSelectionOk)
    return;
  int count = 0;
  for (OdDbObjectId id : picked) {
    OdDbDimensionPtr dim = OdDbDimension::cast(id.openObject(OdDb::kForWrite));
    if (!dim) continue;
    cp.input().print(hostFormat(assocText(AssocText::kDimensionHeading).c_str(), dim->getDbHandle().ascii().c_str(),
                                dim->isA()->name()));
    // The points not asked again keep what they had.
    DimPointSources sources;
    if (OdDbDimAssocPtr old = OdDbDimAssoc::cast(odDbDimAssocId(*dim).openObject()))
      for (int i = 0; i < OdDbDimAssoc::kPoints; ++i) sources.refs[i] = old->pointRef(i);
    const Outcome o = askSources(*doc, *dim, sources);
    if (o == Outcome::kCancelled) return;
    if (o == Outcome::kKept || !sources.any()) continue;
    OdDbDimAssocPtr assoc = OdDbDimAssoc::createObject();
    for (int i = 0; i < OdDbDimAssoc::kPoints; ++i) assoc->setPointRef(i, sources.refs[i]);
    odDbSetDimAssoc(*dim, assoc);
    if (!odDbApplyDimAssoc(*dim, *assoc))
      cp.input().print(hostFormat(assocText(AssocText::kCannotFollow).c_str(), dim->getDbHandle().ascii().c_str()));
    ++count;
  }
  cp.input().print(hostFormat(assocText(AssocText::kReassociated).c_str(), count));
}

void commandDimDisassociate(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  OdDbObjectIdArray picked;
  if (doc->selectionManager()->select(assocText(AssocText::kSelectToDisassociate), kSelCallerPrompt, picked,
                                      OdDbDimension::desc()) != kSelectionOk)
    return;
  int count = 0;
  for (OdDbObjectId id : picked) {
    OdDbEntityPtr dim = OdDbEntity::cast(id.openObject(OdDb::kForWrite));
    if (dim && odDbRemoveDimAssoc(*dim)) ++count;
  }
  cp.input().print(hostFormat(assocText(AssocText::kDisassociated).c_str(), count));
}

}  // namespace qrvhost
