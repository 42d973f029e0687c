#pragma once
// The Tolerances page: how tolerances follow the measured value. The
// method is no variable of its own but is coded in DIMTOL, DIMLIM, DIMTM,
// DIMTP and the sign of DIMGAP (a negative gap frames the text: "Basic"),
// so the Text page's frame box and the method list are two views of one
// value and the unit pages decide which zero-suppression boxes count.
#include "editor_page.h"
#include "OdDbDimVars.h"

namespace dds {

enum ToleranceMethod : int { kTolNone = 0, kTolSymmetrical, kTolDeviation, kTolLimits, kTolBasic };

// The method the values code.
ToleranceMethod toleranceMethodOf(const OdDbDimVars& values);

class TolerancesPage : public EditorPage {
public:
  using EditorPage::EditorPage;

  void load(const EditorSource& source) override;
  void afterLoad() override;
  void store(EditorStore& out) const override;

  // Enables the page for a method and sets the Text page's frame box to
  // match it.
  void applyToleranceMethod(int method);
  // Enables the zero-suppression boxes and the alternate precision for the
  // unit formats and whether alternate units are shown.
  void updateToleranceZeroSuppression(bool alternateOn);
  // The method list shows the method the values were loaded with.
  bool methodAsLoaded() const { return selection(1147) == m_loadedMethod; }

protected:
  void command(int id, unsigned code) override;
  double spinStep(int) const override { return 0.05; }

private:
  void storeMethod(EditorStore& out) const;

  bool m_loadedAlternate = false;
  int m_loadedTzin = 0;
  int m_loadedAlttz = 0;
  int m_loadedMethod = kTolNone;
};

}  // namespace dds
