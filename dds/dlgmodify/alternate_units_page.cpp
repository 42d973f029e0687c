#include "alternate_units_page.h"

#include "editor_pages.h"
#include "stdafx/value_text.h"
#include "editor_store.h"
#include "page_alternate_template.h"
#include "style_editor_dialog.h"
#include "unit_codes.h"

namespace dds {
namespace {

using namespace res::alternate;

constexpr int kTolerancePrecision = 1164;

// Formats whose zeros are counted in feet and inches, and those that
// write no decimal zeros at all.
bool inFeetAndInches(int altu) { return altu == 3 || altu == 4 || altu == 6; }
bool writesDecimals(int altu) { return altu != 4 && altu != 6; }

}  // namespace

double AlternateUnitsPage::spinStep(int spinId) const { return spinId == kRoundSpin ? 0.25 : 0.005; }

void AlternateUnitsPage::load(const EditorSource& source) {
  StyleEditorDialog& e = editor();
  const bool shown = source.flag("DIMALT");
  setChecked(kShow, shown);
  const int altu = int(source.number("DIMALTU"));
  select(kUnitFormat, altu - 1);
  e.fillPrecisionList(altu, control(kPrecision), false, true);
  select(kPrecision, int(source.number("DIMALTD")));
  loadNumber(kMultiplier, source.number("DIMALTF"));
  loadNumber(kRound, source.number("DIMALTRND"));

  m_loadedApost = std::get<OdString>(source.get("DIMAPOST"));
  m_loadedText = splitAlternateText(m_loadedApost);
  if (ui::Control* c = control(kPrefix)) c->setText(m_loadedText.prefix);
  if (ui::Control* c = control(kSuffix)) c->setText(m_loadedText.suffix);
  const bool below = splitPrimaryText(std::get<OdString>(source.get("DIMPOST"))).below;
  setChecked(kBelow, below);
  setChecked(kAfter, !below);

  m_loadedAltz = int(source.number("DIMALTZ"));
  const ZeroSuppression z = decodeZeroSuppression(m_loadedAltz);
  setChecked(kLeading, z.leading);
  setChecked(kTrailing, z.trailing);
  setChecked(kZeroFeet, z.feet);
  setChecked(kZeroInches, z.inches);

  enable({kShow}, e.notLeader());
  enableFor(shown, altu);
}

void AlternateUnitsPage::enableFor(bool shown, int altu) const {
  const bool on = shown && editor().notLeader();
  enable({kUnitFormat, kPrecision, kMultiplier, kMultiplierSpin, kRound, kRoundSpin, kPrefix, kSuffix, kAfter, kBelow},
         on);
  enable({kLeading, kTrailing}, on && writesDecimals(altu));
  enable({kZeroFeet, kZeroInches}, on && inFeetAndInches(altu));
}

void AlternateUnitsPage::command(int id, unsigned code) {
  StyleEditorDialog& e = editor();
  const int altu = selection(kUnitFormat) + 1;
  if (id == kShow && code == ui::kCmdClicked) {
    enableFor(isChecked(kShow), altu);
    e.updateToleranceZeroSuppression(isChecked(kShow));
  } else if (id == kUnitFormat && code == ui::kCmdSelChange) {
    e.fillPrecisionList(altu, control(kPrecision), false, true);
    enableFor(isChecked(kShow), altu);
    if (ui::Control* tolerance = controlOf(kTabTolerances, kTolerancePrecision))
      e.fillPrecisionList(altu, tolerance, false, true);
    e.updateToleranceZeroSuppression(isChecked(kShow));
  }
}

void AlternateUnitsPage::store(EditorStore& out) const {
  out.put("DIMALT", isChecked(kShow));
  // A value no item stands for shows no selection and is kept as it is.
  if (const int unit = selection(kUnitFormat); unit >= 0) out.put("DIMALTU", unit + 1);
  if (const int dec = selection(kPrecision); dec >= 0) out.put("DIMALTD", dec);
  putNumber(out, "DIMALTF", kMultiplier);
  putNumber(out, "DIMALTRND", kRound);
  ValueText text = m_loadedText;
  if (const ui::Control* c = control(kPrefix)) text.prefix = c->text();
  if (const ui::Control* c = control(kSuffix)) text.suffix = c->text();
  // Untouched, the text goes back as it was, spelled as it was.
  out.put("DIMAPOST", sameValueText(text, m_loadedText) ? m_loadedApost : OdString(joinValueText(text)));
  out.put("DIMALTZ", encodeZeroSuppression({isChecked(kLeading), isChecked(kTrailing), isChecked(kZeroFeet),
                                            isChecked(kZeroInches)},
                                           m_loadedAltz));
}

}  // namespace dds
