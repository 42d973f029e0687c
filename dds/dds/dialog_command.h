#pragma once
// The function behind the host's DIMSTYLE command: the Dimension Style
// Manager, shown modally.
namespace dds {
void runDimStyleDialog();
}
