// Each value kind shown as text and read back, its refusals, in both
// languages; and the accessor rules that are more than a copy of a variable.
#include "dimprops/value_kinds.h"
#include "palette_test_support.h"

using namespace dds::kinds;

TEST_F(PaletteHost, NumbersShowInTheDrawingsUnitsAndRefuseWhatIsNoNumber) {
  OdString message;
  double v = 0;
  EXPECT_TRUE(parseLength(" 1.25 ", -1, v, message));
  EXPECT_EQ(v, 1.25);
  EXPECT_FALSE(parseLength("abc", -1, v, message));
  EXPECT_EQ(message, "Invalid expression: abc");
  // Every real row takes the 32-bit range; a refusal names the bound passed.
  EXPECT_FALSE(parseReal("1e12", -2147483648.0, 2147483647.0, v, message));
  EXPECT_EQ(message, "Value must be less 2147483647");
  EXPECT_FALSE(parseReal("-1e12", -2147483648.0, 2147483647.0, v, message));
  EXPECT_EQ(message, "Value must be more -2147483648");
  EXPECT_FALSE(parseReal("5", 0, 4, v, message));
  EXPECT_EQ(message.rfind("Value must be between ", 0), 0u) << message;

  double a = 0;
  ASSERT_TRUE(parseAngle("90", a, message));
  EXPECT_NEAR(a, 1.5707963267948966, 1e-12);
  ASSERT_TRUE(parseAngle(angleText(a), a, message));
  EXPECT_NEAR(a, 1.5707963267948966, 1e-9);
  ASSERT_TRUE(parseAngle("45*2", a, message));  // the evaluator's number, in degrees
  EXPECT_NEAR(a, 1.5707963267948966, 1e-12);

  OdGePoint3d p(1, 2, 7);
  ASSERT_TRUE(parsePoint("3, 4", -1, p, message));
  EXPECT_EQ(p, OdGePoint3d(3, 4, 7));  // z stays when only x and y are typed
  EXPECT_FALSE(parsePoint("3", -1, p, message));
  ASSERT_TRUE(parsePoint(pointText(OdGePoint3d(1.5, -2, 0)), -1, p, message));
  EXPECT_EQ(p, OdGePoint3d(1.5, -2, 0));
}

TEST_F(PaletteHost, ListKindsShowTheirItemsAndReadThemInBothLanguages) {
  OdString message, name;
  EXPECT_EQ(arrowText("_OPEN90"), "Right angle");
  EXPECT_EQ(arrowText(""), "Closed filled");
  ASSERT_TRUE(parseArrow("Right angle", db, name, message));
  EXPECT_EQ(name, "_Open90");
  ASSERT_TRUE(parseArrow("open30", db, name, message));
  EXPECT_EQ(name, "_Open30");
  EXPECT_FALSE(parseArrow("*Model_Space", db, name, message));  // a layout is never an arrowhead
  EXPECT_FALSE(parseArrow("NoSuchBlock", db, name, message));

  EXPECT_EQ(colorText(OdCmColor::fromRGB(255, 0, 0)), "red");
  EXPECT_EQ(fillColorText(QrFillColor{2, OdCmColor::fromRGB(255, 0, 0)}), "255,0,0");
  EXPECT_EQ(fillColorText(QrFillColor{1, {}}), "Background");
  OdCmColor c;
  ASSERT_TRUE(parseColor("255,128,0", true, c, message));
  EXPECT_TRUE(c.isByColor());
  ASSERT_TRUE(parseColor("By Block", true, c, message));
  EXPECT_TRUE(c.isByBlock());
  EXPECT_FALSE(parseColor("By Block", false, c, message));
  EXPECT_FALSE(parseColor("256", true, c, message));

  EXPECT_EQ(lineweightText(OdDb::LineWeight(25)), "0.25");
  EXPECT_EQ(lineweightText(OdDb::kLnWtByLwDefault), "ByDefault");
  EXPECT_EQ(lineweightItemText(OdDb::LineWeight(25), 0), "0.010''");
  EXPECT_EQ(lineweightItemText(OdDb::LineWeight(25), 1), "0.25 mm");
  OdDb::LineWeight lw{};
  ASSERT_TRUE(parseLineweight("0.35 mm", lw, message));
  EXPECT_EQ(lw, OdDb::LineWeight(35));
  EXPECT_FALSE(parseLineweight("0.33", lw, message));  // not a width drawings can hold

  EXPECT_FALSE(parseLinetype("Dashed", db, name, message));
  ASSERT_TRUE(parseLinetype("continuous", db, name, message));
  EXPECT_EQ(name, "Continuous");

  bool on = false;
  EXPECT_TRUE(parseSwitch("Off", true, on) && !on);
  EXPECT_TRUE(parseSwitch("1", true, on) && on);
  EXPECT_FALSE(parseSwitch("maybe", false, on));

  setHostLanguage(HostLanguage::kRussian);
  EXPECT_EQ(arrowText("_Open90"), "Прямой угол");
  EXPECT_EQ(colorText(OdCmColor(OdCmColor::kByLayer)), "По слою");
  ASSERT_TRUE(parseArrow("Прямой угол", db, name, message));
  EXPECT_EQ(name, "_Open90");
  ASSERT_TRUE(parseArrow("Right angle", db, name, message));  // English too
  ASSERT_TRUE(parseColor("красный", true, c, message));
  EXPECT_EQ(c.colorIndex(), 1);
  EXPECT_TRUE(parseSwitch("Вкл", true, on) && on);
  EXPECT_TRUE(parseSwitch("No", false, on) && !on);
  double ignored = 0;
  EXPECT_FALSE(parseLength("abc", -1, ignored, message));
  EXPECT_EQ(message, "Недопустимое выражение: abc");
}

TEST_F(PaletteHost, ArrowRowsFollowTheSeparateArrowsSwitch) {
  const OdDbObjectId dim = addDim<OdDbRotatedDimension>(2.5);
  {
    auto d = open<OdDbRotatedDimension>(dim);
    d->upgradeOpen();
    d->setDimblk(OdDmUtil::getArrowId("_Dot", db));
  }
  PaletteModel palette(*doc);
  palette.setSelection({dim});
  EXPECT_EQ(rowText(palette, "Lines & Arrows.Arrow 1"), "Dot");
  EXPECT_EQ(rowText(palette, "Lines & Arrows.Arrow 2"), "Dot");
  // Changing the first arrow separates them; the second keeps its look.
  ASSERT_TRUE(set(palette, "Lines & Arrows.Arrow 1", "Open 30"));
  auto d = open<OdDbRotatedDimension>(dim);
  EXPECT_TRUE(d->dimsah());
  EXPECT_EQ(OdDmUtil::arrowName(d->dimblk1()), "_Open30");
  EXPECT_EQ(OdDmUtil::arrowName(d->dimblk2()), "_Dot");
  EXPECT_EQ(rowText(palette, "Lines & Arrows.Arrow 2"), "Dot");
  d.release();
  // The default arrowhead clears DIMBLK as well.
  ASSERT_TRUE(set(palette, "Lines & Arrows.Arrow 2", "Closed filled"));
  d = open<OdDbRotatedDimension>(dim);
  EXPECT_TRUE(d->dimblk().isNull());
  EXPECT_TRUE(d->dimblk2().isNull());
}

TEST_F(PaletteHost, CenterMarkKeepsItsSizeAndTheSizeRowFollowsIt) {
  const OdDbObjectId dim = addDim<OdDbRadialDimension>(2.5);
  PaletteModel palette(*doc);
  palette.setSelection({dim});
  ASSERT_TRUE(set(palette, "Lines & Arrows.Center mark", "None"));
  EXPECT_EQ(open<OdDbRadialDimension>(dim)->dimcen(), 0.0);
  const PaletteModel::Row* size = palette.findRow("Lines & Arrows.Center mark size");
  ASSERT_NE(size, nullptr);
  EXPECT_TRUE(palette.isReadOnly(*size));
  // Without a size of its own the mark takes the style's (metric: 2.5).
  ASSERT_TRUE(set(palette, "Lines & Arrows.Center mark", "Line"));
  EXPECT_EQ(open<OdDbRadialDimension>(dim)->dimcen(), -2.5);
  EXPECT_FALSE(palette.isReadOnly(*palette.findRow("Lines & Arrows.Center mark size")));
  ASSERT_TRUE(set(palette, "Lines & Arrows.Center mark size", "4"));
  EXPECT_EQ(open<OdDbRadialDimension>(dim)->dimcen(), -4.0);
  OdString message;
  EXPECT_FALSE(set(palette, "Lines & Arrows.Center mark", "Cross", &message));
  EXPECT_NE(message.find("Mark, Line, None"), OdString::npos) << message;
}

TEST_F(PaletteHost, TextRowsCheckWhatTheyStore) {
  const OdDbObjectId dim = addDim<OdDbRotatedDimension>(2.5);
  PaletteModel palette(*doc);
  palette.setSelection({dim});
  OdString message;
  EXPECT_FALSE(set(palette, "Primary units.Decimal separator", "ab", &message));
  EXPECT_EQ(message, "Decimal separator must be one character");
  EXPECT_FALSE(set(palette, "Primary units.Decimal separator", "", &message));
  ASSERT_TRUE(set(palette, "Primary units.Decimal separator", ","));
  EXPECT_EQ(open<OdDbRotatedDimension>(dim)->dimdsep(), ',');
  ASSERT_TRUE(set(palette, "Text.Text override", "<> mm"));
  EXPECT_EQ(open<OdDbRotatedDimension>(dim)->dimensionText(), "<> mm");
  ASSERT_TRUE(set(palette, "Text.Fill color", "Background"));
  EXPECT_EQ(open<OdDbRotatedDimension>(dim)->dimtfill(), 1);
  ASSERT_TRUE(set(palette, "Text.Text position", "10, 20"));
  EXPECT_FALSE(open<OdDbRotatedDimension>(dim)->isUsingDefaultTextPosition());
  EXPECT_EQ(rowText(palette, "Text.Text position"), "10, 20, 0");
}

TEST_F(PaletteHost, PickerEntriesAskTheHostAndACancelKeepsTheValue) {
  const OdDbObjectId dim = addDim<OdDbRotatedDimension>(2.5);
  PaletteModel palette(*doc);
  palette.setSelection({dim});
  bool accept = false;
  HostPickers pickers;
  pickers.color = [&](HostWindowHandle, OdCmColor& c, bool, int tabs) {
    EXPECT_EQ(tabs, 7);
    c = OdCmColor::fromRGB(10, 20, 30);
    return accept;
  };
  hostSetPickers(pickers);
  hostClearCustomColors();
  OdString message;
  EXPECT_FALSE(set(palette, "Lines & Arrows.Dim line color", "More Colors...", &message));
  EXPECT_EQ(message, "Cancelled.");
  EXPECT_TRUE(open<OdDbRotatedDimension>(dim)->dimclrd().isByBlock());
  EXPECT_TRUE(hostGetCustomColors().empty());
  accept = true;
  ASSERT_TRUE(set(palette, "Lines & Arrows.Dim line color", "More Colors..."));
  EXPECT_EQ(open<OdDbRotatedDimension>(dim)->dimclrd(), OdCmColor::fromRGB(10, 20, 30));
  // The picked colour joins the list, before "More Colors...".
  const std::vector<OdString> items = palette.itemTexts(*palette.findRow("Lines & Arrows.Dim line color"));
  EXPECT_EQ(items[items.size() - 2], "10,20,30");
  hostSetPickers({});
  hostClearCustomColors();
}
