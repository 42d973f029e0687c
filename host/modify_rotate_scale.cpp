// ROTATE and SCALE: the selected objects turned or scaled about a base
// point, in place or (Copy) as copies; Reference gives the angle or factor
// as the change from a known one to the one wanted.
#include <cmath>
#include <numbers>

#include "command_processor.h"
#include "documents.h"
#include "drafting_input.h"
#include "editor_input.h"
#include "host_commands.h"
#include "modify_input.h"
#include "modify_objects.h"
#include "text_format.h"
#include "units/host_units.h"

namespace qrvhost {

namespace {

enum CopyReference { kCopy, kReference };

// The base point; nothing when cancelled.
std::optional<OdGePoint3d> askBase(HostEdInput& input) {
  const PointAnswer base = askPoint(input, modifyText(ModifyText::kBasePoint), "", 0);
  if (base.kind != PointAnswer::kPoint) return std::nullopt;
  return base.point;
}

OdString angleText(double radians) {
  OdString text;
  hostdbAngToS(radians, -1, -1, text);
  return text;
}

// An angle typed or pointed at from `base` until one is given; Enter takes
// `fallback` where there is one. Nothing when cancelled.
std::optional<double> askAngleOrPoint(HostEdInput& input, const OdString& prompt, const OdGePoint3d& base,
                                      std::optional<double> fallback) {
  for (;;) {
    OdString typed;
    const int r = input.getString(prompt, "", fallback ? kPromptHasDefault : 0, typed);
    if (r == kPromptCancelled) return std::nullopt;
    if (r == kPromptEnter) return fallback;
    if (const auto angle = angleFromAnswer(typed, base)) return angle;
    input.print(hostFormat(modifyText(ModifyText::kInvalidAngleOrPoint).c_str(), typed.c_str()));
  }
}

std::optional<double> askPositive(HostEdInput& input, const OdString& prompt, std::optional<double> fallback) {
  for (;;) {
    OdString typed;
    const int r = input.getString(prompt, "", fallback ? kPromptHasDefault : 0, typed);
    if (r == kPromptCancelled) return std::nullopt;
    if (r == kPromptEnter) return fallback;
    if (const auto value = positiveNumber(typed)) return value;
    input.print(hostFormat(modifyText(ModifyText::kInvalidFactor).c_str(), typed.c_str()));
  }
}

OdGeMatrix3d turn(double radians, const OdGePoint3d& base) {
  return OdGeMatrix3d::rotation(radians, OdGeVector3d::kZAxis(), base);
}

}  // namespace

void commandRotate(CommandProcessor& cp) {
  const auto target = selectObjectsToModify(cp);
  if (!target) return;
  auto& [doc, db, ids] = *target;
  HostEdInput& input = cp.input();
  const auto base = askBase(input);
  if (!base) return;
  const OdString options = modifyText(ModifyText::kCopyReferenceOptions);
  bool copy = false;
  double angle = 0.0;
  for (;;) {
    OdString typed;
    const OdString prompt =
        hostFormat(modifyText(ModifyText::kRotationAngle).c_str(), "%s", angleText(0.0).c_str());
    const int r = input.getString(prompt, options, kPromptHasDefault, typed);
    if (r == kPromptCancelled) return;
    if (r == kPromptEnter) break;
    if (r >= kPromptKeyword) {
      if (optionIndex(r, options) == kCopy) {
        copy = true;
        continue;
      }
      const auto reference = askAngleOrPoint(input, hostFormat(modifyText(ModifyText::kReferenceAngle).c_str(),
                                                               angleText(0.0).c_str()),
                                             *base, 0.0);
      if (!reference) return;
      const auto wanted = askAngleOrPoint(input, modifyText(ModifyText::kNewAngle), *base, std::nullopt);
      if (!wanted) return;
      angle = *wanted - *reference;
      break;
    }
    if (const auto given = angleFromAnswer(typed, *base)) {
      angle = *given;
      break;
    }
    input.print(hostFormat(modifyText(ModifyText::kInvalidAngleOrPoint).c_str(), typed.c_str()));
  }
  // A turn by nothing changes nothing (a copy would lie on its original).
  if (std::fabs(std::remainder(angle, 2 * std::numbers::pi)) < 1e-12) {
    reportModified(input, ModifyText::kRotated, {});
    return;
  }
  reportModified(input, copy ? ModifyText::kCopied : ModifyText::kRotated,
                 carryObjects(db, ids, turn(angle, *base), copy));
}

void commandScale(CommandProcessor& cp) {
  const auto target = selectObjectsToModify(cp);
  if (!target) return;
  auto& [doc, db, ids] = *target;
  HostEdInput& input = cp.input();
  const auto base = askBase(input);
  if (!base) return;
  const OdString options = modifyText(ModifyText::kCopyReferenceOptions);
  bool copy = false;
  double factor = 1.0;
  for (;;) {
    OdString typed;
    const int r = input.getString(modifyText(ModifyText::kScaleFactor), options, 0, typed);
    if (r == kPromptCancelled) return;
    if (r >= kPromptKeyword) {
      if (optionIndex(r, options) == kCopy) {
        copy = true;
        continue;
      }
      const auto reference = askPositive(input, modifyText(ModifyText::kReferenceLength), 1.0);
      if (!reference) return;
      const auto wanted = askPositive(input, modifyText(ModifyText::kNewLength), std::nullopt);
      if (!wanted) return;
      factor = *wanted / *reference;
      if (std::isfinite(factor) && factor > 0) break;
      input.print(hostFormat(modifyText(ModifyText::kInvalidFactor).c_str(), "0"));
      continue;
    }
    if (const auto given = positiveNumber(typed)) {
      factor = *given;
      break;
    }
    input.print(hostFormat(modifyText(ModifyText::kInvalidFactor).c_str(), typed.c_str()));
  }
  if (factor == 1.0) {
    reportModified(input, ModifyText::kScaled, {});
    return;
  }
  reportModified(input, copy ? ModifyText::kCopied : ModifyText::kScaled,
                 carryObjects(db, ids, OdGeMatrix3d::scaling(factor, *base), copy));
}

}  // namespace qrvhost
