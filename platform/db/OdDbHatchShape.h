#pragma once
// What a picture of a hatch, a wipeout or an image frame takes. The records
// are kept as their file wrote them (no command edits them yet); the reader
// hands the database this description of their region and how it is filled.
#include <memory>
#include <string>
#include <vector>

#include "OdGePoint3d.h"

// One edge of a boundary loop, in the entity's own plane (OCS x and y).
struct OdDbHatchEdge {
  enum class Kind : unsigned char { kLine, kCircularArc, kEllipticArc, kSpline };
  Kind kind = Kind::kLine;
  OdGePoint3d start, end;  // a line's ends
  // Arcs: the centre; a circular arc's radius; an elliptic arc's major axis
  // (end point relative to the centre) and minor-to-major ratio. Angles in
  // radians, counter-clockwise unless `counterClockwise` is false, in which
  // case the arc runs clockwise from -start to -end.
  OdGePoint3d centre;
  double radius = 0;
  OdGeVector3d majorAxis;
  double ratio = 1;
  double startAngle = 0, endAngle = 0;
  bool counterClockwise = true;
  // Splines: control points with knots and weights (empty: all 1), or only
  // the points the curve passes through.
  int degree = 3;
  std::vector<double> knots, weights;
  std::vector<OdGePoint3d> controlPoints, fitPoints;
};

// A closed boundary: either edges or a polyline with bulges.
struct OdDbHatchLoop {
  // Boundary flags as stored: 1 external, 2 polyline, 16 outermost.
  int flags = 0;
  bool isPolyline() const { return (flags & 2) != 0; }
  bool isOutermost() const { return (flags & (1 | 16)) != 0; }
  std::vector<OdDbHatchEdge> edges;
  std::vector<OdGePoint3d> vertices;  // a polyline loop's, closing back to the first
  std::vector<double> bulges;         // one per vertex (empty: all straight)
};

// One family of parallel pattern lines, already at the hatch's scale and
// angle as the record keeps them.
struct OdDbHatchPatternLine {
  double angle = 0;      // radians
  OdGePoint3d base;      // a point every line of the family runs through
  OdGeVector3d offset;   // from one line to the next
  std::vector<double> dashes;  // positive a dash, negative a gap, zero a dot; empty continuous
};

// Where an image's picture goes, from the IMAGE record and its IMAGEDEF.
struct OdDbImagePlacement {
  std::string fileName;  // as the definition names it (group 1): relative or absolute
  // The bottom left corner of the picture (10), one pixel across it (11)
  // and one pixel up it (12), and its size in pixels (13).
  OdGePoint3d corner;
  OdGeVector3d pixelAcross, pixelUp;
  double widthPx = 0, heightPx = 0;
  // Display flags (70): 1 show the picture, 8 transparent pixels see through.
  int displayFlags = 1;
  // Brightness, contrast and fade (281, 282, 283), 0 to 100.
  int brightness = 50, contrast = 50, fade = 0;
  bool shown() const { return (displayFlags & 1) != 0; }
  bool transparent() const { return (displayFlags & 8) != 0; }
};

struct OdDbHatchShape {
  enum class Fill : unsigned char {
    kSolid,       // a hatch's solid fill (or a gradient's first colour)
    kPattern,     // its pattern lines
    kBackground,  // a wipeout: covers what lies beneath with the background
    kNone,        // an image: its frame only
  };
  Fill fill = Fill::kPattern;
  // 0 normal (islands alternate), 1 outer (only the outermost area), 2 ignore
  // (every loop filled whole).
  int style = 0;
  double elevation = 0;
  OdGeVector3d normal{0, 0, 1};
  std::vector<OdDbHatchLoop> loops;
  std::vector<OdDbHatchPatternLine> patternLines;
  double patternScale = 1, patternAngle = 0;  // as stored (radians)
  // A gradient's first colour: its colour index (0: none given) or true colour.
  bool gradient = false;
  int gradientColorIndex = 0;
  int gradientTrueColor = -1;  // 0xRRGGBB; -1 none
  // An image's picture, drawn inside its frame (the loop) when its file is
  // found; null for hatches, wipeouts and images without a definition.
  std::shared_ptr<const OdDbImagePlacement> image;
  // A record without one whole loop has nothing to draw: it is reported as
  // not drawn rather than left out silently.
  bool drawable() const { return !loops.empty(); }
  // An image's frame is drawn as a closed line rather than filled.
  bool frameOnly() const { return fill == Fill::kNone; }
};

using OdDbHatchShapePtr = std::shared_ptr<const OdDbHatchShape>;
