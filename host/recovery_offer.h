#pragma once
// After a crash: the drawings the ended session kept are offered, and
// opened under their own names when the user accepts.
#include <functional>
#include <string>

class HostServices;

namespace qrvhost {

class RecoveryKeeper;

// `ask` puts the question (a Yes/No prompt at the command line, a message
// box in the window) and gives true for Yes. Declined drawings are
// removed; opened ones now belong to this session's recovery.
void offerLeftDrawings(RecoveryKeeper& keeper, HostServices& services,
                       const std::function<bool(const std::string& question)>& ask);

}  // namespace qrvhost
