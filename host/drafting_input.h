#pragma once
// The prompts the drafting commands share: points with options, angles,
// the dimension text's Text and Angle options, and picking one object of
// a required kind.
#include <functional>
#include <optional>

#include "OdDbEntity.h"
#include "drafting_texts.h"
#include "editor_input.h"

class HostApDocument;
class OdDbDimension;

namespace qrvhost {

// The answer at a point prompt; for an option, its place in the option
// list (the same for the local and the global spelling).
struct PointAnswer {
  enum Kind { kPoint, kOption, kEnter, kCancelled };
  Kind kind = kCancelled;
  OdGePoint3d point;
  int option = -1;
};
PointAnswer askPoint(HostEdInput& input, const OdString& prompt, const OdString& options, int flags,
                     const HostPointOptions& pointOptions = {});

// An angle in the drawing's angular unit, asked until one is given; Enter
// takes `fallback` when there is one. Nothing when cancelled.
std::optional<double> askAngle(HostEdInput& input, const OdString& prompt, std::optional<double> fallback);

// A prompt whose "%s" is the angle in the drawing's angular unit.
OdString promptWithAngle(DraftText prompt, double radians);

// What the Text and Angle options chose for the dimension's text.
struct DimTextChoice {
  OdString text;                   // "": the measurement
  std::optional<double> rotation;  // radians
  void applyTo(OdDbDimension& dimension) const;
};

// Asks for a dimension's location at `prompt`, whose options include Text
// at `textOption` and Angle right after it; those two are answered here and
// the location asked again. Other options come back to the caller.
PointAnswer askDimensionLocation(HostEdInput& input, const OdString& prompt, const OdString& options,
                                 int textOption, DimTextChoice& text, const HostPointOptions& pointOptions);

// One object of model space, asked at `prompt` until `accept` takes the
// object picked (otherwise `wrongKind` is said). Null when the user ended
// the selection or cancelled. Objects on locked layers may be picked: they
// are only measured.
OdDbEntityPtr pickObject(HostApDocument& doc, const OdString& prompt,
                         const std::function<bool(const OdDbEntity&)>& accept, const OdString& wrongKind);

// Two points closer than the drawing can tell apart.
bool samePoint(const OdGePoint3d& a, const OdGePoint3d& b);

}  // namespace qrvhost
