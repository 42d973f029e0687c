#pragma once
// A small drawing with a layout, written by tests that draw or export it.
#include <string>

#include "dxf_records.h"

// Model space: a line on layer A along y = 0 and one on layer B along
// y = 10. Paper space: the layout's own view (1) and a viewport 40 x 20 at
// (50, 50) showing model space around (50, 0) at half size, with B frozen.
inline std::string layoutDrawing() {
  return records({
      {0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"}, {0, "ENDSEC"},
      {0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LAYER"},
      {0, "LAYER"}, {5, "10"}, {2, "A"}, {70, "0"}, {62, "1"}, {6, "CONTINUOUS"},
      {0, "LAYER"}, {5, "11"}, {2, "B"}, {70, "0"}, {62, "3"}, {6, "CONTINUOUS"},
      {0, "ENDTAB"}, {0, "ENDSEC"}, {0, "SECTION"}, {2, "ENTITIES"},
      {0, "LINE"}, {8, "A"}, {10, "0"}, {20, "0"}, {11, "100"}, {21, "0"},
      {0, "LINE"}, {8, "B"}, {10, "0"}, {20, "10"}, {11, "100"}, {21, "10"},
      {0, "VIEWPORT"}, {67, "1"}, {8, "0"}, {10, "100"}, {20, "100"}, {40, "300"}, {41, "200"}, {68, "1"},
      {69, "1"}, {12, "100"}, {22, "100"}, {45, "200"},
      {0, "VIEWPORT"}, {67, "1"}, {8, "0"}, {10, "50"}, {20, "50"}, {40, "40"}, {41, "20"}, {68, "2"},
      {69, "2"}, {12, "50"}, {22, "0"}, {45, "40"}, {331, "11"},
      {0, "ENDSEC"}, {0, "EOF"}});
}
