#pragma once
// Reading angles as users type them and as the angular formats write them.
//
// Accepted, with blanks around the whole:
//   a plain number, in `plainUnit` (degrees for decimal degrees, degrees-
//   minutes-seconds and bearings, gradians, or radians)      45   -45.5
//   degrees, minutes, seconds, each optional but in order
//   (the degree mark may be d, D, the degree sign or %%d)   45d30'15"  45d  30'15"
//   gradians and radians                                     50g   0.5r
//   bearings: N or S, an angle of at most 90 degrees, E or W  N45d30'E  S10dW
//   and the directions N, S, E, W alone.
// Minutes and seconds must be below 60. A sign may lead any form but a
// bearing. The result is in radians, counter-clockwise from east for
// bearings, and is not wrapped.
#include <optional>
#include <string_view>

#include "angular_format.h"

namespace units {

std::optional<double> parseAngle(std::string_view text, AngularFormat plainUnit,
                                 char separator = '.');

}  // namespace units
