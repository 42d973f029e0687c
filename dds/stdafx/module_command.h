#pragma once
// Registers a command-line command of the module whose handler takes no
// arguments (the host copies what it keeps of the description).
#include "host_result.h"

namespace dds {

// S_OK, or E_FAIL (logged under `logSource`) when the host has no command
// registry or refuses the name.
HRESULT registerModuleCommand(const char16_t* name, void (*handler)(), const char* logSource);

}  // namespace dds
