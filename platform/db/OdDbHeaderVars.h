#pragma once
// The drawing header: the current dimension style and values and the other
// system variables the module and the file layer read.
#include "OdDbDimVars.h"

struct OdDbHeaderVars {
  OdDbObjectId dimstyle;      // DIMSTYLE
  OdDbDimVars dim;            // the current value of each dimension variable
  OdInt16 dimaso = 1;         // associative dimensions
  // New dimensions: 0 exploded, 1 not associated, 2 associated with the
  // geometry their points were snapped to.
  OdInt16 dimassoc = 2;
  OdInt16 measurement = 0;    // 0 imperial, 1 metric
  OdString cannoscale = "1:1";
  OdInt16 lwunits = 1;        // lineweights shown in 0 inches, 1 millimetres
  OdInt16 lunits = 2, luprec = 4, aunits = 0, auprec = 0;
  OdDbObjectId clayer, celtype, textstyle;
  // Drafting modes: points picked along X or Y from the last one, the
  // object snaps (bits as files keep them; 16384 turns them all off), and
  // the grid and the snap to it with their spacings along X and Y.
  OdInt16 orthomode = 0;
  // 1: text mirrored with the objects around it; 0: it stays readable.
  OdInt16 mirrtext = 0;
  OdInt16 osmode = 39;  // ends, middles, centres, crossings
  OdInt16 gridmode = 0, snapmode = 0;
  double gridunit[2] = {10, 10}, snapunit[2] = {10, 10};
  // How points are drawn: the figure (0 a dot, 1 nothing, 2 a plus, 3 a
  // cross, 4 a short tick up) plus 32 for a circle and 64 for a square
  // around it; their size (0: 5 % of the view's height, negative: that
  // percentage of it, positive: drawing units).
  OdInt16 pdmode = 0;
  double pdsize = 0;

  template <class F>
  void forEachObjectId(F&& f) const {
    f(dimstyle);
    dim.forEachObjectId(f);
    f(clayer);
    f(celtype);
    f(textstyle);
  }
};
