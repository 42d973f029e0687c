#pragma once
// Points as a user gives them at a point prompt, and the hook through which
// a drawing window takes part in point prompts.
//
// A typed point is in the drawing's units:
//   x,y   x,y,z          absolute
//   @dx,dy   @dx,dy,dz   relative to the last point entered
//   @d<a                 polar from the last point: distance d at angle a
//   d<a                  polar from the origin
//   @                    the last point itself
// Coordinates and distances take every linear form (12.5, 1'6", 2 1/2);
// angles the drawing's angular unit (AUNITS) or any marked form (45d30',
// 50g, 0.5r, N45dE). The decimal separator is always "." because "," parts
// the coordinates.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "OdDbEntity.h"
#include "OdGePoint3d.h"
#include "OdString.h"

enum class HostPointError { kNone, kUnreadable, kNoLastPoint };

// The point the text stands for; nothing, with the reason in `error`, when
// it stands for none.
std::optional<OdGePoint3d> hostParsePoint(std::string_view text, const std::optional<OdGePoint3d>& lastPoint,
                                          HostPointError* error = nullptr);

// The answer a window gives a point prompt for a point picked in the view:
// absolute and exact, so it reads back as the same point.
std::string hostPointAnswer(const OdGePoint3d& point);

// The drafting modes a picked point follows (the drawing's ORTHOMODE,
// SNAPMODE and SNAPUNIT): snapped to the grid of the snap spacing from the
// origin, then, from a base point, kept along X or Y, whichever is the
// longer way. An object snap, where one is found, goes before both; a typed
// point follows neither.
struct HostDraftingModes {
  bool ortho = false;
  bool snapToGrid = false;
  double snapX = 10, snapY = 10;
};
OdGePoint3d hostDraftedPoint(const OdGePoint3d& cursor, const std::optional<OdGePoint3d>& base,
                             const HostDraftingModes& modes);

// What a command would make of the point under the cursor: entities
// outside any drawing, for drawing only (the dimension being placed, the
// objects being moved).
struct HostPreview {
  std::vector<OdDbEntityPtr> entities;
  HostPreview() = default;
  HostPreview(OdDbEntityPtr one) {
    if (one) entities.push_back(std::move(one));
  }
  HostPreview(std::vector<OdDbEntityPtr> many) : entities(std::move(many)) {}
  explicit operator bool() const { return !entities.empty(); }
};

// What a point prompt offers a window while it waits: the point a rubber
// band starts from, and the preview of a point under the cursor.
struct HostPointOptions {
  std::optional<OdGePoint3d> base;
  std::function<HostPreview(const OdGePoint3d& cursor)> preview;
};

struct HostPointRequest {
  OdString prompt;  // as shown, keywords filled in
  const HostPointOptions* options = nullptr;
};

// Told when a point prompt starts waiting and when it has its answer (or
// was cancelled). The window answers through the session's input source,
// with hostPointAnswer for a picked point.
class HostPointTracker {
public:
  virtual ~HostPointTracker() = default;
  virtual void pointRequested(const HostPointRequest& request) = 0;
  virtual void pointRequestEnded() = 0;
};
