#pragma once
// What every dimension builder shares: the effective variables with the
// overall scale applied to every size, and the collection of the entities
// of the dimension's block with the colour, lineweight and linetype of the
// part they belong to. commit() writes them into the dimension's block.
#include <string>
#include <vector>

#include "OdDbDimension.h"
#include "OdDbEntity.h"
#include "geom2d.h"
#include "text_layout.h"

namespace render {

enum class DimPart { DimensionLine, ExtensionLine1, ExtensionLine2, Text };

// Where a text sits: its box centre, its direction and the box size.
struct DimTextBox {
  g2::P centre;
  double rotation = 0, width = 0, height = 0;
  // Half the length of the box (with the gap around it) along a direction
  // at angle `a`: how much of a line through the centre the text covers.
  double halfExtentAlong(double a) const;
};

// While one lives on its thread, a dimension that is in no drawing is
// built against `db` (its styles, text styles and arrowheads) and its
// entities land here instead of in a block: nothing is written anywhere.
struct DimCapture {
  explicit DimCapture(OdDbDatabase& db);
  ~DimCapture();
  DimCapture(const DimCapture&) = delete;
  DimCapture& operator=(const DimCapture&) = delete;

  OdDbDatabase& db;
  std::vector<OdSmartPtr<OdDbEntity>> entities;
  DimCapture* outer;
};

class DimGeometry {
public:
  // Reads the dimension's effective variables and its drawing's settings
  // (those of a DimCapture's drawing for a dimension in none).
  explicit DimGeometry(OdDbDimension* dim);

  OdDbDimension* dimension() const { return m_dim; }
  const OdDbDimVars& vars() const { return m_v; }
  OdDbDatabase* database() const { return m_db; }
  // DIMSCALE, 0 counting as 1.
  double scale() const { return m_scale; }
  double arrowSize() const { return m_v.asz * m_scale; }
  double tickSize() const { return m_v.tsz * m_scale; }
  double textHeight() const { return m_textHeight; }
  // The distance between text and lines; never negative (a negative
  // DIMGAP asks for a frame and keeps its size as the distance).
  double gap() const { return std::fabs(m_v.gap) * m_scale; }
  double extOffset() const { return m_v.exo * m_scale; }
  double extBeyond() const { return m_v.exe * m_scale; }
  double dimLineBeyond() const { return m_v.dle * m_scale; }
  double centreMark() const { return m_v.cen * m_scale; }
  // True when the ends are oblique strokes (DIMTSZ, or the tick arrows),
  // which let the dimension line run past the extension lines.
  bool ticks() const;
  // The arrowhead block (null for the closed filled arrow) of end 1 or 2.
  OdDbObjectId arrowBlock(int end) const;

  // Lays out text in the dimension's text style and height.
  TextLayout layout(const std::string& contents) const;
  // The text box for contents centred at `centre` turned by `rotation`.
  DimTextBox box(const std::string& contents, const g2::P& centre, double rotation) const;

  // Output.
  void line(const g2::P& a, const g2::P& b, DimPart part);
  void arc(const g2::P& centre, double radius, double startAngle, double endAngle, DimPart part);
  // An arrowhead with its tip at `tip` pointing along `pointing`; end 1 or
  // 2 chooses DIMBLK1/DIMBLK2 when DIMSAH is set. Ticks replace arrows when
  // DIMTSZ is set. `lineDir` is the dimension line's direction at the tip
  // (ticks lean the same way at both ends).
  void arrow(const g2::P& tip, const g2::V& pointing, int end, const g2::V& lineDir);
  // The text as multi-line text centred at box.centre, with the background
  // fill (DIMTFILL) under it and the frame (negative DIMGAP) around it.
  void text(const std::string& contents, const DimTextBox& box);
  // A centre mark or centre lines (DIMCEN) for a circle.
  void centreMark(const g2::P& centre, double radius);

  // Stores the default text position and writes the entities into the
  // dimension's block: its own anonymous block, redrawn reusing the
  // entities in it, or a new one. Geometry that is not finite (a point or
  // size that overflowed) is refused with OdError, the block untouched.
  void commit(const g2::P& textPosition);

  const std::vector<OdSmartPtr<OdDbEntity>>& entities() const { return m_out; }

private:
  void style(OdDbEntity* e, DimPart part) const;
  OdDbObjectId prepareBlock();

  OdDbDimension* m_dim;
  OdDbDatabase* m_db;
  OdDbDimVars m_v;
  double m_scale = 1.0, m_textHeight = 0.18, m_widthFactor = 1.0;
  OdDbObjectId m_textStyle;
  int m_font = 0;
  std::vector<OdSmartPtr<OdDbEntity>> m_out;
  // Something was left out because a point or size was not a number.
  bool m_notFinite = false;
};

}  // namespace render
