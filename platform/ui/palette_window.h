#pragma once
// The Properties palette as a window of the window layer, when the session
// has a display.
class PaletteModel;

namespace ui {
// Shows the palette until the user closes it; false (nothing shown) when the
// session has no window system, so the console takes the palette instead.
bool runPaletteWindow(PaletteModel& palette);
}  // namespace ui
