#pragma once
// Associative dimensions follow their geometry. At the end of every undo
// step (a command, a palette change) the drawing finds the associations
// whose objects changed in the step and moves the dimensions' points to
// where the object snaps now are, within the same step; undo and redo then
// give back both together. Geometry that was erased leaves its dimensions
// where they are and no longer associated, with a note.
#include <cstdint>
#include <functional>
#include <optional>

#include "OdDbDimAssoc.h"

class OdDbDatabase;
class OdDbDimension;

// The snap `type` on the resident object `on` as a reference; nothing when
// the object has no such snap (a text, the centre of a line). With `near`:
// the end nearer to it (kEnd and kStart alike), the segment of a polyline
// nearest to it, the point of the curve nearest to it (kNear), the
// crossing nearest to it (kInt, which needs the second object). Without:
// the object's own end or start, a polyline's last or first segment.
std::optional<OdDbOsnapPointRef> odDbMakeOsnapRef(const OdDbEntity& on, OdDbOsnapType type,
                                                  const std::optional<OdGePoint3d>& near,
                                                  const OdDbEntity* second = nullptr);

// Where the reference's snap is on the drawing's objects now; nothing when
// its object is gone, is not one object of the drawing (a path into a
// block, an external reference) or cannot give that snap.
std::optional<OdGePoint3d> odDbOsnapPoint(const OdDbDatabase& db, const OdDbOsnapPointRef& ref);

// The defining point `index` of a dimension in the numbering of
// OdDbDimAssoc; nothing for a point the kind has not.
std::optional<OdGePoint3d> odDbDimAssocPoint(const OdDbDimension& dimension, int index);

// Moves the dimension (open for write) to the points its association
// gives now and rebuilds its block. False, changing nothing, when some
// associated point cannot be found.
bool odDbApplyDimAssoc(OdDbDimension& dimension, const OdDbDimAssoc& assoc);

// Why a dimension lost associations while following.
enum class OdDbDimAssocLoss {
  kGeometryGone,  // its geometry was erased (or no longer gives the snap): none left
  kPointGone,     // the same for some of its points; the others still follow
  kMovedAway,     // its associated points were moved without their geometry
};
// Hears of such losses; the host says so on its command line.
void odDbSetDimAssocNoteSink(std::function<void(OdDbHandle dimension, OdDbDimAssocLoss why)> sink);

// Follows the objects changed after `since` (a stamp of db). Called by the
// database at the end of each undo step; returns how many dimensions moved
// or lost their association.
int odDbFollowDimAssociations(OdDbDatabase& db, std::uint64_t since);
