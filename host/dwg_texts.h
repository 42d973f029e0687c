#pragma once
// Texts about DWG drawings and their converter, in English and Russian (the
// session's language chooses).
#include "OdString.h"

namespace qrvhost {

enum class DwgText {
  kNotInstalled,
  kNoTempFolder,    // %s reason
  kCannotStart,     // %s program, %s reason
  kTimedOut,        // %g seconds
  kOverMemory,      // %d megabytes
  kCrashed,         // %s what failed
  kRefused,         // %s the converter's reason
  kNotDxf,
  kConverted,       // %.2f seconds, %d megabytes
  kAllConverted,
  kNotConverted,    // %s "15 MULTILEADER, 2 ACAD_TABLE"
  kProxyObjects,
  kUnknownObjects,
  kMended,          // %s what was mended
  kSavedAsDxf,
  kNoDwgWriting,    // %s the name typed
  kReadThroughRecovery,  // %s the reader's reason
  kOtherKinds,      // %d objects, %d kinds
};

OdString dwgText(DwgText id);

}  // namespace qrvhost
