#pragma once
// One run of the host, from the command line to the exit status.
namespace qrvhost {

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;          // bad command line or unwritable --log
constexpr int kExitDrawing = 2;        // a drawing given on the command line cannot be opened
constexpr int kExitScript = 3;         // the script cannot be read
constexpr int kExitModule = 4;         // the module is missing or broken
constexpr int kExitBatchFailed = 5;    // --each: at least one drawing failed
constexpr int kExitSaveFailed = 6;     // a script session in which a SAVE or SAVEAS failed

int runHost(int argc, const char* const* argv);

}  // namespace qrvhost
