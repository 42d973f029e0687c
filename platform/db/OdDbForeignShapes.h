#pragma once
// What drawing needs from records kept as their file wrote them: old-form
// polylines (with their vertex records) and the attributes and grid of a
// block reference. The reader makes these once; nothing edits them, and the
// records themselves are what is written back.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "OdCmColor.h"
#include "OdDbObjectId.h"
#include "OdGePoint3d.h"

// An old-form polyline: a 2D polyline (with bulges and widths), a 3D one, a
// polygon mesh or a polyface mesh.
struct OdDbOldPolyline {
  enum Flags { kClosed = 1, k3d = 8, kMesh = 16, kClosedN = 32, kPolyface = 64 };
  struct Vertex {
    OdGePoint3d at;  // in the polyline's own plane for a 2D one, else in world coordinates
    double bulge = 0;
    double startWidth = 0, endWidth = 0;
  };
  // A face of a polyface mesh: indices into `vertices` (from 0), -1 for none;
  // an edge from corner i to the next is drawn when visible[i].
  struct Face {
    int corner[4] = {-1, -1, -1, -1};
    bool visible[4] = {true, true, true, true};
  };
  int flags = 0;
  int meshM = 0, meshN = 0;  // a mesh's vertex counts along M and N
  double elevation = 0;      // a 2D polyline's height above its plane's origin
  OdGeVector3d normal{0, 0, 1};
  std::vector<Vertex> vertices;
  std::vector<Face> faces;
  bool is2d() const { return (flags & (k3d | kMesh | kPolyface)) == 0; }
  bool closed() const { return (flags & kClosed) != 0; }
};
using OdDbOldPolylinePtr = std::shared_ptr<const OdDbOldPolyline>;

// An attribute's value as a single-line text, in world coordinates.
struct OdDbAttributeText {
  std::string value;
  std::string tag;  // what an attribute definition shows
  OdGePoint3d position, alignmentPoint;
  double height = 0, rotation = 0, widthFactor = 0, oblique = 0;  // radians
  int horizontalMode = 0, verticalMode = 0;
  bool mirroredX = false, mirroredY = false;
  std::string style;  // the text style's name
  bool invisible = false;
  // The attribute's own layer (empty: the layer of its insert) and colour;
  // by block is the insert's.
  std::string layer;
  OdCmColor color;
  // An attribute of the multi-line form: its value as the multi-line text
  // its record embeds (in world coordinates, the top of its first line at
  // `location` for attachment 1).
  struct MultiLine {
    std::string contents;  // with the formatting codes of multi-line text
    OdGePoint3d location;
    double height = 0, width = 0, rotation = 0;  // rotation in radians
    int attachment = 1;
    std::string style;  // empty: the attribute's
    double lineSpacing = 1.0;
    bool exactSpacing = false;
  };
  std::optional<MultiLine> multiLine;
};

// What a block reference's record holds beyond the modelled fields: its
// attributes and, for a multiple insert, its grid of copies.
struct OdDbInsertExtras {
  std::vector<OdDbAttributeText> attributes;
  int columns = 1, rows = 1;
  double columnSpacing = 0, rowSpacing = 0;
};
using OdDbAttributeTextPtr = std::shared_ptr<const OdDbAttributeText>;
using OdDbInsertExtrasPtr = std::shared_ptr<const OdDbInsertExtras>;

// A multileader: its leader lines with their arrowheads, and its content,
// a multi-line text or a block.
struct OdDbMultiLeaderShape {
  // From the arrowhead's tip to the point the content is reached from.
  std::vector<std::vector<OdGePoint3d>> lines;
  // The landings: from a leader's last point along its dogleg.
  std::vector<std::pair<OdGePoint3d, OdGePoint3d>> landings;
  bool linesVisible = true;
  double arrowSize = 0;  // the default closed filled arrowhead's length
  bool hasText = false;
  std::string text;  // with the formatting codes of multi-line text
  OdGePoint3d textLocation;  // the top of the text
  double textHeight = 0, textRotation = 0, textWidth = 0;
  int textAlignment = 1;  // 1 left, 2 centre, 3 right
  OdDbObjectId textStyle;
  bool hasBlock = false;
  OdDbObjectId block;
  OdGePoint3d blockPosition;
  OdGeVector3d blockScale{1, 1, 1};
  double blockRotation = 0;
  // Colours of the parts; by block is the multileader's own colour.
  OdCmColor lineColor{OdCmColor::kByBlock}, textColor{OdCmColor::kByBlock}, blockColor{OdCmColor::kByBlock};
  // Each line's own colour, by its index in `lines` (by block: `lineColor`).
  std::vector<OdCmColor> lineColors;
  // The text's lines spaced as an MTEXT's, its frame (at the landing gap
  // around it) and its background fill: a colour (by block: the
  // picture's background), a scale as an MTEXT's, an opacity (1 solid,
  // 0 clear).
  double textLineSpacing = 1.0;
  bool textExactSpacing = false;
  bool textFrame = false;
  double landingGap = 0;
  bool textFill = false;
  OdCmColor textFillColor{OdCmColor::kByBlock};
  double textFillScale = 1.5;
  double textFillOpacity = 1;
  // The block drawn as the arrowhead (null: the closed filled one), and the
  // leader lines that have a block of their own, by their index in `lines`.
  OdDbObjectId arrowBlock;
  std::vector<std::pair<std::size_t, OdDbObjectId>> lineArrowBlocks;
};
using OdDbMultiLeaderShapePtr = std::shared_ptr<const OdDbMultiLeaderShape>;

// What a multi-line text record holds beyond the text and its placement:
// line spacing, a background and columns.
struct OdDbMTextLook {
  double lineSpacingFactor = 1.0;
  bool exactSpacing = false;  // lines exactly that far apart, whatever they hold
  enum Background { kFill = 1, kDrawingBackground = 2, kFrame = 16 };
  int background = 0;  // Background flags
  OdCmColor fillColor{OdCmColor::kByBlock};  // by block: none given (the background is used)
  double fillScale = 1.5;  // the box reaches (scale - 1) text heights beyond the columns on each side
  double fillOpacity = 1.0;  // the fill's (441): 1 solid, 0 clear
  double opacity = 1.0;      // the whole text's (the entity's, 440): its glyphs and fill
  // The frame's distance from the columns when it is not the fill's box
  // (a multileader frames its text at the landing gap); negative: the box.
  double frameGap = -1;
  enum class Columns { kNone, kStatic, kDynamic };
  Columns columns = Columns::kNone;
  int columnCount = 1;
  double columnWidth = 0, gutter = 0;
  double columnHeight = 0;            // every column's height (0: unlimited)
  std::vector<double> columnHeights;  // dynamic columns of their own heights
  bool reversedFlow = false;
};
using OdDbMTextLookPtr = std::shared_ptr<const OdDbMTextLook>;
