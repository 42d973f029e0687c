#pragma once
// The prompts the modify commands share beyond the drafting ones: the
// displacement of MOVE, COPY and STRETCH, an angle given as a number or a
// point, and a positive factor.
#include <functional>
#include <optional>

#include "OdGePoint3d.h"
#include "OdString.h"
#include "point_input.h"

class HostEdInput;

namespace qrvhost {

// "Specify base point or [Displacement] <Displacement>:" then the second
// point (Enter: the first point is the displacement), or after Enter or
// Displacement "Specify displacement <0,0,0>:". `previewAt` gives the
// window what the objects look like moved by an offset. The base point in
// `base`, nothing there for a typed displacement; nothing when cancelled.
std::optional<OdGeVector3d> askDisplacement(
    HostEdInput& input, std::optional<OdGePoint3d>& base,
    const std::function<HostPreview(const OdGeVector3d&)>& previewAt);

// The option a keyword result stands for, the same for the local and the
// global spelling.
int optionIndex(int result, const OdString& options);

// An angle typed in the drawing's angular unit, or a point whose direction
// from `from` is the angle. Nothing when the text is neither.
std::optional<double> angleFromAnswer(const OdString& text, const OdGePoint3d& from);

// A number greater than zero and finite (lengths in any linear form).
std::optional<double> positiveNumber(const OdString& text);

}  // namespace qrvhost
