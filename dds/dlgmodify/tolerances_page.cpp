#include "tolerances_page.h"

#include <cmath>

#include "editor_pages.h"
#include "editor_store.h"
#include "page_tolerance_template.h"
#include "stdafx/module_log.h"
#include "stdafx/value_text.h"
#include "style_editor_dialog.h"
#include "text_page.h"
#include "unit_codes.h"

namespace dds {
namespace {

using namespace res::tolerance;

// Controls of other pages the method and the unit formats reach.
constexpr int kTextFrame = 1077;
constexpr int kTextOffset = 1054;
constexpr int kTextFractionScale = 1052;
constexpr int kPrimaryUnitFormat = 1110;
constexpr int kAlternateUnitFormat = 1136;
constexpr int kAlternateShown = 1133;

// Two deviations this close would read back as a symmetrical tolerance.
constexpr double kDeviationTie = 0.00000001;
constexpr double kDeviationNudge = 0.00000002;

bool showsValues(int method) { return method == kTolSymmetrical || method == kTolDeviation || method == kTolLimits; }

}  // namespace

ToleranceMethod toleranceMethodOf(const OdDbDimVars& v) {
  if (v.tol) return v.tm == v.tp ? kTolSymmetrical : kTolDeviation;
  if (v.lim) return kTolLimits;
  return v.gap < 0.0 ? kTolBasic : kTolNone;
}

void TolerancesPage::load(const EditorSource& source) {
  StyleEditorDialog& e = editor();
  m_loadedMethod = toleranceMethodOf(source.values);
  m_loadedAlternate = source.flag("DIMALT");
  select(kMethod, m_loadedMethod);
  e.fillPrecisionList(int(source.number("DIMLUNIT")), control(kPrecision), false, false);
  select(kPrecision, int(source.number("DIMTDEC")));
  loadNumber(kUpper, source.number("DIMTP"));
  loadNumber(kLower, source.number("DIMTM"));
  loadNumber(kHeightScale, source.number("DIMTFAC"));
  select(kVertical, int(source.number("DIMTOLJ")));
  e.fillPrecisionList(int(source.number("DIMALTU")), control(kAltPrecision), false, true);
  select(kAltPrecision, int(source.number("DIMALTTD")));

  m_loadedTzin = int(source.number("DIMTZIN"));
  m_loadedAlttz = int(source.number("DIMALTTZ"));
  const ZeroSuppression z = decodeZeroSuppression(m_loadedTzin);
  setChecked(kLeading, z.leading);
  setChecked(kTrailing, z.trailing);
  setChecked(kZeroFeet, z.feet);
  setChecked(kZeroInches, z.inches);
  const ZeroSuppression alt = decodeZeroSuppression(m_loadedAlttz);
  setChecked(kAltLeading, alt.leading);
  setChecked(kAltTrailing, alt.trailing);
  setChecked(kAltZeroFeet, alt.feet);
  setChecked(kAltZeroInches, alt.inches);
}

// The method's enabling reaches other pages' controls, which have all
// loaded by now.
void TolerancesPage::afterLoad() {
  updateToleranceZeroSuppression(m_loadedAlternate);
  applyToleranceMethod(m_loadedMethod);
}

void TolerancesPage::applyToleranceMethod(int method) {
  StyleEditorDialog& e = editor();
  const bool on = e.notLeader();
  enable({kMethod}, on);
  enable({kPrecision, kAltPrecision, kUpper, kUpperSpin, kHeightScale, kHeightScaleSpin, kVertical},
         showsValues(method) && on);
  enable({kLower, kLowerSpin}, (method == kTolDeviation || method == kTolLimits) && on);
  const ui::Control* shown = controlOf(kTabAlternateUnits, kAlternateShown);
  updateToleranceZeroSuppression(shown && shown->check() == ui::kChecked);
  // The frame box and "Basic" are one value: only "Basic" frames the text.
  if (ui::Control* frame = controlOf(kTabText, kTextFrame))
    frame->setCheck(method == kTolBasic && on ? ui::kChecked : ui::kUnchecked);
  e.requestPreviewUpdate();
}

void TolerancesPage::updateToleranceZeroSuppression(bool alternateOn) {
  const ui::Control* primary = controlOf(kTabPrimaryUnits, kPrimaryUnitFormat);
  const ui::Control* alternate = controlOf(kTabAlternateUnits, kAlternateUnitFormat);
  const int u = primary ? primary->selection() + 1 : 0;
  const int v = alternate ? alternate->selection() + 1 : 0;
  const bool on = showsValues(selection(kMethod)) && editor().notLeader();
  const bool altOn = on && alternateOn;
  enable({kLeading, kTrailing}, on && u != 4);
  enable({kZeroFeet, kZeroInches}, on && (u == 3 || u == 4));
  enable({kAltLeading, kAltTrailing}, altOn && v != 4 && v != 6);
  enable({kAltZeroFeet, kAltZeroInches}, altOn && (v == 3 || v == 4 || v == 6));
  enable({kAltPrecision}, altOn);
}

void TolerancesPage::command(int id, unsigned code) {
  if (id == kMethod && code == ui::kCmdSelChange) {
    applyToleranceMethod(selection(kMethod));
  } else if (id == kHeightScale && code == ui::kCmdEditChange) {
    ui::Control* mine = control(kHeightScale);
    ui::Control* text = controlOf(kTabText, kTextFractionScale);
    if (mine && text && text->text() != mine->text()) text->setText(mine->text());
  }
}

void TolerancesPage::storeMethod(EditorStore& out) const {
  const int method = selection(kMethod);
  if (method < 0) {
    DDS_LOG_ERROR(kSrcDlgModify, "Unknown tol method");
    return;
  }
  // The gap's size is the Text page's offset; only its sign is the method's
  // (untouched, the Text page keeps it as loaded).
  const auto* text = dynamic_cast<const TextPage*>(editor().page(kTabText));
  const std::optional<double> g = text ? text->gapToStore(out, method == kTolBasic) : std::optional<double>(0.0);
  const std::optional<double> u = fieldValue(out, kUpper), l = fieldValue(out, kLower);
  if (!g || !u || !l) return;  // refused text: the editor names the field
  const auto put = [&out](const char* name, const OdDbDimVarValue& value) { out.put(name, value).reachesChildren = false; };
  put("DIMLIM", method == kTolLimits);
  put("DIMTOL", method == kTolSymmetrical || method == kTolDeviation);
  put("DIMGAP", *g);
  if (method == kTolSymmetrical) {
    put("DIMTM", *u);
    put("DIMTP", *u);
  } else if (method == kTolDeviation) {
    put("DIMTM", *l);
    put("DIMTP", std::fabs(*u - *l) <= kDeviationTie ? *u + kDeviationNudge : *u);
  } else if (method == kTolLimits) {
    put("DIMTM", *l);
    put("DIMTP", *u);
  }
}

void TolerancesPage::store(EditorStore& out) const {
  storeMethod(out);
  // A value no item stands for shows no selection and is kept as it is.
  if (const int dec = selection(kPrecision); dec >= 0) out.put("DIMTDEC", dec);
  putNumber(out, "DIMTFAC", kHeightScale);
  if (const int tolj = selection(kVertical); tolj >= 0) out.put("DIMTOLJ", tolj);
  if (const int dec = selection(kAltPrecision); dec >= 0) out.put("DIMALTTD", dec);
  out.put("DIMTZIN", encodeZeroSuppression({isChecked(kLeading), isChecked(kTrailing), isChecked(kZeroFeet),
                                            isChecked(kZeroInches)},
                                           m_loadedTzin));
  out.put("DIMALTTZ", encodeZeroSuppression({isChecked(kAltLeading), isChecked(kAltTrailing),
                                             isChecked(kAltZeroFeet), isChecked(kAltZeroInches)},
                                            m_loadedAlttz));
}

}  // namespace dds
