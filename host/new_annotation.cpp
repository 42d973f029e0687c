#include "new_annotation.h"

#include "OdDbBlockTableRecord.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbSymbolTable.h"
#include "dim_associate.h"
#include "drafting_texts.h"
#include "editor_input.h"
#include "text_format.h"
#include "units/host_units.h"

#ifdef QRVHOST_HAVE_RENDER
#include "dim_text_format.h"
#endif

namespace qrvhost {

OdDbObjectId styleForNewAnnotation(const OdDbDatabase& db, AnnotationKind kind) {
  const OdDbObjectId current = db.getDimstyle();
  OdDbDimStyleTableRecordPtr style = current.safeOpenObject();
  OdDbDimStyleTablePtr table = db.getDimStyleTableId().safeOpenObject();
  const OdString childName = style->getName() + "$" + std::to_string(static_cast<int>(kind));
  const OdDbObjectId child = table->getAt(childName);
  return child.isNull() ? current : child;
}

void setNewAnnotationStyle(const OdDbDatabase& db, OdDbDimStyleEntity& entity, AnnotationKind kind) {
  entity.setDatabaseDefaults(const_cast<OdDbDatabase*>(&db));
  entity.setDimensionStyle(styleForNewAnnotation(db, kind));
  // The values the user set since choosing the current style apply to
  // every kind, over the child style's own; a value the child style
  // already holds needs no override (setDimVar drops it).
  OdDbDimStyleTableRecordPtr current = db.getDimstyle().safeOpenObject();
  const OdDbDimOverrides changed = OdDbDimOverrides::difference(db.dimVars(), current->dimVars());
  for (const auto& [index, value] : changed.items()) entity.setDimVar(index, value);
}

OdDbObjectId addToModelSpace(OdDbDatabase& db, const OdDbEntityPtr& entity) {
  OdDbBlockTableRecordPtr space = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  const OdDbObjectId id = space->appendOdDbEntity(entity);
  if (auto dimension = OdDbDimension::cast(entity)) dimension->recomputeDimBlock();
  return id;
}

void addDimension(HostEdInput& input, OdDbDatabase& db, const OdDbDimensionPtr& dimension, AnnotationKind kind,
                  const DimPointSources* sources) {
  setNewAnnotationStyle(db, *dimension, kind);
  addToModelSpace(db, dimension);
  if (sources) associateNewDimension(db, *dimension, *sources);
  input.print(hostFormat(draftText(DraftText::kDimensionText).c_str(), shownDimensionText(*dimension).c_str()));
}

OdString shownDimensionText(const OdDbDimension& dimension) {
  const bool angle = OdDb2LineAngularDimension::cast(&dimension) || OdDb3PointAngularDimension::cast(&dimension);
  const double measured = dimension.getMeasurement();
#ifdef QRVHOST_HAVE_RENDER
  const OdDbDimVars vars = dimension.effectiveDimVars();
  if (!angle) return render::primaryLengthText(measured, vars);
  // The drawing's degree code reads as the sign on the command line.
  OdString text = render::angleText(measured, vars);
  for (std::size_t at; (at = text.find("%%d")) != OdString::npos;) text.replace(at, 3, "\u00b0");
  return text;
#else
  OdString text;
  if (angle)
    hostdbAngToS(measured, -1, -1, text);
  else
    hostdbRToS(measured, -1, -1, text);
  return text;
#endif
}

}  // namespace qrvhost
