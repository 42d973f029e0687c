// Records kept as read but drawn from their content: old-form polylines
// (mirrored planes, changing widths, polyface meshes), a block reference's
// attributes and the grid of a multiple insert.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

#include "DxfDrawingIO.h"
#include "OdDbDatabase.h"
#include "renderer.h"
#include "../shared/dxf_records.h"

using namespace render;

namespace {

std::string vertex(const char* x, const char* y, std::initializer_list<std::pair<int, const char*>> more = {}) {
  std::string v = records({{0, "VERTEX"}, {8, "0"}, {10, x}, {20, y}, {30, "0"}});
  for (const auto& [code, value] : more) v += records({{code, value}});
  return v;
}

// A polyline in a plane seen from below with an arc, one whose width grows
// from 0 to 2, a polyface of one face with an invisible edge, block F (a
// line from 0,0 to 1,0 and an attribute definition) inserted 2 x 3 times
// with two attributes, one invisible; a multileader from 30,40 to 40,50
// with the text "Note"; an attribute definition in model space (its tag
// shows: invisible is its attributes' state).
std::string drawing() {
  std::string d = records({{0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}, {8, "0"}, {2, "F"}, {70, "0"}, {10, "0"},
                           {20, "0"}, {30, "0"}, {0, "LINE"}, {8, "0"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "0"},
                           {0, "ATTDEF"}, {8, "0"}, {10, "0"}, {20, "0"}, {40, "1"}, {1, ""}, {2, "INBLOCK"},
                           {0, "ENDBLK"}, {8, "0"}, {0, "ENDSEC"}, {0, "SECTION"}, {2, "ENTITIES"}});
  d += records({{0, "POLYLINE"}, {8, "0"}, {66, "1"}, {10, "0"}, {20, "0"}, {30, "0"}, {70, "0"}, {210, "0"},
                {220, "0"}, {230, "-1"}});
  d += vertex("1", "0", {{42, "1"}}) + vertex("3", "0") + records({{0, "SEQEND"}, {8, "0"}});
  d += records({{0, "POLYLINE"}, {8, "0"}, {66, "1"}, {10, "0"}, {20, "0"}, {30, "0"}, {70, "0"}});
  d += vertex("0", "10", {{40, "0"}, {41, "2"}}) + vertex("10", "10") + records({{0, "SEQEND"}, {8, "0"}});
  d += records({{0, "POLYLINE"}, {8, "0"}, {66, "1"}, {10, "0"}, {20, "0"}, {30, "0"}, {70, "64"}, {71, "4"},
                {72, "1"}});
  for (auto [x, y] : {std::pair{"0", "20"}, {"10", "20"}, {"10", "30"}, {"0", "30"}})
    d += vertex(x, y, {{70, "192"}});
  d += vertex("0", "0", {{70, "128"}, {71, "1"}, {72, "2"}, {73, "-3"}, {74, "4"}}) +
       records({{0, "SEQEND"}, {8, "0"}});
  d += records({{0, "INSERT"}, {8, "0"}, {66, "1"}, {2, "F"}, {10, "100"}, {20, "0"}, {30, "0"}, {70, "2"},
                {71, "3"}, {44, "5"}, {45, "7"}});
  d += records({{0, "ATTRIB"}, {8, "0"}, {10, "100"}, {20, "-5"}, {30, "0"}, {40, "2"}, {1, "VALUE"}, {2, "TAG"},
                {70, "0"}});
  d += records({{0, "ATTRIB"}, {8, "0"}, {10, "100"}, {20, "-9"}, {30, "0"}, {40, "2"}, {1, "HIDDEN"}, {2, "H"},
                {70, "1"}});
  d += records({{0, "SEQEND"}, {8, "0"}});
  d += records({{0, "ATTDEF"}, {8, "0"}, {10, "60"}, {20, "60"}, {30, "0"}, {40, "1"}, {1, "default"}, {2, "TAGGED"},
                {3, "Prompt"}, {70, "1"}});
  d += records({{0, "MULTILEADER"}, {8, "0"}, {300, "CONTEXT_DATA{"}, {140, "1"}, {41, "1"}, {290, "1"},
                {304, "Note"}, {12, "50"}, {22, "50"}, {302, "LEADER{"}, {10, "40"}, {20, "50"},
                {304, "LEADER_LINE{"}, {10, "30"}, {20, "40"}, {305, "}"}, {303, "}"}, {301, "}"}});
  d += records({{0, "ENDSEC"}, {0, "EOF"}});
  return d;
}

bool near(const Point2& p, double x, double y) { return std::fabs(p.x - x) < 1e-9 && std::fabs(p.y - y) < 1e-9; }

}  // namespace

TEST(OldRecordsPicture, PolylinesAttributesAndGridsAreDrawn) {
  std::unique_ptr<OdDbDatabase> db = readDxfDrawingFromBytes(drawing());
  RenderReport report;
  const DisplayList list = renderModelSpace(db.get(), {}, &report);
  EXPECT_TRUE(report.notDrawn.empty());

  int faceEdges = 0, fills = 0, arrows = 0;
  std::vector<std::pair<double, double>> copies;
  std::vector<std::string> texts;
  const PathPrim* mirrored = nullptr;
  for (const Primitive& p : list.items()) {
    if (auto l = std::get_if<PolylinePrim>(&p)) {
      const Point2 a = l->points.front();
      if (a.x >= 100) copies.emplace_back(a.x, a.y);
      if (a.y >= 20 && a.x <= 10 && l->points.size() == 2) ++faceEdges;
    } else if (auto t = std::get_if<TextRunPrim>(&p)) {
      texts.push_back(t->text);
    } else if (auto f = std::get_if<FilledPolygonPrim>(&p); f && near(f->points[0], 30, 40)) {
      arrows += 1;
    } else if (f) {
      ++fills;
      // Nothing wide at the start, a width of 2 at the end.
      double top = -1e9;
      for (const Point2& q : f->points) top = std::max(top, q.y);
      EXPECT_NEAR(top, 11, 1e-9);
    } else if (auto path = std::get_if<PathPrim>(&p); path && near(path->segments[0].to, -1, 0)) {
      mirrored = path;
    }
  }
  // Every copy of the grid, in the insert's columns (5 apart) and rows (7).
  std::sort(copies.begin(), copies.end());
  EXPECT_EQ(copies, (std::vector<std::pair<double, double>>{{100, 0}, {100, 7}, {100, 14}, {105, 0}, {105, 7},
                                                             {105, 14}}));
  EXPECT_EQ(faceEdges, 3);  // the edge from the third corner is invisible
  EXPECT_EQ(fills, 1);
  EXPECT_EQ(texts, (std::vector<std::string>{"VALUE", "TAGGED", "Note"}));
  EXPECT_EQ(arrows, 1);
  // Seen from below the polyline runs from x = -1 to -3, its arc turning
  // the other way: clockwise from above.
  ASSERT_NE(mirrored, nullptr);
  ASSERT_EQ(mirrored->segments.size(), 2u);
  const PathSegment& arc = mirrored->segments[1];
  EXPECT_EQ(arc.kind, PathSegment::Kind::kArc);
  EXPECT_TRUE(near(arc.to, -2, 0));  // an arc's centre
  EXPECT_LT((arc.end - arc.start) * arc.ratio, 0);
}
