// What each variable does to a linear dimension's geometry. The dimension
// measures 10 along X at the origin, its line at y = 3, with the imperial
// defaults: arrows 0.18, extension offset 0.0625 and beyond 0.18, gap 0.09,
// text 0.18 high.
#include <numbers>

#include "OdDbDimStyleTableRecord.h"
#include "OdDbTextStyleTableRecord.h"
#include "render_test_util.h"

using namespace rt;

namespace {
constexpr double kTol = 1e-9;

struct LinearFixture : ::testing::Test {
  Drawing d;
  OdDbRotatedDimensionPtr dim = d.linear();
  BlockContents build() { return rebuild(dim.get()); }
  // The vertical extension lines at x.
  std::vector<Seg> ext(const BlockContents& c, double x) { return verticalAt(c, x); }
  double textY(const BlockContents& c, int i = 0) { return c.texts.at(i)->location().y; }
  double textX(const BlockContents& c, int i = 0) { return c.texts.at(i)->location().x; }
};

// The covered stretch of y = 3 between x = 0 and 10: total length drawn.
double drawnAlong(const BlockContents& c, double y = 3) {
  double sum = 0;
  for (const Seg& s : horizontalAt(c, y)) sum += s.length();
  return sum;
}
}  // namespace

TEST_F(LinearFixture, ExtensionLinesFollowOffsetBeyondSuppressionAndFixedLength) {
  BlockContents c = build();
  ASSERT_EQ(ext(c, 0).size(), 1u);
  EXPECT_NEAR(ext(c, 0)[0].a.y, 0.0625, kTol);
  EXPECT_NEAR(ext(c, 0)[0].b.y, 3.18, kTol);
  ASSERT_EQ(ext(c, 10).size(), 1u);
  dim->setDimexo(0.5);
  dim->setDimexe(0.3);
  c = build();
  EXPECT_NEAR(ext(c, 0)[0].a.y, 0.5, kTol);
  EXPECT_NEAR(ext(c, 0)[0].b.y, 3.3, kTol);
  dim->setDimfxlon(true);
  dim->setDimfxl(1.0);  // one unit from the dimension line toward the feature
  c = build();
  EXPECT_NEAR(ext(c, 0)[0].a.y, 2.0, kTol);
  dim->setDimse1(true);
  c = build();
  EXPECT_TRUE(ext(c, 0).empty());
  EXPECT_EQ(ext(c, 10).size(), 1u);
  dim->setDimse2(true);
  c = build();
  EXPECT_TRUE(ext(c, 10).empty());
}

TEST_F(LinearFixture, ArrowsSizeShapesAndTicks) {
  BlockContents c = build();
  ASSERT_EQ(c.solids.size(), 2u);  // closed filled: triangles
  EXPECT_NEAR(c.solids[0]->pointAt(0).x, 0.0, kTol);
  EXPECT_NEAR(c.solids[0]->pointAt(1).x, 0.18, kTol);
  EXPECT_NEAR(std::fabs(c.solids[0]->pointAt(1).y - 3), 0.03, kTol);  // a sixth of the size each side
  EXPECT_NEAR(c.solids[1]->pointAt(0).x, 10.0, kTol);
  EXPECT_NEAR(c.solids[1]->pointAt(1).x, 9.82, kTol);
  dim->setDimasz(0.5);
  c = build();
  EXPECT_NEAR(c.solids[0]->pointAt(1).x, 0.5, kTol);
  // A block arrow: placed at the end, turned outward, scaled by the size.
  dim->setDimblk(OdDmUtil::getArrowId("_Dot", d.db.get()));
  c = build();
  EXPECT_TRUE(c.solids.empty());
  ASSERT_EQ(c.refs.size(), 2u);
  EXPECT_EQ(OdDmUtil::arrowName(c.refs[0]->blockTableRecord()), "_Dot");
  EXPECT_NEAR(c.refs[0]->position().x, 0.0, kTol);
  EXPECT_NEAR(std::fabs(c.refs[0]->rotation()), std::numbers::pi, kTol);
  EXPECT_NEAR(c.refs[1]->rotation(), 0.0, kTol);
  EXPECT_NEAR(c.refs[1]->scaleFactors().x, 0.5, kTol);
  // Separate arrows.
  dim->setDimsah(true);
  dim->setDimblk1(OdDmUtil::getArrowId("_Open", d.db.get()));
  dim->setDimblk2(OdDbObjectId());
  c = build();
  ASSERT_EQ(c.refs.size(), 1u);
  EXPECT_EQ(OdDmUtil::arrowName(c.refs[0]->blockTableRecord()), "_Open");
  EXPECT_EQ(c.solids.size(), 1u);
  // Ticks replace arrows, and the line runs past the extension lines by DIMDLE.
  dim->setDimtsz(0.1);
  dim->setDimdle(0.2);
  c = build();
  EXPECT_TRUE(c.refs.empty());
  EXPECT_TRUE(c.solids.empty());
  int ticks = 0;
  for (const Seg& s : c.lines)
    if (std::fabs(s.length() - 0.1 * std::sqrt(2.0)) < 1e-9 && std::fabs(s.a.x - s.b.x) > 0.05) ++ticks;
  EXPECT_EQ(ticks, 2);
  double minX = 1e9, maxX = -1e9;
  for (const Seg& s : horizontalAt(c, 3)) {
    minX = std::min({minX, s.a.x, s.b.x});
    maxX = std::max({maxX, s.a.x, s.b.x});
  }
  EXPECT_NEAR(minX, -0.2, kTol);
  EXPECT_NEAR(maxX, 10.2, kTol);
}

TEST_F(LinearFixture, OverallScaleAppliesToEverySize) {
  dim->setDimscale(2.0);
  BlockContents c = build();
  EXPECT_NEAR(ext(c, 0)[0].a.y, 0.125, kTol);
  EXPECT_NEAR(ext(c, 0)[0].b.y, 3.36, kTol);
  EXPECT_NEAR(c.solids[0]->pointAt(1).x, 0.36, kTol);
  EXPECT_NEAR(c.texts[0]->textHeight(), 0.36, kTol);
  dim->setDimscale(0.0);  // counts as 1
  c = build();
  EXPECT_NEAR(c.texts[0]->textHeight(), 0.18, kTol);
  // A text style with a fixed height wins over DIMTXT and the scale.
  OdDbTextStyleTableRecordPtr ts = d.db->getTextStyleStandardId().safeOpenObject(OdDb::kForWrite);
  ts->setTextSize(0.3);
  dim->setDimscale(2.0);
  c = build();
  EXPECT_NEAR(c.texts[0]->textHeight(), 0.3, kTol);
}

TEST_F(LinearFixture, TextVerticalPlacement) {
  BlockContents c = build();
  ASSERT_EQ(c.texts.size(), 1u);
  EXPECT_EQ(c.texts[0]->contents(), "10.0000");
  EXPECT_NEAR(textX(c), 5.0, kTol);
  EXPECT_NEAR(textY(c), 3.0, kTol);
  const double covered = 10 - drawnAlong(c);  // the break for the text
  EXPECT_GT(covered, 2 * 0.09 + 0.5);
  // Above: the box bottom a gap over the line, the line whole.
  dim->setDimtad(1);
  c = build();
  EXPECT_NEAR(textY(c), 3 + 0.09 + 0.09, kTol);
  EXPECT_NEAR(drawnAlong(c), 10.0, kTol);
  dim->setDimtad(4);  // below
  c = build();
  EXPECT_NEAR(textY(c), 3 - 0.18, kTol);
  dim->setDimtad(2);  // away from the features, which lie below
  c = build();
  EXPECT_NEAR(textY(c), 3.18, kTol);
  dim->setDimtad(0);
  dim->setDimtvp(2.0);  // raised two text heights: clear of the line
  c = build();
  EXPECT_NEAR(textY(c), 3.36, kTol);
  EXPECT_NEAR(drawnAlong(c), 10.0, kTol);
  dim->setDimtvp(0.0);
  dim->setDimgap(0.3);  // a wider gap widens the break
  c = build();
  EXPECT_NEAR(10 - drawnAlong(c), covered + 2 * (0.3 - 0.09), 1e-9);
}

TEST_F(LinearFixture, TextHorizontalJustification) {
  dim->setDimjust(1);
  BlockContents c = build();
  const double half1 = textX(c) - 2 * 0.18;
  EXPECT_GT(half1, 0.3);  // half the text width beyond twice the arrow size
  EXPECT_LT(textX(c), 2.0);
  dim->setDimjust(2);
  c = build();
  EXPECT_NEAR(textX(c), 10 - (2 * 0.18 + half1), 1e-9);
  dim->setDimjust(3);  // over extension line 1: along it, beyond the line
  c = build();
  EXPECT_NEAR(std::fabs(c.texts[0]->rotation()), std::numbers::pi / 2, kTol);
  EXPECT_GT(textY(c), 3.0);
  EXPECT_LT(textX(c), 0.0);
}

TEST_F(LinearFixture, HorizontalTextInsideAndAlong) {
  dim->setRotation(std::numbers::pi / 2);
  dim->setXLine2Point({0, 10});
  dim->setDimLinePoint({-3, 5});
  BlockContents c = build();
  EXPECT_NEAR(c.texts[0]->rotation(), 0.0, kTol);  // DIMTIH on
  EXPECT_NEAR(textX(c), -3.0, kTol);
  EXPECT_NEAR(textY(c), 5.0, kTol);
  dim->setDimtih(false);
  c = build();
  EXPECT_NEAR(c.texts[0]->rotation(), std::numbers::pi / 2, kTol);
  // JIS: along the line and beside it, whatever DIMTIH says.
  dim->setDimtih(true);
  dim->setDimtad(3);
  c = build();
  EXPECT_NEAR(c.texts[0]->rotation(), std::numbers::pi / 2, kTol);
  EXPECT_NEAR(textX(c), -3 - 0.09 - 0.09, kTol);  // "up" for the text is to the left
  // Horizontal text above a vertical line clears it by its half width.
  dim->setDimtad(1);
  c = build();
  EXPECT_NEAR(c.texts[0]->rotation(), 0.0, kTol);
  EXPECT_LT(textX(c), -3 - 0.09 - 0.3);
}

TEST_F(LinearFixture, ToleranceStackMakesTheTextTallerAndWider) {
  const double plain = 10 - drawnAlong(build());
  dim->setDimtol(true);
  dim->setDimtp(0.01);
  dim->setDimtm(0.02);
  BlockContents c = build();
  EXPECT_EQ(c.texts[0]->contents(), "10.0000{\\H1x;\\A1;\\S+0.0100^-0.0200;}");
  EXPECT_GT(10 - drawnAlong(c), plain + 0.5);  // the break covers the stack too
  dim->setDimtad(1);
  c = build();
  // The box of two stacked lines is taller than one line: the centre rises.
  EXPECT_GT(textY(c), 3 + 0.18 + 0.05);
}

TEST_F(LinearFixture, FrameFillAndColours) {
  dim->setDimgap(-0.09);
  BlockContents c = build();
  // Four frame sides around the text besides the dimension and extension lines.
  EXPECT_EQ(c.lines.size(), 2u + 2u + 4u);
  dim->setDimgap(0.09);
  dim->setDimtfill(1);
  c = build();
  ASSERT_EQ(c.solids.size(), 3u);  // two arrows and the mask
  bool mask = false;
  for (auto& s : c.solids) mask |= s->color().isNone();
  EXPECT_TRUE(mask);
  dim->setDimtfill(2);
  dim->setDimtfillclr(OdCmColor::fromIndex(3));
  c = build();
  bool green = false;
  for (auto& s : c.solids) green |= s->color() == OdCmColor::fromIndex(3);
  EXPECT_TRUE(green);
  dim->setDimtfill(0);
  dim->setDimclrd(OdCmColor::fromIndex(1));
  dim->setDimclre(OdCmColor::fromIndex(5));
  dim->setDimclrt(OdCmColor::fromIndex(2));
  dim->setDimlwd(OdDb::kLnWt050);
  c = build();
  for (const Seg& s : horizontalAt(c, 3)) EXPECT_EQ(s.color, OdCmColor::fromIndex(1));
  for (const Seg& s : ext(c, 0)) EXPECT_EQ(s.color, OdCmColor::fromIndex(5));
  for (auto& s : c.solids) EXPECT_EQ(s->color(), OdCmColor::fromIndex(1));
  EXPECT_EQ(c.texts[0]->color(), OdCmColor::fromIndex(2));
}

TEST_F(LinearFixture, FitMovesTextAndArrowsOutOfANarrowSpace) {
  dim->setXLine2Point({0.5, 0});
  BlockContents c = build();
  // Best fit: the arrows stay, the text goes past extension line 2.
  EXPECT_GT(textX(c), 0.5 + 0.09);
  EXPECT_NEAR(c.solids[0]->pointAt(1).x, 0.18, kTol);  // arrow 1 still points left from inside
  dim->setDimatfit(0);  // both out: arrows point in from outside
  c = build();
  EXPECT_NEAR(c.solids[0]->pointAt(0).x, 0.0, kTol);
  EXPECT_NEAR(c.solids[0]->pointAt(1).x, -0.18, kTol);
  EXPECT_GT(textX(c), 0.5 + 2 * 0.18);
  dim->setDimsoxd(true);  // no arrows outside
  c = build();
  EXPECT_TRUE(c.solids.empty());
  dim->setDimsoxd(false);
  dim->setDimtix(true);  // text kept inside whatever the room
  c = build();
  EXPECT_NEAR(textX(c), 0.25, kTol);
  dim->setDimtix(false);
  dim->setDimtmove(1);  // over the line with a leader
  c = build();
  EXPECT_GT(textY(c), 3.2);
  dim->setDimsd1(true);
  dim->setDimsd2(true);
  dim->setDimatfit(3);
  dim->setXLine2Point({10, 0});
  c = build();
  EXPECT_TRUE(c.solids.empty());          // suppressed halves lose their arrows
  EXPECT_TRUE(horizontalAt(c, 3).empty());  // and their lines
}

TEST_F(LinearFixture, UserTextPositionAndMovementRules) {
  dim->setTextPosition({5, 5});
  BlockContents c = build();
  // The line follows the text (DIMTMOVE 0).
  EXPECT_NEAR(textY(c), 5.0, kTol);
  EXPECT_FALSE(horizontalAt(c, 5).empty());
  EXPECT_TRUE(horizontalAt(c, 3).empty());
  dim->setDimtmove(1);  // the line stays, a leader reaches the text
  c = build();
  EXPECT_FALSE(horizontalAt(c, 3).empty());
  EXPECT_NEAR(textY(c), 5.0, kTol);
  const std::size_t withLeader = c.lines.size();
  dim->setDimtmove(2);  // no leader
  c = build();
  EXPECT_EQ(c.lines.size(), withLeader - 1);
  // Text above the line: the text stays put, the line goes under it.
  dim->setDimtmove(0);
  dim->setDimtad(1);
  c = build();
  EXPECT_NEAR(textY(c), 5.0, kTol);
  EXPECT_FALSE(horizontalAt(c, 5 - 0.18).empty());
  dim->useDefaultTextPosition();
  c = build();
  EXPECT_NEAR(textY(c), 3.18, kTol);
}

TEST_F(LinearFixture, AlternateUnitsBelowSplitTheText) {
  dim->setDimalt(true);
  dim->setDimpost("\\X");
  BlockContents c = build();
  ASSERT_EQ(c.texts.size(), 2u);
  EXPECT_EQ(c.texts[0]->contents(), "10.0000");
  EXPECT_EQ(c.texts[1]->contents(), "[254.00]");
  EXPECT_GT(textY(c, 0), 3.0);
  EXPECT_LT(textY(c, 1), 3.0);
  EXPECT_NEAR(drawnAlong(c), 10.0, kTol);
}

TEST_F(LinearFixture, RecomputeReusesTheBlockAndKeepsTheDefaultPosition) {
  BlockContents c = build();
  const OdDbObjectId block = dim->dimBlockId();
  EXPECT_FALSE(dim->isDimBlockOutOfDate());
  EXPECT_TRUE(dim->isUsingDefaultTextPosition());
  EXPECT_NEAR(dim->textPosition().x, 5.0, kTol);
  OdDbBlockTableRecordPtr rec = block.safeOpenObject();
  EXPECT_TRUE(rec->isAnonymous());
  EXPECT_EQ(rec->getName().substr(0, 2), "*D");
  rec.release();
  dim->setDimasz(0.3);
  EXPECT_TRUE(dim->isDimBlockOutOfDate());
  BlockContents again = build();
  EXPECT_EQ(dim->dimBlockId(), block);
  EXPECT_EQ(again.count, c.count);
  // Drawn again and again, the block reuses its entities: nothing piles up.
  const std::size_t stored = OdDbBlockTableRecordPtr(block.safeOpenObject())->entityIds().size();
  for (int i = 0; i < 20; ++i) {
    dim->setDimasz(0.1 + 0.01 * i);
    build();
  }
  EXPECT_EQ(OdDbBlockTableRecordPtr(block.safeOpenObject())->entityIds().size(), stored);
  // A different drawing (one extension line less) keeps what matches.
  dim->setDimse1(true);
  BlockContents fewer = build();
  EXPECT_EQ(fewer.count, c.count - 1);
  EXPECT_TRUE(verticalAt(fewer, 0).empty());
  EXPECT_EQ(fewer.texts.size(), 1u);
}

TEST_F(LinearFixture, AlignedDimensionFollowsItsPoints) {
  OdDbAlignedDimensionPtr a = OdDbAlignedDimension::createObject();
  a->setXLine1Point({0, 0});
  a->setXLine2Point({3, 4});
  a->setDimLinePoint({-0.8, 0.6});  // one unit off, to the upper left
  a->setDimensionStyle(d.db->getDimStyleStandardId());
  d.add(a);
  BlockContents c = rebuild(a.get());
  EXPECT_EQ(c.texts[0]->contents(), "5.0000");
  EXPECT_NEAR(c.texts[0]->location().x, 1.5 - 0.8, kTol);
  EXPECT_NEAR(c.texts[0]->location().y, 2.0 + 0.6, kTol);
  EXPECT_NEAR(c.texts[0]->rotation(), 0.0, kTol);  // inside horizontal by default
  a->setDimtih(false);
  c = rebuild(a.get());
  EXPECT_NEAR(c.texts[0]->rotation(), std::atan2(4, 3), kTol);
}

TEST_F(LinearFixture, ObliqueExtensionLines) {
  dim->setOblique(std::numbers::pi / 4);  // extension lines at 45 degrees
  BlockContents c = build();
  EXPECT_EQ(c.texts[0]->contents(), "10.0000");  // the measurement stays along the line
  // The line's ends slid along the slanted extension lines to y = 3.
  EXPECT_NEAR(c.solids[0]->pointAt(0).x, 3.0, kTol);
  EXPECT_NEAR(c.solids[1]->pointAt(0).x, 13.0, kTol);
  int slanted = 0;
  for (const Seg& s : c.lines)
    if (std::fabs((s.b.y - s.a.y) - (s.b.x - s.a.x)) < 1e-9 && s.length() > 1) ++slanted;
  EXPECT_EQ(slanted, 2);
}
