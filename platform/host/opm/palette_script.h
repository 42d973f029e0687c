#pragma once
// The palette in a session without a window: it prints a dump and then
// takes one line at a time (from a script, or typed at "Properties:").
//
//   dump                       prints the palette again
//   set Category.Label = TEXT  as typing TEXT into the row and pressing Enter
//                              (a list row takes an item's text, or a value
//                              in the form its kind reads)
//   filter ENTRY               picks a type-filter entry ("Leader" or "Leader (4)")
//   close, or an empty line    closes the palette
//
// The dump:
//   palette: 12 objects (Rotated Dimension: 8, Leader: 4)
//   filter: All (12)
//     Category.Label = TEXT       one line per row, in palette order;
//                                 TEXT is *VARIES* when the values differ,
//                                 and " (read-only)" follows read-only rows
// With nothing selected the first line is "palette: the drawing NAME" and
// the rows are the drawing's own.
//
// Names, values and entries follow the session's language; set and filter
// also take the English ones.
#include <functional>
#include <string>

class PaletteModel;

using PalettePrinter = std::function<void(const std::string& line)>;

void dumpPalette(const PaletteModel& palette, const PalettePrinter& print);
// One line of the row's dump.
std::string paletteRowLine(const PaletteModel& palette, const std::string& rowName);

struct PaletteLineResult {
  bool ok = true;      // false: the line was refused (error says why)
  bool close = false;  // the palette is to close
  std::string error;
};
PaletteLineResult runPaletteScriptLine(PaletteModel& palette, const std::string& line,
                                       const PalettePrinter& print);
