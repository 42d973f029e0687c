#include "drafting_input.h"

#include <algorithm>
#include <cmath>

#include "OdDbDimension.h"
#include "documents.h"
#include "drafting_texts.h"
#include "keyword_list.h"
#include "selection.h"
#include "text_format.h"
#include "units/host_units.h"

namespace qrvhost {

PointAnswer askPoint(HostEdInput& input, const OdString& prompt, const OdString& options, int flags,
                     const HostPointOptions& pointOptions) {
  PointAnswer answer;
  const int r = input.getPoint(prompt, options, flags, answer.point, pointOptions);
  if (r == kPromptPoint) {
    answer.kind = PointAnswer::kPoint;
  } else if (r == kPromptEnter) {
    answer.kind = PointAnswer::kEnter;
  } else if (r >= kPromptKeyword) {
    const int locals = static_cast<int>(HostKeywordList(options).local().size());
    const int index = r - kPromptKeyword;
    answer.kind = PointAnswer::kOption;
    answer.option = locals > 0 && index >= locals ? index - locals : index;
  }
  return answer;
}

std::optional<double> askAngle(HostEdInput& input, const OdString& prompt, std::optional<double> fallback) {
  for (;;) {
    OdString typed;
    const int r = input.getString(prompt, "", fallback ? kPromptHasDefault : 0, typed);
    if (r == kPromptCancelled) return std::nullopt;
    if (r == kPromptEnter) return fallback;
    double radians = 0.0;
    if (hostdbAngToF(typed, -1, radians, kAngleKeepAsGiven)) return radians;
    input.print(hostFormat(draftText(DraftText::kInvalidAngle).c_str(), typed.c_str()));
  }
}

OdString promptWithAngle(DraftText prompt, double radians) {
  OdString angle;
  hostdbAngToS(radians, -1, -1, angle);
  return hostFormat(draftText(prompt).c_str(), angle.c_str());
}

void DimTextChoice::applyTo(OdDbDimension& dimension) const {
  if (!text.empty()) dimension.setDimensionText(text);
  if (rotation) dimension.setTextRotation(*rotation);
}

PointAnswer askDimensionLocation(HostEdInput& input, const OdString& prompt, const OdString& options,
                                 int textOption, DimTextChoice& text, const HostPointOptions& pointOptions) {
  for (;;) {
    const PointAnswer answer = askPoint(input, prompt, options, 0, pointOptions);
    if (answer.kind != PointAnswer::kOption) return answer;
    if (answer.option == textOption) {
      OdString typed;
      const OdString current = text.text.empty() ? OdString("<>") : text.text;
      const int r = input.getString(hostFormat(draftText(DraftText::kDimTextPrompt).c_str(), current.c_str()), "",
                                    kPromptHasDefault | kPromptBlanksAllowed, typed);
      if (r == kPromptCancelled) return PointAnswer{};
      if (r == kPromptText) text.text = typed == "<>" ? OdString() : typed;
    } else if (answer.option == textOption + 1) {
      const auto angle = askAngle(input, draftText(DraftText::kTextAnglePrompt), std::nullopt);
      if (!angle) return PointAnswer{};
      text.rotation = *angle;
    } else {
      return answer;
    }
  }
}

OdDbEntityPtr pickObject(HostApDocument& doc, const OdString& prompt,
                         const std::function<bool(const OdDbEntity&)>& accept, const OdString& wrongKind) {
  HostEdSSManager& selection = *doc.selectionManager();
  for (;;) {
    OdDbObjectIdArray picked;
    if (selection.select(prompt, kSelSingle | kSelCallerPrompt | kSelLockedLayersAllowed, picked) != kSelectionOk)
      return OdDbEntityPtr();
    OdDbEntityPtr entity = OdDbEntity::cast(picked.front().openObject());
    if (entity && accept(*entity)) return entity;
    doc.editorInput()->print(wrongKind);
  }
}

bool samePoint(const OdGePoint3d& a, const OdGePoint3d& b) {
  const double scale = std::max({1.0, std::fabs(a.x), std::fabs(a.y), std::fabs(b.x), std::fabs(b.y)});
  return a.distanceTo(b) <= 1e-10 * scale;
}

}  // namespace qrvhost
