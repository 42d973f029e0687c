// Multi-line text as its record lays it out (columns, line spacing,
// background, paragraph settings, tabs, inline codes), and the colours of
// attributes and of a multileader's parts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numbers>
#include <sstream>
#include <string>

#include "DxfDrawingIO.h"
#include "OdDbBlockTableRecord.h"
#include "OdDbEntities.h"
#include "OdCmColor.h"
#include "OdDbDatabase.h"
#include "pdf_writer.h"
#include "raster_image.h"
#include "renderer.h"
#include "svg_writer.h"
#include "text_layout.h"
#include "../shared/reference_picture.h"
#include "../shared/dxf_records.h"

using namespace render;

namespace {

// An MTEXT of height 1 at (x, y), top left, with more groups after the text.
std::string mtext(const char* x, const char* y, const char* width, const char* text,
                  std::initializer_list<std::pair<int, const char*>> more = {}) {
  std::string m = records({{0, "MTEXT"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbMText"}, {10, x}, {20, y},
                           {30, "0"}, {40, "1"}, {41, width}, {71, "1"}, {1, text}});
  for (const auto& [code, value] : more) m += records({{code, value}});
  return m;
}

// Layer OFF is off. Block ARW (a closed square) is a multileader's arrowhead,
// block B an insert's. MTEXT: three static columns 10 wide, 2 apart and 4
// high (A3 moves on for the height, A4 for the column break); a red fill
// half a height around "Fill"; a frame; lines twice as far apart, exactly;
// paragraph indents and tab stops; inline codes; tracking; transparency. The insert (blue) has a
// green attribute, one by block, one on the layer that is off and a green
// one of two lines (its record embeds a multi-line text); the
// multileader a red line and a blue one of its own colour, the arrowhead
// block and green text on a yellow fill, framed.
std::string drawing() {
  std::string d = records({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1032"}, {0, "ENDSEC"}});
  d += records({{0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LAYER"}, {0, "LAYER"}, {2, "0"},
                           {70, "0"}, {62, "7"}, {6, "CONTINUOUS"}, {0, "LAYER"}, {2, "OFF"}, {70, "0"}, {62, "-1"},
                           {6, "CONTINUOUS"}, {0, "ENDTAB"}, {0, "TABLE"}, {2, "BLOCK_RECORD"}, {0, "BLOCK_RECORD"},
                           {5, "A0"}, {100, "AcDbSymbolTableRecord"}, {100, "AcDbBlockTableRecord"}, {2, "ARW"},
                           {0, "ENDTAB"}, {0, "ENDSEC"}});
  d += records({{0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}, {8, "0"}, {2, "ARW"}, {70, "0"}, {10, "0"}, {20, "0"},
                {30, "0"}, {0, "LWPOLYLINE"}, {100, "AcDbEntity"}, {8, "0"}, {62, "0"}, {100, "AcDbPolyline"}, {90, "4"}, {70, "1"}, {10, "-1"}, {20, "-0.5"},
                {10, "0"}, {20, "-0.5"}, {10, "0"}, {20, "0.5"}, {10, "-1"}, {20, "0.5"}, {0, "ENDBLK"}, {8, "0"},
                {0, "BLOCK"}, {8, "0"}, {2, "B"}, {70, "2"}, {10, "0"}, {20, "0"}, {30, "0"}, {0, "LINE"}, {8, "0"},
                {10, "0"}, {20, "0"}, {11, "5"}, {21, "0"}, {0, "ENDBLK"}, {8, "0"}, {0, "ENDSEC"}});
  d += records({{0, "SECTION"}, {2, "ENTITIES"}});
  d += mtext("0", "0", "10", "A1\\PA2\\PA3\\NA4",
             {{46, "4"}, {101, "Embedded Object"}, {70, "1"}, {10, "1"}, {20, "0"}, {30, "0"}, {11, "0"}, {21, "0"},
              {31, "0"}, {40, "10"}, {41, "4"}, {42, "34"}, {43, "4"}, {71, "1"}, {72, "3"}, {44, "10"}, {45, "2"},
              {73, "0"}, {74, "0"}});
  d += mtext("0", "-20", "0", "Fill", {{90, "1"}, {63, "1"}, {45, "1.5"}});
  d += mtext("10", "-20", "0", "Frame", {{90, "16"}, {45, "1"}});
  d += mtext("0", "-30", "0", "L1\\PL2", {{73, "2"}, {44, "2"}});
  d += mtext("40", "0", "8", "\\pxi-3,l3,t6;AAA BBB CCC\\PX^IY");
  d += mtext("40", "-20", "0", "{\\C1;R}{\\LU}{\\W2;W}{\\Q15;Q}{\\c65280;G}");
  d += mtext("40", "-30", "0", "{\\T2;TT}");
  // Half transparent as a whole (440), its red fill half again (441).
  d += records({{0, "MTEXT"}, {100, "AcDbEntity"}, {8, "0"}, {440, "33554560"}, {100, "AcDbMText"}, {10, "60"},
                {20, "-30"}, {30, "0"}, {40, "1"}, {41, "0"}, {71, "1"}, {1, "Half"}, {90, "1"}, {63, "1"},
                {45, "1.5"}, {441, "33554559"}});
  d += records({{0, "INSERT"}, {8, "0"}, {62, "5"}, {66, "1"}, {2, "B"}, {10, "80"}, {20, "0"}, {30, "0"}});
  d += records({{0, "ATTRIB"}, {8, "0"}, {62, "3"}, {10, "80"}, {20, "-3"}, {30, "0"}, {40, "1"}, {1, "GREEN"},
                {2, "G"}, {70, "0"}});
  d += records({{0, "ATTRIB"}, {8, "0"}, {62, "0"}, {10, "80"}, {20, "-6"}, {30, "0"}, {40, "1"}, {1, "BYBLOCK"},
                {2, "K"}, {70, "0"}});
  d += records({{0, "ATTRIB"}, {8, "OFF"}, {10, "80"}, {20, "-9"}, {30, "0"}, {40, "1"}, {1, "HIDDEN"}, {2, "H"},
                {70, "0"}});
  d += records({{0, "ATTRIB"}, {8, "0"}, {62, "3"}, {10, "80"}, {20, "-12"}, {30, "0"}, {40, "1"}, {1, "ML1"},
                {2, "M"}, {70, "0"}, {101, "Embedded Object"}, {10, "80"}, {20, "-12"}, {30, "0"}, {40, "1"},
                {41, "0"}, {71, "1"}, {1, "ML1\\PML2"}});
  d += records({{0, "SEQEND"}, {8, "0"}});
  d += records({{0, "MULTILEADER"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbMLeader"}, {300, "CONTEXT_DATA{"},
                {140, "1"}, {41, "1"}, {290, "1"}, {304, "Note"}, {12, "100"}, {22, "-20"}, {91, "-1023410174"},
                {141, "1.25"}, {292, "1"}, {145, "0.5"}, {302, "LEADER{"}, {10, "98"}, {20, "-20"},
                {304, "LEADER_LINE{"}, {10, "90"}, {20, "-20"}, {305, "}"}, {304, "LEADER_LINE{"}, {10, "90"},
                {20, "-24"}, {92, "-1023410171"}, {305, "}"}, {303, "}"}, {301, "}"}, {91, "-1023410175"},
                {92, "-1023410173"}, {342, "A0"}, {292, "1"}});
  d += records({{0, "ENDSEC"}, {0, "EOF"}});
  return d;
}

const TextRunPrim* run(const DisplayList& list, const std::string& text) {
  for (const Primitive& p : list.items())
    if (auto t = std::get_if<TextRunPrim>(&p); t && t->text == text) return t;
  return nullptr;
}

Rgb palette(int index) {
  Rgb c;
  OdCmColor::paletteRGB(index, c.r, c.g, c.b);
  return c;
}


}  // namespace

TEST(MTextPicture, ColumnsSpacingBackgroundParagraphsCodesAndPartColours) {
  DxfReadReport report;
  std::unique_ptr<OdDbDatabase> db = readDxfDrawingFromBytes(drawing(), &report);
  ASSERT_TRUE(db);
  RenderReport drawn;
  const DisplayList list = renderModelSpace(db.get(), {}, &drawn);
  EXPECT_TRUE(drawn.notDrawn.empty());

  // Columns: A3 would end below the height of 4 and goes on in the second
  // column (12 from the left), A4 after the column break in the third.
  ASSERT_TRUE(run(list, "A1") && run(list, "A2") && run(list, "A3") && run(list, "A4"));
  EXPECT_NEAR(run(list, "A2")->origin.x, 0, 1e-9);
  EXPECT_NEAR(run(list, "A3")->origin.x, 12, 1e-9);
  EXPECT_NEAR(run(list, "A3")->origin.y, -1, 1e-9);
  EXPECT_NEAR(run(list, "A4")->origin.x, 24, 1e-9);
  // Exactly twice the single spacing.
  ASSERT_TRUE(run(list, "L1") && run(list, "L2"));
  EXPECT_NEAR(run(list, "L1")->origin.y - run(list, "L2")->origin.y, 2 * kLineSpacing, 1e-9);
  // Paragraphs: the first line at the left indent plus the first-line one
  // (3 - 3), the lines it wraps into at 3, a tab to the stop at 6.
  ASSERT_TRUE(run(list, "AAA ") && run(list, "CCC") && run(list, "Y"));
  EXPECT_NEAR(run(list, "AAA ")->origin.x, 40, 1e-9);
  EXPECT_NEAR(run(list, "CCC")->origin.x, 43, 1e-9);
  EXPECT_NEAR(run(list, "Y")->origin.x, 46, 1e-9);
  // Inline codes: colour by index and true colour, width, oblique angle;
  // none shows as text.
  ASSERT_TRUE(run(list, "R") && run(list, "W") && run(list, "Q") && run(list, "G") && run(list, "U"));
  EXPECT_EQ(run(list, "R")->color, palette(1));
  EXPECT_EQ(run(list, "G")->color, (Rgb{0, 255, 0}));
  EXPECT_DOUBLE_EQ(run(list, "W")->widthFactor, 2);
  EXPECT_NEAR(run(list, "Q")->oblique, 15 * std::numbers::pi / 180, 1e-12);
  // Tracking 2: each character on its own, twice its advance from the one
  // before, its glyph as wide as ever.
  std::vector<const TextRunPrim*> tracked;
  for (const Primitive& p : list.items())
    if (auto t = std::get_if<TextRunPrim>(&p); t && t->text == "T") tracked.push_back(t);
  ASSERT_EQ(tracked.size(), 2u);
  EXPECT_NEAR(tracked[1]->origin.x - tracked[0]->origin.x, 2 * tracked[0]->advance, 1e-9);
  // Transparency: the glyphs at the entity's, the fill at both together,
  // as each writer paints them.
  ASSERT_TRUE(run(list, "Half"));
  EXPECT_NEAR(run(list, "Half")->opacity, 128 / 255.0, 1e-12);
  bool halfFill = false;
  for (const Primitive& p : list.items())
    if (auto f = std::get_if<FilledPolygonPrim>(&p); f && f->opacity < 1)
      halfFill = std::fabs(f->opacity - 128 / 255.0 * 127 / 255.0) < 1e-12;
  EXPECT_TRUE(halfFill);
  EXPECT_NE(svgDocument(list).find("opacity=\"0.25"), std::string::npos);
  EXPECT_NE(pdfDocument(list).find("/ca 0.25"), std::string::npos);
  // Attributes: their own colour, the insert's for by block; none on a
  // layer that is off. The multileader's text in its own colour.
  ASSERT_TRUE(run(list, "GREEN") && run(list, "BYBLOCK") && run(list, "Note"));
  EXPECT_EQ(run(list, "GREEN")->color, palette(3));
  EXPECT_EQ(run(list, "BYBLOCK")->color, palette(5));
  EXPECT_FALSE(run(list, "HIDDEN"));
  // The multi-line attribute as its embedded text: the top of its first
  // line at its insertion point, the second a line below.
  ASSERT_TRUE(run(list, "ML1") && run(list, "ML2"));
  EXPECT_NEAR(run(list, "ML1")->origin.y, -13, 1e-9);
  EXPECT_NEAR(run(list, "ML1")->origin.y - run(list, "ML2")->origin.y, kLineSpacing, 1e-9);
  EXPECT_EQ(run(list, "ML2")->color, palette(3));
  EXPECT_EQ(run(list, "Note")->color, palette(3));

  bool fill = false, frame = false, underline = false, arrowBlock = false, redLeader = false, blueLeader = false;
  bool noteFill = false, noteFrame = false;
  for (const Primitive& p : list.items()) {
    if (auto f = std::get_if<FilledPolygonPrim>(&p)) {
      Bounds b;
      for (const Point2& q : f->points) b.add(q);
      // Half the height (scale 1.5) around the text's box.
      fill = fill || (f->color == palette(1) && std::fabs(b.minX + 0.5) < 1e-9 && std::fabs(b.maxY + 19.5) < 1e-9 &&
                      std::fabs(b.minY + 21.5) < 1e-9);
      EXPECT_FALSE(f->points.size() == 3 && f->color == palette(1)) << "the default arrowhead instead of the block";
      // A quarter of the height around the multileader's text.
      noteFill = noteFill || (f->color == palette(2) && std::fabs(b.minX - 99.75) < 1e-9 &&
                              std::fabs(b.maxY + 19.75) < 1e-9);
    } else if (auto l = std::get_if<PolylinePrim>(&p)) {
      Bounds b;
      for (const Point2& q : l->points) b.add(q);
      frame = frame || (l->closed && std::fabs(b.minX - 10) < 1e-9 && std::fabs(b.maxY + 20) < 1e-9);
      underline = underline || (!l->closed && l->points.size() == 2 && b.minY < -20 && b.minX > 40 && b.maxX < 50 &&
                                std::fabs(b.height()) < 1e-9);
      // The arrowhead block's square, a unit long, at the leader's start.
      arrowBlock = arrowBlock || (l->closed && l->stroke.color == palette(1) && std::fabs(b.width() - 1) < 1e-6 &&
                                  std::fabs(b.height() - 1) < 1e-6);
      redLeader = redLeader || (!l->closed && l->stroke.color == palette(1) && std::fabs(l->points[0].x - 90) < 1e-9);
      blueLeader = blueLeader || (!l->closed && l->stroke.color == palette(5) && std::fabs(l->points[0].y + 24) < 1e-9);
      // The text's frame: the landing gap around it, in the text's colour.
      noteFrame = noteFrame || (l->closed && l->stroke.color == palette(3) && std::fabs(b.minX - 99.5) < 1e-9 &&
                                std::fabs(b.maxY + 19.5) < 1e-9);
    }
  }
  EXPECT_TRUE(fill);
  EXPECT_TRUE(frame);
  EXPECT_TRUE(underline);
  EXPECT_TRUE(arrowBlock);
  EXPECT_TRUE(redLeader);
  EXPECT_TRUE(blueLeader);
  EXPECT_TRUE(noteFill);
  EXPECT_TRUE(noteFrame);

  expectLikeReference(rasterize(list, {}), "tests/render/reference", "mtext-layout-and-part-colours");
}

// ezdxf (test-only; skipped without it) reads the same line spacing,
// background and columns from each MTEXT of the drawing.
TEST(MTextPicture, LookValuesAreReadAsEzdxfReadsThem) {
  if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ezdxf";
  const std::string path = std::string(DDS_BINARY_DIR) + "/mtext_look_crosscheck.dxf";
  std::ofstream(path) << drawing();
  const std::string script =
      "import ezdxf\n"
      "for e in ezdxf.readfile('" + path + "').modelspace().query('MTEXT'):\n"
      "    c = e.columns\n"
      "    print(e.dxf.get('line_spacing_factor', 1.0), e.dxf.get('line_spacing_style', 1) == 2,\n"
      "          e.dxf.get('bg_fill', 0), e.dxf.get('bg_fill_color', 0), e.dxf.get('box_fill_scale', 1.5),\n"
      "          int(c.column_type) if c else 0, c.count if c else 1, c.width if c else 0.0,\n"
      "          c.gutter_width if c else 0.0, c.defined_height if c else 0.0)\n";
  std::ofstream(path + ".py") << script;
  FILE* pipe = popen(("/usr/bin/python3 " + path + ".py 2>&1").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string theirs;
  for (char buf[256]; std::fgets(buf, sizeof buf, pipe);) theirs += buf;
  pclose(pipe);

  std::unique_ptr<OdDbDatabase> db = readDxfDrawingFromBytes(drawing());
  std::ostringstream ours;
  OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject();
  for (OdDbBlockIteratorPtr it = ms->newIterator(); !it->done(); it->step()) {
    OdDbMTextPtr m = OdDbMText::cast(it->entity());
    if (!m) continue;
    const OdDbMTextLook look = m->look() ? *m->look() : OdDbMTextLook();
    const bool columns = look.columns != OdDbMTextLook::Columns::kNone;
    ours << look.lineSpacingFactor << ' ' << (look.exactSpacing ? "True" : "False") << ' ' << look.background << ' '
         << (look.fillColor.isByACI() ? look.fillColor.colorIndex() : 0) << ' ' << look.fillScale << ' '
         << int(look.columns) << ' ' << (columns ? look.columnCount : 1) << ' ' << look.columnWidth << ' '
         << look.gutter << ' ' << look.columnHeight << '\n';
  }
  // Python writes its floats with a decimal point.
  std::string normalised;
  std::istringstream in(theirs);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string field, out;
    for (int i = 0; fields >> field; ++i) {
      if (field.size() > 2 && field.ends_with(".0")) field.resize(field.size() - 2);
      out += (i ? " " : "") + field;
    }
    normalised += out + "\n";
  }
  EXPECT_EQ(ours.str(), normalised);
}
