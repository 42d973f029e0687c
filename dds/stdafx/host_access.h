#pragma once
// What the module asks of the host outside prompts: the current drawing and
// the question box.
#include "OdDbDatabase.h"

class HostEdInput;

namespace dds {

// The database of the host's current document; null when none is open.
OdDbDatabase* currentDatabase();
// The prompts and command line of the current document; null when none is
// open.
HostEdInput* currentEditorInput();

// Asks a yes/no question; true when the user accepts.
bool askQuestion(const OdString& text);

}  // namespace dds
