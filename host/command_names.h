#pragma once
// Every command name a user may type at Command: the host's own commands,
// those modules registered, and the dialog commands whose function a
// module provided.
#include <string>
#include <vector>

class HostServices;

namespace qrvhost {

std::vector<std::string> typeableCommandNames(HostServices& services);

}  // namespace qrvhost
