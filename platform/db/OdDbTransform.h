#pragma once
// Carrying entities by an affine map (MOVE, COPY, ROTATE, MIRROR, SCALE)
// and moving some of their points (STRETCH), for every kind the database
// models. Kinds kept as read (hatches, old polylines, multileaders ...) and
// block references with attributes hold their shape in file records that
// nothing here may rewrite: they are refused, never half moved.
#include <functional>

#include "OdDbEntity.h"
#include "OdGeMatrix3d.h"

enum class OdDbTransformCheck {
  kOk,
  kKeptAsRead,  // the shape lives in a record kept as read (or an insert's attributes)
  kNotSimilar,  // the map does not keep shapes, and the entity has arcs, text or a plane of its own
};

// Whether `transformEntity` can carry the entity by the map.
OdDbTransformCheck canTransformEntity(const OdDbEntity& entity, const OdGeMatrix3d& map);

// Carries the entity (open for write) by the map. A map that mirrors turns
// text as `mirrorText` says: false keeps it readable (its insertion point
// mirrored), true mirrors it too. Multi-line text and dimension text always
// stay readable. A dimension's points, text position and angles go with
// it, so that it measures the same, or, scaled, the scaled length; its
// block is left out of date for the caller to rebuild. Throws
// OdError(eInvalidInput) for an entity canTransformEntity refuses.
void transformEntity(OdDbEntity& entity, const OdGeMatrix3d& map, bool mirrorText = false);

// Moves by `offset` the points of the entity (open for write) that
// `inside` holds: ends and vertices, corners, a dimension's definition
// points and its text when placed by hand; an arc, circle, ellipse, text
// or block reference goes whole when its centre or insertion point is
// inside. False (nothing changed) when no point moved. Throws like
// transformEntity for the kinds it refuses.
bool stretchEntity(OdDbEntity& entity, const std::function<bool(const OdGePoint3d&)>& inside,
                   const OdGeVector3d& offset);
