#pragma once
// Glyph outlines for the view's text, each outlined once per font and kept
// for as long as the view lives: a drawing of thousands of dimension values
// uses a few dozen glyphs, so a text is stored as the glyphs it is made of
// and its outlines are shared.
#include <QPainterPath>
#include <QRectF>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qrvwindow {

// One glyph of a text, `x` ems along the baseline from the text's start.
struct GlyphPlacement {
  std::uint32_t glyph = 0;
  float x = 0;
};

class GlyphCache {
public:
  // Appends the glyphs of a UTF-8 text in a font (a FontMetrics number) to
  // `out`; answers the box they cover in ems, baseline at y = 0 (null when
  // the font has no outlines for any of them).
  QRectF layOut(int font, std::string_view utf8, std::vector<GlyphPlacement>& out);
  const QPainterPath& outline(std::uint32_t glyph) const { return m_glyphs[glyph].path; }

private:
  struct Glyph {
    QPainterPath path;  // ems, baseline at y = 0
    QRectF box;
    double advance = 0;
  };
  std::uint32_t glyphFor(int font, std::string_view character);

  std::unordered_map<std::string, std::uint32_t> m_index;  // font number, '\n', the character's bytes
  std::vector<Glyph> m_glyphs;
};

}  // namespace qrvwindow
