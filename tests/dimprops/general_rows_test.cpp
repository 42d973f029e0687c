// The host's General rows over any mix of entities, the model's description
// of a row for every front end, and the list kinds that the palette's rows
// and the style editor's lists share.
#include "OdDbEntities.h"
#include "OdDbLinetypeTableRecord.h"
#include "backend.h"
#include "dialog.h"
#include "dialog_template.h"
#include "dimprops/editor_controls.h"
#include "headless_backend.h"
#include "palette_test_support.h"

namespace {

template <class T>
OdDbObjectId addEntity(OdDbDatabase* db, const char* layer = "0") {
  OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  OdSmartPtr<T> e = T::createObject();
  e->setDatabaseDefaults(db);
  const OdDbObjectId id = ms->appendOdDbEntity(e);
  e->setLayer(OdString(layer));
  return id;
}

std::vector<std::string> rowNames(const PaletteModel& p) {
  std::vector<std::string> names;
  for (const auto& row : p.rows()) names.push_back(row.name);
  return names;
}

}  // namespace

TEST_F(PaletteHost, AMixedSelectionShowsTheGeneralRowsAndWritesThemToAllInOneStep) {
  addLayer("Locked", true);
  addLayer("Walls", false);
  const OdDbObjectId dim = addDim<OdDbRotatedDimension>(2.5);
  const OdDbObjectId leader = addDim<OdDbLeader>(1.0);
  const OdDbObjectId line = addEntity<OdDbLine>(db);
  const OdDbObjectId circle = addEntity<OdDbCircle>(db, "Locked");
  PaletteModel palette(*doc);
  palette.setSelection({dim, leader, line, circle});
  EXPECT_EQ(rowNames(palette), (std::vector<std::string>{"General.Color", "General.Layer", "General.Linetype",
                                                          "General.Linetype scale", "General.Lineweight"}));
  const PaletteModel::Row& color = palette.rows().front();
  EXPECT_EQ(color.category, "General");
  EXPECT_EQ(color.label, "Color");
  EXPECT_EQ(PaletteModel::controlKind(color), PZControlKind::kDropDown);
  EXPECT_EQ(PaletteModel::controlKind(*palette.findRow("General.Linetype scale")), PZControlKind::kEdit);
  EXPECT_EQ(rowText(palette, "General.Color"), "By Layer");
  EXPECT_EQ(rowText(palette, "General.Layer"), "*VARIES*");
  // The item that stands for the value, and its picture.
  EXPECT_EQ(palette.itemTexts(color)[std::size_t(palette.currentItem(color))], "By Layer");
  const PZItemPicture red = palette.itemPicture(color, 2);
  EXPECT_EQ(red.kind, PZItemPicture::Kind::kColor);
  EXPECT_EQ(red.color.colorIndex(), 1);

  OdString message;
  ASSERT_TRUE(set(palette, "General.Color", "red", &message));
  EXPECT_NE(message.find("1 object(s) on locked layers were not changed"), OdString::npos) << message;
  ASSERT_TRUE(set(palette, "General.Lineweight", "0.35 mm"));
  ASSERT_TRUE(set(palette, "General.Layer", "walls"));
  EXPECT_FALSE(set(palette, "General.Linetype scale", "0", &message));
  EXPECT_EQ(message, "The linetype scale must be greater than 0.");
  EXPECT_FALSE(set(palette, "General.Layer", "Roof", &message));
  EXPECT_EQ(message, "\"Roof\" is not a layer of this drawing");
  for (OdDbObjectId id : {dim, leader, line}) {
    OdDbObjectPtr e = id.openObject();
    EXPECT_EQ(dynamic_cast<OdDbEntity*>(e.get())->colorIndex(), 1);
    EXPECT_EQ(dynamic_cast<OdDbEntity*>(e.get())->lineWeight(), OdDb::LineWeight(35));
    EXPECT_EQ(dynamic_cast<OdDbEntity*>(e.get())->layer(), "Walls");
  }
  EXPECT_TRUE(open<OdDbCircle>(circle)->color().isByLayer());
  EXPECT_EQ(rowText(palette, "General.Lineweight"), "*VARIES*");  // the circle kept its own

  // Each write is one step, across every class of the selection.
  EXPECT_EQ(db->undoName(), "OPM_CHGPROP");
  db->undo();
  db->undo();
  EXPECT_EQ(open<OdDbLine>(line)->lineWeight(), OdDb::kLnWtByLayer);
  EXPECT_EQ(open<OdDbLine>(line)->colorIndex(), 1);
  db->undo();
  EXPECT_TRUE(open<OdDbLine>(line)->color().isByLayer());
  EXPECT_TRUE(open<OdDbLeader>(leader)->color().isByLayer());
  EXPECT_TRUE(open<OdDbRotatedDimension>(dim)->color().isByLayer());

  // Dimensions and leaders alone: their own rows join the General ones,
  // a dimension's own General rows after the host's.
  palette.setSelection({dim, leader});
  EXPECT_EQ(rowNames(palette)[5], "Misc.Dim style");
  EXPECT_NE(palette.findRow("Lines & Arrows.Arrow size"), nullptr);
  palette.setSelection({dim});
  EXPECT_EQ(rowNames(palette)[4], "General.Lineweight");
  EXPECT_EQ(rowNames(palette)[5], "General.Associative");
}

TEST_F(PaletteHost, PaletteRowsAndEditorListsShowTheSameRussianItems) {
  const OdDbObjectId dim = addDim<OdDbRotatedDimension>(2.5);
  PaletteModel palette(*doc);
  palette.setSelection({dim});
  setHostLanguage(HostLanguage::kRussian);
  const PaletteModel::Row* color = palette.findRow("Lines & Arrows.Dim line color");
  ASSERT_NE(color, nullptr);
  EXPECT_EQ(PaletteModel::shownCategory(*color), "Линии и стрелки");
  EXPECT_EQ(PaletteModel::shownLabel(palette.rows().front()), "Цвет");

  CColorCtl colors;
  CLineTypeCtl linetypes(db);
  CLineWeightCtl weights(db->getLWUNITS());
  CArrowCtl arrows(db);
  auto items = [](const ui::Control* c) {
    std::vector<OdString> texts;
    for (int i = 0; i < c->itemCount(); ++i) texts.push_back(c->itemText(i));
    return texts;
  };
  ui::setBackend(nullptr);
  ui::DialogTemplate t;
  t.id = 1;
  t.cx = t.cy = 100;
  for (int id = 10; id < 14; ++id)
    t.controls.push_back({id, ui::ControlKind::kDropDown, "", {4, 4 + 14 * (id - 10), 90, 12}, ui::kStyleOwnerDrawFixed});
  struct Silent : ui::DialogHandler {
    std::intptr_t onMessage(ui::Dialog&, const ui::Message&) override { return 0; }
  } handler;
  ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
    ASSERT_TRUE(colors.attach(d, 10) && linetypes.attach(d, 11) && weights.attach(d, 12) && arrows.attach(d, 13));
    EXPECT_EQ(items(d.control(10)), palette.itemTexts(*color));
    EXPECT_EQ(items(d.control(10)), palette.itemTexts(*palette.findRow("General.Color")));
    EXPECT_EQ(items(d.control(11)), palette.itemTexts(*palette.findRow("Lines & Arrows.Dim line linetype")));
    EXPECT_EQ(items(d.control(12)), palette.itemTexts(*palette.findRow("General.Lineweight")));
    EXPECT_EQ(items(d.control(13)), palette.itemTexts(*palette.findRow("Lines & Arrows.Arrow 1")));
    EXPECT_EQ(items(d.control(10)).back(), "Другие цвета...");
    d.end(ui::kIdOk);
  });
  ui::runModalDialog(t, handler, nullptr, nullptr);

  // A picker entry is taken in English too, and asks once for a row over
  // several classes.
  const OdDbObjectId leader = addDim<OdDbLeader>(1.0);
  palette.setSelection({dim, leader});
  int asked = 0;
  HostPickers pickers;
  pickers.color = [&](HostWindowHandle, OdCmColor& c, bool, int) {
    ++asked;
    c = OdCmColor::fromRGB(1, 2, 3);
    return true;
  };
  hostSetPickers(pickers);
  EXPECT_TRUE(set(palette, "General.Color", "More Colors..."));
  EXPECT_TRUE(set(palette, "Lines & Arrows.Dim line color", "More Colors..."));
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(open<OdDbLeader>(leader)->color(), OdCmColor::fromRGB(1, 2, 3));
  EXPECT_EQ(open<OdDbLeader>(leader)->dimclrd(), OdCmColor::fromRGB(1, 2, 3));
  EXPECT_EQ(open<OdDbRotatedDimension>(dim)->dimclrd(), OdCmColor::fromRGB(1, 2, 3));
  hostSetPickers({});
  hostClearCustomColors();
}
