#include "scene_glyphs.h"

#include <QPolygonF>

#include "OdStringUtil.h"
#include "font_metrics.h"

namespace qrvwindow {

std::uint32_t GlyphCache::glyphFor(int font, std::string_view character) {
  std::string key = std::to_string(font);
  key += '\n';
  key += character;
  if (auto found = m_index.find(key); found != m_index.end()) return found->second;
  Glyph g;
  g.path.setFillRule(Qt::WindingFill);
  for (const auto& contour : render::FontMetrics::shared().outlines(font, character, g.advance)) {
    if (contour.size() < 2) continue;
    QPolygonF poly;
    poly.reserve(qsizetype(contour.size()) + 1);
    for (const render::Point2& p : contour) poly << QPointF(p.x, p.y);
    poly << poly.front();
    g.path.addPolygon(poly);
  }
  g.box = g.path.controlPointRect();
  const auto index = std::uint32_t(m_glyphs.size());
  m_glyphs.push_back(std::move(g));
  m_index.emplace(std::move(key), index);
  return index;
}

QRectF GlyphCache::layOut(int font, std::string_view utf8, std::vector<GlyphPlacement>& out) {
  QRectF box;
  double x = 0;
  // The text is cut where the font layer decodes a character, so that a
  // malformed byte stays the one character it is there.
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t start = i;
    qrv::decodeUtf8(utf8, i);
    const std::uint32_t index = glyphFor(font, utf8.substr(start, i - start));
    const Glyph& g = m_glyphs[index];
    if (!g.path.isEmpty()) {
      out.push_back({index, float(x)});
      box = box.united(g.box.translated(x, 0));
    }
    x += g.advance;
  }
  return box;
}

}  // namespace qrvwindow
