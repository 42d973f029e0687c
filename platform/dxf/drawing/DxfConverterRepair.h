#pragma once
// Mends the DXF that the DWG converter (LibreDWG 0.13, as the npm package
// qrvhost drives) writes, before it is read. That writer has faults which
// would otherwise cost the drawing its look and its dimension styles:
//  - every layer's colour is written negative, which turns every layer off;
//    the sign is taken from the layer's "off" flag of the DWG;
//  - a dimension style's colours (176-178) of an R2004 or later DWG are
//    written as the raw 32-bit colour word (-1056964608 is by block); they
//    become the colour index they stand for;
//  - true colours (420-429) keep the colour method in their top byte; it is
//    masked off; a layer of a true colour gets the colour's low byte as its
//    index, which becomes the nearest index;
//  - the header's $DIMCLRD, $DIMCLRE and $DIMCLRT are written as 256; the
//    DWG's own colours are written;
//  - values of a dimension style that are 0 are left out, so that readers
//    take the defaults of the format (DIMDEC 4 instead of 0); the DWG's
//    values are written for every numeric variable the entry lacks, and
//    the text fill colour (a second 70);
//  - some texts are written as their bytes, carriage returns included,
//    which end the line for other readers; those become "^M".
// The facts from the DWG come from the converter's driver
// (tools/dwg2dxf/dwg2dxf.mjs), one per line.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

struct DxfConverterFacts {
  std::string version;                                  // of the DWG: "AC1018"
  std::map<std::string, int> notConverted;              // kind -> objects of the DWG the DXF lacks
  std::set<std::uint64_t> layersOff;                    // by handle
  std::map<std::string, std::int64_t> headerColours;    // "DIMCLRD" -> colour index
  std::map<std::uint64_t, std::map<std::string, double>> styleValues;  // style handle -> "DIMDEC" -> value
  std::map<std::uint64_t, std::map<std::string, std::int64_t>> styleColours;  // -> "DIMTFILLCLR" -> index
};

// Reads the driver's lines ("layer-off 2F", "dimstyle 27 DIMDEC 0", ...);
// lines it does not know are skipped, so that a newer driver still works.
DxfConverterFacts dxfParseConverterFacts(std::string_view text);

// The colour index a DWG colour word stands for (by layer 256, by block 0,
// an index, the nearest index of a true colour); `word` outside the word
// form (0 to 257) is returned as it is.
std::int64_t dxfColourIndexOfWord(std::int64_t word);

// The mended text, and one line per kind of mending in `notes` ("12 layer
// colours made positive"). Lines that are no tag are copied as they are:
// the reader then says what is wrong with them.
std::string dxfRepairConverterOutput(std::string_view dxf, const DxfConverterFacts& facts,
                                     std::vector<std::string>& notes);
