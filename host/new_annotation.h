#pragma once
// What every dimension and leader drawn at the command line gets: the style
// (the current style, or its child style for the kind), the drawing's
// current values as its own overrides where they differ from the current
// style, the current layer, its place in model space and its geometry.
#include <functional>

#include "OdDbDatabase.h"
#include "OdDbDimStyleEntity.h"

class HostEdInput;
class OdDbDimension;

namespace qrvhost {

// The kinds a style may have a child style for, by the child's digit
// ("Standard$4" holds the values of Standard's radius dimensions).
enum class AnnotationKind { kLinear = 0, kAngular = 2, kDiameter = 3, kRadius = 4, kOrdinate = 6, kLeader = 7 };

// The current style's child style of the kind when the drawing has one,
// else the current style.
OdDbObjectId styleForNewAnnotation(const OdDbDatabase& db, AnnotationKind kind);

// Gives an entity outside the drawing its style, overrides and layer.
void setNewAnnotationStyle(const OdDbDatabase& db, OdDbDimStyleEntity& entity, AnnotationKind kind);

// The preview a point prompt offers a window: what `make` makes of the
// point under the cursor, styled as the new annotation will be.
template <class Make>
std::function<OdDbEntityPtr(const OdGePoint3d&)> styledPreview(const OdDbDatabase& db, AnnotationKind kind,
                                                               Make make) {
  return [&db, kind, make](const OdGePoint3d& at) -> OdDbEntityPtr {
    auto entity = make(at);
    setNewAnnotationStyle(db, *entity, kind);
    return entity;
  };
}

// Appends the entity to model space; a dimension gets its geometry built.
OdDbObjectId addToModelSpace(OdDbDatabase& db, const OdDbEntityPtr& entity);

struct DimPointSources;

// Gives the dimension its style, adds it to model space with its geometry,
// associates it with the objects its points came from (when `sources`
// names some and DIMASSOC asks for it) and says what it measures.
void addDimension(HostEdInput& input, OdDbDatabase& db, const OdSmartPtr<OdDbDimension>& dimension,
                  AnnotationKind kind, const DimPointSources* sources = nullptr);

// The text a dimension shows, for the "Dimension text =" message.
OdString shownDimensionText(const OdDbDimension& dimension);

}  // namespace qrvhost
