#pragma once
// The host's own commands.
#include <string>
#include <vector>

class HostEdInput;
class HostServices;

namespace qrvhost {

class CommandProcessor;

struct HostCommandDef {
  const char* name;
  void (*run)(CommandProcessor&);
  bool lockDocument;  // works on the active document
  bool undoStep;      // its changes are one undo step
};

const std::vector<HostCommandDef>& hostCommands();

// text_style_dialog.cpp: offers the text style dialog to modules as the
// factory's "TextPropsCmd".
void installTextStyleCommand(HostServices& services);
const HostCommandDef* findHostCommand(const std::string& name);

// file_commands.cpp
void commandNew(CommandProcessor& cp);
void commandOpen(CommandProcessor& cp);
void commandRecover(CommandProcessor& cp);
void commandSave(CommandProcessor& cp);
void commandSaveAs(CommandProcessor& cp);
void commandClose(CommandProcessor& cp);
void commandQuit(CommandProcessor& cp);
void commandSwitch(CommandProcessor& cp);
// variable_commands.cpp
void commandSetvar(CommandProcessor& cp);
// Shows a variable and asks for its new value.
void editVariable(CommandProcessor& cp, const std::string& name);
// undo_help_commands.cpp
void commandUndo(CommandProcessor& cp);
void commandUndoOne(CommandProcessor& cp);
void commandRedo(CommandProcessor& cp);
void commandHelp(CommandProcessor& cp);
// palette_commands.cpp
void commandSelect(CommandProcessor& cp);
void commandProperties(CommandProcessor& cp);
void commandRefreshProperties(CommandProcessor& cp);
// palette_pickers.cpp: the list entries' pickers ask at the command line.
void installConsolePickers(HostEdInput& input);
// picture_commands.cpp
void commandExport(CommandProcessor& cp);
void commandDimRegen(CommandProcessor& cp);
// view_commands.cpp
void commandZoom(CommandProcessor& cp);
void commandSnapshot(CommandProcessor& cp);
// Drafting: dim_linear_commands.cpp, dim_curve_commands.cpp,
// dim_angular_command.cpp, dim_ordinate_command.cpp, leader_command.cpp,
// erase_command.cpp
void commandDimLinear(CommandProcessor& cp);
void commandDimAligned(CommandProcessor& cp);
void commandDimRadius(CommandProcessor& cp);
void commandDimDiameter(CommandProcessor& cp);
void commandDimArc(CommandProcessor& cp);
void commandDimAngular(CommandProcessor& cp);
void commandDimOrdinate(CommandProcessor& cp);
void commandLeader(CommandProcessor& cp);
void commandErase(CommandProcessor& cp);
// Modify: modify_move_copy.cpp, modify_rotate_scale.cpp,
// modify_mirror_stretch.cpp
void commandMove(CommandProcessor& cp);
void commandCopy(CommandProcessor& cp);
void commandRotate(CommandProcessor& cp);
void commandMirror(CommandProcessor& cp);
void commandScale(CommandProcessor& cp);
void commandStretch(CommandProcessor& cp);
// dim_baseline_command.cpp, dim_jogged_command.cpp, dimtedit_command.cpp,
// matchprop_command.cpp, dim_grip_command.cpp
void commandDimBaseline(CommandProcessor& cp);
void commandDimContinue(CommandProcessor& cp);
void commandDimJogged(CommandProcessor& cp);
void commandDimTedit(CommandProcessor& cp);
void commandMatchProp(CommandProcessor& cp);
void commandDimGrip(CommandProcessor& cp);
void commandDimReassociate(CommandProcessor& cp);
void commandDimDisassociate(CommandProcessor& cp);
// layer_command.cpp
void commandLayer(CommandProcessor& cp);
// layer_dialog.cpp: the Layer manager
void commandLayerManager(CommandProcessor& cp);

}  // namespace qrvhost
