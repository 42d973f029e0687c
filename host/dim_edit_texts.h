#pragma once
// Prompts, options and messages of the commands that build on dimensions
// already drawn (DIMBASELINE, DIMCONTINUE, DIMJOGGED, DIMTEDIT, MATCHPROP and
// the window's grips) in English and Russian. Option lists keep the English
// spellings as global keywords, so one script answers in either language.
#include "OdString.h"

namespace qrvhost {

enum class EditText {
  kSecondOriginOrOptions,   // %s the options
  kFeatureLocationOrOptions,  // %s the options
  kUndoSelectOptions,
  kSelectBaseDimension,
  kSelectContinuedDimension,
  kNotChainable,
  kNothingToUndo,
  kRefusedNothingToMeasure,
  kCentreOverride,
  kJogLocation,
  kRefusedOverrideAtChord,
  kSelectDimension,
  kNotDimension,
  kNewTextLocation,         // %s the options
  kTextEditOptions,
  kTextAngle,
  kJustifyNotForKind,
  kSelectSource,
  kNotDimensionOrLeader,
  kSelectDestination,
  kDestinationOptions,
  kMatchSettings,
  kMatched,                 // %d count
  kGripPrompt,              // %s the options
  kGripOptions,
  kGripLocation,
  kGripRefused,
};

OdString editText(EditText id);

}  // namespace qrvhost
