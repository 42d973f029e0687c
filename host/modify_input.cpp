#include "modify_input.h"

#include <cmath>

#include "drafting_input.h"
#include "editor_input.h"
#include "keyword_list.h"
#include "modify_texts.h"
#include "units/host_units.h"

namespace qrvhost {

std::optional<OdGeVector3d> askDisplacement(
    HostEdInput& input, std::optional<OdGePoint3d>& base,
    const std::function<HostPreview(const OdGeVector3d&)>& previewAt) {
  const OdString options = modifyText(ModifyText::kDisplacementOptions);
  const PointAnswer first =
      askPoint(input, modifyText(ModifyText::kBasePointOrDisplacement), options, kPromptEmptyAllowed);
  if (first.kind == PointAnswer::kCancelled) return std::nullopt;
  if (first.kind == PointAnswer::kPoint) {
    const OdGePoint3d from = first.point;
    HostPointOptions band;
    band.base = from;
    band.preview = [&](const OdGePoint3d& at) { return previewAt(at - from); };
    const PointAnswer second =
        askPoint(input, modifyText(ModifyText::kSecondPointOrDisplacement), "", kPromptEmptyAllowed, band);
    if (second.kind == PointAnswer::kCancelled) return std::nullopt;
    if (second.kind == PointAnswer::kEnter) return from - OdGePoint3d::kOrigin();
    base = from;
    return second.point - from;
  }
  // Displacement: a point whose coordinates are the offset.
  base.reset();
  const PointAnswer offset = askPoint(input, modifyText(ModifyText::kDisplacement), "", kPromptEmptyAllowed);
  if (offset.kind == PointAnswer::kCancelled) return std::nullopt;
  if (offset.kind == PointAnswer::kEnter) return OdGeVector3d();
  return offset.point - OdGePoint3d::kOrigin();
}

int optionIndex(int result, const OdString& options) {
  const int locals = static_cast<int>(HostKeywordList(options).local().size());
  const int index = result - kPromptKeyword;
  return locals > 0 && index >= locals ? index - locals : index;
}

std::optional<double> angleFromAnswer(const OdString& text, const OdGePoint3d& from) {
  double radians = 0.0;
  if (hostdbAngToF(text, -1, radians, kAngleKeepAsGiven) && std::isfinite(radians)) return radians;
  if (const auto point = hostParsePoint(std::string(text.c_str()), from)) {
    if (samePoint(*point, from)) return std::nullopt;
    return std::atan2(point->y - from.y, point->x - from.x);
  }
  return std::nullopt;
}

std::optional<double> positiveNumber(const OdString& text) {
  double value = 0.0;
  if (!hostdbDisToF(text, -1, value) || !std::isfinite(value) || !(value > 0)) return std::nullopt;
  return value;
}

}  // namespace qrvhost
