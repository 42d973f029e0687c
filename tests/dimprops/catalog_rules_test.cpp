// The rules of the palette rows that are more than a copy of one variable,
// one test per family, checked through the palette as a user sets them.
#include "OdDbTextStyleTableRecord.h"
#include "palette_test_support.h"
#include "property_manager.h"

namespace {

struct CatalogRules : PaletteHost {
  OdDbObjectId dim;
  std::unique_ptr<PaletteModel> palette;

  void SetUp() override {
    PaletteHost::SetUp();
    dim = addDim<OdDbRotatedDimension>(2.5);
    palette = std::make_unique<PaletteModel>(*doc);
    palette->setSelection({dim});
  }
  void TearDown() override {
    palette.reset();
    PaletteHost::TearDown();
  }
  OdDbRotatedDimensionPtr entity() { return open<OdDbRotatedDimension>(dim); }
  std::string text(const char* row) { return rowText(*palette, row); }
  bool put(const char* row, const char* value) { return set(*palette, row, value); }
  bool readOnly(const char* row) {
    const PaletteModel::Row* r = palette->findRow(row);
    EXPECT_NE(r, nullptr) << row;
    return r && palette->isReadOnly(*r);
  }
};

}  // namespace

TEST_F(CatalogRules, ZeroSuppressionSwitchesTouchOnlyTheirBits) {
  {
    auto e = entity();
    e->upgradeOpen();
    e->setDimzin(3 | 4);  // zero feet only, and leading zeros
    e->setDimlunit(4);
  }
  EXPECT_EQ(text("Primary units.Suppress zero feet"), "Yes");
  EXPECT_EQ(text("Primary units.Suppress zero inches"), "No");
  ASSERT_TRUE(put("Primary units.Suppress zero inches", "Yes"));
  EXPECT_EQ(entity()->dimzin(), 0 | 4);
  ASSERT_TRUE(put("Primary units.Suppress zero feet", "No"));
  EXPECT_EQ(entity()->dimzin(), 2 | 4);
  // Leading and trailing zeros are bits 4 and 8; feet and inches units make
  // them read-only, and the feet and inches rows editable.
  EXPECT_TRUE(readOnly("Primary units.Suppress leading zeros"));
  EXPECT_FALSE(readOnly("Primary units.Suppress zero feet"));
  ASSERT_TRUE(put("Primary units.Dim units", "Decimal"));
  EXPECT_EQ(entity()->dimlunit(), 2);
  EXPECT_FALSE(readOnly("Primary units.Suppress leading zeros"));
  EXPECT_TRUE(readOnly("Primary units.Suppress zero feet"));
  ASSERT_TRUE(put("Primary units.Suppress trailing zeros", "Yes"));
  EXPECT_EQ(entity()->dimzin(), 2 | 4 | 8);
}

TEST_F(CatalogRules, PrefixAndSuffixSplitAndJoinAtTheMarker) {
  {
    auto e = entity();
    e->upgradeOpen();
    e->setDimpost("<>mm");
  }
  EXPECT_EQ(text("Primary units.Dim prefix"), "");
  EXPECT_EQ(text("Primary units.Dim suffix"), "mm");
  ASSERT_TRUE(put("Primary units.Dim prefix", "~"));
  EXPECT_EQ(entity()->dimpost(), "~<>mm");
  ASSERT_TRUE(put("Primary units.Dim prefix", ""));
  EXPECT_EQ(entity()->dimpost(), "mm");
  ASSERT_TRUE(put("Primary units.Dim suffix", ""));
  EXPECT_EQ(entity()->dimpost(), "");
}

TEST_F(CatalogRules, ToleranceDisplayLivesInFiveVariables) {
  {
    auto e = entity();
    e->upgradeOpen();
    e->setDimtp(0.1);
    e->setDimtm(0.1);
    e->setDimgap(0.625);
  }
  EXPECT_EQ(text("Tolerances.Tolerance display"), "None");
  EXPECT_TRUE(readOnly("Tolerances.Tolerance limit upper"));
  ASSERT_TRUE(put("Tolerances.Tolerance display", "Deviation"));
  EXPECT_EQ(entity()->dimtp(), 0.1);
  EXPECT_DOUBLE_EQ(entity()->dimtm(), 0.1 + 1e-9);
  EXPECT_EQ(text("Tolerances.Tolerance display"), "Deviation");
  EXPECT_FALSE(readOnly("Tolerances.Tolerance limit upper"));
  ASSERT_TRUE(put("Tolerances.Tolerance display", "Basic"));
  EXPECT_EQ(entity()->dimgap(), -0.625);
  ASSERT_TRUE(put("Tolerances.Tolerance display", "None"));
  EXPECT_EQ(entity()->dimgap(), 0.625);
  ASSERT_TRUE(put("Tolerances.Tolerance display", "Symmetrical"));
  EXPECT_EQ(entity()->dimtm(), entity()->dimtp());
  EXPECT_TRUE(readOnly("Tolerances.Tolerance limit lower"));  // symmetrical: one limit
  OdString message;
  EXPECT_FALSE(set(*palette, "Tolerances.Tolerance display", "Sometimes", &message));
  EXPECT_TRUE(entity()->dimtol());
}

TEST_F(CatalogRules, ToleranceAlignmentIsKeptInExtendedData) {
  EXPECT_EQ(text("Tolerances.Tolerance alignment"), "Operational symbols");
  ASSERT_TRUE(put("Tolerances.Tolerance display", "Limits"));
  ASSERT_TRUE(put("Tolerances.Tolerance alignment", "Decimal separators"));
  OdResBufPtr x = entity()->xData("ACAD_DSTYLE_DIMTALN");
  ASSERT_TRUE(x);
  ASSERT_TRUE(x->next() && x->next()->next());
  EXPECT_EQ(x->next()->getInt32(), 392);
  EXPECT_EQ(x->next()->next()->getInt32(), 1);
  EXPECT_TRUE(db->isRegAppRegistered("ACAD_DSTYLE_DIMTALN"));
  EXPECT_EQ(text("Tolerances.Tolerance alignment"), "Decimal separators");
}

TEST_F(CatalogRules, ChoicesStoreNumbersAndEmptyForNumbersOutsideTheList) {
  ASSERT_TRUE(put("Primary units.Dim units", "Architectural"));
  EXPECT_EQ(entity()->dimlunit(), 4);
  // The precision list follows the unit format the row was first read with.
  PaletteModel fresh(*doc);
  fresh.setSelection({dim});
  const std::vector<OdString> items = fresh.itemTexts(*fresh.findRow("Primary units.Precision"));
  EXPECT_EQ(items[2], "0'-0 1/4\"");
  ASSERT_TRUE(put("Alternate Units.Alt enabled", "Yes"));
  ASSERT_TRUE(put("Alternate Units.Alt format", "Fractional (Stacked)"));
  EXPECT_EQ(entity()->dimaltu(), 5);
  {
    auto e = entity();
    e->upgradeOpen();
    e->setDimlunit(9);
  }
  palette->refreshProperties(false);
  EXPECT_EQ(text("Primary units.Dim units"), "");
}

TEST_F(CatalogRules, MeasurementIsSeenButNeverChanged) {
  {
    auto e = entity();
    e->upgradeOpen();
    e->setXLine2Point({10, 0});
  }
  palette->refreshProperties(false);
  EXPECT_EQ(text("Text.Measurement"), "10");
  EXPECT_TRUE(readOnly("Text.Measurement"));
  EXPECT_FALSE(put("Text.Measurement", "12"));
  EXPECT_TRUE(readOnly("General.Associative"));
  EXPECT_EQ(text("Text.Text pos hor"), "Centered");
  ASSERT_TRUE(put("Text.Text position", "5, 8"));
  EXPECT_TRUE(readOnly("Text.Text pos hor"));  // a moved text places itself
}

TEST_F(CatalogRules, TextHeightIsReadOnlyUnderAFixedHeightStyle) {
  EXPECT_FALSE(readOnly("Text.Text height"));
  OdDbObjectPtr obj = db->getTextStyleStandardId().openObject(OdDb::kForWrite);
  dynamic_cast<OdDbTextStyleTableRecord*>(obj.get())->setTextSize(3.5);
  obj.release();
  EXPECT_TRUE(readOnly("Text.Text height"));
}

TEST_F(CatalogRules, TheWholeCatalogueIsRegisteredOnce) {
  HostPropertyManager* manager = nullptr;
  ASSERT_TRUE(doc->getPropManager(&manager));
  EXPECT_EQ(manager->factories().size(), 292u);
  // Every palette name has Russian words of its own.
  setHostLanguage(HostLanguage::kRussian);
  for (IOdPropertyFactory* f : manager->factories())
    EXPECT_NE(Supp_Translate(f->paletteName()), f->paletteName()) << f->paletteName();
}
