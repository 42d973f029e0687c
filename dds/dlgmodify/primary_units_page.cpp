#include "primary_units_page.h"

#include <cmath>

#include "editor_pages.h"
#include "editor_store.h"
#include "page_primary_template.h"
#include "style_editor_dialog.h"
#include "unit_codes.h"

namespace dds {
namespace {

using namespace res::primary;

// Controls of other pages that follow the primary unit format.
constexpr int kTextFractionScale = 1052;
constexpr int kTolerancePrecision = 1150;
constexpr int kAlternateBelow = 1146;
constexpr int kAlternateShown = 1133;

constexpr int kArchitectural = 4, kFractional = 5, kEngineering = 3, kDecimal = 2;

constexpr char kSeparators[] = {'.', ',', ' '};

}  // namespace

void PrimaryUnitsPage::load(const EditorSource& source) {
  StyleEditorDialog& e = editor();
  const int lunit = int(source.number("DIMLUNIT"));
  select(kUnitFormat, lunit - 1);
  e.fillPrecisionList(lunit, control(kPrecision), false, false);
  select(kPrecision, int(source.number("DIMDEC")));
  select(kFractionFormat, int(source.number("DIMFRAC")));
  const int separator = int(source.number("DIMDSEP"));
  int separatorItem = -1;
  for (int i = 0; i < int(std::size(kSeparators)); ++i)
    if (separator == kSeparators[i]) separatorItem = i;
  select(kDecimalSeparator, separatorItem);
  loadNumber(kRoundOff, source.number("DIMRND"));

  m_loadedPost = std::get<OdString>(source.get("DIMPOST"));
  m_loadedText = splitPrimaryText(m_loadedPost);
  if (ui::Control* c = control(kPrefix)) c->setText(m_loadedText.prefix);
  if (ui::Control* c = control(kSuffix)) c->setText(m_loadedText.suffix);

  const double lfac = source.number("DIMLFAC");
  loadNumber(kScale, std::fabs(lfac));
  setChecked(kLayoutOnly, lfac < 0.0);

  m_loadedZin = int(source.number("DIMZIN"));
  const ZeroSuppression zin = decodeZeroSuppression(m_loadedZin);
  setChecked(kLeading, zin.leading);
  setChecked(kTrailing, zin.trailing);
  setChecked(kZeroFeet, zin.feet);
  setChecked(kZeroInches, zin.inches);

  const int aunit = int(source.number("DIMAUNIT"));
  select(kAngularFormat, aunit);
  e.fillPrecisionList(aunit, control(kAngularPrecision), true, false);
  select(kAngularPrecision, int(source.number("DIMADEC")));
  const int azin = int(source.number("DIMAZIN"));
  m_loadedAzin = azin;
  setChecked(kAngularLeading, (azin & 1) != 0);
  setChecked(kAngularTrailing, (azin & 2) != 0);

  enableForUnit(lunit);
  enable({kAngularFormat, kAngularPrecision, kAngularLeading, kAngularTrailing},
         e.notRadius() && e.notLeader() && e.notOrdinate());
  enable({kUnitFormat, kPrecision, kRoundOff, kRoundOffSpin, kPrefix, kSuffix, kScale, kScaleSpin, kLayoutOnly},
         e.notLeader());
}

void PrimaryUnitsPage::enableForUnit(int lunit) const {
  const bool on = editor().notLeader();
  const bool fractions = lunit == kArchitectural || lunit == kFractional;
  if (ui::Control* c = controlOf(kTabText, kTextFractionScale)) c->enable(fractions && on);
  enable({kFractionFormat}, fractions && on);
  enable({kZeroFeet, kZeroInches}, (lunit == kEngineering || lunit == kArchitectural) && on);
  enable({kLeading, kTrailing}, lunit != kArchitectural && on);
  enable({kDecimalSeparator}, lunit == kDecimal && on);
}

void PrimaryUnitsPage::command(int id, unsigned code) {
  if (code != ui::kCmdSelChange) return;
  StyleEditorDialog& e = editor();
  if (id == kUnitFormat) {
    const int lunit = selection(kUnitFormat) + 1;
    enableForUnit(lunit);
    e.fillPrecisionList(lunit, control(kPrecision), false, false);
    if (ui::Control* tolerance = controlOf(kTabTolerances, kTolerancePrecision))
      e.fillPrecisionList(lunit, tolerance, false, false);
    const ui::Control* alternate = controlOf(kTabAlternateUnits, kAlternateShown);
    e.updateToleranceZeroSuppression(alternate && alternate->check() == ui::kChecked);
  } else if (id == kAngularFormat) {
    e.fillPrecisionList(selection(kAngularFormat), control(kAngularPrecision), true, false);
  }
}

bool PrimaryUnitsPage::alternateBelow() const {
  const ui::Control* below = controlOf(kTabAlternateUnits, kAlternateBelow);
  return below && below->check() == ui::kChecked;
}

void PrimaryUnitsPage::store(EditorStore& out) const {
  // A value no item stands for shows no selection and is kept as it is.
  if (const int unit = selection(kUnitFormat); unit >= 0) out.put("DIMLUNIT", unit + 1);
  if (const int dec = selection(kPrecision); dec >= 0) out.put("DIMDEC", dec);
  if (const int frac = selection(kFractionFormat); frac >= 0) out.put("DIMFRAC", frac);
  if (const int separator = selection(kDecimalSeparator); separator >= 0)
    out.put("DIMDSEP", int(kSeparators[separator]));
  putNumber(out, "DIMRND", kRoundOff);
  ValueText text = m_loadedText;
  if (const ui::Control* c = control(kPrefix)) text.prefix = c->text();
  if (const ui::Control* c = control(kSuffix)) text.suffix = c->text();
  text.below = alternateBelow();
  // Untouched, the text goes back as it was, spelled as it was.
  out.put("DIMPOST", sameValueText(text, m_loadedText) ? m_loadedPost : OdString(joinValueText(text)));
  if (const std::optional<double> scale = fieldValue(out, kScale))
    out.put("DIMLFAC", isChecked(kLayoutOnly) ? -std::fabs(*scale) : std::fabs(*scale));
  out.put("DIMZIN", encodeZeroSuppression({isChecked(kLeading), isChecked(kTrailing), isChecked(kZeroFeet),
                                           isChecked(kZeroInches)},
                                          m_loadedZin));
  if (const int aunit = selection(kAngularFormat); aunit >= 0) out.put("DIMAUNIT", aunit);
  if (const int adec = selection(kAngularPrecision); adec >= 0) out.put("DIMADEC", adec);
  // Bits the page does not show stay as they were.
  out.put("DIMAZIN", (m_loadedAzin & ~3) + (isChecked(kAngularLeading) ? 1 : 0) + (isChecked(kAngularTrailing) ? 2 : 0));
}

}  // namespace dds
