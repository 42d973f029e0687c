#include "device_context.h"

#include "OdStringUtil.h"

namespace ui {

void RecordingDC::setPen(Color color, int width, PenStyle style) {
  m_calls.push_back(DcCall{.kind = DcCall::kPen, .color = color, .value = width, .style = style});
}
void RecordingDC::setTextColor(Color color) { m_calls.push_back(DcCall{.kind = DcCall::kTextColor, .color = color}); }
void RecordingDC::setFontHeight(int pixels) {
  m_fontHeight = pixels;
  m_calls.push_back(DcCall{.kind = DcCall::kFontHeight, .value = pixels});
}
void RecordingDC::fillRect(const Rect& r, Color color) {
  m_calls.push_back(DcCall{.kind = DcCall::kFillRect, .color = color, .rect = r});
}
void RecordingDC::frameRect(const Rect& r) { m_calls.push_back(DcCall{.kind = DcCall::kFrameRect, .rect = r}); }
void RecordingDC::polyline(const std::vector<Point>& points) {
  m_calls.push_back(DcCall{.kind = DcCall::kPolyline, .points = points});
}
void RecordingDC::fillPolygon(const std::vector<Point>& points, Color color) {
  m_calls.push_back(DcCall{.kind = DcCall::kFillPolygon, .color = color, .points = points});
}
void RecordingDC::text(Point at, const std::string& utf8) {
  m_calls.push_back(DcCall{.kind = DcCall::kText, .at = at, .text = utf8});
}

Point RecordingDC::textExtent(const std::string& utf8) const {
  const int height = m_fontHeight > 0 ? m_fontHeight : m_charHeight;
  const int width = m_fontHeight > 0 ? (m_charWidth * m_fontHeight + m_charHeight / 2) / m_charHeight
                                     : m_charWidth;
  return Point{int(qrv::codePointCount(utf8)) * width, height};
}

void RecordingDC::replay(DeviceContext& dc) const {
  for (const DcCall& c : m_calls) {
    switch (c.kind) {
      case DcCall::kPen: dc.setPen(c.color, c.value, c.style); break;
      case DcCall::kTextColor: dc.setTextColor(c.color); break;
      case DcCall::kFontHeight: dc.setFontHeight(c.value); break;
      case DcCall::kFillRect: dc.fillRect(c.rect, c.color); break;
      case DcCall::kFrameRect: dc.frameRect(c.rect); break;
      case DcCall::kPolyline: dc.polyline(c.points); break;
      case DcCall::kFillPolygon: dc.fillPolygon(c.points, c.color); break;
      case DcCall::kText: dc.text(c.at, c.text); break;
    }
  }
}

std::vector<std::string> RecordingDC::texts() const {
  std::vector<std::string> out;
  for (const DcCall& c : m_calls)
    if (c.kind == DcCall::kText) out.push_back(c.text);
  return out;
}

}  // namespace ui
