// MATCHPROP: gives the objects picked the dimension style, overrides,
// layer, color and linetype of one dimension or leader.
#include <algorithm>
#include <string_view>

#include "OdDbDimension.h"
#include "OdDbLeader.h"
#include "command_processor.h"
#include "dim_edit_texts.h"
#include "documents.h"
#include "drafting_input.h"
#include "host_commands.h"
#include "keyword_list.h"
#include "selection.h"
#include "text_format.h"

namespace qrvhost {

namespace {

bool isDimensionOrLeader(const OdDbEntity& e) { return OdDbDimension::cast(&e) || OdDbLeader::cast(&e); }

// The variables a leader is drawn with; the others mean nothing to it.
bool leaderUses(int index) {
  static const std::string_view keys[] = {"ldrblk", "asz", "clrd", "lwd", "gap", "tad", "scale"};
  const std::string_view key = OdDbDimVars::describe(index).key;
  return std::find(std::begin(keys), std::end(keys), key) != std::end(keys);
}

void match(const OdDbEntity& source, OdDbEntity& target) {
  target.setLayer(source.layerId());
  target.setColor(source.color());
  target.setLinetype(source.linetypeId());
  auto from = OdDbDimStyleEntity::cast(&source);
  auto to = OdDbDimStyleEntity::cast(&target);
  if (!from || !to) return;
  const bool leader = OdDbLeader::cast(&target) != nullptr;
  to->setDimensionStyle(from->dimensionStyle());
  // The whole set is replaced, so nothing of the target's own stays.
  to->clearDimOverrides();
  for (const auto& [index, value] : from->dimOverrides().items())
    if (!leader || leaderUses(index)) to->setDimOverride(index, value);
  if (auto dimension = OdDbDimension::cast(&target)) dimension->recomputeDimBlock();
}

}  // namespace

void commandMatchProp(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  const OdDbEntityPtr source = pickObject(*doc, editText(EditText::kSelectSource), isDimensionOrLeader,
                                          editText(EditText::kNotDimensionOrLeader));
  if (!source) return;
  HostEdInput& input = cp.input();
  const HostKeywordList settings(editText(EditText::kDestinationOptions).c_str());
  OdDbObjectIdArray picked;
  const int r = doc->selectionManager()->select(editText(EditText::kSelectDestination), kSelCallerPrompt, picked,
                                                nullptr, [&](const std::string& answer) {
                                                  if (!settings.match(answer)) return false;
                                                  input.print(editText(EditText::kMatchSettings));
                                                  return true;
                                                });
  if (r != kSelectionOk) return;
  int matched = 0;
  for (OdDbObjectId id : picked) {
    if (id == source->objectId()) continue;
    OdDbEntityPtr target = OdDbEntity::cast(id.safeOpenObject(OdDb::kForWrite));
    if (!target) continue;
    match(*source, *target);
    ++matched;
  }
  input.print(hostFormat(editText(EditText::kMatched).c_str(), matched));
}

}  // namespace qrvhost
