// Showing styles, child styles and current values on the sample entities,
// and the picture at clamped scales.
#include <cmath>

#include "dialog.h"
#include "dlgdimstyle/style_store.h"
#include "preview_test_support.h"
#include "wndpreview/paint_rect.h"
#include "wndpreview/picture_scaling.h"

namespace {

using dds::StylePreview;

OdString styleNameOf(const OdDbDimStyleEntity* e) {
  OdDbDimStyleTableRecordPtr rec = e->dimensionStyle().safeOpenObject();
  return rec->getName();
}

TEST(PreviewShowStyle, AParentWithALinearChildDrawsTheLinearDimensionsWithTheChild) {
  PreviewHost h;
  h.addStyle("P", 0.25);
  h.addStyle("P$0", 0.5);
  StylePreview preview(h.db);
  const dds::SampleEntities& s = preview.sampleEntities();
  const double diametricBefore = s.diametric->dimasz();
  preview.showStyle(dds::kPreviewAll, h.style("P").get());
  for (const auto& d : s.linear) {
    EXPECT_EQ(d->dimasz(), 0.5);
    EXPECT_EQ(styleNameOf(d.get()), "P$0");
  }
  for (const OdDbDimension* d : {static_cast<OdDbDimension*>(s.radial.get()), static_cast<OdDbDimension*>(s.angular.get()),
                                 static_cast<OdDbDimension*>(s.ordinate[0].get())}) {
    EXPECT_EQ(d->dimasz(), 0.25);
    EXPECT_EQ(styleNameOf(d), "P");
  }
  EXPECT_EQ(s.leader->dimasz(), 0.25);
  EXPECT_EQ(s.diametric->dimasz(), diametricBefore);  // kind 0 leaves it alone
  EXPECT_EQ(preview.sampleDatabase()->dimasz(), 0.25);
  ASSERT_NE(preview.picture(), nullptr);
  for (const auto& d : s.linear) EXPECT_FALSE(d->isDimBlockOutOfDate());
}

TEST(PreviewShowStyle, AChildKindTakesItsParentsValuesAsTheCurrentOnes) {
  PreviewHost h;
  h.addStyle("P", 0.25, 2.0);
  h.addStyle("P$3", 0.6, 3.0);
  StylePreview preview(h.db);
  const dds::SampleEntities& s = preview.sampleEntities();
  const double linearBefore = s.linear[0]->dimasz();
  preview.showStyle(dds::kPreviewDiameter, h.style("P$3").get());
  EXPECT_EQ(preview.kind(), dds::kPreviewDiameter);
  EXPECT_EQ(s.diametric->dimasz(), 0.6);
  EXPECT_EQ(styleNameOf(s.diametric.get()), "P$3");
  EXPECT_EQ(s.linear[0]->dimasz(), linearBefore);
  EXPECT_EQ(preview.sampleDatabase()->dimasz(), 0.25);
  EXPECT_EQ(preview.sampleDatabase()->dimscale(), 2.0);

  // The diameter child shows the outline, the hole and the diametric
  // dimension only.
  const auto shown = s.shown(preview.kind());
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[2], s.diametric.get());
  HostPicturePtr picture = preview.picture();
  ASSERT_NE(picture, nullptr);
  const auto texts = pictureTexts(*picture);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NE(texts[0].find("\u2300"), std::string::npos) << texts[0];

  // With the parent current, the drawing's current values stand in for it;
  // the overall scale is still the parent's.
  ASSERT_EQ(dds::setCurrentStyle(h.db, h.style("P")->objectId()), S_OK);
  h.db->setDimasz(0.7);
  h.db->setDimscale(5.0);
  preview.showStyle(dds::kPreviewDiameter, h.style("P$3").get());
  EXPECT_EQ(preview.sampleDatabase()->dimasz(), 0.7);
  EXPECT_EQ(preview.sampleDatabase()->dimscale(), 2.0);
}

TEST(PreviewShowStyle, NullRecordsAndRecordsOutsideADrawing) {
  PreviewHost h;
  StylePreview preview(h.db);
  preview.showStyle(dds::kPreviewLeader, h.style("Standard").get());
  ASSERT_NE(preview.picture(), nullptr);
  preview.showStyle(dds::kPreviewAll, nullptr);  // does nothing
  EXPECT_EQ(preview.kind(), dds::kPreviewLeader);
  EXPECT_TRUE(preview.hasPicture());

  OdDbDimStyleTableRecordPtr loose = OdDbDimStyleTableRecord::createObject();
  try {
    preview.showStyle(dds::kPreviewAll, loose.get());
    FAIL() << "no error";
  } catch (const OdError& e) {
    EXPECT_NE(e.description().find("Error opening dimstyle table"), std::string::npos);
  }
  EXPECT_FALSE(preview.hasPicture());

  CapturedLog log;
  preview.showStyle(7, h.style("Standard").get());
  EXPECT_NE(log.text().find("no preview kind 7"), std::string::npos);
}

TEST(PreviewShowCurrentValues, ReachEveryDimensionButTheDiametricUnlessItIsShown) {
  PreviewHost h;
  StylePreview preview(h.db);
  const dds::SampleEntities& s = preview.sampleEntities();
  h.db->setDimasz(0.3);
  h.db->setDimclrt(OdCmColor::fromIndex(3));
  preview.showCurrentValues(dds::kPreviewAll, h.db);
  EXPECT_EQ(preview.sampleDatabase()->dimasz(), 0.3);
  EXPECT_EQ(s.linear[2]->dimasz(), 0.3);
  EXPECT_EQ(s.ordinate[1]->dimasz(), 0.3);
  EXPECT_EQ(s.leader->dimasz(), 0.3);
  EXPECT_EQ(s.leaderText->color(), OdCmColor::fromIndex(3));
  EXPECT_EQ(s.diametric->dimasz(), 0.18);
  preview.showCurrentValues(dds::kPreviewDiameter, h.db);
  EXPECT_EQ(s.diametric->dimasz(), 0.3);
}

TEST(PreviewShowStyle, TheLeaderTextTakesAFixedHeightOrDimtxt) {
  PreviewHost h;
  const OdDbObjectId fixedId = addTextStyle(*h.db, "Fixed", 0.4);
  h.addStyle("F", 0.2);
  h.style("F")->setDimtxsty(fixedId);
  h.addStyle("G", 0.2);
  h.style("G")->setDimtxt(0.3);

  StylePreview preview(h.db);
  const dds::SampleEntities& s = preview.sampleEntities();
  preview.showStyle(dds::kPreviewLeader, h.style("F").get());
  EXPECT_EQ(s.leaderText->textHeight(), 0.4);
  OdDbTextStyleTableRecordPtr style = s.leaderText->textStyle().safeOpenObject();
  EXPECT_EQ(style->getName(), "Fixed");
  preview.showStyle(dds::kPreviewLeader, h.style("G").get());
  EXPECT_EQ(s.leaderText->textHeight(), 0.3);
}

// The picture's size for a style of the given overall scale.
HostPictureBox pictureBox(double dimscale, std::vector<std::string>* texts = nullptr) {
  PreviewHost h(OdDb::kMetric);
  h.addStyle("S", 0.18, dimscale);
  StylePreview preview(h.db);
  preview.showStyle(dds::kPreviewAll, h.style("S").get());
  HostPicturePtr picture = preview.picture();
  EXPECT_NE(picture, nullptr);
  if (!picture) return {};
  if (texts) *texts = pictureTexts(*picture);
  return picture->bounds();
}

TEST(PreviewPicture, OverallScalesAreClampedForTheGeometryButNotForTheNumbers) {
  EXPECT_EQ(dds::previewScaleOf(0).c, 1.0);
  EXPECT_EQ(dds::previewScaleOf(0.2).c, 0.5);
  EXPECT_DOUBLE_EQ(dds::previewScaleOf(0.2).t, 0.4);
  EXPECT_EQ(dds::previewScaleOf(500).c, 100.0);
  EXPECT_EQ(dds::previewScaleOf(500).t, 5.0);

  std::vector<std::string> t0, t1, tSmall, tHalf, tLarge;
  const HostPictureBox b0 = pictureBox(0, &t0), b1 = pictureBox(1, &t1);
  EXPECT_EQ(b0.width(), b1.width());  // 0 counts as 1
  EXPECT_EQ(t0, t1);

  const HostPictureBox small = pictureBox(0.2, &tSmall), half = pictureBox(0.5, &tHalf);
  EXPECT_NEAR(small.width() / half.width(), 1.0, 0.03);
  EXPECT_NEAR(half.width() / b1.width(), 0.5, 0.01);
  EXPECT_TRUE(containsText(tSmall, "2,91")) << tSmall[0];  // 14.5412 at 0.2
  EXPECT_TRUE(containsText(tHalf, "7,27"));

  const HostPictureBox large = pictureBox(500, &tLarge), hundred = pictureBox(100);
  EXPECT_NEAR(large.width() / hundred.width(), 1.0, 0.03);
  EXPECT_NEAR(hundred.width() / b1.width(), 100.0, 1.0);
  EXPECT_TRUE(containsText(tLarge, "7270,6"));  // 14.5412 at 500
}

TEST(PreviewPicture, TheGeometryAndValuesAreSetBackAfterwards) {
  PreviewHost h;
  h.addStyle("S", 0.18, 500);
  StylePreview preview(h.db);
  const dds::SampleEntities& s = preview.sampleEntities();
  preview.showStyle(dds::kPreviewAll, h.style("S").get());
  const auto outline = s.outline->vertices();
  const OdGePoint3d p1 = s.linear[0]->xLine1Point(), centre = s.radial->center(), end = s.leader->vertexAt(1);
  const OdGePoint3d textAt = s.leaderText->location();
  const double lfac = s.linear[0]->dimlfac(), height = s.leaderText->textHeight(), radius = s.hole->radius();
  ASSERT_NE(preview.picture(), nullptr);
  ASSERT_EQ(s.outline->numVerts(), outline.size());
  for (unsigned i = 0; i < outline.size(); ++i) {
    EXPECT_EQ(s.outline->vertexAt(i).x, outline[i].x);
    EXPECT_EQ(s.outline->vertexAt(i).bulge, outline[i].bulge);
  }
  EXPECT_EQ(s.outline->ownerId(), preview.sampleDatabase()->getModelSpaceId());
  EXPECT_EQ(s.outline->colorIndex(), 43);
  EXPECT_EQ(s.hole->radius(), radius);
  EXPECT_EQ(s.linear[0]->xLine1Point(), p1);
  EXPECT_EQ(s.radial->center(), centre);
  EXPECT_EQ(s.leader->vertexAt(1), end);
  EXPECT_EQ(s.leaderText->location(), textAt);
  EXPECT_EQ(s.leaderText->textHeight(), height);
  EXPECT_EQ(s.linear[0]->dimlfac(), lfac);
  EXPECT_EQ(s.linear[0]->dimscale(), 500.0);
  EXPECT_TRUE(s.linear[0]->isUsingDefaultTextPosition());
}

TEST(PreviewPicture, ManyPicturesDoNotGrowTheSampleDrawing) {
  PreviewHost h;
  h.addStyle("A", 0.18, 2.0);
  h.addStyle("B", 0.25, 2.0);
  StylePreview preview(h.db);
  auto picture = [&](int i) {
    preview.showStyle(dds::kPreviewAll, h.style(i % 2 ? "A" : "B").get());
    ASSERT_NE(preview.picture(), nullptr);
  };
  for (int i = 0; i < 4; ++i) picture(i);
  const std::size_t objects = preview.sampleDatabase()->numObjects();
  for (int i = 0; i < 40; ++i) picture(i);
  EXPECT_EQ(preview.sampleDatabase()->numObjects(), objects);
}

TEST(PreviewPicture, TurnedTextReachesUprightOnlySinksAsOutlines) {
  PreviewHost h(OdDb::kMetric);
  StylePreview preview(h.db);
  preview.showStyle(dds::kPreviewLinear, h.style("Standard").get());
  HostPicturePtr picture = preview.picture();
  ASSERT_NE(picture, nullptr);
  struct UprightSink : HostPictureSink {
    std::vector<std::string> texts;
    int outlined = 0;
    void polyline(const std::vector<HostPicturePoint>&, bool, HostPictureColor, double) override {}
    void filledPolygon(const std::vector<HostPicturePoint>&, HostPictureColor) override {}
    void text(const std::string& s, HostPicturePoint, double, double, double rotation, HostPictureColor) override {
      EXPECT_EQ(rotation, 0.0) << s;
      texts.push_back(s);
    }
    bool drawsTurnedText() const override { return false; }
    void textOutlines(const std::vector<std::vector<HostPicturePoint>>& contours, HostPictureColor) override {
      EXPECT_GE(contours.size(), 4u);  // at least the four digits
      ++outlined;
    }
  } sink;
  picture->play(sink, {0, 0, 400, 300});
  // The top dimension's text is upright; the left and the slanted ones
  // run along their lines.
  EXPECT_EQ(sink.texts, (std::vector<std::string>{"14,54"}));
  EXPECT_EQ(sink.outlined, 2);
}

TEST(PreviewPaintRect, PicturesAreCentredWithIntegerHalving) {
  // A wide picture in a tall frame: equal bands above and below.
  EXPECT_EQ(dds::previewPaintRect({0, 0, 100, 200}, 200, 100), (ui::Rect{0, 75, 100, 50}));
  // A tall picture in a wide frame: centred across.
  EXPECT_EQ(dds::previewPaintRect({0, 0, 200, 100}, 100, 100), (ui::Rect{50, 0, 100, 100}));
  // An odd difference leaves the extra pixel inside the rectangle.
  EXPECT_EQ(dds::previewPaintRect({10, 20, 101, 50}, 10, 10), (ui::Rect{35, 20, 51, 50}));
  EXPECT_EQ(dds::previewPaintRect({0, 0, 50, 101}, 10, 2), (ui::Rect{0, 45, 50, 11}));
  // Same proportions: the whole frame.
  EXPECT_EQ(dds::previewPaintRect({0, 0, 200, 100}, 4, 2), (ui::Rect{0, 0, 200, 100}));
  // Nothing to fit, or nowhere to fit it.
  EXPECT_EQ(dds::previewPaintRect({1, 2, 30, 40}, 0, 10), (ui::Rect{1, 2, 30, 40}));
  EXPECT_EQ(dds::previewPaintRect({1, 2, 0, 40}, 10, 10), (ui::Rect{1, 2, 0, 40}));
}

ui::DialogTemplate frameTemplate() {
  ui::DialogTemplate t;
  t.id = 1;
  t.cx = 200;
  t.cy = 100;
  t.controls.push_back({1, ui::ControlKind::kFrame, "", {0, 0, 100, 50}, 0});
  return t;
}

TEST(PreviewFrame, PaintsIntoItsFrameAndLetsGoWithEitherSide) {
  PreviewHost h;
  auto preview = std::make_unique<StylePreview>(h.db);
  {
    CapturedLog log;
    EXPECT_FALSE(preview->attach(nullptr));
    EXPECT_NE(log.text().find("not a window"), std::string::npos);
  }
  auto dialog = std::make_unique<ui::Dialog>(frameTemplate(), nullptr, nullptr);
  ui::Control* frame = dialog->control(1);
  ASSERT_TRUE(preview->attach(frame));
  EXPECT_TRUE(frame->hasPainter());
  EXPECT_EQ(frame->property("QrvStylePreview"), reinterpret_cast<std::intptr_t>(preview.get()));

  ui::RecordingDC dc;
  frame->paint(dc, {0, 0, 300, 100});
  ASSERT_FALSE(dc.calls().empty());
  EXPECT_EQ(dc.calls()[0].kind, ui::DcCall::kFillRect);
  EXPECT_EQ(dc.calls()[0].rect, (ui::Rect{0, 0, 300, 100}));
  EXPECT_EQ(dc.calls()[0].color, dc.windowColor());
  // Everything drawn, text as this context measures it included, keeps a
  // margin from the frame's edge; the wide picture is centred across.
  ui::RecordingDC measure;
  int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;
  auto add = [&](ui::Point p) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x), minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  };
  for (const ui::DcCall& call : dc.calls()) {
    if (call.kind == ui::DcCall::kFontHeight) measure.setFontHeight(call.value);
    if (call.kind == ui::DcCall::kPolyline)
      for (const ui::Point& p : call.points) add(p);
    if (call.kind == ui::DcCall::kText) {
      const ui::Point extent = measure.textExtent(call.text);
      add(call.at);
      add({call.at.x + extent.x, call.at.y + extent.y});
    }
  }
  EXPECT_GE(minY, 5);
  EXPECT_LE(maxY, 95);
  EXPECT_GE(minX, 5);
  EXPECT_LE(maxX, 295);
  EXPECT_NEAR(minX, 300 - maxX, 2);
  EXPECT_FALSE(dc.texts().empty());

  // Painting again replays the same picture; showing drops it and asks
  // the frame to paint again.
  const HostPicturePtr first = preview->picture();
  frame->paint(dc, {0, 0, 300, 100});
  EXPECT_EQ(preview->picture(), first);
  const auto revision = frame->revision();
  preview->showStyle(dds::kPreviewRadius, h.style("Standard").get());
  EXPECT_FALSE(preview->hasPicture());
  EXPECT_GT(frame->revision(), revision);

  // The frame goes first: the preview forgets it.
  dialog.reset();
  EXPECT_EQ(preview->frame(), nullptr);
  // The preview goes first: the frame paints nothing of it any more.
  dialog = std::make_unique<ui::Dialog>(frameTemplate(), nullptr, nullptr);
  frame = dialog->control(1);
  ASSERT_TRUE(preview->attach(frame));
  preview.reset();
  EXPECT_FALSE(frame->hasPainter());
  EXPECT_EQ(frame->property("QrvStylePreview"), 0);
}

}  // namespace
