#pragma once
// Running one script over many drawings (qrvhost --each): each drawing is
// opened alone, the script runs on it from its first line, the drawing is
// saved in place (atomically) and closed; a progress line per drawing and a
// summary follow.
#include <string>
#include <vector>

class HostConsole;
class HostServices;

namespace qrvhost {

// Gives the number of drawings that failed (could not be opened, the script
// failed, or the drawing could not be saved).
// `recover`: each drawing is opened through recovery. `saveVersion`: the
// DXF version each is saved in ("R12"); empty: each drawing's own.
// `acceptLosses`: a drawing recovery left something of its file out of is
// saved too; without it, such a drawing fails and its file stays as it is.
int runScriptOnEach(const std::vector<std::string>& drawings, const std::string& script, HostServices& services,
                    HostConsole& console, bool recover = false, const std::string& saveVersion = {},
                    bool acceptLosses = false);

}  // namespace qrvhost
