#pragma once
// A device context: what owner-drawn items and painted frames draw with.
// Coordinates are pixels of the window being painted. The recording context
// keeps every call so that tests and dumps can read what was drawn; the Qt
// backend paints the same calls on screen.
#include <string>
#include <vector>

#include "ui_types.h"

namespace ui {

enum class PenStyle { kSolid, kDash, kDot, kNone };

class DeviceContext {
public:
  virtual ~DeviceContext() = default;

  virtual void setPen(Color color, int width = 1, PenStyle style = PenStyle::kSolid) = 0;
  virtual void setTextColor(Color color) = 0;
  // Pixel height of the text that follows; 0 is the dialog font.
  virtual void setFontHeight(int pixels) = 0;

  virtual void fillRect(const Rect& r, Color color) = 0;
  // The outline with the pen.
  virtual void frameRect(const Rect& r) = 0;
  virtual void polyline(const std::vector<Point>& points) = 0;
  virtual void fillPolygon(const std::vector<Point>& points, Color color) = 0;
  // Text with its top-left corner at `at`, clipped to nothing.
  virtual void text(Point at, const std::string& utf8) = 0;
  // Width and height the text would take.
  virtual Point textExtent(const std::string& utf8) const = 0;

  // Standard colours of the window system, so that owner drawing matches
  // the theme.
  virtual Color windowColor() const { return {255, 255, 255}; }
  virtual Color windowTextColor() const { return {0, 0, 0}; }
  virtual Color highlightColor() const { return {0, 120, 215}; }
  virtual Color highlightTextColor() const { return {255, 255, 255}; }

  void line(Point a, Point b) { polyline({a, b}); }
};

// One recorded call; which fields matter depends on the kind.
struct DcCall {
  enum Kind { kPen, kTextColor, kFontHeight, kFillRect, kFrameRect, kPolyline, kFillPolygon, kText };
  Kind kind = kPen;
  Color color = {};     // pen, text colour, fills
  int value = 0;        // pen width, font height
  PenStyle style = PenStyle::kSolid;
  Rect rect = {};       // rectangles
  std::vector<Point> points = {};
  Point at = {};        // text
  std::string text = {};
};

class RecordingDC : public DeviceContext {
public:
  // Text is measured as a fixed-width font of these cell sizes, so that
  // headless layouts come out the same on every machine.
  explicit RecordingDC(int charWidth = 6, int charHeight = 13)
      : m_charWidth(charWidth), m_charHeight(charHeight) {}

  void setPen(Color color, int width, PenStyle style) override;
  void setTextColor(Color color) override;
  void setFontHeight(int pixels) override;
  void fillRect(const Rect& r, Color color) override;
  void frameRect(const Rect& r) override;
  void polyline(const std::vector<Point>& points) override;
  void fillPolygon(const std::vector<Point>& points, Color color) override;
  void text(Point at, const std::string& utf8) override;
  Point textExtent(const std::string& utf8) const override;

  const std::vector<DcCall>& calls() const { return m_calls; }
  // Draws the recorded calls again on another context (a picture kept for
  // later, as a metafile is).
  void replay(DeviceContext& dc) const;
  // The texts drawn, in order.
  std::vector<std::string> texts() const;
  void clear() { m_calls.clear(); }

private:
  std::vector<DcCall> m_calls;
  int m_charWidth, m_charHeight;
  int m_fontHeight = 0;
};

}  // namespace ui
