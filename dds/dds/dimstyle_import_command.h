#pragma once
// DIMSTYLEIMPORT: brings dimension styles from another drawing into the
// current one at the command line or in a script. Asks for the drawing, the
// styles (names separated by commas, "*" or Enter for all) and what to do
// with styles the drawing has already (Skip or Overwrite), then imports and
// prints one line per style and a summary.
//
// Failing ends the command with an error the host reports (so a batch run
// can fail that drawing), and changes nothing: a drawing that cannot be read
// ("cannot open: line 12: ..."), and names none of which the source has.
#include "host_result.h"

namespace dds {

void runDimStyleImportCommand();

// Registers DIMSTYLEIMPORT with the host: S_OK, or E_FAIL (logged).
HRESULT registerDimStyleImportCommand();

}  // namespace dds
