#pragma once
// Prompts and messages of -LAYER in English and Russian. Option lists keep
// the English spellings as global keywords, so one script answers in either
// language.
#include "OdString.h"

namespace qrvhost {

enum class LayerText {
  kOptionPrompt,      // %s the options
  kOptions,
  kListPrompt,
  kListHeader,
  kMakePrompt,
  kSetPrompt,
  kNewPrompt,
  kOnPrompt,
  kOffPrompt,
  kColorPrompt,
  kColorLayersPrompt,  // %s the colour
  kLtypePrompt,
  kLtypeLayersPrompt,  // %s the linetype
  kLweightPrompt,
  kLweightLayersPrompt,  // %s the lineweight
  kFreezePrompt,
  kThawPrompt,
  kLockPrompt,
  kUnlockPrompt,
  kRenameFromPrompt,
  kRenameToPrompt,
  kDeletePrompt,
  kNoMatch,           // %s the names typed
  kBadName,           // %s name, %s reason
  kExists,            // %s name
  kCreated,           // %s name
  kCurrentIs,         // %s name
  kFrozenNotCurrent,  // %s name
  kCurrentNotFrozen,  // %s name
  kCurrentOff,        // %s name
  kBadColor,          // %s answer
  kNotLoaded,         // %s linetype
  kBadLweight,        // %s answer
  kRenamed,           // %s old, %s new
  kZeroFixed,
  kDeleteZero,
  kDeleteCurrent,     // %s name
  kDeleteInUse,       // %s name, %d count
  kDeleted,           // %s name
  kStateOn,
  kStateOff,
  kStateFrozen,
  kStateThawed,
  kStateLocked,
  kStateUnlocked,
  kChanged,           // %d count
};

OdString layerText(LayerText id);

}  // namespace qrvhost
