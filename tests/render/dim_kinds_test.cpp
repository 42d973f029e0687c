// Radius, diameter, jogged radius, angular, arc length and ordinate
// dimensions: what their variables move.
#include <cmath>
#include <numbers>

#include "render_test_util.h"

using namespace rt;

namespace {
constexpr double kTol = 1e-9;

struct Kinds : ::testing::Test {
  Drawing d;
  template <class T>
  OdSmartPtr<T> make() {
    OdSmartPtr<T> p = T::createObject();
    p->setDimensionStyle(d.db->getDimStyleStandardId());
    return p;
  }
};

int linesThrough(const BlockContents& c, const OdGePoint3d& p) {
  int n = 0;
  for (const Seg& s : c.lines) {
    const OdGeVector3d ab = s.b - s.a, ap = p - s.a;
    const double cr = ab.x * ap.y - ab.y * ap.x, t = (ab.x * ap.x + ab.y * ap.y) / (ab.x * ab.x + ab.y * ab.y);
    if (std::fabs(cr) < 1e-9 && t >= -1e-9 && t <= 1 + 1e-9) ++n;
  }
  return n;
}
}  // namespace

TEST_F(Kinds, RadiusTextOutsideWithLandingAndCentreMarks) {
  auto r = make<OdDbRadialDimension>();
  r->setCenter({0, 0});
  r->setChordPoint({3, 0});
  d.add(r);
  BlockContents c = rebuild(r.get());
  ASSERT_EQ(c.texts.size(), 1u);
  EXPECT_EQ(c.texts[0]->contents(), "R3.0000");
  EXPECT_GT(c.texts[0]->location().x, 3.0 + 2 * 0.18);
  ASSERT_EQ(c.solids.size(), 1u);
  EXPECT_NEAR(c.solids[0]->pointAt(0).x, 3.0, kTol);  // the tip on the curve
  EXPECT_GT(c.solids[0]->pointAt(1).x, 3.0);         // pointing in from outside
  // Centre mark: two strokes of twice DIMCEN through the centre.
  EXPECT_EQ(linesThrough(c, {0, 0}), 2);
  EXPECT_EQ(horizontalAt(c, 0).size(), 2u);  // the mark and the leader on the axis
  r->setDimcen(-0.09);  // mark and centre lines out past the circle
  c = rebuild(r.get());
  double far = 0;
  for (const Seg& s : c.lines) far = std::max({far, std::fabs(s.a.y), std::fabs(s.b.y)});
  EXPECT_NEAR(far, 3.09, kTol);
  r->setDimcen(0.0);
  c = rebuild(r.get());
  EXPECT_EQ(linesThrough(c, {0, 0}), 0);
  // Text kept inside: along the radius, the line from the centre.
  r->setDimcen(0.09);
  r->setDimtix(true);
  c = rebuild(r.get());
  EXPECT_NEAR(c.texts[0]->location().x, 1.5, kTol);
  EXPECT_NEAR(c.solids[0]->pointAt(1).x, 3.0 - 0.18, kTol);  // pointing out at the curve
}

TEST_F(Kinds, DiameterInsideAndOnAUserPositionOutside) {
  auto dd = make<OdDbDiametricDimension>();
  dd->setChordPoint({-2, 0});
  dd->setFarChordPoint({2, 0});
  d.add(dd);
  BlockContents c = rebuild(dd.get());
  EXPECT_EQ(c.texts[0]->contents(), "%%c4.0000");
  EXPECT_NEAR(c.texts[0]->location().x, 0.0, kTol);
  ASSERT_EQ(c.solids.size(), 2u);
  EXPECT_NEAR(std::fabs(c.solids[0]->pointAt(0).x), 2.0, kTol);
  EXPECT_NEAR(std::fabs(c.solids[1]->pointAt(0).x), 2.0, kTol);
  EXPECT_EQ(horizontalAt(c, 0).size(), 2u);  // broken for the text
  // Text put by hand: with DIMTMOVE 0 the line turns to run at it, with 2
  // it stays and reaches the text from its end on the text's side.
  dd->setTextPosition({5, 3});
  c = rebuild(dd.get());
  EXPECT_NEAR(c.texts[0]->location().x, 5.0, kTol);
  ASSERT_EQ(c.solids.size(), 1u);
  const OdGePoint3d tip = c.solids[0]->pointAt(0);
  EXPECT_NEAR(tip.x * 3 - tip.y * 5, 0.0, kTol);
  EXPECT_NEAR(std::hypot(tip.x, tip.y), 2.0, kTol);
  dd->setDimtmove(2);
  c = rebuild(dd.get());
  ASSERT_EQ(c.solids.size(), 1u);
  EXPECT_NEAR(c.solids[0]->pointAt(0).x, 2.0, kTol);  // the arrow on the text's side
  dd->setDimtofl(true);  // the line across as well, both arrows
  c = rebuild(dd.get());
  ASSERT_EQ(c.solids.size(), 2u);
  EXPECT_NEAR(c.solids[1]->pointAt(0).x, -2.0, kTol);
  EXPECT_EQ(horizontalAt(c, 0).size(), 1u);
}

TEST_F(Kinds, JoggedRadiusBendsAtTheJogPoint) {
  auto h = make<QrHugeRadius>();
  h->setCenter({0, -20});
  h->setChordPoint({0, 0});
  h->setOverrideCenter({2, -5});
  h->setJogPoint({0, -2});
  d.add(h);
  BlockContents c = rebuild(h.get());
  EXPECT_EQ(c.texts[0]->contents(), "R20.0000");
  EXPECT_GE(linesThrough(c, {0, -2}), 2);  // the radius part and the jog meet there
  // A Z: from the shown centre parallel to the radius, then back across to
  // the radius at DIMJOGANG.
  auto fromCentre = [&](const BlockContents& b) {
    for (const Seg& s : verticalAt(b, 2))
      if (s.a == OdGePoint3d(2, -5) || s.b == OdGePoint3d(2, -5)) return true;
    return false;
  };
  auto jogDirection = [&](const BlockContents& b) {
    for (const Seg& s : b.lines)
      if (s.a == OdGePoint3d(0, -2) && std::fabs(s.b.x) > 1e-9) return std::atan2(s.b.y - s.a.y, s.b.x - s.a.x);
    return 99.0;
  };
  EXPECT_TRUE(fromCentre(c));
  EXPECT_NEAR(jogDirection(c), std::numbers::pi / 2 - std::numbers::pi / 4, kTol);
  h->setDimjogang(std::numbers::pi / 2);
  c = rebuild(h.get());
  EXPECT_TRUE(fromCentre(c));
  EXPECT_NEAR(jogDirection(c), 0.0, kTol);
}

TEST_F(Kinds, ThreePointAngleArcExtensionsAndSide) {
  auto a = make<OdDb3PointAngularDimension>();
  a->setCenterPoint({0, 0});
  a->setXLine1Point({2, 0});
  a->setXLine2Point({0, 2});
  a->setArcPoint({3, 0.1});
  d.add(a);
  BlockContents c = rebuild(a.get());
  EXPECT_EQ(c.texts[0]->contents(), "90%%d");
  ASSERT_EQ(c.arcs.size(), 2u);  // broken for the text
  for (auto& arc : c.arcs) EXPECT_NEAR(arc->radius(), std::hypot(3, 0.1), kTol);
  EXPECT_NEAR(c.arcs[0]->startAngle(), 0.0, kTol);
  EXPECT_NEAR(c.arcs[1]->endAngle(), std::numbers::pi / 2, kTol);
  // Extension lines along the rays, from past the points to past the arc.
  ASSERT_EQ(horizontalAt(c, 0).size(), 1u);
  EXPECT_NEAR(horizontalAt(c, 0)[0].a.x, 2.0625, kTol);
  EXPECT_NEAR(horizontalAt(c, 0)[0].b.x, std::hypot(3, 0.1) + 0.18, kTol);
  // The text sits on the arc's middle.
  const double m = std::numbers::pi / 4, R = std::hypot(3, 0.1);
  EXPECT_NEAR(c.texts[0]->location().x, R * std::cos(m), kTol);
  a->setDimtad(1);  // above: outward of the arc
  c = rebuild(a.get());
  EXPECT_GT(std::hypot(c.texts[0]->location().x, c.texts[0]->location().y), R + 0.09);
  EXPECT_EQ(c.arcs.size(), 1u);
  // The arc point on the other side measures the reflex angle.
  a->setArcPoint({-3, -3});
  a->setDimtad(0);
  c = rebuild(a.get());
  EXPECT_EQ(c.texts[0]->contents(), "270%%d");
  a->setDimse1(true);
  a->setDimse2(true);
  c = rebuild(a.get());
  EXPECT_TRUE(c.lines.empty());
}

TEST_F(Kinds, TwoLineAngleFindsTheVertexAndTheSector) {
  auto a = make<OdDb2LineAngularDimension>();
  a->setXLine1Start({1, 0});
  a->setXLine1End({5, 0});
  a->setXLine2Start({1, 1});
  a->setXLine2End({4, 4});
  a->setArcPoint({3, 1});
  d.add(a);
  BlockContents c = rebuild(a.get());
  EXPECT_EQ(c.texts[0]->contents(), "45%%d");
  for (auto& arc : c.arcs) {
    EXPECT_NEAR(arc->center().x, 0.0, kTol);
    EXPECT_NEAR(arc->radius(), std::hypot(3, 1), kTol);
  }
  // The arc point across the vertex: the opposite sector, same angle.
  a->setArcPoint({-3, -1});
  c = rebuild(a.get());
  EXPECT_EQ(c.texts[0]->contents(), "45%%d");
  // Parallel lines have no vertex: the text alone, no crash.
  a->setXLine2Start({0, 1});
  a->setXLine2End({5, 1});
  c = rebuild(a.get());
  EXPECT_TRUE(c.arcs.empty());
  EXPECT_EQ(c.texts.size(), 1u);
}

TEST_F(Kinds, AngularTolerancesAndLimitsWidenTheTextOnTheArc) {
  auto a = make<OdDb3PointAngularDimension>();
  a->setCenterPoint({0, 0});
  a->setXLine1Point({2, 0});
  a->setXLine2Point({0, 2});
  a->setArcPoint({10, 0.1});
  d.add(a);
  auto gapInArc = [](const BlockContents& c) {
    return c.arcs.size() == 2 ? c.arcs[1]->startAngle() - c.arcs[0]->endAngle() : -1.0;
  };
  BlockContents c = rebuild(a.get());
  const double plainGap = gapInArc(c);
  ASSERT_GT(plainGap, 0.0);
  a->setDimtol(true);
  a->setDimtp(0.5);
  a->setDimtm(0.5);
  a->setDimtdec(1);
  a->setDimpost("<> mm");  // not for angles
  c = rebuild(a.get());
  ASSERT_EQ(c.texts.size(), 1u);
  EXPECT_EQ(c.texts[0]->contents(), "90%%d%%p0.5%%d");
  EXPECT_GT(gapInArc(c), plainGap + 1e-3);  // the arc breaks for the tolerance too
  auto b = make<OdDb2LineAngularDimension>();
  b->setXLine1Start({1, 0});
  b->setXLine1End({5, 0});
  b->setXLine2Start({1, 1});
  b->setXLine2End({4, 4});
  b->setArcPoint({3, 1});
  d.add(b);
  b->setDimlim(true);
  b->setDimtp(1);
  b->setDimtm(2);
  b->setDimtdec(0);
  c = rebuild(b.get());
  ASSERT_EQ(c.texts.size(), 1u);
  EXPECT_EQ(c.texts[0]->contents(), "{\\H1x;\\A1;\\S46%%d^43%%d;}");
}

TEST_F(Kinds, ArcLengthWithSymbolBeforeOrAbove) {
  auto a = make<OdDbArcDimension>();
  a->setCenter({0, 0});
  a->setXLine1Point({2, 0});
  a->setXLine2Point({0, 2});
  a->setArcPoint({2.5 * std::sqrt(0.5), 2.5 * std::sqrt(0.5)});
  d.add(a);
  BlockContents c = rebuild(a.get());
  EXPECT_EQ(c.texts[0]->contents(), "\u23123.1416");
  const std::size_t arcs = c.arcs.size();
  a->setDimarcsym(1);
  c = rebuild(a.get());
  EXPECT_EQ(c.texts[0]->contents(), "3.1416");
  EXPECT_EQ(c.arcs.size(), arcs + 1);  // the symbol is an arc over the text
  a->setDimarcsym(2);
  c = rebuild(a.get());
  EXPECT_EQ(c.arcs.size(), arcs);
}

TEST_F(Kinds, OrdinateLeaderStraightOrJoggedAndTextAlongIt) {
  auto o = make<OdDbOrdinateDimension>();
  o->setOrigin({0, 0});
  o->setDefiningPoint({4, 1});
  o->setLeaderEndPoint({4, 3});
  d.add(o);
  BlockContents c = rebuild(o.get());
  EXPECT_EQ(c.texts[0]->contents(), "4.0000");
  ASSERT_EQ(c.lines.size(), 1u);
  EXPECT_NEAR(c.lines[0].a.y, 1.0625, kTol);
  EXPECT_NEAR(c.lines[0].b.y, 3.0, kTol);
  EXPECT_NEAR(c.texts[0]->rotation(), std::numbers::pi / 2, kTol);
  EXPECT_GT(c.texts[0]->location().y, 3.0);
  o->useYAxis();
  o->setLeaderEndPoint({8, 2});
  c = rebuild(o.get());
  EXPECT_EQ(c.texts[0]->contents(), "1.0000");
  EXPECT_EQ(c.lines.size(), 3u);  // a dog-leg to the leader's end
  EXPECT_NEAR(c.texts[0]->rotation(), 0.0, kTol);
  EXPECT_GT(c.texts[0]->location().x, 8.0);
}

// Text put by hand: with DIMTMOVE 0 the arc or the leader goes along (the
// text stays where it was put); with 2 the text stands free.
TEST_F(Kinds, TextMovedByHandTakesTheArcOrLeaderAlongUnderDimtmove0) {
  auto a = make<OdDb3PointAngularDimension>();
  a->setCenterPoint({0, 0});
  a->setXLine1Point({2, 0});
  a->setXLine2Point({0, 2});
  a->setArcPoint({3, 0.1});
  d.add(a);
  const double m = std::numbers::pi / 4;
  a->setTextPosition({4 * std::cos(m), 4 * std::sin(m)});
  BlockContents c = rebuild(a.get());
  ASSERT_EQ(c.arcs.size(), 2u);  // at the text's radius, broken for it
  for (auto& arc : c.arcs) EXPECT_NEAR(arc->radius(), 4, kTol);
  EXPECT_NEAR(c.texts[0]->location().x, 4 * std::cos(m), kTol);
  // Beyond the second ray the arc reaches out to the text, not into it.
  const double beyond = 2 * std::numbers::pi / 3;
  a->setTextPosition({4 * std::cos(beyond), 4 * std::sin(beyond)});
  c = rebuild(a.get());
  ASSERT_EQ(c.arcs.size(), 1u);
  EXPECT_GT(c.arcs[0]->endAngle(), std::numbers::pi / 2);
  EXPECT_LT(c.arcs[0]->endAngle(), beyond - 0.05);
  a->setDimtmove(2);
  c = rebuild(a.get());
  for (auto& arc : c.arcs) EXPECT_NEAR(arc->radius(), std::hypot(3, 0.1), kTol);

  auto o = make<OdDbOrdinateDimension>();
  o->setOrigin({0, 0});
  o->setDefiningPoint({4, 1});
  o->setLeaderEndPoint({4, 3});
  d.add(o);
  o->setTextPosition({6, 5});
  c = rebuild(o.get());
  ASSERT_EQ(c.lines.size(), 3u);  // a dog-leg over to the text
  EXPECT_NEAR(c.lines[2].b.x, 6, kTol);
  EXPECT_LT(c.lines[2].b.y, 5);
  EXPECT_GT(c.lines[2].b.y, 4);
  EXPECT_NEAR(c.texts[0]->location().x, 6, kTol);
  o->setDimtmove(2);
  c = rebuild(o.get());
  ASSERT_EQ(c.lines.size(), 1u);
  EXPECT_EQ(c.lines[0].b, OdGePoint3d(4, 3, 0));
}

TEST_F(Kinds, DimensionOutsideADrawingIsRefusedWithAnError) {
  OdDbRotatedDimensionPtr loose = OdDbRotatedDimension::createObject();
  EXPECT_THROW(render::buildDimBlock(loose.get()), OdError);
}

TEST_F(Kinds, DegenerateDataDrawsWhatItCanAndDamagedDataIsRefused) {
  const double nan = std::nan("");
  auto l = d.linear();
  l->setXLine2Point({0, 0});  // nothing measured: text 0, arrows outside
  BlockContents c = rebuild(l.get());
  EXPECT_EQ(c.texts.at(0)->contents(), "0.0000");
  auto r = make<OdDbRadialDimension>();
  r->setCenter({1, 1});
  r->setChordPoint({1, 1});  // no radius
  d.add(r);
  EXPECT_NO_THROW(rebuild(r.get()));
  // A point that is not a number, or sizes whose geometry overflows, would
  // give a block that no picture or file can hold: refused, and the block
  // the dimension had stays as it was.
  const OdDbObjectId before = l->dimBlockId();
  const std::size_t entities = contentsOf(before).count;
  l->setXLine2Point({nan, 0});
  EXPECT_THROW(l->recomputeDimBlock(), OdError);
  EXPECT_EQ(l->dimBlockId(), before);
  EXPECT_EQ(contentsOf(before).count, entities);
  l->setXLine2Point({10, 0});
  l->setDimscale(1e308);
  EXPECT_THROW(l->recomputeDimBlock(), OdError);
  auto a = make<OdDb3PointAngularDimension>();
  a->setCenterPoint({nan, 0});
  a->setXLine1Point({1, 0});
  a->setXLine2Point({0, 1});
  d.add(a);
  EXPECT_THROW(a->recomputeDimBlock(), OdError);
}
