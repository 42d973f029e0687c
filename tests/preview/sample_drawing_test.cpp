// The preview's sample drawing and what it copies from the user's drawing.
#include <cmath>
#include <numbers>

#include "OdDbBlockTableRecord.h"
#include "OdDmUtil.h"
#include "preview_test_support.h"

namespace {

using dds::StylePreview;

TEST(PreviewSampleDrawing, EntitiesInCreationOrderWithTheirDefinitions) {
  PreviewHost h(OdDb::kMetric);
  StylePreview preview(h.db);
  OdDbDatabase* sample = preview.sampleDatabase();
  ASSERT_NE(sample, nullptr);
  EXPECT_NE(sample, h.db);
  EXPECT_TRUE(sample->isUndoRecordingBlocked());

  std::vector<std::string> classes;
  OdDbBlockTableRecordPtr ms = sample->getModelSpaceId().safeOpenObject();
  for (auto it = ms->newIterator(); !it->done(); it->step()) classes.push_back(it->entity()->isA()->name());
  EXPECT_EQ(classes, (std::vector<std::string>{"OdDbPolyline", "OdDbCircle", "OdDbRotatedDimension",
                                               "OdDbRotatedDimension", "OdDbRotatedDimension", "OdDbMText",
                                               "OdDbLeader", "OdDbRadialDimension", "OdDbDiametricDimension",
                                               "OdDb3PointAngularDimension", "OdDbOrdinateDimension",
                                               "OdDbOrdinateDimension"}));

  const dds::SampleEntities& s = preview.sampleEntities();
  ASSERT_TRUE(s.complete());
  EXPECT_TRUE(s.outline->isClosed());
  ASSERT_EQ(s.outline->numVerts(), 7u);
  EXPECT_EQ(s.outline->vertexAt(6).bulge, 0.48816666666666664);
  for (unsigned i = 0; i < 6; ++i) EXPECT_EQ(s.outline->vertexAt(i).bulge, 0.0);
  EXPECT_EQ(s.outline->colorIndex(), 43);
  EXPECT_EQ(s.hole->colorIndex(), 43);
  EXPECT_EQ(s.hole->radius(), 6.0);
  EXPECT_EQ(s.linear[1]->rotation(), std::numbers::pi / 2);
  EXPECT_EQ(s.linear[2]->rotation(), -1.0472);

  // The leader points at the hole's edge and its note stands next to its
  // other end, level with it, outside the plate.
  ASSERT_EQ(s.leader->numVertices(), 2);
  const OdGePoint3d c = dds::kSampleHoleCentre;
  EXPECT_NEAR(s.leader->vertexAt(0).distanceTo(c), 6.0, 1e-12);
  const OdGePoint3d end = s.leader->vertexAt(1);
  EXPECT_GT(end.y, 24.7083);  // above the plate's top edge
  EXPECT_NEAR(s.leaderText->location().y, end.y, 1e-12);
  EXPECT_GT(s.leaderText->location().x, end.x);
  EXPECT_LT(s.leaderText->location().x - end.x, 1.0);
  EXPECT_EQ(s.leaderText->attachment(), 4);  // middle left
  // A taller note stands farther out along the leader, clear of the
  // dimension text above the plate, which grows with it.
  const OdGePoint3d tall = dds::sampleLeaderTextLocation(1.0, 7.0);
  EXPECT_GT(tall.x - s.leaderText->location().x, 7.0);
  EXPECT_GT(tall.y - s.leaderText->location().y, 7.0);
  EXPECT_EQ(s.leaderText->contents(), "Leader");
  EXPECT_EQ(s.leader->annotationObjId(), s.leaderText->objectId());
}

TEST(PreviewSampleDrawing, FollowsTheMeasurementSystemOfTheDrawing) {
  for (OdDb::MeasurementValue m : {OdDb::kEnglish, OdDb::kMetric}) {
    PreviewHost h(m);
    StylePreview preview(h.db);
    ASSERT_NE(preview.sampleDatabase(), nullptr);
    EXPECT_EQ(preview.sampleDatabase()->getMEASUREMENT(), m);
    EXPECT_EQ(preview.sampleDatabase()->dimtxt(), m == OdDb::kMetric ? 2.5 : 0.18);
    // The plate keeps its proportion to the default text height of either
    // system: an imperial plate is 0.18 / 2.5 of the metric one.
    const dds::SampleEntities& s = preview.sampleEntities();
    const double unit = m == OdDb::kMetric ? 1.0 : 0.072;
    EXPECT_DOUBLE_EQ(s.hole->radius(), 6.0 * unit);
    EXPECT_DOUBLE_EQ(s.outline->vertexAt(1).x, 41.6007 * unit);
    EXPECT_DOUBLE_EQ(s.linear[0]->dimLinePoint().y, 34.0278 * unit);
    EXPECT_DOUBLE_EQ(s.ordinate[1]->leaderEndPoint().y, 35.7118 * unit);
    EXPECT_NEAR(s.hole->radius() / preview.sampleDatabase()->dimtxt(), 2.4, 1e-9);
  }
}

TEST(PreviewSampleDrawing, ChildTypesChooseTheirKind) {
  EXPECT_EQ(dds::previewKindOfChildDigit(-1), dds::kPreviewAll);
  EXPECT_EQ(dds::previewKindOfChildDigit(0), dds::kPreviewLinear);
  EXPECT_EQ(dds::previewKindOfChildDigit(3), dds::kPreviewDiameter);
  EXPECT_EQ(dds::previewKindOfChildDigit(4), dds::kPreviewRadius);
  EXPECT_EQ(dds::previewKindOfChildDigit(2), dds::kPreviewAngular);
  EXPECT_EQ(dds::previewKindOfChildDigit(6), dds::kPreviewOrdinate);
  EXPECT_EQ(dds::previewKindOfChildDigit(7), dds::kPreviewLeader);
  EXPECT_EQ(dds::previewKindOfChildDigit(1), -1);
  EXPECT_EQ(dds::previewKindOfChildDigit(5), -1);
}

TEST(PreviewSampleDrawing, WithoutHostServicesThereIsNoSampleAndNothingBreaks) {
  CapturedLog log;
  auto db = std::make_unique<OdDbDatabase>();
  StylePreview preview(db.get());  // no host: no application services
  EXPECT_EQ(preview.sampleDatabase(), nullptr);
  EXPECT_EQ(preview.picture(), nullptr);
  OdDbDimStyleTableRecordPtr standard = db->getDimStyleStandardId().safeOpenObject();
  preview.showStyle(0, standard.get());
  preview.showCurrentValues(0, db.get());
  ui::RecordingDC dc;
  preview.paint(dc, {0, 0, 100, 50});
  EXPECT_NE(log.text().find("no sample drawing"), std::string::npos);
}

TEST(PreviewSynchronise, CopiesStylesAndLinetypesByNameWithReferencesByName) {
  PreviewHost h;
  OdDbTextStyleTablePtr texts = h.db->getTextStyleTableId().safeOpenObject(OdDb::kForWrite);
  OdDbTextStyleTableRecordPtr narrow = OdDbTextStyleTableRecord::createObject();
  narrow->setName("Narrow");
  narrow->setFileName("romans.shx");
  narrow->setXScale(0.8);
  narrow->setTextSize(0.3);
  const OdDbObjectId narrowId = texts->add(narrow);

  OdDbLinetypeTablePtr linetypes = h.db->getLinetypeTableId().safeOpenObject(OdDb::kForWrite);
  OdDbLinetypeTableRecordPtr dashed = OdDbLinetypeTableRecord::createObject();
  dashed->setName("Dashed2");
  dashed->setComments("__ __");
  dashed->setDashes({0.5, -0.25});
  const OdDbObjectId dashedId = linetypes->add(dashed);

  // A user's own arrow block exists only in the user's drawing, until the
  // preview copies it.
  OdDbBlockTablePtr blocks = h.db->getBlockTableId().safeOpenObject(OdDb::kForWrite);
  OdDbBlockTableRecordPtr myArrow = OdDbBlockTableRecord::createObject();
  myArrow->setName("MyArrow");
  blocks->add(myArrow);

  h.addStyle("S1", 0.3);
  OdDbDimStyleTableRecordPtr s1 = h.style("S1");
  s1->setDimtxsty(narrowId);
  s1->setDimltype(dashedId);
  s1->setDimblk(OdDmUtil::getArrowId("_Open30", h.db));
  s1->setDimldrblk(OdDmUtil::getArrowId("MyArrow", h.db));

  StylePreview preview(h.db);
  OdDbDatabase* sample = preview.sampleDatabase();
  ASSERT_NE(sample, nullptr);
  OdDbTextStyleTablePtr sampleTexts = sample->getTextStyleTableId().safeOpenObject();
  OdDbTextStyleTableRecordPtr copied = sampleTexts->getAt("Narrow").safeOpenObject();
  EXPECT_EQ(copied->fileName(), "romans.shx");
  EXPECT_EQ(copied->xScale(), 0.8);
  EXPECT_EQ(copied->textSize(), 0.3);
  OdDbLinetypeTablePtr sampleTypes = sample->getLinetypeTableId().safeOpenObject();
  OdDbLinetypeTableRecordPtr copiedType = sampleTypes->getAt("Dashed2").safeOpenObject();
  EXPECT_EQ(copiedType->dashes(), (std::vector<double>{0.5, -0.25}));
  EXPECT_EQ(copiedType->comments(), "__ __");

  OdDbDimStyleTablePtr sampleStyles = sample->getDimStyleTableId().safeOpenObject();
  OdDbDimStyleTableRecordPtr copiedStyle = sampleStyles->getAt("S1").safeOpenObject();
  EXPECT_EQ(copiedStyle->dimasz(), 0.3);
  EXPECT_EQ(copiedStyle->dimtxsty(), sampleTexts->getAt("Narrow"));
  EXPECT_EQ(copiedStyle->dimltype(), sampleTypes->getAt("Dashed2"));
  EXPECT_EQ(copiedStyle->dimblk().database(), sample);
  EXPECT_EQ(OdDmUtil::arrowName(copiedStyle->dimblk()), "_Open30");
  EXPECT_EQ(copiedStyle->dimldrblk().database(), sample) << "the user's arrow block is copied to be drawn";
  EXPECT_EQ(OdDmUtil::arrowName(copiedStyle->dimldrblk()), "MyArrow");

  // A change in the drawing reaches the sample drawing on the next
  // synchronisation; records of external references stay out.
  s1->setDimasz(0.4);
  OdDbDimStyleTablePtr styles = h.db->getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
  OdDbDimStyleTableRecordPtr xref = OdDbDimStyleTableRecord::createObject();
  xref->setNameAsStored("Plan|S");
  xref->setDependent(true);
  styles->appendAsStored(h.db->addOdDbObject(xref, styles->objectId()));
  preview.synchronize(h.db);
  EXPECT_EQ(copiedStyle->dimasz(), 0.4);
  EXPECT_TRUE(sampleStyles->getAt("Plan|S").isNull());
}

}  // namespace
