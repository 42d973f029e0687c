// The SVG writer: the mapping from drawing to pixels, escaping, dashes and
// failure to write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "pdf_writer.h"
#include "svg_writer.h"

using namespace render;

TEST(SvgWriter, MapsDrawingToPixelsWithYUpAndEscapesText) {
  DisplayList l;
  Stroke s;
  s.color = {255, 0, 0};
  s.dashes = {1.0, -0.5};
  l.add(PolylinePrim{{{0, 0}, {10, 5}}, false, s});
  TextRunPrim t;
  t.text = "a<b & \"c\"";
  t.origin = {0, 4};
  t.capHeight = 1;
  t.emSize = 1.4;
  t.advance = 4;
  t.fontFamily = "DejaVu Sans";
  l.add(t);
  SvgOptions o;
  o.widthPx = 220;
  o.marginPx = 10;
  const std::string svg = svgDocument(l, o);
  // 20 pixels per unit; the box is 10 x 5 (the text reaches up to y = 5).
  EXPECT_NE(svg.find("width=\"220\" height=\"120\""), std::string::npos) << svg;
  EXPECT_NE(svg.find("points=\"10,110 210,10\""), std::string::npos) << svg;  // y points up
  EXPECT_NE(svg.find("stroke=\"#ff0000\""), std::string::npos);
  EXPECT_NE(svg.find("stroke-dasharray=\"20 10\""), std::string::npos);
  EXPECT_NE(svg.find(">a&lt;b &amp; &quot;c&quot;</text>"), std::string::npos);
  EXPECT_NE(svg.find("textLength=\"80\""), std::string::npos);
  EXPECT_NE(svg.find("font-size=\"28\""), std::string::npos);
  DisplayList turned;
  t.rotation = 1.5707963267948966;
  turned.add(t);
  EXPECT_NE(svgDocument(turned).find("rotate(-90 "), std::string::npos);
}

TEST(SvgWriter, EmptyPicturesAndBadPaths) {
  const std::string svg = svgDocument(DisplayList());
  EXPECT_NE(svg.find("</svg>"), std::string::npos);
  std::string error;
  EXPECT_FALSE(writeSvgFile(DisplayList(), "/nonexistent-folder/x.svg", {}, &error));
  EXPECT_NE(error.find("/nonexistent-folder/x.svg"), std::string::npos);
}

TEST(DisplayList, BoundsIgnoreNonFinitePoints) {
  DisplayList l;
  l.add(PolylinePrim{{{0, 0}, {1, 1}}, false, {}});
  l.add(FilledPolygonPrim{{{std::nan(""), 0}, {2, -1}, {0, 0}}, {}});
  EXPECT_EQ(l.bounds().maxX, 2.0);
  EXPECT_EQ(l.bounds().minY, -1.0);
}

// Curves stay curves: arcs as SVG arcs (a full circle in three, drawn
// counter-clockwise: SVG's sweep flag 0 as y points down), cubics as
// cubics; PDF has no arcs and draws them as cubics; both keep the fill rule.
TEST(SvgWriter, PathsKeepTheirCurvesAndFillRuleInSvgAndPdf) {
  PathPrim p;
  // A segment that is not a number is left out, as flattening leaves it.
  p.segments = {PathSegment::circleArc({0, 0}, 5, 0, 2 * 3.14159265358979323846), PathSegment::close(),
                PathSegment::moveTo({0, 0}), PathSegment::lineTo({std::nan(""), 1}),
                PathSegment::cubicTo({1, 1}, {2, 1}, {3, 0})};
  p.fill = PathFill{{0, 0, 255}, FillRule::kEvenOdd};
  p.stroke = Stroke{};
  DisplayList l;
  l.add(p);
  l.add(DotPrim{{1, 1}, {}});
  SvgOptions o;
  o.widthPx = 120;
  o.marginPx = 10;
  const std::string svg = svgDocument(l, o);
  // 10 pixels a unit; the circle's right end at (110, 60).
  EXPECT_NE(svg.find("d=\"M110 60A50 50 0 0 0 "), std::string::npos) << svg;
  EXPECT_EQ(std::count(svg.begin(), svg.end(), 'A'), 3);
  EXPECT_NE(svg.find("ZM60 60C70 50 80 50 90 60\""), std::string::npos) << svg;
  EXPECT_NE(svg.find("fill-rule=\"evenodd\""), std::string::npos);
  EXPECT_NE(svg.find("<circle cx=\"70\" cy=\"50\" r=\"1\""), std::string::npos);
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  const std::string pdf = pdfDocument(l);
  EXPECT_EQ(pdf.find("nan"), std::string::npos);
  EXPECT_NE(pdf.find(" c\n"), std::string::npos);
  EXPECT_NE(pdf.find("B*\n"), std::string::npos);
  p.stroke.reset();
  DisplayList fillOnly;
  fillOnly.add(p);
  EXPECT_NE(pdfDocument(fillOnly).find("f*\n"), std::string::npos);
}
