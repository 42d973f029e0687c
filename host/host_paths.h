#pragma once
// Where the host finds its parts: the module library next to the
// executable, the help topics, the bundled sample drawing, the log file.
#include <optional>
#include <string>

namespace qrvhost {

std::string executableFolder();
// libdds.so next to the executable.
std::string defaultModulePath();
// docs/help of the source tree the host was built from, or share/qrvhost/help
// beside an installed host; empty when neither exists.
std::string helpFolder();
// The program's linetype file: data/linetypes.lin of the source tree, or
// share/qrvhost/linetypes.lin beside an installed host; empty when neither
// exists.
std::string linetypeFile();
// The sample drawing of examples/: "sample.dxf" when there is one, else the
// first drawing there in name order; nothing when there is none.
std::optional<std::string> sampleDrawing();
// The user's data folder of the host: $XDG_DATA_HOME/qrvhost, else
// ~/.local/share/qrvhost; empty when neither variable is set. Not created here.
std::string dataFolder();
// qrvhost.log in the data folder; empty when there is none.
std::string defaultLogPath();

}  // namespace qrvhost
