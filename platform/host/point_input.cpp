#include "point_input.h"

#include <cmath>
#include <cstdio>

#include "editor_input.h"
#include "units/angle_parse.h"
#include "units/length_parse.h"
#include "units/unit_settings.h"

namespace {

std::optional<double> coordinate(std::string_view text) {
  const std::string trimmed = hostTrim(text);
  if (trimmed.empty()) return std::nullopt;
  return units::parseLength(trimmed, '.');
}

std::optional<double> angle(std::string_view text) {
  const std::string trimmed = hostTrim(text);
  if (trimmed.empty()) return std::nullopt;
  int format = currentUnitSettings().aunits;
  if (!units::isAngularFormat(format)) format = 0;
  return units::parseAngle(trimmed, static_cast<units::AngularFormat>(format), '.');
}

// "x,y" or "x,y,z" as an offset; "d<a" as a polar offset.
std::optional<OdGeVector3d> offset(std::string_view text) {
  if (const auto lt = text.find('<'); lt != std::string_view::npos) {
    const auto d = coordinate(text.substr(0, lt));
    const auto a = angle(text.substr(lt + 1));
    if (!d || !a) return std::nullopt;
    return OdGeVector3d(*d * std::cos(*a), *d * std::sin(*a), 0.0);
  }
  double xyz[3] = {0, 0, 0};
  int n = 0;
  for (std::size_t from = 0;; ++n) {
    const auto comma = text.find(',', from);
    if (n == 3) return std::nullopt;
    const auto value = coordinate(text.substr(from, comma == std::string_view::npos ? comma : comma - from));
    if (!value) return std::nullopt;
    xyz[n] = *value;
    if (comma == std::string_view::npos) break;
    from = comma + 1;
  }
  if (n < 1) return std::nullopt;  // a single number is no point
  return OdGeVector3d(xyz[0], xyz[1], xyz[2]);
}

}  // namespace

std::optional<OdGePoint3d> hostParsePoint(std::string_view text, const std::optional<OdGePoint3d>& lastPoint,
                                          HostPointError* error) {
  auto fail = [&](HostPointError why) -> std::optional<OdGePoint3d> {
    if (error) *error = why;
    return std::nullopt;
  };
  if (error) *error = HostPointError::kNone;
  const std::string trimmed = hostTrim(text);
  const bool relative = !trimmed.empty() && trimmed.front() == '@';
  const std::string_view rest = relative ? std::string_view(trimmed).substr(1) : std::string_view(trimmed);
  std::optional<OdGeVector3d> by;
  if (relative && hostTrim(rest).empty())
    by = OdGeVector3d();
  else
    by = offset(rest);
  if (!by) return fail(HostPointError::kUnreadable);
  if (!std::isfinite(by->x) || !std::isfinite(by->y) || !std::isfinite(by->z)) return fail(HostPointError::kUnreadable);
  if (!relative) return OdGePoint3d::kOrigin() + *by;
  if (!lastPoint) return fail(HostPointError::kNoLastPoint);
  return *lastPoint + *by;
}

std::string hostPointAnswer(const OdGePoint3d& point) {
  char text[96];
  if (point.z == 0.0)
    std::snprintf(text, sizeof text, "%.17g,%.17g", point.x, point.y);
  else
    std::snprintf(text, sizeof text, "%.17g,%.17g,%.17g", point.x, point.y, point.z);
  return text;
}

OdGePoint3d hostDraftedPoint(const OdGePoint3d& cursor, const std::optional<OdGePoint3d>& base,
                             const HostDraftingModes& modes) {
  OdGePoint3d p = cursor;
  if (modes.snapToGrid && modes.snapX > 0 && modes.snapY > 0) {
    p.x = std::round(p.x / modes.snapX) * modes.snapX;
    p.y = std::round(p.y / modes.snapY) * modes.snapY;
  }
  if (modes.ortho && base) {
    if (std::fabs(p.x - base->x) >= std::fabs(p.y - base->y))
      p.y = base->y;
    else
      p.x = base->x;
  }
  return p;
}
