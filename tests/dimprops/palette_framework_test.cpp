// The palette's properties bound to selections: combining values, writing
// over a selection in one undo step, the rows a mixed selection shows, and
// the registration shared by all documents.
#include <set>

#include "dimprops/dim_accessors.h"
#include "editor_reactor.h"
#include "palette_test_support.h"
#include "property_manager.h"
#include "sysvars.h"

namespace {

struct CommandLog : HostEditorReactor {
  std::vector<std::string> events;
  void commandWillStart(const OdString& n) override { events.push_back("start " + n); }
  void commandEnded(const OdString& n) override { events.push_back("end " + n); }
};

}  // namespace

TEST_F(PaletteHost, CombinesOneValueVaryingValuesAndOneEntity) {
  const OdDbObjectId a = addDim<OdDbRotatedDimension>(2.5), b = addDim<OdDbRotatedDimension>(3.0);
  PaletteModel one(*doc);
  one.setSelection({a});
  EXPECT_EQ(rowText(one, "Lines & Arrows.Arrow size"), "2.5");

  PaletteModel both(*doc);
  both.setSelection({a, b});
  EXPECT_EQ(rowText(both, "Lines & Arrows.Arrow size"), "*VARIES*");
  ASSERT_TRUE(set(both, "Lines & Arrows.Arrow size", "3"));
  EXPECT_EQ(rowText(both, "Lines & Arrows.Arrow size"), "3");
  EXPECT_EQ(open<OdDbRotatedDimension>(a)->dimasz(), 3.0);
  // The other palette reads again once told the drawing changed.
  one.refreshProperties(false);
  EXPECT_EQ(rowText(one, "Lines & Arrows.Arrow size"), "3");
}

TEST_F(PaletteHost, WritesOverAMixedSelectionInOneUndoStepSkippingLockedLayers) {
  addLayer("Frozen in time", true);
  const OdDbObjectId open1 = addDim<OdDbRotatedDimension>(2.5);
  const OdDbObjectId lockedDim = addDim<OdDbAlignedDimension>(2.5, "Frozen in time");
  const OdDbObjectId leader = addDim<OdDbLeader>(1.0);
  PaletteModel palette(*doc);
  palette.setSelection({open1, lockedDim, leader});

  OdString message;
  ASSERT_TRUE(set(palette, "Lines & Arrows.Arrow size", "4", &message));
  EXPECT_EQ(open<OdDbRotatedDimension>(open1)->dimasz(), 4.0);
  EXPECT_EQ(open<OdDbLeader>(leader)->dimasz(), 4.0);
  EXPECT_EQ(open<OdDbAlignedDimension>(lockedDim)->dimasz(), 2.5);
  EXPECT_NE(message.find("1 object(s) on locked layers were not changed"), OdString::npos) << message;
  EXPECT_EQ(rowText(palette, "Lines & Arrows.Arrow size"), "*VARIES*");

  // One undo brings every entity back, the leader included.
  EXPECT_EQ(db->undoName(), "OPM_CHGPROP");
  db->undo();
  EXPECT_EQ(open<OdDbRotatedDimension>(open1)->dimasz(), 2.5);
  EXPECT_EQ(open<OdDbLeader>(leader)->dimasz(), 1.0);
}

TEST_F(PaletteHost, ARefusedTextChangesNothingAndSaysWhy) {
  const OdDbObjectId a = addDim<OdDbRotatedDimension>(2.5);
  PaletteModel palette(*doc);
  palette.setSelection({a});
  const bool hadUndo = db->hasUndo();
  OdString message;
  EXPECT_FALSE(set(palette, "Lines & Arrows.Arrow size", "abc", &message));
  EXPECT_EQ(message, "Invalid expression: abc");
  EXPECT_FALSE(set(palette, "Lines & Arrows.Dim line linetype", "NoSuchType", &message));
  EXPECT_NE(message.find("NoSuchType"), OdString::npos);
  EXPECT_FALSE(set(palette, "General.Associative", "Yes", &message));  // always read-only
  EXPECT_FALSE(set(palette, "Lines & Arrows.Arrow size", "-1", &message));  // outside the variable's range
  EXPECT_FALSE(message.empty());
  EXPECT_EQ(open<OdDbRotatedDimension>(a)->dimasz(), 2.5);
  EXPECT_EQ(db->hasUndo(), hadUndo);
  // The evaluator takes what the number reader does not.
  EXPECT_TRUE(set(palette, "Lines & Arrows.Arrow size", "2*(1+0.5)"));
  EXPECT_EQ(open<OdDbRotatedDimension>(a)->dimasz(), 3.0);
}

TEST_F(PaletteHost, ShowsTheRowsEveryClassCarriesAndFiltersByClass) {
  const OdDbObjectId rotated = addDim<OdDbRotatedDimension>(2.5);
  const OdDbObjectId leader = addDim<OdDbLeader>(2.5);
  PaletteModel palette(*doc);
  palette.setSelection({rotated, leader, rotated});  // picked twice counts once
  EXPECT_EQ(palette.selection().size(), 2u);
  EXPECT_NE(palette.findRow("Lines & Arrows.Arrow size"), nullptr);
  EXPECT_NE(palette.findRow("Misc.Dim style"), nullptr);
  EXPECT_EQ(palette.findRow("Lines & Arrows.Arrow 1"), nullptr);  // dimensions only
  EXPECT_EQ(palette.findRow("Misc.Type"), nullptr);               // leaders only
  ASSERT_EQ(palette.filterEntries(), (std::vector<OdString>{"All (2)", "Rotated Dimension (1)", "Leader (1)"}));

  ASSERT_TRUE(palette.setFilter("Leader"));
  EXPECT_EQ(palette.currentFilterEntry(), "Leader (1)");
  EXPECT_EQ(rowText(palette, "Misc.Type"), "Line with arrow");
  EXPECT_EQ(palette.findRow("Lines & Arrows.Arrow 1"), nullptr);
  ASSERT_TRUE(set(palette, "Misc.Type", "Spline with no arrow"));
  EXPECT_TRUE(open<OdDbLeader>(leader)->isSplined());
  EXPECT_FALSE(open<OdDbLeader>(leader)->hasArrowHead());
  EXPECT_FALSE(palette.setFilter("Circle"));

  // Categories keep the catalogue's order: General before Misc before Lines & Arrows.
  ASSERT_TRUE(palette.setFilter("rotated dimension (1)"));
  std::vector<std::string> categories;
  for (const auto& row : palette.rows()) {
    const std::string cat = row.name.substr(0, row.name.find('.'));
    if (categories.empty() || categories.back() != cat) categories.push_back(cat);
  }
  EXPECT_EQ(categories[0], "General");
  EXPECT_EQ(categories[1], "Misc");
  EXPECT_EQ(categories[2], "Lines & Arrows");
  EXPECT_EQ(std::set<std::string>(categories.begin(), categories.end()).size(), categories.size());

  // An ordinate dimension carries only the rows of every dimension.
  PaletteModel ordinate(*doc);
  ordinate.setSelection({addDim<OdDbOrdinateDimension>(1.0)});
  EXPECT_NE(ordinate.findRow("Lines & Arrows.Arrow size"), nullptr);
  EXPECT_EQ(ordinate.findRow("Lines & Arrows.Arrow 1"), nullptr);
  EXPECT_EQ(ordinate.findRow("Lines & Arrows.Ext line 1"), nullptr);
}

TEST_F(PaletteHost, PrototypesAreMadeOnceAndSharedByEveryDocument) {
  HostPropertyManager* first = nullptr;
  ASSERT_TRUE(doc->getPropManager(&first));
  const std::vector<IOdPropertyFactory*> prototypes = first->factories();
  ASSERT_FALSE(prototypes.empty());
  HostApDocument* second = services->documents().addDocument(std::make_unique<OdDbDatabase>(), "", "b.dxf");
  HostPropertyManager* other = nullptr;
  ASSERT_TRUE(second->getPropManager(&other));
  EXPECT_EQ(other->factories(), prototypes);
  services->documents().closeDocument(second);
  EXPECT_EQ(dds::documentReactor().prototypes(), prototypes);
  EXPECT_EQ(first->factories(), prototypes);
}

TEST_F(PaletteHost, AnIdleChangeIsItsOwnCommandAndAChangeInACommandBelongsToIt) {
  const OdDbObjectId a = addDim<OdDbRotatedDimension>(2.5);
  CommandLog log;
  hostAddEditorReactor(&log);
  PaletteModel palette(*doc);
  palette.setSelection({a});

  ASSERT_TRUE(set(palette, "Lines & Arrows.Arrow size", "3"));
  EXPECT_EQ(log.events, (std::vector<std::string>{"start OPM_CHGPROP", "end OPM_CHGPROP"}));
  EXPECT_EQ(doc->lockMode(), kHostLockNone);  // the palette's lock is released
  EXPECT_EQ(doc->paletteChangeDepth(), 0);

  // Inside a running command: no lock of its own, the same notifications.
  services->sysVars().setCommandActive(1);
  db->beginUndoGroup("SOMECOMMAND");
  log.events.clear();
  ASSERT_TRUE(set(palette, "Lines & Arrows.Arrow size", "4"));
  db->endUndoGroup();
  services->sysVars().setCommandActive(0);
  EXPECT_EQ(log.events, (std::vector<std::string>{"start OPM_CHGPROP", "end OPM_CHGPROP"}));
  EXPECT_EQ(db->undoName(), "SOMECOMMAND");
  hostRemoveEditorReactor(&log);
}

TEST_F(PaletteHost, InReferenceEditingOnlyTheWorkingSetChanges) {
  const OdDbObjectId inside = addDim<OdDbRotatedDimension>(2.5), outside = addDim<OdDbRotatedDimension>(2.5);
  services->documents().beginRefEdit(doc, {inside});
  PaletteModel palette(*doc);
  palette.setSelection({inside, outside});
  OdString message;
  ASSERT_TRUE(set(palette, "Lines & Arrows.Arrow size", "5", &message));
  services->documents().endRefEdit();
  EXPECT_EQ(open<OdDbRotatedDimension>(inside)->dimasz(), 5.0);
  EXPECT_EQ(open<OdDbRotatedDimension>(outside)->dimasz(), 2.5);
  EXPECT_NE(message.find("outside the reference"), OdString::npos);
}

TEST_F(PaletteHost, TheDrawingItselfShowsAndSetsTheCurrentStyle) {
  OdDbSymbolTablePtr styles = db->getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
  OdDbDimStyleTableRecordPtr wide = OdDbDimStyleTableRecord::createObject();
  wide->setName("Wide");
  styles->add(wide);
  styles.release();
  PaletteModel palette(*doc);
  palette.setSelection({});
  ASSERT_EQ(palette.rows().size(), 1u);
  EXPECT_EQ(rowText(palette, "Styles.Dimension style"), "Standard");
  EXPECT_EQ(palette.itemTexts(palette.rows()[0]), (std::vector<OdString>{"Standard", "Wide"}));
  ASSERT_TRUE(set(palette, "Styles.Dimension style", "wide"));
  EXPECT_EQ(dimacc::recordName(db->getDimstyle()), "Wide");
}

TEST_F(PaletteHost, EveryRowRefusesWhatItsVariableCannotHoldAndSaysWhy) {
  const OdDbObjectId a = addDim<OdDbRotatedDimension>(2.5);
  PaletteModel palette(*doc);
  palette.setSelection({a});
  ASSERT_TRUE(set(palette, "Lines & Arrows.Ext line fixed", "On"));
  const auto before = open<OdDbRotatedDimension>(a);
  const double txt = before->dimtxt(), fxl = before->dimfxl();
  const int dsep = before->dimdsep();
  OdString message;
  for (const auto& [row, text] : std::vector<std::pair<const char*, const char*>>{
           {"Text.Text height", "-1"},
           {"Lines & Arrows.Ext line fixed length", "-1"},
           {"Primary units.Decimal separator", "й"},
           {"Primary units.Decimal separator", "\x7f"}}) {
    EXPECT_FALSE(set(palette, row, text, &message)) << row << " took " << text;
    EXPECT_FALSE(message.empty()) << row;
  }
  const auto after = open<OdDbRotatedDimension>(a);
  EXPECT_EQ(after->dimtxt(), txt);
  EXPECT_EQ(after->dimfxl(), fxl);
  EXPECT_EQ(after->dimdsep(), dsep);
  EXPECT_TRUE(set(palette, "Primary units.Decimal separator", "~"));

  // The jog angle is in radians: 30 is refused with the entity's own range.
  PaletteModel jog(*doc);
  const OdDbObjectId j = addDim<QrHugeRadius>(2.5);
  jog.setSelection({j});
  const double angle = open<QrHugeRadius>(j)->jogAngle();
  EXPECT_FALSE(set(jog, "Lines & Arrows.Large rad dim jog angle", "30", &message));
  EXPECT_NE(message.find("between 5 and 90 degrees"), OdString::npos) << message;
  EXPECT_EQ(message.find("Not every"), OdString::npos) << message;
  EXPECT_EQ(open<QrHugeRadius>(j)->jogAngle(), angle);
  EXPECT_TRUE(set(jog, "Lines & Arrows.Large rad dim jog angle", "0.5"));
}

TEST_F(PaletteHost, APrecisionListFollowsTheUnitsOfEverySelectedObject) {
  const OdDbObjectId a = addDim<OdDbRotatedDimension>(2.5), b = addDim<OdDbRotatedDimension>(2.5);
  const OdDbObjectId aligned = addDim<OdDbAlignedDimension>(2.5);
  PaletteModel palette(*doc);
  palette.setSelection({a});
  auto precisionItems = [&](PaletteModel& p) { return p.itemTexts(*p.findRow("Primary units.Precision")); };
  const std::vector<OdString> decimal = precisionItems(palette);
  ASSERT_EQ(decimal.size(), 9u);

  // The list is read again after "Dim units" changes in the same palette,
  // and a pick by what it shows stores that precision.
  ASSERT_TRUE(set(palette, "Primary units.Dim units", "Architectural"));
  const std::vector<OdString> architectural = precisionItems(palette);
  ASSERT_EQ(architectural.size(), 9u);
  EXPECT_NE(architectural, decimal);
  ASSERT_TRUE(set(palette, "Primary units.Precision", architectural[3].c_str()));
  EXPECT_EQ(open<OdDbRotatedDimension>(a)->dimdec(), 3);
  EXPECT_EQ(rowText(palette, "Primary units.Precision"), architectural[3]);

  // Mixed formats, whichever was picked first: the list of no format in
  // particular, written to both by position.
  for (const OdDbObjectIdArray& order : {OdDbObjectIdArray{a, b}, OdDbObjectIdArray{b, a}}) {
    PaletteModel mixed(*doc);
    mixed.setSelection(order);
    EXPECT_EQ(precisionItems(mixed), decimal);
    ASSERT_TRUE(set(mixed, "Primary units.Precision", decimal[5].c_str()));
    EXPECT_EQ(open<OdDbRotatedDimension>(a)->dimdec(), 5);
    EXPECT_EQ(open<OdDbRotatedDimension>(b)->dimdec(), 5);
  }

  // A row over two classes takes an item of either class's list.
  PaletteModel classes(*doc);
  classes.setSelection({a, aligned});
  ASSERT_TRUE(set(classes, "Primary units.Precision", architectural[2].c_str()));
  EXPECT_EQ(open<OdDbRotatedDimension>(a)->dimdec(), 2);
  EXPECT_EQ(open<OdDbAlignedDimension>(aligned)->dimdec(), 2);
}
