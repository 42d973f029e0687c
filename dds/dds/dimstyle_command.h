#pragma once
// The handler of the command-line command -dimstyle.
namespace dds {
void runDimStyleCommandLine();
}
